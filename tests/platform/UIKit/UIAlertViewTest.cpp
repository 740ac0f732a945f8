#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSString.h"
#include "TestSupport.h"
#include "UIKit/UIAlertView.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIKeyboard.h"
#include "UIKit/UITextField.h"
#include "objc/ClassBuilder.h"
#include "platform/UIKit/AppFixture.h"

namespace {

// Notes each delegate call as "clicked 1", "will 1", "did 1".
class AlertListener : public NSObject {
    KORVEL_OBJC_CLASS(AlertListener)
public:
    void clicked(UIAlertView* alert, NSInteger index) { note(alert, "clicked ", index); }
    void willDismiss(UIAlertView* alert, NSInteger index) {
        note(alert, "will ", index);
        visibleWhenTold = alert->isVisible();
    }
    void didDismiss(UIAlertView* alert, NSInteger index) {
        note(alert, "did ", index);
        onScreenAfter = alert->superview() != nullptr;
    }

    std::vector<std::string> calls;
    bool visibleWhenTold = false;
    bool onScreenAfter = true;

private:
    void note(UIAlertView* alert, const char* what, NSInteger index) {
        calls.push_back(std::string(alert ? what : "nil ") + std::to_string(index));
    }
};

Class AlertListener::class_() {
    using L = AlertListener;
    static Class cls = objc::ClassBuilder<L>("UIKitTestAlertListener", NSObject::class_())
                           .method<&L::clicked>(UIAlertView::kClickedButton)
                           .method<&L::willDismiss>(UIAlertView::kWillDismiss)
                           .method<&L::didDismiss>(UIAlertView::kDidDismiss)
                           .build();
    return cls;
}

using Calls = std::vector<std::string>;

class UIAlertViewTest : public AppFixture {
protected:
    void TearDown() override {
        dismissVisibleAlerts();
        AppFixture::TearDown();
    }
    Ref<UIAlertView> makeAlert(NSObject* delegate, NSString* cancel, std::initializer_list<NSString*> others,
                               NSString* message = "Message"_ns) {
        auto alert = make<UIAlertView>();
        alert->initWithTitle("Title"_ns, message, delegate, cancel, others);
        return alert;
    }
    // A tap at the middle of a button, through the window as a finger.
    void tapButton(UIAlertView* alert, NSInteger index) {
        UIButton* button = alert->buttonAtIndex(index);
        ASSERT_TRUE(button);
        CGRect r = button->convertRectToView(button->bounds(), nullptr);
        tap(CGRectGetMidX(r), CGRectGetMidY(r));
    }
};

}  // namespace

TEST_F(UIAlertViewTest, ButtonsAreNumberedFromTheCancelButton) {
    auto alert = makeAlert(nullptr, "Cancel"_ns, {"OK"_ns, "More"_ns});
    EXPECT_EQ(alert->numberOfButtons(), 3);
    EXPECT_EQ(alert->cancelButtonIndex(), 0);
    EXPECT_EQ(alert->buttonTitleAtIndex(0)->str(), "Cancel");
    EXPECT_EQ(alert->buttonTitleAtIndex(2)->str(), "More");
    EXPECT_EQ(alert->buttonTitleAtIndex(3), nullptr);
    EXPECT_EQ(alert->buttonTitleAtIndex(-1), nullptr);
    EXPECT_EQ(alert->title()->str(), "Title");
    EXPECT_EQ(alert->message()->str(), "Message");

    auto bare = makeAlert(nullptr, nullptr, {"OK"_ns, nullptr});
    EXPECT_EQ(bare->numberOfButtons(), 1);
    EXPECT_EQ(bare->cancelButtonIndex(), -1);
    EXPECT_EQ(bare->buttonTitleAtIndex(0)->str(), "OK");

    // Through the runtime, with the other titles as a list (non-strings
    // skipped).
    auto viaRuntime = make<UIAlertView>();
    Ref<NSArray> others = NSArray::arrayWithObjects({"Yes"_ns.get(), NSArray::array().get()});
    objc::send<id, id, id, id, id, id>(viaRuntime, "initWithTitle:message:delegate:cancelButtonTitle:otherButtonTitles:",
                                       "T"_ns.get(), nullptr, nullptr, "No"_ns.get(), others.get());
    EXPECT_EQ(objc::send<NSInteger>(viaRuntime, "numberOfButtons"), 2);
    EXPECT_EQ(objc::send<NSInteger>(viaRuntime, "cancelButtonIndex"), 0);
}

TEST_F(UIAlertViewTest, ATapOnEitherButtonTellsTheDelegateItsIndex) {
    auto listener = make<AlertListener>();
    for (NSInteger index : {0, 1}) {
        listener->calls.clear();
        auto alert = makeAlert(listener, "Cancel"_ns, {"OK"_ns});
        alert->show();
        tapButton(alert, index);
        std::string n = std::to_string(index);
        EXPECT_EQ(listener->calls, (Calls{"clicked " + n, "will " + n, "did " + n}));
        EXPECT_TRUE(listener->visibleWhenTold);
        EXPECT_FALSE(listener->onScreenAfter);
        EXPECT_FALSE(alert->isVisible());
        // The cover and the box are gone from the window.
        EXPECT_EQ(window->subviews()->count(), 0u);
    }
}

TEST_F(UIAlertViewTest, AShownAlertLivesUntilItIsDismissed) {
    auto listener = make<AlertListener>();
    UIAlertView* shown;
    {
        auto alert = makeAlert(listener, "Cancel"_ns, {"OK"_ns});
        alert->show();
        shown = alert;
    }
    ASSERT_EQ(UIAlertView::visibleAlerts(), std::vector<UIAlertView*>{shown});
    EXPECT_TRUE(shown->isDescendantOfView(window));
    tapButton(shown, 1);
    EXPECT_EQ(listener->calls, (Calls{"clicked 1", "will 1", "did 1"}));
    EXPECT_TRUE(UIAlertView::visibleAlerts().empty());

    // Dismissing by code skips the click, and a second dismissal does
    // nothing.
    listener->calls.clear();
    auto alert = makeAlert(listener, "Cancel"_ns, {});
    alert->show();
    alert->show();
    EXPECT_EQ(UIAlertView::visibleAlerts().size(), 1u);
    alert->dismissWithClickedButtonIndex(0, true);
    alert->dismissWithClickedButtonIndex(0, true);
    EXPECT_EQ(listener->calls, (Calls{"will 0", "did 0"}));
}

TEST_F(UIAlertViewTest, ADelegateWithoutTheOptionalCallsStillGetsTheAlertDismissed) {
    auto plain = make<NSObject>();
    auto alert = makeAlert(plain, "Cancel"_ns, {"OK"_ns});
    alert->show();
    tapButton(alert, 0);
    EXPECT_FALSE(alert->isVisible());
    EXPECT_TRUE(UIAlertView::visibleAlerts().empty());
}

TEST_F(UIAlertViewTest, TheBoxIsCentredWithRoomForAFieldUnderALineFeed) {
    auto alert = makeAlert(nullptr, "Cancel"_ns, {"OK"_ns}, "\n"_ns);
    alert->show();
    CGRect box = alert->frame();
    EXPECT_EQ(box.size.width, UIAlertView::kWidth);
    EXPECT_NEAR(CGRectGetMidX(box), 160, 1);
    EXPECT_NEAR(CGRectGetMidY(box), 240, 1);
    // The field's place (y 45 to 70) lies below the title and above the
    // buttons, which sit side by side.
    UIView* title = objc::cast<UIView>(alert->subviews()->objectAtIndex(0));
    EXPECT_LE(CGRectGetMaxY(title->frame()), 45);
    CGRect cancel = alert->buttonAtIndex(0)->frame(), ok = alert->buttonAtIndex(1)->frame();
    EXPECT_GE(cancel.origin.y, 70);
    EXPECT_EQ(cancel.origin.y, ok.origin.y);
    EXPECT_LT(CGRectGetMaxX(cancel), ok.origin.x);
    EXPECT_LE(CGRectGetMaxY(ok), box.size.height);

    // Three buttons are stacked; the box grows to hold them.
    auto three = makeAlert(nullptr, "Cancel"_ns, {"A"_ns, "B"_ns});
    three->show();
    EXPECT_LT(CGRectGetMaxY(three->buttonAtIndex(0)->frame()), three->buttonAtIndex(1)->frame().origin.y);
    EXPECT_LE(CGRectGetMaxY(three->buttonAtIndex(2)->frame()), three->frame().size.height);
    // The later alert lies over the earlier one.
    EXPECT_EQ(UIAlertView::visibleAlerts().size(), 2u);
    EXPECT_EQ(objc::cast<UIView>(window->subviews()->lastObject()), three->superview());
}

TEST_F(UIAlertViewTest, WithTheKeyboardUpTheBoxSitsAboveItAndDismissalTakesItDown) {
    auto alert = makeAlert(nullptr, "Cancel"_ns, {"OK"_ns}, "\n"_ns);
    auto field = UIView::withFrame<UITextField>(CGRectMake(12, 45, 260, 25));
    alert->addSubview(field);
    field->becomeFirstResponder();
    alert->show();
    UIKeyboard* keyboard = UIKeyboard::activeKeyboard();
    ASSERT_TRUE(keyboard);
    EXPECT_LE(CGRectGetMaxY(alert->frame()), keyboard->frame().origin.y);
    // The keyboard stays over the alert's cover.
    EXPECT_EQ(objc::cast<UIView>(window->subviews()->lastObject()), keyboard);
    // A tap on the field inside the shown alert reaches it.
    field->resignFirstResponder();
    CGRect r = field->convertRectToView(field->bounds(), nullptr);
    tap(CGRectGetMidX(r), CGRectGetMidY(r));
    EXPECT_TRUE(field->isFirstResponder());
    tapButton(alert, 0);
    EXPECT_FALSE(field->isFirstResponder());
    EXPECT_EQ(UIKeyboard::activeKeyboard(), nullptr);
    EXPECT_EQ(window->subviews()->count(), 0u);
}
