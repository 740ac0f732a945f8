// A modal alert: a title, a message and its buttons in a box centred over a
// dimmed key window (above the keyboard's top edge while the keyboard is
// up). The cancel button, when there is one, has index 0 and the other
// buttons follow in order; two buttons sit side by side, more are stacked.
//
// A shown alert is kept alive by the platform until it is dismissed, so its
// maker may let go of it at once. A tap on a button tells the delegate
// "alertView:clickedButtonAtIndex:", then dismisses the alert with that
// index: "alertView:willDismissWithButtonIndex:", the alert leaves the
// screen (a field inside it gives up the keyboard), then
// "alertView:didDismissWithButtonIndex:". Each delegate operation is
// optional and sent only when the delegate answers it. The delegate is not
// retained.
//
// The box grows with its message: a message of one line feed leaves room
// for a field of 25 points at y = 45 between the title and the buttons.
#pragma once

#include <initializer_list>
#include <vector>

#include "UIKit/UIView.h"

class NSArray;
class NSString;
class UIButton;
class UILabel;

class UIAlertView : public UIView {
    KORVEL_OBJC_CLASS(UIAlertView)
public:
    static constexpr CGFloat kWidth = 284;
    static constexpr CGFloat kMargin = 12;
    static constexpr CGFloat kButtonHeight = 43;
    static constexpr const char* kClickedButton = "alertView:clickedButtonAtIndex:";
    static constexpr const char* kWillDismiss = "alertView:willDismissWithButtonIndex:";
    static constexpr const char* kDidDismiss = "alertView:didDismissWithButtonIndex:";

    UIAlertView();
    ~UIAlertView() override;

    // `otherButtonTitles` holds strings; anything else in it is skipped.
    UIAlertView* initWithTitle(NSString* title, NSString* message, NSObject* delegate, NSString* cancelButtonTitle,
                               NSArray* otherButtonTitles);
    UIAlertView* initWithTitle(NSString* title, NSString* message, NSObject* delegate, NSString* cancelButtonTitle,
                               std::initializer_list<NSString*> otherButtonTitles);

    NSObject* delegate() const { return delegate_; }
    void setDelegate(NSObject* delegate) { delegate_ = delegate; }
    NSString* title() const;
    void setTitle(NSString* title);
    NSString* message() const;
    void setMessage(NSString* message);

    // Adds a button after the others; answers its index. A nil title adds
    // nothing and answers -1.
    NSInteger addButtonWithTitle(NSString* title);
    NSInteger numberOfButtons() const { return static_cast<NSInteger>(buttons_.size()); }
    // nil outside the buttons' range.
    NSString* buttonTitleAtIndex(NSInteger index) const;
    // 0 with a cancel button, else -1.
    NSInteger cancelButtonIndex() const { return cancelButtonIndex_; }
    // The button of an index, nil outside the range.
    UIButton* buttonAtIndex(NSInteger index) const;

    bool isVisible() const { return visible_; }
    // Puts the alert on screen (once; showing it again does nothing).
    virtual void show();
    // Takes the alert off screen at once, animated or not, telling the
    // delegate as above (without "alertView:clickedButtonAtIndex:"). Does
    // nothing when not shown.
    void dismissWithClickedButtonIndex(NSInteger index, bool animated);

    // The alerts on screen, oldest first.
    static std::vector<UIAlertView*> visibleAlerts();

private:
    void _buttonClicked(UIButton* button);
    // Places the title, the message and the buttons and sizes the box.
    void arrange();
    void tell(const char* selector, NSInteger index);

    NSObject* delegate_ = nullptr;
    Ref<UILabel> titleLabel_;
    Ref<UILabel> messageLabel_;
    std::vector<Ref<UIButton>> buttons_;
    NSInteger cancelButtonIndex_ = -1;
    bool visible_ = false;
    // The dimmed cover of the window that the box sits on while shown.
    Ref<UIView> cover_;
};
