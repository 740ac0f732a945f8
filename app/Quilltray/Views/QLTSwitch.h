// The platform's switch carrying the settings key it edits, so that one
// action handler of the settings screen serves every row.
#pragma once

#include "Foundation/NSString.h"
#include "UIKit/UISwitch.h"

class QLTSwitch : public UISwitch {
    KORVEL_OBJC_CLASS(QLTSwitch)
public:
    QLTSwitch();
    ~QLTSwitch() override;

    NSString* key() const { return key_; }
    void setKey(NSString* key) { key_ = key; }

private:
    Ref<NSString> key_;
};
