// The Korvel program run headless in a device folder of its own, driven by a
// touch script; what it shows is read from its dump and what it saved from
// the label preferences on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "ProgramDevice.h"
#include "objc/ClassBuilder.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

class KorvelProgram : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(device / "Applications");
        fs::create_directory_symlink(KORVEL_BINARY_DIR "/Korvel.app", device / "Applications/Korvel.app");
        fs::path preferences = device / "var/mobile/Library/Preferences";
        fs::create_directories(preferences);
        std::ofstream(preferences / "com.apple.accountsettings.plist")
            << R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict><key>Accounts</key><array>
                 <dict><key>Username</key><string>Anna@Example.ORG</string></dict>
                 <dict><key>Username</key><string>anna</string><key>EmailAddresses</key>
                       <array><string>Work@Example.ORG</string></array></dict>
               </array></dict></plist>)";
    }

    // Runs Korvel with `script`; answers its exit status and leaves its dump
    // in `dump`.
    int run(const std::string& script) {
        std::ofstream(device / "script.txt") << script;
        int status = program.run(KORVEL_PROGRAM, "--script " + (device / "script.txt").string() + " --dump " +
                                                     (device / "dump.json").string());
        dump = program.readDump("dump.json");
        return status;
    }

    std::vector<json> views(const std::string& className) const { return ProgramDevice::views(dump["window"], className); }
    // Each row's address and tint, in order.
    std::vector<std::pair<std::string, json>> rows() const {
        std::vector<std::pair<std::string, json>> shown;
        for (const json& cell : views("ExampleCell")) {
            const json& content = cell["subviews"][0];
            std::vector<json> labels = ProgramDevice::views(content, "UILabel");
            shown.emplace_back(labels.empty() ? "" : labels[0].value("text", ""), content["backgroundColor"]);
        }
        return shown;
    }

    ProgramDevice program{"program"};
    const fs::path device = program.root();
    json dump;
};

}  // namespace

TEST_F(KorvelProgram, StartsOnTheAccountListWithTheHintInTheToolbar) {
    ASSERT_EQ(run("wait 0.5\n"), 0);
    ASSERT_EQ(dump["navigationStack"].size(), 1u);
    EXPECT_EQ(dump["navigationStack"][0]["class"], "RootViewController");
    EXPECT_EQ(dump["navigationStack"][0]["title"], "Korvel");
    std::vector<json> toolbars = views("UIToolbar");
    ASSERT_EQ(toolbars.size(), 1u);
    EXPECT_EQ(toolbars[0]["frame"], json({0.0, 436.0, 320.0, 44.0}));
    std::vector<json> hint = ProgramDevice::views(toolbars[0], "UILabel");
    ASSERT_EQ(hint.size(), 1u);
    EXPECT_EQ(hint[0]["text"], "Click Email to Choose a Color Label");
    EXPECT_EQ(hint[0]["frame"], json({0.0, 11.0, 320.0, 21.0}));
    using Row = std::pair<std::string, json>;
    const json white = {1.0, 1.0, 1.0, 1.0};
    EXPECT_EQ(rows(), (std::vector<Row>{{"anna@example.org", white}, {"work@example.org", white}}));
}

TEST_F(KorvelProgram, APickedColourIsSavedForTheTappedAccountAndTintsItsRow) {
    // The second row, then the map's top left corner (full red at half
    // brightness), then Save.
    ASSERT_EQ(run("tap 160 110\nwait 1\ntap 11 170\ntap 240 145\nwait 1\n"), 0);
    EXPECT_TRUE(dump["modalScreens"].empty());
    std::vector<std::pair<std::string, json>> shown = rows();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].second, json({1.0, 1.0, 1.0, 1.0}));
    EXPECT_EQ(shown[1].first, "work@example.org");
    Ref<NSDictionary> saved = NSDictionary::dictionaryWithContentsOfFile(
        NSString::from((device / "var/mobile/Library/Preferences/com.Brisval.Korvel.plist").string()));
    ASSERT_NE(saved, nullptr);
    auto* record = objc::cast<NSDictionary>(saved->objectForKey("work@example.org"_ns));
    ASSERT_NE(record, nullptr);
    std::vector<double> stored;
    for (const char* key : {"red", "green", "blue", "alpha"})
        stored.push_back(objc::cast<NSNumber>(record->objectForKey(NSString::from(key)))->floatValue());
    EXPECT_NEAR(stored[0], 0.5, 0.01);
    EXPECT_EQ(stored[1], 0);
    EXPECT_EQ(stored[3], 1);
    // The row shows what was saved (the dump rounds to two places).
    ASSERT_EQ(shown[1].second.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(shown[1].second[i].get<double>(), stored[i], 0.005) << i;
    EXPECT_EQ(saved->objectForKey("anna@example.org"_ns), nullptr);
}
