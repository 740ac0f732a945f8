// The Korvel program run headless by a touch script on a device of its own:
// the colour it saves is read back with Python's plistlib, and the stand-in
// Mail, started afterwards with the hook, shows it.
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "ProgramDevice.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const char* const kLabelPreferences = "var/mobile/Library/Preferences/com.Brisval.Korvel.plist";

// Where a drag on the picker ends: on the map (hue and saturation) and on
// the brightness strip below it, in screen points. The picker covers the
// screen, so these are its own coordinates too.
struct Pick {
    double mapX, mapY, stripX;
};

class DemoPrograms : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(device / "Applications");
        fs::copy(KORVEL_APP_BUNDLE, device / "Applications/Korvel.app", fs::copy_options::recursive);
        fs::path injected = device / "Library/MobileSubstrate/DynamicLibraries";
        fs::create_directories(injected);
        fs::copy_file(KORVEL_HOOK_LIBRARY, injected / "korvelhook.dylib");
        fs::copy_file(KORVEL_SOURCE_DIR "/hook/korvelhook.plist", injected / "korvelhook.plist");
        fs::create_directories(device / "var/mobile");
        fs::create_directory_symlink("var/mobile", device / "User");
        program.writePlist("var/mobile/Library/Preferences/com.apple.accountsettings.plist", R"(<dict><key>Accounts</key><array>
            <dict><key>Username</key><string>Home@Example.com</string></dict>
            <dict><key>Username</key><string>work</string>
                  <key>EmailAddresses</key><array><string>Work@Example.com</string></array></dict>
          </array></dict>)");
        program.writePlist("var/mobile/Library/Mail/Mailbox.plist", R"(<dict>
          <key>Accounts</key><array>
            <dict><key>Address</key><string>home@example.com</string></dict>
            <dict><key>Address</key><string>WORK@example.com</string></dict>
          </array>
          <key>Messages</key><array>
            <dict><key>Account</key><string>home@example.com</string><key>Subject</key><string>home-1</string>
                  <key>Date</key><date>2026-03-04T00:00:00Z</date></dict>
            <dict><key>Account</key><string>WORK@example.com</string><key>Subject</key><string>work-1</string>
                  <key>Date</key><date>2026-03-03T00:00:00Z</date></dict>
            <dict><key>Account</key><string>home@example.com</string><key>Subject</key><string>home-2</string>
                  <key>Date</key><date>2026-03-02T00:00:00Z</date></dict>
            <dict><key>Account</key><string>WORK@example.com</string><key>Subject</key><string>work-2</string>
                  <key>Date</key><date>2026-03-01T00:00:00Z</date></dict>
          </array></dict>)");
        // A label on every row, the style the Mail test reads back.
        program.writePlist(kLabelPreferences, R"(<dict><key>mail_label_style</key><integer>3</integer></dict>)");
    }

    // Korvel opens the picker on the account list's second row (the second
    // account), drags on the map and on the strip, takes a screenshot and
    // saves.
    int pickAndSave(const Pick& pick) {
        std::ofstream(device / "pick.script") << "tap 160 132\nwait 1\n"
                                              << "down 200 350\nmove 150 300\nmove " << pick.mapX << " " << pick.mapY
                                              << "\nup\nwait 1\n"
                                              << "down 250 452\nmove 150 452\nmove " << pick.stripX << " 452\nup\n"
                                              << "wait 1\nshot " << (device / "picker.png").string() << "\n"
                                              << "tap 240 145\nwait 1\n";
        return program.run(KORVEL_KORVEL, "--script " + (device / "pick.script").string());
    }

    // What Python's plistlib reads under `key` in the label preferences,
    // next to what its colorsys makes of the pick as the picker maps it:
    // hue across the 298-point map from x 11, saturation up its 257 points
    // from y 427, brightness 1.05 less the strip's x over its 300 points;
    // a colour's components are 0 to 1 once the platform has made it.
    json readBack(const std::string& key, const Pick& pick) {
        std::ostringstream script;
        script << "import colorsys, json, plistlib, sys\n"
               << "record = plistlib.load(open(sys.argv[1], 'rb')).get(sys.argv[2])\n"
               << "h, s, v = (" << pick.mapX << " - 11) / 298, (427 - " << pick.mapY << ") / 257, 1.05 - "
               << pick.stripX << " / 300\n"
               << "rgb = [min(1.0, c) for c in colorsys.hsv_to_rgb(h, s, v)]\n"
               << "print(json.dumps({'record': record, 'expected': rgb}))\n";
        std::ofstream(device / "read.py") << script.str();
        std::string command = "python3 " + (device / "read.py").string() + " " +
                              (device / kLabelPreferences).string() + " " + key;
        std::string out;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[512];
            while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
            ::pclose(pipe);
        }
        return json::parse(out, nullptr, false);
    }

    std::string errors() const { return program.errors(); }

    ProgramDevice program{"demo"};
    const fs::path device = program.root();
};

// The preview's pixel on the picker's screenshot, as red, green, blue bytes.
std::vector<int> previewPixel(const fs::path& png) {
    cairo_surface_t* image = cairo_image_surface_create_from_png(png.c_str());
    std::vector<int> rgb;
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(image);
        const unsigned char* row = cairo_image_surface_get_data(image) + 75 * cairo_image_surface_get_stride(image);
        auto argb = reinterpret_cast<const std::uint32_t*>(row)[55];
        rgb = {int(argb >> 16 & 0xff), int(argb >> 8 & 0xff), int(argb & 0xff)};
    }
    cairo_surface_destroy(image);
    return rgb;
}

TEST_F(DemoPrograms, ThePickersSaveWritesTheColourOfTheDragsForTheRowsAddress) {
    // An orange, and a drag to the strip's lightest end, whose brightness
    // of more than 1 gives a component of 1.
    for (const Pick& pick : {Pick{35, 200, 60}, Pick{250, 300, 12}}) {
        SCOPED_TRACE(pick.stripX);
        ASSERT_EQ(pickAndSave(pick), 0) << errors();
        json read = readBack("work@example.com", pick);
        ASSERT_TRUE(read.is_object()) << errors();
        const json& record = read["record"];
        ASSERT_TRUE(record.is_object()) << read.dump();
        const char* names[] = {"red", "green", "blue"};
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(record[names[i]].get<double>(), read["expected"][i].get<double>(), 1e-5) << names[i];
        EXPECT_EQ(record["alpha"], 1.0);

        // The screenshot was taken before the save, with the pick previewed.
        std::vector<int> shown = previewPixel(device / "picker.png");
        ASSERT_EQ(shown.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(shown[i], read["expected"][i].get<double>() * 255, 1.5) << names[i];
        }
    }
    // The other account has no record; the file keeps what else it held.
    json other = readBack("home@example.com", {35, 200, 60});
    EXPECT_TRUE(other["record"].is_null()) << other.dump();
    EXPECT_EQ(readBack("mail_label_style", {35, 200, 60})["record"], 3);
}

// Two processes meet in the label preferences only: Mail, started after
// Korvel saved, labels the rows of that account in the saved colour.
TEST_F(DemoPrograms, MailStartedAfterTheSaveShowsTheColourOnThatAccountsRowsOnly) {
    const Pick pick{35, 200, 60};
    ASSERT_EQ(pickAndSave(pick), 0) << errors();
    json expected = readBack("work@example.com", pick)["record"];
    ASSERT_TRUE(expected.is_object());

    ASSERT_EQ(program.run(KORVEL_MOBILEMAIL, "--dump " + (device / "mail.json").string()), 0) << errors();
    std::vector<json> rows = ProgramDevice::views(program.readDump("mail.json")["window"], "MailboxContentViewCell");
    ASSERT_EQ(rows.size(), 4u) << errors();

    std::function<bool(const json&, const std::string&)> mentions = [&](const json& view, const std::string& text) {
        if (view.value("text", "") == text) return true;
        for (const json& sub : view.value("subviews", json::array()))
            if (mentions(sub, text)) return true;
        return false;
    };
    const json saved = {expected["red"], expected["green"], expected["blue"], expected["alpha"]};
    const json white = {1.0, 1.0, 1.0, 1.0};
    // Newest first.
    const char* subjects[] = {"home-1", "work-1", "home-2", "work-2"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(subjects[i]);
        EXPECT_TRUE(mentions(rows[i], subjects[i]));
        const json* label = nullptr;
        for (const json& sub : rows[i]["subviews"])
            if (sub.value("tag", 0) == 333) label = &sub;
        ASSERT_NE(label, nullptr);
        const json& shown = (*label)["backgroundColor"];
        const json& want = i % 2 ? saved : white;
        ASSERT_EQ(shown.size(), 4u);
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(shown[c].get<double>(), want[c].get<double>(), 1e-6) << c;
    }
}


// Where views stand on screen, from a dump: each view's frame is in its
// superview's content, which a scroll view shifts by its content offset.
struct Placed {
    json view;
    double x, y, width, height;
    double midX() const { return x + width / 2; }
    double midY() const { return y + height / 2; }
};

void place(const json& view, double x, double y, std::vector<Placed>& out) {
    const json& f = view["frame"];
    const double left = x + f[0].get<double>(), top = y + f[1].get<double>();
    out.push_back({view, left, top, f[2].get<double>(), f[3].get<double>()});
    double dx = 0, dy = 0;
    if (view.contains("contentOffset")) dx = view["contentOffset"][0].get<double>(), dy = view["contentOffset"][1].get<double>();
    for (const json& sub : view.value("subviews", json::array())) place(sub, left - dx, top - dy, out);
}

// The views on screen whose class is `className` and which hold, themselves
// or below, a view with the text `text` ("" for any); last drawn last.
std::vector<Placed> find(const json& dump, const std::string& className, const std::string& text = "") {
    std::vector<Placed> all, found;
    place(dump["window"], 0, 0, all);
    std::function<bool(const json&)> holds = [&](const json& view) {
        if (view.value("text", json()).is_string() && view["text"] == text) return true;
        for (const json& sub : view.value("subviews", json::array()))
            if (holds(sub)) return true;
        return false;
    };
    for (const Placed& p : all)
        if (p.view["class"] == className && !p.view["hidden"].get<bool>() && (text.empty() || holds(p.view)))
            found.push_back(p);
    return found;
}

// A person's way through the settings screen, by script: the gear, the
// style row, the date-background style, back, the sender switch, Done. Each
// place to tap is read from a dump of the screen as the steps before leave it.
TEST_F(DemoPrograms, StylesAndOptionsChosenOnTheSettingsScreenReachMailStartedAfterwards) {
    program.writePlist(kLabelPreferences, R"(<dict>
        <key>home@example.com</key><dict><key>red</key><real>1</real><key>green</key><real>0</real>
            <key>blue</key><real>0</real><key>alpha</key><real>1</real></dict>
        <key>friend@example.org</key><dict><key>red</key><real>0</real><key>green</key><real>0.5</real>
            <key>blue</key><real>1</real><key>alpha</key><real>1</real></dict></dict>)");
    program.writePlist("var/mobile/Library/Mail/Mailbox.plist", R"(<dict>
        <key>Accounts</key><array><dict><key>Address</key><string>home@example.com</string></dict></array>
        <key>Messages</key><array>
          <dict><key>Account</key><string>home@example.com</string><key>Subject</key><string>hello</string>
                <key>From</key><array><string>A Friend &lt;Friend@Example.org&gt;</string></array>
                <key>Date</key><date>2026-03-04T00:00:00Z</date></dict>
        </array></dict>)");
    std::string steps;
    auto run = [&](const std::string& more) {
        steps += more;
        std::ofstream(device / "settings.script") << steps << "wait 1\ndump " << (device / "step.json").string() << "\n";
        EXPECT_EQ(program.run(KORVEL_KORVEL, "--script " + (device / "settings.script").string()), 0) << errors();
        return program.readDump("step.json");
    };
    auto tapOn = [](const Placed& p) { return "tap " + std::to_string(p.midX()) + " " + std::to_string(p.midY()) + "\n"; };

    json start = run("");
    std::vector<Placed> buttons = find(start, "UINavigationButton");
    ASSERT_FALSE(buttons.empty());
    const Placed gear = *std::max_element(buttons.begin(), buttons.end(),
                                          [](const Placed& a, const Placed& b) { return a.x < b.x; });
    json settings = run(tapOn(gear) + "wait 1\n");
    ASSERT_EQ(settings["modalScreens"].size(), 1u) << settings["modalScreens"].dump();
    std::vector<Placed> style = find(settings, "QLTPSTitleValueSpecifierViewCell", "Style");
    ASSERT_EQ(style.size(), 1u);
    json chooser = run(tapOn(style[0]) + "wait 1\n");
    std::vector<Placed> choice = find(chooser, "UITableViewCell", "Date background");
    ASSERT_EQ(choice.size(), 1u);
    // The bar's only button: back to the settings screen.
    std::vector<Placed> back = find(chooser, "UINavigationButton");
    ASSERT_EQ(back.size(), 1u);
    json chosen = run(tapOn(choice[0]) + "wait 1\n" + tapOn(back[0]) + "wait 1\n");
    std::vector<Placed> bySender = find(chosen, "QLTPSToggleSwitchSpecifierViewCell", "Colour by sender");
    ASSERT_EQ(bySender.size(), 1u);
    std::vector<Placed> switches = find(chosen, "QLTSwitch");
    auto inRow = std::find_if(switches.begin(), switches.end(), [&](const Placed& p) {
        return p.midY() > bySender[0].y && p.midY() < bySender[0].y + bySender[0].height;
    });
    ASSERT_NE(inRow, switches.end());
    const Placed switchOnScreen = *inRow;
    std::vector<Placed> done = find(chosen, "UINavigationButton", "Done");
    ASSERT_EQ(done.size(), 1u);
    json closed = run(tapOn(switchOnScreen) + "wait 1\n" + tapOn(done[0]) + "wait 1\n");
    EXPECT_TRUE(closed["modalScreens"].empty());
    EXPECT_EQ(readBack("mail_label_style", {0, 0, 0})["record"], 5);
    EXPECT_EQ(readBack("main_mailbox_color_aliases", {0, 0, 0})["record"], 1);

    ASSERT_EQ(program.run(KORVEL_MOBILEMAIL, "--dump " + (device / "mail.json").string()), 0) << errors();
    std::vector<json> rows = ProgramDevice::views(program.readDump("mail.json")["window"], "MailboxContentViewCell");
    ASSERT_EQ(rows.size(), 1u);
    // The date-background style: a rounded view behind the date in the
    // sender's colour (not the account's), and the row's own label white.
    std::vector<json> backgrounds;
    std::function<void(const json&)> collect = [&](const json& view) {
        if (view["cornerRadius"] == 3) backgrounds.push_back(view);
        for (const json& sub : view.value("subviews", json::array())) collect(sub);
    };
    collect(rows[0]);
    ASSERT_EQ(backgrounds.size(), 1u);
    EXPECT_EQ(backgrounds[0]["backgroundColor"], json({0.0, 0.5, 1.0, 1.0}));
    EXPECT_NEAR(backgrounds[0]["alpha"].get<double>(), 0.3, 1e-6);
    std::vector<json> labels;
    for (const json& sub : rows[0]["subviews"])
        if (sub.value("tag", 0) == 333) labels.push_back(sub);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0]["backgroundColor"], json({1.0, 1.0, 1.0, 1.0}));
}

}  // namespace
