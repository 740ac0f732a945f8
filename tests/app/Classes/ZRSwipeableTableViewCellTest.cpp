#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Classes/ZRSwipeableTableViewCell.h"
#include "Classes/ZRSwipeableTableViewCellBackView.h"
#include "Classes/ZRSwipeableTableViewCellView.h"
#include "Foundation/Clock.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSString.h"
#include "QuartzCore/CAAnimationGroup.h"
#include "QuartzCore/CABasicAnimation.h"
#include "UIKit/UIGraphics.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace {

// A row that notes what it is told.
class NotingCell : public ZRSwipeableTableViewCell {
public:
    void drawContentView(CGRect) override { notes.push_back("drawContentView"); }
    void drawBackView(CGRect) override { notes.push_back("drawBackView"); }
    void backViewWillAppear() override { notes.push_back("willAppear"); }
    void backViewDidAppear() override { notes.push_back("didAppear"); }
    void backViewWillDisappear() override { notes.push_back("willDisappear"); }
    void backViewDidDisappear() override { notes.push_back("didDisappear"); }
    std::vector<std::string> notes;
};

using Notes = std::vector<std::string>;

class SwipeableCellTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::useVirtual(Clock::now());
        cell = UITableViewCell::cellWithStyle<NotingCell>(UITableViewCellStyleDefault, "a@b.c"_ns);
        cell->setFrame(CGRectMake(0, 0, 320, 61));
        // Set-up is a transaction of its own, as when a table shows the row.
        Clock::advance(0);
        cell->notes.clear();
        start = Clock::now();
    }
    void TearDown() override {
        cell->resetViews();
        Clock::advance(1);
    }
    void at(double seconds) { Clock::advance(start + seconds - Clock::now()); }
    // The front view's left edge as the screen shows it.
    CGFloat shownX() { return cell->frontView()->layer()->presentationLayer()->frame().origin.x; }
    float shownBackOpacity() { return cell->backView()->layer()->presentationLayer()->opacity(); }
    std::string text() { return cell->description()->str(); }

    NSAutoreleasePool pool;
    Ref<NotingCell> cell;
    double start = 0;
};

}  // namespace

TEST_F(SwipeableCellTest, ANewRowShowsItsFrontWithBothFacesOnTheRowItself) {
    // With the row's own address, also when asked by name (as "%@" asks).
    std::ostringstream expected;
    expected << "<ZRSwipeableTableViewCell " << static_cast<const void*>(cell.get()) << " 'ContentView visible'>";
    EXPECT_EQ(text(), expected.str());
    EXPECT_EQ(objc::cast<NSString>(objc::send<id>(cell.get(), "description"))->str(), expected.str());
    EXPECT_TRUE(cell->shouldSupportSwiping());
    EXPECT_TRUE(cell->shouldBounce());
    EXPECT_FALSE(cell->isSelected());
    EXPECT_FALSE(cell->contentViewMoving());
    EXPECT_TRUE(cell->backView()->isHidden());
    // Back view, then front view, on the row (not its content view), above it.
    Ref<NSArray> subviews = cell->subviews();
    ASSERT_GE(subviews->count(), 3u);
    EXPECT_EQ(subviews->objectAtIndex(subviews->count() - 1), cell->frontView());
    EXPECT_EQ(subviews->objectAtIndex(subviews->count() - 2), cell->backView());
    EXPECT_TRUE(objc::cast<ZRSwipeableTableViewCellBackView>(cell->backView()));
    EXPECT_TRUE(cell->frontView()->clipsToBounds());
    // The faces leave the row's bottom line uncovered.
    EXPECT_TRUE(CGRectEqualToRect(cell->frontView()->frame(), CGRectMake(0, 0, 320, 60)));
    EXPECT_TRUE(CGRectEqualToRect(cell->backView()->frame(), CGRectMake(0, 0, 320, 60)));
    // The default anchor point until the first move.
    EXPECT_FLOAT_EQ(cell->frontView()->layer()->anchorPoint().x, 0.5f);
}

TEST_F(SwipeableCellTest, AccessoriesAreIgnored) {
    const NSUInteger before = cell->subviews()->count();
    cell->setAccessoryType(UITableViewCellAccessoryCheckmark);
    cell->setAccessoryView(UIView::withFrame(CGRectMake(0, 0, 10, 10)));
    EXPECT_EQ(cell->subviews()->count(), before);
    EXPECT_EQ(cell->accessoryType(), UITableViewCellAccessoryNone);
}

TEST_F(SwipeableCellTest, TheFirstRevealStartsFromHalfTheWidthAndEndsUnselected) {
    cell->setSelected(true);
    cell->revealBackView();
    EXPECT_EQ(cell->notes, Notes({"willAppear"}));
    EXPECT_TRUE(cell->contentViewMoving());
    EXPECT_FALSE(cell->backView()->isHidden());
    // Moving the anchor with the position unchanged puts the left edge at
    // half the width at once; the slide runs on from there.
    EXPECT_NEAR(shownX(), 160, 1e-3);
    EXPECT_FLOAT_EQ(cell->frontView()->layer()->position().x, 320);
    at(0.07);
    EXPECT_NEAR(shownX(), 240, 1e-2);
    // A second reveal while moving does nothing; so does a hide.
    cell->revealBackView();
    cell->hideBackView();
    EXPECT_EQ(cell->notes, Notes({"willAppear"}));
    at(0.14);
    EXPECT_NEAR(shownX(), 320, 1e-3);
    EXPECT_EQ(cell->notes, Notes({"willAppear", "didAppear"}));
    EXPECT_FALSE(cell->contentViewMoving());
    EXPECT_FALSE(cell->isSelected());
    EXPECT_EQ(cell->frontView()->layer()->animationForKey("reveal"_ns), nullptr);
    EXPECT_NE(text().find("'BackView visible'>"), std::string::npos);
    // Back shown: revealing again does nothing.
    cell->revealBackView();
    EXPECT_EQ(cell->notes, Notes({"willAppear", "didAppear"}));
}

TEST_F(SwipeableCellTest, HidingFadesAndBouncesPastTheMarksOnTime) {
    cell->revealBackView();
    at(0.2);
    cell->notes.clear();
    start = Clock::now();
    cell->hideBackView();
    EXPECT_EQ(cell->notes, Notes({"willDisappear"}));
    EXPECT_TRUE(cell->contentViewMoving());
    EXPECT_FLOAT_EQ(cell->frontView()->layer()->position().x, 0);
    EXPECT_FLOAT_EQ(cell->backView()->layer()->opacity(), 0);
    EXPECT_NEAR(shownX(), 320, 1e-3);
    at(0.045);
    EXPECT_NEAR(shownX(), 160, 0.01);
    EXPECT_NEAR(shownBackOpacity(), 0.5, 1e-3);
    at(0.09);
    EXPECT_NEAR(shownX(), 0, 0.01);
    at(0.11);
    EXPECT_NEAR(shownX(), -10, 0.01);
    at(0.13);
    EXPECT_NEAR(shownX(), -20, 0.01);
    at(0.15);
    EXPECT_NEAR(shownX(), -2.5, 0.01);
    at(0.17);
    EXPECT_NEAR(shownX(), 15, 0.01);
    at(0.19);
    EXPECT_NEAR(shownX(), 7.5, 0.01);
    EXPECT_FALSE(cell->backView()->isHidden());
    at(0.21);
    EXPECT_NEAR(shownX(), 0, 0.01);
    at(0.22);
    EXPECT_EQ(cell->notes, Notes({"willDisappear", "didDisappear"}));
    EXPECT_FALSE(cell->contentViewMoving());
    EXPECT_TRUE(cell->backView()->isHidden());
    EXPECT_FLOAT_EQ(cell->backView()->layer()->opacity(), 1);
    EXPECT_EQ(cell->frontView()->layer()->animationKeys(), nullptr);
    EXPECT_EQ(cell->backView()->layer()->animationKeys(), nullptr);
    // Front shown: hiding again does nothing.
    cell->hideBackView();
    EXPECT_EQ(cell->notes, Notes({"willDisappear", "didDisappear"}));
}

TEST_F(SwipeableCellTest, WithoutTheBounceHidingIsAPlainSlide) {
    cell->setShouldBounce(false);
    Ref<CAAnimationGroup> group = cell->bounceAnimationWithHideDuration(0.09f, 320);
    EXPECT_EQ(group->animations()->count(), 1u);
    EXPECT_FLOAT_EQ(static_cast<float>(group->duration()), 0.09f);

    cell->revealBackView();
    at(0.2);
    start = Clock::now();
    cell->hideBackView();
    at(0.045);
    EXPECT_NEAR(shownX(), 160, 0.01);
    at(0.08);
    EXPECT_GT(shownX(), 0);
    at(0.1);
    EXPECT_FLOAT_EQ(shownX(), 0);
    EXPECT_TRUE(cell->backView()->isHidden());
    EXPECT_FALSE(cell->contentViewMoving());
}

TEST_F(SwipeableCellTest, TheBounceGroupIsFourLinearSlidesOnePastAnother) {
    Ref<CAAnimationGroup> group = cell->bounceAnimationWithHideDuration(0.09f, 300);
    ASSERT_EQ(group->animations()->count(), 4u);
    EXPECT_FLOAT_EQ(static_cast<float>(group->duration()), 0.21f);
    EXPECT_FALSE(group->isRemovedOnCompletion());
    EXPECT_EQ(group->delegate(), cell.get());
    const float begins[] = {0, 0.09f, 0.13f, 0.17f};
    const float froms[] = {300, 0, -20, 15}, tos[] = {0, -20, 15, 0};
    for (NSUInteger i = 0; i < 4; ++i) {
        auto* member = objc::cast<CABasicAnimation>(group->animations()->objectAtIndex(i));
        ASSERT_TRUE(member);
        EXPECT_EQ(member->keyPath()->str(), "position.x");
        EXPECT_NEAR(member->beginTime(), begins[i], 1e-6);
        EXPECT_NEAR(member->duration(), i == 0 ? 0.09 : 0.04, 1e-6);
        EXPECT_EQ(CABasicAnimation::components(member->fromValue())[0], froms[i]);
        EXPECT_EQ(CABasicAnimation::components(member->toValue())[0], tos[i]);
    }
}

TEST_F(SwipeableCellTest, ResetInTheMiddleOfARevealEndsAtTheFrontAndTheLateStopChangesNothing) {
    cell->revealBackView();
    at(0.07);
    cell->resetViews();
    EXPECT_EQ(cell->notes, Notes({"willAppear", "didDisappear"}));
    EXPECT_FLOAT_EQ(shownX(), 0);
    EXPECT_TRUE(cell->backView()->isHidden());
    EXPECT_FALSE(cell->contentViewMoving());
    at(0.5);
    EXPECT_EQ(cell->notes, Notes({"willAppear", "didDisappear"}));
    EXPECT_FLOAT_EQ(shownX(), 0);

    // Every later reveal slides from 0.
    start = Clock::now();
    cell->revealBackView();
    EXPECT_NEAR(shownX(), 0, 1e-3);
    at(0.07);
    EXPECT_NEAR(shownX(), 160, 0.01);
}

TEST_F(SwipeableCellTest, ResetInTheMiddleOfAHideEndsAtTheFrontAtOnce) {
    cell->revealBackView();
    at(0.2);
    start = Clock::now();
    cell->hideBackView();
    at(0.12);
    cell->notes.clear();
    cell->resetViews();
    EXPECT_EQ(cell->notes, Notes({"didDisappear"}));
    EXPECT_FLOAT_EQ(shownX(), 0);
    EXPECT_FLOAT_EQ(shownBackOpacity(), 1);
    EXPECT_TRUE(cell->backView()->isHidden());
    at(0.5);
    EXPECT_EQ(cell->notes, Notes({"didDisappear"}));
}

TEST_F(SwipeableCellTest, ReuseResetsTheRow) {
    cell->revealBackView();
    at(0.05);
    cell->prepareForReuse();
    EXPECT_TRUE(cell->backView()->isHidden());
    EXPECT_FALSE(cell->contentViewMoving());
    EXPECT_EQ(cell->notes, Notes({"willAppear", "didDisappear"}));
}

TEST_F(SwipeableCellTest, EachFaceIsDrawnByTheRowWhileItShows) {
    auto context = CGContext::bitmap(320, 60);
    UIGraphicsPushContext(context);
    cell->frontView()->drawRect(cell->frontView()->bounds());
    cell->backView()->drawRect(cell->backView()->bounds());
    EXPECT_EQ(cell->notes, Notes({"drawContentView"}));
    cell->backView()->setHidden(false);
    cell->backView()->drawRect(cell->backView()->bounds());
    EXPECT_EQ(cell->notes, Notes({"drawContentView", "drawBackView"}));
    // A face outside a swipeable row draws nothing.
    auto loose = UIView::withFrame<ZRSwipeableTableViewCellView>(CGRectMake(0, 0, 10, 10));
    loose->drawRect(loose->bounds());
    UIGraphicsPopContext();
    cell->backView()->setHidden(true);
}

TEST_F(SwipeableCellTest, SelectionRedrawsBothFaces) {
    cell->frontView()->clearNeedsDisplay();
    cell->backView()->clearNeedsDisplay();
    cell->setSelected(true);
    EXPECT_TRUE(cell->isSelected());
    EXPECT_TRUE(cell->frontView()->needsDisplay());
    EXPECT_TRUE(cell->backView()->needsDisplay());
    // Through the runtime too, as the table sends it.
    objc::send<void, BOOL>(cell.get(), "setSelected:", NO);
    EXPECT_FALSE(cell->isSelected());
}
