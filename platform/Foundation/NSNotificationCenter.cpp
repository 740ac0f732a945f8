#include "Foundation/NSNotificationCenter.h"

#include "Foundation/NSDictionary.h"
#include "Foundation/NSNotification.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

namespace {

std::optional<std::string> nameOf(const NSString* name) {
    return name ? std::optional<std::string>(name->str()) : std::nullopt;
}

}  // namespace

Class NSNotificationCenter::class_() {
    using Center = NSNotificationCenter;
    static Class cls =
        objc::ClassBuilder<Center>("NSNotificationCenter", NSObject::class_())
            .classMethod<&Center::defaultCenter>("defaultCenter")
            .method<&Center::addObserver>("addObserver:selector:name:object:")
            .method<static_cast<void (Center::*)(id)>(&Center::removeObserver)>("removeObserver:")
            .method<static_cast<void (Center::*)(id, NSString*, id)>(&Center::removeObserver)>(
                "removeObserver:name:object:")
            .method<&Center::postNotification>("postNotification:")
            .method<static_cast<void (Center::*)(NSString*, id)>(&Center::postNotificationName)>(
                "postNotificationName:object:")
            .method<static_cast<void (Center::*)(NSString*, id, NSDictionary*)>(&Center::postNotificationName)>(
                "postNotificationName:object:userInfo:")
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSNotificationCenter::class_();

NSNotificationCenter::~NSNotificationCenter() = default;

NSNotificationCenter* NSNotificationCenter::defaultCenter() {
    // Lives as long as the process; never released.
    static NSNotificationCenter* center = new NSNotificationCenter();
    return center;
}

void NSNotificationCenter::addObserver(id observer, SEL selector, NSString* name, id object) {
    if (!observer || !selector) return;
    registrations_.push_back(
        std::make_shared<Registration>(Registration{observer, selector, nameOf(name), object, nullptr, nullptr}));
}

Ref<NSObject> NSNotificationCenter::addObserverForName(NSString* name, id object,
                                                       std::function<void(NSNotification*)> function) {
    auto observer = make<NSObject>();
    if (function)
        registrations_.push_back(std::make_shared<Registration>(
            Registration{observer.get(), nullptr, nameOf(name), object, std::move(function), observer}));
    return observer;
}

void NSNotificationCenter::removeObserver(id observer) { remove(observer, std::nullopt, nullptr); }

void NSNotificationCenter::removeObserver(id observer, NSString* name, id object) {
    remove(observer, nameOf(name), object);
}

void NSNotificationCenter::remove(id observer, const std::optional<std::string>& name, id object) {
    if (!observer) return;
    // Taken out of the list first: dropping a function's observer may run
    // teardown code that registers or removes in turn.
    std::vector<std::shared_ptr<Registration>> removed;
    std::erase_if(registrations_, [&](const std::shared_ptr<Registration>& r) {
        bool match = r->observer == observer && (!name || r->name == name) && (!object || r->object == object);
        if (match) {
            r->removed = true;
            removed.push_back(r);
        }
        return match;
    });
    for (auto& r : removed) {
        r->function = nullptr;
        r->functionObserver = nullptr;
    }
}

void NSNotificationCenter::postNotification(NSNotification* notification) {
    if (!notification || !notification->name()) return;
    Ref<NSNotification> keep(notification);
    const std::string& name = notification->name()->str();
    std::vector<std::shared_ptr<Registration>> receivers;
    for (const auto& r : registrations_)
        if ((!r->name || *r->name == name) && (!r->object || r->object == notification->object()))
            receivers.push_back(r);
    for (const auto& r : receivers) {
        if (r->removed) continue;
        if (r->function) {
            // A copy: the function may remove its own registration.
            auto function = r->function;
            function(notification);
        } else {
            objc::send<void, id>(r->observer, r->selector, notification);
        }
    }
}

void NSNotificationCenter::postNotificationName(NSString* name, id object) {
    postNotificationName(name, object, nullptr);
}

void NSNotificationCenter::postNotificationName(NSString* name, id object, NSDictionary* userInfo) {
    if (!name) return;
    postNotification(NSNotification::notificationWithName(name, object, userInfo));
}
