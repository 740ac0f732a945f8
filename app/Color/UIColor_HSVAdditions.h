// Hue, saturation and brightness of a colour by the hexcone model, the inverse
// of UIColor::colorWithHue.
#pragma once

#include "UIKit/UIColor.h"

struct rgb_color {
    float red;
    float green;
    float blue;
};

struct hsv_color {
    float hue;  // degrees, 0 up to but not including 360
    float saturation;
    float value;
};

namespace UIColor_HSVAdditions {

hsv_color HSVfromRGB(rgb_color rgb);

// From the colour's red, green and blue as UIColor_Expanded reads them.
// Hue on a 0 to 1 scale (1 excluded).
CGFloat hue(UIColor* color);
CGFloat saturation(UIColor* color);
CGFloat brightness(UIColor* color);
CGFloat value(UIColor* color);

}  // namespace UIColor_HSVAdditions
