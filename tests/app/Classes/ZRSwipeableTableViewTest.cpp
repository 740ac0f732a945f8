#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "Classes/ZRSwipeableTableViewCellView.h"
#include "Foundation/NSString.h"
#include "app/Classes/SwipeTableFixture.h"

namespace {

using Rows = std::vector<NSInteger>;

class SwipeTable : public SwipeTableFixture {};

}  // namespace

TEST_F(SwipeTable, IsMadeWithoutContentTouchDelayAndDescribesItself) {
    EXPECT_FALSE(table->delaysContentTouches());
    EXPECT_EQ(table->indexOfVisibleBackView(), nullptr);
    std::ostringstream expected;
    expected << "<ZRSwipeableTableView " << static_cast<const void*>(table.get())
             << " 'Handling swiping like a boss since 1861'>";
    EXPECT_EQ(table->description()->str(), expected.str());
    EXPECT_EQ(objc::cast<NSString>(objc::send<id>(table.get(), "description"))->str(), expected.str());
    EXPECT_TRUE(table->supportsSwipingForCellAtPoint(CGPointMake(10, rowY(0))));
    EXPECT_FALSE(table->supportsSwipingForCellAtPoint(CGPointMake(10, rowY(20))));
}

TEST_F(SwipeTable, AReleaseBeforeTheHighlightDelaySelectsNothing) {
    tap(160, rowY(1), 0.05);
    EXPECT_TRUE(rows->selected.empty());
    EXPECT_FALSE(cell(1)->isSelected());
}

TEST_F(SwipeTable, AFingerRestingForTheDelayHighlightsAndIsReportedOnce) {
    down(160, rowY(1));
    Clock::advance(0.059);
    EXPECT_FALSE(cell(1)->isSelected());
    Clock::advance(0.001);
    EXPECT_TRUE(cell(1)->isSelected());
    up();
    EXPECT_EQ(rows->selected, Rows({1}));
    EXPECT_FALSE(cell(1)->isSelected());
    // Not through the base table's selection.
    EXPECT_EQ(table->indexPathForSelectedRow(), nullptr);
}

TEST_F(SwipeTable, AnyMoveWithinTheDelayPreventsTheHighlight) {
    down(160, rowY(1));
    Clock::advance(0.02);
    move(161, rowY(1));
    Clock::advance(0.2);
    EXPECT_FALSE(cell(1)->isSelected());
    up();
    EXPECT_TRUE(rows->selected.empty());
}

TEST_F(SwipeTable, AHighlightedRowThatMovesALittleIsStillSelectedButACancelledTouchIsNot) {
    down(160, rowY(2));
    Clock::advance(0.1);
    move(170, rowY(2) + 3);
    up();
    EXPECT_EQ(rows->selected, Rows({2}));

    down(160, rowY(2));
    Clock::advance(0.1);
    EXPECT_TRUE(cell(2)->isSelected());
    finger.cancel();
    Clock::advance(0);
    EXPECT_FALSE(cell(2)->isSelected());
    EXPECT_EQ(rows->selected, Rows({2}));
}

TEST_F(SwipeTable, EighteenPointsAcrossRevealAndSeventeenPointNineDoNot) {
    down(100, rowY(0));
    move(117.9f, rowY(0));
    EXPECT_TRUE(cell(0)->backView()->isHidden());
    EXPECT_TRUE(rows->swiped.empty());
    // 18.0 across with a drift of exactly 8.0.
    move(118, rowY(0) + 8);
    EXPECT_FALSE(cell(0)->backView()->isHidden());
    EXPECT_EQ(rows->swiped, Rows({0}));
    EXPECT_EQ(visibleBackViewRow(), 0);
    EXPECT_TRUE(table->isScrollEnabled());
    // Once per row per touch.
    move(160, rowY(0));
    up();
    EXPECT_EQ(rows->swiped, Rows({0}));
    EXPECT_TRUE(rows->selected.empty());
}

TEST_F(SwipeTable, ADriftOfEightPointOneWaitsForALaterEventWithLess) {
    down(100, rowY(1));
    move(140, rowY(1) + 8.1f);
    EXPECT_TRUE(cell(1)->backView()->isHidden());
    move(140, rowY(1) + 7);
    EXPECT_FALSE(cell(1)->backView()->isHidden());
    EXPECT_EQ(rows->swiped, Rows({1}));
}

TEST_F(SwipeTable, ASwipeToTheLeftRevealsToo) {
    down(200, rowY(3));
    move(182, rowY(3));
    EXPECT_FALSE(cell(3)->backView()->isHidden());
    EXPECT_EQ(visibleBackViewRow(), 3);
}

TEST_F(SwipeTable, TheEndOfARevealUnselectsAHighlightedRow) {
    down(100, rowY(0));
    Clock::advance(0.1);
    EXPECT_TRUE(cell(0)->isSelected());
    move(130, rowY(0));
    Clock::advance(0.2);
    EXPECT_FALSE(cell(0)->isSelected());
    up();
    EXPECT_TRUE(rows->selected.empty());
}

TEST_F(SwipeTable, TouchingASecondRowSlidesTheFirstBackAndMaySwipeIt) {
    open(0);
    ASSERT_EQ(visibleBackViewRow(), 0);
    down(100, rowY(2));
    EXPECT_EQ(visibleBackViewRow(), -1);
    EXPECT_TRUE(cell(0)->contentViewMoving());
    EXPECT_FLOAT_EQ(cell(0)->backView()->layer()->opacity(), 0);
    move(120, rowY(2));
    EXPECT_EQ(visibleBackViewRow(), 2);
    up();
    Clock::advance(0.3);
    EXPECT_TRUE(cell(0)->backView()->isHidden());
    EXPECT_FALSE(cell(2)->backView()->isHidden());
    EXPECT_EQ(rows->swiped, Rows({0, 2}));
}

TEST_F(SwipeTable, TouchingTheOpenRowSlidesItBackWithoutSwipingOrSelectingIt) {
    auto bare = make<SwipeRows>();
    bare->bareRows = true;
    makeTable(bare);
    open(1);
    ASSERT_FALSE(cell(1)->backView()->isHidden());
    // The finger lands on the back view: the front view is out of the row.
    down(40, rowY(1));
    Clock::advance(0.3);
    move(80, rowY(1));
    up();
    Clock::advance(0.3);
    EXPECT_TRUE(cell(1)->backView()->isHidden());
    EXPECT_EQ(rows->swiped, Rows({1}));
    EXPECT_TRUE(rows->selected.empty());
}

TEST_F(SwipeTable, ATouchDuringARevealClosesTheRowAtOnceSoNoTwoRowsAreOpen) {
    down(100, rowY(0));
    move(130, rowY(0));
    up();
    Clock::advance(0.05);
    ASSERT_TRUE(cell(0)->contentViewMoving());
    // The row could not slide back while opening: it jumps back instead of
    // staying open where no later touch would close it.
    down(100, rowY(3));
    EXPECT_EQ(visibleBackViewRow(), -1);
    EXPECT_TRUE(cell(0)->backView()->isHidden());
    EXPECT_FALSE(cell(0)->contentViewMoving());
    EXPECT_EQ(cell(0)->frontView()->layer()->position().x, 0);
    // The same touch swipes another row, which is then the only one open.
    move(130, rowY(3));
    up();
    Clock::advance(0.3);
    EXPECT_EQ(visibleBackViewRow(), 3);
    EXPECT_TRUE(cell(0)->backView()->isHidden());
    EXPECT_FALSE(cell(3)->backView()->isHidden());
    EXPECT_EQ(rows->swiped, Rows({0, 3}));
}

TEST_F(SwipeTable, ARowScrolledOffScreenIsOnlyForgotten) {
    table->setIndexOfVisibleBackView(NSIndexPath::indexPathForRow(40, 0));
    tap(160, rowY(1), 0.01);
    EXPECT_EQ(table->indexOfVisibleBackView(), nullptr);
    // Without animation the open row jumps back.
    open(2);
    table->hideVisibleBackView(false);
    EXPECT_TRUE(cell(2)->backView()->isHidden());
    EXPECT_EQ(table->indexOfVisibleBackView(), nullptr);
}

TEST_F(SwipeTable, ARowTheSwipeDelegateRefusesBehavesAsAPlainTableRow) {
    auto picky = make<PickySwipeRows>();
    picky->refused = 1;
    makeTable(picky);
    EXPECT_TRUE(picky->conformsToProtocol(ZRSwipeableTableViewDelegate::kName));
    // A quick tap selects through the base table, at once.
    tap(160, rowY(1), 0.01);
    EXPECT_EQ(picky->selected, Rows({1}));
    ASSERT_TRUE(table->indexPathForSelectedRow());
    EXPECT_EQ(table->indexPathForSelectedRow()->row(), 1);
    down(100, rowY(1));
    move(140, rowY(1));
    up();
    EXPECT_TRUE(cell(1)->backView()->isHidden());
    EXPECT_NE(std::find(picky->asked.begin(), picky->asked.end(), 1), picky->asked.end());
    // Its neighbour still swipes.
    down(100, rowY(2));
    move(140, rowY(2));
    up();
    EXPECT_FALSE(cell(2)->backView()->isHidden());
}

TEST_F(SwipeTable, ARowThatDoesNotSupportSwipingIsTheBaseTables) {
    cell(3)->setShouldSupportSwiping(false);
    down(100, rowY(3));
    move(140, rowY(3));
    up();
    EXPECT_TRUE(cell(3)->backView()->isHidden());
    tap(160, rowY(3), 0.01);
    EXPECT_EQ(rows->selected, Rows({3}));
}

TEST_F(SwipeTable, WithoutASwipeDelegateEverySwipeableRowSwipes) {
    table->setSwipeDelegate(nullptr);
    down(100, rowY(4));
    move(130, rowY(4));
    up();
    EXPECT_FALSE(cell(4)->backView()->isHidden());
    EXPECT_TRUE(rows->swiped.empty());
    EXPECT_EQ(visibleBackViewRow(), 4);
}
