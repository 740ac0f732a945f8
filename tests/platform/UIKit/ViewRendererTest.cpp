#include <gtest/gtest.h>

#include <cairo.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>

#include "Foundation/NSException.h"
#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UILabel.h"
#include "UIKit/ViewRenderer.h"

namespace {

struct Pixel {
    int r, g, b, a;
};

// Renders to a PNG file and reads pixels back from it.
class Png {
public:
    Png(UIView* root, CGFloat scale) {
        path_ = (std::filesystem::temp_directory_path() / ("korvel-render-" + std::to_string(getpid()) + ".png")).string();
        written_ = ViewRenderer::renderToPNG(root, path_, scale);
        surface_ = cairo_image_surface_create_from_png(path_.c_str());
        std::filesystem::remove(path_);
    }
    ~Png() { cairo_surface_destroy(surface_); }
    Png(const Png&) = delete;
    Png& operator=(const Png&) = delete;

    bool written() const { return written_; }
    int width() const { return cairo_image_surface_get_width(surface_); }
    int height() const { return cairo_image_surface_get_height(surface_); }

    Pixel at(int x, int y) const {
        const unsigned char* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
        uint32_t v = reinterpret_cast<const uint32_t*>(row)[x];
        int a = static_cast<int>(v >> 24);
        auto channel = [&](int shift) { return a ? (static_cast<int>((v >> shift) & 0xff) * 255 + a / 2) / a : 0; };
        return {channel(16), channel(8), channel(0), a};
    }

private:
    std::string path_;
    bool written_ = false;
    cairo_surface_t* surface_ = nullptr;
};

void expectPixel(const Png& png, int x, int y, int r, int g, int b, int a) {
    Pixel p = png.at(x, y);
    EXPECT_NEAR(p.r, r, 3) << "at " << x << "," << y;
    EXPECT_NEAR(p.g, g, 3) << "at " << x << "," << y;
    EXPECT_NEAR(p.b, b, 3) << "at " << x << "," << y;
    EXPECT_NEAR(p.a, a, 3) << "at " << x << "," << y;
}

Ref<UIView> whiteScreen(CGFloat width = 100, CGFloat height = 100) {
    auto root = UIView::withFrame(CGRectMake(0, 0, width, height));
    root->setBackgroundColor(UIColor::whiteColor());
    return root;
}

Ref<UIView> addView(UIView* parent, CGRect frame, Ref<UIColor> colour) {
    auto view = UIView::withFrame(frame);
    view->setBackgroundColor(colour);
    parent->addSubview(view);
    return view;
}

// Draws a green cross through its bounds, reaching past them by 10 points.
class CrossView : public UIView {
public:
    void drawRect(CGRect rect) override {
        ++draws;
        seenRect = rect;
        CGContextRef c = UIGraphicsGetCurrentContext();
        CGContextSetRGBFillColor(c, 0, 1, 0, 1);
        CGContextFillRect(c, CGRectMake(-10, rect.size.height / 2 - 1, rect.size.width + 20, 2));
    }
    int draws = 0;
    CGRect seenRect = CGRectZero;
};

// A view whose drawing raises, as an app's drawRect: may.
class RaisingView : public UIView {
public:
    void drawRect(CGRect) override { NSException::raise("NSInternalInconsistencyException", "drawing failed"); }
};

}  // namespace

TEST(ViewRenderer, DrawsBackgroundsAtTheirFrames) {
    auto root = whiteScreen();
    addView(root, CGRectMake(20, 20, 40, 40), UIColor::redColor());
    Png png(root, 1);
    ASSERT_TRUE(png.written());
    EXPECT_EQ(png.width(), 100);
    EXPECT_EQ(png.height(), 100);
    expectPixel(png, 40, 40, 255, 0, 0, 255);
    expectPixel(png, 20, 20, 255, 0, 0, 255);
    expectPixel(png, 60, 40, 255, 255, 255, 255);
    expectPixel(png, 19, 40, 255, 255, 255, 255);
}

TEST(ViewRenderer, ScaleMakesEachPointSeveralPixels) {
    auto root = whiteScreen(50, 30);
    addView(root, CGRectMake(10, 10, 10, 10), UIColor::blueColor());
    Png png(root, 2);
    EXPECT_EQ(png.width(), 100);
    EXPECT_EQ(png.height(), 60);
    expectPixel(png, 20, 20, 0, 0, 255, 255);
    expectPixel(png, 39, 39, 0, 0, 255, 255);
    expectPixel(png, 40, 40, 255, 255, 255, 255);
}

TEST(ViewRenderer, AlphaBlendsAndMultipliesDownTheTree) {
    auto root = whiteScreen();
    auto half = addView(root, CGRectMake(0, 0, 50, 100), UIColor::redColor());
    half->setAlpha(0.5f);
    auto quarter = addView(half, CGRectMake(0, 50, 50, 50), UIColor::blueColor());
    quarter->setAlpha(0.5f);
    Png png(root, 1);
    expectPixel(png, 25, 25, 255, 128, 128, 255);
    // Blue at 0.25 over the half red over white.
    expectPixel(png, 25, 75, 191, 96, 159, 255);
}

TEST(ViewRenderer, HiddenViewsAndTheirSubviewsAreSkipped) {
    auto root = whiteScreen();
    auto hidden = addView(root, CGRectMake(0, 0, 50, 50), UIColor::redColor());
    addView(hidden, CGRectMake(0, 0, 10, 10), UIColor::blueColor());
    hidden->setHidden(true);
    auto transparent = addView(root, CGRectMake(50, 50, 50, 50), UIColor::redColor());
    transparent->setAlpha(0);
    Png png(root, 1);
    expectPixel(png, 5, 5, 255, 255, 255, 255);
    expectPixel(png, 25, 25, 255, 255, 255, 255);
    expectPixel(png, 75, 75, 255, 255, 255, 255);
}

TEST(ViewRenderer, CornerRadiusRoundsTheBackground) {
    auto root = whiteScreen();
    auto dot = addView(root, CGRectMake(0, 0, 40, 40), UIColor::redColor());
    dot->layer()->setCornerRadius(20);
    Png png(root, 1);
    expectPixel(png, 1, 1, 255, 255, 255, 255);
    expectPixel(png, 38, 38, 255, 255, 255, 255);
    expectPixel(png, 20, 20, 255, 0, 0, 255);
    expectPixel(png, 20, 1, 255, 0, 0, 255);
}

TEST(ViewRenderer, ClipsToBoundsClipsSubviewsWhileOthersOverflow) {
    auto root = whiteScreen();
    auto clipping = addView(root, CGRectMake(0, 0, 40, 40), UIColor::whiteColor());
    clipping->setClipsToBounds(true);
    addView(clipping, CGRectMake(30, 30, 30, 30), UIColor::redColor());
    auto open = addView(root, CGRectMake(50, 0, 20, 20), UIColor::whiteColor());
    addView(open, CGRectMake(10, 10, 30, 30), UIColor::blueColor());
    Png png(root, 1);
    expectPixel(png, 35, 35, 255, 0, 0, 255);
    expectPixel(png, 45, 45, 255, 255, 255, 255);
    expectPixel(png, 65, 25, 0, 0, 255, 255);
    expectPixel(png, 85, 35, 0, 0, 255, 255);
}

TEST(ViewRenderer, DrawRectRunsWithACurrentContextClippedToTheBounds) {
    auto root = whiteScreen();
    auto cross = UIView::withFrame<CrossView>(CGRectMake(20, 20, 40, 40));
    auto child = UIView::withFrame(CGRectMake(0, 0, 40, 10));
    child->setBackgroundColor(UIColor::blueColor());
    cross->addSubview(child);
    root->addSubview(cross);
    child->setFrame(CGRectMake(0, 15, 10, 10));
    Png png(root, 1);
    EXPECT_EQ(cross->draws, 1);
    EXPECT_FLOAT_EQ(cross->seenRect.size.width, 40);
    EXPECT_FALSE(cross->needsDisplay());
    expectPixel(png, 40, 40, 0, 255, 0, 255);
    // Drawing past the bounds does not show.
    expectPixel(png, 15, 40, 255, 255, 255, 255);
    // Subviews lie above the view's own drawing.
    expectPixel(png, 25, 40, 0, 0, 255, 255);
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
}

TEST(ViewRenderer, LabelsDrawTheirTextInTheTextColour) {
    auto root = whiteScreen(200, 40);
    auto label = UILabel::withFrame(CGRectMake(0, 0, 200, 40));
    label->setText(NSString::from("WWWW"));
    label->setTextColor(UIColor::redColor());
    root->addSubview(label);
    Png png(root, 1);
    int red = 0, other = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            Pixel p = png.at(x, y);
            if (p.r > 200 && p.g < 60 && p.b < 60) ++red;
            else if (!(p.r > 200 && p.g > 200 && p.b > 200) && !(p.r > 200 && p.g == p.b)) ++other;
        }
    }
    EXPECT_GT(red, 40);
    EXPECT_EQ(other, 0);
    // The text is centred vertically: nothing in the top and bottom rows.
    for (int x = 0; x < 200; ++x) {
        expectPixel(png, x, 2, 255, 255, 255, 255);
        expectPixel(png, x, 37, 255, 255, 255, 255);
    }
}

TEST(ViewRenderer, TransformsScaleAndSquashedViewsShowNothing) {
    auto root = whiteScreen();
    auto grown = addView(root, CGRectMake(40, 40, 10, 10), UIColor::redColor());
    grown->setTransform(CGAffineTransformMakeScale(2, 2));
    auto flat = addView(root, CGRectMake(0, 80, 20, 20), UIColor::blueColor());
    flat->setTransform(CGAffineTransformMakeScale(0, 1));
    Png png(root, 1);
    expectPixel(png, 36, 36, 255, 0, 0, 255);
    expectPixel(png, 54, 54, 255, 0, 0, 255);
    expectPixel(png, 10, 90, 255, 255, 255, 255);
}

TEST(ViewRenderer, RefusesWhatCannotBeDrawn) {
    auto root = whiteScreen();
    EXPECT_FALSE(ViewRenderer::renderToPNG(nullptr, "/tmp/never.png", 1));
    EXPECT_FALSE(ViewRenderer::renderToPNG(root, "/tmp/never.png", 0));
    EXPECT_FALSE(ViewRenderer::renderToPNG(root, "/tmp/never.png", std::numeric_limits<CGFloat>::infinity()));
    EXPECT_FALSE(ViewRenderer::renderToPNG(UIView::withFrame(CGRectZero), "/tmp/never.png", 1));
    EXPECT_FALSE(ViewRenderer::renderToPNG(UIView::withFrame(CGRectMake(0, 0, 1e6f, 10)), "/tmp/never.png", 1));
    EXPECT_FALSE(ViewRenderer::renderToPNG(root, "/nonexistent-folder/x.png", 1));
}

TEST(ViewRenderer, ARaiseWhileDrawingLeavesTheContextAsItWasAndNoneCurrent) {
    auto view = UIView::withFrame<RaisingView>(CGRectMake(0, 0, 10, 10));
    view->setAlpha(0.5f);
    Ref<CGContext> context = CGContext::bitmap(20, 20);
    CGContextTranslateCTM(context, 3, 4);
    EXPECT_THROW(ViewRenderer::render(view, context), Ref<NSException>);
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    EXPECT_FLOAT_EQ(context->alpha(), 1);
    CGAffineTransform ctm = CGContextGetCTM(context);
    EXPECT_FLOAT_EQ(ctm.tx, 3);
    EXPECT_FLOAT_EQ(ctm.ty, 4);
}
