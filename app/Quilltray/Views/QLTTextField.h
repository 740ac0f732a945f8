// The platform's text field carrying the settings key it edits, so that one
// action handler of the settings screen serves every row.
#pragma once

#include "Foundation/NSString.h"
#include "UIKit/UITextField.h"

class QLTTextField : public UITextField {
    KORVEL_OBJC_CLASS(QLTTextField)
public:
    QLTTextField();
    ~QLTTextField() override;

    NSString* key() const { return key_; }
    void setKey(NSString* key) { key_ = key; }

private:
    Ref<NSString> key_;
};
