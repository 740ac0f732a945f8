// Korvel's start and one save against label preferences of 1,000, 10,000 and
// 100,000 addresses (each with a colour record, every fourth also an alias;
// three mail accounts). Start: the application launched as the program
// launches it, through the account list's load step to the first frame of
// its table. Save: what the colour picker does when the user taps Save: one
// colour record set, synchronize, the account list's table reloaded and laid
// out. "Start, writing" is a start whose file has no "Aliases", so that the
// load step writes the file.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "Classes/PivellaAppDelegate.h"
#include "Classes/RootViewController.h"
#include "Device/DeviceFolder.h"
#include "Foundation/Clock.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/NSUserDefaults.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UITableView.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kPreferences = "/var/mobile/Library/Preferences/com.Brisval.Korvel.plist";

Ref<NSDictionary> colourRecord(float red) {
    auto colour = NSMutableDictionary::dictionary();
    colour->setObject(NSNumber::numberWithFloat(red), "red"_ns);
    colour->setObject(NSNumber::numberWithFloat(0.5f), "green"_ns);
    colour->setObject(NSNumber::numberWithFloat(0.25f), "blue"_ns);
    colour->setObject(NSNumber::numberWithFloat(1.0f), "alpha"_ns);
    return colour;
}

// A device folder with the app's bundle as built, three accounts and the
// label preferences of `addresses` addresses, with or without "Aliases".
class Device {
public:
    Device(int addresses, bool withAliases) {
        std::string pattern = (fs::temp_directory_path() / "korvel-start-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        fs::create_directories(root_ / "Applications");
        fs::create_directory_symlink(KORVEL_APP_BUNDLE, root_ / "Applications/Korvel.app");
        fs::create_directories(root_ / "var/mobile/Library/Preferences");
        DeviceFolder::setRoot(root_.string());
        NSBundle::setMainBundlePath("/Applications/Korvel.app"_ns);

        std::string accounts = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
                               "<key>Accounts</key><array>";
        for (int i = 0; i < 3; ++i)
            accounts += "<dict><key>Username</key><string>person0" + std::to_string(i) + "@example" +
                        std::to_string(i) + ".com</string></dict>";
        std::ofstream(root_ / "var/mobile/Library/Preferences/com.apple.accountsettings.plist")
            << accounts << "</array></dict></plist>";

        auto prefs = NSMutableDictionary::dictionary();
        auto aliases = NSMutableDictionary::dictionary();
        for (int i = 0; i < addresses; ++i) {
            auto address = NSString::stringWithFormat("person%02d@example%d.com", i, i % 3);
            prefs->setObject(colourRecord(static_cast<float>(i % 20) / 20), address);
            if (i % 4 == 0) aliases->setObject(address, address);
        }
        if (withAliases) prefs->setObject(aliases, "Aliases"_ns);
        prefs->setObject(NSNumber::numberWithInt(2), "mail_label_style"_ns);
        if (!prefs->writeToFile(NSString::from(kPreferences), true)) std::abort();
        std::ifstream in(DeviceFolder::resolve(kPreferences), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        file_ = bytes.str();
    }
    ~Device() {
        NSUserDefaults::resetStandardUserDefaults();
        NSBundle::setMainBundlePath(nullptr);
        DeviceFolder::setRoot("");
        fs::remove_all(root_);
    }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Puts the file back as it was made.
    void restore() const { std::ofstream(DeviceFolder::resolve(kPreferences), std::ios::binary) << file_; }
    std::size_t fileBytes() const { return file_.size(); }

private:
    fs::path root_;
    std::string file_;
};

Ref<UIApplication> launch() {
    NSUserDefaults::resetStandardUserDefaults();
    std::string error;
    Ref<UIApplication> app = UIApplication::create(nullptr, "PivellaAppDelegate"_ns, error);
    if (!app) std::abort();
    app->finishLaunching();
    Clock::advance(0);
    objc::cast<PivellaAppDelegate>(app->delegate())->window()->layoutIfNeeded();
    return app;
}

void start(benchmark::State& state, bool withAliases) {
    Clock::useVirtual(Clock::now());
    Device device(static_cast<int>(state.range(0)), withAliases);
    for (auto _ : state) {
        NSAutoreleasePool pool;
        Ref<UIApplication> app = launch();
        state.PauseTiming();
        app = nullptr;
        device.restore();
        state.ResumeTiming();
    }
    state.counters["file_bytes"] = static_cast<double>(device.fileBytes());
}

void BM_Start(benchmark::State& state) { start(state, true); }
BENCHMARK(BM_Start)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_StartWriting(benchmark::State& state) { start(state, false); }
BENCHMARK(BM_StartWriting)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
    Clock::useVirtual(Clock::now());
    Device device(static_cast<int>(state.range(0)), true);
    NSAutoreleasePool outer;
    Ref<UIApplication> app = launch();
    auto* delegate = objc::cast<PivellaAppDelegate>(app->delegate());
    auto* accounts =
        objc::cast<RootViewController>(delegate->navigationController()->viewControllers()->objectAtIndex(0));
    NSUserDefaults* defaults = NSUserDefaults::standardUserDefaults();
    Ref<NSString> address = "person01@example1.com"_ns;
    int saves = 0;
    for (auto _ : state) {
        NSAutoreleasePool pool;
        defaults->setObject(colourRecord(static_cast<float>(++saves % 100) / 100), address);
        defaults->synchronize();
        accounts->tableView()->reloadData();
        delegate->window()->layoutIfNeeded();
    }
    state.counters["file_bytes"] = static_cast<double>(device.fileBytes());
}
BENCHMARK(BM_Save)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
