// Interface files in the main bundle: objects made by class name, frames,
// nesting, outlets, actions on controls, and the view a controller loads.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "AppFixture.h"
#include "Device/DeviceFolder.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSString.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIColor.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINib.h"
#include "UIKit/UINibDecoder.h"
#include "UIKit/UIViewController.h"
#include "objc/ClassBuilder.h"

namespace fs = std::filesystem;

namespace {

// Made by initWithCoder:, which reads a key of its own from the entry.
class NibPanel : public UIView {
    KORVEL_OBJC_CLASS(NibPanel)
public:
    NibPanel* initWithCoder(UINibDecoder* coder) {
        initWithFrame(coder->decodeFrame());
        auto* caption = objc::cast<NSString>(coder->decodeObjectForKey("caption"_ns));
        caption_ = caption ? caption->str() : "";
        return this;
    }
    void setPartner(UILabel* label) { partner_ = label; }

    std::string caption_;
    UILabel* partner_ = nullptr;
};

Class NibPanel::class_() {
    static Class cls = objc::ClassBuilder<NibPanel>("NibTestPanel", UIView::class_())
                           .method<&NibPanel::initWithCoder>("initWithCoder:")
                           .method<&NibPanel::setPartner>("setPartner:")
                           .allocatable()
                           .build();
    return cls;
}

// Not a view: made with init.
class NibHelper : public NSObject {
    KORVEL_OBJC_CLASS(NibHelper)
public:
    NibHelper* init() {
        initialised_ = true;
        return this;
    }
    bool initialised_ = false;
};

Class NibHelper::class_() {
    static Class cls = objc::ClassBuilder<NibHelper>("NibTestHelper", NSObject::class_())
                           .method<&NibHelper::init>("init")
                           .allocatable()
                           .build();
    return cls;
}

class NibOwner : public NSObject {
    KORVEL_OBJC_CLASS(NibOwner)
public:
    void setPanel(NibPanel* panel) { panel_ = panel; }
    void setButton(UIButton* button) { button_ = button; }
    void pressed() { ++presses_; }

    NibPanel* panel_ = nullptr;
    UIButton* button_ = nullptr;
    int presses_ = 0;
};

Class NibOwner::class_() {
    static Class cls = objc::ClassBuilder<NibOwner>("NibTestOwner", NSObject::class_())
                           .method<&NibOwner::setPanel>("setPanel:")
                           .method<&NibOwner::setButton>("setButton:")
                           .method<&NibOwner::pressed>("pressed")
                           .build();
    return cls;
}

// A screen whose interface file is named after its class.
class NibScreen : public UIViewController {
    KORVEL_OBJC_CLASS(NibScreen)
};

Class NibScreen::class_() {
    static Class cls =
        objc::ClassBuilder<NibScreen>("NibTestScreen", UIViewController::class_()).allocatable().build();
    return cls;
}

[[maybe_unused]] const Class kClasses[] = {NibPanel::class_(), NibHelper::class_(), NibOwner::class_(),
                                          NibScreen::class_()};

const char* const kPanelNib = R"(<dict>
  <key>objects</key><array>
    <dict><key>id</key><string>panel</string><key>class</key><string>NibTestPanel</string>
          <key>frame</key><array><integer>10</integer><integer>20</integer><integer>300</integer><integer>200</integer></array>
          <key>caption</key><string>hello</string><key>tag</key><integer>7</integer>
          <key>backgroundColor</key><array><real>1</real><real>0</real><real>0</real><real>1</real></array></dict>
    <dict><key>id</key><string>label</string><key>class</key><string>UILabel</string><key>superview</key><string>panel</string>
          <key>frame</key><array><real>5.5</real><integer>6</integer><integer>100</integer><integer>20</integer></array>
          <key>text</key><string>Name</string>
          <key>textColor</key><array><real>0</real><real>0</real><real>1</real><real>1</real></array></dict>
    <dict><key>id</key><string>button</string><key>class</key><string>UIButton</string><key>superview</key><string>panel</string>
          <key>frame</key><array><integer>20</integer><integer>100</integer><integer>80</integer><integer>40</integer></array>
          <key>title</key><string>Go</string></dict>
    <dict><key>id</key><string>inner</string><key>class</key><string>UIView</string><key>superview</key><string>label</string>
          <key>frame</key><array><string>a</string><integer>1</integer><integer>2</integer><integer>3</integer></array></dict>
    <dict><key>id</key><string>helper</string><key>class</key><string>NibTestHelper</string></dict>
  </array>
  <key>outlets</key><array>
    <dict><key>object</key><string>owner</string><key>key</key><string>panel</string><key>destination</key><string>panel</string></dict>
    <dict><key>object</key><string>owner</string><key>key</key><string>button</string><key>destination</key><string>button</string></dict>
    <dict><key>object</key><string>panel</string><key>key</key><string>partner</string><key>destination</key><string>label</string></dict>
  </array>
  <key>actions</key><array>
    <dict><key>object</key><string>button</string><key>selector</key><string>pressed</string><key>target</key><string>owner</string></dict>
  </array>
</dict>)";

class UINibTest : public AppFixture {
protected:
    void SetUp() override {
        device = fs::temp_directory_path() / ("korvel-nib-" + std::to_string(::getpid()));
        fs::remove_all(device);
        ASSERT_TRUE(DeviceFolder::setRoot(device.string()));
        fs::create_directories(device / "Applications/Nibs.app");
        NSBundle::setMainBundlePath("/Applications/Nibs.app"_ns);
        AppFixture::SetUp();
        owner = make<NibOwner>();
    }
    void TearDown() override {
        AppFixture::TearDown();
        NSBundle::setMainBundlePath(nullptr);
        DeviceFolder::setRoot("");
        fs::remove_all(device);
    }

    void write(const std::string& name, const std::string& body, bool plist = true) {
        std::ofstream out(device / "Applications/Nibs.app" / name);
        if (plist) out << R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0">)" << body << "</plist>";
        else out << body;
    }
    // Loads `name` with the owner, answering what it logged in `log`.
    Ref<NSArray> load(const char* name, std::string& log) {
        testing::internal::CaptureStderr();
        Ref<NSArray> objects = UINib::loadNibNamed(NSString::from(name), owner);
        log = testing::internal::GetCapturedStderr();
        return objects;
    }

    fs::path device;
    Ref<NibOwner> owner;
};

TEST_F(UINibTest, ObjectsAreMadeByClassWithTheirFramesPropertiesAndNesting) {
    write("Panel.nib", kPanelNib);
    std::string log;
    Ref<NSArray> top = load("Panel", log);
    ASSERT_TRUE(top);
    // The one fault of the file, the frame with a text in it, is told.
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_NE(log.find("frame of object inner is not four numbers; left out"), std::string::npos) << log;
    // Only what no view holds is top level, in file order.
    ASSERT_EQ(top->count(), 2u);
    auto* panel = objc::cast<NibPanel>(top->objectAtIndex(0));
    auto* helper = objc::cast<NibHelper>(top->objectAtIndex(1));
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(helper, nullptr);
    EXPECT_TRUE(helper->initialised_);

    EXPECT_EQ(panel->caption_, "hello");
    EXPECT_TRUE(CGRectEqualToRect(panel->frame(), CGRectMake(10, 20, 300, 200)));
    EXPECT_EQ(panel->tag(), 7);
    EXPECT_TRUE(CGColorEqualToColor(panel->backgroundColor()->CGColor(), UIColor::redColor()->CGColor()));

    ASSERT_EQ(panel->subviews()->count(), 2u);
    auto* label = objc::cast<UILabel>(panel->subviews()->objectAtIndex(0));
    auto* button = objc::cast<UIButton>(panel->subviews()->objectAtIndex(1));
    ASSERT_NE(label, nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(CGRectEqualToRect(label->frame(), CGRectMake(5.5, 6, 100, 20)));
    EXPECT_EQ(label->text()->str(), "Name");
    EXPECT_TRUE(CGColorEqualToColor(label->textColor()->CGColor(), UIColor::blueColor()->CGColor()));
    EXPECT_EQ(button->titleForState(UIControlStateNormal)->str(), "Go");
    EXPECT_TRUE(CGRectEqualToRect(button->frame(), CGRectMake(20, 100, 80, 40)));

    // A frame with a text in it is no frame.
    ASSERT_EQ(label->subviews()->count(), 1u);
    auto* inner = objc::cast<UIView>(label->subviews()->objectAtIndex(0));
    EXPECT_TRUE(CGRectEqualToRect(inner->frame(), CGRectZero));
}

TEST_F(UINibTest, OutletsReachTheOwnerAndOtherObjectsAndActionsFireOnATapInside) {
    write("Panel.nib", kPanelNib);
    std::string log;
    Ref<NSArray> top = load("Panel", log);
    ASSERT_TRUE(top);
    auto* panel = objc::cast<NibPanel>(top->objectAtIndex(0));
    EXPECT_EQ(owner->panel_, panel);
    ASSERT_NE(owner->button_, nullptr);
    EXPECT_EQ(owner->button_->superview(), panel);
    EXPECT_EQ(panel->partner_, panel->subviews()->objectAtIndex(0));

    // The action is the control's, for a finished tap only.
    EXPECT_EQ(owner->button_->allControlEvents(), UIControlEventTouchUpInside);
    window->addSubview(panel);
    tap(60, 140);  // the button's centre in the window
    EXPECT_EQ(owner->presses_, 1);
    down(60, 140);
    move(60, 400);  // far outside: the lift is touch-up-outside
    up();
    EXPECT_EQ(owner->presses_, 1);
    tap(200, 60);  // on the panel, not the button
    EXPECT_EQ(owner->presses_, 1);
}

TEST_F(UINibTest, BadFilesGiveNilAndBadEntriesAreSkippedWithALogLine) {
    std::string log;
    EXPECT_FALSE(load("Missing", log));

    write("Garbage.nib", "this is not a property list", false);
    EXPECT_FALSE(load("Garbage", log));
    EXPECT_NE(log.find("not an interface file"), std::string::npos) << log;
    write("List.nib", "<array><string>objects</string></array>");
    EXPECT_FALSE(load("List", log));
    EXPECT_NE(log.find("not an interface file"), std::string::npos) << log;
    write("NoObjects.nib", "<dict><key>objects</key><string>none</string></dict>");
    EXPECT_FALSE(load("NoObjects", log));
    EXPECT_NE(log.find("not an interface file"), std::string::npos) << log;

    write("Odd.nib", R"(<dict>
      <key>objects</key><array>
        <string>a text where an object should be</string>
        <dict><key>id</key><string>ghost</string><key>class</key><string>NoSuchClass</string></dict>
        <dict><key>id</key><string>nameless</string><key>class</key><integer>3</integer></dict>
        <dict><key>id</key><string>label</string><key>class</key><string>UILabel</string>
              <key>text</key><integer>12</integer><key>tag</key><string>x</string>
              <key>textColor</key><array><real>1</real></array></dict>
        <dict><key>id</key><string>orphan</string><key>class</key><string>UIView</string><key>superview</key><string>ghost</string></dict>
      </array>
      <key>outlets</key><array>
        <dict><key>object</key><string>owner</string><key>key</key><string>panel</string><key>destination</key><string>ghost</string></dict>
        <dict><key>object</key><string>owner</string><key>key</key><string>nothing</string><key>destination</key><string>label</string></dict>
        <dict><key>object</key><string>owner</string><key>key</key><integer>1</integer><key>destination</key><string>label</string></dict>
        <string>not an outlet</string>
      </array>
      <key>actions</key><array>
        <dict><key>object</key><string>label</string><key>selector</key><string>pressed</string><key>target</key><string>owner</string></dict>
        <dict><key>object</key><string>ghost</string><key>selector</key><string>pressed</string><key>target</key><string>owner</string></dict>
      </array>
      <key>extra</key><string>ignored</string>
    </dict>)");
    Ref<NSArray> top = load("Odd", log);
    ASSERT_TRUE(top);
    // What could be made is there; a superview that was never made leaves
    // the view at the top.
    ASSERT_EQ(top->count(), 2u);
    auto* label = objc::cast<UILabel>(top->objectAtIndex(0));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->tag(), 0);
    EXPECT_NE(objc::cast<UIView>(top->objectAtIndex(1)), nullptr);
    EXPECT_EQ(owner->panel_, nullptr);
    EXPECT_NE(log.find("object 0 is not a dictionary"), std::string::npos) << log;
    EXPECT_NE(log.find("no class named NoSuchClass"), std::string::npos) << log;
    // Properties of the wrong type are left out, each with its line.
    EXPECT_EQ(label->text(), nullptr);
    for (const char* property : {"text of object label is not a text", "tag of object label is not a number",
                                 "textColor of object label is not four numbers"})
        EXPECT_NE(log.find(property), std::string::npos) << property << log;
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(log.find("outlets " + std::to_string(i) + " not connected"), std::string::npos) << i << log;
    for (int i = 0; i < 2; ++i)
        EXPECT_NE(log.find("actions " + std::to_string(i) + " not connected"), std::string::npos) << i << log;
}

TEST_F(UINibTest, AControllerLoadsItsInterfaceFileElseAPlainView) {
    const char* screenNib = R"(<dict>
      <key>objects</key><array>
        <dict><key>id</key><string>root</string><key>class</key><string>NibTestPanel</string><key>caption</key><string>%s</string>
              <key>frame</key><array><integer>0</integer><integer>0</integer><integer>320</integer><integer>460</integer></array></dict>
      </array>
      <key>outlets</key><array>
        <dict><key>object</key><string>owner</string><key>key</key><string>view</string><key>destination</key><string>root</string></dict>
      </array></dict>)";
    auto nib = [&](const char* caption) {
        std::string body(screenNib);
        return body.replace(body.find("%s"), 2, caption);
    };
    write("NibTestScreen.nib", nib("by class"));
    write("Other.nib", nib("by name"));
    write("Viewless.nib", R"(<dict><key>objects</key><array>
        <dict><key>id</key><string>root</string><key>class</key><string>UIView</string></dict></array></dict>)");

    auto byClass = make<NibScreen>();
    byClass->init();
    auto* view = objc::cast<NibPanel>(byClass->view());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->caption_, "by class");
    EXPECT_EQ(UIViewController::controllerOfView(view), byClass.get());

    auto byName = make<NibScreen>();
    byName->initWithNibName("Other"_ns, nullptr);
    view = objc::cast<NibPanel>(byName->view());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->caption_, "by name");

    // A file that gives no view, or none at all: the plain screen-sized view.
    for (const char* name : {"Viewless", "Missing"}) {
        auto plain = make<UIViewController>();
        plain->initWithNibName(NSString::from(name), nullptr);
        UIView* made = plain->view();
        ASSERT_NE(made, nullptr) << name;
        EXPECT_EQ(objc::cast<NibPanel>(made), nullptr) << name;
        EXPECT_TRUE(CGRectEqualToRect(made->frame(), UIScreen::mainScreen()->bounds())) << name;
    }
}

}  // namespace
