#include <gtest/gtest.h>

#include <cmath>

#include "CoreGraphics/CGColor.h"
#include "Foundation/NSString.h"

TEST(CGColorSpace, DeviceSpacesHaveTheirModelAndComponentCount) {
    EXPECT_EQ(CGColorSpaceGetModel(CGColorSpaceCreateDeviceGray()), kCGColorSpaceModelMonochrome);
    EXPECT_EQ(CGColorSpaceGetModel(CGColorSpaceCreateDeviceRGB()), kCGColorSpaceModelRGB);
    EXPECT_EQ(CGColorSpaceGetModel(CGColorSpaceCreateDeviceCMYK()), kCGColorSpaceModelCMYK);
    EXPECT_EQ(CGColorSpaceGetNumberOfComponents(CGColorSpaceCreateDeviceGray()), 1u);
    EXPECT_EQ(CGColorSpaceGetNumberOfComponents(CGColorSpaceCreateDeviceRGB()), 3u);
    EXPECT_EQ(CGColorSpaceGetNumberOfComponents(CGColorSpaceCreateDeviceCMYK()), 4u);
    EXPECT_EQ(CGColorSpaceGetModel(nullptr), kCGColorSpaceModelUnknown);
    EXPECT_EQ(CGColorSpaceGetNumberOfComponents(nullptr), 0u);
    EXPECT_EQ(CGColorSpaceGetBaseColorSpace(nullptr), nullptr);
}

TEST(CGColorSpace, LabNeedsAWhitePointWithYOfOne) {
    const CGFloat d65[] = {0.9505f, 1, 1.089f};
    auto lab = CGColorSpaceCreateLab(d65, nullptr, nullptr);
    ASSERT_TRUE(lab);
    EXPECT_EQ(CGColorSpaceGetModel(lab), kCGColorSpaceModelLab);
    EXPECT_EQ(CGColorSpaceGetNumberOfComponents(lab), 3u);
    const CGFloat black[] = {0, 0, 0};
    const CGFloat range[] = {-100, 100, -100, 100};
    EXPECT_TRUE(lab->isEqual(CGColorSpaceCreateLab(d65, black, range)));
    const CGFloat narrow[] = {-50, 50, -50, 50};
    EXPECT_FALSE(lab->isEqual(CGColorSpaceCreateLab(d65, black, narrow)));

    const CGFloat badY[] = {0.9505f, 0.5f, 1.089f};
    const CGFloat nan[] = {NAN, 1, 1};
    EXPECT_FALSE(CGColorSpaceCreateLab(badY, nullptr, nullptr));
    EXPECT_FALSE(CGColorSpaceCreateLab(nan, nullptr, nullptr));
    EXPECT_FALSE(CGColorSpaceCreateLab(nullptr, nullptr, nullptr));
}

TEST(CGColorSpace, IndexedSpacesCopyTheirTableAndRefuseBadBases) {
    auto rgb = CGColorSpaceCreateDeviceRGB();
    unsigned char table[] = {255, 0, 0, 0, 0, 255};
    auto indexed = CGColorSpaceCreateIndexed(rgb, 1, table);
    ASSERT_TRUE(indexed);
    EXPECT_EQ(CGColorSpaceGetModel(indexed), kCGColorSpaceModelIndexed);
    EXPECT_EQ(CGColorSpaceGetNumberOfComponents(indexed), 1u);
    EXPECT_EQ(CGColorSpaceGetBaseColorSpace(indexed), rgb.get());
    table[0] = 7;  // the space keeps its own copy
    unsigned char original[] = {255, 0, 0, 0, 0, 255};
    EXPECT_TRUE(indexed->isEqual(CGColorSpaceCreateIndexed(rgb, 1, original)));

    EXPECT_FALSE(CGColorSpaceCreateIndexed(nullptr, 1, table));
    EXPECT_FALSE(CGColorSpaceCreateIndexed(rgb, 1, nullptr));
    EXPECT_FALSE(CGColorSpaceCreateIndexed(rgb, 256, table));
    EXPECT_FALSE(CGColorSpaceCreateIndexed(indexed, 0, table));
    EXPECT_FALSE(CGColorSpaceCreateIndexed(CGColorSpaceCreatePattern(nullptr), 0, table));
}

TEST(CGColorSpace, PatternSpacesCarryTheirBaseComponents) {
    auto coloured = CGColorSpaceCreatePattern(nullptr);
    EXPECT_EQ(CGColorSpaceGetModel(coloured), kCGColorSpaceModelPattern);
    EXPECT_EQ(CGColorSpaceGetNumberOfComponents(coloured), 0u);
    auto uncoloured = CGColorSpaceCreatePattern(CGColorSpaceCreateDeviceRGB());
    EXPECT_EQ(CGColorSpaceGetNumberOfComponents(uncoloured), 3u);
    EXPECT_FALSE(coloured->isEqual(uncoloured));
    EXPECT_FALSE(CGColorSpaceCreatePattern(coloured));
}

TEST(CGColor, KeepsTheSpaceComponentsFollowedByAlpha) {
    auto cmyk = CGColorSpaceCreateDeviceCMYK();
    const CGFloat values[] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 99};
    auto color = CGColorCreate(cmyk, values);
    ASSERT_TRUE(color);
    EXPECT_EQ(CGColorGetColorSpace(color), cmyk.get());
    ASSERT_EQ(CGColorGetNumberOfComponents(color), 5u);
    const CGFloat* c = CGColorGetComponents(color);
    EXPECT_FLOAT_EQ(c[0], 0.1f);
    EXPECT_FLOAT_EQ(c[3], 0.4f);
    EXPECT_FLOAT_EQ(CGColorGetAlpha(color), 0.5f);
}

TEST(CGColor, NilSpacesComponentsAndColoursGiveNothing) {
    const CGFloat values[] = {1, 1};
    EXPECT_FALSE(CGColorCreate(nullptr, values));
    EXPECT_FALSE(CGColorCreate(CGColorSpaceCreateDeviceGray(), nullptr));
    EXPECT_FALSE(CGColorCreate(CGColorSpaceCreatePattern(nullptr), values));
    EXPECT_EQ(CGColorGetColorSpace(nullptr), nullptr);
    EXPECT_EQ(CGColorGetComponents(nullptr), nullptr);
    EXPECT_EQ(CGColorGetNumberOfComponents(nullptr), 0u);
    EXPECT_EQ(CGColorGetAlpha(nullptr), 0.0f);
    EXPECT_TRUE(CGColorEqualToColor(nullptr, nullptr));
    EXPECT_FALSE(CGColorEqualToColor(nullptr, CGColorCreate(CGColorSpaceCreateDeviceGray(), values)));
}

TEST(CGColor, EqualityNeedsTheSameSpaceAndComponents) {
    const CGFloat grey[] = {0.5f, 1};
    const CGFloat rgb[] = {0.5f, 1, 0, 1};
    auto a = CGColorCreate(CGColorSpaceCreateDeviceGray(), grey);
    auto b = CGColorCreate(CGColorSpaceCreateDeviceGray(), grey);
    EXPECT_TRUE(CGColorEqualToColor(a, b));
    EXPECT_EQ(a->hash(), b->hash());
    // Same numbers, different space.
    auto c = CGColorCreate(CGColorSpaceCreateDeviceRGB(), rgb);
    const CGFloat cmykValues[] = {0.5f, 1, 0, 1, 1};
    auto d = CGColorCreate(CGColorSpaceCreateDeviceCMYK(), cmykValues);
    EXPECT_FALSE(CGColorEqualToColor(c, d));
    EXPECT_FALSE(CGColorEqualToColor(a, c));
    EXPECT_FALSE(a->isEqual("0.5"_ns));
}

TEST(CGColor, DescriptionNamesTheSpaceAndComponents) {
    const CGFloat rgb[] = {1, 0.5f, 0, 1};
    std::string text = CGColorCreate(CGColorSpaceCreateDeviceRGB(), rgb)->description()->str();
    EXPECT_NE(text.find("kCGColorSpaceDeviceRGB"), std::string::npos) << text;
    EXPECT_NE(text.find("( 1 0.5 0 1 )"), std::string::npos) << text;
}

namespace {

int patternInfoReleased = 0;
int cellsDrawn = 0;
void releaseInfo(void* info) { patternInfoReleased += *static_cast<int*>(info); }
void drawCell(void* info, CGContext*) { cellsDrawn += *static_cast<int*>(info); }

}  // namespace

TEST(CGPattern, PatternColoursMatchTheirSpaceAndReleaseTheInfoWithThePattern) {
    static int info = 1;
    const CGPatternCallbacks callbacks{0, &drawCell, &releaseInfo};
    patternInfoReleased = cellsDrawn = 0;
    {
        auto coloured = CGPatternCreate(&info, CGRectMake(0, 0, 8, 8), CGAffineTransformIdentity, 8, 8,
                                        kCGPatternTilingConstantSpacing, true, &callbacks);
        coloured->drawCell(nullptr);
        EXPECT_EQ(cellsDrawn, 1);
        const CGFloat alpha[] = {0.5f};
        auto color = CGColorCreateWithPattern(CGColorSpaceCreatePattern(nullptr), coloured, alpha);
        ASSERT_TRUE(color);
        EXPECT_EQ(CGColorGetPattern(color), coloured.get());
        EXPECT_EQ(CGColorGetNumberOfComponents(color), 1u);
        EXPECT_FLOAT_EQ(CGColorGetAlpha(color), 0.5f);
        EXPECT_EQ(CGColorSpaceGetModel(CGColorGetColorSpace(color)), kCGColorSpaceModelPattern);

        // A coloured pattern in a space with a base (or a stencil without
        // one) is refused, as is a plain space.
        auto stencilSpace = CGColorSpaceCreatePattern(CGColorSpaceCreateDeviceRGB());
        const CGFloat rgba[] = {1, 0, 0, 1};
        EXPECT_FALSE(CGColorCreateWithPattern(stencilSpace, coloured, rgba));
        EXPECT_FALSE(CGColorCreateWithPattern(CGColorSpaceCreateDeviceRGB(), coloured, rgba));
        EXPECT_FALSE(CGColorCreateWithPattern(CGColorSpaceCreatePattern(nullptr), nullptr, alpha));
        auto stencil = CGPatternCreate(&info, CGRectMake(0, 0, 4, 4), CGAffineTransformIdentity, 4, 4,
                                       kCGPatternTilingNoDistortion, false, nullptr);
        auto red = CGColorCreateWithPattern(stencilSpace, stencil, rgba);
        ASSERT_TRUE(red);
        EXPECT_EQ(CGColorGetNumberOfComponents(red), 4u);
        EXPECT_FALSE(CGColorCreateWithPattern(CGColorSpaceCreatePattern(nullptr), stencil, alpha));
        stencil->drawCell(nullptr);  // no callbacks: nothing happens
        EXPECT_EQ(cellsDrawn, 1);
        EXPECT_EQ(patternInfoReleased, 0);
    }
    EXPECT_EQ(patternInfoReleased, 1);
}
