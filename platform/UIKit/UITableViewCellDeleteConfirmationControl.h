// The red "Delete" button that a sideways swipe on a table row shows at the
// row's right end. A tap that ends on it runs its handler; the table then
// sends tableView:commitEditingStyle:forRowAtIndexPath: to its data source.
#pragma once

#include <functional>

#include "UIKit/UIView.h"

class NSString;
class UILabel;

class UITableViewCellDeleteConfirmationControl : public UIView {
    KORVEL_OBJC_CLASS(UITableViewCellDeleteConfirmationControl)
public:
    static constexpr CGFloat kHeight = 30;
    static constexpr CGFloat kPadding = 10;
    // Room between the button and the row's right end.
    static constexpr CGFloat kMargin = 10;

    UITableViewCellDeleteConfirmationControl();
    ~UITableViewCellDeleteConfirmationControl() override;

    // A button titled `title`, sized to it, at the right end of a row of
    // `rowSize`, centred on the row's height.
    static Ref<UITableViewCellDeleteConfirmationControl> forRow(CGSize rowSize, NSString* title,
                                                              std::function<void()> onTap);

    NSString* title() const;

    void touchesBegan(NSSet* touches, UIEvent* event) override;
    void touchesMoved(NSSet* touches, UIEvent* event) override;
    void touchesEnded(NSSet* touches, UIEvent* event) override;
    void touchesCancelled(NSSet* touches, UIEvent* event) override;

private:
    void setPressed(bool pressed);
    bool inside(NSSet* touches);

    Ref<UILabel> label_;
    std::function<void()> onTap_;
    bool pressed_ = false;
};
