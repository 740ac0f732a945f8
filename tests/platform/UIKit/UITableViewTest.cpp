#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppFixture.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSString.h"
#include "UIKit/UILabel.h"
#include "UIKit/UITableView.h"
#include "UIKit/UITableViewCell.h"
#include "objc/ClassBuilder.h"

namespace {

// A cell that counts the times it is handed out again.
class CountingCell : public UITableViewCell {
    KORVEL_OBJC_CLASS(CountingCell)
public:
    int reuses = 0;
    void prepareForReuse() override {
        ++reuses;
        UITableViewCell::prepareForReuse();
    }
};

// The data source: rows per section, optional titles, and a count of the
// cells it had to make.
class Source : public NSObject {
    KORVEL_OBJC_CLASS(Source)
public:
    std::vector<NSInteger> rows{1000};
    std::vector<std::string> titles;
    std::vector<std::string> footers;
    int made = 0;
    bool giveNothing = false;

    NSInteger sections(UITableView*) { return static_cast<NSInteger>(rows.size()); }
    NSInteger rowsIn(UITableView*, NSInteger section) { return rows[static_cast<std::size_t>(section)]; }
    Ref<NSString> title(UITableView*, NSInteger section) {
        auto s = static_cast<std::size_t>(section);
        return s < titles.size() ? NSString::from(titles[s]) : nullptr;
    }
    Ref<NSString> footer(UITableView*, NSInteger section) {
        auto s = static_cast<std::size_t>(section);
        return s < footers.size() ? NSString::from(footers[s]) : nullptr;
    }
    Ref<UITableViewCell> cell(UITableView* table, NSIndexPath* path) {
        if (giveNothing && path->row() == 1) return nullptr;
        Ref<UITableViewCell> cell = table->dequeueReusableCellWithIdentifier("row"_ns);
        if (!cell) {
            cell = UITableViewCell::cellWithStyle<CountingCell>(UITableViewCellStyleDefault, "row"_ns);
            ++made;
        }
        cell->textLabel()->setText(
            NSString::from(std::to_string(path->section()) + "." + std::to_string(path->row())));
        return cell;
    }
};

// Without any of the optional operations.
class BareSource : public NSObject {
    KORVEL_OBJC_CLASS(BareSource)
public:
    NSInteger rowsIn(UITableView*, NSInteger) { return 3; }
    Ref<UITableViewCell> cell(UITableView*, NSIndexPath*) {
        return UITableViewCell::cellWithStyle(UITableViewCellStyleDefault, nullptr);
    }
};

class Delegate : public NSObject {
    KORVEL_OBJC_CLASS(Delegate)
public:
    std::vector<std::string> told;
    // Which row a selection goes to instead; none: as tapped.
    Ref<NSIndexPath> redirect;
    bool refuse = false;

    CGFloat height(UITableView*, NSIndexPath* path) { return path->row() % 2 ? 60 : 30; }
    NSIndexPath* willSelect(UITableView*, NSIndexPath* path) {
        told.push_back("will " + where(path));
        if (refuse) return nullptr;
        return redirect ? redirect.get() : path;
    }
    void didSelect(UITableView*, NSIndexPath* path) { told.push_back("did " + where(path)); }

    static std::string where(NSIndexPath* p) { return std::to_string(p->section()) + "." + std::to_string(p->row()); }
};

// Only told of selections.
class SelectionDelegate : public NSObject {
    KORVEL_OBJC_CLASS(SelectionDelegate)
public:
    std::vector<std::string> told;
    void didSelect(UITableView*, NSIndexPath* path) { told.push_back(Delegate::where(path)); }
};

// Gives its own header views and heights.
class HeaderDelegate : public NSObject {
    KORVEL_OBJC_CLASS(HeaderDelegate)
public:
    Ref<UIView> header(UITableView*, NSInteger section) {
        if (section != 1) return nullptr;
        auto view = UIView::withFrame(CGRectMake(0, 0, 10, 10));
        view->setTag(55);
        return view;
    }
    CGFloat height(UITableView*, NSInteger section) { return section == 1 ? 70 : 0; }
};

Class HeaderDelegate::class_() {
    static Class cls = objc::ClassBuilder<HeaderDelegate>("TableTestHeaderDelegate", NSObject::class_())
                           .method<&HeaderDelegate::header>("tableView:viewForHeaderInSection:")
                           .method<&HeaderDelegate::height>("tableView:heightForHeaderInSection:")
                           .build();
    return cls;
}

Class CountingCell::class_() {
    static Class cls =
        objc::ClassBuilder<CountingCell>("TableTestCountingCell", UITableViewCell::class_()).allocatable().build();
    return cls;
}

Class Source::class_() {
    static Class cls = objc::ClassBuilder<Source>("TableTestSource", NSObject::class_())
                           .method<&Source::sections>("numberOfSectionsInTableView:")
                           .method<&Source::rowsIn>("tableView:numberOfRowsInSection:")
                           .method<&Source::title>("tableView:titleForHeaderInSection:")
                           .method<&Source::footer>("tableView:titleForFooterInSection:")
                           .method<&Source::cell>("tableView:cellForRowAtIndexPath:")
                           .build();
    return cls;
}

Class BareSource::class_() {
    static Class cls = objc::ClassBuilder<BareSource>("TableTestBareSource", NSObject::class_())
                           .method<&BareSource::rowsIn>("tableView:numberOfRowsInSection:")
                           .method<&BareSource::cell>("tableView:cellForRowAtIndexPath:")
                           .build();
    return cls;
}

Class Delegate::class_() {
    static Class cls = objc::ClassBuilder<Delegate>("TableTestDelegate", NSObject::class_())
                           .method<&Delegate::height>("tableView:heightForRowAtIndexPath:")
                           .method<&Delegate::willSelect>("tableView:willSelectRowAtIndexPath:")
                           .method<&Delegate::didSelect>("tableView:didSelectRowAtIndexPath:")
                           .build();
    return cls;
}

Class SelectionDelegate::class_() {
    static Class cls = objc::ClassBuilder<SelectionDelegate>("TableTestSelectionDelegate", NSObject::class_())
                           .method<&SelectionDelegate::didSelect>("tableView:didSelectRowAtIndexPath:")
                           .build();
    return cls;
}

Ref<NSIndexPath> at(NSInteger section, NSInteger row) { return NSIndexPath::indexPathForRow(row, section); }

std::string text(UITableViewCell* cell) { return cell ? cell->textLabel()->text()->str() : "(none)"; }

class Tables : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        source = make<Source>();
        table = UITableView::withStyle(CGRectMake(0, 0, 320, 480), UITableViewStylePlain);
        table->setDataSource(source);
        window->addSubview(table);
    }
    void TearDown() override {
        table->setDataSource(nullptr);
        table->setDelegate(nullptr);
        AppFixture::TearDown();
    }
    // Lays the table out as the screen would before showing it.
    void show() { window->layoutIfNeeded(); }
    int reuses() const {
        int n = 0;
        Ref<NSArray> cells = table->visibleCells();
        for (NSUInteger i = 0; i < cells->count(); ++i) n += objc::cast<CountingCell>(cells->objectAtIndex(i))->reuses;
        return n;
    }

    Ref<Source> source;
    Ref<UITableView> table;
};

}  // namespace

TEST_F(Tables, OnlyTheRowsOnScreenHaveCellsAndRowsScrolledOutGiveThemForReuse) {
    show();
    // 480 points of 44-point rows: rows 0 to 10, the last one in part.
    EXPECT_EQ(table->visibleCells()->count(), 11u);
    EXPECT_EQ(table->subviews()->count(), 11u);
    EXPECT_EQ(source->made, 11);
    EXPECT_EQ(text(table->cellForRowAtIndexPath(at(0, 10))), "0.10");
    EXPECT_EQ(table->cellForRowAtIndexPath(at(0, 11)), nullptr);
    EXPECT_EQ(table->cellForRowAtIndexPath(at(0, 500)), nullptr);
    EXPECT_FLOAT_EQ(table->contentSize().height, 44000);

    // Scroll through the whole table, a few points at a time.
    for (CGFloat y = 0; y <= 44000 - 480; y += 7) table->setContentOffset(CGPointMake(0, y));
    EXPECT_LE(source->made, 13);
    EXPECT_EQ(table->cellForRowAtIndexPath(at(0, 0)), nullptr);
    EXPECT_EQ(text(table->cellForRowAtIndexPath(at(0, 999))), "0.999");
    EXPECT_LE(table->subviews()->count(), 12u);
    // Every cell on screen has come back many times, through prepareForReuse.
    EXPECT_GT(reuses(), 900 / 12);
}

TEST_F(Tables, AFingerDragScrollsTheRows) {
    show();
    drag(CGPointMake(160, 400), CGPointMake(160, 100), 15);
    // Moves of 20 points: the first one only decides that this is a drag.
    EXPECT_FLOAT_EQ(table->contentOffset().y, 280);
    Ref<NSArray> paths = table->indexPathsForVisibleRows();
    EXPECT_EQ(objc::cast<NSIndexPath>(paths->objectAtIndex(0))->row(), 280 / 44);
    EXPECT_EQ(text(table->cellForRowAtIndexPath(at(0, 280 / 44))), "0.6");
    EXPECT_EQ(table->cellForRowAtIndexPath(at(0, 0)), nullptr);
    EXPECT_LE(source->made, 13);
}

TEST_F(Tables, IndexPathForRowAtPointCountsHeadersAndTheScrollOffset) {
    source->rows = {3, 3, 40};
    source->titles = {"First", "Second", "Third"};
    show();
    // Section 0: header 0-22, rows 22-154; section 1: header 154-176, rows 176-308.
    EXPECT_EQ(table->rectForHeaderInSection(1).origin.y, 154);
    auto row = [&](CGFloat x, CGFloat y) {
        Ref<NSIndexPath> p = table->indexPathForRowAtPoint(CGPointMake(x, y));
        return p ? Delegate::where(p) : std::string("nil");
    };
    EXPECT_EQ(row(10, 10), "nil");
    EXPECT_EQ(row(10, 22), "0.0");
    EXPECT_EQ(row(10, 153.9f), "0.2");
    EXPECT_EQ(row(10, 160), "nil");
    EXPECT_EQ(row(10, 176), "1.0");
    EXPECT_EQ(row(319, 300), "1.2");
    EXPECT_EQ(row(320, 300), "nil");
    EXPECT_EQ(row(-1, 300), "nil");
    EXPECT_EQ(row(10, 330 + 44 * 39 + 1), "2.39");
    EXPECT_EQ(row(10, 330 + 44 * 40), "nil");

    // Points are in the table's own coordinates, which include the offset:
    // with 200 points scrolled, the screen's y 100 is the table's 300.
    table->setContentOffset(CGPointMake(0, 200));
    CGPoint onScreen = table->convertPointFromView(CGPointMake(10, 100), window);
    EXPECT_EQ(row(onScreen.x, onScreen.y), "1.2");
    // The floating header of section 1 sits at the top of the screen.
    EXPECT_EQ(text(table->cellForRowAtIndexPath(at(1, 0))), "1.0");
}

TEST_F(Tables, TheFloatingHeaderStaysOnTopUntilItsSectionEnds) {
    source->rows = {3, 20};
    source->titles = {"First", "Second"};
    show();
    // The header with the title, and whether it lies above every row.
    auto header = [&](const std::string& title) -> std::pair<CGFloat, bool> {
        Ref<NSArray> views = table->subviews();
        bool cellAbove = false;
        for (NSUInteger i = views->count(); i-- > 0;) {
            auto* view = objc::cast<UIView>(views->objectAtIndex(i));
            if (objc::cast<UITableViewCell>(view)) cellAbove = true;
            Ref<NSArray> inside = view->subviews();
            auto* label = inside->count() ? objc::cast<UILabel>(inside->objectAtIndex(0)) : nullptr;
            if (label && label->text()->str() == title) return {view->frame().origin.y, !cellAbove};
        }
        return {-1, false};
    };
    table->setContentOffset(CGPointMake(0, 50));
    EXPECT_EQ(header("First"), std::make_pair(CGFloat(50), true));  // follows the top
    EXPECT_EQ(header("Second"), std::make_pair(CGFloat(154), true));
    // Section 0 ends at 154: its header is pushed up by the section's end.
    table->setContentOffset(CGPointMake(0, 140));
    EXPECT_EQ(header("First"), std::make_pair(CGFloat(154 - 22), true));
    table->setContentOffset(CGPointMake(0, 300));
    EXPECT_EQ(header("First").first, -1);  // off screen: taken away
    EXPECT_EQ(header("Second"), std::make_pair(CGFloat(300), true));
}

TEST_F(Tables, RowsFindTheirCellsAndCellsTheirRows) {
    show();
    UITableViewCell* third = table->cellForRowAtIndexPath(at(0, 2));
    ASSERT_TRUE(third);
    EXPECT_EQ(Delegate::where(table->indexPathForCell(third)), "0.2");
    EXPECT_EQ(table->indexPathForCell(nullptr), nullptr);
    auto stranger = UITableViewCell::cellWithStyle(UITableViewCellStyleDefault, "row"_ns);
    EXPECT_EQ(table->indexPathForCell(stranger), nullptr);
    EXPECT_EQ(table->cellForRowAtIndexPath(nullptr), nullptr);
    EXPECT_EQ(table->cellForRowAtIndexPath(at(3, 0)), nullptr);
    CGRect r = table->rectForRowAtIndexPath(at(0, 2));
    EXPECT_TRUE(CGRectEqualToRect(third->frame(), r));
    EXPECT_TRUE(CGRectEqualToRect(r, CGRectMake(0, 88, 320, 44)));
    EXPECT_TRUE(CGRectEqualToRect(table->rectForRowAtIndexPath(at(0, 1000)), CGRectZero));
}

TEST_F(Tables, RowHeightsComeFromTheDelegateOnlyWhenItAnswers) {
    auto withHeights = make<Delegate>();
    table->setDelegate(withHeights);
    table->reloadData();
    EXPECT_TRUE(CGRectEqualToRect(table->rectForRowAtIndexPath(at(0, 3)), CGRectMake(0, 120, 320, 60)));
    EXPECT_FLOAT_EQ(table->cellForRowAtIndexPath(at(0, 3))->frame().size.height, 60);
    EXPECT_FLOAT_EQ(table->contentSize().height, 500 * 90);
    // Rows 0 to 10 fill the 480 points exactly.
    EXPECT_EQ(table->visibleCells()->count(), 11u);

    auto selectionOnly = make<SelectionDelegate>();
    table->setDelegate(selectionOnly);
    table->setRowHeight(50);
    table->reloadData();
    EXPECT_TRUE(CGRectEqualToRect(table->rectForRowAtIndexPath(at(0, 3)), CGRectMake(0, 150, 320, 50)));
}

namespace {

IMP formerCellImplementation = nullptr;

id markedCell(id self, SEL cmd, id table, id path) {
    id cell = reinterpret_cast<id (*)(id, SEL, id, id)>(formerCellImplementation)(self, cmd, table, path);
    objc::send<void, NSInteger>(cell, "setTag:", 777);
    return cell;
}

}  // namespace

TEST_F(Tables, AReplacedCellForRowImplementationIsWhatTheTableCalls) {
    Method m = class_getInstanceMethod(Source::class_(), sel_registerName("tableView:cellForRowAtIndexPath:"));
    formerCellImplementation = method_setImplementation(m, reinterpret_cast<IMP>(&markedCell));
    show();
    table->setContentOffset(CGPointMake(0, 1000));
    method_setImplementation(m, formerCellImplementation);
    Ref<NSArray> cells = table->visibleCells();
    ASSERT_GT(cells->count(), 0u);
    for (NSUInteger i = 0; i < cells->count(); ++i) EXPECT_EQ(objc::cast<UIView>(cells->objectAtIndex(i))->tag(), 777);
}

TEST_F(Tables, ATapSelectsTheRowUnderTheFingerAndTellsTheDelegate) {
    auto delegate = make<Delegate>();
    table->setDelegate(delegate);
    table->setRowHeight(44);
    show();
    // Rows alternate 30 and 60 points: row 3 spans 120-180.
    tap(160, 150);
    EXPECT_EQ(delegate->told, (std::vector<std::string>{"will 0.3", "did 0.3"}));
    EXPECT_EQ(Delegate::where(table->indexPathForSelectedRow()), "0.3");
    EXPECT_TRUE(table->cellForRowAtIndexPath(at(0, 3))->isSelected());
    EXPECT_FALSE(table->cellForRowAtIndexPath(at(0, 3))->isHighlighted());

    // Another row: the first one is deselected.
    tap(160, 10);
    EXPECT_FALSE(table->cellForRowAtIndexPath(at(0, 3))->isSelected());
    EXPECT_TRUE(table->cellForRowAtIndexPath(at(0, 0))->isSelected());

    // The delegate may send the selection elsewhere, or refuse it.
    delegate->told.clear();
    delegate->redirect = at(0, 5);
    tap(160, 150);
    EXPECT_EQ(delegate->told, (std::vector<std::string>{"will 0.3", "did 0.5"}));
    EXPECT_EQ(Delegate::where(table->indexPathForSelectedRow()), "0.5");
    delegate->told.clear();
    delegate->refuse = true;
    tap(160, 10);
    EXPECT_EQ(delegate->told, (std::vector<std::string>{"will 0.0"}));
    EXPECT_EQ(Delegate::where(table->indexPathForSelectedRow()), "0.5");
}

TEST_F(Tables, AFingerHighlightsItsRowWhileDownAndADragSelectsNothing) {
    auto delegate = make<SelectionDelegate>();
    table->setDelegate(delegate);
    table->setDelaysContentTouches(false);
    show();
    down(160, 100);
    EXPECT_TRUE(table->cellForRowAtIndexPath(at(0, 2))->isHighlighted());
    move(160, 60);  // becomes a drag: the row lets go
    EXPECT_FALSE(table->cellForRowAtIndexPath(at(0, 2))->isHighlighted());
    up();
    EXPECT_TRUE(delegate->told.empty());
    EXPECT_EQ(table->indexPathForSelectedRow(), nullptr);

    // Lifting the finger on another row than it came down on selects nothing.
    table->setScrollEnabled(false);
    drag(CGPointMake(160, 100), CGPointMake(160, 300));
    EXPECT_TRUE(delegate->told.empty());
    tap(160, 100);
    EXPECT_EQ(delegate->told, (std::vector<std::string>{"0.2"}));
}

TEST_F(Tables, ScrollingToARowPutsItWhereAsked) {
    show();
    table->scrollToRowAtIndexPath(at(0, 100), UITableViewScrollPositionTop, false);
    EXPECT_FLOAT_EQ(table->contentOffset().y, 4400);
    table->scrollToRowAtIndexPath(at(0, 100), UITableViewScrollPositionMiddle, false);
    EXPECT_FLOAT_EQ(table->contentOffset().y, 4400 + 22 - 240);
    table->scrollToRowAtIndexPath(at(0, 100), UITableViewScrollPositionBottom, false);
    EXPECT_FLOAT_EQ(table->contentOffset().y, 4444 - 480);
    // Already in view: no move; above: to the top; below: to the bottom.
    table->scrollToRowAtIndexPath(at(0, 95), UITableViewScrollPositionNone, false);
    EXPECT_FLOAT_EQ(table->contentOffset().y, 4444 - 480);
    table->scrollToRowAtIndexPath(at(0, 50), UITableViewScrollPositionNone, false);
    EXPECT_FLOAT_EQ(table->contentOffset().y, 2200);
    table->scrollToRowAtIndexPath(at(0, 999), UITableViewScrollPositionTop, false);
    EXPECT_FLOAT_EQ(table->contentOffset().y, 44000 - 480);  // no further than the end
    EXPECT_EQ(text(table->cellForRowAtIndexPath(at(0, 999))), "0.999");

    table->scrollToRowAtIndexPath(at(0, 0), UITableViewScrollPositionTop, true);
    Clock::advance(UIScrollView::kScrollAnimationDuration + 0.1);
    EXPECT_FLOAT_EQ(table->contentOffset().y, 0);
    // A row that does not exist is refused.
    table->scrollToRowAtIndexPath(at(4, 0), UITableViewScrollPositionTop, false);
    EXPECT_FLOAT_EQ(table->contentOffset().y, 0);
}

TEST_F(Tables, SelectionInCodeFollowsTheRowOnAndOffScreenAndReloadClearsIt) {
    show();
    table->selectRowAtIndexPath(at(0, 40), false, UITableViewScrollPositionMiddle);
    ASSERT_TRUE(table->cellForRowAtIndexPath(at(0, 40)));
    EXPECT_TRUE(table->cellForRowAtIndexPath(at(0, 40))->isSelected());
    // Off screen and back: the row's new cell shows the selection, others not.
    table->setContentOffset(CGPointMake(0, 0));
    table->setContentOffset(CGPointMake(0, 40 * 44));
    EXPECT_TRUE(table->cellForRowAtIndexPath(at(0, 40))->isSelected());
    EXPECT_FALSE(table->cellForRowAtIndexPath(at(0, 41))->isSelected());
    table->deselectRowAtIndexPath(at(0, 40), true);
    EXPECT_FALSE(table->cellForRowAtIndexPath(at(0, 40))->isSelected());
    EXPECT_EQ(table->indexPathForSelectedRow(), nullptr);

    table->selectRowAtIndexPath(at(0, 41), false, UITableViewScrollPositionNone);
    source->rows = {50};
    table->reloadData();
    EXPECT_EQ(table->indexPathForSelectedRow(), nullptr);
    EXPECT_EQ(table->numberOfRowsInSection(0), 50);
    EXPECT_FLOAT_EQ(table->contentSize().height, 2200);
}

TEST_F(Tables, ADataSourceWithoutOptionalOperationsOrCellsDoesNotBreakTheTable) {
    auto bare = make<BareSource>();
    table->setDataSource(bare);
    show();
    EXPECT_EQ(table->numberOfSections(), 1);
    EXPECT_EQ(table->visibleCells()->count(), 3u);

    table->setDataSource(source);
    source->giveNothing = true;
    source->rows = {3};
    show();
    EXPECT_EQ(table->visibleCells()->count(), 2u);
    EXPECT_EQ(table->cellForRowAtIndexPath(at(0, 1)), nullptr);

    table->setDataSource(nullptr);
    show();
    EXPECT_EQ(table->numberOfSections(), 0);
    EXPECT_EQ(table->visibleCells()->count(), 0u);
}

TEST_F(Tables, GroupedRowsAreInsetAndSectionsSpaced) {
    auto grouped = UITableView::withStyle(CGRectMake(0, 0, 320, 480), UITableViewStyleGrouped);
    source->rows = {2, 2};
    source->titles = {"", "Titled"};
    grouped->setDataSource(source);
    window->addSubview(grouped);
    show();
    // Section 0: 10 of spacing, rows 10-98; section 1: titled header 98-144.
    EXPECT_TRUE(CGRectEqualToRect(grouped->rectForRowAtIndexPath(at(0, 0)), CGRectMake(10, 10, 300, 44)));
    EXPECT_TRUE(CGRectEqualToRect(grouped->rectForRowAtIndexPath(at(1, 0)), CGRectMake(10, 98 + 10 + 46, 300, 44)));
    EXPECT_FLOAT_EQ(grouped->cellForRowAtIndexPath(at(1, 1))->frame().size.width, 300);
    grouped->setDataSource(nullptr);
}

TEST_F(Tables, CellsFollowTheTableWhenItWidens) {
    show();
    UITableViewCell* cell = table->cellForRowAtIndexPath(at(0, 0));
    auto mark = UIView::withFrame(CGRectMake(300, 9, 10, 10));
    mark->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    cell->addSubview(mark);
    table->setFrame(CGRectMake(0, 0, 480, 320));
    show();
    EXPECT_FLOAT_EQ(cell->frame().size.width, 480);
    EXPECT_FLOAT_EQ(cell->contentView()->frame().size.width, 480);
    EXPECT_FLOAT_EQ(cell->textLabel()->frame().size.width, 460);
    EXPECT_FLOAT_EQ(mark->frame().origin.x, 460);
    // Fewer rows fit now.
    EXPECT_EQ(table->visibleCells()->count(), 8u);
}

TEST_F(Tables, HeadersAndFootersComeFromTheDataSourceAndTheDelegate) {
    source->rows = {2, 2};
    source->titles = {"Head"};
    source->footers = {"", "Foot"};
    show();
    // Plain: a titled header and footer are 22 high, none without a title.
    EXPECT_TRUE(CGRectEqualToRect(table->rectForSection(0), CGRectMake(0, 0, 320, 22 + 88)));
    EXPECT_TRUE(CGRectEqualToRect(table->rectForHeaderInSection(1), CGRectMake(0, 110, 320, 0)));
    EXPECT_TRUE(CGRectEqualToRect(table->rectForFooterInSection(1), CGRectMake(0, 198, 320, 22)));
    EXPECT_TRUE(CGRectEqualToRect(table->rectForSection(2), CGRectZero));
    EXPECT_FLOAT_EQ(table->contentSize().height, 220);
    // Rows, one header and one footer on screen.
    EXPECT_EQ(table->subviews()->count(), 6u);

    auto headers = make<HeaderDelegate>();
    table->setDelegate(headers);
    table->reloadData();
    EXPECT_TRUE(CGRectEqualToRect(table->rectForHeaderInSection(0), CGRectMake(0, 0, 320, 0)));
    EXPECT_TRUE(CGRectEqualToRect(table->rectForHeaderInSection(1), CGRectMake(0, 88, 320, 70)));
    EXPECT_EQ(table->viewWithTag(55)->frame().size.height, 70);
    EXPECT_EQ(table->viewWithTag(55)->superview(), table.get());
    EXPECT_EQ(Delegate::where(table->indexPathForRowAtPoint(CGPointMake(5, 88 + 70))), "1.0");
}
