#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppFixture.h"
#include "Device/ScreenCapture.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSString.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINavigationBar.h"
#include "UIKit/UINavigationButton.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UIToolbar.h"
#include "objc/ClassBuilder.h"

namespace {

std::vector<std::string> events;

class StackScreen : public UIViewController {
    KORVEL_OBJC_CLASS(StackScreen)
public:
    std::string name;
    void viewWillAppear(bool) override { events.push_back(name + " willAppear"); }
    void viewDidAppear(bool) override { events.push_back(name + " didAppear"); }
    void viewWillDisappear(bool) override { events.push_back(name + " willDisappear"); }
    void viewDidDisappear(bool) override { events.push_back(name + " didDisappear"); }
};

Class StackScreen::class_() {
    static Class cls = objc::ClassBuilder<StackScreen>("NavigationTestScreen", UIViewController::class_()).build();
    return cls;
}

// Answers only willShow, so didShow must not be sent to it.
class WillShowDelegate : public NSObject {
    KORVEL_OBJC_CLASS(WillShowDelegate)
public:
    void willShow(UINavigationController*, UIViewController* shown, bool animated) {
        events.push_back(std::string("delegate willShow ") + static_cast<StackScreen*>(shown)->name +
                         (animated ? " animated" : ""));
    }
};

Class WillShowDelegate::class_() {
    static Class cls = objc::ClassBuilder<WillShowDelegate>("NavigationTestWillShowDelegate", NSObject::class_())
                           .method<&WillShowDelegate::willShow>("navigationController:willShowViewController:animated:")
                           .build();
    return cls;
}

// Counts the taps of a bar button: "tapped" takes the item, "tappedBare" nothing.
class Tapped : public NSObject {
    KORVEL_OBJC_CLASS(Tapped)
public:
    NSObject* sender = nullptr;
    int count = 0;
    int bare = 0;
    void tapped(NSObject* item) {
        sender = item;
        ++count;
    }
    void tappedBare() { ++bare; }
};

Class Tapped::class_() {
    static Class cls = objc::ClassBuilder<Tapped>("NavigationTestTapped", NSObject::class_())
                           .method<&Tapped::tapped>("tapped:")
                           .method<&Tapped::tappedBare>("tappedBare")
                           .build();
    return cls;
}

Ref<StackScreen> screen(const char* name) {
    auto s = make<StackScreen>();
    s->init();
    s->name = name;
    s->setTitle(NSString::from(name));
    return s;
}

class NavigationTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        root = screen("root");
        navigation = UINavigationController::withRootViewController(root);
    }
    void show() {
        window->addSubview(navigation->view());
        events.clear();
    }
    static CGRect frameInWindow(UIView* view) { return view->convertRectToView(view->bounds(), nullptr); }

    Ref<StackScreen> root;
    Ref<UINavigationController> navigation;
};

TEST_F(NavigationTest, TheRootIsTheTopAndItsViewFillsTheRoomBelowTheBar) {
    show();
    EXPECT_EQ(navigation->topViewController(), root.get());
    EXPECT_EQ(root->navigationController(), navigation.get());
    EXPECT_EQ(root->parentViewController(), navigation.get());
    ASSERT_EQ(navigation->viewControllers()->count(), 1u);
    EXPECT_TRUE(navigation->isToolbarHidden());
    EXPECT_TRUE(navigation->toolbar()->isHidden());
    EXPECT_TRUE(CGRectEqualToRect(frameInWindow(root->view()), CGRectMake(0, 44, 320, 436)));
    EXPECT_TRUE(CGRectEqualToRect(frameInWindow(navigation->navigationBar()), CGRectMake(0, 0, 320, 44)));
    EXPECT_EQ(navigation->navigationBar()->titleLabel()->text()->str(), "root");
    EXPECT_EQ(navigation->navigationBar()->leftButton(), nullptr);
}

TEST_F(NavigationTest, TheToolbarIsSizedBeforeTheViewLoadsAndShownAtTheBottom) {
    // Before any view exists: the app styles and measures the toolbar first.
    EXPECT_FALSE(navigation->isViewLoaded());
    navigation->setToolbarHidden(false);
    navigation->toolbar()->setBarStyle(UIBarStyleBlackTranslucent);
    EXPECT_TRUE(CGRectEqualToRect(navigation->toolbar()->frame(), CGRectMake(0, 436, 320, 44)));
    EXPECT_TRUE(navigation->toolbar()->isTranslucent());
    show();
    EXPECT_FALSE(navigation->toolbar()->isHidden());
    EXPECT_TRUE(CGRectEqualToRect(frameInWindow(navigation->toolbar()), CGRectMake(0, 436, 320, 44)));
    EXPECT_TRUE(CGRectEqualToRect(frameInWindow(root->view()), CGRectMake(0, 44, 320, 392)));
    navigation->setToolbarHidden(true, true);
    EXPECT_TRUE(CGRectEqualToRect(frameInWindow(root->view()), CGRectMake(0, 44, 320, 436)));
}

TEST_F(NavigationTest, PushAndPopSendTheAppearanceMessagesAndTellTheDelegateWhatItAnswers) {
    auto delegate = make<WillShowDelegate>();
    navigation->setDelegate(delegate);
    show();
    auto second = screen("second");
    navigation->pushViewController(second, true);
    EXPECT_EQ(events, (std::vector<std::string>{"delegate willShow second animated", "root willDisappear",
                                                "second willAppear", "root didDisappear", "second didAppear"}));
    EXPECT_EQ(navigation->topViewController(), second.get());
    EXPECT_EQ(root->view()->superview(), nullptr);
    EXPECT_TRUE(CGRectEqualToRect(frameInWindow(second->view()), CGRectMake(0, 44, 320, 436)));
    EXPECT_EQ(navigation->navigationBar()->topItem(), second->navigationItem());

    events.clear();
    Ref<UIViewController> popped = navigation->popViewControllerAnimated(false);
    EXPECT_EQ(popped.get(), second.get());
    EXPECT_EQ(second->navigationController(), nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"delegate willShow root", "second willDisappear", "root willAppear",
                                                "second didDisappear", "root didAppear"}));
    // The root stays.
    EXPECT_EQ(navigation->popViewControllerAnimated(false), nullptr);
    EXPECT_EQ(navigation->topViewController(), root.get());
}

TEST_F(NavigationTest, AScreenIsInOneStackOnlyAndPoppingToTheRootGivesTheRest) {
    show();
    auto second = screen("second");
    auto third = screen("third");
    navigation->pushViewController(second, false);
    navigation->pushViewController(second, false);
    navigation->pushViewController(root, false);
    ASSERT_EQ(navigation->viewControllers()->count(), 2u);
    navigation->pushViewController(third, false);
    ASSERT_EQ(navigation->viewControllers()->count(), 3u);
    Ref<NSArray> popped = navigation->popToRootViewControllerAnimated(false);
    ASSERT_EQ(popped->count(), 2u);
    EXPECT_EQ(popped->objectAtIndex(0), second.get());
    EXPECT_EQ(popped->objectAtIndex(1), third.get());
    EXPECT_EQ(navigation->navigationBar()->topItem(), root->navigationItem());
    EXPECT_EQ(navigation->navigationBar()->backItem(), nullptr);
}

TEST_F(NavigationTest, AScreenMovesToANewStackFromItsOldOne) {
    show();
    auto second = screen("second");
    navigation->pushViewController(second, false);
    auto other = UINavigationController::withRootViewController(second);
    ASSERT_EQ(other->viewControllers()->count(), 1u);
    EXPECT_EQ(second->navigationController(), other.get());
    // The old stack shows what is now its top.
    EXPECT_EQ(navigation->topViewController(), root.get());
    EXPECT_EQ(navigation->navigationBar()->topItem(), root->navigationItem());
    EXPECT_EQ(root->view()->superview(), navigation->view());
    EXPECT_EQ(second->view()->superview(), nullptr);
}

TEST_F(NavigationTest, TheBackButtonIsTitledAfterTheScreenBelowAndATapOnItPops) {
    show();
    auto second = screen("second");
    navigation->pushViewController(second, true);
    window->layoutIfNeeded();
    UINavigationButton* back = navigation->navigationBar()->leftButton();
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->isBackButton());
    EXPECT_EQ(back->title()->str(), "root");
    CGRect r = frameInWindow(back);
    EXPECT_FLOAT_EQ(r.origin.x, UINavigationBar::kMargin);
    events.clear();
    tap(r.origin.x + r.size.width / 2, r.origin.y + r.size.height / 2);
    EXPECT_EQ(navigation->topViewController(), root.get());
    EXPECT_EQ(events.back(), "root didAppear");
    EXPECT_EQ(navigation->navigationBar()->leftButton(), nullptr);
}

TEST_F(NavigationTest, BarButtonsSendTheirActionWithOrWithoutTheSender) {
    show();
    auto target = make<Tapped>();
    auto right = UIBarButtonItem::withTitle("Go"_ns, UIBarButtonItemStylePlain, target, sel_registerName("tapped:"));
    auto left = UIBarButtonItem::withTitle("Add"_ns, UIBarButtonItemStylePlain, target,
                                           sel_registerName("tappedBare"));
    root->navigationItem()->setRightBarButtonItem(right);
    root->navigationItem()->setLeftBarButtonItem(left);
    window->layoutIfNeeded();
    UINavigationButton* rightButton = navigation->navigationBar()->rightButton();
    ASSERT_NE(rightButton, nullptr);
    CGRect r = frameInWindow(rightButton);
    EXPECT_FLOAT_EQ(CGRectGetMaxX(r), 320 - UINavigationBar::kMargin);
    tap(r.origin.x + 5, r.origin.y + 5);
    EXPECT_EQ(target->count, 1);
    EXPECT_EQ(target->sender, right.get());
    // A finger that leaves the button before it lifts sends nothing.
    down(r.origin.x + 5, r.origin.y + 5);
    move(100, 300);
    up();
    EXPECT_EQ(target->count, 1);
    CGRect l = frameInWindow(navigation->navigationBar()->leftButton());
    tap(l.origin.x + 5, l.origin.y + 5);
    EXPECT_EQ(target->bare, 1);
    right->setEnabled(false);
    tap(r.origin.x + 5, r.origin.y + 5);
    EXPECT_EQ(target->count, 1);
}

TEST_F(NavigationTest, TheSystemDoneItemIsTitledDoneInTheDoneStyle) {
    auto done = UIBarButtonItem::withSystemItem(UIBarButtonSystemItemDone, nullptr, nullptr);
    EXPECT_EQ(done->title()->str(), "Done");
    EXPECT_EQ(done->style(), UIBarButtonItemStyleDone);
    auto space = UIBarButtonItem::withSystemItem(UIBarButtonSystemItemFlexibleSpace, nullptr, nullptr);
    EXPECT_TRUE(space->isSpace());
    EXPECT_EQ(space->title(), nullptr);
}

TEST_F(NavigationTest, AToolbarSharesTheRoomLeftAmongItsFlexibleSpaces) {
    auto toolbar = UIView::withFrame<UIToolbar>(CGRectMake(0, 0, 320, 44));
    auto a = UIBarButtonItem::withTitle("A"_ns, UIBarButtonItemStylePlain, nullptr, nullptr);
    auto b = UIBarButtonItem::withTitle("B"_ns, UIBarButtonItemStylePlain, nullptr, nullptr);
    auto flexible = UIBarButtonItem::withSystemItem(UIBarButtonSystemItemFlexibleSpace, nullptr, nullptr);
    toolbar->setItems(NSArray::arrayWithObjects({a.get(), flexible.get(), b.get()}), false);
    toolbar->layoutIfNeeded();
    Ref<NSArray> buttons = toolbar->subviews();
    ASSERT_EQ(buttons->count(), 2u);
    CGRect first = objc::cast<UIView>(buttons->objectAtIndex(0))->frame();
    CGRect last = objc::cast<UIView>(buttons->objectAtIndex(1))->frame();
    EXPECT_FLOAT_EQ(first.origin.x, UIToolbar::kMargin);
    EXPECT_FLOAT_EQ(CGRectGetMaxX(last), 320 - UIToolbar::kMargin);
}

TEST_F(NavigationTest, TheDumpListsTheStackAndTheModalScreens) {
    show();
    navigation->pushViewController(screen("second"), false);
    auto modal = UINavigationController::withRootViewController(screen("settings"));
    navigation->presentModalViewController(modal, false);
    nlohmann::json dump = ScreenCapture::dump(window);
    ASSERT_EQ(dump["navigationStack"].size(), 2u);
    EXPECT_EQ(dump["navigationStack"][0]["class"], "NavigationTestScreen");
    EXPECT_EQ(dump["navigationStack"][0]["title"], "root");
    EXPECT_EQ(dump["navigationStack"][1]["title"], "second");
    ASSERT_EQ(dump["modalScreens"].size(), 1u);
    EXPECT_EQ(dump["modalScreens"][0]["class"], "UINavigationController");
    EXPECT_EQ(dump["modalScreens"][0]["navigationStack"][0]["title"], "settings");
}

}  // namespace
