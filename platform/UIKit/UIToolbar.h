// A bar of buttons, along the bottom of a navigation stack or anywhere else.
// Items are laid out from the left with kSpacing between them; flexible
// spaces share the room that is left, fixed spaces take their width.
#pragma once

#include <vector>

#include "UIKit/UIBarAppearance.h"
#include "UIKit/UIView.h"

class NSArray;
class UIBarButtonItem;
class UINavigationButton;

class UIToolbar : public UIView {
    KORVEL_OBJC_CLASS(UIToolbar)
public:
    static constexpr CGFloat kHeight = UIBarAppearance::kBarHeight;
    static constexpr CGFloat kSpacing = 10;
    // Room at both ends.
    static constexpr CGFloat kMargin = 6;

    UIToolbar();
    ~UIToolbar() override;

    UIView* initWithFrame(CGRect frame) override;

    UIBarStyle barStyle() const { return barStyle_; }
    // Style 2 makes the bar translucent.
    void setBarStyle(NSInteger style);
    bool isTranslucent() const { return barStyle_ == UIBarStyleBlackTranslucent; }

    Ref<NSArray> items() const;
    void setItems(NSArray* items);
    void setItems(NSArray* items, bool animated);

    void layoutSubviews() override;
    void drawRect(CGRect rect) override;

private:
    UIBarStyle barStyle_ = UIBarStyleDefault;
    std::vector<Ref<UIBarButtonItem>> items_;
    // One per item; nil for the spaces.
    std::vector<Ref<UINavigationButton>> buttons_;
};
