// The platform's slider carrying the settings key it edits, so that one
// action handler of the settings screen serves every row.
#pragma once

#include "Foundation/NSString.h"
#include "UIKit/UISlider.h"

class QLTSlider : public UISlider {
    KORVEL_OBJC_CLASS(QLTSlider)
public:
    QLTSlider();
    ~QLTSlider() override;

    NSString* key() const { return key_; }
    void setKey(NSString* key) { key_ = key; }

private:
    Ref<NSString> key_;
};
