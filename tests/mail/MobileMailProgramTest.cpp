// The MobileMail program run headless on a device with the hook installed:
// what it shows is read back from its view-tree dump.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>

#include "ProgramDevice.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

class MobileMailProgram : public ::testing::Test {
protected:
    void SetUp() override {
        fs::path injected = device / "Library/MobileSubstrate/DynamicLibraries";
        fs::create_directories(injected);
        fs::copy_file(KORVEL_HOOK_LIBRARY, injected / "korvelhook.dylib");
        fs::copy_file(KORVEL_SOURCE_DIR "/hook/korvelhook.plist", injected / "korvelhook.plist");
        program.writePlist("var/mobile/Library/Mail/Mailbox.plist", R"(<dict>
          <key>Accounts</key><array>
            <dict><key>Address</key><string>Home@Example.com</string><key>DisplayName</key><string>Home</string></dict>
            <dict><key>Address</key><string>work@example.com</string><key>DisplayName</key><string>Work</string></dict>
          </array>
          <key>Messages</key><array>
            <dict><key>Account</key><string>Home@Example.com</string><key>From</key><array><string>Bob &lt;bob@example.net&gt;</string></array>
                  <key>Subject</key><string>one</string><key>Date</key><date>2026-03-03T00:00:00Z</date></dict>
            <dict><key>Account</key><string>work@example.com</string><key>From</key><array><string>carol@example.org</string></array>
                  <key>Subject</key><string>two</string><key>Date</key><date>2026-03-02T00:00:00Z</date></dict>
            <dict><key>Account</key><string>Home@Example.com</string><key>Subject</key><string>three</string>
                  <key>Date</key><date>2026-03-01T00:00:00Z</date></dict>
          </array></dict>)");
        program.writePlist("var/mobile/Library/Preferences/com.Brisval.Korvel.plist", R"(<dict>
          <key>mail_label_style</key><integer>3</integer>
          <key>main_mailbox_color_lbl</key><true/>
          <key>home@example.com</key><dict><key>red</key><real>0.5</real><key>green</key><real>0.25</real>
            <key>blue</key><real>1</real><key>alpha</key><real>1</real></dict></dict>)");
    }

    // Runs MobileMail headless with `arguments`; answers its exit status and
    // leaves its dump in `dump`.
    int run(const std::string& arguments) {
        int status = program.run(KORVEL_MOBILEMAIL, "--dump " + (device / "dump.json").string() + " " + arguments);
        dump = program.readDump("dump.json");
        return status;
    }

    std::vector<json> views(const std::string& className) const { return ProgramDevice::views(dump["window"], className); }
    static const json* withTag(const json& view, int tag) {
        for (const json& sub : view["subviews"])
            if (sub.value("tag", 0) == tag) return &sub;
        return nullptr;
    }
    static std::string textOf(const json& view) {
        std::string all;
        for (const json& label : ProgramDevice::views(view, "UILabel")) all += label.value("text", "") + "|";
        return all;
    }

    ProgramDevice program{"mobilemail"};
    const fs::path device = program.root();
    json dump;
};

}  // namespace

TEST_F(MobileMailProgram, RowsShowTheHooksLabelsInTheStoredColours) {
    ASSERT_EQ(run(""), 0);
    std::vector<json> rows = views("MailboxContentViewCell");
    ASSERT_EQ(rows.size(), 3u);
    const json* labels[] = {nullptr, nullptr, nullptr};
    for (int i = 0; i < 3; ++i) {
        const json* label = withTag(rows[i], 333);
        ASSERT_NE(label, nullptr) << i;
        EXPECT_EQ((*label)["frame"], json({300.0, 9.0, 10.0, 10.0}));
        EXPECT_EQ((*label)["cornerRadius"], 6.0);
        labels[i] = label;
    }
    // Newest first: "one" (Home), "two" (Work), "three" (Home).
    EXPECT_NE(textOf(rows[0]).find("one"), std::string::npos);
    EXPECT_EQ((*labels[0])["backgroundColor"], json({0.5, 0.25, 1.0, 1.0}));
    EXPECT_EQ((*labels[1])["backgroundColor"], json({1.0, 1.0, 1.0, 1.0}));
    EXPECT_EQ((*labels[2])["backgroundColor"], json({0.5, 0.25, 1.0, 1.0}));
}

TEST_F(MobileMailProgram, MailboxListShowsAccountNamesInTheirColours) {
    ASSERT_EQ(run("--list mailboxes"), 0);
    std::vector<json> cells = views("MailboxPickerAccountCell");
    ASSERT_EQ(cells.size(), 2u);
    std::vector<json> labels = ProgramDevice::views(cells[0], "UILabel");
    auto name = std::find_if(labels.begin(), labels.end(), [](const json& l) { return l.value("text", "") == "Home"; });
    ASSERT_NE(name, labels.end());
    EXPECT_EQ((*name)["textColor"], json({0.5, 0.25, 1.0, 1.0}));
    labels = ProgramDevice::views(cells[1], "UILabel");
    name = std::find_if(labels.begin(), labels.end(), [](const json& l) { return l.value("text", "") == "Work"; });
    ASSERT_NE(name, labels.end());
    EXPECT_EQ((*name)["textColor"], json({0.0, 0.0, 0.0, 1.0}));
}

TEST_F(MobileMailProgram, ATapOnTheTitleBarSwitchesLists) {
    std::ofstream(device / "switch.script") << "tap 160 22\nwait 0.5\n";
    ASSERT_EQ(run("--script " + (device / "switch.script").string()), 0);
    std::vector<json> tables = views("UITableView");
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_TRUE(tables[0]["hidden"].get<bool>());   // the message list
    EXPECT_FALSE(tables[1]["hidden"].get<bool>());  // the mailbox list
}

TEST_F(MobileMailProgram, ALibraryThatFailsToLoadIsReportedAndMailRunsOn) {
    fs::path injected = device / "Library/MobileSubstrate/DynamicLibraries";
    std::ofstream(injected / "aaa-broken.dylib") << "not a library";
    fs::copy_file(injected / "korvelhook.plist", injected / "aaa-broken.plist");
    ASSERT_EQ(run(""), 0);
    std::ifstream errors(device / "stderr.txt");
    std::string text((std::istreambuf_iterator<char>(errors)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("aaa-broken.dylib"), std::string::npos) << text;
    std::vector<json> rows = views("MailboxContentViewCell");
    ASSERT_FALSE(rows.empty());
    EXPECT_NE(withTag(rows[0], 333), nullptr);  // the hook still loaded after the broken one
}

TEST_F(MobileMailProgram, WithoutTheHookRowsHaveNoLabel) {
    fs::remove(device / "Library/MobileSubstrate/DynamicLibraries/korvelhook.plist");
    ASSERT_EQ(run(""), 0);
    std::vector<json> rows = views("MailboxContentViewCell");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(withTag(rows[0], 333), nullptr);
}
