#include <gtest/gtest.h>

#include <cmath>

#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UILabel.h"

TEST(UILabel, Defaults) {
    auto label = UILabel::withFrame(CGRectMake(0, 0, 100, 20));
    EXPECT_EQ(label->text(), nullptr);
    ASSERT_NE(label->textColor(), nullptr);
    EXPECT_TRUE(label->textColor()->isEqual(UIColor::blackColor()));
    ASSERT_NE(label->font(), nullptr);
    EXPECT_FLOAT_EQ(label->font()->pointSize(), 17);
    EXPECT_EQ(label->numberOfLines(), 1);
    EXPECT_EQ(label->textAlignment(), UITextAlignmentLeft);
    EXPECT_EQ(label->lineBreakMode(), UILineBreakModeTailTruncation);
    EXPECT_FALSE(label->isHighlighted());
    EXPECT_FALSE(label->isUserInteractionEnabled());
}

TEST(UILabel, KeepsItsOwnCopyOfTheTextAndAsksForARedraw) {
    auto label = UILabel::withFrame(CGRectMake(0, 0, 100, 20));
    auto text = NSString::from("Inbox");
    label->clearNeedsDisplay();
    label->setText(text);
    EXPECT_TRUE(label->needsDisplay());
    ASSERT_NE(label->text(), nullptr);
    EXPECT_NE(label->text(), text.get());
    EXPECT_EQ(label->text()->str(), "Inbox");
    label->setText(nullptr);
    EXPECT_EQ(label->text(), nullptr);
}

TEST(UILabel, NilFontRestoresTheSystemFont) {
    auto label = UILabel::withFrame(CGRectZero);
    label->setFont(UIFont::boldSystemFontOfSize(30));
    EXPECT_FLOAT_EQ(label->font()->pointSize(), 30);
    label->setFont(nullptr);
    EXPECT_FLOAT_EQ(label->font()->pointSize(), 17);
    EXPECT_EQ(label->font()->fontName()->str(), UIFont::systemFontOfSize(17)->fontName()->str());
}

TEST(UILabel, SizeThatFitsMeasuresOneLineOrWrapsUpToTheLineCount) {
    auto label = UILabel::withFrame(CGRectMake(0, 0, 50, 20));
    label->setText(NSString::from("one two three four five six seven"));
    CGSize single = label->sizeThatFits(CGSizeMake(50, 1000));
    EXPECT_GT(single.width, 50);
    EXPECT_NEAR(single.height, std::ceil(label->font()->lineHeight()), 1.01);

    label->setNumberOfLines(2);
    CGSize two = label->sizeThatFits(CGSizeMake(80, 1000));
    EXPECT_LE(two.width, 80);
    EXPECT_GT(two.height, single.height * 1.5);
    EXPECT_LT(two.height, single.height * 2.5);

    label->setNumberOfLines(0);
    CGSize all = label->sizeThatFits(CGSizeMake(80, 1000));
    EXPECT_GT(all.height, two.height);

    label->sizeToFit();
    EXPECT_LE(label->frame().size.width, 50);
    EXPECT_GE(label->frame().size.height, all.height);
}

TEST(UILabel, TextRectIsCentredVertically) {
    auto label = UILabel::withFrame(CGRectMake(0, 0, 200, 100));
    label->setText(NSString::from("Hello"));
    CGRect r = label->textRectForBounds(label->bounds(), 1);
    EXPECT_FLOAT_EQ(r.origin.x, 0);
    EXPECT_FLOAT_EQ(r.size.width, 200);
    EXPECT_NEAR(r.origin.y + r.size.height / 2, 50, 0.01);
    EXPECT_LT(r.size.height, 30);
}
