#include "Classes/PivellaAppDelegate.h"

#include "Classes/RootViewController.h"
#include "Foundation/NSString.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIColor.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIToolbar.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"

Class PivellaAppDelegate::class_() {
    using C = PivellaAppDelegate;
    static Class cls = objc::ClassBuilder<C>("PivellaAppDelegate", NSObject::class_())
                           .method<&C::didFinishLaunchingWithOptions>("application:didFinishLaunchingWithOptions:")
                           .method<&C::applicationWillTerminate>("applicationWillTerminate:")
                           .method<&C::window>("window")
                           .method<&C::setWindow>("setWindow:")
                           .method<&C::navigationController>("navigationController")
                           .method<&C::setNavigationController>("setNavigationController:")
                           .allocatable()
                           .build();
    return cls;
}

// UIApplicationMain finds the delegate by name.
[[maybe_unused]] static const Class kRegistered = PivellaAppDelegate::class_();

PivellaAppDelegate::PivellaAppDelegate() = default;

PivellaAppDelegate::~PivellaAppDelegate() = default;

bool PivellaAppDelegate::didFinishLaunchingWithOptions(UIApplication*, NSObject*) {
    UIScreen* screen = UIScreen::mainScreen();
    setWindow(UIView::withFrame<UIWindow>(screen ? screen->bounds() : CGRectZero));

    auto accounts = make<RootViewController>();
    accounts->initWithStyle(UITableViewStylePlain);
    setNavigationController(UINavigationController::withRootViewController(accounts));
    navigationController_->setToolbarHidden(false);
    UIToolbar* toolbar = navigationController_->toolbar();
    toolbar->setBarStyle(UIBarStyleBlackTranslucent);

    CGRect bar = toolbar->frame();
    auto hint = UIView::withFrame<UILabel>(CGRectMake(0, bar.size.height * 0.25f, bar.size.width, kHintHeight));
    hint->setBackgroundColor(UIColor::clearColor());
    hint->setTextColor(UIColor::whiteColor());
    hint->setText(NSString::from(kHint));
    hint->setTextAlignment(UITextAlignmentCenter);
    toolbar->addSubview(hint);

    window_->addSubview(navigationController_->view());
    window_->makeKeyAndVisible();
    return true;
}

void PivellaAppDelegate::applicationWillTerminate(UIApplication*) {}

void PivellaAppDelegate::setWindow(UIWindow* window) { window_ = window; }

void PivellaAppDelegate::setNavigationController(UINavigationController* controller) {
    navigationController_ = controller;
}
