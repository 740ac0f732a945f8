// A one-line text entry. A tap on it (or becomeFirstResponder) makes it the
// first responder, which brings up the on-screen keyboard in the field's
// keyboard type and appearance; typing arrives as insertText: and
// deleteBackward. A line feed ends editing: the field gives up the keyboard.
// Backspace removes the last character as a reader sees it (a whole
// grapheme cluster: an accented letter, a flag, a joined emoji), never part
// of one.
//
// The text is never nil: an untouched field holds the empty string. The
// field draws a thin border and its text on one line; text wider than the
// field shows its end, where the typing is.
#pragma once

#include "UIKit/UIControl.h"
#include "UIKit/UIKeyboard.h"

class NSString;
class UIColor;
class UIFont;

class UITextField : public UIControl {
    KORVEL_OBJC_CLASS(UITextField)
public:
    static constexpr CGFloat kTextInset = 4;
    static constexpr CGFloat kDefaultFontSize = 17;

    UITextField();
    ~UITextField() override;

    NSString* text() const { return text_; }
    // The field keeps its own copy; nil empties it.
    void setText(NSString* text);
    // Black unless set; nil draws black.
    UIColor* textColor() const { return textColor_; }
    void setTextColor(UIColor* color);
    // The system font of 17 points unless set; nil restores that.
    UIFont* font() const { return font_; }
    void setFont(UIFont* font);

    UIKeyboardType keyboardType() const { return keyboardType_; }
    void setKeyboardType(UIKeyboardType type) { keyboardType_ = type; }
    UIKeyboardAppearance keyboardAppearance() const { return keyboardAppearance_; }
    void setKeyboardAppearance(UIKeyboardAppearance appearance) { keyboardAppearance_ = appearance; }
    UITextAutocorrectionType autocorrectionType() const { return autocorrectionType_; }
    void setAutocorrectionType(UITextAutocorrectionType type) { autocorrectionType_ = type; }

    bool isEditing() const { return isFirstResponder(); }
    bool hasText() const;
    // Appends the text up to its first line feed; a line feed then ends
    // editing.
    void insertText(NSString* text);
    void deleteBackward();

    bool canBecomeFirstResponder() const override { return isEnabled(); }
    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;

    void touchesEnded(NSSet* touches, UIEvent* event) override;
    void drawRect(CGRect rect) override;

private:
    void changeText(std::string text);

    Ref<NSString> text_;
    Ref<UIColor> textColor_;
    Ref<UIFont> font_;
    UIKeyboardType keyboardType_ = UIKeyboardTypeDefault;
    UIKeyboardAppearance keyboardAppearance_ = UIKeyboardAppearanceDefault;
    UITextAutocorrectionType autocorrectionType_ = UITextAutocorrectionTypeDefault;
};
