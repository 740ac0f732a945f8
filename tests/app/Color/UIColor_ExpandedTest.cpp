#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "Color/UIColor_Expanded.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

using namespace UIColor_Expanded;

namespace {

Ref<UIColor> cmykColor() {
    const CGFloat values[] = {0.1f, 0.2f, 0.3f, 0.4f, 1};
    return UIColor::colorWithCGColor(CGColorCreate(CGColorSpaceCreateDeviceCMYK(), values));
}

Ref<UIColor> patternColor() {
    auto pattern = CGPatternCreate(nullptr, CGRectMake(0, 0, 4, 4), CGAffineTransformIdentity, 4, 4,
                                   kCGPatternTilingConstantSpacing, true, nullptr);
    const CGFloat alpha[] = {1};
    return UIColor::colorWithCGColor(CGColorCreateWithPattern(CGColorSpaceCreatePattern(nullptr), pattern, alpha));
}

Ref<UIColor> labColor() {
    const CGFloat d65[] = {0.9505f, 1, 1.089f};
    const CGFloat values[] = {50, 10, -10, 1};
    return UIColor::colorWithCGColor(CGColorCreate(CGColorSpaceCreateLab(d65, nullptr, nullptr), values));
}

Ref<UIColor> indexedColor() {
    const unsigned char table[] = {255, 0, 0};
    const CGFloat values[] = {0, 1};
    auto space = CGColorSpaceCreateIndexed(CGColorSpaceCreateDeviceRGB(), 0, table);
    return UIColor::colorWithCGColor(CGColorCreate(space, values));
}

void expectRGBA(UIColor* color, CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(colorSpaceModel(color), kCGColorSpaceModelRGB);
    EXPECT_FLOAT_EQ(red(color), r);
    EXPECT_FLOAT_EQ(green(color), g);
    EXPECT_FLOAT_EQ(blue(color), b);
    EXPECT_FLOAT_EQ(alpha(color), a);
}

}  // namespace

TEST(UIColorExpandedComponents, ModelsTheirNamesAndWhichCanGiveRGB) {
    struct Case {
        Ref<UIColor> color;
        int model;
        const char* name;
        bool rgb;
    } cases[] = {
        {UIColor::colorWithWhite(0.5f, 1), 0, "kCGColorSpaceModelMonochrome", true},
        {UIColor::colorWithRed(1, 0, 0, 1), 1, "kCGColorSpaceModelRGB", true},
        {cmykColor(), 2, "kCGColorSpaceModelCMYK", false},
        {labColor(), 3, "kCGColorSpaceModelLab", false},
        {indexedColor(), 5, "kCGColorSpaceModelIndexed", false},
        {patternColor(), 6, "kCGColorSpaceModelPattern", false},
        {make<UIColor>(), -1, "kCGColorSpaceModelUnknown", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(colorSpaceModel(c.color), c.model);
        EXPECT_EQ(colorSpaceString(c.color)->str(), c.name);
        EXPECT_EQ(canProvideRGBComponents(c.color), c.rgb);
    }
    EXPECT_EQ(colorSpaceName(4)->str(), "kCGColorSpaceModelDeviceN");
    EXPECT_EQ(colorSpaceName(7)->str(), "Not a valid color space");
    EXPECT_EQ(colorSpaceName(-2)->str(), "Not a valid color space");
    EXPECT_EQ(colorSpaceModel(nullptr), kCGColorSpaceModelUnknown);
}

TEST(UIColorExpandedComponents, RedGreenBlueAlphaFromMonochromeAndRGBOnly) {
    CGFloat r = -1, g = -1, b = -1, a = -1;
    EXPECT_TRUE(red(UIColor::colorWithWhite(0.5f, 0.8f), &r, &g, &b, &a));
    EXPECT_FLOAT_EQ(r, 0.5f);
    EXPECT_FLOAT_EQ(g, 0.5f);
    EXPECT_FLOAT_EQ(b, 0.5f);
    EXPECT_FLOAT_EQ(a, 0.8f);
    // Any place may be absent.
    EXPECT_TRUE(red(UIColor::colorWithRed(0.1f, 0.2f, 0.3f, 0.4f), nullptr, &g, nullptr, nullptr));
    EXPECT_FLOAT_EQ(g, 0.2f);

    for (const Ref<UIColor>& other : {cmykColor(), patternColor(), labColor(), make<UIColor>()}) {
        r = g = b = a = -1;
        EXPECT_FALSE(red(other, &r, &g, &b, &a));
        EXPECT_EQ(r, -1);
        EXPECT_EQ(a, -1);
    }
    EXPECT_FALSE(red(nullptr, &r, &g, &b, &a));
}

TEST(UIColorExpandedComponents, AccessorsReadComponentsAsTheyStand) {
    auto grey = UIColor::colorWithWhite(0.25f, 0.5f);
    EXPECT_FLOAT_EQ(red(grey), 0.25f);
    EXPECT_FLOAT_EQ(green(grey), 0.25f);
    EXPECT_FLOAT_EQ(blue(grey), 0.25f);
    EXPECT_FLOAT_EQ(white(grey), 0.25f);
    EXPECT_FLOAT_EQ(alpha(grey), 0.5f);
    auto rgb = UIColor::colorWithRed(0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_FLOAT_EQ(white(rgb), 0.1f);
    EXPECT_FLOAT_EQ(blue(rgb), 0.3f);
    // CMYK: the components as they stand, whatever they mean.
    EXPECT_FLOAT_EQ(green(cmykColor()), 0.2f);
    // A coloured pattern has only alpha; the missing components read 0
    // rather than past the end.
    auto pattern = patternColor();
    EXPECT_FLOAT_EQ(red(pattern), 1);
    EXPECT_FLOAT_EQ(green(pattern), 0);
    EXPECT_FLOAT_EQ(blue(pattern), 0);
    EXPECT_FLOAT_EQ(red(make<UIColor>()), 0);
    EXPECT_FLOAT_EQ(alpha(nullptr), 0);
}

TEST(UIColorExpandedComponents, RGBHexClampsAndRoundsHalvesUp) {
    EXPECT_EQ(rgbHex(UIColor::colorWithWhite(0.5f, 0.8f)), 0x808080u);
    // 0.5 x 255 = 127.5 rounds to 128.
    EXPECT_EQ(rgbHex(UIColor::colorWithRed(1, 0.5f, 0, 1)), 0xFF8000u);
    EXPECT_EQ(rgbHex(UIColor::colorWithRed(1.5f, -0.2f, 0.2f, 1)), 0xFF0033u);
    EXPECT_EQ(rgbHex(UIColor::colorWithRed(0.499f / 255, 1.0001f, 1, 1)), 0x00FFFFu);
    EXPECT_EQ(rgbHex(UIColor::colorWithRed(NAN, INFINITY, -INFINITY, 1)), 0x00FF00u);
    EXPECT_EQ(rgbHex(cmykColor()), 0u);
    EXPECT_EQ(rgbHex(patternColor()), 0u);
    EXPECT_EQ(rgbHex(nullptr), 0u);
}

TEST(UIColorExpandedComponents, ArrayOfFourFloatNumbersOrNothing) {
    auto array = arrayFromRGBAComponents(UIColor::colorWithWhite(0.5f, 0.8f));
    ASSERT_TRUE(array);
    ASSERT_EQ(array->count(), 4u);
    const float expected[] = {0.5f, 0.5f, 0.5f, 0.8f};
    for (NSUInteger i = 0; i < 4; ++i) {
        auto* number = objc::cast<NSNumber>(array->objectAtIndex(i));
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(number->kind(), NSNumber::Kind::Float);
        EXPECT_FLOAT_EQ(number->floatValue(), expected[i]);
    }
    EXPECT_FALSE(arrayFromRGBAComponents(cmykColor()));
    EXPECT_FALSE(arrayFromRGBAComponents(patternColor()));
}

TEST(UIColorExpandedArithmetic, MultiplyingAndAddingClamp) {
    auto grey = UIColor::colorWithRed(0.5f, 0.5f, 0.5f, 1);
    expectRGBA(colorByMultiplyingBy(grey, 3), 1, 1, 1, 1);
    expectRGBA(colorByAdding(grey, -1), 0, 0, 0, 1);
    expectRGBA(colorByMultiplyingByRed(grey, 0.5f, -1, 1.5f, 0.5f), 0.25f, 0, 0.75f, 0.5f);
    expectRGBA(colorByAddingRed(grey, 0.25f, 1, -0.25f, 0.5f), 0.75f, 1, 0.25f, 1);
    // From a monochrome colour the result is RGB.
    expectRGBA(colorByMultiplyingBy(UIColor::colorWithWhite(0.4f, 0.5f), 2), 0.8f, 0.8f, 0.8f, 0.5f);
}

TEST(UIColorExpandedArithmetic, LighteningAndDarkeningPassArgumentsThrough) {
    auto c = UIColor::colorWithRed(0.2f, 0.8f, 0.4f, 0.5f);
    expectRGBA(colorByLighteningTo(c, 0.5f), 0.5f, 0.8f, 0.5f, 0.5f);
    expectRGBA(colorByDarkeningTo(c, 0.5f), 0.2f, 0.5f, 0.4f, 0.5f);
    // No clamp: an argument outside 0..1 reaches the colour.
    expectRGBA(colorByLighteningToRed(c, 2, 0, 0, 0), 2, 0.8f, 0.4f, 0.5f);
    expectRGBA(colorByDarkeningToRed(c, -1, 1, 1, 1), -1, 0.8f, 0.4f, 0.5f);
}

TEST(UIColorExpandedArithmetic, ColourFormsUseTheOthersRGBAndKeepAlpha) {
    auto c = UIColor::colorWithRed(0.2f, 0.8f, 0.4f, 0.5f);
    auto grey = UIColor::colorWithWhite(0.5f, 0.1f);
    expectRGBA(colorByMultiplyingByColor(c, grey), 0.1f, 0.4f, 0.2f, 0.5f);
    expectRGBA(colorByAddingColor(c, grey), 0.7f, 1, 0.9f, 0.5f);
    expectRGBA(colorByLighteningToColor(c, grey), 0.5f, 0.8f, 0.5f, 0.5f);
    expectRGBA(colorByDarkeningToColor(c, grey), 0.2f, 0.5f, 0.4f, 0.5f);
    // Neither side may lack RGB components.
    EXPECT_FALSE(colorByMultiplyingByColor(c, cmykColor()));
    EXPECT_FALSE(colorByAddingColor(cmykColor(), c));
    EXPECT_FALSE(colorByLighteningToColor(c, patternColor()));
    EXPECT_FALSE(colorByDarkeningToColor(c, nullptr));
}

TEST(UIColorExpandedArithmetic, EveryDerivedColourIsNothingWithoutRGB) {
    for (const Ref<UIColor>& other : {cmykColor(), patternColor(), make<UIColor>()}) {
        EXPECT_FALSE(colorByLuminanceMapping(other));
        EXPECT_FALSE(colorByMultiplyingByRed(other, 1, 1, 1, 1));
        EXPECT_FALSE(colorByAddingRed(other, 0, 0, 0, 0));
        EXPECT_FALSE(colorByLighteningToRed(other, 0, 0, 0, 0));
        EXPECT_FALSE(colorByDarkeningToRed(other, 1, 1, 1, 1));
        EXPECT_FALSE(colorByMultiplyingBy(other, 1));
        EXPECT_FALSE(colorByAdding(other, 0));
        EXPECT_FALSE(colorByLighteningTo(other, 0));
        EXPECT_FALSE(colorByDarkeningTo(other, 1));
        EXPECT_FALSE(colorByMultiplyingByColor(other, UIColor::whiteColor()));
    }
}

TEST(UIColorExpandedArithmetic, LuminanceMappingUsesBT709WeightsInFloat) {
    auto mapped = colorByLuminanceMapping(UIColor::colorWithRed(1, 0, 0, 0.5f));
    ASSERT_TRUE(mapped);
    EXPECT_EQ(colorSpaceModel(mapped), kCGColorSpaceModelMonochrome);
    EXPECT_EQ(white(mapped), 0.2126f);
    EXPECT_FLOAT_EQ(alpha(mapped), 0.5f);
    EXPECT_EQ(white(colorByLuminanceMapping(UIColor::colorWithRed(0, 1, 0, 1))), 0.7152f);
    EXPECT_EQ(white(colorByLuminanceMapping(UIColor::colorWithRed(0, 0, 1, 1))), 0.0722f);
    // White maps to (nearly) 1: the float sum of the three weights.
    EXPECT_EQ(white(colorByLuminanceMapping(UIColor::whiteColor())), (0.2126f + 0.7152f) + 0.0722f);
}

TEST(UIColorExpandedText, StringFormsAndTheirReader) {
    auto orange = UIColor::colorWithRed(1, 0.5f, 0, 1);
    ASSERT_TRUE(stringFromColor(orange));
    EXPECT_EQ(stringFromColor(orange)->str(), "{1.000, 0.500, 0.000, 1.000}");
    EXPECT_TRUE(colorWithString(stringFromColor(orange))->isEqual(orange));
    auto grey = UIColor::colorWithWhite(0.25f, 0.75f);
    EXPECT_EQ(stringFromColor(grey)->str(), "{0.250, 0.750}");
    EXPECT_TRUE(colorWithString(stringFromColor(grey))->isEqual(grey));
    EXPECT_FALSE(stringFromColor(cmykColor()));
    EXPECT_FALSE(stringFromColor(patternColor()));
}

TEST(UIColorExpandedText, StringReaderTakesTwoOrFourValuesAndNothingAfterTheBrace) {
    auto two = colorWithString("{0.5, 1}"_ns);
    ASSERT_TRUE(two);
    EXPECT_EQ(colorSpaceModel(two), kCGColorSpaceModelMonochrome);
    EXPECT_FLOAT_EQ(white(two), 0.5f);
    expectRGBA(colorWithString("{0.1,0.2,0.3,0.4}"_ns), 0.1f, 0.2f, 0.3f, 0.4f);
    // Blanks and line ends between tokens and at the end are skipped.
    expectRGBA(colorWithString("  {\n0.1 , 0.2,\t0.3, 0.4 }\n "_ns), 0.1f, 0.2f, 0.3f, 0.4f);

    for (const char* bad : {"{0.5}", "{0.1, 0.2, 0.3}", "{0.1, 0.2, 0.3, 0.4, 0.5}", "{0.5, 1} x", "{0.5, 1}}",
                            "0.5, 1}", "{0.5 1}", "{0.5, 1", "{0.5,}", "{}", "{", "", "{a, b}", "{0.5; 1}",
                            // past the float range: infinite, which the text form cannot write back
                            "{1e39, 1}", "{0.1, 0.2, 0.3, 1.00e380}", "{-1e39, 0.5}"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(colorWithString(NSString::from(bad)));
    }
    EXPECT_FALSE(colorWithString(nullptr));
}

TEST(UIColorExpandedText, HexFormsAndReaders) {
    EXPECT_EQ(hexStringFromColor(UIColor::colorWithRed(0, 0, 1, 1))->str(), "0000FF");
    EXPECT_EQ(hexStringFromColor(UIColor::colorWithRed(1, 0.5f, 0, 1))->str(), "FF8000");
    EXPECT_EQ(hexStringFromColor(cmykColor())->str(), "000000");

    expectRGBA(colorWithRGBHex(0xFF8000), 1, 128.0f / 255, 0, 1);
    // The top byte is ignored.
    EXPECT_TRUE(colorWithRGBHex(0xAB123456)->isEqual(colorWithRGBHex(0x123456)));

    expectRGBA(colorWithHexString("FF8000"_ns), 1, 128.0f / 255, 0, 1);
    expectRGBA(colorWithHexString("  0x0000ff and more"_ns), 0, 0, 1, 1);
    EXPECT_FALSE(colorWithHexString("zz"_ns));
    EXPECT_FALSE(colorWithHexString(""_ns));
    EXPECT_FALSE(colorWithHexString(nullptr));
    // A number too large for 32 bits reads as the largest one: white.
    expectRGBA(colorWithHexString("123456789"_ns), 1, 1, 1, 1);
    // Every colour survives the round trip through its hex text.
    for (std::uint32_t hex : {0x000000u, 0x123456u, 0xFFFFFFu, 0x7F80FEu}) {
        EXPECT_EQ(rgbHex(colorWithHexString(hexStringFromColor(colorWithRGBHex(hex)))), hex);
    }
}

TEST(UIColorExpandedRandom, ComponentsLieInZeroToOneExcluded) {
    for (int i = 0; i < 1000; ++i) {
        auto c = randomColor();
        ASSERT_EQ(colorSpaceModel(c), kCGColorSpaceModelRGB);
        EXPECT_EQ(alpha(c), 1);
        for (CGFloat v : {red(c), green(c), blue(c)}) {
            EXPECT_GE(v, 0);
            EXPECT_LT(v, 1);
        }
    }
    EXPECT_EQ(componentFromRandom(0), 0);
    EXPECT_EQ(componentFromRandom(1L << 30), 0.5f);
    // The largest draws round to 2^31 as floats; they must still stay below 1.
    EXPECT_LT(componentFromRandom(2147483647L), 1);
    EXPECT_LT(componentFromRandom(2147483600L), 1);
    EXPECT_GT(componentFromRandom(2147483647L), 0.9999999f);
}

TEST(UIColorExpandedRandom, DrawsRedThenGreenThenBlue) {
    srandom(20261207);
    const long draws[] = {random(), random(), random()};
    srandom(20261207);
    auto c = randomColor();
    EXPECT_EQ(red(c), static_cast<float>(draws[0]) / 2147483648.0f);
    EXPECT_EQ(green(c), static_cast<float>(draws[1]) / 2147483648.0f);
    EXPECT_EQ(blue(c), static_cast<float>(draws[2]) / 2147483648.0f);
}

TEST(UIColorExpandedRuntime, ClassOperationsAreClassMethodsOfUIColor) {
    NSAutoreleasePool pool;
    id cls = reinterpret_cast<id>(UIColor::class_());
    expectRGBA(objc::cast<UIColor>(objc::send<id, unsigned>(cls, "colorWithRGBHex:", 0x0000FFu)), 0, 0, 1, 1);
    expectRGBA(objc::cast<UIColor>(objc::send<id, id>(cls, "colorWithHexString:", "ff0000"_ns.get())), 1, 0, 0, 1);
    expectRGBA(objc::cast<UIColor>(objc::send<id, id>(cls, "colorWithString:", "{0, 1, 0, 1}"_ns.get())), 0, 1, 0,
               1);
    expectRGBA(objc::cast<UIColor>(objc::send<id, id>(cls, "colorWithName:", "red"_ns.get())), 1, 0, 0, 1);
    EXPECT_NE(objc::cast<UIColor>(objc::send<id>(cls, "randomColor")), nullptr);
}
