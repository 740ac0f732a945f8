#include "Classes/AlertPrompt.h"

#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UITextField.h"
#include "objc/ClassBuilder.h"

Class AlertPrompt::class_() {
    using P = AlertPrompt;
    static Class cls = objc::ClassBuilder<P>("AlertPrompt", UIAlertView::class_())
                           .method<&P::initWithTitle>("initWithTitle:message:delegate:cancelButtonTitle:okButtonTitle:")
                           .method<&P::textField>("textField")
                           .method<&P::setTextField>("setTextField:")
                           .method<&P::enteredText>("enteredText")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = AlertPrompt::class_();

AlertPrompt::AlertPrompt() = default;
AlertPrompt::~AlertPrompt() = default;

AlertPrompt* AlertPrompt::initWithTitle(NSString* title, NSString* message, NSObject* delegate,
                                        NSString* cancelButtonTitle, NSString* okButtonTitle) {
    UIAlertView::initWithTitle(title, message, delegate, cancelButtonTitle, {okButtonTitle});
    Ref<UITextField> field = UIView::withFrame<UITextField>(CGRectMake(kFieldX, kFieldY, kFieldWidth, kFieldHeight));
    field->setBackgroundColor(UIColor::whiteColor());
    addSubview(field);
    field->setKeyboardType(UIKeyboardTypeEmailAddress);
    field->setKeyboardAppearance(UIKeyboardAppearanceAlert);
    field->setAutocorrectionType(UITextAutocorrectionTypeNo);
    textField_ = field;
    return this;
}

void AlertPrompt::setTextField(UITextField* field) { textField_ = field; }

NSString* AlertPrompt::enteredText() const { return textField_ ? textField_->text() : nullptr; }

void AlertPrompt::show() {
    if (textField_) textField_->becomeFirstResponder();
    UIAlertView::show();
}
