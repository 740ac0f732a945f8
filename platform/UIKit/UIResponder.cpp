#include "UIKit/UIResponder.h"

#include "Foundation/NSSet.h"
#include "UIKit/UIEvent.h"
#include "objc/ClassBuilder.h"

namespace {

// Not retained: a responder that goes away stops being the first one.
UIResponder*& current() {
    static UIResponder* responder = nullptr;
    return responder;
}

void passOn(const UIResponder* self, const char* selector, NSSet* touches, UIEvent* event) {
    if (UIResponder* next = self->nextResponder())
        objc::send<void, id, id>(next, selector, touches, event);
}

}  // namespace

Class UIResponder::class_() {
    using R = UIResponder;
    static Class cls = objc::ClassBuilder<R>("UIResponder", NSObject::class_())
                           .method<&R::nextResponder>("nextResponder")
                           .method<&R::touchesBegan>("touchesBegan:withEvent:")
                           .method<&R::touchesMoved>("touchesMoved:withEvent:")
                           .method<&R::touchesEnded>("touchesEnded:withEvent:")
                           .method<&R::touchesCancelled>("touchesCancelled:withEvent:")
                           .method<&R::isFirstResponder>("isFirstResponder")
                           .method<&R::canBecomeFirstResponder>("canBecomeFirstResponder")
                           .method<&R::becomeFirstResponder>("becomeFirstResponder")
                           .method<&R::canResignFirstResponder>("canResignFirstResponder")
                           .method<&R::resignFirstResponder>("resignFirstResponder")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIResponder::class_();

UIResponder::~UIResponder() {
    if (current() == this) current() = nullptr;
}

void UIResponder::touchesBegan(NSSet* touches, UIEvent* event) {
    passOn(this, "touchesBegan:withEvent:", touches, event);
}
void UIResponder::touchesMoved(NSSet* touches, UIEvent* event) {
    passOn(this, "touchesMoved:withEvent:", touches, event);
}
void UIResponder::touchesEnded(NSSet* touches, UIEvent* event) {
    passOn(this, "touchesEnded:withEvent:", touches, event);
}
void UIResponder::touchesCancelled(NSSet* touches, UIEvent* event) {
    passOn(this, "touchesCancelled:withEvent:", touches, event);
}

UIResponder* UIResponder::firstResponder() { return current(); }

bool UIResponder::becomeFirstResponder() {
    if (isFirstResponder()) return true;
    if (!canBecomeFirstResponder()) return false;
    if (UIResponder* previous = current(); previous && !previous->resignFirstResponder()) return false;
    current() = this;
    return true;
}

bool UIResponder::resignFirstResponder() {
    if (!canResignFirstResponder()) return false;
    if (isFirstResponder()) current() = nullptr;
    return true;
}
