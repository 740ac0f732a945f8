// Base of everything that takes part in event handling. The touch operations
// are empty here; a responder that handles touches overrides them.
#pragma once

#include "objc/NSObject.h"

class NSSet;
class UIEvent;

class UIResponder : public NSObject {
    KORVEL_OBJC_CLASS(UIResponder)
public:
    // The next responder in the chain; nil here.
    virtual UIResponder* nextResponder() const { return nullptr; }

    virtual void touchesBegan(NSSet* touches, UIEvent* event);
    virtual void touchesMoved(NSSet* touches, UIEvent* event);
    virtual void touchesEnded(NSSet* touches, UIEvent* event);
    virtual void touchesCancelled(NSSet* touches, UIEvent* event);
};
