#include "Color/UIColor_HSVAdditions.h"

#include <algorithm>

#include "Color/UIColor_Expanded.h"

namespace UIColor_HSVAdditions {

hsv_color HSVfromRGB(rgb_color rgb) {
    float v = std::max({rgb.red, rgb.green, rgb.blue});
    if (v == 0) return {0, 0, 0};
    float r = rgb.red / v;
    float g = rgb.green / v;
    float b = rgb.blue / v;
    float largest = std::max({r, g, b});
    float s = largest - std::min({r, g, b});
    if (s == 0) return {0, 0, v};
    // Red wins a tie with green or blue, green a tie with blue.
    float hue;
    if (largest == r) {
        hue = static_cast<float>(60.0 * (g - b) / s);
        if (hue < 0) {
            hue += 360.0f;
            // A hue a hair below 0 rounds up to 360, which is 0 again.
            if (hue >= 360.0f) hue = 0;
        }
    } else if (largest == g) {
        hue = static_cast<float>(120.0 + 60.0 * (b - r) / s);
    } else {
        hue = static_cast<float>(240.0 + 60.0 * (r - g) / s);
    }
    return {hue, s, v};
}

namespace {

hsv_color hsvOf(UIColor* color) {
    return HSVfromRGB({UIColor_Expanded::red(color), UIColor_Expanded::green(color), UIColor_Expanded::blue(color)});
}

}  // namespace

CGFloat hue(UIColor* color) { return hsvOf(color).hue / 360.0f; }

CGFloat saturation(UIColor* color) { return hsvOf(color).saturation; }

CGFloat brightness(UIColor* color) { return hsvOf(color).value; }

CGFloat value(UIColor* color) { return brightness(color); }

}  // namespace UIColor_HSVAdditions
