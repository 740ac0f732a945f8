#include "UIKit/UIResponder.h"

#include "objc/ClassBuilder.h"

Class UIResponder::class_() {
    static Class cls = objc::ClassBuilder<UIResponder>("UIResponder", NSObject::class_()).allocatable().build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIResponder::class_();

void UIResponder::touchesBegan(NSSet*, UIEvent*) {}
void UIResponder::touchesMoved(NSSet*, UIEvent*) {}
void UIResponder::touchesEnded(NSSet*, UIEvent*) {}
void UIResponder::touchesCancelled(NSSet*, UIEvent*) {}
