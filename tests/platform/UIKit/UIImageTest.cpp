#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <filesystem>
#include <fstream>

#include "Device/DeviceFolder.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSString.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIImage.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace fs = std::filesystem;

namespace {

// Writes a PNG whose left half is red and right half blue.
void writeHalves(const fs::path& file, int width, int height) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_rectangle(cr, 0, 0, width / 2.0, height);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 1);
    cairo_rectangle(cr, width / 2.0, 0, width / 2.0, height);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_write_to_png(s, file.c_str());
    cairo_surface_destroy(s);
}

// The pixel's (unpremultiplied) ARGB as 0xAARRGGBB.
uint32_t pixel(CGContext* context, int x, int y) {
    cairo_surface_t* s = context->surface();
    cairo_surface_flush(s);
    const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const uint32_t*>(row)[x];
}

class UIImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        device = fs::temp_directory_path() / ("korvel-image-" + std::to_string(::getpid()));
        fs::remove_all(device);
        ASSERT_TRUE(DeviceFolder::setRoot(device.string()));
        fs::create_directories(device / "Applications/Pics.app");
        NSBundle::setMainBundlePath("/Applications/Pics.app"_ns);
        writeHalves(device / "Applications/Pics.app/halves.png", 2, 2);
        context = CGContext::bitmap(20, 10);
        UIGraphicsPushContext(context);
    }
    void TearDown() override {
        UIGraphicsPopContext();
        NSBundle::setMainBundlePath(nullptr);
        DeviceFolder::setRoot("");
        fs::remove_all(device);
    }

    NSAutoreleasePool pool;
    fs::path device;
    Ref<CGContext> context;
};

}  // namespace

TEST_F(UIImageTest, NamedImagesComeFromTheMainBundleOnceAndAreKept) {
    Ref<UIImage> first = UIImage::imageNamed("halves.png"_ns);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->size().width, 2);
    EXPECT_EQ(first->size().height, 2);
    EXPECT_EQ(CGImageGetWidth(first->CGImage()), 2u);
    // Later calls answer the very same image, with or without the extension.
    EXPECT_EQ(UIImage::imageNamed("halves.png"_ns).get(), first.get());
    EXPECT_EQ(UIImage::imageNamed("halves"_ns).get(), first.get());
    // Through the runtime too.
    id viaRuntime = objc::send<id, id>(objc_getClass("UIImage"), "imageNamed:", "halves.png"_ns.get());
    EXPECT_EQ(viaRuntime, static_cast<id>(first.get()));

    EXPECT_FALSE(UIImage::imageNamed("missing.png"_ns));
    EXPECT_FALSE(UIImage::imageNamed(nullptr));
    EXPECT_FALSE(UIImage::imageNamed(""_ns));
}

TEST_F(UIImageTest, FilesThatAreMissingOrNotImagesGiveNil) {
    Ref<UIImage> image = UIImage::imageWithContentsOfFile("/Applications/Pics.app/halves.png"_ns);
    ASSERT_TRUE(image);
    EXPECT_NE(image.get(), UIImage::imageWithContentsOfFile("/Applications/Pics.app/halves.png"_ns).get());

    std::ofstream(device / "junk.png", std::ios::binary) << "\x89PNG\r\n\x1a\nnot really";
    std::ofstream(device / "empty.png", std::ios::binary);
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/junk.png"_ns));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/empty.png"_ns));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/nowhere.png"_ns));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/Applications"_ns));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile(nullptr));
}

TEST_F(UIImageTest, DrawInRectStretchesTheWholeImage) {
    Ref<UIImage> image = UIImage::imageNamed("halves.png"_ns);
    image->drawInRect(CGRectMake(0, 0, 20, 10));
    // Each source pixel covers a 10 by 10 block, smoothed where they meet.
    EXPECT_EQ(pixel(context, 0, 0), 0xffff0000u);
    EXPECT_EQ(pixel(context, 4, 9), 0xffff0000u);
    EXPECT_EQ(pixel(context, 15, 0), 0xff0000ffu);
    EXPECT_EQ(pixel(context, 19, 9), 0xff0000ffu);
}

TEST_F(UIImageTest, DrawAtPointKeepsTheImageSize) {
    Ref<UIImage> image = UIImage::imageNamed("halves.png"_ns);
    image->drawAtPoint(CGPointMake(5, 5));
    EXPECT_EQ(pixel(context, 5, 5), 0xffff0000u);
    EXPECT_EQ(pixel(context, 6, 6), 0xff0000ffu);
    EXPECT_EQ(pixel(context, 7, 5), 0u);
    EXPECT_EQ(pixel(context, 4, 5), 0u);
}

TEST_F(UIImageTest, DrawAsPatternRepeatsFromTheContextOrigin) {
    Ref<UIImage> image = UIImage::imageNamed("halves.png"_ns);
    image->drawAsPatternInRect(CGRectMake(3, 0, 10, 4));
    // Columns alternate red, blue counted from x = 0, not from the rectangle.
    EXPECT_EQ(pixel(context, 3, 0), 0xff0000ffu);
    EXPECT_EQ(pixel(context, 4, 0), 0xffff0000u);
    EXPECT_EQ(pixel(context, 12, 3), 0xffff0000u);
    EXPECT_EQ(pixel(context, 11, 3), 0xff0000ffu);
    EXPECT_EQ(pixel(context, 13, 0), 0u);
    EXPECT_EQ(pixel(context, 4, 4), 0u);
}

TEST_F(UIImageTest, DrawingHonoursTheContextAlphaAndIgnoresBadRectangles) {
    Ref<UIImage> image = UIImage::imageNamed("halves.png"_ns);
    CGContextSetAlpha(context, 0.5f);
    image->drawInRect(CGRectMake(0, 0, 2, 2));
    EXPECT_NEAR(static_cast<int>(pixel(context, 0, 0) >> 24), 128, 1);

    const CGFloat inf = std::numeric_limits<CGFloat>::infinity();
    image->drawInRect(CGRectMake(0, 0, inf, 10));
    image->drawInRect(CGRectMake(0, 0, 0, 10));
    image->drawAsPatternInRect(CGRectMake(NAN, 0, 10, 10));
    EXPECT_EQ(cairo_status(context->cairo()), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(pixel(context, 10, 5), 0u);

    // Without a current context nothing is drawn and nothing breaks.
    UIGraphicsPopContext();
    image->drawInRect(CGRectMake(0, 0, 20, 10));
    UIGraphicsPushContext(context);
}
