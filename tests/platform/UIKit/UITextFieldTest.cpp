#include <gtest/gtest.h>

#include <unistd.h>

#include <cairo.h>

#include <cstdint>
#include <filesystem>

#include "Device/ScreenCapture.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIKeyboard.h"
#include "UIKit/UITextField.h"
#include "UIKit/ViewRenderer.h"
#include "objc/ClassBuilder.h"
#include "platform/UIKit/AppFixture.h"

namespace {

// Counts the editing events a field sends.
class EditingCounter : public NSObject {
    KORVEL_OBJC_CLASS(EditingCounter)
public:
    void began() { ++begins; }
    void changed() { ++changes; }
    void endedOnExit() { ++exits; }
    void ended() { ++ends; }
    int begins = 0, changes = 0, exits = 0, ends = 0;
};

Class EditingCounter::class_() {
    using E = EditingCounter;
    static Class cls = objc::ClassBuilder<E>("UIKitTestEditingCounter", NSObject::class_())
                           .method<&E::began>("began")
                           .method<&E::changed>("changed")
                           .method<&E::endedOnExit>("endedOnExit")
                           .method<&E::ended>("ended")
                           .build();
    return cls;
}

class UITextFieldTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        field = UIView::withFrame<UITextField>(CGRectMake(20, 40, 200, 30));
        window->addSubview(field);
    }
    void TearDown() override {
        field->resignFirstResponder();
        field = nullptr;
        AppFixture::TearDown();
    }
    // Typing as the host delivers it: by selector to the first responder.
    static void type(const char* text) {
        objc::send<void, id>(UIResponder::firstResponder(), "insertText:", NSString::from(text).get());
    }
    static void backspace() { objc::send<void>(UIResponder::firstResponder(), "deleteBackward"); }
    std::string text() const { return field->text()->str(); }

    Ref<UITextField> field;
};

}  // namespace

TEST_F(UITextFieldTest, AnUntouchedFieldHoldsEmptyTextAndNilEmptiesIt) {
    ASSERT_TRUE(field->text());
    EXPECT_EQ(text(), "");
    EXPECT_FALSE(field->hasText());
    field->setText("abc"_ns);
    EXPECT_EQ(text(), "abc");
    field->setText(nullptr);
    ASSERT_TRUE(field->text());
    EXPECT_EQ(text(), "");
    // The settings go through the runtime with the phone's values.
    objc::send<void, NSInteger>(field, "setKeyboardType:", 7);
    EXPECT_EQ(field->keyboardType(), UIKeyboardTypeEmailAddress);
}

TEST_F(UITextFieldTest, ATapTakesTheKeyboardAndTypingReachesTheField) {
    EXPECT_EQ(UIKeyboard::activeKeyboard(), nullptr);
    field->setKeyboardType(UIKeyboardTypeEmailAddress);
    tap(60, 55);
    ASSERT_TRUE(field->isFirstResponder());
    UIKeyboard* keyboard = UIKeyboard::activeKeyboard();
    ASSERT_TRUE(keyboard);
    EXPECT_EQ(keyboard->keyboardType(), UIKeyboardTypeEmailAddress);
    EXPECT_EQ(keyboard->superview(), window.get());
    EXPECT_TRUE(CGRectEqualToRect(keyboard->frame(), CGRectMake(0, 264, 320, 216)));
    EXPECT_EQ(keyboard->keyRows().back()[2], "@");

    type("me@");
    type("example.org");
    EXPECT_EQ(text(), "me@example.org");
}

TEST_F(UITextFieldTest, TappedKeysTypeSwitchLayoutsAndDeleteAsTheComputerKeyboardDoes) {
    field->setKeyboardType(UIKeyboardTypeEmailAddress);
    tap(60, 55);
    UIKeyboard* keyboard = UIKeyboard::activeKeyboard();
    ASSERT_TRUE(keyboard);
    // Taps at the centre of a key, in window points.
    auto press = [&](const std::string& title) {
        for (const UIKeyboard::Key& key : keyboard->keys()) {
            if (key.title != title) continue;
            CGRect frame = keyboard->convertRectToView(key.frame, window.get());
            tap(CGRectGetMidX(frame), CGRectGetMidY(frame));
            return;
        }
        ADD_FAILURE() << "no key " << title;
    };
    for (const char* key : {"m", "e", "@", "x", "space", "x", "del", "del", "."}) press(key);
    EXPECT_EQ(text(), "me@x.");
    press("123");
    EXPECT_EQ(keyboard->keyRows().front().front(), "1");
    press("7");
    press("ABC");
    press("q");
    EXPECT_EQ(text(), "me@x.7q");
    // A tap between keys types nothing.
    tap(1, keyboard->frame().origin.y + 2);
    EXPECT_EQ(text(), "me@x.7q");
    press("return");
    EXPECT_FALSE(field->isFirstResponder());
    EXPECT_EQ(UIKeyboard::activeKeyboard(), nullptr);
}

TEST_F(UITextFieldTest, BackspaceRemovesOneWholeCharacter) {
    field->becomeFirstResponder();
    // An accented letter of two bytes, a flag of two regional indicators, a
    // letter with a combining accent, a family joined by zero-width joiners.
    type("ab\xC3\xA9");
    type("\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7");
    type("e\xCC\x81");
    type("\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7");
    backspace();
    EXPECT_EQ(text(), "ab\xC3\xA9\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7" "e\xCC\x81");
    backspace();
    EXPECT_EQ(text(), "ab\xC3\xA9\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7");
    backspace();
    EXPECT_EQ(text(), "ab\xC3\xA9");
    backspace();
    EXPECT_EQ(text(), "ab");
    backspace();
    backspace();
    backspace();
    EXPECT_EQ(text(), "");

    // A stray byte goes on its own, and the letter before it stays whole.
    type("\xC3\xA9\xFF");
    backspace();
    EXPECT_EQ(text(), "\xC3\xA9");
    type("\xE2\x80");
    backspace();
    backspace();
    EXPECT_EQ(text(), "\xC3\xA9");
}

TEST_F(UITextFieldTest, ReturnEndsEditingAndTakesTheKeyboardDown) {
    auto counter = make<EditingCounter>();
    field->addTarget(counter, sel_registerName("began"), UIControlEventEditingDidBegin);
    field->addTarget(counter, sel_registerName("changed"), UIControlEventEditingChanged);
    field->addTarget(counter, sel_registerName("endedOnExit"), UIControlEventEditingDidEndOnExit);
    field->addTarget(counter, sel_registerName("ended"), UIControlEventEditingDidEnd);
    tap(60, 55);
    EXPECT_EQ(counter->begins, 1);
    type("one\ntwo");
    EXPECT_EQ(text(), "one");
    EXPECT_FALSE(field->isFirstResponder());
    EXPECT_EQ(UIResponder::firstResponder(), nullptr);
    EXPECT_EQ(UIKeyboard::activeKeyboard(), nullptr);
    EXPECT_EQ(window->subviews()->count(), 1u);
    EXPECT_EQ(counter->changes, 1);
    EXPECT_EQ(counter->exits, 1);
    EXPECT_EQ(counter->ends, 1);
    // A return on its own with nothing typed changes nothing.
    field->becomeFirstResponder();
    type("\n");
    EXPECT_EQ(text(), "one");
    EXPECT_EQ(counter->changes, 1);
    EXPECT_EQ(counter->ends, 2);
}

TEST_F(UITextFieldTest, TheKeyboardFollowsTheFieldThatHasIt) {
    auto other = UIView::withFrame<UITextField>(CGRectMake(20, 100, 200, 30));
    other->setKeyboardType(UIKeyboardTypeNumberPad);
    other->setKeyboardAppearance(UIKeyboardAppearanceAlert);
    window->addSubview(other);
    field->becomeFirstResponder();
    tap(60, 115);
    EXPECT_TRUE(other->isFirstResponder());
    ASSERT_TRUE(UIKeyboard::activeKeyboard());
    EXPECT_EQ(UIKeyboard::activeKeyboard()->keyboardType(), UIKeyboardTypeNumberPad);
    EXPECT_EQ(UIKeyboard::activeKeyboard()->keyboardAppearance(), UIKeyboardAppearanceAlert);
    // One keyboard on screen, not one per field.
    EXPECT_EQ(window->subviews()->count(), 3u);
    // A disabled field takes neither taps nor typing.
    field->setEnabled(false);
    tap(60, 55);
    EXPECT_TRUE(other->isFirstResponder());
    field->insertText("x"_ns);
    EXPECT_EQ(text(), "");
    // A field that goes away while editing takes the keyboard with it.
    other->removeFromSuperview();
    other = nullptr;
    EXPECT_EQ(UIResponder::firstResponder(), nullptr);
    EXPECT_EQ(UIKeyboard::activeKeyboard(), nullptr);
    EXPECT_EQ(window->subviews()->count(), 1u);
}

TEST_F(UITextFieldTest, AFieldThatLeavesItsWindowWhileEditingGivesUpTheKeyboard) {
    auto counter = make<EditingCounter>();
    field->addTarget(counter, sel_registerName("ended"), UIControlEventEditingDidEnd);
    // Taken out on its own, while something else still holds it.
    field->becomeFirstResponder();
    ASSERT_TRUE(UIKeyboard::activeKeyboard());
    field->removeFromSuperview();
    EXPECT_FALSE(field->isFirstResponder());
    EXPECT_EQ(UIKeyboard::activeKeyboard(), nullptr);
    EXPECT_EQ(window->subviews()->count(), 0u);
    EXPECT_EQ(counter->ends, 1);

    // With the view that holds it.
    auto panel = UIView::withFrame(CGRectMake(0, 0, 320, 200));
    window->addSubview(panel);
    panel->addSubview(field);
    field->becomeFirstResponder();
    panel->removeFromSuperview();
    EXPECT_FALSE(field->isFirstResponder());
    EXPECT_EQ(UIKeyboard::activeKeyboard(), nullptr);
    EXPECT_EQ(counter->ends, 2);

    // Moved within its window it goes on editing; moved out of it, it stops.
    window->addSubview(panel);
    field->becomeFirstResponder();
    window->addSubview(field);
    EXPECT_TRUE(field->isFirstResponder());
    ASSERT_TRUE(UIKeyboard::activeKeyboard());
    EXPECT_EQ(UIKeyboard::activeKeyboard()->superview(), window.get());
    auto loose = UIView::withFrame(CGRectMake(0, 0, 320, 200));
    loose->addSubview(field);
    EXPECT_FALSE(field->isFirstResponder());
    EXPECT_EQ(UIKeyboard::activeKeyboard(), nullptr);
    EXPECT_EQ(counter->ends, 3);
    // A field that is not editing leaves quietly.
    field->removeFromSuperview();
    EXPECT_EQ(counter->ends, 3);
}

TEST_F(UITextFieldTest, TheScreenShowsTheTextAndTheKeyboardOverEverything) {
    window->setBackgroundColor(UIColor::whiteColor());
    field->setBackgroundColor(UIColor::whiteColor());
    field->setText("WWWW"_ns);
    auto under = UIView::withFrame(CGRectMake(0, 200, 320, 280));
    under->setBackgroundColor(UIColor::redColor());
    field->setKeyboardType(UIKeyboardTypeEmailAddress);
    field->becomeFirstResponder();
    // Added after the keyboard came up, and still below it.
    window->addSubview(under);
    UIKeyboard::bringToFront();

    nlohmann::json dump = ScreenCapture::dump(window);
    EXPECT_EQ(dump["keyboard"], nlohmann::json({{"type", 7}, {"appearance", 0}}));
    EXPECT_EQ(dump["window"]["subviews"][0]["class"], "UITextField");
    EXPECT_EQ(dump["window"]["subviews"][0]["text"], "WWWW");
    EXPECT_EQ(dump["window"]["subviews"].back()["class"], "UIKeyboard");

    auto path = (std::filesystem::temp_directory_path() / ("korvel-field-" + std::to_string(::getpid()) + ".png")).string();
    ASSERT_TRUE(ViewRenderer::renderToPNG(window, path, 1));
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    cairo_surface_flush(image);
    auto pixel = [&](int x, int y) {
        auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image));
        return row[x] & 0xffffff;
    };
    // The keyboard's grey covers the red view between its keys.
    EXPECT_NE(pixel(2, 470), 0xff0000u);
    EXPECT_EQ(pixel(2, 230), 0xff0000u);
    // The border is drawn, and the text darkens some of the field.
    EXPECT_NE(pixel(20, 55), 0xffffffu);
    int dark = 0;
    for (int x = 24; x < 100; ++x) dark += (pixel(x, 55) & 0xff) < 0x80;
    EXPECT_GT(dark, 4);
    cairo_surface_destroy(image);
    std::filesystem::remove(path);

    field->resignFirstResponder();
    EXPECT_EQ(ScreenCapture::dump(window)["keyboard"], nullptr);
}
