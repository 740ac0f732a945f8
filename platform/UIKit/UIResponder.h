// Base of everything that takes part in event handling. Touches travel the
// responder chain by selector: each touch operation here passes the call on
// to the next responder, so a responder that does not handle touches lets
// them through. Keyboard input goes to the one first responder.
#pragma once

#include "objc/NSObject.h"

class NSSet;
class UIEvent;

class UIResponder : public NSObject {
    KORVEL_OBJC_CLASS(UIResponder)
public:
    ~UIResponder() override;

    // The next responder in the chain; nil here.
    virtual UIResponder* nextResponder() const { return nullptr; }

    virtual void touchesBegan(NSSet* touches, UIEvent* event);
    virtual void touchesMoved(NSSet* touches, UIEvent* event);
    virtual void touchesEnded(NSSet* touches, UIEvent* event);
    virtual void touchesCancelled(NSSet* touches, UIEvent* event);

    // The responder that keyboard input goes to; nil when none.
    static UIResponder* firstResponder();
    bool isFirstResponder() const { return firstResponder() == this; }
    virtual bool canBecomeFirstResponder() const { return false; }
    // Takes the keyboard when this responder can and the present first
    // responder lets it go.
    virtual bool becomeFirstResponder();
    virtual bool canResignFirstResponder() const { return true; }
    virtual bool resignFirstResponder();
};
