#include "MailWithHook.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "Device/DeviceFolder.h"
#include "InjectedLibraryLoader.h"
#include "MailPreferences.h"

namespace fs = std::filesystem;

fs::path MailWithHook::device_;

namespace {

const char* const kLabelPreferences = "/var/mobile/Library/Preferences/com.Brisval.Korvel.plist";

}  // namespace

void MailWithHook::SetUpTestSuite() {
    if (!device_.empty()) return;  // the library loads once per process
    device_ = fs::temp_directory_path() / ("korvel-hook-" + std::to_string(::getpid()));
    fs::remove_all(device_);
    // The library stays loaded to the end of the process; so does its folder.
    std::atexit([] { fs::remove_all(device_); });
    ASSERT_TRUE(DeviceFolder::setRoot(device_.string()));
    fs::path injected = DeviceFolder::resolve(InjectedLibraryLoader::kFolder);
    fs::create_directories(injected);
    fs::create_directories(DeviceFolder::resolve("/var/mobile/Library/Preferences"));
    fs::copy_file(KORVEL_HOOK_LIBRARY, injected / "korvelhook.dylib");
    fs::copy_file(KORVEL_SOURCE_DIR "/hook/korvelhook.plist", injected / "korvelhook.plist");
    auto loaded = InjectedLibraryLoader::loadLibrariesFor(MailPreferences::kBundleIdentifier);
    ASSERT_EQ(loaded.size(), 1u);
}

void MailWithHook::TearDownTestSuite() {}

void MailWithHook::SetUp() {
    DeviceFolder::setRoot(device_.string());
    pool_ = new NSAutoreleasePool;
    removePreferences();
    writeMailPreferences(2);
}

void MailWithHook::TearDown() {
    delete pool_;
    pool_ = nullptr;
}

void MailWithHook::writePreferences(NSDictionary* preferences) {
    ASSERT_TRUE(preferences->writeToFile(NSString::from(kLabelPreferences), true));
}

void MailWithHook::removePreferences() { fs::remove(DeviceFolder::resolve(kLabelPreferences)); }

void MailWithHook::writeRawPreferences(const std::string& bytes) {
    std::ofstream(DeviceFolder::resolve(kLabelPreferences), std::ios::binary) << bytes;
}

void MailWithHook::writeMailPreferences(std::optional<int> linesOfPreview) {
    writeMailPreferences(linesOfPreview ? NSNumber::numberWithInt(*linesOfPreview) : nullptr);
}

void MailWithHook::writeMailPreferences(NSObject* linesOfPreview) {
    auto preferences = NSMutableDictionary::dictionary();
    if (linesOfPreview) preferences->setObject(linesOfPreview, "LinesOfPreview"_ns);
    ASSERT_TRUE(preferences->writeToFile(NSString::from(MailPreferences::kPath), true));
}

Ref<NSDictionary> MailWithHook::record(float red, float green, float blue, float alpha) {
    return preferences({{"red", NSNumber::numberWithFloat(red)},
                        {"green", NSNumber::numberWithFloat(green)},
                        {"blue", NSNumber::numberWithFloat(blue)},
                        {"alpha", NSNumber::numberWithFloat(alpha)}});
}

Ref<NSMutableDictionary> MailWithHook::preferences(std::initializer_list<std::pair<const char*, NSObject*>> entries) {
    auto dictionary = NSMutableDictionary::dictionary();
    for (const auto& [key, value] : entries) dictionary->setObject(value, NSString::from(key));
    return dictionary;
}

Ref<NSArray> MailWithHook::texts(std::initializer_list<const char*> entries) {
    std::vector<Ref<NSObject>> objects;
    for (const char* entry : entries) objects.emplace_back(NSString::from(entry));
    return make<NSArray>(std::move(objects));
}

Ref<MailMessage> MailWithHook::message(const char* account, std::initializer_list<const char*> sender,
                                       std::initializer_list<const char*> to, std::initializer_list<const char*> cc) {
    return make<MailMessage>(MailMessage::Fields{make<MailAccount>(NSString::from(account), "Account"_ns),
                                                 texts(sender), texts(to), texts(cc), "Subject"_ns, "Preview"_ns,
                                                 NSDate::dateWithTimeIntervalSinceReferenceDate(0)});
}

Ref<MailboxContentViewCell> MailWithHook::makeCell() {
    return UITableViewCell::cellWithStyle<MailboxContentViewCell>(UITableViewCellStyleDefault, "Cell"_ns);
}

void MailWithHook::assign(MailboxContentViewCell* cell, MailMessage* message) {
    objc::send<void, id, BOOL>(cell, "setMessage:threaded:", message, NO);
}

void MailWithHook::layOut(MailboxContentViewCell* cell) {
    cell->setNeedsLayout();
    cell->layoutIfNeeded();
}

void MailWithHook::expectColour(UIColor* colour, float red, float green, float blue, float alpha) {
    ASSERT_NE(colour, nullptr);
    CGFloat r, g, b, a;
    ASSERT_TRUE(colour->getRed(&r, &g, &b, &a));
    EXPECT_NEAR(r, red, 1e-5);
    EXPECT_NEAR(g, green, 1e-5);
    EXPECT_NEAR(b, blue, 1e-5);
    EXPECT_NEAR(a, alpha, 1e-5);
}
