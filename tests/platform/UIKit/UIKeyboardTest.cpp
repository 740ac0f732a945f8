#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Foundation/NSDictionary.h"
#include "Foundation/NSNotification.h"
#include "Foundation/NSNotificationCenter.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "CoreGraphics/NSValue.h"
#include "UIKit/UIKeyboard.h"
#include "UIKit/UITextField.h"
#include "UIKit/UIViewController.h"
#include "objc/ClassBuilder.h"
#include "platform/UIKit/AppFixture.h"

namespace {

// A screen that turns with the device.
class TurningScreen : public UIViewController {
    KORVEL_OBJC_CLASS(TurningScreen)
public:
    bool shouldAutorotateToInterfaceOrientation(NSInteger) override { return true; }
};

Class TurningScreen::class_() {
    static Class cls =
        objc::ClassBuilder<TurningScreen>("UIKitTestTurningScreen", UIViewController::class_()).build();
    return cls;
}

bool near(CGRect a, CGRect b) {
    return std::abs(a.origin.x - b.origin.x) < 0.01f && std::abs(a.origin.y - b.origin.y) < 0.01f &&
           std::abs(a.size.width - b.size.width) < 0.01f && std::abs(a.size.height - b.size.height) < 0.01f;
}

struct Announcement {
    std::string name;
    CGRect bounds;
    CGRect end;
    double duration;
    int curve;
};

class UIKeyboardTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        for (NSString* name : {UIKeyboardWillShowNotification, UIKeyboardWillHideNotification})
            observers.push_back(NSNotificationCenter::defaultCenter()->addObserverForName(
                name, nullptr, [this](NSNotification* n) {
                    NSDictionary* info = n->userInfo();
                    const auto value = [info](NSString* key) { return objc::cast<NSValue>(info->objectForKey(key)); };
                    const auto number = [info](NSString* key) { return objc::cast<NSNumber>(info->objectForKey(key)); };
                    seen.push_back({n->name()->str(), value(UIKeyboardBoundsUserInfoKey)->CGRectValue(),
                                    value(UIKeyboardFrameEndUserInfoKey)->CGRectValue(),
                                    number(UIKeyboardAnimationDurationUserInfoKey)->doubleValue(),
                                    number(UIKeyboardAnimationCurveUserInfoKey)->intValue()});
                }));
    }
    void TearDown() override {
        for (auto& o : observers) NSNotificationCenter::defaultCenter()->removeObserver(o);
        AppFixture::TearDown();
    }
    // A screen of the given kind filling the window, with a field on it.
    template <class Screen>
    UITextField* show() {
        screen = make<Screen>();
        screen->init();
        screen->view()->setFrame(window->bounds());
        window->addSubview(screen->view());
        auto field = UIView::withFrame<UITextField>(CGRectMake(20, 40, 200, 30));
        screen->view()->addSubview(field);
        return field;
    }

    std::vector<Ref<NSObject>> observers;
    std::vector<Announcement> seen;
    Ref<UIViewController> screen;
};

}  // namespace

TEST_F(UIKeyboardTest, TheWindowTurnsOnlyWhenTheScreenOnTopAgrees) {
    show<UIViewController>();
    EXPECT_FALSE(window->rotateToInterfaceOrientation(UIInterfaceOrientationLandscapeLeft));
    EXPECT_EQ(screen->interfaceOrientation(), UIInterfaceOrientationPortrait);
    EXPECT_TRUE(CGRectEqualToRect(screen->view()->bounds(), CGRectMake(0, 0, 320, 480)));

    screen->view()->removeFromSuperview();
    show<TurningScreen>();
    for (auto orientation : {UIInterfaceOrientationLandscapeLeft, UIInterfaceOrientationLandscapeRight}) {
        ASSERT_TRUE(window->rotateToInterfaceOrientation(orientation));
        EXPECT_EQ(screen->interfaceOrientation(), orientation);
        // Lying the long way across, still covering the same part of the window.
        EXPECT_TRUE(CGRectEqualToRect(screen->view()->bounds(), CGRectMake(0, 0, 480, 320)));
        EXPECT_TRUE(near(screen->view()->frame(), window->bounds()));
        // The screen's bottom edge is along the window's right edge for left
        // landscape, its left edge for right.
        CGPoint bottom = screen->view()->convertPointToView(CGPointMake(240, 320), window);
        EXPECT_NEAR(bottom.x, orientation == UIInterfaceOrientationLandscapeLeft ? 320 : 0, 0.01);
    }
    // A screen that comes in while the device is turned lies the same way,
    // and so does the one it covered when it comes back after another turn.
    auto modal = make<TurningScreen>();
    modal->init();
    screen->presentModalViewController(modal, false);
    EXPECT_TRUE(CGRectEqualToRect(modal->view()->bounds(), CGRectMake(0, 0, 480, 320)));
    EXPECT_TRUE(near(modal->view()->frame(), window->bounds()));
    ASSERT_TRUE(window->rotateToInterfaceOrientation(UIInterfaceOrientationPortrait));
    screen->dismissModalViewControllerAnimated(false);
    EXPECT_TRUE(CGRectEqualToRect(screen->view()->bounds(), CGRectMake(0, 0, 320, 480)));
    EXPECT_TRUE(CGAffineTransformIsIdentity(screen->view()->transform()));
}

TEST_F(UIKeyboardTest, ShowAndHideAreAnnouncedWithTheKeyboardsGeometryInEitherOrientation) {
    struct Case {
        UIInterfaceOrientation orientation;
        CGRect shown;   // in the window
        CGRect hidden;  // where it goes
        CGFloat height;
    };
    const Case cases[] = {
        {UIInterfaceOrientationPortrait, CGRectMake(0, 264, 320, 216), CGRectMake(0, 480, 320, 216), 216},
        {UIInterfaceOrientationLandscapeLeft, CGRectMake(158, 0, 162, 480), CGRectMake(320, 0, 162, 480), 162},
        {UIInterfaceOrientationLandscapeRight, CGRectMake(0, 0, 162, 480), CGRectMake(-162, 0, 162, 480), 162},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orientation);
        seen.clear();
        UITextField* field = show<TurningScreen>();
        ASSERT_TRUE(window->rotateToInterfaceOrientation(c.orientation));
        field->becomeFirstResponder();
        field->resignFirstResponder();
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[0].name, "UIKeyboardWillShowNotification");
        EXPECT_EQ(seen[1].name, "UIKeyboardWillHideNotification");
        for (const auto& a : seen) {
            EXPECT_FLOAT_EQ(a.bounds.size.height, c.height);
            EXPECT_DOUBLE_EQ(a.duration, UIKeyboard::kSlideDuration);
            EXPECT_EQ(a.curve, 0);
        }
        EXPECT_TRUE(near(seen[0].end, c.shown)) << seen[0].end.origin.x << " " << seen[0].end.size.width;
        EXPECT_TRUE(near(seen[1].end, c.hidden)) << seen[1].end.origin.x << " " << seen[1].end.size.width;
        window->rotateToInterfaceOrientation(UIInterfaceOrientationPortrait);
        screen->view()->removeFromSuperview();
    }
}
