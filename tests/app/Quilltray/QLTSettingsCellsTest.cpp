// The setting cells as their interface files make them, laid out at a known
// content width: the slider between its images, the text field after its
// title, and the title beside its value.
#include <gtest/gtest.h>

#include <cairo.h>

#include <string>

#include "Foundation/NSArray.h"
#include "Quilltray/Views/QLTPSSliderSpecifierViewCell.h"
#include "Quilltray/Views/QLTPSTextFieldSpecifierViewCell.h"
#include "Quilltray/Views/QLTPSTitleValueSpecifierViewCell.h"
#include "Quilltray/Views/QLTPSToggleSwitchSpecifierViewCell.h"
#include "UIKit/UIFont.h"
#include "UIKit/UINib.h"
#include "app/Classes/SwipeTableFixture.h"

namespace {

constexpr CGFloat kWidth = 300;

class SettingCells : public ::testing::Test {
protected:
    template <class C>
    Ref<C> fromFile(const char* name) {
        Ref<NSArray> objects = UINib::loadNibNamed(NSString::from(name), nullptr);
        Ref<C> cell = objects && objects->count() ? Ref<C>(objc::cast<C>(objects->objectAtIndex(0))) : nullptr;
        if (cell) laidOut(cell);
        return cell;
    }
    // With a content view kWidth wide.
    static void laidOut(UITableViewCell* cell) {
        cell->setFrame(CGRectMake(0, 0, kWidth, 44));
        cell->layoutSubviews();
        EXPECT_EQ(cell->contentView()->frame().size.width, kWidth);
    }
    static Ref<UIImage> image() {
        return make<UIImage>(make<CGImage>(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 20, 20)));
    }

    NSAutoreleasePool pool;
    BundleDevice device;
};

}  // namespace

TEST_F(SettingCells, TheSwitchCellComesFromItsFileWithItsPartsAndTypeAsReuseIdentifier) {
    auto cell = fromFile<QLTPSToggleSwitchSpecifierViewCell>("QLTPSToggleSwitchSpecifierViewCell");
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->reuseIdentifier()->str(), "PSToggleSwitchSpecifier");
    ASSERT_TRUE(cell->label() && cell->toggle());
    EXPECT_EQ(cell->toggle()->superview(), cell->contentView());
    // The switch keeps to the right end of the row.
    EXPECT_EQ(CGRectGetMaxX(cell->toggle()->frame()), kWidth - 10);
}

TEST_F(SettingCells, TheSliderNarrowsAndShiftsForEachImageItShows) {
    struct Case {
        bool min, max;
        CGFloat width, centreX;
    } cases[] = {{false, false, 278, 150}, {true, true, 214, 150}, {true, false, 246, 166}, {false, true, 246, 134}};
    auto cell = fromFile<QLTPSSliderSpecifierViewCell>("QLTPSSliderSpecifierViewCell");
    ASSERT_TRUE(cell && cell->slider() && cell->minImage() && cell->maxImage());
    for (const Case& c : cases) {
        // The same cell, reused: its images are cleared first.
        cell->prepareForReuse();
        if (c.min) cell->minImage()->setImage(image());
        if (c.max) cell->maxImage()->setImage(image());
        const CGFloat y = cell->slider()->center().y;
        cell->layoutSubviews();
        std::string name = std::to_string(c.min) + std::to_string(c.max);
        EXPECT_EQ(cell->slider()->bounds().size.width, c.width) << name;
        EXPECT_EQ(cell->slider()->center().x, c.centreX) << name;
        EXPECT_EQ(cell->slider()->center().y, y) << name;
        EXPECT_EQ(cell->minImage()->isHidden(), !c.min) << name;
        EXPECT_EQ(cell->maxImage()->isHidden(), !c.max) << name;
    }
}

TEST_F(SettingCells, TheTextFieldStartsAfterItsTitleAndEndsAsFarFromTheEdge) {
    auto cell = fromFile<QLTPSTextFieldSpecifierViewCell>("QLTPSTextFieldSpecifierViewCell");
    ASSERT_TRUE(cell && cell->label() && cell->textField());
    const CGFloat labelX = cell->label()->frame().origin.x;
    const CGFloat labelWidth = cell->label()->bounds().size.width;
    struct Case {
        const char* title;
        CGFloat fieldX;
    } cases[] = {
        {"Name", labelX + 97 + 5},  // a short title still leaves 97 points
        {"", labelX},               // no title: the whole row
        {"A title far too long for the room it has", labelX + labelWidth + 5},
    };
    for (const Case& c : cases) {
        cell->label()->setText(NSString::from(c.title));
        const CGRect before = cell->textField()->frame();
        cell->layoutSubviews();
        const CGRect f = cell->textField()->frame();
        EXPECT_EQ(f.origin.x, c.fieldX) << c.title;
        EXPECT_EQ(f.size.width, kWidth - c.fieldX - labelX) << c.title;
        EXPECT_EQ(f.origin.y, before.origin.y) << c.title;
        EXPECT_EQ(f.size.height, before.size.height) << c.title;
    }
}

TEST_F(SettingCells, TheTitleTakesWhatItNeedsUpToALimitAndTheValueFollowsIt) {
    struct Case {
        const char* identifier;
        const char* title;
        const char* value;
        CGFloat titleWidth;  // 0: as the text fits
        CGFloat valueX, valueWidth;
        bool valueLook;  // the title label shows the value in its colour and plain font
    } cases[] = {
        {"PSTitleValueSpecifier", "A long title that needs far more room than any row has", "On", kWidth - 59,
         kWidth - 45, 35, false},
        {"PSTitleValueSpecifier", "A long title that needs far more room than any row has", "", kWidth - 19, -1, -1,
         false},
        {"PSMultiValueSpecifier", "", "Dot, top right", 0, -1, -1, true},
        {"PSTitleValueSpecifier", "", "Dot, top right", 0, -1, -1, false},
    };
    for (const Case& c : cases) {
        auto cell = UITableViewCell::cellWithStyle<QLTPSTitleValueSpecifierViewCell>(
            UITableViewCellStyleValue1, NSString::from(c.identifier));
        UILabel* title = cell->textLabel();
        UILabel* value = cell->detailTextLabel();
        Ref<UIFont> titleFont = title->font();
        laidOut(cell);
        title->setText(NSString::from(c.title));
        value->setText(NSString::from(c.value));
        cell->layoutSubviews();
        const std::string name = std::string(c.identifier) + " '" + c.title + "'";
        EXPECT_EQ(title->frame().origin.x, 9) << name;
        EXPECT_EQ(title->frame().size.height, 42) << name;
        EXPECT_EQ(title->frame().size.width, c.titleWidth ? c.titleWidth : title->sizeThatFits(CGSizeZero).width)
            << name;
        if (c.valueX >= 0) {
            EXPECT_EQ(value->frame().origin.x, c.valueX) << name;
            EXPECT_EQ(value->frame().size.width, c.valueWidth) << name;
        }
        if (!*c.title) {
            EXPECT_EQ(title->text()->str(), c.value) << name;
            EXPECT_TRUE(!value->text() || value->text()->str().empty()) << name;
        }
        EXPECT_EQ(title->textColor()->isEqual(value->textColor()), c.valueLook) << name;
        EXPECT_EQ(title->font()->isEqual(UIFont::systemFontOfSize(UIFont::labelFontSize())), c.valueLook) << name;
        // Reused for a titled row, the title looks like a title again.
        cell->prepareForReuse();
        EXPECT_TRUE(title->font()->isEqual(titleFont)) << name;
    }
}
