// The view a bar makes for one of its buttons: a bar button item of a
// navigation bar or toolbar, or a navigation bar's back button. It shows the
// title in a label, with the border of its style, highlights while the
// finger is on it, and on a tap that ends on it sends the item's action (or
// runs the back button's handler).
#pragma once

#include <functional>

#include "CoreGraphics/CGContext.h"
#include "UIKit/UIView.h"

class NSString;
class UIBarButtonItem;
class UIImage;
class UILabel;

class UINavigationButton : public UIView {
    KORVEL_OBJC_CLASS(UINavigationButton)
public:
    static constexpr CGFloat kHeight = 30;
    static constexpr CGFloat kPadding = 10;
    static constexpr CGFloat kMinimumWidth = 32;
    // The point of a back button's arrow.
    static constexpr CGFloat kArrowWidth = 8;
    static constexpr CGFloat kFontSize = 12;

    UINavigationButton();
    ~UINavigationButton() override;

    // `bordered`: whether a plain item still gets a border (it does on a
    // navigation bar, not on a toolbar).
    static Ref<UINavigationButton> forItem(UIBarButtonItem* item, bool bordered);
    static Ref<UINavigationButton> backButton(NSString* title, std::function<void()> onTap);

    UIBarButtonItem* item() const { return item_; }
    bool isBackButton() const { return back_; }
    NSString* title() const;
    // The item's image, drawn centred in place of a title; nil when none.
    UIImage* image() const;
    bool isHighlighted() const { return highlighted_; }

    // The title's (or image's) width with the padding, at least kMinimumWidth, kHeight high.
    CGSize sizeThatFits(CGSize size) const override;
    void layoutSubviews() override;
    void drawRect(CGRect rect) override;

    void touchesBegan(NSSet* touches, UIEvent* event) override;
    void touchesMoved(NSSet* touches, UIEvent* event) override;
    void touchesEnded(NSSet* touches, UIEvent* event) override;
    void touchesCancelled(NSSet* touches, UIEvent* event) override;

private:
    void makeLabel(NSString* title);
    void drawBorder(CGContextRef context, CGRect rect) const;
    bool touchInside(NSSet* touches) const;
    void setHighlighted(bool highlighted);

    Ref<UIBarButtonItem> item_;
    Ref<UILabel> label_;
    std::function<void()> onTap_;
    bool back_ = false;
    bool bordered_ = true;
    bool highlighted_ = false;
};
