#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "Device/TouchScript.h"

namespace {

std::string faultOf(const std::string& text) {
    std::string error;
    EXPECT_FALSE(TouchScript::parse(text, "s.txt", error)) << text;
    return error;
}

}  // namespace

TEST(TouchScript, ReadsEveryCommandSkippingBlanksAndComments) {
    std::string error;
    auto script = TouchScript::parse(
        "# a comment\n"
        "\n"
        "  tap 10 20.5\r\n"
        "down 1 2\n"
        "move -3 400\n"
        "up\n"
        "wait 0.25\n"
        "type Hello, world #1 \n"
        "key return\n"
        "key backspace\n"
        "background\n"
        "foreground\n"
        "shot out dir/a.png\n"
        "dump b.json\n"
        "terminate\n",
        "s.txt", error);
    ASSERT_TRUE(script) << error;
    const auto& c = script->commands();
    ASSERT_EQ(c.size(), 13u);
    EXPECT_EQ(c[0].op, TouchScript::Op::Tap);
    EXPECT_EQ(c[0].line, 3);
    EXPECT_FLOAT_EQ(c[0].point.x, 10);
    EXPECT_FLOAT_EQ(c[0].point.y, 20.5f);
    EXPECT_EQ(c[2].op, TouchScript::Op::Move);
    EXPECT_FLOAT_EQ(c[2].point.x, -3);
    EXPECT_EQ(c[3].op, TouchScript::Op::Up);
    EXPECT_EQ(c[4].op, TouchScript::Op::Wait);
    EXPECT_DOUBLE_EQ(c[4].seconds, 0.25);
    EXPECT_EQ(c[5].op, TouchScript::Op::Type);
    EXPECT_EQ(c[5].text, "Hello, world #1");
    EXPECT_EQ(c[6].key, TouchScript::Key::Return);
    EXPECT_EQ(c[7].key, TouchScript::Key::Backspace);
    EXPECT_EQ(c[8].op, TouchScript::Op::Background);
    EXPECT_EQ(c[9].op, TouchScript::Op::Foreground);
    EXPECT_EQ(c[10].op, TouchScript::Op::Shot);
    EXPECT_EQ(c[10].text, "out dir/a.png");
    EXPECT_EQ(c[11].text, "b.json");
    EXPECT_EQ(c[12].op, TouchScript::Op::Terminate);
    EXPECT_EQ(c[12].line, 15);

    auto turns = TouchScript::parse("rotate left\nrotate right\nrotate portrait\n", "s.txt", error);
    ASSERT_TRUE(turns) << error;
    ASSERT_EQ(turns->commands().size(), 3u);
    EXPECT_EQ(turns->commands()[0].op, TouchScript::Op::Rotate);
    EXPECT_EQ(turns->commands()[0].turn, TouchScript::Turn::Left);
    EXPECT_EQ(turns->commands()[1].turn, TouchScript::Turn::Right);
    EXPECT_EQ(turns->commands()[2].turn, TouchScript::Turn::Portrait);
}

TEST(TouchScript, BadLinesAreReportedWithTheirNumber) {
    EXPECT_EQ(faultOf("tap 1 2\njump 3\n"), "s.txt:2: unknown command 'jump'");
    EXPECT_EQ(faultOf("tap 1\n"), "s.txt:1: tap takes two numbers, X and Y");
    EXPECT_EQ(faultOf("tap 1 2 3\n"), "s.txt:1: tap takes two numbers, X and Y");
    EXPECT_EQ(faultOf("tap 1 two\n"), "s.txt:1: Y is not a number: 'two'");
    EXPECT_EQ(faultOf("tap 1x 2\n"), "s.txt:1: X is not a number: '1x'");
    EXPECT_EQ(faultOf("tap nan 2\n"), "s.txt:1: X is not a number: 'nan'");
    EXPECT_EQ(faultOf("tap 1e300 2\n"), "s.txt:1: the point is out of range");
    EXPECT_EQ(faultOf("wait\n"), "s.txt:1: wait takes one number of seconds");
    EXPECT_EQ(faultOf("wait -1\n"), "s.txt:1: wait takes 0 to 86400 seconds");
    EXPECT_EQ(faultOf("wait inf\n"), "s.txt:1: SECONDS is not a number: 'inf'");
    EXPECT_EQ(faultOf("type\n"), "s.txt:1: type needs the text to type");
    EXPECT_EQ(faultOf("type \xff\xfe\n"), "s.txt:1: the text is not valid UTF-8");
    EXPECT_EQ(faultOf("key enter\n"), "s.txt:1: key takes return or backspace");
    EXPECT_EQ(faultOf("up now\n"), "s.txt:1: up takes no arguments");
    EXPECT_EQ(faultOf("shot\n"), "s.txt:1: shot needs a file name");
    EXPECT_EQ(faultOf("TAP 1 2\n"), "s.txt:1: unknown command 'TAP'");
    EXPECT_EQ(faultOf("rotate\n"), "s.txt:1: rotate takes left, right or portrait");
    EXPECT_EQ(faultOf("rotate upside-down\n"), "s.txt:1: rotate takes left, right or portrait");
}

TEST(TouchScript, TheOrderOfThingsIsCheckedBeforeAnythingRuns) {
    EXPECT_EQ(faultOf("move 1 2\n"), "s.txt:1: move without a finger down");
    EXPECT_EQ(faultOf("up\n"), "s.txt:1: up without a finger down");
    EXPECT_EQ(faultOf("down 1 2\ntap 3 4\n"), "s.txt:2: the finger is already down (line 1)");
    EXPECT_EQ(faultOf("down 1 2\nwait 1\n"), "s.txt: the script ends with the finger down (line 1)");
    EXPECT_EQ(faultOf("down 1 2\nbackground\n"), "s.txt:2: background with the finger down (line 1)");
    EXPECT_EQ(faultOf("background\ntap 1 2\n"), "s.txt:2: tap while the app is in the background");
    EXPECT_EQ(faultOf("background\nbackground\n"), "s.txt:2: the app is already in the background");
    EXPECT_EQ(faultOf("foreground\n"), "s.txt:1: the app is not in the background");
    EXPECT_EQ(faultOf("background\nrotate left\n"), "s.txt:2: rotate while the app is in the background");
    EXPECT_EQ(faultOf("terminate\n\n# done\nshot a.png\n"), "s.txt:4: the app has terminated (line 1)");

    std::string error;
    EXPECT_TRUE(TouchScript::parse("background\nwait 1\nforeground\ntap 1 2\n", "s.txt", error)) << error;
    EXPECT_TRUE(TouchScript::parse("", "s.txt", error));
}

TEST(TouchScript, LoadingReadsTheFileOrSaysWhyNot) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("korvel-script-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "ok.txt") << "tap 5 6\nwait 1";
    std::ofstream(dir / "bad.txt") << "tap 5 6\nwiat 1\n";

    std::string error;
    auto ok = TouchScript::load((dir / "ok.txt").string(), error);
    ASSERT_TRUE(ok) << error;
    EXPECT_EQ(ok->commands().size(), 2u);
    EXPECT_FALSE(TouchScript::load((dir / "bad.txt").string(), error));
    EXPECT_EQ(error, (dir / "bad.txt").string() + ":2: unknown command 'wiat'");
    EXPECT_FALSE(TouchScript::load((dir / "missing.txt").string(), error));
    EXPECT_EQ(error, "cannot read the script " + (dir / "missing.txt").string());
    EXPECT_FALSE(TouchScript::load(dir.string(), error));
    fs::remove_all(dir);
}
