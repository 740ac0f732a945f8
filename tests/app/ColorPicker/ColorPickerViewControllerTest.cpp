#include <gtest/gtest.h>

#include <string>

#include "ColorPicker/ColorPickerView.h"
#include "ColorPicker/ColorPickerViewController.h"
#include "ColorPicker/GradientView.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/NSUserDefaults.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIImageView.h"
#include "UIKit/UILabel.h"
#include "app/Classes/SwipeTableFixture.h"

namespace {

constexpr const char* kPreferences = "/var/mobile/Library/Preferences/com.Brisval.Korvel.plist";

Ref<NSDictionary> colourRecord(float red, float green, float blue, float alpha) {
    auto record = NSMutableDictionary::dictionary();
    record->setObject(NSNumber::numberWithFloat(red), "red"_ns);
    record->setObject(NSNumber::numberWithFloat(green), "green"_ns);
    record->setObject(NSNumber::numberWithFloat(blue), "blue"_ns);
    record->setObject(NSNumber::numberWithFloat(alpha), "alpha"_ns);
    return record;
}

// The picker screen opened over a plain screen of the key window, as the
// account list opens it, in a device folder with the app's bundle (for the
// screen's interface file) and its own label preferences.
class PickerScreen : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        home = make<UIViewController>();
        home->init();
        window->addSubview(home->view());
    }
    void TearDown() override {
        AppFixture::TearDown();
        screen = nullptr;
        home = nullptr;
    }

    static void store(const char* address, NSObject* value) {
        NSUserDefaults::standardUserDefaults()->setObject(value, NSString::from(address));
        NSUserDefaults::standardUserDefaults()->synchronize();
    }
    // What the label preferences hold on disk under `address`.
    static Ref<NSObject> saved(const char* address) {
        Ref<NSDictionary> file = NSDictionary::dictionaryWithContentsOfFile(NSString::from(kPreferences));
        return file ? Ref<NSObject>(file->objectForKey(NSString::from(address))) : nullptr;
    }
    static float entry(NSObject* record, const char* key) {
        auto* dictionary = objc::cast<NSDictionary>(record);
        auto* number = dictionary ? objc::cast<NSNumber>(dictionary->objectForKey(NSString::from(key))) : nullptr;
        return number ? number->floatValue() : -1;
    }
    static bool statusBarHidden() { return UIApplication::sharedApplication()->isStatusBarHidden(); }

    void open(const char* address) {
        screen = make<ColorPickerViewController>();
        screen->init();
        if (address) screen->setEmail(NSString::from(address));
        home->presentModalViewController(screen, true);
        Clock::advance(1);
    }
    ColorPickerView* picker() const { return screen->pickerView(); }
    void expectStartState() const {
        ASSERT_NE(picker(), nullptr);
        EXPECT_EQ(picker()->currentHue(), 0);
        EXPECT_EQ(picker()->currentSaturation(), 0);
        EXPECT_EQ(picker()->currentBrightness(), 0.5f);
        EXPECT_TRUE(CGColorEqualToColor(picker()->gradientView()->theColor(), UIColor::yellowColor()->CGColor()));
    }
    void close(void (ColorPickerViewController::*button)()) {
        (screen.get()->*button)();
        Clock::advance(1);
        EXPECT_EQ(home->modalViewController(), nullptr);
        EXPECT_FALSE(statusBarHidden());
    }

    BundleDevice device;
    Ref<UIViewController> home;
    Ref<ColorPickerViewController> screen;
};

}  // namespace

TEST_F(PickerScreen, OpensOnTheStoredColourAndSavesItAgainOpaque) {
    store("a@x.org", colourRecord(1, 0.5f, 0, 0.4f));
    testing::internal::CaptureStderr();
    open("a@x.org");
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("CALL ME ! \n"), std::string::npos) << log;
    EXPECT_EQ(home->modalViewController(), screen.get());
    EXPECT_TRUE(statusBarHidden());

    ASSERT_NE(picker(), nullptr);
    EXPECT_NEAR(picker()->currentHue(), 30.0 / 360, 1e-5);
    EXPECT_NEAR(picker()->currentSaturation(), 1, 1e-5);
    EXPECT_NEAR(picker()->currentBrightness(), 1, 1e-5);
    // The preview keeps the stored alpha; the strip shows the colour itself.
    const CGFloat* shown = CGColorGetComponents(picker()->showColor()->backgroundColor()->CGColor());
    EXPECT_FLOAT_EQ(shown[1], 0.5f);
    EXPECT_FLOAT_EQ(shown[3], 0.4f);
    const CGFloat* strip = CGColorGetComponents(picker()->gradientView()->theColor());
    EXPECT_FLOAT_EQ(strip[0], 1);
    EXPECT_FLOAT_EQ(strip[1], 0.5f);
    // The cross-hair and the labels stay as the interface file put them.
    EXPECT_TRUE(CGPointEqualToPoint(picker()->crossHairs()->center(), CGPointMake(160, 298)));
    EXPECT_EQ(picker()->colorInHex()->text()->str(), "#7F7F7F");
    // The about screen comes with the interface file but is not shown.
    ASSERT_NE(screen->aboutScreenViewController(), nullptr);
    EXPECT_FALSE(screen->aboutScreenViewController()->isViewLoaded());

    close(&ColorPickerViewController::pressedAboutButton);
    Ref<NSObject> record = saved("a@x.org");
    EXPECT_NEAR(entry(record, "red"), 1, 1e-5);
    EXPECT_NEAR(entry(record, "green"), 0.5, 1e-5);
    EXPECT_NEAR(entry(record, "blue"), 0, 1e-5);
    EXPECT_EQ(entry(record, "alpha"), 1);
}

TEST_F(PickerScreen, WithNothingStoredASaveStoresTheStartingGrey) {
    open("a@x.org");
    expectStartState();
    close(&ColorPickerViewController::pressedAboutButton);
    Ref<NSObject> record = saved("a@x.org");
    ASSERT_NE(objc::cast<NSDictionary>(record.get()), nullptr);
    EXPECT_FLOAT_EQ(entry(record, "red"), 0.5f);
    EXPECT_FLOAT_EQ(entry(record, "green"), 0.5f);
    EXPECT_FLOAT_EQ(entry(record, "blue"), 0.5f);
    EXPECT_EQ(entry(record, "alpha"), 1);
}

TEST_F(PickerScreen, AColourBrighterThanFullIsSavedAsFull) {
    open("a@x.org");
    // The strip's left end: brightness about 1.0167, a grey above white.
    picker()->dispatchTouchEvent(CGPointMake(10, 450));
    ASSERT_GT(picker()->currentBrightness(), 1);
    close(&ColorPickerViewController::pressedAboutButton);
    Ref<NSObject> record = saved("a@x.org");
    EXPECT_EQ(entry(record, "red"), 1);
    EXPECT_EQ(entry(record, "green"), 1);
    EXPECT_EQ(entry(record, "blue"), 1);
    EXPECT_EQ(entry(record, "alpha"), 1);
}

TEST_F(PickerScreen, AValueThatIsNoRecordOpensTheStartStateAndASaveReplacesIt) {
    // A quick-colour number of the account cell.
    store("a@x.org", NSNumber::numberWithInteger(4));
    open("a@x.org");
    expectStartState();
    picker()->dispatchTouchEvent(CGPointMake(11, 170));
    close(&ColorPickerViewController::pressedAboutButton);
    Ref<NSObject> record = saved("a@x.org");
    ASSERT_NE(objc::cast<NSDictionary>(record.get()), nullptr);
    EXPECT_FLOAT_EQ(entry(record, "red"), 0.5f);
    EXPECT_FLOAT_EQ(entry(record, "green"), 0);

    store("b@x.org", "blue"_ns);
    open("b@x.org");
    expectStartState();
    close(&ColorPickerViewController::pressedCButton);

    // A record with entries missing counts them as 0: opaque-less red.
    auto partial = NSMutableDictionary::dictionary();
    partial->setObject(NSNumber::numberWithFloat(1), "red"_ns);
    store("c@x.org", partial);
    open("c@x.org");
    EXPECT_NEAR(picker()->currentSaturation(), 1, 1e-5);
    EXPECT_NEAR(picker()->currentBrightness(), 1, 1e-5);
    EXPECT_EQ(CGColorGetAlpha(picker()->showColor()->backgroundColor()->CGColor()), 0);
}

TEST_F(PickerScreen, CancelAndAScreenWithoutAnAddressWriteNothing) {
    store("a@x.org", colourRecord(0, 0, 1, 1));
    open("a@x.org");
    picker()->dispatchTouchEvent(CGPointMake(11, 170));
    close(&ColorPickerViewController::pressedCButton);
    EXPECT_EQ(entry(saved("a@x.org"), "blue"), 1);
    EXPECT_EQ(entry(saved("a@x.org"), "red"), 0);

    // No key to store under: the save only closes the screen.
    open(nullptr);
    close(&ColorPickerViewController::pressedAboutButton);
    Ref<NSDictionary> file = NSDictionary::dictionaryWithContentsOfFile(NSString::from(kPreferences));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->count(), 1u);
}
