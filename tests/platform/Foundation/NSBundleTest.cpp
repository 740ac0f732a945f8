#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Device/DeviceFolder.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

namespace fs = std::filesystem;

namespace {

class BundleTest : public ::testing::Test {
protected:
    void SetUp() override {
        device = fs::temp_directory_path() / ("korvel-bundle-" + std::to_string(::getpid()));
        fs::remove_all(device);
        ASSERT_TRUE(DeviceFolder::setRoot(device.string()));
        app = device / "Applications/Korvel.app";
        fs::create_directories(app);
    }
    void TearDown() override {
        NSBundle::setMainBundlePath(nullptr);
        DeviceFolder::setRoot("");
        fs::remove_all(device);
    }
    void write(const fs::path& file, const std::string& bytes) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    void writeInfo(std::initializer_list<std::pair<NSObject*, NSObject*>> entries) {
        ASSERT_TRUE(make<NSDictionary>(entries)->writeToFile("/Applications/Korvel.app/Info.plist"_ns, true));
    }
    Ref<NSBundle> bundle(const std::string& phonePath) { return NSBundle::bundleWithPath(NSString::from(phonePath)); }
    static std::string text(const Ref<NSString>& s) { return s ? s->str() : "(nil)"; }
    static std::string localized(NSBundle* b, const char* key, const char* table) {
        Ref<NSString> tableName = table ? NSString::from(table) : nullptr;
        return text(b->localizedStringForKey(NSString::from(key), NSString::from(key), tableName));
    }

    fs::path device;
    fs::path app;
};

}  // namespace

TEST_F(BundleTest, MainBundleIsTheAppFolderWithItsIdentifier) {
    writeInfo({{"CFBundleIdentifier"_ns.get(), "com.Brisval.Korvel"_ns.get()}});
    NSBundle::setMainBundlePath("/Applications/Korvel.app/"_ns);
    NSBundle* main = NSBundle::mainBundle();
    EXPECT_EQ(text(main->bundlePath()), "/Applications/Korvel.app");
    EXPECT_EQ(text(main->bundleIdentifier()), "com.Brisval.Korvel");

    id viaRuntime = objc::send<id>(objc_getClass("NSBundle"), "mainBundle");
    EXPECT_EQ(viaRuntime, static_cast<id>(main));
}

TEST_F(BundleTest, BundlesNeedAFolderAndMayLackAnIdentifier) {
    write(app / "file.txt", "x");
    EXPECT_EQ(bundle("/Applications/Missing.app"), nullptr);
    EXPECT_EQ(bundle("/Applications/Korvel.app/file.txt"), nullptr);
    EXPECT_EQ(NSBundle::bundleWithPath(nullptr), nullptr);
    auto b = bundle("/Applications/Korvel.app");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->bundleIdentifier(), nullptr);
    // A garbled Info.plist reads as none.
    write(app / "Info.plist", "bplist00\xFF\xFF garbage");
    EXPECT_EQ(bundle("/Applications/Korvel.app")->bundleIdentifier(), nullptr);
}

TEST_F(BundleTest, ResourcesAreFoundAtTheTopThenInThePreferredLocalisation) {
    write(app / "colormap.png", "top");
    write(app / "en.lproj/colormap.png", "english");
    write(app / "en.lproj/about.html", "english");
    write(app / "fr.lproj/only-french.html", "french");
    write(app / "Base.lproj/Main.nib", "base");
    auto b = bundle("/Applications/Korvel.app");
    EXPECT_EQ(text(b->pathForResource("colormap"_ns, "png"_ns)), "/Applications/Korvel.app/colormap.png");
    EXPECT_EQ(text(b->pathForResource("about"_ns, "html"_ns)), "/Applications/Korvel.app/en.lproj/about.html");
    EXPECT_EQ(text(b->pathForResource("about.html"_ns, nullptr)), "/Applications/Korvel.app/en.lproj/about.html");
    EXPECT_EQ(text(b->pathForResource("about"_ns, ".html"_ns)), "/Applications/Korvel.app/en.lproj/about.html");
    EXPECT_EQ(text(b->pathForResource("Main"_ns, "nib"_ns)), "/Applications/Korvel.app/Base.lproj/Main.nib");
    // Another language's folder is not searched while the device's exists.
    EXPECT_EQ(b->pathForResource("only-french"_ns, "html"_ns), nullptr);
    EXPECT_EQ(b->pathForResource("missing"_ns, "png"_ns), nullptr);
    EXPECT_EQ(b->pathForResource(nullptr, "png"_ns), nullptr);
}

TEST_F(BundleTest, WithoutTheDeviceLanguageTheDevelopmentRegionThenTheFirstLocalisationServe) {
    write(app / "Settings.bundle/de.lproj/Root.strings", "\"Title\" = \"Titel\";");
    write(app / "Settings.bundle/ja.lproj/Root.strings", "\"Title\" = \"\xE3\x82\xBF\";");
    EXPECT_EQ(localized(bundle("/Applications/Korvel.app/Settings.bundle"), "Title", "Root"), "Titel");

    writeInfo({{"CFBundleDevelopmentRegion"_ns.get(), "ja"_ns.get()}});
    write(app / "de.lproj/Localizable.strings", "\"Title\" = \"Titel\";");
    write(app / "ja.lproj/Localizable.strings", "\"Title\" = \"\xE3\x82\xBF\";");
    EXPECT_EQ(localized(bundle("/Applications/Korvel.app"), "Title", nullptr), "\xE3\x82\xBF");
}

TEST_F(BundleTest, LookupRulesForMissingKeysValuesAndTables) {
    write(app / "en.lproj/Root.strings", "\"Hello\" = \"Hi\";\n\"Empty\" = \"\";");
    auto b = bundle("/Applications/Korvel.app");
    EXPECT_EQ(text(b->localizedStringForKey("Hello"_ns, "fallback"_ns, "Root"_ns)), "Hi");
    EXPECT_EQ(text(b->localizedStringForKey("Empty"_ns, "fallback"_ns, "Root"_ns)), "");
    EXPECT_EQ(text(b->localizedStringForKey("Nope"_ns, "fallback"_ns, "Root"_ns)), "fallback");
    EXPECT_EQ(text(b->localizedStringForKey("Nope"_ns, ""_ns, "Root"_ns)), "Nope");
    EXPECT_EQ(text(b->localizedStringForKey("Nope"_ns, nullptr, "Root"_ns)), "Nope");
    EXPECT_EQ(text(b->localizedStringForKey(nullptr, nullptr, "Root"_ns)), "");
    EXPECT_EQ(text(b->localizedStringForKey(nullptr, "v"_ns, "Root"_ns)), "v");
    EXPECT_EQ(text(b->localizedStringForKey("Hello"_ns, nullptr, "NoSuchTable"_ns)), "Hello");
    // No table named: "Localizable".
    write(app / "en.lproj/Localizable.strings", "\"Hello\" = \"Hallo\";");
    EXPECT_EQ(text(b->localizedStringForKey("Hello"_ns, nullptr, nullptr)), "Hallo");

    auto viaRuntime = objc::cast<NSString>(objc::send<id, id, id, id>(
        b.get(), "localizedStringForKey:value:table:", "Hello"_ns.get(), nullptr, "Root"_ns.get()));
    ASSERT_NE(viaRuntime, nullptr);
    EXPECT_EQ(viaRuntime->str(), "Hi");
}

TEST_F(BundleTest, TablesInPropertyListFormAndInUtf16) {
    fs::create_directories(app / "en.lproj");
    ASSERT_TRUE(make<NSDictionary>(std::initializer_list<std::pair<NSObject*, NSObject*>>{
                                       {"Style"_ns.get(), "Stil"_ns.get()}, {"Count"_ns.get(), "3"_ns.get()}})
                    ->writeToFile("/Applications/Korvel.app/en.lproj/Binary.strings"_ns, true));
    write(app / "en.lproj/Xml.strings",
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
          "<key>Style</key><string>Genre</string><key>Number</key><integer>4</integer></dict></plist>");
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("\"Style\" = \"Estilo\";")) {
        utf16 += c;
        utf16 += '\0';
    }
    write(app / "en.lproj/Utf16.strings", utf16);
    auto b = bundle("/Applications/Korvel.app");
    EXPECT_EQ(localized(b.get(), "Style", "Binary"), "Stil");
    EXPECT_EQ(localized(b.get(), "Style", "Xml"), "Genre");
    EXPECT_EQ(localized(b.get(), "Number", "Xml"), "Number");  // not a string: no translation
    EXPECT_EQ(localized(b.get(), "Style", "Utf16"), "Estilo");
}

TEST_F(BundleTest, ABrokenTableIsReportedOnceAndLeavesTextsUntranslated) {
    write(app / "en.lproj/Root.strings", "\"Hello\" = \"Hi\"\n\"Bye\" = \"Ciao\";");
    auto b = bundle("/Applications/Korvel.app");
    testing::internal::CaptureStderr();
    EXPECT_EQ(localized(b.get(), "Hello", "Root"), "Hello");
    EXPECT_EQ(localized(b.get(), "Bye", "Root"), "Bye");
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("/Applications/Korvel.app/en.lproj/Root.strings cannot be read (expected \";\""),
              std::string::npos)
        << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);

    write(app / "en.lproj/Plist.strings", "<plist><array><string>x</string></array></plist>");
    testing::internal::CaptureStderr();
    EXPECT_EQ(localized(b.get(), "x", "Plist"), "x");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("not a property-list dictionary"), std::string::npos);
}

TEST_F(BundleTest, RealSettingsBundlesGiveTheirTranslations) {
    fs::path shared = KORVEL_SHARED_DIR "/testdata/settings-bundles";
    for (const char* name : {"WireGuard__wireguard-apple", "openHPI__xikolo-ios", "utmapp__UTM",
                             "BelledonneCommunications__linphone-iphone"})
        fs::copy(shared / name, app / name, fs::copy_options::recursive);
    auto wireGuard = bundle("/Applications/Korvel.app/WireGuard__wireguard-apple");
    // English is preferred to Dutch.
    EXPECT_EQ(localized(wireGuard.get(), "Acknowledgements", "Root"), "Acknowledgements");
    EXPECT_EQ(localized(wireGuard.get(), "Apple Acknowledgement", "Root"), "Apple Acknowledgement");
    EXPECT_EQ(localized(bundle("/Applications/Korvel.app/openHPI__xikolo-ios").get(), "Acknowledgements", "Root"),
              "Acknowledgements");
    // Only Japanese there: it serves.
    EXPECT_EQ(localized(bundle("/Applications/Korvel.app/utmapp__UTM").get(), "Background", "Root"),
              "\xE3\x83\x90\xE3\x83\x83\xE3\x82\xAF\xE3\x82\xB0\xE3\x83\xA9\xE3\x82\xA6\xE3\x83\xB3\xE3\x83\x89");
    // The user's language order decides, a region falling back to its language.
    struct Case {
        const char* languages;
        const char* name;
        const char* translation;
    };
    const Case cases[] = {
        {"<string>nl</string><string>en</string>", "WireGuard__wireguard-apple", "Licenties"},
        {"<string>pt-BR</string><string>de-AT</string><string>en</string>", "openHPI__xikolo-ios", "Anerkennungen"},
        {"<string>fr</string>", "openHPI__xikolo-ios", "Acknowledgements"},
    };
    for (const Case& c : cases) {
        write(device / "var/mobile/Library/Preferences/.GlobalPreferences.plist",
              "<plist><dict><key>AppleLanguages</key><array>" + std::string(c.languages) + "</array></dict></plist>");
        EXPECT_EQ(localized(bundle("/Applications/Korvel.app/" + std::string(c.name)).get(), "Acknowledgements", "Root"),
                  c.translation) << c.languages;
    }
    auto linphone = bundle("/Applications/Korvel.app/BelledonneCommunications__linphone-iphone");
    EXPECT_EQ(localized(linphone.get(), "Background mode", "Root"), "Always active");
    EXPECT_EQ(text(linphone->pathForResource("Root"_ns, "strings"_ns)),
              "/Applications/Korvel.app/BelledonneCommunications__linphone-iphone/en.lproj/Root.strings");
}
