// The running app: its delegate, its windows and the key window among them,
// and its life (launch, background, foreground, termination), each step told
// to the delegate by selector (when it answers it) and posted as the matching
// notification. UIApplicationMain makes the one shared application and hands
// the run to the device host.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "UIKit/UIResponder.h"

class NSArray;
class NSString;
class NSURL;
class UIEvent;
class UIWindow;

extern NSString* const UIApplicationDidFinishLaunchingNotification;
extern NSString* const UIApplicationDidBecomeActiveNotification;
extern NSString* const UIApplicationWillResignActiveNotification;
extern NSString* const UIApplicationDidEnterBackgroundNotification;
extern NSString* const UIApplicationWillEnterForegroundNotification;
extern NSString* const UIApplicationWillTerminateNotification;

enum UIApplicationState : NSInteger {
    UIApplicationStateActive = 0,
    UIApplicationStateInactive = 1,
    UIApplicationStateBackground = 2,
};

enum UIInterfaceOrientation : NSInteger {
    UIInterfaceOrientationPortrait = 1,
    UIInterfaceOrientationPortraitUpsideDown = 2,
    UIInterfaceOrientationLandscapeLeft = 3,
    UIInterfaceOrientationLandscapeRight = 4,
};

// Makes the application and its delegate (the classes found by name; a nil
// principal class name means UIApplication) and runs it in the host that
// registered itself with UIApplicationHost, which reads the command line. Answers the process's exit status.
int UIApplicationMain(int argc, char* argv[], NSString* principalClassName, NSString* delegateClassName);

class UIApplication : public UIResponder {
    KORVEL_OBJC_CLASS(UIApplication)
public:
    UIApplication();
    ~UIApplication() override;

    // nil until an application has been made.
    static UIApplication* sharedApplication();

    // Makes the shared application of the class named `principalClassName`
    // (nil: UIApplication) and its delegate of the class named
    // `delegateClassName` (nil: none), each by alloc and init sent by
    // selector. The application keeps the delegate it made. nil, with a
    // message in `error`, when a class is missing or not of the right kind.
    static Ref<UIApplication> create(NSString* principalClassName, NSString* delegateClassName, std::string& error);

    // Not retained.
    NSObject* delegate() const { return delegate_; }
    void setDelegate(NSObject* delegate) { delegate_ = delegate; }

    UIWindow* keyWindow() const { return keyWindow_; }
    // Every window that exists, in order of creation.
    Ref<NSArray> windows() const;

    UIApplicationState applicationState() const { return state_; }

    // Hands the URL to the host; NO when nothing opens it.
    bool openURL(NSURL* url);
    using URLOpener = std::function<bool(NSURL* url)>;
    void setURLOpener(URLOpener opener) { urlOpener_ = std::move(opener); }

    bool isStatusBarHidden() const { return statusBarHidden_; }
    void setStatusBarHidden(bool hidden, bool animated);

    // Passes touches to the window they are on.
    void sendEvent(UIEvent* event);

    // The delegate, when it is a responder.
    UIResponder* nextResponder() const override;

    // The life of the app, driven by the host.
    void finishLaunching();
    void enterBackground();
    void enterForeground();
    void terminate();

    // Windows report in and out.
    void windowMade(UIWindow* window);
    void windowWillGo(UIWindow* window);
    void setKeyWindow(UIWindow* window);

private:
    // Sends `selector` (taking the application) to the delegate when it
    // answers it, then posts `name` with the application as its object.
    void tell(const char* selector, NSString* name);

    NSObject* delegate_ = nullptr;
    Ref<NSObject> ownDelegate_;
    std::vector<UIWindow*> windows_;
    UIWindow* keyWindow_ = nullptr;
    UIApplicationState state_ = UIApplicationStateInactive;
    bool statusBarHidden_ = false;
    URLOpener urlOpener_;
};
