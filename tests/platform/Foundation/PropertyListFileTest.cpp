// Reading and writing property-list files: formats, key order, kinds of
// numbers, phone paths, atomic replacement, and the hook's way of reading.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

#include "BplistBuilder.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDate.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSMutableArray.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNull.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSObjectAdditions.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListFile.h"
#include "TempFolder.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace fs = std::filesystem;

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void spit(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

Ref<NSString> path(const std::string& p) { return NSString::from(p); }

NSNumber* number(NSObject* o) { return objc::cast<NSNumber>(o); }

Ref<NSMutableDictionary> labelPreferences() {
    auto d = NSMutableDictionary::dictionary();
    auto colour = NSMutableDictionary::dictionary();
    colour->setObject(NSNumber::numberWithFloat(0.1f), "red"_ns);
    colour->setObject(NSNumber::numberWithFloat(0.2f), "green"_ns);
    colour->setObject(NSNumber::numberWithFloat(0.3f), "blue"_ns);
    colour->setObject(NSNumber::numberWithFloat(1.0f), "alpha"_ns);
    d->setObject(colour, "zed@example.com"_ns);
    d->setObject(NSNumber::numberWithInt(4), "quick@example.com"_ns);
    auto aliases = NSMutableDictionary::dictionary();
    aliases->setObject("élodie@example.com"_ns, "élodie@example.com"_ns);
    d->setObject(aliases, "Aliases"_ns);
    d->setObject(NSNumber::numberWithInt(6), "mail_label_style"_ns);
    d->setObject(NSNumber::numberWithBool(true), "main_mailbox_color_aliases"_ns);
    d->setObject("1"_ns, "main_mailbox_color_lbl"_ns);
    d->setObject(NSNumber::numberWithDouble(0.1), "double"_ns);
    d->setObject(NSNumber::numberWithLongLong(-5000000000LL), "long"_ns);
    d->setObject(NSData::dataWithBytes("\0\xff", 2), "data"_ns);
    d->setObject(NSDate::dateWithTimeIntervalSinceReferenceDate(86400.25), "date"_ns);
    d->setObject(NSArray::arrayWithObjects({"a"_ns, NSNumber::numberWithInt(1)}), "list"_ns);
    return d;
}

}  // namespace

TEST(PropertyListFile, WrittenFilesAreBinaryAndReadBackWithKindsAndKeyOrder) {
    TempFolder dir;
    auto written = labelPreferences();
    ASSERT_TRUE(written->writeToFile(path(dir.file("p.plist")), true));
    EXPECT_TRUE(slurp(dir.file("p.plist")).starts_with("bplist00"));

    Ref<NSDictionary> read = NSDictionary::dictionaryWithContentsOfFile(path(dir.file("p.plist")));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->isEqual(written));
    EXPECT_TRUE(read->allKeys()->isEqual(written->allKeys()));

    auto* colour = objc::cast<NSDictionary>(read->objectForKey("zed@example.com"_ns));
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(number(colour->objectForKey("red"_ns))->kind(), NSNumber::Kind::Float);
    EXPECT_EQ(number(colour->objectForKey("red"_ns))->floatValue(), 0.1f);
    EXPECT_EQ(number(read->objectForKey("double"_ns))->kind(), NSNumber::Kind::Double);
    EXPECT_EQ(number(read->objectForKey("double"_ns))->doubleValue(), 0.1);
    EXPECT_EQ(number(read->objectForKey("main_mailbox_color_aliases"_ns))->kind(), NSNumber::Kind::Bool);
    EXPECT_EQ(number(read->objectForKey("long"_ns))->longLongValue(), -5000000000LL);
    EXPECT_EQ(objc::cast<NSDate>(read->objectForKey("date"_ns))->timeIntervalSinceReferenceDate(), 86400.25);
    EXPECT_EQ(NSObjectAdditions::description(
                  objc::cast<NSDictionary>(read->objectForKey("Aliases"_ns))->objectForKey("élodie@example.com"_ns))
                  ->str(),
              "élodie@example.com");
    EXPECT_EQ(read->objectForKey("nobody@example.com"_ns), nullptr);
    EXPECT_EQ(read->objectForKey(NSNumber::numberWithInt(6)), nullptr);
}

TEST(PropertyListFile, XmlFilesReadWithTheirKeyOrder) {
    TempFolder dir;
    spit(dir.file("x.plist"),
         "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
         "<plist version=\"1.0\"><dict>"
         "<key>zeta</key><integer>-12</integer>"
         "<key>alpha</key><real>2.5</real>"
         "<key>mid</key><array><true/><string>a &lt; b</string><data>AAH/</data></array>"
         "<key>alpha</key><string>later value, first place</string>"
         "</dict></plist>");
    Ref<NSDictionary> d = NSDictionary::dictionaryWithContentsOfFile(path(dir.file("x.plist")));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->description()->str(),
              "{\n    zeta = -12;\n    alpha = \"later value, first place\";\n"
              "    mid = (\n        1,\n        \"a < b\",\n        <0001ff>\n    );\n}");
    EXPECT_EQ(number(d->objectForKey("zeta"_ns))->kind(), NSNumber::Kind::Integer);
}

TEST(PropertyListFile, DuplicateKeysInABinaryFileKeepTheFirstPlaceAndTheLastValue) {
    BplistBuilder b;
    b.add(b.dict({1, 2, 1}, {3, 4, 5}));
    b.add(BplistBuilder::ascii("k"));
    b.add(BplistBuilder::utf16({0xE9}));
    b.add(BplistBuilder::ascii("first"));
    b.add(BplistBuilder::ascii("other"));
    b.add(BplistBuilder::ascii("last"));
    TempFolder dir;
    spit(dir.file("d.plist"), b.build());
    Ref<NSDictionary> d = NSDictionary::dictionaryWithContentsOfFile(path(dir.file("d.plist")));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->count(), 2u);
    EXPECT_EQ(d->description()->str(), "{\n    k = last;\n    \"\u00e9\" = other;\n}");
    EXPECT_EQ(objc::cast<NSString>(d->objectForKey("\u00e9"_ns))->str(), "other");
}

TEST(PropertyListFile, LargeDictionariesFindEveryKey) {
    auto d = NSMutableDictionary::dictionary();
    for (int i = 0; i < 500; ++i)
        d->setObject(NSNumber::numberWithInt(i), NSString::stringWithFormat("key-%d-\u00fc", i));
    TempFolder dir;
    ASSERT_TRUE(d->writeToFile(path(dir.file("big.plist")), true));
    Ref<NSDictionary> read = NSDictionary::dictionaryWithContentsOfFile(path(dir.file("big.plist")));
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->count(), 500u);
    for (int i = 0; i < 500; ++i)
        EXPECT_EQ(number(read->objectForKey(NSString::stringWithFormat("key-%d-\u00fc", i)))->intValue(), i);
    EXPECT_EQ(read->objectForKey("key-500-\u00fc"_ns), nullptr);
}

TEST(PropertyListFile, MissingUnreadableAndMistypedFilesGiveNil) {
    TempFolder dir;
    spit(dir.file("empty.plist"), "");
    spit(dir.file("text.plist"), "just some words");
    spit(dir.file("array.plist"), *PropertyListFile::serialize(NSArray::arrayWithObjects({"x"_ns})));
    spit(dir.file("string.plist"), *PropertyListFile::serialize("root"_ns));
    for (const char* name : {"missing.plist", "empty.plist", "text.plist", "array.plist", "string.plist"}) {
        EXPECT_EQ(NSDictionary::dictionaryWithContentsOfFile(path(dir.file(name))), nullptr) << name;
        EXPECT_EQ(NSMutableDictionary::dictionaryWithContentsOfFile(path(dir.file(name))), nullptr) << name;
    }
    EXPECT_EQ(NSDictionary::dictionaryWithContentsOfFile(nullptr), nullptr);
    ASSERT_NE(NSArray::arrayWithContentsOfFile(path(dir.file("array.plist"))), nullptr);
    EXPECT_EQ(NSArray::arrayWithContentsOfFile(path(dir.file("string.plist"))), nullptr);
}

TEST(PropertyListFile, PhonePathsResolveInsideTheDeviceFolder) {
    TempFolder dir;
    ASSERT_TRUE(DeviceFolder::setRoot(dir.path().string()));
    fs::create_directories(dir.path() / "var/mobile/Library/Preferences");
    auto phone = "/var/mobile/Library/Preferences/com.Brisval.Korvel.plist"_ns;
    ASSERT_TRUE(labelPreferences()->writeToFile(phone, true));
    EXPECT_TRUE(fs::exists(dir.path() / "var/mobile/Library/Preferences/com.Brisval.Korvel.plist"));
    // The same file through the phone's other name for the folder.
    EXPECT_NE(NSDictionary::dictionaryWithContentsOfFile("/User/Library/Preferences/com.Brisval.Korvel.plist"_ns),
              nullptr);
    auto data = NSData::dataWithContentsOfFile(phone);
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->view().starts_with("bplist00"));
}

TEST(PropertyListFile, AFailedWriteAnswersNoAndLeavesTheOldFileAsItWas) {
    TempFolder dir;
    const std::string target = dir.file("prefs.plist");
    ASSERT_TRUE(labelPreferences()->writeToFile(path(target), true));
    const std::string before = slurp(target);

    // Objects that are not property-list objects, or would not come back as they are.
    auto bad = NSMutableDictionary::dictionaryWithDictionary(labelPreferences());
    bad->setObject(NSIndexPath::indexPathForRow(1, 2), "path"_ns);
    EXPECT_FALSE(bad->writeToFile(path(target), true));
    EXPECT_FALSE(bad->writeToFile(path(target), false));
    auto nulled = NSMutableDictionary::dictionary();
    nulled->setObject(NSNull::null(), "n"_ns);
    EXPECT_FALSE(nulled->writeToFile(path(target), true));
    auto numberKey = NSMutableDictionary::dictionary();
    numberKey->setObject("v"_ns, NSNumber::numberWithInt(1));
    EXPECT_FALSE(numberKey->writeToFile(path(target), true));
    auto nul = NSMutableDictionary::dictionary();
    nul->setObject(NSString::from(std::string("a\0b", 3)), "k"_ns);
    EXPECT_FALSE(nul->writeToFile(path(target), true));
    auto self = NSMutableArray::array();
    self->addObject(self);
    EXPECT_FALSE(self->writeToFile(path(target), true));
    self->removeAllObjects();
    EXPECT_EQ(slurp(target), before);

    // A target that cannot be replaced: the temporary file goes too.
    fs::create_directory(dir.path() / "folder");
    spit(dir.file("folder/inside"), "x");
    EXPECT_FALSE(labelPreferences()->writeToFile(path(dir.file("folder")), true));
    EXPECT_FALSE(labelPreferences()->writeToFile(path(dir.file("no/such/folder/p.plist")), true));
    EXPECT_FALSE(labelPreferences()->writeToFile(path(dir.file("no/such/folder/p.plist")), false));
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"folder", "prefs.plist"}));
    EXPECT_EQ(slurp(target), before);
}

TEST(PropertyListFile, AtomicWritesReplaceTheFileAndKeepItsPermissions) {
    TempFolder dir;
    const std::string target = dir.file("prefs.plist");
    spit(target, "old contents");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    auto d = NSMutableDictionary::dictionary();
    d->setObject("v"_ns, "k"_ns);
    ASSERT_TRUE(d->writeToFile(path(target), true));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(NSDictionary::dictionaryWithContentsOfFile(path(target))->isEqual(d));

    // Not atomically: written in place.
    d->setObject("w"_ns, "k"_ns);
    ASSERT_TRUE(d->writeToFile(path(target), false));
    EXPECT_TRUE(NSDictionary::dictionaryWithContentsOfFile(path(target))->isEqual(d));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(PropertyListFile, AWriteRemovesTheStaleTemporaryFilesOfKilledWritersOfTheSameFileOnly) {
    TempFolder dir;
    const std::string target = dir.file("prefs.plist");
    struct Leftover {
        const char* name;
        bool old;     // last written before the new write began
        bool locked;  // held by a writer still at work
        bool removed;
    };
    const Leftover leftovers[] = {
        {".prefs.plist.tmp.a1B2c3", true, false, true},
        {".prefs.plist.tmp.Zz9yX8", false, false, false},
        {".prefs.plist.tmp.live01", true, true, false},
        {".other.plist.tmp.a1B2c3", true, false, false},
        {".prefs.plist.tmp.toolong", true, false, false},
        {"prefs.plist.tmp.a1B2c3", true, false, false},
    };
    std::vector<int> locks;
    for (const Leftover& l : leftovers) {
        spit(dir.file(l.name), "half a file");
        if (l.old)
            fs::last_write_time(dir.file(l.name), fs::file_time_type::clock::now() - std::chrono::hours(1));
        if (l.locked) {
            locks.push_back(::open(dir.file(l.name).c_str(), O_RDONLY | O_CLOEXEC));
            ASSERT_EQ(::flock(locks.back(), LOCK_EX), 0);
        }
    }
    // Those that are newer than the write were made while it ran.
    for (const Leftover& l : leftovers)
        if (!l.old) fs::last_write_time(dir.file(l.name), fs::file_time_type::clock::now() + std::chrono::hours(1));
    ASSERT_TRUE(labelPreferences()->writeToFile(path(target), true));
    for (const Leftover& l : leftovers) EXPECT_EQ(fs::exists(dir.file(l.name)), !l.removed) << l.name;
    EXPECT_TRUE(NSDictionary::dictionaryWithContentsOfFile(path(target))->isEqual(labelPreferences()));
    for (int fd : locks) ::close(fd);
}

TEST(PropertyListFile, MutableDictionaryStartsFromTheFileAndWritesBack) {
    TempFolder dir;
    const std::string target = dir.file("prefs.plist");
    ASSERT_TRUE(labelPreferences()->writeToFile(path(target), true));
    auto d = make<NSMutableDictionary>();
    d->setObject("stale"_ns, "stale"_ns);
    ASSERT_EQ(d->initWithContentsOfFile(path(target)), d.get());
    EXPECT_EQ(d->objectForKey("stale"_ns), nullptr);
    d->removeObjectForKey("quick@example.com"_ns);
    d->setObject(NSNumber::numberWithInt(2), "mail_label_style"_ns);
    ASSERT_TRUE(d->writeToFile(path(target), true));
    Ref<NSDictionary> again = NSDictionary::dictionaryWithContentsOfFile(path(target));
    EXPECT_EQ(number(again->objectForKey("mail_label_style"_ns))->intValue(), 2);
    EXPECT_EQ(again->objectForKey("quick@example.com"_ns), nullptr);
    EXPECT_EQ(again->count(), labelPreferences()->count() - 1);

    EXPECT_EQ(d->initWithContentsOfFile(path(dir.file("missing.plist"))), nullptr);
    EXPECT_EQ(d->count(), 0u);
}

TEST(PropertyListFile, TheHookReadsThroughTheRuntimeAlone) {
    TempFolder dir;
    const std::string target = dir.file("prefs.plist");
    ASSERT_TRUE(labelPreferences()->writeToFile(path(target), true));
    NSAutoreleasePool pool;
    id cls = reinterpret_cast<id>(objc_getClass("NSDictionary"));
    id file = objc::send<id, const char*>(reinterpret_cast<id>(objc_getClass("NSString")), "stringWithUTF8String:",
                                          target.c_str());
    id prefs = objc::send<id, id>(cls, "dictionaryWithContentsOfFile:", file);
    ASSERT_NE(prefs, nullptr);
    auto key = [](const char* k) {
        return objc::send<id, const char*>(reinterpret_cast<id>(objc_getClass("NSString")), "stringWithUTF8String:", k);
    };
    auto lookup = [](id dictionary, id k) { return objc::send<id, id>(dictionary, "objectForKey:", k); };
    auto responds = [](id o, const char* selector) {
        return objc::send<BOOL, SEL>(o, "respondsToSelector:", sel_registerName(selector)) != NO;
    };
    id record = lookup(prefs, objc::send<id>(key("ZED@example.com"), "lowercaseString"));
    ASSERT_TRUE(responds(record, "objectForKey:"));
    EXPECT_FLOAT_EQ(objc::send<float>(lookup(record, key("blue")), "floatValue"), 0.3f);
    // Options are read with intValue: a number, a boolean and a text alike.
    for (const char* option : {"mail_label_style", "main_mailbox_color_aliases", "main_mailbox_color_lbl"}) {
        id value = lookup(prefs, key(option));
        ASSERT_TRUE(responds(value, "intValue"));
        EXPECT_GE(objc::send<int>(value, "intValue"), 1);
    }
    // A quick-colour number answers intValue; a colour record does not.
    EXPECT_TRUE(responds(lookup(prefs, key("quick@example.com")), "intValue"));
    EXPECT_FALSE(responds(record, "intValue"));
    EXPECT_EQ(lookup(prefs, key("missing")), nullptr);
    id missing = objc::send<id, id>(cls, "dictionaryWithContentsOfFile:", key("/no/such/file"));
    EXPECT_EQ(missing, nullptr);
}
