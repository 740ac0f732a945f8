#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "BplistBuilder.h"
#include "Device/DeviceFolder.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSData.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNotificationCenter.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/NSUserDefaults.h"
#include "objc/ClassBuilder.h"

namespace fs = std::filesystem;

namespace {

class UserDefaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        device = fs::temp_directory_path() / ("korvel-defaults-" + std::to_string(::getpid()));
        fs::remove_all(device);
        ASSERT_TRUE(DeviceFolder::setRoot(device.string()));
        file = device / "var/mobile/Library/Preferences/com.test.prefs.plist";
        token = NSNotificationCenter::defaultCenter()->addObserverForName(
            NSUserDefaultsDidChangeNotification, nullptr, [this](NSNotification*) { ++changes; });
    }
    void TearDown() override {
        NSNotificationCenter::defaultCenter()->removeObserver(token.get());
        NSUserDefaults::resetStandardUserDefaults();
        NSBundle::setMainBundlePath(nullptr);
        DeviceFolder::setRoot("");
        fs::remove_all(device);
    }
    Ref<NSUserDefaults> defaults() { return make<NSUserDefaults>("com.test.prefs"); }
    Ref<NSDictionary> onDisk() {
        return NSDictionary::dictionaryWithContentsOfFile("/var/mobile/Library/Preferences/com.test.prefs.plist"_ns);
    }
    // Another process writing the file.
    void writeFromElsewhere(std::initializer_list<std::pair<NSObject*, NSObject*>> entries) {
        fs::create_directories(file.parent_path());
        ASSERT_TRUE(make<NSDictionary>(entries)->writeToFile(
            "/var/mobile/Library/Preferences/com.test.prefs.plist"_ns, true));
    }
    void writeBytes(const std::string& bytes) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    static std::string readBytes(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static long long inodeOf(const fs::path& p) {
        struct stat st;
        return ::stat(p.c_str(), &st) == 0 ? static_cast<long long>(st.st_ino) : -1;
    }
    static int intOf(NSObject* o) {
        auto* n = objc::cast<NSNumber>(o);
        return n ? n->intValue() : -1;
    }

    fs::path device;
    fs::path file;
    Ref<NSObject> token;
    int changes = 0;
};

}  // namespace

TEST_F(UserDefaultsTest, StandardDefaultsLiveInTheFileOfTheBundleIdentifier) {
    fs::create_directories(device / "Applications/Korvel.app");
    ASSERT_TRUE(make<NSDictionary>(std::initializer_list<std::pair<NSObject*, NSObject*>>{
                                       {"CFBundleIdentifier"_ns.get(), "com.Brisval.Korvel"_ns.get()}})
                    ->writeToFile("/Applications/Korvel.app/Info.plist"_ns, true));
    NSBundle::setMainBundlePath("/Applications/Korvel.app"_ns);
    NSUserDefaults* standard = NSUserDefaults::standardUserDefaults();
    EXPECT_EQ(standard->domain(), "com.Brisval.Korvel");
    EXPECT_EQ(NSUserDefaults::standardUserDefaults(), standard);
    standard->setInteger(6, "mail_label_style"_ns);
    EXPECT_TRUE(standard->synchronize());

    fs::path written = device / "var/mobile/Library/Preferences/com.Brisval.Korvel.plist";
    EXPECT_TRUE(readBytes(written).starts_with("bplist00"));
    auto read = NSDictionary::dictionaryWithContentsOfFile(
        "/var/mobile/Library/Preferences/com.Brisval.Korvel.plist"_ns);
    ASSERT_TRUE(read);
    EXPECT_EQ(intOf(read->objectForKey("mail_label_style"_ns)), 6);
    // The same through the phone's /User link, as the hook may name it.
    EXPECT_TRUE(NSDictionary::dictionaryWithContentsOfFile(
        "/User/Library/Preferences/com.Brisval.Korvel.plist"_ns));
}

TEST_F(UserDefaultsTest, TypedValuesAndWhatTheyReadAs) {
    auto d = defaults();
    d->setBool(true, "b"_ns);
    d->setInteger(42, "i"_ns);
    d->setFloat(0.25f, "f"_ns);
    d->setDouble(0.1, "d"_ns);
    d->setObject("YES"_ns, "text"_ns);
    d->setObject("6"_ns, "six"_ns);
    EXPECT_TRUE(d->boolForKey("b"_ns));
    EXPECT_EQ(d->integerForKey("i"_ns), 42);
    EXPECT_FLOAT_EQ(d->floatForKey("f"_ns), 0.25f);
    EXPECT_DOUBLE_EQ(d->doubleForKey("d"_ns), 0.1);
    EXPECT_TRUE(d->boolForKey("text"_ns));
    EXPECT_EQ(d->integerForKey("six"_ns), 6);
    EXPECT_EQ(d->integerForKey("missing"_ns), 0);
    EXPECT_FALSE(d->boolForKey("missing"_ns));
    EXPECT_EQ(d->dictionaryForKey("i"_ns), nullptr);

    auto* b = objc::cast<NSNumber>(d->objectForKey("b"_ns).get());
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->kind(), NSNumber::Kind::Bool);
    auto* f = objc::cast<NSNumber>(d->objectForKey("f"_ns).get());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->floatValue(), 0.25f);
    EXPECT_EQ(f->kind(), NSNumber::Kind::Float);  // 32 bits, as colour records are kept

    // A dictionary is kept as it was at the time it was set.
    auto record = NSMutableDictionary::dictionary();
    record->setObject(NSNumber::numberWithFloat(1), "red"_ns);
    d->setObject(record, "someone@example.com"_ns);
    record->setObject(NSNumber::numberWithFloat(0), "green"_ns);
    Ref<NSDictionary> stored = d->dictionaryForKey("someone@example.com"_ns);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->count(), 1u);
    EXPECT_FLOAT_EQ(objc::cast<NSNumber>(stored->objectForKey("red"_ns))->floatValue(), 1.0f);

    d->setObject(nullptr, "i"_ns);
    EXPECT_EQ(d->objectForKey("i"_ns), nullptr);
    d->removeObjectForKey("b"_ns);
    EXPECT_FALSE(d->boolForKey("b"_ns));
}

TEST_F(UserDefaultsTest, WhatIsNotAPropertyListIsRefusedAloud) {
    auto d = defaults();
    d->setInteger(1, "k"_ns);
    testing::internal::CaptureStderr();
    d->setObject(make<NSObject>(), "k"_ns);
    d->setObject(NSArray::arrayWithObjects({"ok"_ns.get(), make<NSObject>().get()}), "k"_ns);
    d->setObject("v"_ns, nullptr);
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("the value for \"k\" is not a property list"), std::string::npos) << log;
    EXPECT_NE(log.find("a value without a key"), std::string::npos) << log;
    EXPECT_EQ(d->integerForKey("k"_ns), 1);
}

TEST_F(UserDefaultsTest, SynchronizeWritesOnlyWhatChanged) {
    auto d = defaults();
    EXPECT_TRUE(d->synchronize());
    EXPECT_FALSE(fs::exists(file));  // nothing to write yet

    d->setInteger(1, "main_mailbox_color_lbl"_ns);
    EXPECT_TRUE(d->synchronize());
    long long first = inodeOf(file);
    ASSERT_NE(first, -1);
    EXPECT_TRUE(d->synchronize());
    d->setInteger(1, "main_mailbox_color_lbl"_ns);  // the same value again
    EXPECT_TRUE(d->synchronize());
    EXPECT_EQ(inodeOf(file), first);

    d->setInteger(0, "main_mailbox_color_lbl"_ns);
    EXPECT_TRUE(d->synchronize());
    // Replaced by renaming a new file over the old one.
    EXPECT_NE(inodeOf(file), first);
    EXPECT_EQ(intOf(onDisk()->objectForKey("main_mailbox_color_lbl"_ns)), 0);
    EXPECT_FALSE(fs::exists(file.string() + ".unreadable"));
}

TEST_F(UserDefaultsTest, SynchronizePicksUpAnotherProcessWritesWithOwnChangesWinning) {
    writeFromElsewhere({{"a"_ns.get(), NSNumber::numberWithInt(1).get()},
                        {"b"_ns.get(), NSNumber::numberWithInt(2).get()},
                        {"gone"_ns.get(), NSNumber::numberWithInt(3).get()}});
    auto d = defaults();
    EXPECT_EQ(d->integerForKey("a"_ns), 1);

    writeFromElsewhere({{"a"_ns.get(), NSNumber::numberWithInt(10).get()},
                        {"b"_ns.get(), NSNumber::numberWithInt(2).get()},
                        {"c"_ns.get(), NSNumber::numberWithInt(30).get()}});
    d->setInteger(20, "b"_ns);
    d->setInteger(40, "d"_ns);
    // Until synchronize, the process sees its own picture.
    EXPECT_EQ(d->integerForKey("a"_ns), 1);
    EXPECT_TRUE(d->synchronize());

    EXPECT_EQ(d->integerForKey("a"_ns), 10);
    EXPECT_EQ(d->integerForKey("b"_ns), 20);
    EXPECT_EQ(d->integerForKey("c"_ns), 30);
    EXPECT_EQ(d->integerForKey("d"_ns), 40);
    EXPECT_EQ(d->objectForKey("gone"_ns), nullptr);
    auto disk = onDisk();
    ASSERT_TRUE(disk);
    EXPECT_EQ(disk->count(), 4u);
    EXPECT_EQ(intOf(disk->objectForKey("a"_ns)), 10);
    EXPECT_EQ(intOf(disk->objectForKey("b"_ns)), 20);
    EXPECT_EQ(intOf(disk->objectForKey("c"_ns)), 30);
    EXPECT_EQ(intOf(disk->objectForKey("d"_ns)), 40);

    // A removal made here wins over the other process's value too.
    writeFromElsewhere({{"a"_ns.get(), NSNumber::numberWithInt(11).get()}});
    d->removeObjectForKey("a"_ns);
    EXPECT_TRUE(d->synchronize());
    EXPECT_EQ(onDisk()->count(), 0u);
}

TEST_F(UserDefaultsTest, ChangesAreAnnounced) {
    auto d = defaults();
    d->setInteger(3, "x"_ns);
    EXPECT_EQ(changes, 1);
    d->setInteger(3, "x"_ns);
    EXPECT_EQ(changes, 1);
    d->removeObjectForKey("nothing"_ns);
    EXPECT_EQ(changes, 1);
    d->removeObjectForKey("x"_ns);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(d->synchronize());
    EXPECT_EQ(changes, 2);
    writeFromElsewhere({{"y"_ns.get(), NSNumber::numberWithInt(1).get()}});
    EXPECT_TRUE(d->synchronize());
    EXPECT_EQ(changes, 3);
}

TEST_F(UserDefaultsTest, AGarbledFileIsNeitherFatalNorSilentlyClobbered) {
    const std::string garbage = std::string("bplist00\x01\x02\xFF garbage", 19);
    writeBytes(garbage);
    testing::internal::CaptureStderr();
    auto d = defaults();
    EXPECT_EQ(d->objectForKey("anything"_ns), nullptr);
    // Nothing changed here: the file stays as it is.
    EXPECT_TRUE(d->synchronize());
    EXPECT_EQ(readBytes(file), garbage);

    d->setInteger(2, "mail_label_style"_ns);
    EXPECT_TRUE(d->synchronize());
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(readBytes(file.string() + ".unreadable"), garbage);
    EXPECT_EQ(intOf(onDisk()->objectForKey("mail_label_style"_ns)), 2);
    EXPECT_NE(log.find("is not a readable preferences file"), std::string::npos) << log;
    EXPECT_NE(log.find("kept as /var/mobile/Library/Preferences/com.test.prefs.plist.unreadable"), std::string::npos)
        << log;
}

TEST_F(UserDefaultsTest, AFileThatDidNotReadWholeIsKeptAsideBeforeTheFirstSave) {
    // A colour record and a plain entry under a sound root; the record is
    // damaged in different ways, so the file reads only "mostly".
    auto build = [](const char* damage) {
        BplistBuilder b;
        b.add(b.dict({1, 2}, {3, 4}));                     // 0: root
        b.add(BplistBuilder::ascii("keep"));               // 1
        b.add(BplistBuilder::ascii("someone@example.com"));  // 2
        b.add(BplistBuilder::integer(7));                  // 3
        std::uint64_t red = std::string(damage) == "broken reference" ? 99 : 6;
        std::uint64_t green = std::string(damage) == "cycle" ? 4 : 6;
        b.add(b.dict({5, 7}, {red, green}));               // 4: the colour record
        b.add(BplistBuilder::ascii("red"));                // 5
        b.add("\x22" + BplistBuilder::be(0x3F000000, 4));  // 6: 0.5
        b.add(BplistBuilder::ascii(std::string(damage) == "duplicate key" ? "red" : "green"));  // 7
        return b.build();
    };
    for (const char* damage : {"broken reference", "cycle", "duplicate key"}) {
        SCOPED_TRACE(damage);
        fs::remove_all(file.parent_path());
        const std::string original = build(damage);
        writeBytes(original);
        testing::internal::CaptureStderr();
        auto d = defaults();
        EXPECT_EQ(d->integerForKey("keep"_ns), 7);
        EXPECT_TRUE(d->synchronize());
        EXPECT_FALSE(fs::exists(file.string() + ".unreadable"));  // nothing written yet
        d->setInteger(1, "new"_ns);
        EXPECT_TRUE(d->synchronize());
        d->setInteger(2, "new"_ns);
        EXPECT_TRUE(d->synchronize());
        std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(readBytes(file.string() + ".unreadable"), original);
        EXPECT_FALSE(fs::exists(file.string() + ".unreadable.2"));
        EXPECT_EQ(intOf(onDisk()->objectForKey("keep"_ns)), 7);
        EXPECT_EQ(intOf(onDisk()->objectForKey("new"_ns)), 2);
        std::size_t said = log.find("did not read whole");
        EXPECT_NE(said, std::string::npos) << log;
        EXPECT_EQ(log.find("did not read whole;", said + 1), std::string::npos) << log;
    }
}

TEST_F(UserDefaultsTest, AFileOfTheWrongTypeIsKeptAsideUnderAFreeName) {
    writeBytes("old unreadable copy");
    fs::rename(file, file.string() + ".unreadable");
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(NSArray::arrayWithObjects({"a"_ns.get()})->writeToFile(
        "/var/mobile/Library/Preferences/com.test.prefs.plist"_ns, true));
    std::string array = readBytes(file);
    testing::internal::CaptureStderr();
    auto d = defaults();
    d->setBool(true, "flag"_ns);
    EXPECT_TRUE(d->synchronize());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(readBytes(file.string() + ".unreadable"), "old unreadable copy");
    EXPECT_EQ(readBytes(file.string() + ".unreadable.2"), array);
    EXPECT_TRUE(onDisk());
}

TEST_F(UserDefaultsTest, AGoodFileGarbledLaterKeepsTheLastGoodValues) {
    writeFromElsewhere({{"keep"_ns.get(), NSNumber::numberWithInt(7).get()}});
    auto d = defaults();
    testing::internal::CaptureStderr();
    writeBytes("<plist><dict><key>broken");
    d->setInteger(1, "new"_ns);
    EXPECT_TRUE(d->synchronize());
    testing::internal::GetCapturedStderr();
    auto disk = onDisk();
    ASSERT_TRUE(disk);
    EXPECT_EQ(intOf(disk->objectForKey("keep"_ns)), 7);
    EXPECT_EQ(intOf(disk->objectForKey("new"_ns)), 1);
    EXPECT_EQ(readBytes(file.string() + ".unreadable"), "<plist><dict><key>broken");
}

TEST_F(UserDefaultsTest, AFailedWriteAnswersNoAndKeepsTheChangeForLater) {
    fs::create_directories(device / "var/mobile/Library");
    std::ofstream(device / "var/mobile/Library/Preferences") << "not a folder";
    auto d = defaults();
    d->setInteger(5, "k"_ns);
    EXPECT_FALSE(d->synchronize());
    EXPECT_EQ(d->integerForKey("k"_ns), 5);
    fs::remove(device / "var/mobile/Library/Preferences");
    EXPECT_TRUE(d->synchronize());
    EXPECT_EQ(intOf(onDisk()->objectForKey("k"_ns)), 5);
}

TEST_F(UserDefaultsTest, AnsweringThroughTheRuntime) {
    auto d = defaults();
    objc::send<void, long, id>(d.get(), "setInteger:forKey:", 6, "mail_label_style"_ns.get());
    id value = objc::send<id, id>(d.get(), "objectForKey:", "mail_label_style"_ns.get());
    EXPECT_EQ(intOf(objc::cast<NSObject>(value)), 6);
    EXPECT_TRUE(objc::send<BOOL>(d.get(), "synchronize"));
    EXPECT_EQ(intOf(onDisk()->objectForKey("mail_label_style"_ns)), 6);
    id standard = objc::send<id>(objc_getClass("NSUserDefaults"), "standardUserDefaults");
    EXPECT_EQ(standard, static_cast<id>(NSUserDefaults::standardUserDefaults()));
}
