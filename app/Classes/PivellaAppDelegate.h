// The settings app's delegate: at launch it builds the one window with a
// navigation stack whose root is the account list, and puts a hint line in
// the stack's black translucent toolbar. Other screens reach the account
// list through `navigationController`, whose first screen it is.
#pragma once

#include "CoreGraphics/CGBase.h"
#include "objc/NSObject.h"

class UIApplication;
class UINavigationController;
class UIWindow;

class PivellaAppDelegate : public NSObject {
    KORVEL_OBJC_CLASS(PivellaAppDelegate)
public:
    static constexpr const char* kHint = "Click Email to Choose a Color Label";
    static constexpr CGFloat kHintHeight = 21;

    PivellaAppDelegate();
    ~PivellaAppDelegate() override;

    // Launch options are ignored; answers YES.
    bool didFinishLaunchingWithOptions(UIApplication* application, NSObject* options);
    // Nothing to save: every change was saved when it was made.
    void applicationWillTerminate(UIApplication* application);

    UIWindow* window() const { return window_; }
    void setWindow(UIWindow* window);
    UINavigationController* navigationController() const { return navigationController_; }
    void setNavigationController(UINavigationController* controller);

private:
    // Members go in reverse order: the navigation stack, then the window.
    Ref<UIWindow> window_;
    Ref<UINavigationController> navigationController_;
};
