// Delivers notifications to the observers registered for their name and
// object. Observers are not retained: an observer removes its registrations
// before it goes away. Registrations added during a delivery see the next
// notification, not the current one; registrations removed during a delivery
// receive nothing more, not even the rest of the current one.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "objc/NSObject.h"

class NSDictionary;
class NSNotification;
class NSString;

class NSNotificationCenter : public NSObject {
    KORVEL_OBJC_CLASS(NSNotificationCenter)
public:
    static NSNotificationCenter* defaultCenter();

    // Sends `selector` (one argument: the notification) to `observer` for
    // each notification named `name` (nil: any name) about `object` (nil:
    // any object; otherwise that very object).
    void addObserver(id observer, SEL selector, NSString* name, id object);
    // Calls `function` instead; the answer is the registration's observer,
    // kept by the centre until it is removed with removeObserver.
    Ref<NSObject> addObserverForName(NSString* name, id object, std::function<void(NSNotification*)> function);

    // Every registration of `observer`.
    void removeObserver(id observer);
    // The registrations of `observer` for `name` and `object` (nil: any).
    void removeObserver(id observer, NSString* name, id object);

    void postNotification(NSNotification* notification);
    void postNotificationName(NSString* name, id object);
    void postNotificationName(NSString* name, id object, NSDictionary* userInfo);

    ~NSNotificationCenter() override;

private:
    struct Registration {
        id observer;
        SEL selector;
        std::optional<std::string> name;
        id object;
        std::function<void(NSNotification*)> function;
        Ref<NSObject> functionObserver;
        bool removed = false;
    };

    void remove(id observer, const std::optional<std::string>& name, id object);

    std::vector<std::shared_ptr<Registration>> registrations_;
};
