// A one-line text entry. A tap on it (or becomeFirstResponder) makes it the
// first responder, which brings up the on-screen keyboard in the field's
// keyboard type and appearance; typing arrives as insertText: and
// deleteBackward. A line feed ends editing: the field gives up the keyboard.
// Backspace removes the last character as a reader sees it (a whole
// grapheme cluster: an accented letter, a flag, a joined emoji), never part
// of one.
//
// The text is never nil: an untouched field holds the empty string. The
// field draws a thin border and its text on one line, aligned as set (a
// secure field shows a bullet per character); text wider than the field
// shows its end, where the typing is.
//
// The delegate (not retained) is asked textFieldShouldBeginEditing: before
// the field takes the keyboard, then told textFieldDidBeginEditing: and
// textFieldDidEndEditing: when it answers them. A line feed asks its
// textFieldShouldReturn: when it answers that, and then the delegate decides
// whether editing ends; without it the field gives up the keyboard itself.
#pragma once

#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIControl.h"
#include "UIKit/UIKeyboard.h"

class NSString;
class UIColor;
class UIFont;

typedef NSInteger UIReturnKeyType;
enum : NSInteger {
    UIReturnKeyDefault = 0,
    UIReturnKeyGo = 1,
    UIReturnKeyJoin = 3,
    UIReturnKeyNext = 4,
    UIReturnKeyRoute = 5,
    UIReturnKeySearch = 6,
    UIReturnKeySend = 7,
    UIReturnKeyDone = 9,
    UIReturnKeyEmergencyCall = 10,
};

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
    // Kept for the keyboard's shift key, which this stand-in's keyboard lacks.
    UITextAutocapitalizationType autocapitalizationType() const { return autocapitalizationType_; }
    void setAutocapitalizationType(UITextAutocapitalizationType type) { autocapitalizationType_ = type; }
    UIReturnKeyType returnKeyType() const { return returnKeyType_; }
    void setReturnKeyType(UIReturnKeyType type) { returnKeyType_ = type; }
    bool isSecureTextEntry() const { return secureTextEntry_; }
    void setSecureTextEntry(bool secure);
    UITextAlignment textAlignment() const { return textAlignment_; }
    void setTextAlignment(NSInteger alignment);

    NSObject* delegate() const { return delegate_; }
    void setDelegate(NSObject* delegate) { delegate_ = delegate; }

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
    UITextAutocapitalizationType autocapitalizationType_ = UITextAutocapitalizationTypeSentences;
    UIReturnKeyType returnKeyType_ = UIReturnKeyDefault;
    bool secureTextEntry_ = false;
    UITextAlignment textAlignment_ = UITextAlignmentLeft;
    NSObject* delegate_ = nullptr;
};
