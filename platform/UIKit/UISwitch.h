// An on/off switch of the platform's fixed size. A tap (the finger lifting
// inside it) flips it and sends the value-changed event; setting the state in
// code sends nothing, as on the platform. It draws a rounded track, blue with
// "ON" when on and grey with "OFF" when off, and a knob at the end the state
// points to.
#pragma once

#include "UIKit/UIControl.h"

class UISwitch : public UIControl {
    KORVEL_OBJC_CLASS(UISwitch)
public:
    static constexpr CGFloat kWidth = 94;
    static constexpr CGFloat kHeight = 27;

    UISwitch();
    ~UISwitch() override;

    // Keeps the frame's origin; the size is always the switch's own.
    UIView* initWithFrame(CGRect frame) override;
    void setFrame(CGRect frame) override;

    bool isOn() const { return on_; }
    void setOn(bool on);
    // The platform slides the knob when animated; here the state changes at once.
    void setOn(bool on, bool animated);

    CGSize sizeThatFits(CGSize size) const override;
    void touchesEnded(NSSet* touches, UIEvent* event) override;
    void drawRect(CGRect rect) override;

private:
    bool on_ = false;
};
