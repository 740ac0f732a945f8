// Manages one screen: a view made on first use (loadView, then viewDidLoad),
// the appearance messages sent as it comes and goes, its navigation item, and
// the modal screen it presents over itself.
//
// The lifecycle operations (loadView, viewDidLoad, viewWillAppear: and the
// rest) are sent by selector, so a subclass made only in the runtime, or a
// replaced implementation, is what runs.
//
// Modal presentation: the presented screen's view covers the window the
// presenter is shown in; the covered view leaves the window until the modal
// screen is dismissed, so it receives no input meanwhile. A screen inside a
// container (a navigation stack) presents from its outermost container, and
// a screen that already presents one presents from the top of that chain. A
// dismissal sent to a screen that presents nothing travels to its container
// and then to its presenter, so a presented screen can close itself.
#pragma once

#include "CoreGraphics/CGGeometry.h"
#include "UIKit/UIApplication.h"

class NSBundle;
class NSString;
class UINavigationController;
class UINavigationItem;
class UIView;

class UIViewController : public UIResponder {
    KORVEL_OBJC_CLASS(UIViewController)
public:
    UIViewController();
    ~UIViewController() override;

    // initWithNibName:bundle: with neither.
    UIViewController* init();
    // Keeps the interface file's name and bundle for loadView.
    virtual UIViewController* initWithNibName(NSString* nibName, NSBundle* bundle);

    NSString* nibName() const { return nibName_; }
    NSBundle* nibBundle() const { return nibBundle_; }

    // Loads the view on first use: loadView, then viewDidLoad.
    UIView* view();
    bool isViewLoaded() const { return view_ != nullptr; }
    // A nil view unloads it; the next `view` loads again.
    void setView(UIView* view);
    // The controller whose view this is; nil when none.
    static UIViewController* controllerOfView(const UIView* view);

    // The view of the controller's interface file (named by its nib name,
    // else after its class) when the main bundle has one that gives the
    // controller a view; otherwise a plain view the size of the screen.
    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewDidUnload() {}
    // Drops the view when it is not on screen, then viewDidUnload.
    virtual void didReceiveMemoryWarning();

    virtual void viewWillAppear(bool animated);
    virtual void viewDidAppear(bool animated);
    virtual void viewWillDisappear(bool animated);
    virtual void viewDidDisappear(bool animated);

    NSString* title() const { return title_; }
    // Also the navigation item's title.
    virtual void setTitle(NSString* title);
    // Made on first use, titled with the controller's title.
    UINavigationItem* navigationItem();

    // The nearest navigation stack this screen is in; nil when none.
    UINavigationController* navigationController() const;
    // The container this screen is in, else the screen that presented it.
    UIViewController* parentViewController() const;
    UIViewController* modalViewController() const { return modal_; }

    void presentModalViewController(UIViewController* controller, bool animated);
    void dismissModalViewControllerAnimated(bool animated);

    // The orientation of the window the screen's view is in; upright when
    // it is in none.
    UIInterfaceOrientation interfaceOrientation() const;
    // Upright only.
    virtual bool shouldAutorotateToInterfaceOrientation(NSInteger orientation);

    // Sends one of the appearance selectors ("viewWillAppear:" ...) by
    // selector.
    void sendAppearance(const char* selector, bool animated);

private:
    void loadPlainView();

    // The container that adopts its children and lets them go.
    friend class UINavigationController;

    Ref<NSString> nibName_;
    Ref<NSBundle> nibBundle_;
    Ref<UIView> view_;
    Ref<NSString> title_;
    Ref<UINavigationItem> navigationItem_;
    UIViewController* parent_ = nullptr;
    UIViewController* presenter_ = nullptr;
    Ref<UIViewController> modal_;
    // Where the covered view sat before the modal screen took its place.
    Ref<UIView> coveredSuperview_;
    NSInteger coveredIndex_ = 0;
};
