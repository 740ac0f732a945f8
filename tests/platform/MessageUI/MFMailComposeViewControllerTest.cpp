#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Device/DeviceFolder.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSMutableArray.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/ViewControllerDump.h"
#include "objc/ClassBuilder.h"
#include "platform/UIKit/AppFixture.h"

namespace {

// A screen that presents the sheet and closes it when told, noting results.
class Presenter : public UIViewController {
    KORVEL_OBJC_CLASS(Presenter)
public:
    void finished(MFMailComposeViewController*, NSInteger result, id error) {
        results.push_back(static_cast<int>(result));
        EXPECT_EQ(error, nullptr);
        dismissModalViewControllerAnimated(false);
    }
    std::vector<int> results;
};

Class Presenter::class_() {
    static Class cls = objc::ClassBuilder<Presenter>("MessageUITestPresenter", UIViewController::class_())
                           .method<&Presenter::finished>("mailComposeController:didFinishWithResult:error:")
                           .build();
    return cls;
}

Ref<NSArray> texts(std::initializer_list<const char*> items) {
    auto list = NSMutableArray::array();
    for (const char* item : items) list->addObject(NSString::from(item));
    return NSArray::arrayWithArray(list);
}

class MFMailComposeTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        root = std::filesystem::temp_directory_path() / ("korvel-mail-" + std::to_string(::getpid()));
        std::filesystem::remove_all(root);
        ASSERT_TRUE(DeviceFolder::setRoot(root.string()));
    }
    void TearDown() override {
        presenter = nullptr;
        AppFixture::TearDown();
        DeviceFolder::setRoot("");
        std::filesystem::remove_all(root);
    }
    void accounts(const std::string& xml) {
        const auto file = std::filesystem::path(DeviceFolder::resolve(MFMailComposeViewController::kAccountSettingsPath));
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << xml;
    }
    Ref<MFMailComposeViewController> present() {
        presenter = make<Presenter>();
        presenter->init();
        window->addSubview(presenter->view());
        auto sheet = make<MFMailComposeViewController>();
        sheet->init();
        sheet->setMailComposeDelegate(presenter);
        presenter->presentModalViewController(sheet, false);
        Clock::advance(1);
        return sheet;
    }
    // Taps a bar button of the sheet's screen by its action.
    static void press(MFMailComposeViewController* sheet, bool send) {
        UINavigationItem* item = sheet->topViewController()->navigationItem();
        UIBarButtonItem* button = send ? item->rightBarButtonItem() : item->leftBarButtonItem();
        objc::send<void, id>(button->target(), button->action(), button);
    }
    std::filesystem::path outbox(int number) const {
        return DeviceFolder::resolve(std::string(MFMailComposeViewController::kOutboxPath) + "/Message-" +
                                     std::to_string(number) + ".plist");
    }

    std::filesystem::path root;
    Ref<Presenter> presenter;
};

}  // namespace

TEST_F(MFMailComposeTest, MailCanBeSentOnlyFromADeviceWithAnAccountThatHasAnAddress) {
    const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict><key>Accounts</key>";
    const std::pair<std::string, bool> cases[] = {
        {"", false},
        {"not a property list", false},
        {head + "<array/></dict></plist>", false},
        {head + "<string>me@example.org</string></dict></plist>", false},
        {head + "<array><dict><key>AccountType</key><string>IMAP</string></dict></array></dict></plist>", false},
        {head + "<array><dict><key>Username</key><string>me@example.org</string></dict></array></dict></plist>", true},
        {head + "<array><string>x</string><dict><key>EmailAddresses</key><array><string>a@b.example</string></array>"
                "</dict></array></dict></plist>",
         true},
    };
    EXPECT_FALSE(MFMailComposeViewController::canSendMail());  // no file at all
    for (const auto& [xml, can] : cases) {
        accounts(xml);
        EXPECT_EQ(MFMailComposeViewController::canSendMail(), can) << xml;
    }
}

TEST_F(MFMailComposeTest, TheSheetShowsTheMessageAndSendKeepsItInTheOutbox) {
    accounts("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Accounts</key><array><dict><key>Username</key>"
             "<string>me@example.org</string></dict></array></dict></plist>");
    Ref<MFMailComposeViewController> sheet = present();
    sheet->setToRecipients(texts({"support@brisval.com"}));
    sheet->setCcRecipients(texts({"a@example.org", "b@example.org"}));
    sheet->setSubject("Korvel feedback"_ns);
    sheet->setMessageBody("Hello there"_ns, false);

    nlohmann::json entry = ViewControllerDump::screen(sheet);
    EXPECT_EQ(entry["class"], "MFMailComposeViewController");
    EXPECT_EQ(entry["toRecipients"], nlohmann::json::array({"support@brisval.com"}));
    EXPECT_EQ(entry["ccRecipients"], nlohmann::json::array({"a@example.org", "b@example.org"}));
    EXPECT_EQ(entry["bccRecipients"], nlohmann::json::array());
    EXPECT_EQ(entry["subject"], "Korvel feedback");
    EXPECT_EQ(entry["body"], "Hello there");
    EXPECT_EQ(entry["navigationStack"][0]["title"], "Korvel feedback");

    press(sheet, true);
    EXPECT_EQ(presenter->results, std::vector<int>{MFMailComposeResultSent});
    EXPECT_EQ(presenter->modalViewController(), nullptr);
    Ref<NSDictionary> kept = NSDictionary::dictionaryWithContentsOfFile(NSString::from(
        std::string(MFMailComposeViewController::kOutboxPath) + "/Message-1.plist"));
    ASSERT_TRUE(kept);
    EXPECT_EQ(objc::cast<NSString>(kept->objectForKey("From"_ns))->str(), "me@example.org");
    EXPECT_TRUE(kept->objectForKey("To"_ns)->isEqual(texts({"support@brisval.com"})));
    EXPECT_TRUE(kept->objectForKey("Cc"_ns)->isEqual(texts({"a@example.org", "b@example.org"})));
    EXPECT_EQ(objc::cast<NSString>(kept->objectForKey("Subject"_ns))->str(), "Korvel feedback");
    EXPECT_EQ(objc::cast<NSString>(kept->objectForKey("Body"_ns))->str(), "Hello there");
    EXPECT_FALSE(objc::cast<NSNumber>(kept->objectForKey("BodyIsHTML"_ns))->boolValue());

    // A second message never overwrites the first; a cancelled one is not kept.
    sheet = present();
    press(sheet, true);
    EXPECT_TRUE(std::filesystem::exists(outbox(2)));
    sheet = present();
    press(sheet, false);
    EXPECT_EQ(presenter->results.back(), MFMailComposeResultCancelled);
    EXPECT_FALSE(std::filesystem::exists(outbox(3)));

    // An outbox that cannot be made fails the sending, and says so.
    std::filesystem::remove_all(outbox(1).parent_path());
    std::ofstream(outbox(1).parent_path().string()) << "a file in the way";
    sheet = present();
    press(sheet, true);
    EXPECT_EQ(presenter->results.back(), MFMailComposeResultFailed);
}
