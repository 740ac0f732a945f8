#include "Color/UIColor_Expanded.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "Color/UIColor_Expanded_Support.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNull.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSScanner.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

namespace UIColor_Expanded {

namespace {

// Name -> colour, or NSNull for a name the table lacks. Made by load(); lives
// as long as the program.
NSMutableDictionary* nameCache = nullptr;

CGFloat component(UIColor* color, std::size_t index) {
    CGColorRef cg = color ? color->CGColor() : nullptr;
    return index < CGColorGetNumberOfComponents(cg) ? CGColorGetComponents(cg)[index] : 0;
}

CGFloat clamp01(CGFloat value) { return value < 0 ? 0 : value > 1 ? 1 : value; }

// A colour made from own component `op` argument, component by component.
template <class Op>
Ref<UIColor> combine(UIColor* color, const CGFloat (&arguments)[4], Op op) {
    CGFloat own[4];
    if (!red(color, &own[0], &own[1], &own[2], &own[3])) return nullptr;
    return UIColor::colorWithRed(op(own[0], arguments[0]), op(own[1], arguments[1]), op(own[2], arguments[2]),
                                 op(own[3], arguments[3]));
}

CGFloat multiplied(CGFloat own, CGFloat argument) { return clamp01(own * argument); }
CGFloat added(CGFloat own, CGFloat argument) { return clamp01(own + argument); }
CGFloat lightened(CGFloat own, CGFloat argument) { return std::max(own, argument); }
CGFloat darkened(CGFloat own, CGFloat argument) { return std::min(own, argument); }

// The same with the other colour's red, green and blue, and the alpha
// argument that leaves the receiver's alpha as it is.
template <class Op>
Ref<UIColor> combineWithColor(UIColor* color, UIColor* other, CGFloat neutralAlpha, Op op) {
    CGFloat arguments[4] = {0, 0, 0, neutralAlpha};
    if (!red(other, &arguments[0], &arguments[1], &arguments[2], nullptr)) return nullptr;
    return combine(color, arguments, op);
}

}  // namespace

CGColorSpaceModel colorSpaceModel(UIColor* color) {
    return CGColorSpaceGetModel(CGColorGetColorSpace(color ? color->CGColor() : nullptr));
}

Ref<NSString> colorSpaceString(UIColor* color) { return colorSpaceName(colorSpaceModel(color)); }

Ref<NSString> colorSpaceName(int model) {
    switch (model) {
        case kCGColorSpaceModelMonochrome: return "kCGColorSpaceModelMonochrome"_ns;
        case kCGColorSpaceModelRGB: return "kCGColorSpaceModelRGB"_ns;
        case kCGColorSpaceModelCMYK: return "kCGColorSpaceModelCMYK"_ns;
        case kCGColorSpaceModelLab: return "kCGColorSpaceModelLab"_ns;
        case kCGColorSpaceModelDeviceN: return "kCGColorSpaceModelDeviceN"_ns;
        case kCGColorSpaceModelIndexed: return "kCGColorSpaceModelIndexed"_ns;
        case kCGColorSpaceModelPattern: return "kCGColorSpaceModelPattern"_ns;
        case kCGColorSpaceModelUnknown: return "kCGColorSpaceModelUnknown"_ns;
        default: return "Not a valid color space"_ns;
    }
}

bool canProvideRGBComponents(UIColor* color) {
    CGColorSpaceModel model = colorSpaceModel(color);
    return model == kCGColorSpaceModelMonochrome || model == kCGColorSpaceModelRGB;
}

bool red(UIColor* color, CGFloat* r, CGFloat* g, CGFloat* b, CGFloat* a) {
    return color && color->getRed(r, g, b, a);
}

CGFloat red(UIColor* color) { return component(color, 0); }

CGFloat green(UIColor* color) {
    return component(color, colorSpaceModel(color) == kCGColorSpaceModelMonochrome ? 0 : 1);
}

CGFloat blue(UIColor* color) {
    return component(color, colorSpaceModel(color) == kCGColorSpaceModelMonochrome ? 0 : 2);
}

CGFloat white(UIColor* color) { return component(color, 0); }

CGFloat alpha(UIColor* color) { return CGColorGetAlpha(color ? color->CGColor() : nullptr); }

std::uint32_t rgbHex(UIColor* color) {
    if (!red(color, nullptr, nullptr, nullptr, nullptr)) return 0;
    auto byte = [](CGFloat c) {
        // NaN counts as 0, like any value that is not above 0.
        CGFloat clamped = !(c > 0) ? 0 : c >= 1 ? 1 : c;
        return static_cast<std::uint32_t>(std::round(clamped * 255));
    };
    return byte(red(color)) << 16 | byte(green(color)) << 8 | byte(blue(color));
}

Ref<NSArray> arrayFromRGBAComponents(UIColor* color) {
    CGFloat r, g, b, a;
    if (!red(color, &r, &g, &b, &a)) return nullptr;
    return NSArray::arrayWithObjects({NSNumber::numberWithFloat(r), NSNumber::numberWithFloat(g),
                                      NSNumber::numberWithFloat(b), NSNumber::numberWithFloat(a)});
}

Ref<UIColor> colorByLuminanceMapping(UIColor* color) {
    CGFloat r, g, b, a;
    if (!red(color, &r, &g, &b, &a)) return nullptr;
    // ITU-R BT.709 luma weights.
    CGFloat luma = 0.2126f * r + 0.7152f * g + 0.0722f * b;
    return UIColor::colorWithWhite(luma, a);
}

Ref<UIColor> colorByMultiplyingByRed(UIColor* color, CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
    return combine(color, {r, g, b, a}, multiplied);
}

Ref<UIColor> colorByAddingRed(UIColor* color, CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
    return combine(color, {r, g, b, a}, added);
}

Ref<UIColor> colorByLighteningToRed(UIColor* color, CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
    return combine(color, {r, g, b, a}, lightened);
}

Ref<UIColor> colorByDarkeningToRed(UIColor* color, CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
    return combine(color, {r, g, b, a}, darkened);
}

Ref<UIColor> colorByMultiplyingBy(UIColor* color, CGFloat f) { return colorByMultiplyingByRed(color, f, f, f, 1); }

Ref<UIColor> colorByAdding(UIColor* color, CGFloat f) { return colorByAddingRed(color, f, f, f, 0); }

Ref<UIColor> colorByLighteningTo(UIColor* color, CGFloat f) { return colorByLighteningToRed(color, f, f, f, 0); }

Ref<UIColor> colorByDarkeningTo(UIColor* color, CGFloat f) { return colorByDarkeningToRed(color, f, f, f, 1); }

Ref<UIColor> colorByMultiplyingByColor(UIColor* color, UIColor* other) {
    return combineWithColor(color, other, 1, multiplied);
}

Ref<UIColor> colorByAddingColor(UIColor* color, UIColor* other) {
    return combineWithColor(color, other, 0, added);
}

Ref<UIColor> colorByLighteningToColor(UIColor* color, UIColor* other) {
    return combineWithColor(color, other, 0, lightened);
}

Ref<UIColor> colorByDarkeningToColor(UIColor* color, UIColor* other) {
    return combineWithColor(color, other, 1, darkened);
}

Ref<NSString> stringFromColor(UIColor* color) {
    switch (colorSpaceModel(color)) {
        case kCGColorSpaceModelMonochrome:
            return NSString::stringWithFormat("{%0.3f, %0.3f}", white(color), alpha(color));
        case kCGColorSpaceModelRGB:
            return NSString::stringWithFormat("{%0.3f, %0.3f, %0.3f, %0.3f}", red(color), green(color), blue(color),
                                              alpha(color));
        default: return nullptr;
    }
}

Ref<NSString> hexStringFromColor(UIColor* color) { return NSString::stringWithFormat("%0.6X", rgbHex(color)); }

Ref<UIColor> colorWithString(NSString* string) {
    auto scanner = NSScanner::scannerWithString(string);
    if (!scanner->scanString("{"_ns, nullptr)) return nullptr;
    float values[4];
    int count = 0;
    if (!scanner->scanFloat(&values[count++])) return nullptr;
    while (!scanner->scanString("}"_ns, nullptr)) {
        if (count == 4) return nullptr;
        if (!scanner->scanString(","_ns, nullptr) || !scanner->scanFloat(&values[count++])) return nullptr;
    }
    if (!scanner->isAtEnd()) return nullptr;
    // A value past the float range scans as infinite: no colour has such a
    // component, and its text form would not read back.
    if (!std::all_of(values, values + count, [](float v) { return std::isfinite(v); })) return nullptr;
    if (count == 2) return UIColor::colorWithWhite(values[0], values[1]);
    if (count == 4) return UIColor::colorWithRed(values[0], values[1], values[2], values[3]);
    return nullptr;
}

Ref<UIColor> colorWithRGBHex(std::uint32_t hex) {
    auto channel = [hex](int shift) { return static_cast<CGFloat>((hex >> shift) & 0xFF) / 255.0f; };
    return UIColor::colorWithRed(channel(16), channel(8), channel(0), 1);
}

Ref<UIColor> colorWithHexString(NSString* string) {
    unsigned hex;
    if (!NSScanner::scannerWithString(string)->scanHexInt(&hex)) return nullptr;
    return colorWithRGBHex(hex);
}

CGFloat componentFromRandom(long draw) {
    CGFloat c = static_cast<CGFloat>(draw) / 2147483648.0f;
    // Draws within 128 of 2^31 round up to 2^31 as floats; they stay below 1.
    return std::min(c, std::nextafter(1.0f, 0.0f));
}

Ref<UIColor> randomColor() {
    CGFloat r = componentFromRandom(random());
    CGFloat g = componentFromRandom(random());
    CGFloat b = componentFromRandom(random());
    return UIColor::colorWithRed(r, g, b, 1);
}

Ref<UIColor> colorWithName(NSString* name) {
    // nil is no name; the cache cannot hold it as a key.
    if (!name) return nullptr;
    load();
    Ref<UIColor> result;
    objc_sync_enter(nameCache);
    try {
        NSObject* cached = nameCache->objectForKey(name);
        if (cached) {
            result = objc::cast<UIColor>(cached);
        } else {
            // Sent through the runtime, so that the search can be replaced or
            // observed like any method of the class.
            id found = objc::send<id, id>(reinterpret_cast<id>(UIColor::class_()), "searchForColorByName:", name);
            result = objc::cast<UIColor>(found);
            // The key is a copy, so a caller's later change to its text cannot
            // move the entry.
            Ref<NSObject> value = result ? Ref<NSObject>(result) : Ref<NSObject>(NSNull::null());
            nameCache->setObject(value, NSString::from(name->str()));
        }
    } catch (...) {
        objc_sync_exit(nameCache);
        throw;
    }
    objc_sync_exit(nameCache);
    return result;
}

void load() {
    // Once, however many threads ask, and also when a name is looked up
    // before the category has been loaded.
    static NSMutableDictionary* const made = nameCache = NSMutableDictionary::dictionary().leak();
    (void)made;
}

}  // namespace UIColor_Expanded

// The category's class operations, as class methods of UIColor.
[[maybe_unused]] static const Class kRegistered = [] {
    UIColor::class_();
    UIColor_Expanded::load();
    return objc::ClassBuilder<UIColor>("UIColor", NSObject::class_())
        .classMethod<&UIColor_Expanded::colorWithString>("colorWithString:")
        .classMethod<&UIColor_Expanded::colorWithRGBHex>("colorWithRGBHex:")
        .classMethod<&UIColor_Expanded::colorWithHexString>("colorWithHexString:")
        .classMethod<&UIColor_Expanded::randomColor>("randomColor")
        .classMethod<&UIColor_Expanded::colorWithName>("colorWithName:")
        .build();
}();
