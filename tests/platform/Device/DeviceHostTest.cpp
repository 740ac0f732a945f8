#include <gtest/gtest.h>

#include <cairo.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Foundation/Clock.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSException.h"
#include "Foundation/NSString.h"
#include "Foundation/NSTimer.h"
#include "Foundation/NSURL.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"

namespace fs = std::filesystem;

namespace {

// What the app saw, for the test to read after the run.
struct Seen {
    std::vector<std::string> log;
    std::string typed;
    std::string bundlePath;
    double timerFiredAt = -1;
    bool raiseAtLaunch = false;
    bool takeKeyboard = true;
};
Seen seen;

// A view that takes the keyboard and notes taps with the clock's time.
class Pad : public UIView {
    KORVEL_OBJC_CLASS(Pad)
public:
    bool canBecomeFirstResponder() const override { return true; }
    void insertText(NSString* text) { seen.typed += text->str(); }
    void deleteBackward() {
        if (!seen.typed.empty()) seen.typed.pop_back();
    }
    void touchesEnded(NSSet*, UIEvent*) override { seen.log.push_back("tap at " + std::to_string(Clock::now())); }
};

class HostTestDelegate : public NSObject {
    KORVEL_OBJC_CLASS(HostTestDelegate)
public:
    bool launched(UIApplication* app, NSObject*) {
        if (seen.raiseAtLaunch) NSException::raise("NSInternalInconsistencyException", "launch went wrong");
        seen.log.push_back("launched at " + std::to_string(Clock::now()));
        seen.bundlePath = NSBundle::mainBundle()->bundlePath()->str();
        window = UIView::withFrame<UIWindow>(UIScreen::mainScreen()->bounds());
        window->setBackgroundColor(UIColor::whiteColor());
        auto red = UIView::withFrame(CGRectMake(0, 0, 160, 100));
        red->setBackgroundColor(UIColor::redColor());
        red->setTag(7);
        window->addSubview(red);
        auto pad = UIView::withFrame<Pad>(CGRectMake(0, 200, 320, 100));
        window->addSubview(pad);
        if (seen.takeKeyboard) pad->becomeFirstResponder();
        window->makeKeyAndVisible();
        NSTimer::scheduledTimerWithTimeInterval(2, false, [](NSTimer*) { seen.timerFiredAt = Clock::now(); });
        app->openURL(NSURL::URLWithString("http://example.org/"_ns));
        return true;
    }
    void background(UIApplication*) { seen.log.push_back("background"); }
    void foreground(UIApplication*) { seen.log.push_back("foreground"); }
    void terminate(UIApplication*) { seen.log.push_back("terminate at " + std::to_string(Clock::now())); }

    Ref<UIWindow> window;
};

Class Pad::class_() {
    static Class cls = objc::ClassBuilder<Pad>("HostTestPad", UIView::class_())
                           .method<&Pad::insertText>("insertText:")
                           .method<&Pad::deleteBackward>("deleteBackward")
                           .build();
    return cls;
}

Class HostTestDelegate::class_() {
    using D = HostTestDelegate;
    static Class cls = objc::ClassBuilder<D>("HostTestDelegate", NSObject::class_())
                           .method<&D::launched>("application:didFinishLaunchingWithOptions:")
                           .method<&D::background>("applicationDidEnterBackground:")
                           .method<&D::foreground>("applicationWillEnterForeground:")
                           .method<&D::terminate>("applicationWillTerminate:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] const Class kClasses[] = {Pad::class_(), HostTestDelegate::class_()};

class Host : public ::testing::Test {
protected:
    void SetUp() override {
        seen = Seen();
        dir = fs::temp_directory_path() / ("korvel-host-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string file(const std::string& name) const { return (dir / name).string(); }
    std::string script(const std::string& text) const {
        std::ofstream(file("script.txt")) << text;
        return file("script.txt");
    }
    // Runs the app as its program would, with the output of the run kept.
    int run(std::vector<std::string> args) {
        args.insert(args.begin(), "/usr/bin/host-test");
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        testing::internal::CaptureStderr();
        testing::internal::CaptureStdout();
        int status = UIApplicationMain(static_cast<int>(args.size()), argv.data(), nullptr, "HostTestDelegate"_ns);
        out = testing::internal::GetCapturedStdout();
        err = testing::internal::GetCapturedStderr();
        return status;
    }
    std::vector<std::string> headless(std::vector<std::string> more = {}) {
        std::vector<std::string> args = {"--headless", "--device", file("device")};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    fs::path dir;
    std::string out;
    std::string err;
};

uint32_t pixel(const std::string& png, int x, int y) {
    cairo_surface_t* image = cairo_image_surface_create_from_png(png.c_str());
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return 0xdeadbeef;
    }
    cairo_surface_flush(image);
    auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image));
    uint32_t value = row[x] & 0xffffff;
    cairo_surface_destroy(image);
    return value;
}

nlohmann::json readJson(const std::string& path) {
    std::ifstream in(path);
    return nlohmann::json::parse(in, nullptr, false);
}

}  // namespace

TEST_F(Host, ABadCommandLineIsAUsageErrorAndNothingRuns) {
    EXPECT_EQ(run({"--bogus"}), 2);
    EXPECT_NE(err.find("host-test: unknown option '--bogus'"), std::string::npos) << err;
    EXPECT_NE(err.find("usage: host-test [options]"), std::string::npos);
    EXPECT_NE(err.find("--script FILE"), std::string::npos);
    EXPECT_EQ(run({"--headless", "--dump"}), 2);
    EXPECT_NE(err.find("option --dump needs a value"), std::string::npos);
    EXPECT_TRUE(seen.log.empty());
    EXPECT_EQ(UIApplication::sharedApplication(), nullptr);
}

TEST_F(Host, AScriptWithABadLineIsRefusedBeforeTheAppStarts) {
    std::string path = script("tap 10 10\n# fine so far\nfly 3 4\n");
    EXPECT_EQ(run(headless({"--script", path})), 2);
    EXPECT_NE(err.find(path + ":3: unknown command 'fly'"), std::string::npos) << err;
    EXPECT_TRUE(seen.log.empty());

    EXPECT_EQ(run(headless({"--script", file("missing.txt")})), 2);
    EXPECT_NE(err.find("cannot read the script " + file("missing.txt")), std::string::npos) << err;
    EXPECT_TRUE(seen.log.empty());
}

TEST_F(Host, AScriptDrivesTheAppOnTheVirtualClockAndLeavesPicturesOfIt) {
    std::string path = script(
        "wait 1.5\n"
        "tap 100 250\n"
        "type hello\n"
        "key backspace\n"
        "key return\n"
        "wait 0.3\n"
        "background\n"
        "foreground\n"
        "shot " + file("mid.png") + "\n"
        "dump " + file("mid.json") + "\n");
    int status = run(headless({"--script", path, "--screenshot", file("end.png"), "--dump", file("end.json")}));
    ASSERT_EQ(status, 0) << err;
    EXPECT_EQ(seen.log, (std::vector<std::string>{"launched at 0.000000", "tap at 1.600000", "background", "foreground",
                                                  "terminate at 1.900000"}));
    EXPECT_EQ(seen.typed, "hell\n");
    // "wait" let the clock run: the 2-second timer has not fired yet.
    EXPECT_EQ(seen.timerFiredAt, -1);
    // The app's bundle is its program's, inside the device folder.
    EXPECT_EQ(seen.bundlePath, "/Applications/host-test.app");
    EXPECT_TRUE(fs::is_symlink(dir / "device" / "User"));
    EXPECT_NE(out.find("host-test: open URL http://example.org/"), std::string::npos) << out;

    for (const char* png : {"mid.png", "end.png"}) {
        EXPECT_EQ(pixel(file(png), 80, 50), 0xff0000u) << png;
        EXPECT_EQ(pixel(file(png), 240, 50), 0xffffffu) << png;
    }
    for (const char* name : {"mid.json", "end.json"}) {
        nlohmann::json dump = readJson(file(name));
        ASSERT_TRUE(dump.is_object()) << name;
        EXPECT_EQ(dump["window"]["class"], "UIWindow");
        EXPECT_EQ(dump["window"]["frame"], nlohmann::json::array({0, 0, 320, 480}));
        EXPECT_EQ(dump["window"]["subviews"][0]["tag"], 7);
        EXPECT_EQ(dump["window"]["subviews"][0]["backgroundColor"], nlohmann::json::array({1, 0, 0, 1}));
        EXPECT_EQ(dump["window"]["subviews"][1]["class"], "HostTestPad");
        EXPECT_EQ(dump["navigationStack"], nlohmann::json::array());
        EXPECT_EQ(dump["modalScreens"], nlohmann::json::array());
        // The address the app opened stays on record instead of leaving it.
        EXPECT_EQ(dump["openedURLs"], nlohmann::json::array({"http://example.org/"}));
    }
}

TEST_F(Host, WaitingLetsTimersFireAtTheirTimeAndTerminateEndsTheScript) {
    std::string path = script("wait 1.99\nwait 0.01\nterminate\n");
    ASSERT_EQ(run(headless({"--script", path})), 0) << err;
    EXPECT_DOUBLE_EQ(seen.timerFiredAt, 2.0);
    // Terminated by the script, not once more by the host.
    EXPECT_EQ(seen.log.back(), "terminate at 2.000000");
    EXPECT_EQ(std::count(seen.log.begin(), seen.log.end(), "terminate at 2.000000"), 1);
}

TEST_F(Host, ACommandThatCannotBeCarriedOutStopsTheRunWithItsLine) {
    seen.takeKeyboard = false;
    std::string path = script("tap 5 5\n\ntype nobody listens\nwait 10\n");
    EXPECT_EQ(run(headless({"--script", path, "--screenshot", file("never.png")})), 1);
    EXPECT_NE(err.find(path + ":3: nothing on screen takes typing"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(file("never.png")));
    // The rest of the script did not run, and the app was still ended.
    EXPECT_EQ(seen.timerFiredAt, -1);
    EXPECT_EQ(seen.log.back().rfind("terminate", 0), 0u);

    path = script("shot " + file("no/such/folder/a.png") + "\n");
    EXPECT_EQ(run(headless({"--script", path})), 1);
    EXPECT_NE(err.find(path + ":1: cannot write the screenshot"), std::string::npos) << err;
}

TEST_F(Host, AnUncaughtExceptionEndsTheRunWithItsReason) {
    seen.raiseAtLaunch = true;
    EXPECT_EQ(run(headless()), 1);
    EXPECT_NE(err.find("uncaught exception 'NSInternalInconsistencyException', reason: 'launch went wrong'"),
              std::string::npos)
        << err;
    EXPECT_EQ(UIApplication::sharedApplication(), nullptr);
}

TEST_F(Host, AMissingDelegateClassIsNamed) {
    std::vector<std::string> args = {"/usr/bin/host-test", "--headless", "--device", file("device")};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    testing::internal::CaptureStderr();
    int status = UIApplicationMain(static_cast<int>(argv.size()), argv.data(), nullptr, "NoSuchDelegate"_ns);
    err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.find("no class named NoSuchDelegate"), std::string::npos) << err;
}

