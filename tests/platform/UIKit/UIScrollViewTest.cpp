#include <gtest/gtest.h>

#include <cairo.h>

#include <filesystem>
#include <string>
#include <vector>

#include "AppFixture.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIScrollView.h"
#include "UIKit/ViewRenderer.h"
#include "objc/ClassBuilder.h"

namespace {

// Content that notes the phases it sees.
class PhaseView : public UIView {
    KORVEL_OBJC_CLASS(PhaseView)
public:
    std::vector<std::string> seen;
    void touchesBegan(NSSet*, UIEvent*) override { seen.push_back("began"); }
    void touchesMoved(NSSet*, UIEvent*) override { seen.push_back("moved"); }
    void touchesEnded(NSSet*, UIEvent*) override { seen.push_back("ended"); }
    void touchesCancelled(NSSet*, UIEvent*) override { seen.push_back("cancelled"); }
};

class ScrollListener : public NSObject {
    KORVEL_OBJC_CLASS(ScrollListener)
public:
    int scrolls = 0;
    void scrollViewDidScroll(UIScrollView*) { ++scrolls; }
};

Class PhaseView::class_() {
    static Class cls = objc::ClassBuilder<PhaseView>("ScrollTestPhaseView", UIView::class_()).build();
    return cls;
}

Class ScrollListener::class_() {
    static Class cls = objc::ClassBuilder<ScrollListener>("ScrollTestListener", NSObject::class_())
                           .method<&ScrollListener::scrollViewDidScroll>("scrollViewDidScroll:")
                           .build();
    return cls;
}

using Seen = std::vector<std::string>;

class Scrolling : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        scroll = UIView::withFrame<UIScrollView>(CGRectMake(0, 0, 320, 480));
        scroll->setContentSize(CGSizeMake(320, 1000));
        content = UIView::withFrame<PhaseView>(CGRectMake(0, 0, 320, 1000));
        scroll->addSubview(content);
        window->addSubview(scroll);
    }
    CGFloat offsetY() const { return scroll->contentOffset().y; }

    Ref<UIScrollView> scroll;
    Ref<PhaseView> content;
};

}  // namespace

TEST_F(Scrolling, ADragAlongTheLongAxisTakesTheTouchFromTheContentAndScrolls) {
    scroll->setDelaysContentTouches(false);
    down(100, 300);
    move(100, 295);  // under the threshold: still the content's
    EXPECT_EQ(content->seen, (Seen{"began", "moved"}));
    move(100, 280);  // 20 points: the scroll view takes over from here
    EXPECT_EQ(content->seen, (Seen{"began", "moved", "cancelled"}));
    EXPECT_TRUE(scroll->isDragging());
    EXPECT_FLOAT_EQ(offsetY(), 0);
    move(100, 180);
    EXPECT_FLOAT_EQ(offsetY(), 100);
    move(100, -900);  // no further than the content's end
    EXPECT_FLOAT_EQ(offsetY(), 520);
    up();
    EXPECT_FALSE(scroll->isDragging());
    EXPECT_EQ(content->seen, (Seen{"began", "moved", "cancelled"}));
    // The content moved under the finger: what was at the bottom is now hit.
    EXPECT_FLOAT_EQ(content->convertPointFromView(CGPointMake(0, 0), window).y, 520);
}

TEST_F(Scrolling, ADragAcrossContentThatFitsStaysWithTheContent) {
    scroll->setDelaysContentTouches(false);
    drag(CGPointMake(20, 300), CGPointMake(300, 305));
    EXPECT_FLOAT_EQ(offsetY(), 0);
    EXPECT_FLOAT_EQ(scroll->contentOffset().x, 0);
    ASSERT_EQ(content->seen.size(), 12u);
    EXPECT_EQ(content->seen.back(), "ended");

    // Switched off, the long axis does not scroll either.
    content->seen.clear();
    scroll->setScrollEnabled(false);
    drag(CGPointMake(20, 300), CGPointMake(20, 100));
    EXPECT_FLOAT_EQ(offsetY(), 0);
    EXPECT_EQ(content->seen.back(), "ended");
}

TEST_F(Scrolling, DelayedContentSeesATouchOnlyWhenItIsNoDrag) {
    ASSERT_TRUE(scroll->delaysContentTouches());
    down(100, 300);
    Clock::advance(0.1);
    EXPECT_TRUE(content->seen.empty());
    Clock::advance(0.05);  // the delay is up
    EXPECT_EQ(content->seen, (Seen{"began"}));
    up();
    EXPECT_EQ(content->seen, (Seen{"began", "ended"}));

    // A quick tap is handed over whole when the finger lifts.
    content->seen.clear();
    tap(100, 300, 0.05);
    EXPECT_EQ(content->seen, (Seen{"began", "ended"}));

    // A drag within the delay never reaches the content.
    content->seen.clear();
    drag(CGPointMake(100, 300), CGPointMake(100, 200), 5);
    Clock::advance(1);
    EXPECT_TRUE(content->seen.empty());
    EXPECT_GT(offsetY(), 0);
}

TEST_F(Scrolling, ContentThatMayNotBeTakenKeepsItsTouch) {
    scroll->setDelaysContentTouches(false);
    scroll->setCanCancelContentTouches(false);
    drag(CGPointMake(100, 300), CGPointMake(100, 100));
    EXPECT_FLOAT_EQ(offsetY(), 0);
    EXPECT_EQ(content->seen.front(), "began");
    EXPECT_EQ(content->seen.back(), "ended");
}

TEST_F(Scrolling, AnAnimatedOffsetEasesThereOnTheClockAndTellsTheDelegate) {
    auto listener = make<ScrollListener>();
    scroll->setDelegate(listener);
    scroll->setContentOffset(CGPointMake(0, 400), true);
    EXPECT_FLOAT_EQ(offsetY(), 0);
    Clock::advance(UIScrollView::kScrollAnimationDuration / 2);
    EXPECT_NEAR(offsetY(), 200, 30);
    Clock::advance(UIScrollView::kScrollAnimationDuration);
    EXPECT_FLOAT_EQ(offsetY(), 400);
    EXPECT_GT(listener->scrolls, 5);

    // A plain set stops a running animation where it is.
    scroll->setContentOffset(CGPointMake(0, 0), true);
    Clock::advance(0.05);
    scroll->setContentOffset(CGPointMake(0, 50));
    Clock::advance(1);
    EXPECT_FLOAT_EQ(offsetY(), 50);
    scroll->setDelegate(nullptr);
}

TEST_F(Scrolling, SubviewsAreDrawnShiftedByTheOffset) {
    auto red = UIView::withFrame(CGRectMake(0, 600, 320, 100));
    red->setBackgroundColor(UIColor::redColor());
    content->addSubview(red);
    scroll->setBackgroundColor(UIColor::whiteColor());
    scroll->setContentOffset(CGPointMake(0, 550));

    auto path = (std::filesystem::temp_directory_path() / ("korvel-scroll-" + std::to_string(::getpid()) + ".png"))
                    .string();
    ASSERT_TRUE(ViewRenderer::renderToPNG(window, path, 1));
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    cairo_surface_flush(image);
    auto pixel = [&](int x, int y) {
        auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(image) +
                                                y * cairo_image_surface_get_stride(image));
        return row[x] & 0xffffff;
    };
    EXPECT_EQ(pixel(160, 40), 0xffffffu);   // content y 590: above the red view
    EXPECT_EQ(pixel(160, 100), 0xff0000u);  // content y 650
    EXPECT_EQ(pixel(160, 160), 0xffffffu);  // content y 710
    cairo_surface_destroy(image);
    std::filesystem::remove(path);
}
