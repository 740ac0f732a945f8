#include <gtest/gtest.h>

#include <cstdint>

#include "Classes/ZRSwipeableTableViewCellView.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIImage.h"
#include "UIKit/UIScrollView.h"
#include "app/Classes/SwipeTableFixture.h"

namespace {

// Red, green, blue and alpha of a pixel, unpremultiplied, 0 to 255.
struct Pixel {
    int r, g, b, a;
};

Pixel pixelAt(CGContext* c, int x, int y) {
    cairo_surface_flush(c->surface());
    const unsigned char* row = cairo_image_surface_get_data(c->surface()) + y * cairo_image_surface_get_stride(c->surface());
    uint32_t v = reinterpret_cast<const uint32_t*>(row)[x];
    int a = static_cast<int>(v >> 24);
    auto un = [a](uint32_t c) { return a ? static_cast<int>((c & 0xff) * 255 / static_cast<uint32_t>(a)) : 0; };
    return {un(v >> 16), un(v >> 8), un(v), a};
}

class ExampleCellTest : public SwipeTableFixture {
protected:
    ExampleCell* example(int row) { return objc::cast<ExampleCell>(cell(row)); }
    UIScrollView* strip(int row) {
        Ref<NSArray> views = example(row)->backView()->subviews();
        return views->count() == 1 ? objc::cast<UIScrollView>(views->objectAtIndex(0)) : nullptr;
    }
    UIButton* button(int row, NSInteger number) {
        UIScrollView* s = strip(row);
        return s ? objc::cast<UIButton>(s->viewWithTag(number)) : nullptr;
    }
};

}  // namespace

TEST_F(ExampleCellTest, TheStripHasTenColouredButtonsTwiceTheRowsWidth) {
    EXPECT_EQ(strip(0), nullptr);
    open(0);
    UIScrollView* s = strip(0);
    ASSERT_TRUE(s);
    EXPECT_TRUE(CGRectEqualToRect(s->frame(), CGRectMake(0, 0, 320, 61)));
    EXPECT_TRUE(CGSizeEqualToSize(s->contentSize(), CGSizeMake(640, 61)));
    ASSERT_EQ(s->subviews()->count(), 10u);
    const char* names[] = {"blue", "red", "green", "yellow", "purple", "orange", "lightGray", "white", "black",
                           "magenta"};
    for (NSInteger n = 1; n <= 10; ++n) {
        UIButton* b = button(0, n);
        ASSERT_TRUE(b) << n;
        EXPECT_EQ(b->buttonType(), UIButtonTypeCustom);
        // A 60-point back view gives 44-point buttons, 8 from the top.
        EXPECT_TRUE(CGRectEqualToRect(b->frame(), CGRectMake(20 + 60 * CGFloat(n - 1), 8, 40, 44))) << n;
        EXPECT_TRUE(b->showsTouchWhenHighlighted());
        EXPECT_FLOAT_EQ(b->layer()->cornerRadius(), 6);
        EXPECT_TRUE(b->backgroundColor()->isEqual(ExampleCell::quickColour(n))) << names[n - 1];
        EXPECT_EQ(b->allControlEvents(), UIControlEventTouchUpInside);
    }
    // The last button ends at 600: the strip scrolls to reach it.
    EXPECT_FLOAT_EQ(CGRectGetMaxX(button(0, 10)->frame()), 600);
    EXPECT_TRUE(ExampleCell::quickColour(0)->isEqual(UIColor::clearColor()));
    EXPECT_TRUE(ExampleCell::quickColour(11)->isEqual(UIColor::clearColor()));
    EXPECT_TRUE(ExampleCell::quickColour(7)->isEqual(UIColor::lightGrayColor()));
}

TEST_F(ExampleCellTest, ATapOnButtonFourStoresFourAndTintsTheRowYellow) {
    open(2);
    ASSERT_TRUE(button(2, 4));
    // Button 4 spans x 200 to 240.
    tap(220, rowY(2));
    NSUserDefaults* defaults = NSUserDefaults::standardUserDefaults();
    Ref<NSObject> stored = defaults->objectForKey("row2@example.org"_ns);
    auto* number = objc::cast<NSNumber>(stored.get());
    ASSERT_TRUE(number);
    EXPECT_EQ(number->intValue(), 4);
    EXPECT_TRUE(example(2)->contentView()->backgroundColor()->isEqual(UIColor::yellowColor()));
    // Saved to the preferences file at once.
    NSUserDefaults::resetStandardUserDefaults();
    EXPECT_EQ(NSUserDefaults::standardUserDefaults()->integerForKey("row2@example.org"_ns), 4);
    // The row stays open.
    EXPECT_FALSE(example(2)->backView()->isHidden());
    EXPECT_TRUE(rows->selected.empty());
}

TEST_F(ExampleCellTest, TheStripScrollsSidewaysToTheLastButtons) {
    open(1);
    // The drag takes over after the first 20 points and follows the finger
    // from there: 280 points, within the 320 the strip can move.
    down(310, rowY(1) + 28);
    for (int i = 1; i <= 15; ++i) move(310 - 20 * CGFloat(i), rowY(1) + 28);
    up();
    EXPECT_FLOAT_EQ(strip(1)->contentOffset().x, 280);
    // Button 10, at 560 to 600 of the strip, is on screen at 280 to 320.
    tap(300, rowY(1));
    EXPECT_EQ(NSUserDefaults::standardUserDefaults()->integerForKey("row1@example.org"_ns), 10);
    EXPECT_TRUE(example(1)->contentView()->backgroundColor()->isEqual(UIColor::magentaColor()));
    EXPECT_FALSE(example(1)->backView()->isHidden());
}

TEST_F(ExampleCellTest, TheStripGoesWhenTheBackFaceHidesAndIsBuiltAnewNextTime) {
    open(0);
    UIScrollView* first = strip(0);
    ASSERT_TRUE(first);
    tap(160, rowY(3), 0.01);
    Clock::advance(0.3);
    EXPECT_EQ(example(0)->backView()->subviews()->count(), 0u);
    open(0);
    ASSERT_TRUE(strip(0));
    EXPECT_EQ(example(0)->backView()->subviews()->count(), 1u);
}

TEST_F(ExampleCellTest, SetTextRedrawsOnlyForADifferentObject) {
    ExampleCell* c = example(0);
    Ref<NSString> title = "Title"_ns;
    c->setText(title);
    EXPECT_EQ(c->text(), title.get());
    c->frontView()->clearNeedsDisplay();
    c->setText(title);
    EXPECT_FALSE(c->frontView()->needsDisplay());
    c->setText(NSString::from("Title"));
    EXPECT_TRUE(c->frontView()->needsDisplay());
    c->setText(nullptr);
    EXPECT_EQ(c->text(), nullptr);
}

TEST_F(ExampleCellTest, TheFrontFaceDrawsTheGradientWhenSelectedAndTheTitleCentred) {
    ExampleCell* c = example(0);
    auto context = CGContext::bitmap(320, 60);
    UIGraphicsPushContext(context);
    // Unselected with no title: nothing at all.
    c->drawContentView(CGRectMake(0, 0, 320, 60));
    EXPECT_EQ(pixelAt(context, 160, 30).a, 0);
    EXPECT_EQ(pixelAt(context, 5, 5).a, 0);
    UIGraphicsPopContext();

    // Unselected with a title: the title alone, in black.
    auto plain = CGContext::bitmap(320, 60);
    UIGraphicsPushContext(plain);
    c->setText("W"_ns);
    c->drawContentView(CGRectMake(0, 0, 320, 60));
    UIGraphicsPopContext();
    EXPECT_EQ(pixelAt(plain, 5, 30).a, 0);
    int blackish = 0;
    for (int x = 145; x < 175; ++x) {
        for (int y = 20; y < 40; ++y) {
            Pixel p = pixelAt(plain, x, y);
            if (p.a > 200 && p.r < 40 && p.g < 40 && p.b < 40) ++blackish;
        }
    }
    EXPECT_GT(blackish, 20);

    UIGraphicsPushContext(context);
    c->setSelected(true);
    c->drawContentView(CGRectMake(0, 0, 320, 60));
    UIGraphicsPopContext();
    c->setSelected(false);
    // The selection gradient: opaque blue.
    Pixel edge = pixelAt(context, 5, 30);
    EXPECT_EQ(edge.a, 255);
    EXPECT_GT(edge.b, 200);
    EXPECT_LT(edge.r, 40);
    // The white title in the middle.
    int whiteish = 0;
    for (int x = 145; x < 175; ++x) {
        for (int y = 20; y < 40; ++y) {
            Pixel p = pixelAt(context, x, y);
            if (p.r > 200 && p.g > 200 && p.b > 200) ++whiteish;
        }
    }
    EXPECT_GT(whiteish, 20);
}

TEST_F(ExampleCellTest, TheBackFaceIsTheMeshWithShadowsAlongBothEdges) {
    ExampleCell* c = example(0);
    auto plain = CGContext::bitmap(320, 60);
    UIGraphicsPushContext(plain);
    UIImage::imageNamed("meshpattern.png"_ns)->drawAsPatternInRect(CGRectMake(0, 0, 320, 60));
    UIGraphicsPopContext();
    auto context = CGContext::bitmap(320, 60);
    UIGraphicsPushContext(context);
    c->drawBackView(CGRectMake(0, 0, 320, 60));
    UIGraphicsPopContext();
    // The mesh covers the face; the shadow darkens it most at the edges, by
    // 30% black, and not at all in the middle.
    for (int x : {0, 3, 100}) {
        EXPECT_EQ(pixelAt(context, x, 30).a, 255);
        EXPECT_EQ(pixelAt(context, x, 30).r, pixelAt(plain, x, 30).r);
        EXPECT_NEAR(pixelAt(context, x, 0).r, pixelAt(plain, x, 0).r * 0.7, 2);
        EXPECT_NEAR(pixelAt(context, x, 59).r, pixelAt(plain, x, 59).r * 0.7, 3);
        EXPECT_NEAR(pixelAt(context, x, 5).r, pixelAt(plain, x, 5).r * 0.85, 3);
    }
}

TEST_F(ExampleCellTest, ShadowsUseTheRectanglesHeightNotItsBottomEdge) {
    ExampleCell* c = example(0);
    auto context = CGContext::bitmap(10, 100);
    c->drawShadowsWithHeight(10, 1, CGRectMake(0, 40, 10, 50), context);
    // Top shadow from y 40 to 50; bottom shadow from 40 (50 - 10) to 50,
    // continuing below: opaque from 50 down.
    EXPECT_EQ(pixelAt(context, 5, 20).a, 0);
    EXPECT_GE(pixelAt(context, 5, 40).a, 240);
    EXPECT_GE(pixelAt(context, 5, 70).a, 250);
    EXPECT_GE(pixelAt(context, 5, 95).a, 250);
}
