// The message-row label, driven through the stand-in Mail with the hook loaded.
#include "MailWithHook.h"

#include "Foundation/NSArray.h"
#include "Foundation/NSDate.h"
#include "Foundation/NSObjectAdditions.h"
#include "QuartzCore/CALayer.h"
#include "UIKit/UILabel.h"

namespace {

using MessageLabel = MailWithHook;

const float kDateRed = 36 / 255.0f, kDateGreen = 112 / 255.0f, kDateBlue = 216 / 255.0f;

}  // namespace

struct StyleCase {
    Ref<NSObject> style;  // nil: absent
    std::optional<int> lines;
    CGRect frame;
    CGFloat cornerRadius;
    CGFloat alpha;
    UIViewAutoresizing mask;
};

TEST_F(MessageLabel, EachStyleGetsItsShapeWhenMailCreatesTheRow) {
    const StyleCase cases[] = {
        {NSNumber::numberWithInt(1), 3, CGRectMake(0, 0, 30, 93), 0, 1, 0},
        {NSNumber::numberWithInt(1), 0, CGRectMake(0, 0, 30, 44), 0, 1, 0},
        {NSNumber::numberWithInt(1), std::nullopt, CGRectMake(0, 0, 30, 78), 0, 1, 0},
        {NSNumber::numberWithInt(2), 2, CGRectMake(11.5f, 8, 10, 10), 6, 1, 0},
        {NSNumber::numberWithInt(3), 2, CGRectMake(300, 9, 10, 10), 6, 1, UIViewAutoresizingFlexibleLeftMargin},
        {NSNumber::numberWithInt(6), 3, CGRectMake(0, 0, 320, 93), 0, 0.3f, UIViewAutoresizingFlexibleWidth},
        {"6"_ns, 0, CGRectMake(0, 0, 320, 44), 0, 0.3f, UIViewAutoresizingFlexibleWidth},
        {NSNumber::numberWithInt(7), 2, CGRectMake(300, 9, 10, 10), 0, 1, UIViewAutoresizingFlexibleLeftMargin},
        {NSNumber::numberWithInt(8), 1, CGRectMake(0, 0, 7, 63), 0, 1, 0},
        {NSNumber::numberWithBool(true), 1, CGRectMake(0, 0, 30, 63), 0, 1, 0},
        {nullptr, 2, CGRectMake(11.5f, 8, 10, 10), 0, 1, 0},
        {NSNumber::numberWithInt(4), 2, CGRectMake(11.5f, 8, 10, 10), 0, 1, 0},
        {NSNumber::numberWithInt(5), 2, CGRectMake(11.5f, 8, 10, 10), 0, 1, 0},
        {NSNumber::numberWithInt(-3), 2, CGRectMake(11.5f, 8, 10, 10), 0, 1, 0},
        {NSNumber::numberWithInt(9), 2, CGRectMake(11.5f, 8, 10, 10), 0, 1, 0},
        // A value without an integer reading is style 0, not a crash.
        {record(1, 0, 0), 2, CGRectMake(11.5f, 8, 10, 10), 0, 1, 0},
    };
    int index = 0;
    for (const StyleCase& c : cases) {
        SCOPED_TRACE("case " + std::to_string(index++));
        writeMailPreferences(c.lines);
        auto prefs = preferences({});
        if (c.style) prefs->setObject(c.style, "mail_label_style"_ns);
        writePreferences(prefs);

        auto cell = makeCell();
        UIView* view = label(cell);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->superview(), cell.get());
        EXPECT_TRUE(CGRectEqualToRect(view->frame(), c.frame))
            << view->frame().origin.x << "," << view->frame().origin.y << " " << view->frame().size.width << "x"
            << view->frame().size.height;
        EXPECT_FLOAT_EQ(view->layer()->cornerRadius(), c.cornerRadius);
        EXPECT_FLOAT_EQ(view->alpha(), c.alpha);
        EXPECT_EQ(view->autoresizingMask(), c.mask);
        EXPECT_EQ(view->backgroundColor(), nullptr);
        // Topmost when made.
        EXPECT_EQ(cell->subviews()->lastObject(), view);
    }
}

TEST_F(MessageLabel, RightHandLabelsKeepTheirDistanceFromTheEdgeWhenTheRowWidens) {
    for (int style : {3, 7}) {
        writePreferences(preferences({{"mail_label_style", NSNumber::numberWithInt(style)}}));
        auto cell = makeCell();
        cell->setFrame(CGRectMake(0, 0, 480, 44));
        EXPECT_FLOAT_EQ(label(cell)->frame().origin.x, 460);
    }
    writePreferences(preferences({{"mail_label_style", NSNumber::numberWithInt(6)}}));
    auto cell = makeCell();
    cell->setFrame(CGRectMake(0, 0, 480, 44));
    EXPECT_FLOAT_EQ(label(cell)->frame().size.width, 480);
}

TEST_F(MessageLabel, NoSecondLabelWhenTheRowAlreadyHasOne) {
    writePreferences(preferences({{"mail_label_style", NSNumber::numberWithInt(1)}}));
    auto cell = makeCell();
    // Mail initialising the same row again: the label it has is kept.
    objc::send<id, NSInteger, id>(cell.get(), "initWithStyle:reuseIdentifier:", NSInteger(0), "Cell"_ns.get());
    int labels = 0;
    Ref<NSArray> subviews = cell->subviews();
    for (NSUInteger i = 0; i < subviews->count(); ++i)
        labels += static_cast<UIView*>(subviews->objectAtIndex(i))->tag() == kLabelTag;
    EXPECT_EQ(labels, 1);
}

TEST_F(MessageLabel, AssignmentColoursTheLabelFromTheAccountsRecord) {
    writePreferences(preferences({{"anna@example.com", record(0.2f, 0.4f, 0.6f, 0.8f)}}));
    auto cell = makeCell();
    assign(cell, message("Anna@Example.COM", {"bob@example.net"}));
    expectColour(label(cell)->backgroundColor(), 0.2f, 0.4f, 0.6f, 0.8f);
    // Sent behind Mail's own views, so the text stays readable.
    EXPECT_EQ(cell->subviews()->objectAtIndex(0), label(cell));

    assign(cell, message("other@example.com", {"bob@example.net"}));
    expectWhite(label(cell)->backgroundColor());
}

TEST_F(MessageLabel, ValuesThatAreNotColourRecordsGiveWhite) {
    writePreferences(preferences({
        {"quick@example.com", NSNumber::numberWithInt(4)},
        {"nored@example.com", preferences({{"green", NSNumber::numberWithFloat(1)},
                                           {"blue", NSNumber::numberWithFloat(1)},
                                           {"alpha", NSNumber::numberWithFloat(1)}})},
        {"Capital@example.com", record(1, 0, 0)},
        {"text@example.com", "red"_ns},
    }));
    for (const char* account : {"quick@example.com", "nored@example.com", "capital@example.com", "text@example.com"}) {
        SCOPED_TRACE(account);
        auto cell = makeCell();
        assign(cell, message(account, {}));
        expectWhite(label(cell)->backgroundColor());
    }
}

TEST_F(MessageLabel, TintStyleCoversTheRowAboveItsViews) {
    writePreferences(preferences({{"mail_label_style", NSNumber::numberWithInt(6)},
                                  {"anna@example.com", record(0, 1, 0)}}));
    auto cell = makeCell();
    cell->addSubview(UIView::withFrame(CGRectMake(0, 0, 10, 10)));  // Mail adding a view later
    assign(cell, message("anna@example.com", {}));
    EXPECT_EQ(cell->subviews()->lastObject(), label(cell));
    EXPECT_FLOAT_EQ(label(cell)->alpha(), 0.3f);
    expectColour(label(cell)->backgroundColor(), 0, 1, 0, 1);

    assign(cell, message("nobody@example.com", {}));
    EXPECT_FLOAT_EQ(label(cell)->alpha(), 0);
    expectWhite(label(cell)->backgroundColor());
}

TEST_F(MessageLabel, DateColourStyleColoursTheDateAndLeavesTheSquareWhite) {
    writePreferences(preferences({{"mail_label_style", NSNumber::numberWithInt(4)},
                                  {"anna@example.com", record(0.5f, 0, 0.5f)}}));
    auto cell = makeCell();
    assign(cell, message("anna@example.com", {}));
    expectColour(cell->dateLabel()->textColor(), 0.5f, 0, 0.5f, 1);
    expectWhite(label(cell)->backgroundColor());

    assign(cell, message("nobody@example.com", {}));
    expectColour(cell->dateLabel()->textColor(), kDateRed, kDateGreen, kDateBlue, 1);
}

TEST_F(MessageLabel, DateBackgroundFollowsTheColourAndTheDateLabelsWidth) {
    writePreferences(preferences({{"mail_label_style", NSNumber::numberWithInt(5)},
                                  {"anna@example.com", record(1, 0.5f, 0)}}));
    auto cell = makeCell();
    assign(cell, message("anna@example.com", {}));
    layOut(cell);
    UILabel* date = cell->dateLabel();
    ASSERT_EQ(date->subviews()->count(), 1u);
    auto* background = static_cast<UIView*>(date->subviews()->objectAtIndex(0));
    EXPECT_FLOAT_EQ(background->layer()->cornerRadius(), 3);
    EXPECT_FLOAT_EQ(background->alpha(), 0.3f);
    expectColour(background->backgroundColor(), 1, 0.5f, 0, 1);
    EXPECT_FLOAT_EQ(background->frame().size.width, date->frame().size.width);
    expectWhite(label(cell)->backgroundColor());

    // The date label grows: the next layout stretches the background with it.
    date->setFrame(CGRectMake(date->frame().origin.x, 5, date->frame().size.width + 40, 18));
    CGFloat wider = date->frame().size.width;
    objc::send<CGRect, CGRect>(cell.get(), "_dateLabelFrame:", date->frame());
    EXPECT_FLOAT_EQ(background->frame().size.width, wider);
    EXPECT_FLOAT_EQ(background->frame().size.height, 18);
    EXPECT_EQ(date->subviews()->count(), 1u);

    // Without a record the background is fully transparent.
    assign(cell, message("nobody@example.com", {}));
    layOut(cell);
    expectColour(background->backgroundColor(), 0, 0, 0, 0);
}

TEST_F(MessageLabel, DateLabelFrameIsReturnedUnchanged) {
    writePreferences(preferences({{"mail_label_style", NSNumber::numberWithInt(5)}}));
    auto cell = makeCell();
    CGRect given = CGRectMake(250.5f, 5, 61, 18);
    CGRect answered = objc::send<CGRect, CGRect>(cell.get(), "_dateLabelFrame:", given);
    EXPECT_TRUE(CGRectEqualToRect(answered, given));
}

TEST_F(MessageLabel, MissingOrGarbledPreferencesLeaveEveryRowWhite) {
    for (int variant = 0; variant < 3; ++variant) {
        SCOPED_TRACE(variant);
        if (variant == 0) removePreferences();
        if (variant == 1) writeRawPreferences("bplist00\xff\xff garbage");
        if (variant == 2) writeRawPreferences("<?xml version=\"1.0\"?><plist><array><string>x</string></array></plist>");
        auto cell = makeCell();
        EXPECT_TRUE(CGRectEqualToRect(label(cell)->frame(), CGRectMake(11.5f, 8, 10, 10)));
        assign(cell, message("anna@example.com", {"bob@example.net"}));
        layOut(cell);
        expectWhite(label(cell)->backgroundColor());
    }
}

TEST_F(MessageLabel, LinesOfPreviewCountsAsTextAndOnlyWhenItHasAnIntegerReading) {
    // Style 1's bar is 44 + 15 x lines + 4 high on a row Mail makes 44 high.
    const std::pair<Ref<NSObject>, CGFloat> cases[] = {
        {"3"_ns, 93},
        {"0"_ns, 44},
        {"many"_ns, 44},  // a text without digits reads as 0 lines, not 2
        {record(1, 1, 1), 78},
        {NSArray::arrayWithObjects({NSNumber::numberWithInt(3).get()}), 78},
        {NSDate::dateWithTimeIntervalSinceReferenceDate(0), 78},
    };
    writePreferences(preferences({{"mail_label_style", NSNumber::numberWithInt(1)}}));
    for (const auto& [lines, height] : cases) {
        SCOPED_TRACE(NSObjectAdditions::description(lines)->str());
        writeMailPreferences(lines.get());
        EXPECT_FLOAT_EQ(label(makeCell())->frame().size.height, height);
    }
}

TEST_F(MessageLabel, ARecordWithoutAlphaIsTransparentInEveryColouredPlace) {
    auto noAlpha = preferences({{"red", NSNumber::numberWithFloat(1)}, {"green", NSNumber::numberWithFloat(0.5f)},
                                {"blue", NSNumber::numberWithFloat(0.25f)}});
    for (int style : {0, 4, 5}) {
        SCOPED_TRACE(style);
        writePreferences(preferences({{"mail_label_style", NSNumber::numberWithInt(style)},
                                      {"anna@example.com", noAlpha}}));
        auto cell = makeCell();
        assign(cell, message("anna@example.com", {}));
        layOut(cell);
        if (style == 0) expectColour(label(cell)->backgroundColor(), 1, 0.5f, 0.25f, 0);
        if (style == 4) expectColour(cell->dateLabel()->textColor(), 1, 0.5f, 0.25f, 0);
        if (style == 5)
            expectColour(static_cast<UIView*>(cell->dateLabel()->subviews()->objectAtIndex(0))->backgroundColor(), 1,
                         0.5f, 0.25f, 0);
    }
}

TEST_F(MessageLabel, OnlyStyleFiveGivesTheDateABackgroundFittedToIt) {
    for (int style = -1; style <= 9; ++style) {
        SCOPED_TRACE(style);
        writePreferences(preferences({{"mail_label_style", NSNumber::numberWithInt(style)},
                                      {"anna@example.com", record(1, 0, 0)}}));
        auto cell = makeCell();
        assign(cell, message("anna@example.com", {}));
        layOut(cell);
        UILabel* date = cell->dateLabel();
        if (style != 5) {
            EXPECT_EQ(date->subviews()->count(), 0u);
            continue;
        }
        ASSERT_EQ(date->subviews()->count(), 1u);
        CGRect own = static_cast<UIView*>(date->subviews()->objectAtIndex(0))->frame();
        EXPECT_TRUE(CGRectEqualToRect(own, CGRectMake(0, 0, date->frame().size.width, date->frame().size.height)))
            << own.origin.x << "," << own.origin.y << " " << own.size.width << "x" << own.size.height;
    }
}
