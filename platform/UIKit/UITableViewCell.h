// One row of a table: a content view filling the row (less the accessory at
// its right end), labels in the arrangement of the cell style, and the
// selection and highlight looks. Cells are made the platform's way, by alloc
// and then initWithStyle:reuseIdentifier: sent through the runtime, so that a
// subclass's (or a replaced) initializer runs; cellWithStyle does both for
// C++ callers.
#pragma once

#include "Foundation/NSString.h"
#include "UIKit/UIView.h"
#include "objc/ObjcRuntime.h"

class UILabel;
class UINibDecoder;

enum UITableViewCellStyle : NSInteger {
    UITableViewCellStyleDefault = 0,
    // Text on the left, detail right-aligned on the right.
    UITableViewCellStyleValue1 = 1,
    // A small right-aligned caption, the detail beside it.
    UITableViewCellStyleValue2 = 2,
    // Text above, detail below.
    UITableViewCellStyleSubtitle = 3,
};

enum UITableViewCellSelectionStyle : NSInteger {
    UITableViewCellSelectionStyleNone = 0,
    UITableViewCellSelectionStyleBlue = 1,
    UITableViewCellSelectionStyleGray = 2,
};

enum UITableViewCellAccessoryType : NSInteger {
    UITableViewCellAccessoryNone = 0,
    UITableViewCellAccessoryDisclosureIndicator = 1,
    UITableViewCellAccessoryDetailDisclosureButton = 2,
    UITableViewCellAccessoryCheckmark = 3,
};

class UITableViewCell : public UIView {
    KORVEL_OBJC_CLASS(UITableViewCell)
public:
    // The frame a cell has before a table places it.
    static constexpr CGFloat kDefaultWidth = 320;
    static constexpr CGFloat kDefaultHeight = 44;
    // Room the accessory takes at the right end of the row.
    static constexpr CGFloat kAccessoryWidth = 30;
    static constexpr CGFloat kLabelInset = 10;

    UITableViewCell();
    ~UITableViewCell() override;

    // alloc, then initWithStyle:reuseIdentifier: by selector.
    template <class C = UITableViewCell>
    static Ref<C> cellWithStyle(UITableViewCellStyle style, NSString* reuseIdentifier) {
        auto cell = make<C>();
        objc::send<id, NSInteger, id>(cell.get(), "initWithStyle:reuseIdentifier:", NSInteger(style),
                                      static_cast<id>(reuseIdentifier));
        return cell;
    }

    virtual UITableViewCell* initWithStyle(NSInteger style, NSString* reuseIdentifier);
    // The default style without a reuse identifier.
    UIView* initWithFrame(CGRect frame) override;
    // A cell from an interface file: its "style" (a number) and
    // "reuseIdentifier" (a text), then its frame.
    UITableViewCell* initWithCoder(UINibDecoder* coder);

    UITableViewCellStyle style() const { return style_; }
    NSString* reuseIdentifier() const { return reuseIdentifier_; }
    UIView* contentView() const { return contentView_; }
    // Made on first use, as on the platform.
    UILabel* textLabel();
    // nil in the default style.
    UILabel* detailTextLabel();

    UITableViewCellSelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(NSInteger style);

    // The one-argument forms take the two-argument ones, unanimated.
    virtual bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected);
    virtual void setSelected(bool selected, bool animated);
    virtual bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted);
    virtual void setHighlighted(bool highlighted, bool animated);

    UITableViewCellAccessoryType accessoryType() const { return accessoryType_; }
    virtual void setAccessoryType(NSInteger type);
    // A view of the caller's own in place of the accessory type's mark.
    UIView* accessoryView() const { return accessoryView_; }
    virtual void setAccessoryView(UIView* view);

    // Sent by the table when it hands the cell out again: clears selection
    // and highlight.
    virtual void prepareForReuse();

    void layoutSubviews() override;

private:
    void showSelectionLook();
    // The mark drawn for the accessory type, nil for none.
    void makeAccessoryMark();

    UITableViewCellStyle style_ = UITableViewCellStyleDefault;
    Ref<NSString> reuseIdentifier_;
    Ref<UIView> contentView_;
    Ref<UILabel> textLabel_;
    Ref<UILabel> detailTextLabel_;
    Ref<UIView> selectedBackground_;
    Ref<UIView> accessoryView_;
    Ref<UILabel> accessoryMark_;
    UITableViewCellSelectionStyle selectionStyle_ = UITableViewCellSelectionStyleBlue;
    UITableViewCellAccessoryType accessoryType_ = UITableViewCellAccessoryNone;
    bool selected_ = false;
    bool highlighted_ = false;
};
