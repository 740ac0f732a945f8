// A button of a navigation bar or toolbar: a title (or a system item's
// title) or an image, a style, and the action sent to the target when it is tapped. The
// bar that shows the item makes the view for it; the item only describes it.
#pragma once

#include "CoreGraphics/CGBase.h"
#include "objc/NSObject.h"
#include "objc/runtime.h"

class NSString;
class UIImage;

enum UIBarButtonItemStyle : NSInteger {
    UIBarButtonItemStylePlain = 0,
    UIBarButtonItemStyleBordered = 1,
    UIBarButtonItemStyleDone = 2,
};

enum UIBarButtonSystemItem : NSInteger {
    UIBarButtonSystemItemDone = 0,
    UIBarButtonSystemItemCancel = 1,
    UIBarButtonSystemItemEdit = 2,
    UIBarButtonSystemItemSave = 3,
    UIBarButtonSystemItemAdd = 4,
    UIBarButtonSystemItemFlexibleSpace = 5,
    UIBarButtonSystemItemFixedSpace = 6,
};

class UIBarButtonItem : public NSObject {
    KORVEL_OBJC_CLASS(UIBarButtonItem)
public:
    UIBarButtonItem();
    ~UIBarButtonItem() override;

    UIBarButtonItem* initWithTitle(NSString* title, NSInteger style, id target, SEL action);
    // Shows the image instead of a title.
    UIBarButtonItem* initWithImage(UIImage* image, NSInteger style, id target, SEL action);
    // The system items the platform titles itself; Done has the Done style.
    // A number that is no system item gives an untitled plain item.
    UIBarButtonItem* initWithBarButtonSystemItem(NSInteger systemItem, id target, SEL action);

    static Ref<UIBarButtonItem> withTitle(NSString* title, NSInteger style, id target, SEL action);
    static Ref<UIBarButtonItem> withImage(UIImage* image, NSInteger style, id target, SEL action);
    static Ref<UIBarButtonItem> withSystemItem(NSInteger systemItem, id target, SEL action);

    NSString* title() const { return title_; }
    void setTitle(NSString* title);
    UIImage* image() const { return image_; }
    void setImage(UIImage* image);
    UIBarButtonItemStyle style() const { return style_; }
    void setStyle(NSInteger style);
    // Space items take room in a toolbar but show nothing.
    bool isSpace() const;
    bool isFlexibleSpace() const { return systemItem_ == UIBarButtonSystemItemFlexibleSpace; }
    // The room a fixed space (or any item) asks for; 0 lets the bar decide.
    CGFloat width() const { return width_; }
    void setWidth(CGFloat width) { width_ = width; }
    NSInteger tag() const { return tag_; }
    void setTag(NSInteger tag) { tag_ = tag; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    // Not retained.
    id target() const { return target_; }
    void setTarget(id target) { target_ = target; }
    SEL action() const { return action_; }
    void setAction(SEL action) { action_ = action; }

    // Sends the action to the target: with the item as the sender when the
    // selector takes an argument. Nothing without a target, an action or
    // when disabled.
    void sendAction();

private:
    Ref<NSString> title_;
    Ref<UIImage> image_;
    UIBarButtonItemStyle style_ = UIBarButtonItemStylePlain;
    NSInteger systemItem_ = -1;
    CGFloat width_ = 0;
    NSInteger tag_ = 0;
    bool enabled_ = true;
    id target_ = nullptr;
    SEL action_ = nullptr;
};
