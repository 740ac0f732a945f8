// A view that turns touches (or edits) into control events and sends each
// event's actions to their targets by selector. Targets are not retained. A
// nil target means the first object along the responder chain, from the
// control on, that answers the action. An action takes no argument, the
// control ("action:"), or the control and the event ("action:forEvent:").
//
// Touch tracking: touch down highlights the control; while the finger moves
// it stays highlighted as long as it is within kTrackingSlop points of the
// bounds; lifting there is touch-up-inside, elsewhere touch-up-outside. A
// control takes the touches it tracks: they do not go on up the responder
// chain. A disabled control tracks nothing.
#pragma once

#include <vector>

#include "UIKit/UIView.h"

class UITouch;

typedef NSUInteger UIControlEvents;
enum : NSUInteger {
    UIControlEventTouchDown = 1 << 0,
    UIControlEventTouchDownRepeat = 1 << 1,
    UIControlEventTouchDragInside = 1 << 2,
    UIControlEventTouchDragOutside = 1 << 3,
    UIControlEventTouchDragEnter = 1 << 4,
    UIControlEventTouchDragExit = 1 << 5,
    UIControlEventTouchUpInside = 1 << 6,
    UIControlEventTouchUpOutside = 1 << 7,
    UIControlEventTouchCancel = 1 << 8,
    UIControlEventValueChanged = 1 << 12,
    UIControlEventEditingDidBegin = 1 << 16,
    UIControlEventEditingChanged = 1 << 17,
    UIControlEventEditingDidEnd = 1 << 18,
    UIControlEventEditingDidEndOnExit = 1 << 19,
    UIControlEventAllTouchEvents = 0x00000FFF,
    UIControlEventAllEditingEvents = 0x000F0000,
    UIControlEventAllEvents = 0xFFFFFFFF,
};

typedef NSUInteger UIControlState;
enum : NSUInteger {
    UIControlStateNormal = 0,
    UIControlStateHighlighted = 1 << 0,
    UIControlStateDisabled = 1 << 1,
    UIControlStateSelected = 1 << 2,
};

class UIControl : public UIView {
    KORVEL_OBJC_CLASS(UIControl)
public:
    static constexpr CGFloat kTrackingSlop = 70;

    UIControl();
    ~UIControl() override;

    // Adding an action a target already has for other events adds the events.
    void addTarget(id target, SEL action, UIControlEvents events);
    // A nil action removes all of the target's actions for the events; a nil
    // target removes every target's.
    void removeTarget(id target, SEL action, UIControlEvents events);
    UIControlEvents allControlEvents() const;
    // Sends the actions of every target registered for any of the events,
    // in the order they were added.
    void sendActionsForControlEvents(UIControlEvents events);
    virtual void sendAction(SEL action, id target, UIEvent* event);

    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted);
    UIControlState state() const;
    bool isTracking() const { return tracking_; }
    bool isTouchInside() const { return touchInside_; }

    void touchesBegan(NSSet* touches, UIEvent* event) override;
    void touchesMoved(NSSet* touches, UIEvent* event) override;
    void touchesEnded(NSSet* touches, UIEvent* event) override;
    void touchesCancelled(NSSet* touches, UIEvent* event) override;

private:
    struct Action {
        id target;
        SEL action;
        UIControlEvents events;
    };

    void send(UIControlEvents events, UIEvent* event);
    bool inside(UITouch* touch) const;

    std::vector<Action> actions_;
    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
    bool tracking_ = false;
    bool touchInside_ = false;
};
