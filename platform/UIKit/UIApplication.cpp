#include "UIKit/UIApplication.h"

#include <algorithm>

#include "Foundation/NSArray.h"
#include "Foundation/NSNotificationCenter.h"
#include "Foundation/NSSet.h"
#include "Foundation/NSString.h"
#include "Foundation/NSURL.h"
#include "UIKit/UIApplicationHost.h"
#include "UIKit/UIEvent.h"
#include "UIKit/UITouch.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"

NSString* const UIApplicationDidFinishLaunchingNotification =
    NSString::from("UIApplicationDidFinishLaunchingNotification").leak();
NSString* const UIApplicationDidBecomeActiveNotification =
    NSString::from("UIApplicationDidBecomeActiveNotification").leak();
NSString* const UIApplicationWillResignActiveNotification =
    NSString::from("UIApplicationWillResignActiveNotification").leak();
NSString* const UIApplicationDidEnterBackgroundNotification =
    NSString::from("UIApplicationDidEnterBackgroundNotification").leak();
NSString* const UIApplicationWillEnterForegroundNotification =
    NSString::from("UIApplicationWillEnterForegroundNotification").leak();
NSString* const UIApplicationWillTerminateNotification =
    NSString::from("UIApplicationWillTerminateNotification").leak();

namespace {

UIApplication*& shared() {
    static UIApplication* app = nullptr;
    return app;
}

// alloc, then init, both sent by selector; nil when the class cannot make one.
id makeByName(Class cls) {
    id classObject = reinterpret_cast<id>(cls);
    if (!objc::send<BOOL, SEL>(classObject, "respondsToSelector:", sel_registerName("alloc"))) return nullptr;
    return objc::send<id>(objc::send<id>(classObject, "alloc"), "init");
}

}  // namespace

Class UIApplication::class_() {
    static Class cls = objc::ClassBuilder<UIApplication>("UIApplication", UIResponder::class_())
                           .classMethod<&UIApplication::sharedApplication>("sharedApplication")
                           .method<&UIApplication::delegate>("delegate")
                           .method<&UIApplication::setDelegate>("setDelegate:")
                           .method<&UIApplication::keyWindow>("keyWindow")
                           .method<&UIApplication::windows>("windows")
                           .method<&UIApplication::applicationState>("applicationState")
                           .method<&UIApplication::openURL>("openURL:")
                           .method<&UIApplication::isStatusBarHidden>("isStatusBarHidden")
                           .method<&UIApplication::setStatusBarHidden>("setStatusBarHidden:animated:")
                           .method<&UIApplication::sendEvent>("sendEvent:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIApplication::class_();

int UIApplicationMain(int argc, char* argv[], NSString* principalClassName, NSString* delegateClassName) {
    return UIApplicationHost::run(argc, argv, principalClassName, delegateClassName);
}

UIApplication::UIApplication() {
    if (!shared()) shared() = this;
}

UIApplication::~UIApplication() {
    if (shared() == this) shared() = nullptr;
}

UIApplication* UIApplication::sharedApplication() { return shared(); }

Ref<UIApplication> UIApplication::create(NSString* principalClassName, NSString* delegateClassName, std::string& error) {
    if (shared()) {
        error = "an application is already running";
        return nullptr;
    }
    Class appClass = principalClassName ? objc_getClass(principalClassName->UTF8String()) : UIApplication::class_();
    if (!appClass || !appClass->isSubclassOf(UIApplication::class_())) {
        error = "no application class named " + principalClassName->str();
        return nullptr;
    }
    Class delegateClass = delegateClassName ? objc_getClass(delegateClassName->UTF8String()) : nullptr;
    if (delegateClassName && !delegateClass) {
        error = "no class named " + delegateClassName->str() + " for the application delegate";
        return nullptr;
    }
    auto app = Ref<UIApplication>::adopt(objc::cast<UIApplication>(makeByName(appClass)));
    if (!app || shared() != app.get()) {
        error = "the class " + std::string(class_getName(appClass)) + " made no application";
        return nullptr;
    }
    if (delegateClass) {
        app->ownDelegate_ = Ref<NSObject>::adopt(objc::cast<NSObject>(makeByName(delegateClass)));
        if (!app->ownDelegate_) {
            error = "the class " + delegateClassName->str() + " made no application delegate";
            return nullptr;
        }
        app->delegate_ = app->ownDelegate_;
    }
    return app;
}

Ref<NSArray> UIApplication::windows() const {
    return make<NSArray>(std::vector<Ref<NSObject>>(windows_.begin(), windows_.end()));
}

bool UIApplication::openURL(NSURL* url) { return url && urlOpener_ && urlOpener_(url); }

void UIApplication::setStatusBarHidden(bool hidden, bool) { statusBarHidden_ = hidden; }

void UIApplication::sendEvent(UIEvent* event) {
    if (!event) return;
    auto* touch = objc::cast<UITouch>(event->allTouches()->anyObject());
    if (UIWindow* window = touch ? touch->window() : nullptr) window->sendEvent(event);
}

UIResponder* UIApplication::nextResponder() const { return objc::cast<UIResponder>(delegate_); }

void UIApplication::tell(const char* selector, NSString* name) {
    Ref<UIApplication> keep(this);
    SEL s = sel_registerName(selector);
    if (delegate_ && delegate_->respondsToSelector(s)) objc::send<void, id>(delegate_, s, this);
    NSNotificationCenter::defaultCenter()->postNotificationName(name, this);
}

void UIApplication::finishLaunching() {
    Ref<UIApplication> keep(this);
    SEL withOptions = sel_registerName("application:didFinishLaunchingWithOptions:");
    if (delegate_ && delegate_->respondsToSelector(withOptions)) {
        objc::send<BOOL, id, id>(delegate_, withOptions, this, nullptr);
    } else if (objc::responds(delegate_, "applicationDidFinishLaunching:")) {
        objc::send<void, id>(delegate_, "applicationDidFinishLaunching:", this);
    }
    NSNotificationCenter::defaultCenter()->postNotificationName(UIApplicationDidFinishLaunchingNotification, this);
    state_ = UIApplicationStateActive;
    tell("applicationDidBecomeActive:", UIApplicationDidBecomeActiveNotification);
}

void UIApplication::enterBackground() {
    if (state_ == UIApplicationStateBackground) return;
    tell("applicationWillResignActive:", UIApplicationWillResignActiveNotification);
    state_ = UIApplicationStateBackground;
    tell("applicationDidEnterBackground:", UIApplicationDidEnterBackgroundNotification);
}

void UIApplication::enterForeground() {
    if (state_ != UIApplicationStateBackground) return;
    tell("applicationWillEnterForeground:", UIApplicationWillEnterForegroundNotification);
    state_ = UIApplicationStateActive;
    tell("applicationDidBecomeActive:", UIApplicationDidBecomeActiveNotification);
}

void UIApplication::terminate() { tell("applicationWillTerminate:", UIApplicationWillTerminateNotification); }

void UIApplication::windowMade(UIWindow* window) {
    if (window && std::find(windows_.begin(), windows_.end(), window) == windows_.end()) windows_.push_back(window);
}

void UIApplication::windowWillGo(UIWindow* window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
    if (keyWindow_ == window) keyWindow_ = nullptr;
}

void UIApplication::setKeyWindow(UIWindow* window) {
    windowMade(window);
    keyWindow_ = window;
}
