#include <gtest/gtest.h>

#include <cstdint>

#include "CoreGraphics/CGContext.h"

namespace {

struct Pixel {
    int r, g, b, a;
};

// Un-premultiplied colour of one pixel of the context's image.
Pixel pixelAt(CGContext* c, int x, int y) {
    cairo_surface_t* s = c->surface();
    cairo_surface_flush(s);
    const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    uint32_t v = reinterpret_cast<const uint32_t*>(row)[x];
    int a = static_cast<int>(v >> 24);
    auto channel = [&](int shift) {
        int premultiplied = static_cast<int>((v >> shift) & 0xff);
        return a ? (premultiplied * 255 + a / 2) / a : 0;
    };
    return {channel(16), channel(8), channel(0), a};
}

void expectPixel(CGContext* c, int x, int y, int r, int g, int b, int a) {
    Pixel p = pixelAt(c, x, y);
    EXPECT_NEAR(p.r, r, 2) << "at " << x << "," << y;
    EXPECT_NEAR(p.g, g, 2) << "at " << x << "," << y;
    EXPECT_NEAR(p.b, b, 2) << "at " << x << "," << y;
    EXPECT_NEAR(p.a, a, 2) << "at " << x << "," << y;
}

}  // namespace

TEST(CGContext, FillsWithBlackUntilAColourIsSet) {
    auto c = CGContext::bitmap(20, 20);
    expectPixel(c, 5, 5, 0, 0, 0, 0);
    CGContextFillRect(c, CGRectMake(0, 0, 10, 10));
    expectPixel(c, 5, 5, 0, 0, 0, 255);
    CGContextSetRGBFillColor(c, 1, 0, 0, 1);
    CGContextFillRect(c, CGRectMake(10, 0, 10, 10));
    expectPixel(c, 15, 5, 255, 0, 0, 255);
    CGContextSetGrayFillColor(c, 1, 0.5f);
    CGContextFillRect(c, CGRectMake(0, 10, 10, 10));
    expectPixel(c, 5, 15, 255, 255, 255, 128);
}

TEST(CGContext, SaveAndRestoreCoverColoursAlphaTransformAndClip) {
    auto c = CGContext::bitmap(40, 40);
    CGContextSetRGBFillColor(c, 0, 0, 1, 1);
    CGContextSaveGState(c);
    CGContextSetRGBFillColor(c, 0, 1, 0, 1);
    CGContextSetAlpha(c, 0.5f);
    CGContextTranslateCTM(c, 20, 0);
    CGContextClipToRect(c, CGRectMake(0, 0, 5, 5));
    CGContextFillRect(c, CGRectMake(0, 0, 10, 10));
    CGContextRestoreGState(c);
    // Restoring again, with nothing saved, changes nothing.
    CGContextRestoreGState(c);
    CGContextFillRect(c, CGRectMake(0, 20, 10, 10));

    expectPixel(c, 22, 2, 0, 255, 0, 128);
    expectPixel(c, 27, 7, 0, 0, 0, 0);
    expectPixel(c, 5, 25, 0, 0, 255, 255);
    EXPECT_TRUE(CGAffineTransformIsIdentity(CGContextGetCTM(c)));
}

TEST(CGContext, ScaledContextDrawsPointsAsSeveralPixels) {
    auto c = CGContext::bitmap(20, 20);
    CGContextScaleCTM(c, 2, 2);
    CGContextSetRGBFillColor(c, 1, 1, 0, 1);
    CGContextFillRect(c, CGRectMake(1, 1, 4, 4));
    expectPixel(c, 2, 2, 255, 255, 0, 255);
    expectPixel(c, 9, 9, 255, 255, 0, 255);
    expectPixel(c, 10, 10, 0, 0, 0, 0);
    EXPECT_FLOAT_EQ(CGContextGetCTM(c).a, 2);
    // A zero scale is refused rather than breaking the context.
    CGContextScaleCTM(c, 0, 1);
    CGContextFillRect(c, CGRectMake(6, 6, 1, 1));
    expectPixel(c, 13, 13, 255, 255, 0, 255);
}

TEST(CGContext, StrokeClearAndClipBounds) {
    auto c = CGContext::bitmap(20, 20);
    CGContextSetRGBStrokeColor(c, 1, 0, 0, 1);
    CGContextSetLineWidth(c, 2);
    CGContextStrokeRect(c, CGRectMake(5, 5, 10, 10));
    expectPixel(c, 5, 10, 255, 0, 0, 255);
    expectPixel(c, 10, 10, 0, 0, 0, 0);

    CGContextFillRect(c, CGRectMake(0, 0, 20, 20));
    CGContextClearRect(c, CGRectMake(0, 0, 10, 20));
    expectPixel(c, 5, 5, 0, 0, 0, 0);
    expectPixel(c, 15, 5, 0, 0, 0, 255);

    CGContextClipToRect(c, CGRectMake(2, 3, 4, 5));
    CGRect box = CGContextGetClipBoundingBox(c);
    EXPECT_FLOAT_EQ(box.origin.x, 2);
    EXPECT_FLOAT_EQ(box.origin.y, 3);
    EXPECT_FLOAT_EQ(box.size.width, 4);
    EXPECT_FLOAT_EQ(box.size.height, 5);
}

TEST(CGContext, ArcToPointRoundsACorner) {
    auto c = CGContext::bitmap(40, 40);
    // A square with its top right corner rounded with radius 20.
    CGContextBeginPath(c);
    CGContextMoveToPoint(c, 0, 0);
    CGContextAddArcToPoint(c, 40, 0, 40, 40, 20);
    CGContextAddLineToPoint(c, 40, 40);
    CGContextAddLineToPoint(c, 0, 40);
    CGContextClosePath(c);
    CGContextFillPath(c);
    expectPixel(c, 38, 1, 0, 0, 0, 0);
    expectPixel(c, 1, 1, 0, 0, 0, 255);
    expectPixel(c, 30, 10, 0, 0, 0, 255);
    expectPixel(c, 38, 38, 0, 0, 0, 255);
}

TEST(CGContext, NilContextsAndColoursAreIgnored) {
    CGContextFillRect(nullptr, CGRectMake(0, 0, 1, 1));
    CGContextSaveGState(nullptr);
    CGContextAddArcToPoint(nullptr, 0, 0, 1, 1, 1);
    EXPECT_TRUE(CGRectIsNull(CGContextGetClipBoundingBox(nullptr)));
    auto c = CGContext::bitmap(4, 4);
    CGContextSetRGBFillColor(c, 0, 1, 0, 1);
    CGContextSetFillColorWithColor(c, nullptr);
    CGContextFillRect(c, CGRectMake(0, 0, 4, 4));
    expectPixel(c, 1, 1, 0, 255, 0, 255);
}
