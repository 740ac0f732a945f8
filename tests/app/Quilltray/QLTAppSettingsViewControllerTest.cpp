// The settings screen and its chooser, running in an app whose bundle holds
// the kit's interface files and a settings file of the test's own: the rows
// each kind of entry gives, what the controls and the chooser write and
// announce, and when the store reaches the disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSNotification.h"
#include "Foundation/NSNotificationCenter.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSObjectAdditions.h"
#include "Foundation/NSUserDefaults.h"
#include "Quilltray/Controllers/QLTAppSettingsViewController.h"
#include "Quilltray/Controllers/QLTSettingsDelegate.h"
#include "Quilltray/Controllers/QLTSpecifierValuesViewController.h"
#include "Quilltray/Views/QLTPSToggleSwitchSpecifierViewCell.h"
#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UIFont.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UINib.h"
#include "UIKit/UITableView.h"
#include "app/Quilltray/SettingsDevice.h"
#include "objc/ClassBuilder.h"
#include "platform/UIKit/AppFixture.h"

namespace {

constexpr const char* kPreferences = "/var/mobile/Library/Preferences/com.Brisval.Korvel.plist";

// Hears the end report, as the account list does.
class EndListener : public NSObject {
    KORVEL_OBJC_CLASS(EndListener)
public:
    void didEnd(QLTAppSettingsViewController*) { ++ends; }
    int ends = 0;
};

Class EndListener::class_() {
    static Class cls = objc::ClassBuilder<EndListener>("QuilltrayTestEndListener", NSObject::class_())
                           .method<&EndListener::didEnd>(QLTSettingsDelegate::kDidEnd)
                           .protocol(QLTSettingsDelegate::kName)
                           .build();
    return cls;
}

using Entry = std::initializer_list<std::string>;

class SettingsScreen : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        for (const auto& file : std::filesystem::directory_iterator(KORVEL_BINARY_DIR "/Korvel.app"))
            if (file.path().extension() == ".nib") device.write(file.path().filename().string(), read(file.path()));
        device.write("Info.plist", SettingsDevice::plist("<dict><key>CFBundleIdentifier</key>"
                                                         "<string>com.Brisval.Korvel</string></dict>"));
        NSUserDefaults::resetStandardUserDefaults();
        announcements = NSNotificationCenter::defaultCenter()->addObserverForName(
            NSString::from(QLTAppSettingsViewController::kAppSettingChanged), nullptr, [this](NSNotification* n) {
                auto* key = objc::cast<NSString>(n->object());
                NSObject* value = n->userInfo() && key ? n->userInfo()->objectForKey(key) : nullptr;
                heard.push_back({key ? key->str() : "", value});
            });
        home = make<UIViewController>();
        home->init();
        window->addSubview(home->view());
    }
    void TearDown() override {
        NSNotificationCenter::defaultCenter()->removeObserver(announcements);
        AppFixture::TearDown();
        navigation = nullptr;
        screen = nullptr;
        home = nullptr;
    }
    static std::string read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Writes the settings file of `entries` and shows the screen over it, in
    // a navigation stack, as the account list does.
    void open(std::initializer_list<Entry> entries) {
        std::string xml;
        for (const Entry& e : entries) xml += SettingsDevice::entry(e);
        device.write("Settings.bundle/Root.plist", SettingsDevice::settings(xml));
        screen = make<QLTAppSettingsViewController>();
        screen->initWithNibName("QLTAppSettingsView"_ns, nullptr);
        screen->setDelegate(listener);
        show();
    }
    void show() {
        navigation = make<UINavigationController>();
        navigation->initWithRootViewController(screen);
        home->presentModalViewController(navigation, false);
        Clock::advance(1);
        window->layoutIfNeeded();
    }
    UITableView* table() const { return screen->tableView(); }
    UITableViewCell* cell(NSInteger section, NSInteger row) const {
        window->layoutIfNeeded();
        return table()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, section));
    }
    CGRect onScreen(UIView* view) const { return view->convertRectToView(view->bounds(), nullptr); }
    void tapAt(CGRect r, CGFloat x = -1) {
        tap(x < 0 ? CGRectGetMidX(r) : r.origin.x + x, CGRectGetMidY(r));
        Clock::advance(1);
    }
    void tapSwitch(NSInteger section, NSInteger row) {
        tapAt(onScreen(objc::cast<QLTPSToggleSwitchSpecifierViewCell>(cell(section, row))->toggle()));
    }
    QLTSwitch* toggle(NSInteger section, NSInteger row) const {
        auto* c = objc::cast<QLTPSToggleSwitchSpecifierViewCell>(cell(section, row));
        return c ? c->toggle() : nullptr;
    }
    static Ref<NSObject> stored(const char* key) {
        return NSUserDefaults::standardUserDefaults()->objectForKey(NSString::from(key));
    }
    static Ref<NSObject> onDisk(const char* key) {
        Ref<NSDictionary> file = NSDictionary::dictionaryWithContentsOfFile(NSString::from(kPreferences));
        return file ? Ref<NSObject>(file->objectForKey(NSString::from(key))) : nullptr;
    }
    static std::string text(UILabel* label) { return label && label->text() ? label->text()->str() : "(none)"; }
    static std::string describe(NSObject* value) {
        return value ? NSObjectAdditions::description(value)->str() : "(nil)";
    }

    struct Heard {
        std::string key;
        Ref<NSObject> value;
    };

    SettingsDevice device;
    Ref<UIViewController> home;
    Ref<UINavigationController> navigation;
    Ref<QLTAppSettingsViewController> screen;
    Ref<EndListener> listener = make<EndListener>();
    Ref<NSObject> announcements;
    std::vector<Heard> heard;
};

}  // namespace

TEST_F(SettingsScreen, EachCreationPathSetsTheDoneButtonAndTheCreditsFooter) {
    device.write("Settings.bundle/Root.plist",
                 SettingsDevice::settings(SettingsDevice::entry({"Type", "PSGroupSpecifier", "Title", "Only"})));
    // A screen inside an interface file, with its view and table.
    auto object = [](const char* id, const char* cls, const char* more) {
        return std::string("<dict><key>id</key><string>") + id + "</string><key>class</key><string>" + cls +
               "</string>" + more + "</dict>";
    };
    auto outlet = [](const char* object, const char* key, const char* destination) {
        return std::string("<dict><key>object</key><string>") + object + "</string><key>key</key><string>" + key +
               "</string><key>destination</key><string>" + destination + "</string></dict>";
    };
    const char* frame = "<key>frame</key><array><integer>0</integer><integer>0</integer><integer>320</integer>"
                        "<integer>416</integer></array>";
    device.write("FromFile.nib",
                 SettingsDevice::plist(
                     "<dict><key>objects</key><array>" + object("screen", "QLTAppSettingsViewController", "") +
                     object("view", "UIView", frame) +
                     object("table", "UITableView", (std::string(frame) + "<key>superview</key><string>view</string>").c_str()) +
                     "</array><key>outlets</key><array>" + outlet("screen", "view", "view") +
                     outlet("screen", "tableView", "table") + outlet("table", "dataSource", "screen") +
                     outlet("table", "delegate", "screen") + "</array></dict>"));
    struct Case {
        const char* path;
        bool done;
    } cases[] = {{"initWithNibName:bundle:", true}, {"interface file", false}};
    for (const Case& c : cases) {
        if (c.done) {
            screen = make<QLTAppSettingsViewController>();
            screen->initWithNibName("QLTAppSettingsView"_ns, nullptr);
        } else {
            Ref<NSArray> objects = UINib::loadNibNamed("FromFile"_ns, nullptr);
            ASSERT_TRUE(objects && objects->count() == 2u);
            screen = objc::cast<QLTAppSettingsViewController>(objects->objectAtIndex(0));
            ASSERT_TRUE(screen);
        }
        show();
        EXPECT_EQ(screen->showDoneButton(), c.done) << c.path;
        EXPECT_EQ(screen->navigationItem()->rightBarButtonItem() != nullptr, c.done) << c.path;
        EXPECT_EQ(describe(screen->titleForFooterInSection(table(), 0)), "Powered by Quilltray") << c.path;
        EXPECT_EQ(describe(screen->title()), "Settings") << c.path;
        home->dismissModalViewControllerAnimated(false);
    }
}

TEST_F(SettingsScreen, HeadingsAndFootersFollowTheFileWithTheCreditsJoinedToTheLast) {
    open({{"Type", "PSGroupSpecifier", "Title", ""},
          {"Type", "PSToggleSwitchSpecifier", "Title", "One", "Key", "one"},
          {"Type", "PSGroupSpecifier", "Title", "Options", "FooterText", "A note"},
          {"Type", "PSToggleSwitchSpecifier", "Title", "Two", "Key", "two"},
          {"Type", "PSGroupSpecifier", "Title", "Last", "FooterText", "The end"}});
    ASSERT_EQ(table()->numberOfSections(), 3);
    struct Case {
        NSInteger section;
        const char* heading;
        const char* footer;
    } cases[] = {{0, "(nil)", "(nil)"}, {1, "Options", "A note"}, {2, "Last", "The end\n\nPowered by Quilltray"}};
    for (const Case& c : cases) {
        EXPECT_EQ(describe(screen->titleForHeaderInSection(table(), c.section)), c.heading) << c.section;
        EXPECT_EQ(describe(screen->titleForFooterInSection(table(), c.section)), c.footer) << c.section;
        CGFloat expected = 0;
        if (Ref<NSString> heading = screen->titleForHeaderInSection(table(), c.section))
            expected = NSStringDrawing::sizeWithFont(heading, UIFont::boldSystemFontOfSize(UIFont::labelFontSize()),
                                                     CGSizeMake(table()->frame().size.width - 38, 1e9f))
                           .height +
                       15;
        EXPECT_EQ(screen->heightForHeaderInSection(table(), c.section), expected) << c.section;
        EXPECT_EQ(table()->rectForHeaderInSection(c.section).size.height, expected) << c.section;
    }
}

TEST_F(SettingsScreen, ASwitchShowsTheStoredValueByTrueAndFalseValueBeforeItsTruth) {
    struct Case {
        const char* stored;  // nullptr: nothing stored
        const char* defaultValue;
        bool on;
    } cases[] = {
        {"<string>Y</string>", "<false/>", false},  // equals FalseValue, though "Y" reads as true
        {"<string>yes</string>", "<false/>", true},  // equals TrueValue
        {"<integer>1</integer>", "<false/>", true},  // neither: its truth
        {"<integer>0</integer>", "<true/>", false},
        {nullptr, "<true/>", true},  // nothing: the default's
        {nullptr, "<false/>", false},
    };
    for (const Case& c : cases) {
        std::filesystem::create_directories(device.host(kPreferences).parent_path());
        std::filesystem::remove(device.host(kPreferences));
        if (c.stored)
            std::ofstream(device.host(kPreferences))
                << SettingsDevice::plist(std::string("<dict><key>flag</key>") + c.stored + "</dict>");
        NSUserDefaults::resetStandardUserDefaults();
        open({{"Type", "PSToggleSwitchSpecifier", "Title", "Flag", "Key", "flag", "TrueValue", "yes", "FalseValue", "Y",
               "DefaultValue", c.defaultValue}});
        ASSERT_TRUE(toggle(0, 0));
        EXPECT_EQ(toggle(0, 0)->isOn(), c.on) << (c.stored ? c.stored : "nothing") << " " << c.defaultValue;
        home->dismissModalViewControllerAnimated(false);
    }
}

TEST_F(SettingsScreen, ASwitchStoresItsTrueValueAnnouncesItAndReachesTheDiskOnlyWhenDone) {
    open({{"Type", "PSToggleSwitchSpecifier", "Title", "Mode", "Key", "mode", "TrueValue", "enabled"},
          {"Type", "PSToggleSwitchSpecifier", "Title", "Plain", "Key", "plain"}});
    tapSwitch(0, 0);
    tapSwitch(0, 1);
    EXPECT_EQ(describe(stored("mode")), "enabled");
    EXPECT_TRUE(objc::cast<NSString>(stored("mode").get()));
    EXPECT_EQ(describe(stored("plain")), "1");
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].key, "mode");
    EXPECT_EQ(describe(heard[0].value), "enabled");
    EXPECT_EQ(heard[1].key, "plain");
    // Switched off without a FalseValue: a plain NO.
    tapSwitch(0, 1);
    EXPECT_EQ(describe(stored("plain")), "0");
    // A tap on the row beside the switch selects nothing.
    tapAt(onScreen(cell(0, 0)), 20);
    EXPECT_EQ(table()->indexPathForSelectedRow(), nullptr);
    EXPECT_EQ(heard.size(), 3u);

    EXPECT_FALSE(onDisk("mode"));
    screen->dismiss(nullptr);
    EXPECT_EQ(describe(onDisk("mode")), "enabled");
    EXPECT_EQ(listener->ends, 1);
}

TEST_F(SettingsScreen, ATitleValueRowShowsItsValuesTitleOrItsTextAndTakesNoTouch) {
    NSUserDefaults::standardUserDefaults()->setObject(NSNumber::numberWithInteger(2), "level"_ns);
    open({{"Type", "PSTitleValueSpecifier", "Title", "Level", "Key", "level", "Values",
           "<array><integer>1</integer><integer>2</integer></array>", "Titles",
           "<array><string>Low</string><string>High</string></array>"},
          {"Type", "PSTitleValueSpecifier", "Title", "Raw", "Key", "level"},
          {"Type", "PSTitleValueSpecifier", "Title", "Unset", "Key", "unset", "DefaultValue", "fallback"}});
    const char* expected[] = {"High", "2", "fallback"};
    for (NSInteger row = 0; row < 3; ++row) {
        UITableViewCell* c = cell(0, row);
        ASSERT_TRUE(c);
        EXPECT_EQ(text(c->detailTextLabel()), expected[row]) << row;
        EXPECT_FALSE(c->isUserInteractionEnabled()) << row;
    }
}

TEST_F(SettingsScreen, TheChooserChecksTheStoredValueAndATapOnAnotherWritesSavesAndAnnouncesOnce) {
    open({{"Type", "PSMultiValueSpecifier", "Title", "Style", "Key", "style", "DefaultValue", "<integer>5</integer>",
           "Values", "<array><integer>0</integer><integer>5</integer><integer>5</integer><integer>6</integer></array>",
           "Titles", "<array><string>Square</string><string>Date</string><string>Again</string><string>Tint</string></array>"}});
    EXPECT_EQ(text(cell(0, 0)->detailTextLabel()), "Date");
    tapAt(onScreen(cell(0, 0)));
    auto* chooser = objc::cast<QLTSpecifierValuesViewController>(navigation->topViewController());
    ASSERT_TRUE(chooser);
    EXPECT_EQ(describe(chooser->title()), "Style");
    auto row = [&](NSInteger r) { return chooser->tableView()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(r, 0)); };
    auto checked = [&]() {
        std::vector<NSInteger> rows;
        for (NSInteger r = 0; r < 4; ++r)
            if (row(r)->accessoryType() == UITableViewCellAccessoryCheckmark) rows.push_back(r);
        return rows;
    };
    // Nothing stored: the default's first row.
    EXPECT_EQ(checked(), std::vector<NSInteger>{1});
    // The checked row only loses its highlight.
    tapAt(onScreen(row(1)));
    EXPECT_TRUE(heard.empty());
    EXPECT_FALSE(stored("style"));
    tapAt(onScreen(row(3)));
    EXPECT_EQ(checked(), std::vector<NSInteger>{3});
    EXPECT_EQ(describe(onDisk("style")), "6");
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].key, "style");
    EXPECT_EQ(describe(heard[0].value), "6");
    // Back on the screen, the row shows the new title.
    navigation->popViewControllerAnimated(false);
    Clock::advance(1);
    EXPECT_EQ(text(cell(0, 0)->detailTextLabel()), "Tint");
}

TEST_F(SettingsScreen, BackgroundSavesTheStoreAndTheReturnReloadsHalfASecondLater) {
    open({{"Type", "PSToggleSwitchSpecifier", "Title", "Flag", "Key", "flag"}});
    tapSwitch(0, 0);
    EXPECT_FALSE(onDisk("flag"));
    app->enterBackground();
    EXPECT_EQ(describe(onDisk("flag")), "1");
    // Changed elsewhere while away: shown only once the delayed reload ran.
    NSUserDefaults::standardUserDefaults()->setBool(false, "flag"_ns);
    app->enterForeground();
    Clock::advance(0.4);
    EXPECT_TRUE(toggle(0, 0)->isOn());
    Clock::advance(0.2);
    EXPECT_FALSE(toggle(0, 0)->isOn());
}
