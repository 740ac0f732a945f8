// Operations on the platform colour: its colour-space model and components,
// the packed 24-bit form, derived colours (luminance mapping, per-component
// arithmetic), text and hex forms with their readers, random colours and the
// named colours. The colour is the first argument; nil acts as a colour
// without components. None of these changes the colour it is given.
#pragma once

#include <cstdint>

#include "UIKit/UIColor.h"

class NSArray;
class NSString;

namespace UIColor_Expanded {

// Components and model.
CGColorSpaceModel colorSpaceModel(UIColor* color);
// The model's constant name, e.g. "kCGColorSpaceModelRGB".
Ref<NSString> colorSpaceString(UIColor* color);
// The text of a model value; "Not a valid color space" outside -1 to 6.
Ref<NSString> colorSpaceName(int model);
// Monochrome and RGB colours only.
bool canProvideRGBComponents(UIColor* color);
// Red, green, blue and alpha (a monochrome colour's white for all three) into
// whichever places are given; false, writing nothing, for other models.
bool red(UIColor* color, CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha);
// The components as they stand: `red` and `white` the first, `green` and
// `blue` the first of a monochrome colour, else the second and third. A
// component the colour does not have reads 0.
CGFloat red(UIColor* color);
CGFloat green(UIColor* color);
CGFloat blue(UIColor* color);
CGFloat white(UIColor* color);
CGFloat alpha(UIColor* color);
// 0xRRGGBB of the components clamped to 0..1, rounded to the nearest step
// (halves up); 0 for a colour without RGB components.
std::uint32_t rgbHex(UIColor* color);
// Four numbers, red, green, blue and alpha; nil without RGB components.
Ref<NSArray> arrayFromRGBAComponents(UIColor* color);

// Derived colours; each is nil when the colour (or `other`) cannot give RGB
// components.
// A monochrome colour of the BT.709 luma, alpha kept.
Ref<UIColor> colorByLuminanceMapping(UIColor* color);
// Component times (plus) argument, clamped to 0..1.
Ref<UIColor> colorByMultiplyingByRed(UIColor* color, CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
Ref<UIColor> colorByAddingRed(UIColor* color, CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
// The larger (smaller) of component and argument, unclamped.
Ref<UIColor> colorByLighteningToRed(UIColor* color, CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
Ref<UIColor> colorByDarkeningToRed(UIColor* color, CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
// The same to red, green and blue alike; alpha stays.
Ref<UIColor> colorByMultiplyingBy(UIColor* color, CGFloat f);
Ref<UIColor> colorByAdding(UIColor* color, CGFloat f);
Ref<UIColor> colorByLighteningTo(UIColor* color, CGFloat f);
Ref<UIColor> colorByDarkeningTo(UIColor* color, CGFloat f);
// The same with the other colour's red, green and blue; alpha stays.
Ref<UIColor> colorByMultiplyingByColor(UIColor* color, UIColor* other);
Ref<UIColor> colorByAddingColor(UIColor* color, UIColor* other);
Ref<UIColor> colorByLighteningToColor(UIColor* color, UIColor* other);
Ref<UIColor> colorByDarkeningToColor(UIColor* color, UIColor* other);

// Text forms: "{white, alpha}" or "{red, green, blue, alpha}" with three
// decimals (nil for other models), and six upper-case hex digits of rgbHex.
Ref<NSString> stringFromColor(UIColor* color);
Ref<NSString> hexStringFromColor(UIColor* color);

// Readers: the two forms stringFromColor writes (nil for anything else, and
// for a value too large for a float), a
// packed 0xRRGGBB (the top byte ignored), and a hex number at the start of a
// text (nil when there is none).
Ref<UIColor> colorWithString(NSString* string);
Ref<UIColor> colorWithRGBHex(std::uint32_t hex);
Ref<UIColor> colorWithHexString(NSString* string);

// An RGB colour with random red, green and blue in [0, 1) and alpha 1, from
// the C library's random().
Ref<UIColor> randomColor();
// One component from one draw of random(): the draw over 2^31, as a 32-bit
// float, kept below 1.
CGFloat componentFromRandom(long draw);

// A named colour (lower-case CSS keywords), remembered with misses in a cache
// shared by every thread; nil for an unknown name.
Ref<UIColor> colorWithName(NSString* name);

// Creates the name cache, once; the category runs it when it is loaded, and a
// name looked up before that runs it first.
void load();

}  // namespace UIColor_Expanded
