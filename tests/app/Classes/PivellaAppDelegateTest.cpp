#include <gtest/gtest.h>

#include "Classes/ZRSwipeableTableView.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UIImage.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UIToolbar.h"
#include "UIKit/UIWindow.h"
#include "app/Classes/KorvelAppFixture.h"

namespace {

class AppStart : public KorvelApp {};

UILabel* hintIn(UIToolbar* toolbar) {
    Ref<NSArray> subviews = toolbar->subviews();
    for (NSUInteger i = 0; i < subviews->count(); ++i)
        if (auto* label = objc::cast<UILabel>(subviews->objectAtIndex(i))) return label;
    return nullptr;
}

}  // namespace

TEST_F(AppStart, TheWindowShowsTheAccountListAtTheRootOfANavigationStack) {
    launch();
    ASSERT_NE(delegate(), nullptr);
    UIWindow* window = delegate()->window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(app->keyWindow(), window);
    EXPECT_FALSE(window->isHidden());
    EXPECT_TRUE(CGRectEqualToRect(window->frame(), CGRectMake(0, 0, 320, 480)));
    UINavigationController* stack = delegate()->navigationController();
    EXPECT_EQ(stack->view()->superview(), window);
    EXPECT_EQ(stack->topViewController(), root());
    EXPECT_EQ(table()->style(), UITableViewStylePlain);
    // The platform's own table: a sideways swipe gives its Delete button.
    EXPECT_EQ(objc::cast<ZRSwipeableTableView>(table()), nullptr);
    EXPECT_EQ(root()->navigationItem()->title()->str(), "Korvel");
    UIBarButtonItem* gear = root()->navigationItem()->rightBarButtonItem();
    ASSERT_NE(gear, nullptr);
    ASSERT_NE(gear->image(), nullptr);
    EXPECT_EQ(gear->image(), UIImage::imageNamed("20-gear2.png"_ns).get());
    EXPECT_EQ(gear->style(), UIBarButtonItemStylePlain);
    EXPECT_EQ(gear->target(), root());
    EXPECT_EQ(gear->action(), sel_registerName("showSettingsModal:"));
    UIBarButtonItem* plus = root()->navigationItem()->leftBarButtonItem();
    ASSERT_NE(plus, nullptr);
    ASSERT_NE(plus->image(), nullptr);
    EXPECT_EQ(plus->image(), UIImage::imageNamed("13-plus.png"_ns).get());
    EXPECT_NE(plus->image(), gear->image());
    EXPECT_EQ(plus->style(), UIBarButtonItemStylePlain);
    EXPECT_EQ(plus->target(), root());
    EXPECT_EQ(plus->action(), sel_registerName("addA"));
    // The picker finds the account list the way the app's other screens do.
    EXPECT_EQ(objc::send<id>(app->delegate(), "navigationController"), stack);
}

TEST_F(AppStart, TheHintSitsAQuarterOfTheToolbarDownAcrossItsWholeWidth) {
    launch();
    UINavigationController* stack = delegate()->navigationController();
    EXPECT_FALSE(stack->isToolbarHidden());
    UIToolbar* toolbar = stack->toolbar();
    EXPECT_EQ(toolbar->barStyle(), UIBarStyleBlackTranslucent);
    ASSERT_EQ(toolbar->frame().size.height, 44);
    UILabel* hint = hintIn(toolbar);
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->text()->str(), "Click Email to Choose a Color Label");
    EXPECT_TRUE(CGRectEqualToRect(hint->frame(), CGRectMake(0, 11, 320, 21)));
    EXPECT_EQ(hint->textAlignment(), UITextAlignmentCenter);
    EXPECT_TRUE(CGColorEqualToColor(hint->textColor()->CGColor(), UIColor::whiteColor()->CGColor()));
    EXPECT_EQ(CGColorGetAlpha(hint->backgroundColor()->CGColor()), 0);
    // The toolbar stays at the bottom of the screen while the list is shown.
    CGRect onScreen = toolbar->convertRectToView(toolbar->bounds(), nullptr);
    EXPECT_EQ(CGRectGetMaxY(onScreen), 480);
    EXPECT_FALSE(toolbar->isHidden());
}
