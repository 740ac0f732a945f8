#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppFixture.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSString.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UIViewController.h"
#include "objc/ClassBuilder.h"

namespace {

std::vector<std::string> events;

// Notes every lifecycle message under its name.
class NotingController : public UIViewController {
    KORVEL_OBJC_CLASS(NotingController)
public:
    std::string name = "screen";

    void loadView() override {
        events.push_back(name + " loadView");
        UIViewController::loadView();
    }
    void viewDidLoad() override { events.push_back(name + " viewDidLoad"); }
    void viewWillAppear(bool) override { events.push_back(name + " willAppear"); }
    void viewDidAppear(bool) override { events.push_back(name + " didAppear"); }
    void viewWillDisappear(bool) override { events.push_back(name + " willDisappear"); }
    void viewDidDisappear(bool) override { events.push_back(name + " didDisappear"); }
};

Class NotingController::class_() {
    static Class cls =
        objc::ClassBuilder<NotingController>("ControllerTestNotingController", UIViewController::class_()).build();
    return cls;
}

Ref<NotingController> noting(const char* name) {
    auto controller = make<NotingController>();
    controller->init();
    controller->name = name;
    return controller;
}

class ViewControllerTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        events.clear();
    }
    // The index of `view` among the window's subviews; -1 when not there.
    NSInteger placeInWindow(UIView* view) const {
        NSUInteger index = window->subviews()->indexOfObject(view);
        return index == NSNotFound ? -1 : static_cast<NSInteger>(index);
    }
};

TEST_F(ViewControllerTest, TheViewLoadsOnceOnFirstUse) {
    auto screen = noting("a");
    EXPECT_FALSE(screen->isViewLoaded());
    EXPECT_TRUE(events.empty());
    UIView* view = screen->view();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(screen->view(), view);
    EXPECT_EQ(events, (std::vector<std::string>{"a loadView", "a viewDidLoad"}));
    EXPECT_TRUE(CGRectEqualToRect(view->frame(), UIScreen::mainScreen()->bounds()));
    EXPECT_EQ(UIViewController::controllerOfView(view), screen.get());
}

TEST_F(ViewControllerTest, AMemoryWarningDropsOnlyAViewThatIsOffScreen) {
    auto screen = noting("a");
    window->addSubview(screen->view());
    screen->didReceiveMemoryWarning();
    EXPECT_TRUE(screen->isViewLoaded());
    screen->view()->removeFromSuperview();
    screen->didReceiveMemoryWarning();
    EXPECT_FALSE(screen->isViewLoaded());
}

TEST_F(ViewControllerTest, KeepsTheInterfaceNameAndTheTitleReachesTheNavigationItem) {
    auto screen = make<UIViewController>();
    Ref<NSBundle> bundle = make<NSBundle>("/Applications/Test.app");
    id made = objc::send<id, id, id>(screen.get(), "initWithNibName:bundle:", static_cast<id>("Screen"_ns.get()),
                                     static_cast<id>(bundle.get()));
    EXPECT_EQ(made, static_cast<id>(screen.get()));
    EXPECT_EQ(screen->nibName()->str(), "Screen");
    EXPECT_EQ(screen->nibBundle(), bundle.get());
    screen->setTitle("First"_ns);
    EXPECT_EQ(screen->navigationItem()->title()->str(), "First");
    screen->setTitle("Second"_ns);
    EXPECT_EQ(screen->navigationItem()->title()->str(), "Second");
    EXPECT_TRUE(screen->shouldAutorotateToInterfaceOrientation(UIInterfaceOrientationPortrait));
    EXPECT_FALSE(screen->shouldAutorotateToInterfaceOrientation(UIInterfaceOrientationLandscapeLeft));
}

TEST_F(ViewControllerTest, AModalScreenCoversTheWindowAndDismissalRestoresThePresenter) {
    auto below = noting("below");
    auto above = noting("above");
    auto other = UIView::withFrame(CGRectMake(0, 0, 10, 10));
    window->addSubview(below->view());
    window->addSubview(other);
    events.clear();

    below->presentModalViewController(above, true);
    EXPECT_EQ(events, (std::vector<std::string>{"below willDisappear", "above loadView", "above viewDidLoad",
                                                "above willAppear", "above didAppear", "below didDisappear"}));
    EXPECT_EQ(below->modalViewController(), above.get());
    EXPECT_EQ(above->parentViewController(), below.get());
    EXPECT_EQ(placeInWindow(below->view()), -1);
    EXPECT_GE(placeInWindow(above->view()), 0);
    EXPECT_TRUE(CGRectEqualToRect(above->view()->frame(), window->bounds()));

    events.clear();
    // The presented screen closes itself: the message reaches its presenter.
    above->dismissModalViewControllerAnimated(true);
    EXPECT_EQ(events, (std::vector<std::string>{"above willDisappear", "below willAppear", "above didDisappear",
                                                "below didAppear"}));
    EXPECT_EQ(below->modalViewController(), nullptr);
    EXPECT_EQ(above->parentViewController(), nullptr);
    EXPECT_EQ(placeInWindow(above->view()), -1);
    // Back where it was, under the view that was above it.
    EXPECT_EQ(placeInWindow(below->view()), 0);
    EXPECT_EQ(placeInWindow(other), 1);
}

TEST_F(ViewControllerTest, PresentingTwiceOrNothingIsRefused) {
    auto below = noting("below");
    auto above = noting("above");
    window->addSubview(below->view());
    below->presentModalViewController(nullptr, false);
    below->presentModalViewController(below, false);
    EXPECT_EQ(below->modalViewController(), nullptr);
    below->presentModalViewController(above, false);
    auto second = noting("second");
    second->presentModalViewController(above, false);
    EXPECT_EQ(second->modalViewController(), nullptr);
    // A dismissal with nothing presented anywhere does nothing.
    below->dismissModalViewControllerAnimated(false);
    events.clear();
    second->dismissModalViewControllerAnimated(false);
    EXPECT_TRUE(events.empty());
}

TEST_F(ViewControllerTest, APresentationOverAModalScreenStacksAndOneDismissalClosesBoth) {
    auto below = noting("below");
    auto first = noting("first");
    auto second = noting("second");
    window->addSubview(below->view());
    below->presentModalViewController(first, false);
    // Asked of the bottom screen, it goes on top of the chain.
    below->presentModalViewController(second, false);
    EXPECT_EQ(first->modalViewController(), second.get());
    EXPECT_EQ(placeInWindow(first->view()), -1);
    events.clear();
    below->dismissModalViewControllerAnimated(false);
    EXPECT_EQ(events, (std::vector<std::string>{"second willDisappear", "below willAppear", "second didDisappear",
                                                "below didAppear"}));
    EXPECT_EQ(placeInWindow(second->view()), -1);
    EXPECT_EQ(placeInWindow(first->view()), -1);
    EXPECT_EQ(placeInWindow(below->view()), 0);
    EXPECT_EQ(first->modalViewController(), nullptr);
}

TEST_F(ViewControllerTest, AScreenInANavigationStackPresentsFromTheStack) {
    auto root = noting("root");
    auto navigation = UINavigationController::withRootViewController(root);
    window->addSubview(navigation->view());
    auto above = noting("above");
    events.clear();
    root->presentModalViewController(above, false);
    EXPECT_EQ(navigation->modalViewController(), above.get());
    EXPECT_EQ(root->modalViewController(), nullptr);
    EXPECT_EQ(above->parentViewController(), navigation.get());
    // The stack passes its appearance on to its top screen.
    EXPECT_EQ(events, (std::vector<std::string>{"root willDisappear", "above loadView", "above viewDidLoad",
                                                "above willAppear", "above didAppear", "root didDisappear"}));
    EXPECT_EQ(navigation->visibleViewController(), above.get());
    events.clear();
    // A dismissal sent to the covered screen travels to the stack.
    root->dismissModalViewControllerAnimated(false);
    EXPECT_EQ(navigation->modalViewController(), nullptr);
    EXPECT_GE(placeInWindow(navigation->view()), 0);
    EXPECT_EQ(events.back(), "root didAppear");
}

}  // namespace
