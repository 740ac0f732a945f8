// The alias prompt: an alert with a one-line e-mail address field laid over
// its body, between the title and the buttons (the caller's message of one
// line feed makes the room). Showing it brings the keyboard up at once. The
// delegate reads enteredText when told the alert will be dismissed, and
// tells the buttons apart by index (the cancel button is cancelButtonIndex).
#pragma once

#include "UIKit/UIAlertView.h"

class NSString;
class UITextField;

class AlertPrompt : public UIAlertView {
    KORVEL_OBJC_CLASS(AlertPrompt)
public:
    // The field's frame in the alert's coordinates.
    static constexpr CGFloat kFieldX = 12;
    static constexpr CGFloat kFieldY = 45;
    static constexpr CGFloat kFieldWidth = 260;
    static constexpr CGFloat kFieldHeight = 25;

    AlertPrompt();
    ~AlertPrompt() override;

    // An alert with the cancel button and one other, titled `okButtonTitle`,
    // and the entry field.
    AlertPrompt* initWithTitle(NSString* title, NSString* message, NSObject* delegate, NSString* cancelButtonTitle,
                               NSString* okButtonTitle);

    UITextField* textField() const { return textField_; }
    void setTextField(UITextField* field);
    // The field's text as it is now; empty for an untouched field.
    NSString* enteredText() const;

    // Gives the field the keyboard, then shows the alert.
    void show() override;

private:
    Ref<UITextField> textField_;
};
