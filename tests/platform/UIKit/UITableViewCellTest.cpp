#include <gtest/gtest.h>

#include "Foundation/NSArray.h"
#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UILabel.h"
#include "UIKit/UITableViewCell.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace {

// A cell class that the runtime knows by name, whose initializer a test
// replaces, as another library does to the stand-in Mail's cells.
class PlainRow : public UITableViewCell {
    KORVEL_OBJC_CLASS(PlainRow)
public:
    int inits = 0;
    UITableViewCell* initWithStyle(NSInteger style, NSString* identifier) override {
        ++inits;
        return UITableViewCell::initWithStyle(style, identifier);
    }
};

Class PlainRow::class_() {
    static Class cls = objc::ClassBuilder<PlainRow>("CellTestPlainRow", UITableViewCell::class_())
                           .method<&PlainRow::initWithStyle>("initWithStyle:reuseIdentifier:")
                           .allocatable()
                           .build();
    return cls;
}

IMP formerInit = nullptr;
int replacedInits = 0;

id replacedInit(id self, SEL cmd, NSInteger style, id identifier) {
    ++replacedInits;
    id cell = reinterpret_cast<id (*)(id, SEL, NSInteger, id)>(formerInit)(self, cmd, style, identifier);
    objc::send<void, NSInteger>(cell, "setTag:", 333);
    return cell;
}

bool same(CGRect a, CGRect b) { return CGRectEqualToRect(a, b); }

}  // namespace

TEST(TableViewCell, MadeByAllocAndTheInitializerSentThroughTheRuntime) {
    NSAutoreleasePool pool;
    Method m = class_getInstanceMethod(PlainRow::class_(), sel_registerName("initWithStyle:reuseIdentifier:"));
    formerInit = method_setImplementation(m, reinterpret_cast<IMP>(&replacedInit));
    auto cell = UITableViewCell::cellWithStyle<PlainRow>(UITableViewCellStyleDefault, "mail"_ns);
    method_setImplementation(m, formerInit);
    EXPECT_EQ(replacedInits, 1);
    EXPECT_EQ(cell->inits, 1);
    EXPECT_EQ(cell->tag(), 333);

    // By name, as code that only knows the class's name makes one.
    id made = objc::send<id>(reinterpret_cast<id>(objc_getClass("CellTestPlainRow")), "alloc");
    made = objc::send<id, NSInteger, id>(made, "initWithStyle:reuseIdentifier:", 1, "x"_ns.get());
    auto byName = Ref<PlainRow>::adopt(objc::cast<PlainRow>(made));
    ASSERT_TRUE(byName);
    EXPECT_EQ(byName->style(), UITableViewCellStyleValue1);
    EXPECT_EQ(byName->reuseIdentifier()->str(), "x");
    // The frame a table has not placed yet, which the hook reads.
    CGRect f = objc::send<CGRect>(made, "frame");
    EXPECT_TRUE(same(f, CGRectMake(0, 0, 320, 44)));

    // initWithFrame: gives the default style with no identifier.
    auto framed = UIView::withFrame<UITableViewCell>(CGRectMake(0, 0, 200, 60));
    EXPECT_EQ(framed->style(), UITableViewCellStyleDefault);
    EXPECT_EQ(framed->reuseIdentifier(), nullptr);
    EXPECT_TRUE(same(framed->contentView()->frame(), CGRectMake(0, 0, 200, 60)));
}

TEST(TableViewCell, StylesHaveTheirLabelsLaidOutInTheContentView) {
    auto plain = UITableViewCell::cellWithStyle(UITableViewCellStyleDefault, nullptr);
    EXPECT_EQ(plain->detailTextLabel(), nullptr);
    plain->textLabel()->setText("Inbox"_ns);
    plain->layoutIfNeeded();
    EXPECT_TRUE(same(plain->contentView()->frame(), CGRectMake(0, 0, 320, 44)));
    EXPECT_TRUE(same(plain->textLabel()->frame(), CGRectMake(10, 0, 300, 44)));
    EXPECT_EQ(plain->textLabel()->superview(), plain->contentView());

    auto value = UITableViewCell::cellWithStyle(UITableViewCellStyleValue1, "v"_ns);
    value->textLabel()->setText("Style"_ns);
    value->detailTextLabel()->setText("Dot"_ns);
    value->layoutIfNeeded();
    CGRect text = value->textLabel()->frame();
    CGRect detail = value->detailTextLabel()->frame();
    EXPECT_GT(text.size.width, 0);
    EXPECT_LT(text.size.width, 150);
    EXPECT_FLOAT_EQ(detail.origin.x, CGRectGetMaxX(text) + 10);
    EXPECT_FLOAT_EQ(CGRectGetMaxX(detail), 310);
    EXPECT_EQ(value->detailTextLabel()->textAlignment(), UITextAlignmentRight);

    auto subtitle = UITableViewCell::cellWithStyle(UITableViewCellStyleSubtitle, nullptr);
    subtitle->detailTextLabel()->setText("below"_ns);
    subtitle->textLabel()->setText("above"_ns);
    subtitle->layoutIfNeeded();
    EXPECT_LT(CGRectGetMaxY(subtitle->textLabel()->frame()), CGRectGetMaxY(subtitle->detailTextLabel()->frame()));
    EXPECT_GE(subtitle->detailTextLabel()->frame().origin.y, 22);
}

TEST(TableViewCell, TheAccessoryTakesRoomFromTheContentView) {
    auto cell = UITableViewCell::cellWithStyle(UITableViewCellStyleDefault, nullptr);
    cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    cell->layoutIfNeeded();
    EXPECT_FLOAT_EQ(cell->contentView()->frame().size.width, 320 - UITableViewCell::kAccessoryWidth);
    EXPECT_EQ(cell->subviews()->count(), 2u);

    auto own = UIView::withFrame(CGRectMake(0, 0, 50, 20));
    cell->setAccessoryView(own);
    cell->layoutIfNeeded();
    EXPECT_TRUE(same(own->frame(), CGRectMake(260, 12, 50, 20)));
    EXPECT_FLOAT_EQ(cell->contentView()->frame().size.width, 250);
    EXPECT_EQ(cell->subviews()->count(), 2u);  // the view replaces the mark

    cell->setAccessoryView(nullptr);
    cell->setAccessoryType(UITableViewCellAccessoryNone);
    cell->layoutIfNeeded();
    EXPECT_FLOAT_EQ(cell->contentView()->frame().size.width, 320);
    EXPECT_EQ(cell->subviews()->count(), 1u);
    cell->setAccessoryType(42);
    EXPECT_EQ(cell->accessoryType(), UITableViewCellAccessoryNone);
}

TEST(TableViewCell, SelectionAndHighlightShowBeneathTheContentUntilReuse) {
    auto cell = UITableViewCell::cellWithStyle(UITableViewCellStyleDefault, "r"_ns);
    cell->textLabel()->setText("row"_ns);
    cell->setSelected(true, true);
    EXPECT_TRUE(cell->isSelected());
    EXPECT_TRUE(cell->textLabel()->isHighlighted());
    Ref<NSArray> views = cell->subviews();
    ASSERT_EQ(views->count(), 2u);
    auto* look = objc::cast<UIView>(views->objectAtIndex(0));
    EXPECT_NE(look, cell->contentView());
    CGFloat r, g, b, a;
    ASSERT_TRUE(look->backgroundColor()->getRed(&r, &g, &b, &a));
    EXPECT_GT(b, 0.8f);

    cell->setSelectionStyle(UITableViewCellSelectionStyleGray);
    ASSERT_TRUE(look->backgroundColor()->getRed(&r, &g, &b, &a));
    EXPECT_FLOAT_EQ(r, b);

    // With no selection style nothing shows, though the cell is selected.
    cell->setSelectionStyle(UITableViewCellSelectionStyleNone);
    EXPECT_EQ(cell->subviews()->count(), 1u);
    EXPECT_FALSE(cell->textLabel()->isHighlighted());
    EXPECT_TRUE(cell->isSelected());

    cell->setSelectionStyle(UITableViewCellSelectionStyleBlue);
    cell->setHighlighted(true);
    objc::send<void>(cell.get(), "prepareForReuse");
    EXPECT_FALSE(cell->isSelected());
    EXPECT_FALSE(cell->isHighlighted());
    EXPECT_EQ(cell->subviews()->count(), 1u);
}
