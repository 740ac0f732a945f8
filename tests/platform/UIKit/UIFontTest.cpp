#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Foundation/NSString.h"
#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIFont.h"

TEST(UIFont, SystemFontsHaveTheirSizeAndMetricsThatScale) {
    auto font = UIFont::systemFontOfSize(17);
    EXPECT_FLOAT_EQ(font->pointSize(), 17);
    EXPECT_GT(font->ascender(), 0);
    EXPECT_LT(font->descender(), 0);
    EXPECT_GE(font->lineHeight(), font->ascender() - font->descender() - 0.01f);
    EXPECT_LT(font->lineHeight(), 17 * 1.5f);
    auto bigger = font->fontWithSize(34);
    EXPECT_NEAR(bigger->lineHeight(), 2 * font->lineHeight(), 0.1);
    EXPECT_FALSE(font->isEqual(bigger));
    EXPECT_TRUE(font->isEqual(UIFont::systemFontOfSize(17)));
}

TEST(UIFont, BoldTextIsWider) {
    auto text = NSString::from("Mailbox accounts");
    CGSize regular = NSStringDrawing::sizeWithFont(text, UIFont::systemFontOfSize(22));
    CGSize bold = NSStringDrawing::sizeWithFont(text, UIFont::boldSystemFontOfSize(22));
    EXPECT_GT(bold.width, regular.width);
}

TEST(UIFont, NamesAreMatchedAndBadArgumentsHandled) {
    EXPECT_EQ(UIFont::fontWithName(nullptr, 12), nullptr);
    EXPECT_EQ(UIFont::fontWithName(NSString::from(""), 12), nullptr);
    auto helvetica = UIFont::fontWithName(NSString::from("helvetica"), 16);
    ASSERT_NE(helvetica, nullptr);
    EXPECT_EQ(helvetica->fontName()->str(), "helvetica");
    EXPECT_FLOAT_EQ(helvetica->pointSize(), 16);
    // A monospaced font gives every letter the same width.
    auto courier = UIFont::fontWithName(NSString::from("Courier"), 16);
    EXPECT_FLOAT_EQ(NSStringDrawing::sizeWithFont(NSString::from("iiiiiiiiii"), courier).width,
                    NSStringDrawing::sizeWithFont(NSString::from("WWWWWWWWWW"), courier).width);
    EXPECT_LT(NSStringDrawing::sizeWithFont(NSString::from("iiiiiiiiii"), helvetica).width,
              NSStringDrawing::sizeWithFont(NSString::from("WWWWWWWWWW"), helvetica).width);

    EXPECT_FLOAT_EQ(UIFont::systemFontOfSize(0)->pointSize(), 17);
    EXPECT_FLOAT_EQ(UIFont::systemFontOfSize(-3)->pointSize(), 17);
    EXPECT_FLOAT_EQ(UIFont::systemFontOfSize(std::numeric_limits<CGFloat>::quiet_NaN())->pointSize(), 17);
    EXPECT_LE(UIFont::systemFontOfSize(1e30f)->pointSize(), 1000);
}
