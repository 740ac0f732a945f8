// The window host. SDL's offscreen video driver gives a window without a
// display, so the whole path (the mouse as the finger, the keyboard, the
// drawing at twice the resolution) runs here as it does on a desktop.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cairo.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Device/HostOptions.h"
#include "Device/WindowDriver.h"
#include "Foundation/Clock.h"
#include "Foundation/NSSet.h"
#include "Foundation/NSString.h"
#include "Foundation/NSTimer.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UITouch.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"

namespace fs = std::filesystem;

namespace {

struct Seen {
    std::vector<std::string> taps;
    std::string typed;
    bool clockWasReal = false;
};
Seen seen;

class WindowPad : public UIView {
    KORVEL_OBJC_CLASS(WindowPad)
public:
    bool canBecomeFirstResponder() const override { return true; }
    void insertText(NSString* text) { seen.typed += text->str(); }
    void deleteBackward() {
        if (!seen.typed.empty()) seen.typed.pop_back();
    }
    void touchesEnded(NSSet* touches, UIEvent*) override {
        CGPoint at = objc::cast<UITouch>(touches->anyObject())->locationInView(nullptr);
        seen.taps.push_back(std::to_string(static_cast<int>(at.x)) + "," + std::to_string(static_cast<int>(at.y)));
    }
};

Class WindowPad::class_() {
    static Class cls = objc::ClassBuilder<WindowPad>("WindowTestPad", UIView::class_())
                           .method<&WindowPad::insertText>("insertText:")
                           .method<&WindowPad::deleteBackward>("deleteBackward")
                           .build();
    return cls;
}

// A red band over a pad that takes taps and typing; shortly after launch the
// "user" clicks at window pixel (200, 500) and types on the computer's keyboard.
class WindowTestDelegate : public NSObject {
    KORVEL_OBJC_CLASS(WindowTestDelegate)
public:
    bool launched(UIApplication*, NSObject*) {
        seen.clockWasReal = !Clock::isVirtual();
        window = UIView::withFrame<UIWindow>(UIScreen::mainScreen()->bounds());
        window->setBackgroundColor(UIColor::whiteColor());
        auto band = UIView::withFrame(CGRectMake(0, 0, 320, 100));
        band->setBackgroundColor(UIColor::redColor());
        window->addSubview(band);
        auto pad = UIView::withFrame<WindowPad>(CGRectMake(0, 100, 320, 380));
        window->addSubview(pad);
        pad->becomeFirstResponder();
        window->makeKeyAndVisible();
        NSTimer::scheduledTimerWithTimeInterval(0.05, false, [](NSTimer*) {
            SDL_Event e{};
            e.type = SDL_MOUSEBUTTONDOWN;
            e.button.button = SDL_BUTTON_LEFT;
            e.button.x = 200;
            e.button.y = 500;
            SDL_PushEvent(&e);
            e.type = SDL_MOUSEBUTTONUP;
            SDL_PushEvent(&e);
            SDL_Event text{};
            text.type = SDL_TEXTINPUT;
            std::snprintf(text.text.text, sizeof text.text.text, "ok");
            SDL_PushEvent(&text);
            SDL_Event key{};
            key.type = SDL_KEYDOWN;
            key.key.keysym.sym = SDLK_RETURN;
            SDL_PushEvent(&key);
        });
        return true;
    }

    Ref<UIWindow> window;
};

Class WindowTestDelegate::class_() {
    static Class cls = objc::ClassBuilder<WindowTestDelegate>("WindowTestDelegate", NSObject::class_())
                           .method<&WindowTestDelegate::launched>("application:didFinishLaunchingWithOptions:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] const Class kClasses[] = {WindowPad::class_(), WindowTestDelegate::class_()};

// Sets an environment variable for one test and puts back what was there.
class Environment {
public:
    void set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old ? std::string(old) : std::string(), old != nullptr});
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    }
    ~Environment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->had) ::setenv(it->name.c_str(), it->value.c_str(), 1);
            else ::unsetenv(it->name.c_str());
        }
    }

private:
    struct Saved {
        std::string name;
        std::string value;
        bool had;
    };
    std::vector<Saved> saved_;
};

class Window : public ::testing::Test {
protected:
    void SetUp() override {
        seen = Seen();
        dir = fs::temp_directory_path() / ("korvel-window-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::remove_all(dir);
        Clock::useVirtual(0);
    }
    std::string file(const std::string& name) const { return (dir / name).string(); }

    int run(const std::string& scriptText, std::vector<std::string> more = {}) {
        std::ofstream(file("script.txt")) << scriptText;
        std::vector<std::string> args = {"/usr/bin/window-test", "--device", file("device"), "--script",
                                         file("script.txt")};
        args.insert(args.end(), more.begin(), more.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        testing::internal::CaptureStderr();
        int status = UIApplicationMain(static_cast<int>(args.size()), argv.data(), nullptr, "WindowTestDelegate"_ns);
        err = testing::internal::GetCapturedStderr();
        return status;
    }

    fs::path dir;
    std::string err;
    Environment environment;
};

uint32_t pixel(cairo_surface_t* image, int x, int y) {
    cairo_surface_flush(image);
    auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image));
    return row[x] & 0xffffff;
}

}  // namespace

TEST_F(Window, TheMouseIsTheFingerTheKeyboardTypesAndTheWindowIsDrawnAtTwiceTheSize) {
    environment.set("SDL_VIDEODRIVER", "offscreen");
    // The host draws in software: the offscreen driver need not load a GL
    // driver, which is slow to start and leaves its allocations behind.
    environment.set("SDL_VIDEO_EGL_DRIVER", "libnone.so");
    int status = run("wait 0.3\nshot " + file("window.png") + "\nterminate\n", {"--window-at", "10,20"});
    ASSERT_EQ(status, 0) << err;
    EXPECT_TRUE(seen.clockWasReal);
    // Window pixel (200, 500) is screen point (100, 250).
    EXPECT_EQ(seen.taps, std::vector<std::string>{"100,250"});
    EXPECT_EQ(seen.typed, "ok\n");

    cairo_surface_t* shot = cairo_image_surface_create_from_png(file("window.png").c_str());
    ASSERT_EQ(cairo_surface_status(shot), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(shot), 640);
    EXPECT_EQ(cairo_image_surface_get_height(shot), 960);
    // The red band is 100 points high: 200 pixels.
    EXPECT_EQ(pixel(shot, 600, 198), 0xff0000u);
    EXPECT_EQ(pixel(shot, 600, 202), 0xffffffu);
    cairo_surface_destroy(shot);
}

TEST_F(Window, WithoutADisplayTheHostSaysSoAndRunsHeadless) {
    environment.set("SDL_VIDEODRIVER", "x11");
    environment.set("DISPLAY", nullptr);
    int status = run("tap 50 300\n");
    ASSERT_EQ(status, 0) << err;
    EXPECT_NE(err.find("window-test: no display to open a window on"), std::string::npos) << err;
    EXPECT_NE(err.find("running headless"), std::string::npos);
    EXPECT_FALSE(seen.clockWasReal);
    EXPECT_EQ(seen.taps, std::vector<std::string>{"50,300"});
}

TEST_F(Window, ADriverThatShowsNothingIsNoDisplayUnlessAskedForByName) {
    // SDL tries the drivers in turn and ends on offscreen, which opens a
    // window no one sees (the script ends the app, should it get one).
    environment.set("SDL_VIDEODRIVER", "x11,offscreen");
    environment.set("DISPLAY", nullptr);
    environment.set("WAYLAND_DISPLAY", nullptr);
    int status = run("tap 50 300\nterminate\n");
    ASSERT_EQ(status, 0) << err;
    EXPECT_NE(err.find("no display to open a window on (no display answered; SDL offers only its offscreen driver)"),
              std::string::npos)
        << err;
    EXPECT_FALSE(seen.clockWasReal);
    EXPECT_EQ(seen.taps, std::vector<std::string>{"50,300"});
}

TEST(WindowOptions, WindowAtTakesAPointAndRefusesAnythingElse) {
    std::string error;
    const char* good[] = {"app", "--window-at", "330,-4"};
    auto options = HostOptions::parse(3, good, "/dev", error);
    ASSERT_TRUE(options) << error;
    ASSERT_TRUE(options->windowOrigin());
    EXPECT_EQ(*options->windowOrigin(), std::make_pair(330, -4));
    for (const char* bad : {"330", "a,b", "1,2,3", "1,2x"}) {
        const char* argv[] = {"app", "--window-at", bad};
        EXPECT_FALSE(HostOptions::parse(3, argv, "/dev", error)) << bad;
        EXPECT_NE(error.find("--window-at"), std::string::npos) << error;
    }
    const char* none[] = {"app"};
    EXPECT_FALSE(HostOptions::parse(1, none, "/dev", error)->windowOrigin());
}
