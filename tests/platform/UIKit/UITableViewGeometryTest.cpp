#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "TestSupport.h"
#include "UIKit/UITableViewGeometry.h"

namespace {

using Row = UITableViewGeometry::Row;

// Two sections of a grouped table (rows inset by 10): a header of 46, rows of
// 44 and 44, a footer of 10; then a header of 10, rows of 30, 0 and 20 and a
// footer of 30.
UITableViewGeometry twoSections() {
    UITableViewGeometry geometry(10);
    geometry.addSection(46, {44, 44}, 10);
    geometry.addSection(10, {30, 0, 20}, 30);
    return geometry;
}

}  // namespace

TEST(UITableViewGeometry, SectionsStackDownTheTableWithTheirHeadersRowsAndFooters) {
    const UITableViewGeometry g = twoSections();
    EXPECT_EQ(g.numberOfSections(), 2);
    EXPECT_EQ(g.numberOfRows(1), 3);
    EXPECT_EQ(g.numberOfRows(2), 0);
    EXPECT_FLOAT_EQ(g.contentHeight(), 46 + 88 + 10 + 10 + 50 + 30);
    expectRect(g.rectForSection(1, 320), 0, 144, 320, 90);
    expectRect(g.rectForHeader(0, 320), 0, 0, 320, 46);
    expectRect(g.rectForFooter(1, 320), 0, 204, 320, 30);
    expectRect(g.rectForRow(0, 1, 320), 10, 90, 300, 44);
    expectRect(g.rectForRow(1, 2, 320), 10, 184, 300, 20);
    expectRect(g.rectForRow(1, 3, 320), 0, 0, 0, 0);
    expectRect(g.rectForRow(-1, 0, 320), 0, 0, 0, 0);
    expectRect(g.rectForRow(0, 0, 15), 10, 46, 0, 44);  // narrower than the insets
}

TEST(UITableViewGeometry, APointFindsTheRowUnderItAndNothingElse) {
    const UITableViewGeometry g = twoSections();
    struct Case {
        CGPoint point;
        std::optional<Row> row;
    };
    for (const Case& c : std::initializer_list<Case>{
             {CGPointMake(5, 46), Row{0, 0}},
             {CGPointMake(5, 89.9f), Row{0, 0}},
             {CGPointMake(5, 90), Row{0, 1}},
             {CGPointMake(5, 20), std::nullopt},   // a header
             {CGPointMake(5, 140), std::nullopt},  // a footer
             {CGPointMake(5, 184), Row{1, 2}},     // past the row of no height
             {CGPointMake(5, 230), std::nullopt},
             {CGPointMake(320, 50), std::nullopt},  // beside the table
             {CGPointMake(-1, 50), std::nullopt},
             {CGPointMake(NAN, 50), std::nullopt},
         })
        EXPECT_EQ(g.rowAtPoint(c.point, 320), c.row) << c.point.x << "," << c.point.y;
}

TEST(UITableViewGeometry, TheRowsShownBetweenTwoHeightsAreThoseWithSomePartThere) {
    const UITableViewGeometry g = twoSections();
    struct Case {
        CGFloat top, bottom;
        std::vector<Row> rows;
    };
    for (const Case& c : std::initializer_list<Case>{
             {0, 46, {}},
             {0, 47, {{0, 0}}},
             {89, 91, {{0, 0}, {0, 1}}},
             {90, 100, {{0, 1}}},
             {100, 300, {{0, 1}, {1, 0}, {1, 2}}},  // never the row of no height
             {234, 400, {}},
         })
        EXPECT_EQ(g.rowsBetween(c.top, c.bottom), c.rows) << c.top << "-" << c.bottom;
}

TEST(UITableViewGeometry, AFloatingHeaderStaysAtTheTopUntilItsSectionsEndPushesItOff) {
    UITableViewGeometry g;
    g.addSection(22, {44, 44, 44}, 0);
    g.addSection(22, {44}, 0);
    for (auto [visibleTop, y] : std::initializer_list<std::pair<CGFloat, CGFloat>>{
             {0, 0}, {-30, 0}, {50, 50}, {132, 132}, {140, 132}, {154, 132}})
        expectRect(g.rectForFloatingHeader(0, 320, visibleTop), 0, y, 320, 22);
    expectRect(g.rectForFloatingHeader(1, 320, 0), 0, 154, 320, 22);
}
