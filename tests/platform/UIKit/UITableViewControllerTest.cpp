#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppFixture.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSString.h"
#include "UIKit/UILabel.h"
#include "UIKit/UITableViewCell.h"
#include "UIKit/UITableViewCellDeleteConfirmationControl.h"
#include "UIKit/UITableViewController.h"
#include "objc/ClassBuilder.h"

namespace {

// Five rows; row 3 cannot be edited. Deletes are noted, not carried out.
class FiveRows : public UITableViewController {
    KORVEL_OBJC_CLASS(FiveRows)
public:
    std::vector<std::string> committed;
    int selected = -1;

    NSInteger rows(UITableView*, NSInteger) { return 5; }
    Ref<UITableViewCell> cell(UITableView* table, NSIndexPath* path) {
        Ref<UITableViewCell> c = table->dequeueReusableCellWithIdentifier("row"_ns);
        if (!c) c = UITableViewCell::cellWithStyle(UITableViewCellStyleDefault, "row"_ns);
        c->textLabel()->setText(NSString::from("row " + std::to_string(path->row())));
        return c;
    }
    bool canEdit(UITableView*, NSIndexPath* path) { return path->row() != 3; }
    void commit(UITableView*, NSInteger style, NSIndexPath* path) {
        committed.push_back(std::to_string(style) + " " + std::to_string(path->row()));
    }
    void didSelect(UITableView*, NSIndexPath* path) { selected = static_cast<int>(path->row()); }
};

Class FiveRows::class_() {
    static Class cls = objc::ClassBuilder<FiveRows>("TableControllerTestFiveRows", UITableViewController::class_())
                           .method<&FiveRows::rows>("tableView:numberOfRowsInSection:")
                           .method<&FiveRows::cell>("tableView:cellForRowAtIndexPath:")
                           .method<&FiveRows::canEdit>("tableView:canEditRowAtIndexPath:")
                           .method<&FiveRows::commit>("tableView:commitEditingStyle:forRowAtIndexPath:")
                           .method<&FiveRows::didSelect>("tableView:didSelectRowAtIndexPath:")
                           .build();
    return cls;
}

class TableControllerTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        screen = make<FiveRows>();
        screen->initWithStyle(UITableViewStylePlain);
        window->addSubview(screen->view());
        window->layoutIfNeeded();
    }
    // A sideways swipe along row `row`, slow enough for the table to see the
    // finger move.
    void swipe(int row, CGFloat fromX, CGFloat toX) {
        CGFloat y = 44 * static_cast<CGFloat>(row) + 22;
        down(fromX, y);
        Clock::advance(0.2);
        for (int i = 1; i <= 4; ++i) move(fromX + (toX - fromX) * static_cast<CGFloat>(i) / 4, y);
        up();
    }
    UITableViewCellDeleteConfirmationControl* control(int row) {
        UITableViewCell* cell = screen->tableView()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0));
        Ref<NSArray> subviews = cell ? cell->subviews() : nullptr;
        for (NSUInteger i = 0; subviews && i < subviews->count(); ++i)
            if (auto* c = objc::cast<UITableViewCellDeleteConfirmationControl>(subviews->objectAtIndex(i))) return c;
        return nullptr;
    }

    Ref<FiveRows> screen;
};

TEST_F(TableControllerTest, TheViewIsATableOfTheStyleWhoseSourceAndDelegateIsTheScreen) {
    UITableView* table = screen->tableView();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->style(), UITableViewStylePlain);
    EXPECT_EQ(table->dataSource(), screen.get());
    EXPECT_EQ(table->delegate(), screen.get());
    EXPECT_EQ(table->numberOfRowsInSection(0), 5);
    auto grouped = make<UITableViewController>();
    grouped->initWithStyle(UITableViewStyleGrouped);
    EXPECT_EQ(grouped->tableView()->style(), UITableViewStyleGrouped);
}

TEST_F(TableControllerTest, TheSelectionIsClearedWhenTheScreenIsAboutToAppear) {
    tap(100, 66);
    EXPECT_EQ(screen->selected, 1);
    ASSERT_NE(screen->tableView()->indexPathForSelectedRow(), nullptr);
    screen->sendAppearance("viewWillAppear:", true);
    EXPECT_EQ(screen->tableView()->indexPathForSelectedRow(), nullptr);
}

TEST_F(TableControllerTest, ASwipeShowsTheDeleteButtonAndATapOnItCommitsTheDelete) {
    swipe(2, 250, 150);
    ASSERT_NE(screen->tableView()->indexPathForDeleteConfirmation(), nullptr);
    EXPECT_EQ(screen->tableView()->indexPathForDeleteConfirmation()->row(), 2);
    UITableViewCellDeleteConfirmationControl* button = control(2);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->title()->str(), "Delete");
    CGRect r = button->frame();
    EXPECT_FLOAT_EQ(CGRectGetMaxX(r), 320 - UITableViewCellDeleteConfirmationControl::kMargin);
    EXPECT_FLOAT_EQ(r.origin.y, 7);
    // The swipe selected nothing.
    EXPECT_EQ(screen->selected, -1);
    CGRect inWindow = button->convertRectToView(button->bounds(), nullptr);
    tap(inWindow.origin.x + 5, inWindow.origin.y + 5);
    EXPECT_EQ(screen->committed, std::vector<std::string>{"1 2"});
    EXPECT_EQ(screen->tableView()->indexPathForDeleteConfirmation(), nullptr);
    EXPECT_EQ(control(2), nullptr);
}

TEST_F(TableControllerTest, ATouchElsewhereOnlyHidesTheButton) {
    swipe(0, 100, 220);
    ASSERT_NE(control(0), nullptr);
    tap(100, 22 + 44 * 4);
    EXPECT_EQ(control(0), nullptr);
    EXPECT_TRUE(screen->committed.empty());
    // That tap selected nothing either; the next one does.
    EXPECT_EQ(screen->selected, -1);
    tap(100, 22 + 44 * 4);
    EXPECT_EQ(screen->selected, 4);
}

TEST_F(TableControllerTest, NoButtonForARowThatCannotBeEditedOrForAnUpAndDownMove) {
    swipe(3, 250, 150);
    EXPECT_EQ(screen->tableView()->indexPathForDeleteConfirmation(), nullptr);
    down(100, 22);
    Clock::advance(0.2);
    move(108, 60);
    up();
    EXPECT_EQ(screen->tableView()->indexPathForDeleteConfirmation(), nullptr);
}

TEST_F(TableControllerTest, AReloadHidesTheButton) {
    swipe(1, 250, 150);
    ASSERT_NE(screen->tableView()->indexPathForDeleteConfirmation(), nullptr);
    screen->tableView()->reloadData();
    EXPECT_EQ(screen->tableView()->indexPathForDeleteConfirmation(), nullptr);
    window->layoutIfNeeded();
    EXPECT_EQ(control(1), nullptr);
}

}  // namespace
