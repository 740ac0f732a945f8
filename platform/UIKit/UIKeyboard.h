// The on-screen keyboard: while a text field is the first responder, a panel
// of key rows across the bottom of the key window, over everything else in
// it. Its rows follow the field's keyboard type (the e-mail layout has "@"
// and "." beside the space bar) and the alert appearance draws it dark.
// There is one keyboard at a time; it belongs to the window it is shown in,
// across the bottom of the window's content as the interface is turned.
// Each show posts UIKeyboardWillShowNotification and each hide of a keyboard
// that was up UIKeyboardWillHideNotification, with the keyboard's bounds, its
// frame in the window, and the duration and curve of its slide in the user
// info.
// A tap on a key types into the first responder as the computer keyboard
// does: "space" a blank, "return" a line end, "del" a backspace; "123" and
// "ABC" switch between the letters and the digits.
#pragma once

#include <string>
#include <vector>

#include "UIKit/UIView.h"

class NSString;

// The keyboard settings a text field carries, with the phone's values.
typedef NSInteger UIKeyboardType;
enum : NSInteger {
    UIKeyboardTypeDefault = 0,
    UIKeyboardTypeASCIICapable = 1,
    UIKeyboardTypeNumbersAndPunctuation = 2,
    UIKeyboardTypeURL = 3,
    UIKeyboardTypeNumberPad = 4,
    UIKeyboardTypePhonePad = 5,
    UIKeyboardTypeNamePhonePad = 6,
    UIKeyboardTypeEmailAddress = 7,
};

typedef NSInteger UIKeyboardAppearance;
enum : NSInteger {
    UIKeyboardAppearanceDefault = 0,
    UIKeyboardAppearanceAlert = 1,
};

typedef NSInteger UITextAutocorrectionType;
enum : NSInteger {
    UITextAutocorrectionTypeDefault = 0,
    UITextAutocorrectionTypeNo = 1,
    UITextAutocorrectionTypeYes = 2,
};

typedef NSInteger UITextAutocapitalizationType;
enum : NSInteger {
    UITextAutocapitalizationTypeNone = 0,
    UITextAutocapitalizationTypeWords = 1,
    UITextAutocapitalizationTypeSentences = 2,
    UITextAutocapitalizationTypeAllCharacters = 3,
};

extern NSString* const UIKeyboardWillShowNotification;
extern NSString* const UIKeyboardWillHideNotification;
// NSValue of a CGRect: the keyboard's size, at the origin.
extern NSString* const UIKeyboardBoundsUserInfoKey;
// NSValue of a CGRect: where the keyboard is once shown (or hidden), in the
// window's coordinates.
extern NSString* const UIKeyboardFrameEndUserInfoKey;
// NSNumber, seconds.
extern NSString* const UIKeyboardAnimationDurationUserInfoKey;
// NSNumber, a UIViewAnimationCurve.
extern NSString* const UIKeyboardAnimationCurveUserInfoKey;

class UIKeyboard : public UIView {
    KORVEL_OBJC_CLASS(UIKeyboard)
public:
    static constexpr CGFloat kHeight = 216;
    // Across a turned screen the keys are shorter.
    static constexpr CGFloat kLandscapeHeight = 162;
    static constexpr double kSlideDuration = 0.3;

    UIKeyboard();
    ~UIKeyboard() override;

    // The keyboard that is up; nil when none.
    static UIKeyboard* activeKeyboard();
    // Brings the keyboard up (or changes the one that is up) in the type's
    // layout and the appearance, at the bottom of the key window when there
    // is one.
    static void show(UIKeyboardType type, UIKeyboardAppearance appearance);
    static void hide();
    // Puts the keyboard back on top of its window's other subviews, for
    // whatever was added over the window after it came up.
    static void bringToFront();
    // Lays the keyboard that is up along the bottom of its window's content
    // in the window's present orientation.
    static void placeInWindow();

    UIKeyboardType keyboardType() const { return type_; }
    UIKeyboardAppearance keyboardAppearance() const { return appearance_; }
    using Rows = std::vector<std::vector<std::string>>;
    // The keys of each row, top to bottom, in the present layout.
    const Rows& keyRows() const;

    struct Key {
        std::string title;
        CGRect frame;
    };
    // Every key with its place in the keyboard's bounds, row by row.
    std::vector<Key> keys() const;

    void drawRect(CGRect rect) override;
    void touchesEnded(NSSet* touches, UIEvent* event) override;

private:
    void press(const std::string& key);
    // Posts `name` with the keyboard's geometry and slide in the user info.
    void post(NSString* name, CGRect endFrame) const;

    UIKeyboardType type_ = UIKeyboardTypeDefault;
    UIKeyboardAppearance appearance_ = UIKeyboardAppearanceDefault;
    // The other layout of the type: digits for letters, letters for digits.
    bool switched_ = false;
};
