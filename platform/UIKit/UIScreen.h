// The phone's one screen: 320 x 480 points.
#pragma once

#include "CoreGraphics/CGGeometry.h"
#include "objc/NSObject.h"

class UIScreen : public NSObject {
    KORVEL_OBJC_CLASS(UIScreen)
public:
    static UIScreen* mainScreen();

    CGRect bounds() const;
};
