#include <gtest/gtest.h>

#include <cairo.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "ColorPicker/GradientView.h"
#include "UIKit/UIColor.h"
#include "UIKit/ViewRenderer.h"

namespace {

struct Pixel {
    int r, g, b;
};

// The strip drawn alone, 300 x 40, read back pixel by pixel.
class GradientViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        strip = UIView::withFrame<GradientView>(CGRectMake(0, 0, 300, 40));
        png = (std::filesystem::temp_directory_path() / ("korvel-strip-" + std::to_string(::getpid()) + ".png")).string();
    }
    void TearDown() override { std::filesystem::remove(png); }

    Pixel at(int x) {
        cairo_surface_t* image = cairo_image_surface_create_from_png(png.c_str());
        EXPECT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
        cairo_surface_flush(image);
        auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(image) + 20 * cairo_image_surface_get_stride(image));
        uint32_t v = row[x];
        cairo_surface_destroy(image);
        return {static_cast<int>(v >> 16 & 0xff), static_cast<int>(v >> 8 & 0xff), static_cast<int>(v & 0xff)};
    }
    void render() { ASSERT_TRUE(ViewRenderer::renderToPNG(strip, png, 1)); }

    Ref<GradientView> strip;
    std::string png;
};

TEST_F(GradientViewTest, RunsFromWhiteThroughTheStripColourToBlack) {
    strip->setTheColor(UIColor::redColor()->CGColor());
    strip->setupGradient();
    render();
    Pixel left = at(0), middle = at(150), right = at(299);
    EXPECT_GE(left.r, 250);
    EXPECT_GE(left.g, 250);
    EXPECT_GE(left.b, 250);
    EXPECT_GE(middle.r, 250);
    EXPECT_LE(middle.g, 3);
    EXPECT_LE(middle.b, 3);
    EXPECT_LE(right.r, 3);
    EXPECT_LE(right.g, 3);
}

TEST_F(GradientViewTest, ANewColourShowsOnlyAfterTheGradientIsRebuilt) {
    strip->setTheColor(UIColor::redColor()->CGColor());
    strip->setupGradient();
    strip->setTheColor(UIColor::blueColor()->CGColor());
    render();
    EXPECT_GE(at(150).r, 250);
    EXPECT_LE(at(150).b, 3);
    strip->setupGradient();
    render();
    EXPECT_LE(at(150).r, 3);
    EXPECT_GE(at(150).b, 250);
}

TEST_F(GradientViewTest, WithoutAGradientNothingIsPainted) {
    strip->setBackgroundColor(UIColor::greenColor());
    strip->setTheColor(UIColor::redColor()->CGColor());
    render();
    Pixel p = at(150);
    EXPECT_EQ(p.r, 0);
    EXPECT_GE(p.g, 250);
}

TEST_F(GradientViewTest, AGreyStripColourGivesAGreyMiddle) {
    strip->setTheColor(UIColor::colorWithWhite(0.5f, 1)->CGColor());
    strip->setupGradient();
    const auto& stops = strip->gradient()->stops();
    ASSERT_EQ(stops.size(), 3u);
    EXPECT_FLOAT_EQ(stops[1].location, 0.5f);
    EXPECT_FLOAT_EQ(stops[1].red, 0.5f);
    EXPECT_FLOAT_EQ(stops[1].green, 0.5f);
    EXPECT_FLOAT_EQ(stops[1].blue, 0.5f);
    EXPECT_FLOAT_EQ(stops[1].alpha, 1);
}

TEST_F(GradientViewTest, EachRebuildLetsThePreviousGradientGo) {
    strip->setTheColor(UIColor::colorWithRed(0.2f, 0.4f, 0.6f, 0.3f)->CGColor());
    strip->setupGradient();
    Ref<CGGradient> first = strip->gradient();
    EXPECT_EQ(first->retainCount(), 2u);
    for (int i = 0; i < 100; ++i) strip->setupGradient();
    EXPECT_EQ(first->retainCount(), 1u);
    EXPECT_NE(strip->gradient(), first.get());
    // The strip colour's alpha is not used: the middle stop is opaque.
    EXPECT_FLOAT_EQ(strip->gradient()->stops()[1].alpha, 1);
}

}  // namespace
