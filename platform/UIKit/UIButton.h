// A push button. The custom type draws nothing of its own beyond its
// background colour and its title (if given); the rounded-rectangle type is
// the platform's white rounded button with a blue-grey rim that turns blue
// while pressed. Titles and their colours are kept per control state, the
// normal state's serving wherever a state has none.
//
// With showsTouchWhenHighlighted, a soft white glow shows at the centre of
// the button while the finger is on it.
#pragma once

#include <map>

#include "UIKit/UIControl.h"

class NSString;
class UIColor;
class UILabel;

enum UIButtonType : NSInteger {
    UIButtonTypeCustom = 0,
    UIButtonTypeRoundedRect = 1,
};

class UIButton : public UIControl {
    KORVEL_OBJC_CLASS(UIButton)
public:
    static constexpr CGFloat kRoundedCornerRadius = 9;
    static constexpr CGFloat kGlowRadius = 20;

    UIButton();
    ~UIButton() override;

    // A button of the type with a zero frame; an unknown type is taken as
    // the rounded rectangle.
    static Ref<UIButton> buttonWithType(NSInteger type);

    UIButtonType buttonType() const { return type_; }

    void setTitle(NSString* title, UIControlState state);
    NSString* titleForState(UIControlState state) const;
    void setTitleColor(UIColor* color, UIControlState state);
    UIColor* titleColorForState(UIControlState state) const;
    NSString* currentTitle() const { return titleForState(state()); }
    UILabel* titleLabel() const { return titleLabel_; }

    bool showsTouchWhenHighlighted() const { return showsTouchWhenHighlighted_; }
    void setShowsTouchWhenHighlighted(bool shows) { showsTouchWhenHighlighted_ = shows; }

    void setHighlighted(bool highlighted) override;
    void setEnabled(bool enabled) override;
    void setSelected(bool selected) override;
    void layoutSubviews() override;
    void drawRect(CGRect rect) override;

private:
    // Shows the title and colour of the present state.
    void updateTitle();

    UIButtonType type_ = UIButtonTypeCustom;
    Ref<UILabel> titleLabel_;
    std::map<UIControlState, Ref<NSString>> titles_;
    std::map<UIControlState, Ref<UIColor>> titleColors_;
    bool showsTouchWhenHighlighted_ = false;
};
