#include "UIKit/UIColor.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "Foundation/NSObjectAdditions.h"
#include "Foundation/NSString.h"
#include "UIKit/UIGraphics.h"
#include "objc/ClassBuilder.h"

Class UIColor::class_() {
    static Class cls = objc::ClassBuilder<UIColor>("UIColor", NSObject::class_())
                           .method<&UIColor::description>("description")
                           .classMethod<&UIColor::colorWithRed>("colorWithRed:green:blue:alpha:")
                           .classMethod<&UIColor::colorWithWhite>("colorWithWhite:alpha:")
                           .classMethod<&UIColor::colorWithHue>("colorWithHue:saturation:brightness:alpha:")
                           .classMethod<&UIColor::colorWithCGColor>("colorWithCGColor:")
                           .classMethod<&UIColor::blackColor>("blackColor")
                           .classMethod<&UIColor::darkGrayColor>("darkGrayColor")
                           .classMethod<&UIColor::lightGrayColor>("lightGrayColor")
                           .classMethod<&UIColor::whiteColor>("whiteColor")
                           .classMethod<&UIColor::grayColor>("grayColor")
                           .classMethod<&UIColor::redColor>("redColor")
                           .classMethod<&UIColor::greenColor>("greenColor")
                           .classMethod<&UIColor::blueColor>("blueColor")
                           .classMethod<&UIColor::cyanColor>("cyanColor")
                           .classMethod<&UIColor::yellowColor>("yellowColor")
                           .classMethod<&UIColor::magentaColor>("magentaColor")
                           .classMethod<&UIColor::orangeColor>("orangeColor")
                           .classMethod<&UIColor::purpleColor>("purpleColor")
                           .classMethod<&UIColor::brownColor>("brownColor")
                           .classMethod<&UIColor::clearColor>("clearColor")
                           .classMethod<&UIColor::darkTextColor>("darkTextColor")
                           .method<&UIColor::CGColor>("CGColor")
                           .method<&UIColor::getRed>("getRed:green:blue:alpha:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIColor::class_();

UIColor::UIColor(Ref<::CGColor> color) : color_(std::move(color)) {}

Ref<UIColor> UIColor::colorWithRed(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha) {
    static const Ref<CGColorSpace> rgb = CGColorSpaceCreateDeviceRGB();
    const CGFloat components[] = {red, green, blue, alpha};
    return make<UIColor>(CGColorCreate(rgb, components));
}

Ref<UIColor> UIColor::colorWithWhite(CGFloat white, CGFloat alpha) {
    static const Ref<CGColorSpace> gray = CGColorSpaceCreateDeviceGray();
    const CGFloat components[] = {white, alpha};
    return make<UIColor>(CGColorCreate(gray, components));
}

Ref<UIColor> UIColor::colorWithHue(CGFloat hue, CGFloat saturation, CGFloat brightness, CGFloat alpha) {
    // The hexcone model: six sectors of hue, each blending two primaries.
    double h = std::isfinite(hue) ? hue - std::floor(static_cast<double>(hue)) : 0.0;
    double s = saturation;
    double v = brightness;
    double scaled = h * 6.0;
    int sector = static_cast<int>(scaled);
    if (sector > 5) sector = 5;
    double f = scaled - sector;
    double p = v * (1.0 - s);
    double q = v * (1.0 - s * f);
    double t = v * (1.0 - s * (1.0 - f));
    double r, g, b;
    switch (sector) {
        case 0: r = v, g = t, b = p; break;
        case 1: r = q, g = v, b = p; break;
        case 2: r = p, g = v, b = t; break;
        case 3: r = p, g = q, b = v; break;
        case 4: r = t, g = p, b = v; break;
        default: r = v, g = p, b = q; break;
    }
    return colorWithRed(static_cast<CGFloat>(r), static_cast<CGFloat>(g), static_cast<CGFloat>(b), alpha);
}

Ref<UIColor> UIColor::colorWithCGColor(CGColorRef color) {
    return color ? make<UIColor>(Ref<::CGColor>(color)) : nullptr;
}

Ref<UIColor> UIColor::blackColor() {
    static const Ref<UIColor> c = colorWithWhite(0, 1);
    return c;
}
Ref<UIColor> UIColor::darkGrayColor() {
    static const Ref<UIColor> c = colorWithWhite(1.0f / 3.0f, 1);
    return c;
}
Ref<UIColor> UIColor::lightGrayColor() {
    static const Ref<UIColor> c = colorWithWhite(2.0f / 3.0f, 1);
    return c;
}
Ref<UIColor> UIColor::whiteColor() {
    static const Ref<UIColor> c = colorWithWhite(1, 1);
    return c;
}
Ref<UIColor> UIColor::grayColor() {
    static const Ref<UIColor> c = colorWithWhite(0.5f, 1);
    return c;
}
Ref<UIColor> UIColor::redColor() {
    static const Ref<UIColor> c = colorWithRed(1, 0, 0, 1);
    return c;
}
Ref<UIColor> UIColor::greenColor() {
    static const Ref<UIColor> c = colorWithRed(0, 1, 0, 1);
    return c;
}
Ref<UIColor> UIColor::blueColor() {
    static const Ref<UIColor> c = colorWithRed(0, 0, 1, 1);
    return c;
}
Ref<UIColor> UIColor::cyanColor() {
    static const Ref<UIColor> c = colorWithRed(0, 1, 1, 1);
    return c;
}
Ref<UIColor> UIColor::yellowColor() {
    static const Ref<UIColor> c = colorWithRed(1, 1, 0, 1);
    return c;
}
Ref<UIColor> UIColor::magentaColor() {
    static const Ref<UIColor> c = colorWithRed(1, 0, 1, 1);
    return c;
}
Ref<UIColor> UIColor::orangeColor() {
    static const Ref<UIColor> c = colorWithRed(1, 0.5f, 0, 1);
    return c;
}
Ref<UIColor> UIColor::purpleColor() {
    static const Ref<UIColor> c = colorWithRed(0.5f, 0, 0.5f, 1);
    return c;
}
Ref<UIColor> UIColor::brownColor() {
    static const Ref<UIColor> c = colorWithRed(0.6f, 0.4f, 0.2f, 1);
    return c;
}
Ref<UIColor> UIColor::clearColor() {
    static const Ref<UIColor> c = colorWithWhite(0, 0);
    return c;
}
Ref<UIColor> UIColor::darkTextColor() {
    static const Ref<UIColor> c = colorWithWhite(0, 1);
    return c;
}

bool UIColor::getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const {
    const CGFloat* c = CGColorGetComponents(color_);
    CGFloat r, g, b, a;
    switch (CGColorSpaceGetModel(CGColorGetColorSpace(color_))) {
        case kCGColorSpaceModelRGB: r = c[0], g = c[1], b = c[2], a = c[3]; break;
        case kCGColorSpaceModelMonochrome: r = g = b = c[0], a = c[1]; break;
        default: return false;
    }
    if (red) *red = r;
    if (green) *green = g;
    if (blue) *blue = b;
    if (alpha) *alpha = a;
    return true;
}

void UIColor::set() const {
    CGContextRef context = UIGraphicsGetCurrentContext();
    CGContextSetFillColorWithColor(context, color_);
    CGContextSetStrokeColorWithColor(context, color_);
}

Ref<NSString> UIColor::description() const {
    std::string text;
    switch (CGColorSpaceGetModel(CGColorGetColorSpace(color_))) {
        case kCGColorSpaceModelRGB: text = "UIDeviceRGBColorSpace"; break;
        case kCGColorSpaceModelMonochrome: text = "UIDeviceWhiteColorSpace"; break;
        default: return color_ ? color_->description() : NSObjectAdditions::defaultDescription(this);
    }
    for (CGFloat c : color_->components()) {
        char number[32];
        std::snprintf(number, sizeof number, " %g", static_cast<double>(c));
        text += number;
    }
    return NSString::from(text);
}

bool UIColor::isEqual(const NSObject* other) const {
    auto* o = dynamic_cast<const UIColor*>(other);
    return o && (o == this || CGColorEqualToColor(color_, o->color_));
}

std::size_t UIColor::hash() const { return color_ ? color_->hash() : 0; }
