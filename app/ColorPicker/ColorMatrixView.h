// The picker's image view class for its colour map; it draws nothing itself.
#pragma once

#include "UIKit/UIImageView.h"

class ColorMatrixView : public UIImageView {
    KORVEL_OBJC_CLASS(ColorMatrixView)
public:
    ~ColorMatrixView() override;

    void drawRect(CGRect rect) override;
};
