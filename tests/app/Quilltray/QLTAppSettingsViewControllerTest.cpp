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
#include "Foundation/NSURL.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "Quilltray/Controllers/QLTAppSettingsWebViewController.h"
#include "Quilltray/Models/QLTSpecifier.h"
#include "Quilltray/Views/QLTPSTextFieldSpecifierViewCell.h"
#include "Quilltray/Views/QLTTextField.h"
#include "UIKit/UIAlertView.h"
#include "UIKit/UIKeyboard.h"
#include "UIKit/UIWindow.h"
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

// The operation a button row names, noting what it was called with.
class ButtonHandler : public NSObject {
    KORVEL_OBJC_CLASS(ButtonHandler)
public:
    static void pressed(QLTAppSettingsViewController* screen, NSString* key) {
        calls.push_back({screen, key ? key->str() : "(nil)"});
    }
    static inline std::vector<std::pair<QLTAppSettingsViewController*, std::string>> calls;
};

Class ButtonHandler::class_() {
    static Class cls = objc::ClassBuilder<ButtonHandler>("QuilltrayTestButtonHandler", NSObject::class_())
                           .classMethod<&ButtonHandler::pressed>("pressed:key:")
                           .build();
    return cls;
}

// A settings delegate that writes the mail's body itself.
class BodyWriter : public NSObject {
    KORVEL_OBJC_CLASS(BodyWriter)
public:
    Ref<NSString> mailComposeBody() { return "Body from the delegate"_ns; }
};

Class BodyWriter::class_() {
    static Class cls = objc::ClassBuilder<BodyWriter>("QuilltrayTestBodyWriter", NSObject::class_())
                           .method<&BodyWriter::mailComposeBody>(QLTSettingsDelegate::kMailComposeBody)
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

// ---- Row actions ----------------------------------------------------------

TEST_F(SettingsScreen, EachRowTypeActsOnATapAndKeepsOrDropsTheHighlightAsItShould) {
    std::vector<std::string> opened;
    app->setURLOpener([&opened](NSURL* url) {
        opened.push_back(url->absoluteString()->str());
        return true;
    });
    ButtonHandler::class_();
    ButtonHandler::calls.clear();
    open({{"Type", "PSSliderSpecifier", "Key", "level", "MinimumValue", "<real>0</real>", "MaximumValue", "<real>1</real>"},
          {"Type", "PSTextFieldSpecifier", "Title", "Name", "Key", "name"},
          {"Type", "QLTOpenURLSpecifier", "Title", "Site", "File", "http://www.brisval.com/korvel/"},
          {"Type", "QLTButtonSpecifier", "Title", "Press", "Key", "pressKey", "QLTButtonClass",
           "QuilltrayTestButtonHandler", "QLTButtonAction", "pressed:key:"},
          {"Type", "QLTButtonSpecifier", "Title", "Nothing", "QLTButtonClass", "QuilltrayTestButtonHandler",
           "QLTButtonAction", "noSuchOperation:key:"},
          {"Type", "PSChildPaneSpecifier", "Title", "Nowhere", "QLTViewControllerClass", "NoSuchClass"},
          {"Type", "QLTCustomViewSpecifier", "Title", "Custom"}});
    struct Case {
        NSInteger row;
        bool staysSelected;
    };
    // The text row stays selected while its field edits; every other row
    // lets go of the highlight.
    for (Case c : {Case{0, false}, Case{1, true}, Case{2, false}, Case{3, false}, Case{4, false}, Case{5, false},
                   Case{6, false}}) {
        table()->selectRowAtIndexPath(NSIndexPath::indexPathForRow(c.row, 0), false, UITableViewScrollPositionNone);
        screen->didSelectRowAtIndexPath(table(), NSIndexPath::indexPathForRow(c.row, 0));
        Clock::advance(1);
        EXPECT_EQ(table()->indexPathForSelectedRow() != nullptr, c.staysSelected) << c.row;
        EXPECT_EQ(navigation->topViewController(), screen.get()) << c.row;
        table()->deselectRowAtIndexPath(NSIndexPath::indexPathForRow(c.row, 0), false);
    }
    auto* field = objc::cast<QLTPSTextFieldSpecifierViewCell>(cell(0, 1))->textField();
    EXPECT_TRUE(field->isFirstResponder());
    EXPECT_EQ(screen->currentFirstResponder(), field);
    EXPECT_EQ(opened, std::vector<std::string>{"http://www.brisval.com/korvel/"});
    ASSERT_EQ(ButtonHandler::calls.size(), 1u);
    EXPECT_EQ(ButtonHandler::calls[0].first, screen.get());
    EXPECT_EQ(ButtonHandler::calls[0].second, "pressKey");
}

TEST_F(SettingsScreen, ChoiceRowsShareOneChooserAndChildRowsOneChildPage) {
    device.write("Settings.bundle/Second.plist",
                 SettingsDevice::settings(SettingsDevice::entry({"Type", "PSToggleSwitchSpecifier", "Title", "Deep",
                                                                 "Key", "deep"})));
    device.write("Settings.bundle/Third.plist", SettingsDevice::settings(""));
    open({{"Type", "PSMultiValueSpecifier", "Title", "First", "Key", "first", "Values", "<array><integer>1</integer></array>",
           "Titles", "<array><string>One</string></array>"},
          {"Type", "PSMultiValueSpecifier", "Title", "Second", "Key", "second", "Values",
           "<array><integer>2</integer></array>", "Titles", "<array><string>Two</string></array>"},
          {"Type", "PSChildPaneSpecifier", "Title", "More", "File", "Second"},
          {"Type", "PSChildPaneSpecifier", "Title", "Even more", "File", "Third"}});
    std::vector<UIViewController*> shown;
    for (NSInteger row = 0; row < 4; ++row) {
        tapAt(onScreen(cell(0, row)));
        shown.push_back(navigation->topViewController());
        if (row < 2) {
            auto* chooser = objc::cast<QLTSpecifierValuesViewController>(shown.back());
            ASSERT_TRUE(chooser) << row;
            EXPECT_EQ(chooser->currentSpecifier()->key()->str(), row == 0 ? "first" : "second");
        } else {
            auto* child = objc::cast<QLTAppSettingsViewController>(shown.back());
            ASSERT_TRUE(child) << row;
            EXPECT_EQ(describe(child->title()), row == 2 ? "More" : "Even more");
            EXPECT_EQ(child->file()->str(), row == 2 ? "Second" : "Third");
            EXPECT_FALSE(child->showDoneButton());
            EXPECT_FALSE(child->navigationItem()->rightBarButtonItem());
            EXPECT_FALSE(child->showCreditsFooter());
            EXPECT_EQ(child->settingsStore(), screen->settingsStore());
            EXPECT_EQ(child->delegate(), screen->delegate());
            if (row == 2) {
                auto* deep = objc::cast<QLTPSToggleSwitchSpecifierViewCell>(
                    child->tableView()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0)));
                ASSERT_TRUE(deep);
                EXPECT_EQ(text(deep->label()), "Deep");
            }
        }
        navigation->popViewControllerAnimated(false);
        Clock::advance(1);
    }
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_EQ(shown[2], shown[3]);
}

TEST_F(SettingsScreen, AChildRowNamingAScreenClassMakesItWithItsSelectorFileAndKey) {
    device.write("page.html", "<title>Shipped page</title><p>Hello</p>");
    open({{"Type", "PSChildPaneSpecifier", "Title", "Page", "File", "page.html", "Key", "pageKey",
           "QLTViewControllerClass", "QLTAppSettingsWebViewController", "QLTViewControllerSelector", "initWithFile:key:"}});
    tapAt(onScreen(cell(0, 0)));
    auto* page = objc::cast<QLTAppSettingsWebViewController>(navigation->topViewController());
    ASSERT_TRUE(page);
    EXPECT_EQ(page->url()->path()->str(), std::string(SettingsDevice::kApp) + "/page.html");
    EXPECT_EQ(describe(page->navigationItem()->title()), "Shipped page");
    // The foreign screen did not end the settings screen.
    EXPECT_EQ(listener->ends, 0);
    EXPECT_EQ(navigation->delegate(), nullptr);
    navigation->popViewControllerAnimated(false);
    Clock::advance(1);
    EXPECT_EQ(navigation->delegate(), screen.get());
}

TEST_F(SettingsScreen, MailRowsFillTheSheetFromTheEntryOrSayMailIsNotConfigured) {
    const auto mailRow = [](const char* title, std::initializer_list<std::string> more) {
        std::vector<std::string> items = {"Type", "QLTMailComposeSpecifier", "Title", title,
                                          "QLTMailComposeToRecipents", "<array><string>support@brisval.com</string></array>"};
        items.insert(items.end(), more.begin(), more.end());
        return items;
    };
    const std::vector<std::string> rows[] = {
        mailRow("No body", {"QLTMailComposeSubject", "Hello"}),
        mailRow("Body", {"QLTMailComposeBody", "From the file", "QLTMailComposeBodyIsHTML", "<true/>",
                         "QLTMailComposeCcRecipents", "<array><string>cc@brisval.com</string></array>"}),
    };
    std::string xml;
    for (const auto& row : rows) {
        xml += "<dict>";
        for (std::size_t i = 0; i < row.size(); i += 2)
            xml += "<key>" + row[i] + "</key>" + (row[i + 1].starts_with("<") ? row[i + 1] : "<string>" + row[i + 1] + "</string>");
        xml += "</dict>";
    }
    device.write("Settings.bundle/Root.plist", SettingsDevice::settings(xml));
    screen = make<QLTAppSettingsViewController>();
    screen->initWithNibName("QLTAppSettingsView"_ns, nullptr);
    Ref<BodyWriter> writer = make<BodyWriter>();
    screen->setDelegate(writer);
    show();

    // No account on the device: the alert, with its exact texts.
    tapAt(onScreen(cell(0, 0)));
    std::vector<UIAlertView*> alerts = UIAlertView::visibleAlerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(describe(alerts[0]->title()), "Mail not configured");
    EXPECT_EQ(describe(alerts[0]->message()),
              "This device is not configured for sending Email. Please configure the Mail settings in the Settings app.");
    ASSERT_EQ(alerts[0]->numberOfButtons(), 1);
    EXPECT_EQ(describe(alerts[0]->buttonTitleAtIndex(0)), "OK");
    EXPECT_EQ(navigation->modalViewController(), nullptr);
    alerts[0]->dismissWithClickedButtonIndex(0, false);
    Clock::advance(1);

    std::filesystem::create_directories(device.host(MFMailComposeViewController::kAccountSettingsPath).parent_path());
    std::ofstream(device.host(MFMailComposeViewController::kAccountSettingsPath))
        << SettingsDevice::plist("<dict><key>Accounts</key><array><dict><key>Username</key><string>me@example.org"
                                 "</string></dict></array></dict>");
    struct Expected {
        const char* subject;
        const char* body;  // nullptr: none
        bool isHTML;
        std::size_t ccCount;
    };
    // The delegate's body stands in only where the entry has a body.
    const Expected expected[] = {{"Hello", nullptr, false, 0}, {nullptr, "Body from the delegate", true, 1}};
    for (NSInteger row = 0; row < 2; ++row) {
        tapAt(onScreen(cell(0, row)));
        auto* sheet = objc::cast<MFMailComposeViewController>(navigation->modalViewController());
        ASSERT_TRUE(sheet) << row;
        EXPECT_EQ(sheet->mailComposeDelegate(), screen.get());
        EXPECT_EQ(describe(sheet->toRecipients()->objectAtIndex(0)), "support@brisval.com");
        EXPECT_EQ(sheet->subject() ? sheet->subject()->str() : "(nil)", expected[row].subject ? expected[row].subject : "(nil)");
        EXPECT_EQ(sheet->messageBody() ? sheet->messageBody()->str() : "(nil)", expected[row].body ? expected[row].body : "(nil)");
        EXPECT_EQ(sheet->isHTML(), expected[row].isHTML);
        EXPECT_EQ(sheet->ccRecipients()->count(), expected[row].ccCount);
        // Cancel comes back to the screen, which closes the sheet.
        sheet->cancel(nullptr);
        Clock::advance(1);
        EXPECT_EQ(navigation->modalViewController(), nullptr);
        EXPECT_EQ(table()->indexPathForSelectedRow(), nullptr);
    }
}

// ---- The keyboard -----------------------------------------------------------

class SettingsKeyboard : public SettingsScreen {
protected:
    // Fourteen text rows, 44 points each, under the 44-point bar: the table
    // is 436 points high and shows ten of them.
    void SetUp() override {
        SettingsScreen::SetUp();
        std::string xml;
        for (int i = 0; i < 14; ++i)
            xml += SettingsDevice::entry({"Type", "PSTextFieldSpecifier", "Title", "Row " + std::to_string(i), "Key",
                                          "key" + std::to_string(i)});
        device.write("Settings.bundle/Root.plist", SettingsDevice::settings(xml));
        screen = make<QLTAppSettingsViewController>();
        screen->initWithNibName("QLTAppSettingsView"_ns, nullptr);
        show();
    }
    QLTTextField* field(NSInteger row) {
        table()->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0), UITableViewScrollPositionNone, false);
        return objc::cast<QLTPSTextFieldSpecifierViewCell>(cell(0, row))->textField();
    }
    CGFloat offset() const { return table()->contentOffset().y; }
    CGFloat height() const { return table()->frame().size.height; }
};

TEST_F(SettingsKeyboard, TheTableShrinksByTheCoveredPartAndComesBackWithItsRowsAfterATenthOfASecond) {
    ASSERT_FLOAT_EQ(height(), 436);
    field(8)->becomeFirstResponder();
    Clock::advance(1);
    // 216 of the table's 436 points are under the keyboard; row 8 (centre
    // 374) is in the middle of the 220 left.
    EXPECT_FLOAT_EQ(height(), 220);
    EXPECT_FLOAT_EQ(offset(), 374 - 110);
    objc::send<void, id>(field(8), "insertText:", "\n"_ns);
    EXPECT_FLOAT_EQ(height(), 436);
    Clock::advance(0.09);
    EXPECT_FLOAT_EQ(offset(), 264);
    Clock::advance(1);
    // The row at the top before the keyboard came is at the top again.
    EXPECT_FLOAT_EQ(offset(), 0);

    // A second show before the scroll back cancels it: the newly edited row
    // stays in the middle.
    field(8)->becomeFirstResponder();
    Clock::advance(1);
    objc::send<void, id>(field(8), "insertText:", "\n"_ns);
    field(9)->becomeFirstResponder();
    Clock::advance(1);
    EXPECT_FLOAT_EQ(height(), 220);
    EXPECT_FLOAT_EQ(offset(), 9 * 44 + 22 - 110);
}

TEST_F(SettingsKeyboard, InLandscapeTheOverlapIsMeasuredAlongTheTurnedScreen) {
    // Either way round, the 162-point landscape keyboard covers 162 points of
    // the table's 276.
    for (auto orientation : {UIInterfaceOrientationLandscapeLeft, UIInterfaceOrientationLandscapeRight}) {
        SCOPED_TRACE(orientation);
        ASSERT_TRUE(window->rotateToInterfaceOrientation(orientation));
        window->layoutIfNeeded();
        EXPECT_FLOAT_EQ(height(), 276);
        field(2)->becomeFirstResponder();
        Clock::advance(1);
        EXPECT_FLOAT_EQ(height(), 114);
        field(2)->resignFirstResponder();
        Clock::advance(1);
        EXPECT_FLOAT_EQ(height(), 276);
        window->rotateToInterfaceOrientation(UIInterfaceOrientationPortrait);
    }
}
