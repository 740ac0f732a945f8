#include "UIKit/UIEvent.h"

#include "Foundation/NSSet.h"
#include "UIKit/UITouch.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"

Class UIEvent::class_() {
    static Class cls = objc::ClassBuilder<UIEvent>("UIEvent", NSObject::class_())
                           .method<&UIEvent::type>("type")
                           .method<&UIEvent::timestamp>("timestamp")
                           .method<&UIEvent::allTouches>("allTouches")
                           .method<&UIEvent::touchesForView>("touchesForView:")
                           .method<&UIEvent::touchesForWindow>("touchesForWindow:")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIEvent::class_();

UIEvent::UIEvent() = default;
UIEvent::~UIEvent() = default;

Ref<UIEvent> UIEvent::withTouch(UITouch* touch) {
    auto event = make<UIEvent>();
    event->touch_ = touch;
    return event;
}

double UIEvent::timestamp() const { return touch_ ? touch_->timestamp() : 0; }

Ref<NSSet> UIEvent::allTouches() const { return touch_ ? NSSet::setWithObjects({touch_.get()}) : NSSet::set(); }

Ref<NSSet> UIEvent::touchesForView(UIView* view) const {
    return touch_ && view && touch_->view() == view ? allTouches() : NSSet::set();
}

Ref<NSSet> UIEvent::touchesForWindow(UIWindow* window) const {
    return touch_ && window && touch_->window() == window ? allTouches() : NSSet::set();
}
