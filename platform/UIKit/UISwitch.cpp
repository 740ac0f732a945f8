#include "UIKit/UISwitch.h"

#include <algorithm>

#include "Foundation/NSString.h"
#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/ViewRenderer.h"
#include "objc/ClassBuilder.h"

Class UISwitch::class_() {
    using S = UISwitch;
    static Class cls = objc::ClassBuilder<S>("UISwitch", UIControl::class_())
                           .method<&S::isOn>("isOn")
                           .method<static_cast<void (S::*)(bool)>(&S::setOn)>("setOn:")
                           .method<static_cast<void (S::*)(bool, bool)>(&S::setOn)>("setOn:animated:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UISwitch::class_();

namespace {

constexpr CGFloat kCornerRadius = 6;
constexpr CGFloat kKnobWidth = 40;

Ref<UIColor> onColour() { return UIColor::colorWithRed(0.0f, 0.5f, 0.92f, 1); }
Ref<UIColor> offColour() { return UIColor::colorWithWhite(0.93f, 1); }
Ref<UIColor> rimColour() { return UIColor::colorWithWhite(0.6f, 1); }

}  // namespace

UISwitch::UISwitch() = default;
UISwitch::~UISwitch() = default;

UIView* UISwitch::initWithFrame(CGRect frame) {
    UIControl::initWithFrame(CGRectMake(frame.origin.x, frame.origin.y, kWidth, kHeight));
    setBackgroundColor(UIColor::clearColor());
    return this;
}

void UISwitch::setFrame(CGRect frame) { UIControl::setFrame(CGRectMake(frame.origin.x, frame.origin.y, kWidth, kHeight)); }

void UISwitch::setOn(bool on) { setOn(on, false); }

void UISwitch::setOn(bool on, bool) {
    if (on_ == on) return;
    on_ = on;
    setNeedsDisplay();
}

CGSize UISwitch::sizeThatFits(CGSize) const { return CGSizeMake(kWidth, kHeight); }

void UISwitch::touchesEnded(NSSet* touches, UIEvent* event) {
    const bool wasTracking = isTracking();
    UIControl::touchesEnded(touches, event);
    if (!wasTracking || !isTouchInside()) return;
    Ref<UISwitch> keep(this);
    setOn(!on_, true);
    sendActionsForControlEvents(UIControlEventValueChanged);
}

void UISwitch::drawRect(CGRect) {
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c) return;
    const CGRect b = CGRectInset(bounds(), 0.5f, 0.5f);
    ViewRenderer::addRoundedRectPath(c, b, kCornerRadius);
    CGContextSetFillColorWithColor(c, (on_ ? onColour() : offColour())->CGColor());
    CGContextFillPath(c);
    ViewRenderer::addRoundedRectPath(c, b, kCornerRadius);
    CGContextSetStrokeColorWithColor(c, rimColour()->CGColor());
    CGContextSetLineWidth(c, 1);
    CGContextStrokePath(c);

    // The caption sits in the half the knob leaves free.
    const CGRect free = on_ ? CGRectMake(b.origin.x, b.origin.y, b.size.width - kKnobWidth, b.size.height)
                            : CGRectMake(b.origin.x + kKnobWidth, b.origin.y, b.size.width - kKnobWidth, b.size.height);
    Ref<UIFont> font = UIFont::boldSystemFontOfSize(15);
    Ref<NSString> caption = NSString::from(on_ ? "ON" : "OFF");
    const CGSize text = NSStringDrawing::sizeWithFont(caption, font);
    CGContextSetFillColorWithColor(c, (on_ ? UIColor::whiteColor() : UIColor::colorWithWhite(0.45f, 1))->CGColor());
    NSStringDrawing::drawInRect(
        caption, CGRectMake(free.origin.x, free.origin.y + (free.size.height - text.height) / 2, free.size.width, text.height),
        font, UILineBreakModeClip, UITextAlignmentCenter);

    const CGRect knob = CGRectMake(on_ ? CGRectGetMaxX(b) - kKnobWidth : b.origin.x, b.origin.y, kKnobWidth, b.size.height);
    ViewRenderer::addRoundedRectPath(c, knob, kCornerRadius);
    CGContextSetFillColorWithColor(c, (isHighlighted() ? UIColor::colorWithWhite(0.85f, 1) : UIColor::whiteColor())->CGColor());
    CGContextFillPath(c);
    ViewRenderer::addRoundedRectPath(c, knob, kCornerRadius);
    CGContextSetStrokeColorWithColor(c, rimColour()->CGColor());
    CGContextStrokePath(c);
}
