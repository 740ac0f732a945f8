#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Classes/AlertPrompt.h"
#include "Device/ScreenCapture.h"
#include "Device/ScriptPlayer.h"
#include "Device/TouchScript.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSString.h"
#include "TestSupport.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIKeyboard.h"
#include "UIKit/UITextField.h"
#include "objc/ClassBuilder.h"
#include "platform/UIKit/AppFixture.h"

namespace {

// Reads the prompt's text when told it will be dismissed, as the account
// list does.
class PromptReader : public NSObject {
    KORVEL_OBJC_CLASS(PromptReader)
public:
    void willDismiss(UIAlertView* alert, NSInteger index) {
        auto* prompt = objc::cast<AlertPrompt>(alert);
        NSString* text = prompt ? prompt->enteredText() : nullptr;
        answers.push_back({index, text ? text->str() : "(nil)", index == alert->cancelButtonIndex()});
    }
    struct Answer {
        NSInteger index;
        std::string text;
        bool cancelled;
    };
    std::vector<Answer> answers;
};

Class PromptReader::class_() {
    static Class cls = objc::ClassBuilder<PromptReader>("AppTestPromptReader", NSObject::class_())
                           .method<&PromptReader::willDismiss>(UIAlertView::kWillDismiss)
                           .build();
    return cls;
}

class AlertPromptTest : public AppFixture {
protected:
    void TearDown() override {
        dismissVisibleAlerts();
        AppFixture::TearDown();
    }
    Ref<AlertPrompt> makePrompt(NSObject* delegate) {
        auto prompt = make<AlertPrompt>();
        prompt->initWithTitle("Add an alias"_ns, "\n"_ns, delegate, "Cancel"_ns, "OK"_ns);
        return prompt;
    }
    // Shows a prompt that only the platform holds, types into whatever has
    // the keyboard and taps button `index`.
    void answer(NSObject* delegate, const char* typed, NSInteger index) {
        makePrompt(delegate)->show();
        ASSERT_EQ(UIAlertView::visibleAlerts().size(), 1u);
        if (*typed) objc::send<void, id>(UIResponder::firstResponder(), "insertText:", NSString::from(typed).get());
        UIButton* button = UIAlertView::visibleAlerts()[0]->buttonAtIndex(index);
        CGRect r = button->convertRectToView(button->bounds(), nullptr);
        tap(CGRectGetMidX(r), CGRectGetMidY(r));
    }
};

}  // namespace

TEST_F(AlertPromptTest, TheFieldAsksForAnAddressWithoutAutocorrection) {
    auto prompt = make<AlertPrompt>();
    objc::send<id, id, id, id, id, id>(prompt, "initWithTitle:message:delegate:cancelButtonTitle:okButtonTitle:",
                                       "Add an alias"_ns.get(), "\n"_ns.get(), nullptr, "Cancel"_ns.get(), "OK"_ns.get());
    UITextField* field = prompt->textField();
    ASSERT_TRUE(field);
    EXPECT_EQ(field->superview(), prompt.get());
    EXPECT_TRUE(CGRectEqualToRect(field->frame(), CGRectMake(12, 45, 260, 25)));
    EXPECT_TRUE(field->backgroundColor()->isEqual(UIColor::whiteColor()));
    EXPECT_EQ(field->keyboardType(), 7);
    EXPECT_EQ(field->keyboardAppearance(), 1);
    EXPECT_EQ(field->autocorrectionType(), 1);
    EXPECT_EQ(prompt->numberOfButtons(), 2);
    EXPECT_EQ(prompt->cancelButtonIndex(), 0);
    EXPECT_EQ(prompt->buttonTitleAtIndex(1)->str(), "OK");
    // Untouched, the field's text is empty, not absent.
    ASSERT_TRUE(prompt->enteredText());
    EXPECT_EQ(prompt->enteredText()->str(), "");
    EXPECT_EQ(objc::send<id>(prompt, "enteredText"), prompt->enteredText());
}

TEST_F(AlertPromptTest, ShowingItOpensTheEmailKeyboardAtOnce) {
    auto prompt = makePrompt(nullptr);
    EXPECT_EQ(UIKeyboard::activeKeyboard(), nullptr);
    objc::send<void>(prompt, "show");
    EXPECT_TRUE(prompt->textField()->isFirstResponder());
    UIKeyboard* keyboard = UIKeyboard::activeKeyboard();
    ASSERT_TRUE(keyboard);
    EXPECT_EQ(keyboard->window(), window.get());
    nlohmann::json dump = ScreenCapture::dump(window);
    EXPECT_EQ(dump["keyboard"], nlohmann::json({{"type", 7}, {"appearance", 1}}));
    // The prompt is whole above the keyboard, its field between title and
    // buttons.
    EXPECT_LE(CGRectGetMaxY(prompt->frame()), keyboard->frame().origin.y);
    EXPECT_GE(prompt->buttonAtIndex(0)->frame().origin.y, CGRectGetMaxY(prompt->textField()->frame()));
}

TEST_F(AlertPromptTest, BothButtonsReachTheDelegateWithTheTypedText) {
    auto reader = make<PromptReader>();
    answer(reader, "Friend@Example.org", 1);
    answer(reader, "ignored@example.org", 0);
    answer(reader, "", 1);
    ASSERT_EQ(reader->answers.size(), 3u);
    EXPECT_EQ(reader->answers[0].index, 1);
    EXPECT_EQ(reader->answers[0].text, "Friend@Example.org");
    EXPECT_FALSE(reader->answers[0].cancelled);
    EXPECT_EQ(reader->answers[1].index, 0);
    EXPECT_EQ(reader->answers[1].text, "ignored@example.org");
    EXPECT_TRUE(reader->answers[1].cancelled);
    EXPECT_EQ(reader->answers[2].text, "");
    // Each prompt left with its keyboard.
    EXPECT_TRUE(UIAlertView::visibleAlerts().empty());
    EXPECT_EQ(UIKeyboard::activeKeyboard(), nullptr);
    EXPECT_EQ(window->subviews()->count(), 0u);
}

TEST_F(AlertPromptTest, ReturnInTheFieldLeavesThePromptUp) {
    auto reader = make<PromptReader>();
    makePrompt(reader)->show();
    objc::send<void, id>(UIResponder::firstResponder(), "insertText:", "a@b.c\n"_ns.get());
    EXPECT_EQ(UIKeyboard::activeKeyboard(), nullptr);
    ASSERT_EQ(UIAlertView::visibleAlerts().size(), 1u);
    EXPECT_TRUE(reader->answers.empty());
    auto* prompt = objc::cast<AlertPrompt>(UIAlertView::visibleAlerts()[0]);
    ASSERT_TRUE(prompt);
    EXPECT_EQ(prompt->enteredText()->str(), "a@b.c");
    // The buttons still answer, with the text as it was left.
    UIButton* ok = prompt->buttonAtIndex(1);
    CGRect r = ok->convertRectToView(ok->bounds(), nullptr);
    tap(CGRectGetMidX(r), CGRectGetMidY(r));
    ASSERT_EQ(reader->answers.size(), 1u);
    EXPECT_EQ(reader->answers[0].text, "a@b.c");
}

TEST_F(AlertPromptTest, AScriptTypesIntoThePromptAndTapsItsButton) {
    auto reader = make<PromptReader>();
    makePrompt(reader)->show();
    UIButton* ok = UIAlertView::visibleAlerts()[0]->buttonAtIndex(1);
    CGRect r = ok->convertRectToView(ok->bounds(), nullptr);
    std::string text = "type me@example.orgx\nkey backspace\ntap " + std::to_string(int(CGRectGetMidX(r))) + " " +
                       std::to_string(int(CGRectGetMidY(r))) + "\n";
    std::string error;
    std::optional<TouchScript> script = TouchScript::parse(text, "prompt.script", error);
    ASSERT_TRUE(script) << error;
    ScriptPlayer player("prompt.script");
    for (const auto& command : script->commands()) ASSERT_TRUE(player.play(command, error)) << error;
    ASSERT_EQ(reader->answers.size(), 1u);
    EXPECT_EQ(reader->answers[0].index, 1);
    EXPECT_EQ(reader->answers[0].text, "me@example.org");
    // With the prompt gone nothing takes typing any more.
    EXPECT_FALSE(player.play(script->commands()[0], error));
    EXPECT_NE(error.find("prompt.script:1:"), std::string::npos) << error;
}
