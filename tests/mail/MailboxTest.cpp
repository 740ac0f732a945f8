// Reading the stand-in Mail's mailbox and choosing the libraries to inject.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "Device/DeviceFolder.h"
#include "InjectedLibraryLoader.h"
#include "Mailbox.h"

namespace fs = std::filesystem;

namespace {

class MailDevice : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("korvel-mail-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        ASSERT_TRUE(DeviceFolder::setRoot(dir.string()));
    }
    void TearDown() override {
        DeviceFolder::setRoot("");
        fs::remove_all(dir);
    }
    void write(const std::string& phonePath, const std::string& text) {
        fs::path path = DeviceFolder::resolve(phonePath);
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    static std::string plist(const std::string& body) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\">" + body + "</plist>";
    }
    fs::path dir;
};

}  // namespace

TEST_F(MailDevice, MailboxKeepsGoodEntriesSkipsBadOnesAndSortsNewestFirst) {
    write(Mailbox::kPath, plist(R"(<dict>
      <key>Accounts</key><array>
        <dict><key>Address</key><string>Anna@Example.com</string><key>DisplayName</key><string>Home</string></dict>
        <dict><key>DisplayName</key><string>No address</string></dict>
        <string>not a dictionary</string>
        <dict><key>Address</key><string>work@example.com</string></dict>
      </array>
      <key>Messages</key><array>
        <dict><key>Account</key><string>Anna@Example.com</string><key>Subject</key><string>old</string>
              <key>From</key><array><string>Bob &lt;bob@example.net&gt;</string><integer>4</integer></array>
              <key>Date</key><date>2026-01-01T00:00:00Z</date></dict>
        <dict><key>Account</key><string>nobody@example.com</string><key>Subject</key><string>orphan</string></dict>
        <dict><key>Account</key><string>work@example.com</string><key>Subject</key><string>new</string>
              <key>To</key><array><string>work@example.com</string></array>
              <key>Date</key><date>2026-06-01T00:00:00Z</date></dict>
      </array></dict>)"));
    Mailbox mailbox = Mailbox::load(NSString::from(Mailbox::kPath));
    ASSERT_EQ(mailbox.accounts().size(), 2u);
    EXPECT_EQ(mailbox.accounts()[0]->firstEmailAddress()->str(), "Anna@Example.com");
    EXPECT_EQ(mailbox.accounts()[1]->displayName()->str(), "work@example.com");  // the address stands in
    ASSERT_EQ(mailbox.messages().size(), 2u);
    EXPECT_EQ(mailbox.messages()[0]->subject()->str(), "new");
    EXPECT_EQ(mailbox.messages()[0]->sender()->count(), 0u);
    EXPECT_EQ(mailbox.messages()[0]->senderDisplayName()->str(), "work@example.com");
    EXPECT_EQ(mailbox.messages()[1]->sender()->count(), 1u);  // the number is dropped
    EXPECT_EQ(mailbox.messages()[1]->senderDisplayName()->str(), "Bob");
    EXPECT_EQ(mailbox.messages()[1]->account(), mailbox.accounts()[0].get());
}

TEST_F(MailDevice, MissingOrWrongMailboxIsEmpty) {
    EXPECT_TRUE(Mailbox::load(NSString::from(Mailbox::kPath)).messages().empty());
    write(Mailbox::kPath, plist("<array><string>x</string></array>"));
    EXPECT_TRUE(Mailbox::load(NSString::from(Mailbox::kPath)).accounts().empty());
    write(Mailbox::kPath, plist("<dict><key>Accounts</key><string>x</string></dict>"));
    EXPECT_TRUE(Mailbox::load(NSString::from(Mailbox::kPath)).accounts().empty());
}

TEST_F(MailDevice, OnlyLibrariesWhoseFilterNamesTheAppAreLoadedAndFailuresAreSkipped) {
    const std::string folder = InjectedLibraryLoader::kFolder;
    auto filter = [](const std::string& bundle) {
        return plist("<dict><key>Filter</key><dict><key>Bundles</key><array><string>" + bundle +
                     "</string></array></dict></dict>");
    };
    // Not libraries at all: loading them fails, which is reported and skipped.
    write(folder + "/broken.dylib", "not a library");
    write(folder + "/broken.plist", filter("com.apple.mobilemail"));
    write(folder + "/other.dylib", "not a library");
    write(folder + "/other.plist", filter("com.example.other"));
    write(folder + "/nofilter.dylib", "not a library");
    write(folder + "/garbled.dylib", "not a library");
    write(folder + "/garbled.plist", "bplist00garbage");

    testing::internal::CaptureStderr();
    auto loaded = InjectedLibraryLoader::loadLibrariesFor("com.apple.mobilemail");
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(loaded.empty());
    EXPECT_NE(errors.find("broken.dylib"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("other.dylib"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("nofilter.dylib"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("garbled.dylib"), std::string::npos) << errors;
}
