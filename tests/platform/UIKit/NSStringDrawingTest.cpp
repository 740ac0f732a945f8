#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "Foundation/NSString.h"
#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIGraphics.h"

namespace {

const char* const kSentence = "The quick brown fox jumps over the lazy dog again and again";

// The number of pixels whose alpha is above half in a column range.
int inkedPixels(CGContext* c, int fromX, int toX) {
    cairo_surface_t* s = c->surface();
    cairo_surface_flush(s);
    int count = 0;
    for (int y = 0; y < cairo_image_surface_get_height(s); ++y) {
        auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                                      y * cairo_image_surface_get_stride(s));
        for (int x = fromX; x < toX; ++x) count += (row[x] >> 24) > 128;
    }
    return count;
}

}  // namespace

TEST(NSStringDrawing, SizesAreWholePointsAndGrowWithTheText) {
    auto font = UIFont::systemFontOfSize(17);
    CGSize shortSize = NSStringDrawing::sizeWithFont(NSString::from("Hi"), font);
    CGSize longSize = NSStringDrawing::sizeWithFont(NSString::from("Hi there, everyone"), font);
    EXPECT_GT(longSize.width, shortSize.width);
    EXPECT_FLOAT_EQ(longSize.height, shortSize.height);
    EXPECT_FLOAT_EQ(shortSize.width, std::ceil(shortSize.width));
    EXPECT_FLOAT_EQ(shortSize.height, std::ceil(font->lineHeight()));
    // Line ends do not make the one-line size taller.
    CGSize withBreak = NSStringDrawing::sizeWithFont(NSString::from("Hi\nthere"), font);
    EXPECT_FLOAT_EQ(withBreak.height, shortSize.height);
    EXPECT_FLOAT_EQ(NSStringDrawing::sizeWithFont(nullptr, font).width, 0);
    EXPECT_FLOAT_EQ(NSStringDrawing::sizeWithFont(NSString::from("x"), nullptr).height, 0);
}

TEST(NSStringDrawing, ConstrainedSizeWrapsToTheWidthAndKeepsOnlyLinesThatFit) {
    auto font = UIFont::systemFontOfSize(17);
    auto text = NSString::from(kSentence);
    CGFloat line = std::ceil(font->lineHeight());
    CGSize wrapped = NSStringDrawing::sizeWithFont(text, font, CGSizeMake(120, 1000));
    EXPECT_LE(wrapped.width, 120);
    EXPECT_GT(wrapped.height, 3 * line);

    CGSize twoLines = NSStringDrawing::sizeWithFont(text, font, CGSizeMake(120, font->lineHeight() * 2.5f));
    EXPECT_NEAR(twoLines.height, 2 * font->lineHeight(), 1.01);
    // At least one line, even in a box that is too low for it.
    CGSize oneLine = NSStringDrawing::sizeWithFont(text, font, CGSizeMake(120, 3));
    EXPECT_NEAR(oneLine.height, font->lineHeight(), 1.01);

    CGSize truncated =
        NSStringDrawing::sizeWithFont(text, font, CGSizeMake(120, font->lineHeight()), UILineBreakModeTailTruncation);
    EXPECT_LE(truncated.width, 120);
    EXPECT_NEAR(truncated.height, font->lineHeight(), 1.01);

    // A word longer than the width is broken inside.
    CGSize longWord = NSStringDrawing::sizeWithFont(NSString::from("abcdefghijklmnopqrstuvwxyz"), font,
                                                    CGSizeMake(60, 1000));
    EXPECT_LE(longWord.width, 60);
    EXPECT_GT(longWord.height, 2 * line);
}

TEST(NSStringDrawing, DrawsInTheFillColourWithinTheRectangle) {
    auto font = UIFont::systemFontOfSize(17);
    auto c = CGContext::bitmap(200, 100);
    UIGraphicsPushContext(c);
    CGContextSetRGBFillColor(c, 0, 0, 1, 1);
    CGSize drawn = NSStringDrawing::drawInRect(NSString::from(kSentence), CGRectMake(10, 10, 80, 40), font);
    UIGraphicsPopContext();
    EXPECT_LE(drawn.width, 80);
    EXPECT_GT(inkedPixels(c, 10, 90), 50);
    // Nothing past the right side or below the lines that fit.
    EXPECT_EQ(inkedPixels(c, 91, 200), 0);
    cairo_surface_t* s = c->surface();
    const auto* below = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                                          55 * cairo_image_surface_get_stride(s));
    for (int x = 0; x < 200; ++x) EXPECT_EQ(below[x] >> 24, 0u) << x;

    // Ink is in the fill colour: blue, no red.
    cairo_surface_flush(s);
    bool sawBlue = false;
    for (int y = 0; y < 100; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                                            y * cairo_image_surface_get_stride(s));
        for (int x = 0; x < 200; ++x) {
            EXPECT_EQ((row[x] >> 16) & 0xff, 0u);
            sawBlue = sawBlue || (row[x] & 0xff) > 200;
        }
    }
    EXPECT_TRUE(sawBlue);
}

TEST(NSStringDrawing, RightAlignmentPutsTheTextAgainstTheRightSide) {
    auto font = UIFont::systemFontOfSize(17);
    auto c = CGContext::bitmap(200, 40);
    UIGraphicsPushContext(c);
    NSStringDrawing::drawInRect(NSString::from("Hi"), CGRectMake(0, 0, 200, 40), font, UILineBreakModeWordWrap,
                                UITextAlignmentRight);
    UIGraphicsPopContext();
    EXPECT_EQ(inkedPixels(c, 0, 150), 0);
    EXPECT_GT(inkedPixels(c, 170, 200), 10);
}

TEST(NSStringDrawing, DrawingWithoutAContextOnlyMeasures) {
    auto font = UIFont::systemFontOfSize(17);
    ASSERT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    CGSize drawn = NSStringDrawing::drawInRect(NSString::from("Hi"), CGRectMake(0, 0, 100, 40), font);
    EXPECT_FLOAT_EQ(drawn.width, NSStringDrawing::sizeWithFont(NSString::from("Hi"), font).width);
}
