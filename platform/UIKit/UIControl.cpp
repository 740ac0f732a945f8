#include "UIKit/UIControl.h"

#include <algorithm>
#include <cstring>

#include "Foundation/NSSet.h"
#include "UIKit/UIEvent.h"
#include "UIKit/UITouch.h"
#include "objc/ClassBuilder.h"

Class UIControl::class_() {
    using C = UIControl;
    static Class cls = objc::ClassBuilder<C>("UIControl", UIView::class_())
                           .method<&C::addTarget>("addTarget:action:forControlEvents:")
                           .method<&C::removeTarget>("removeTarget:action:forControlEvents:")
                           .method<&C::allControlEvents>("allControlEvents")
                           .method<&C::sendActionsForControlEvents>("sendActionsForControlEvents:")
                           .method<&C::sendAction>("sendAction:to:forEvent:")
                           .method<&C::isEnabled>("isEnabled")
                           .method<&C::setEnabled>("setEnabled:")
                           .method<&C::isSelected>("isSelected")
                           .method<&C::setSelected>("setSelected:")
                           .method<&C::isHighlighted>("isHighlighted")
                           .method<&C::setHighlighted>("setHighlighted:")
                           .method<&C::state>("state")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIControl::class_();

UIControl::UIControl() = default;
UIControl::~UIControl() = default;

void UIControl::addTarget(id target, SEL action, UIControlEvents events) {
    if (!action || events == 0) return;
    for (auto& a : actions_) {
        if (a.target == target && a.action == action) {
            a.events |= events;
            return;
        }
    }
    actions_.push_back({target, action, events});
}

void UIControl::removeTarget(id target, SEL action, UIControlEvents events) {
    for (auto& a : actions_) {
        if ((!target || a.target == target) && (!action || a.action == action)) a.events &= ~events;
    }
    actions_.erase(std::remove_if(actions_.begin(), actions_.end(), [](const Action& a) { return a.events == 0; }),
                   actions_.end());
}

UIControlEvents UIControl::allControlEvents() const {
    UIControlEvents all = 0;
    for (const auto& a : actions_) all |= a.events;
    return all;
}

void UIControl::sendActionsForControlEvents(UIControlEvents events) { send(events, nullptr); }

void UIControl::send(UIControlEvents events, UIEvent* event) {
    Ref<UIControl> keep(this);
    // An action may add or remove targets: work from a copy.
    const std::vector<Action> actions = actions_;
    for (const auto& a : actions) {
        if (a.events & events) sendAction(a.action, a.target, event);
    }
}

void UIControl::sendAction(SEL action, id target, UIEvent* event) {
    if (!action) return;
    if (!target) {
        // The first responder along the chain that answers the action.
        for (UIResponder* r = this; r; r = r->nextResponder()) {
            if (r->respondsToSelector(action)) {
                target = r;
                break;
            }
        }
        if (!target) return;
    }
    const char* name = sel_getName(action);
    switch (std::count(name, name + std::strlen(name), ':')) {
        case 0: objc::send<void>(target, action); break;
        case 1: objc::send<void, id>(target, action, this); break;
        default: objc::send<void, id, id>(target, action, this, event); break;
    }
}

void UIControl::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled) setHighlighted(false);
    setNeedsDisplay();
}

void UIControl::setSelected(bool selected) {
    selected_ = selected;
    setNeedsDisplay();
}

void UIControl::setHighlighted(bool highlighted) {
    highlighted_ = highlighted;
    setNeedsDisplay();
}

UIControlState UIControl::state() const {
    UIControlState s = UIControlStateNormal;
    if (highlighted_) s |= UIControlStateHighlighted;
    if (!enabled_) s |= UIControlStateDisabled;
    if (selected_) s |= UIControlStateSelected;
    return s;
}

bool UIControl::inside(UITouch* touch) const {
    if (!touch) return false;
    CGPoint p = touch->locationInView(const_cast<UIControl*>(this));
    return CGRectContainsPoint(CGRectInset(bounds(), -kTrackingSlop, -kTrackingSlop), p);
}

void UIControl::touchesBegan(NSSet*, UIEvent* event) {
    if (!enabled_) return;
    tracking_ = true;
    touchInside_ = true;
    setHighlighted(true);
    send(UIControlEventTouchDown, event);
}

void UIControl::touchesMoved(NSSet* touches, UIEvent* event) {
    if (!tracking_) return;
    const bool wasInside = touchInside_;
    touchInside_ = inside(touches ? objc::cast<UITouch>(touches->anyObject()) : nullptr);
    setHighlighted(touchInside_);
    UIControlEvents events = touchInside_ ? UIControlEventTouchDragInside : UIControlEventTouchDragOutside;
    if (touchInside_ != wasInside) events |= touchInside_ ? UIControlEventTouchDragEnter : UIControlEventTouchDragExit;
    send(events, event);
}

void UIControl::touchesEnded(NSSet* touches, UIEvent* event) {
    if (!tracking_) return;
    touchInside_ = inside(touches ? objc::cast<UITouch>(touches->anyObject()) : nullptr);
    tracking_ = false;
    setHighlighted(false);
    send(touchInside_ ? UIControlEventTouchUpInside : UIControlEventTouchUpOutside, event);
}

void UIControl::touchesCancelled(NSSet*, UIEvent* event) {
    if (!tracking_) return;
    tracking_ = false;
    touchInside_ = false;
    setHighlighted(false);
    send(UIControlEventTouchCancel, event);
}
