// A stack of screens with a navigation bar across the top and a toolbar
// (hidden unless asked for) along the bottom. The top screen's view fills
// the room between the bars; pushing and popping swap it with the
// appearance messages, keep the bar's items in step, and tell the delegate
// navigationController:willShowViewController:animated: before and
// navigationController:didShowViewController:animated: after, each only when
// it answers it. The bar's back button pops the top screen.
//
// The bars exist from the start, sized for the screen, so that a toolbar can
// be styled and measured before the view is loaded.
#pragma once

#include <vector>

#include "UIKit/UIViewController.h"

class NSArray;
class UINavigationBar;
class UINavigationItem;
class UIToolbar;

class UINavigationController : public UIViewController {
    KORVEL_OBJC_CLASS(UINavigationController)
public:
    UINavigationController();
    ~UINavigationController() override;

    // A nil root gives an empty stack.
    UINavigationController* initWithRootViewController(UIViewController* root);
    static Ref<UINavigationController> withRootViewController(UIViewController* root);

    Ref<NSArray> viewControllers() const;
    // Modal screens are left out; screens of another stack are taken from it.
    void setViewControllers(NSArray* controllers, bool animated);
    UIViewController* topViewController() const;
    // The modal screen the stack presents, else the top screen.
    UIViewController* visibleViewController() const;

    // A nil screen, a modal one or one already in this stack is refused; one
    // in another stack is taken from it.
    void pushViewController(UIViewController* controller, bool animated);
    // The popped screen; nil when only the root is left.
    Ref<UIViewController> popViewControllerAnimated(bool animated);
    // The popped screens, bottom first.
    Ref<NSArray> popToRootViewControllerAnimated(bool animated);

    UINavigationBar* navigationBar() const { return navigationBar_; }
    bool isNavigationBarHidden() const { return navigationBarHidden_; }
    void setNavigationBarHidden(bool hidden);
    void setNavigationBarHidden(bool hidden, bool animated);

    UIToolbar* toolbar() const { return toolbar_; }
    bool isToolbarHidden() const { return toolbarHidden_; }
    void setToolbarHidden(bool hidden);
    void setToolbarHidden(bool hidden, bool animated);

    // Not retained.
    NSObject* delegate() const { return delegate_; }
    void setDelegate(NSObject* delegate) { delegate_ = delegate; }

    void loadView() override;
    // The navigation stack's own appearance is its top screen's.
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;

    // The bar's back button: pops the top screen (which pops its item) and
    // answers NO, so the bar pops nothing more.
    bool navigationBarShouldPopItem(UINavigationBar* bar, UINavigationItem* item);

    // The room between the bars, in the navigation view's coordinates.
    CGRect contentFrame() const;

private:
    // Whether the screen may join this stack: it is no modal screen, and a
    // screen in another navigation stack is first taken out of that one.
    bool adoptable(UIViewController* controller);
    // Takes a screen out of the stack without the appearance messages.
    void letGo(UIViewController* controller);
    // Gives the bar the navigation items of the stack's screens, bottom first.
    void showStackItems(bool animated);
    bool onScreen() const;
    // Puts the bars and the top screen's view in place.
    void layoutBars();
    // Swaps `outgoing`'s view for `incoming`'s, with the appearance messages
    // when on screen and the delegate's around them.
    void transition(UIViewController* outgoing, UIViewController* incoming, bool animated);
    void tellDelegate(const char* selector, UIViewController* shown, bool animated);

    std::vector<Ref<UIViewController>> stack_;
    Ref<UINavigationBar> navigationBar_;
    Ref<UIToolbar> toolbar_;
    bool navigationBarHidden_ = false;
    bool toolbarHidden_ = true;
    NSObject* delegate_ = nullptr;
};
