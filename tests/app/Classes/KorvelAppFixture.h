// Korvel launched as the program launches it: the application with
// PivellaAppDelegate found by name, in a device folder of its own holding
// the app's bundle as built, the test's account settings and label
// preferences. The finger and the virtual clock are AppFixture's.
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "Classes/PivellaAppDelegate.h"
#include "Color/UIColor_Expanded.h"
#include "Classes/RootViewController.h"
#include "Classes/ZRSwipeableTableViewCell.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSIndexPath.h"
#include "QuartzCore/CALayer.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UITableViewCellDeleteConfirmationControl.h"
#include "UIKit/UITableViewCell.h"
#include "app/Classes/SwipeTableFixture.h"

class KorvelApp : public AppFixture {
protected:
    static constexpr const char* kPreferences = "/var/mobile/Library/Preferences/com.Brisval.Korvel.plist";

    // The app is launched by each test, once its files are in place.
    void SetUp() override {
        Clock::useVirtual(Clock::now());
        device.emplace();
    }
    void TearDown() override {
        AppFixture::TearDown();
        device.reset();
    }

    // Writes an XML property list whose top-level object is `body`.
    void writePlist(const std::string& phonePath, const std::string& body) {
        std::filesystem::path file = device->root() / phonePath.substr(1);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\">" << body
                            << "</plist>";
    }
    // The system's "Accounts" entry, as XML.
    void accounts(const std::string& value) {
        writePlist(RootViewController::kAccountSettingsPath, "<dict><key>Accounts</key>" + value + "</dict>");
    }
    // The label preferences' entries, as XML.
    void preferences(const std::string& entries) { writePlist(kPreferences, "<dict>" + entries + "</dict>"); }
    static std::string account(const std::string& entries) { return "<dict>" + entries + "</dict>"; }
    static std::string colourRecord(float r, float g, float b, float a = 1) {
        return "<dict><key>red</key><real>" + std::to_string(r) + "</real><key>green</key><real>" +
               std::to_string(g) + "</real><key>blue</key><real>" + std::to_string(b) +
               "</real><key>alpha</key><real>" + std::to_string(a) + "</real></dict>";
    }

    void launch() {
        std::string error;
        app = UIApplication::create(nullptr, "PivellaAppDelegate"_ns, error);
        ASSERT_TRUE(app) << error;
        app->finishLaunching();
        Clock::advance(0);
        delegate()->window()->layoutIfNeeded();
    }

    PivellaAppDelegate* delegate() const { return objc::cast<PivellaAppDelegate>(app->delegate()); }
    RootViewController* root() const {
        Ref<NSArray> stack = delegate()->navigationController()->viewControllers();
        return objc::cast<RootViewController>(stack->objectAtIndex(0));
    }
    UITableView* table() const { return root()->tableView(); }

    // Lays the window out first, as showing it on screen would.
    UITableViewCell* cell(NSInteger section, NSInteger row) const {
        delegate()->window()->layoutIfNeeded();
        return table()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, section));
    }
    // The addresses the table shows in `section`.
    std::vector<std::string> rows(NSInteger section) const {
        std::vector<std::string> shown;
        delegate()->window()->layoutIfNeeded();
        for (NSInteger row = 0; row < table()->numberOfRowsInSection(section); ++row) {
            UITableViewCell* c = cell(section, row);
            shown.push_back(c && c->textLabel()->text() ? c->textLabel()->text()->str() : "(off screen)");
        }
        return shown;
    }
    // The row's tint, red, green, blue and alpha.
    std::vector<float> tint(NSInteger section, NSInteger row) const {
        UITableViewCell* c = cell(section, row);
        CGFloat k[4];
        if (!c || !UIColor_Expanded::red(c->contentView()->backgroundColor(), &k[0], &k[1], &k[2], &k[3])) return {};
        return {k[0], k[1], k[2], k[3]};
    }
    static std::vector<float> white() { return {1, 1, 1, 1}; }

    // A point of the row in screen coordinates: its centre, or `x`.
    CGPoint rowPoint(NSInteger section, NSInteger row, CGFloat x = -1) const {
        CGRect r = table()->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(row, section));
        CGRect onScreen = table()->convertRectToView(r, nullptr);
        return CGPointMake(x < 0 ? CGRectGetMidX(onScreen) : x, CGRectGetMidY(onScreen));
    }
    void tapRow(NSInteger section, NSInteger row) {
        CGPoint p = rowPoint(section, row);
        tap(p.x, p.y);
        Clock::advance(1);
    }
    // Swipes the row sideways and taps the Delete button that shows.
    void swipeToDelete(NSInteger section, NSInteger row) {
        CGPoint from = rowPoint(section, row, 250);
        down(from.x, from.y);
        Clock::advance(0.2);
        for (int i = 1; i <= 4; ++i) move(from.x - 25 * static_cast<CGFloat>(i), from.y);
        up();
        ASSERT_NE(table()->indexPathForDeleteConfirmation(), nullptr);
        UITableViewCell* c = cell(section, row);
        // The plain table offers the platform's Delete button; the row's
        // back face stays hidden.
        auto* swipeable = objc::cast<ZRSwipeableTableViewCell>(c);
        ASSERT_NE(swipeable, nullptr);
        EXPECT_TRUE(swipeable->backView()->layer()->isHidden());
        Ref<NSArray> subviews = c->subviews();
        for (NSUInteger i = 0; i < subviews->count(); ++i) {
            auto* button = objc::cast<UITableViewCellDeleteConfirmationControl>(subviews->objectAtIndex(i));
            if (!button) continue;
            CGRect r = button->convertRectToView(button->bounds(), nullptr);
            tap(CGRectGetMidX(r), CGRectGetMidY(r));
            return;
        }
        FAIL() << "no Delete button";
    }

    // The label preferences as saved on disk.
    Ref<NSDictionary> saved() const {
        return NSDictionary::dictionaryWithContentsOfFile(NSString::from(kPreferences));
    }
    Ref<NSObject> savedValue(const std::string& key) const {
        Ref<NSDictionary> file = saved();
        return file ? Ref<NSObject>(file->objectForKey(NSString::from(key))) : nullptr;
    }

    std::optional<BundleDevice> device;
};
