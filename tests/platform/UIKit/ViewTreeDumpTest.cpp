#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UILabel.h"
#include "UIKit/ViewTreeDump.h"

using nlohmann::json;

TEST(ViewTreeDump, DescribesEveryViewWithItsSubviewsInOrder) {
    auto cell = UIView::withFrame(CGRectMake(0, 0, 320, 44));
    auto dot = UIView::withFrame(CGRectMake(300, 9, 10, 10));
    dot->setTag(333);
    dot->setAlpha(0.3f);
    dot->layer()->setCornerRadius(6);
    dot->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    dot->setBackgroundColor(UIColor::colorWithRed(0.141176f, 0.439216f, 0.847059f, 1));
    auto date = UILabel::withFrame(CGRectMake(250, 2, 60, 20));
    date->setText(NSString::from("12:30"));
    date->setHidden(true);
    cell->addSubview(date);
    cell->addSubview(dot);

    json d = ViewTreeDump::describe(cell);
    EXPECT_EQ(d["class"], "UIView");
    EXPECT_EQ(d["frame"], json::array({0, 0, 320, 44}));
    EXPECT_EQ(d["tag"], 0);
    EXPECT_EQ(d["hidden"], false);
    EXPECT_EQ(d["alpha"], 1);
    EXPECT_TRUE(d["backgroundColor"].is_null());
    EXPECT_FALSE(d.contains("text"));
    EXPECT_FALSE(d.contains("textColor"));
    ASSERT_EQ(d["subviews"].size(), 2u);

    const json& label = d["subviews"][0];
    EXPECT_EQ(label["class"], "UILabel");
    EXPECT_EQ(label["text"], "12:30");
    EXPECT_EQ(label["textColor"], json::array({0, 0, 0, 1}));
    EXPECT_EQ(label["hidden"], true);
    EXPECT_EQ(label["subviews"], json::array());

    const json& view = d["subviews"][1];
    EXPECT_EQ(view["tag"], 333);
    // Six significant digits: the 32-bit values read as written.
    EXPECT_EQ(view["alpha"], 0.3);
    EXPECT_EQ(view["cornerRadius"], 6);
    EXPECT_EQ(view["autoresizingMask"], 1);
    EXPECT_EQ(view["frame"], json::array({300, 9, 10, 10}));
    EXPECT_EQ(view["backgroundColor"], json::array({0.141176, 0.439216, 0.847059, 1}));
}

TEST(ViewTreeDump, ColoursAreFourNumbers) {
    EXPECT_EQ(ViewTreeDump::colour(UIColor::whiteColor()), json::array({1, 1, 1, 1}));
    EXPECT_EQ(ViewTreeDump::colour(UIColor::clearColor()), json::array({0, 0, 0, 0}));
    EXPECT_TRUE(ViewTreeDump::colour(nullptr).is_null());
    auto label = UILabel::withFrame(CGRectZero);
    label->setTextColor(nullptr);
    json d = ViewTreeDump::describe(label);
    EXPECT_TRUE(d["textColor"].is_null());
    EXPECT_TRUE(d["text"].is_null());
    EXPECT_TRUE(ViewTreeDump::describe(nullptr).is_null());
}

TEST(ViewTreeDump, WritesAFileThatReadsBack) {
    auto root = UIView::withFrame(CGRectMake(0, 0, 10, 10));
    auto label = UILabel::withFrame(CGRectZero);
    // Text that is not valid UTF-8 is written replaced, not refused.
    label->setText(NSString::from("caf\xc3\xa9 \xff"));
    root->addSubview(label);
    auto path = std::filesystem::temp_directory_path() / ("korvel-dump-" + std::to_string(getpid()) + ".json");
    ASSERT_TRUE(ViewTreeDump::write({{"window", ViewTreeDump::describe(root)}}, path.string()));
    std::ifstream file(path);
    json back = json::parse(file);
    std::filesystem::remove(path);
    EXPECT_EQ(back["window"]["subviews"][0]["text"], "caf\xc3\xa9 \xef\xbf\xbd");
    EXPECT_FALSE(ViewTreeDump::write(back, "/nonexistent-folder/dump.json"));
}
