#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSNotification.h"
#include "Foundation/NSNotificationCenter.h"
#include "Foundation/NSString.h"
#include "Foundation/NSURL.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace {

std::vector<std::string> heard;

// An application delegate that answers every life-cycle message, made by the
// runtime from its name.
class LifeDelegate : public NSObject {
    KORVEL_OBJC_CLASS(LifeDelegate)
public:
    LifeDelegate() { heard.push_back("alloc"); }
    LifeDelegate* init() {
        heard.push_back("init");
        return this;
    }
    bool launched(UIApplication* app, NSObject* options) {
        heard.push_back(std::string("launched") + (options ? " with options" : ""));
        window = UIView::withFrame<UIWindow>(UIScreen::mainScreen()->bounds());
        window->makeKeyAndVisible();
        EXPECT_EQ(app->keyWindow(), window.get());
        return true;
    }
    void active(UIApplication*) { heard.push_back("active"); }
    void resign(UIApplication*) { heard.push_back("resign"); }
    void background(UIApplication* app) {
        heard.push_back("background");
        EXPECT_EQ(app->applicationState(), UIApplicationStateBackground);
    }
    void foreground(UIApplication*) { heard.push_back("foreground"); }
    void terminate(UIApplication*) { heard.push_back("terminate"); }

    Ref<UIWindow> window;
};

// Answers only the old launch message.
class OldDelegate : public NSObject {
    KORVEL_OBJC_CLASS(OldDelegate)
public:
    void launched(UIApplication*) { heard.push_back("old launched"); }
};

// A principal class of its own.
class OwnApplication : public UIApplication {
    KORVEL_OBJC_CLASS(OwnApplication)
};

Class LifeDelegate::class_() {
    using D = LifeDelegate;
    static Class cls = objc::ClassBuilder<D>("AppTestLifeDelegate", NSObject::class_())
                           .method<&D::init>("init")
                           .method<&D::launched>("application:didFinishLaunchingWithOptions:")
                           .method<&D::active>("applicationDidBecomeActive:")
                           .method<&D::resign>("applicationWillResignActive:")
                           .method<&D::background>("applicationDidEnterBackground:")
                           .method<&D::foreground>("applicationWillEnterForeground:")
                           .method<&D::terminate>("applicationWillTerminate:")
                           .allocatable()
                           .build();
    return cls;
}

Class OldDelegate::class_() {
    static Class cls = objc::ClassBuilder<OldDelegate>("AppTestOldDelegate", NSObject::class_())
                           .method<&OldDelegate::launched>("applicationDidFinishLaunching:")
                           .allocatable()
                           .build();
    return cls;
}

Class OwnApplication::class_() {
    static Class cls =
        objc::ClassBuilder<OwnApplication>("AppTestOwnApplication", UIApplication::class_()).allocatable().build();
    return cls;
}

[[maybe_unused]] const Class kClasses[] = {LifeDelegate::class_(), OldDelegate::class_(), OwnApplication::class_()};

class Application : public ::testing::Test {
protected:
    void SetUp() override {
        heard.clear();
        const char* names[] = {"UIApplicationDidFinishLaunchingNotification", "UIApplicationDidBecomeActiveNotification",
                               "UIApplicationWillResignActiveNotification",
                               "UIApplicationDidEnterBackgroundNotification",
                               "UIApplicationWillEnterForegroundNotification",
                               "UIApplicationWillTerminateNotification"};
        for (const char* name : names) {
            observers.push_back(NSNotificationCenter::defaultCenter()->addObserverForName(
                NSString::from(name), nullptr, [](NSNotification* n) {
                    std::string text = n->name()->str();
                    heard.push_back("posted " + text.substr(13, text.size() - 13 - 12));
                    EXPECT_EQ(n->object(), static_cast<id>(UIApplication::sharedApplication()));
                }));
        }
    }
    void TearDown() override {
        for (auto& o : observers) NSNotificationCenter::defaultCenter()->removeObserver(o);
    }
    NSAutoreleasePool pool;
    std::vector<Ref<NSObject>> observers;
};

}  // namespace

TEST_F(Application, TheDelegateIsMadeByNameAndHearsEveryStepOfTheAppsLife) {
    std::string error;
    auto app = UIApplication::create(nullptr, "AppTestLifeDelegate"_ns, error);
    ASSERT_TRUE(app) << error;
    EXPECT_EQ(UIApplication::sharedApplication(), app.get());
    EXPECT_EQ(objc::send<id>(reinterpret_cast<id>(UIApplication::class_()), "sharedApplication"),
              static_cast<id>(app.get()));
    auto* delegate = objc::cast<LifeDelegate>(app->delegate());
    ASSERT_TRUE(delegate);
    EXPECT_EQ(app->applicationState(), UIApplicationStateInactive);

    app->finishLaunching();
    app->enterBackground();
    app->enterBackground();  // already there: nothing more
    app->enterForeground();
    app->terminate();
    EXPECT_EQ(heard, (std::vector<std::string>{"alloc", "init", "launched", "posted DidFinishLaunching", "active",
                                               "posted DidBecomeActive", "resign", "posted WillResignActive",
                                               "background", "posted DidEnterBackground", "foreground",
                                               "posted WillEnterForeground", "active", "posted DidBecomeActive",
                                               "terminate", "posted WillTerminate"}));
    EXPECT_EQ(app->keyWindow(), delegate->window.get());
    EXPECT_EQ(app->windows()->count(), 1u);

    // A second application is refused while this one lives.
    EXPECT_FALSE(UIApplication::create(nullptr, nullptr, error));
    EXPECT_EQ(error, "an application is already running");

    // The window goes with the delegate that kept it.
    delegate->window = nullptr;
    EXPECT_EQ(app->keyWindow(), nullptr);
    EXPECT_EQ(app->windows()->count(), 0u);
    app = nullptr;
    EXPECT_EQ(UIApplication::sharedApplication(), nullptr);
}

TEST_F(Application, ADelegateWithOnlyTheOldLaunchMessageGetsThatOne) {
    std::string error;
    auto app = UIApplication::create("AppTestOwnApplication"_ns, "AppTestOldDelegate"_ns, error);
    ASSERT_TRUE(app) << error;
    EXPECT_TRUE(objc::cast<OwnApplication>(app.get()));
    app->finishLaunching();
    app->terminate();
    EXPECT_EQ(heard, (std::vector<std::string>{"old launched", "posted DidFinishLaunching", "posted DidBecomeActive",
                                               "posted WillTerminate"}));
}

TEST_F(Application, MissingOrWrongClassesAreNamed) {
    std::string error;
    EXPECT_FALSE(UIApplication::create(nullptr, "NoSuchDelegate"_ns, error));
    EXPECT_EQ(error, "no class named NoSuchDelegate for the application delegate");
    EXPECT_FALSE(UIApplication::create("NoSuchApplication"_ns, nullptr, error));
    EXPECT_EQ(error, "no application class named NoSuchApplication");
    EXPECT_FALSE(UIApplication::create("AppTestOldDelegate"_ns, nullptr, error));
    EXPECT_EQ(error, "no application class named AppTestOldDelegate");
    EXPECT_EQ(UIApplication::sharedApplication(), nullptr);
    EXPECT_TRUE(heard.empty());
}

TEST_F(Application, URLsGoToTheHostAndTheStatusBarRemembersItsState) {
    std::string error;
    auto app = UIApplication::create(nullptr, nullptr, error);
    ASSERT_TRUE(app);
    auto url = NSURL::URLWithString("http://example.org/page"_ns);
    EXPECT_FALSE(app->openURL(url));  // nothing opens URLs yet
    std::vector<std::string> opened;
    app->setURLOpener([&](NSURL* u) {
        opened.push_back(u->absoluteString()->str());
        return true;
    });
    EXPECT_TRUE((objc::send<BOOL, id>(app.get(), "openURL:", url.get())));
    EXPECT_FALSE(app->openURL(nullptr));
    EXPECT_EQ(opened, (std::vector<std::string>{"http://example.org/page"}));

    EXPECT_FALSE(app->isStatusBarHidden());
    objc::send<void, BOOL, BOOL>(app.get(), "setStatusBarHidden:animated:", YES, NO);
    EXPECT_TRUE(app->isStatusBarHidden());
}

TEST(Screen, TheMainScreenIsThePhones) {
    UIScreen* screen = UIScreen::mainScreen();
    EXPECT_EQ(screen, UIScreen::mainScreen());
    EXPECT_TRUE(CGRectEqualToRect(screen->bounds(), CGRectMake(0, 0, 320, 480)));
    id byName = objc::send<id>(reinterpret_cast<id>(objc_getClass("UIScreen")), "mainScreen");
    CGRect bounds = objc::send<CGRect>(byName, "bounds");
    EXPECT_TRUE(CGRectEqualToRect(bounds, CGRectMake(0, 0, 320, 480)));
}
