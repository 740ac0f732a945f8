// Checked against Python's plistlib: what it writes we read with the same
// values, what we write it reads with the same values, and every settings
// description file from real apps reads as it reads them.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "Foundation/NSData.h"
#include "Foundation/NSDate.h"
#include "Foundation/NSMutableArray.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "TempFolder.h"

namespace fs = std::filesystem;

namespace {

const std::string kTool = KORVEL_SOURCE_DIR "/tests/platform/Foundation/plist_check.py";

std::string hex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 0xF];
    }
    return out;
}

// The same canonical form as the Python tool prints.
std::string canon(const NSObject* o) {
    char buf[64];
    if (auto* n = dynamic_cast<const NSNumber*>(o)) {
        switch (n->kind()) {
        case NSNumber::Kind::Bool: return n->boolValue() ? "b:1" : "b:0";
        case NSNumber::Kind::Integer: std::snprintf(buf, sizeof buf, "i:%lld", n->longLongValue()); return buf;
        case NSNumber::Kind::UnsignedInteger:
            std::snprintf(buf, sizeof buf, "i:%llu", n->unsignedLongLongValue());
            return buf;
        default: std::snprintf(buf, sizeof buf, "r:%.17g", n->doubleValue()); return buf;
        }
    }
    if (auto* s = dynamic_cast<const NSString*>(o)) return "s:" + hex(s->str());
    if (auto* d = dynamic_cast<const NSData*>(o)) return "d:" + hex(d->view());
    if (auto* t = dynamic_cast<const NSDate*>(o)) {
        std::snprintf(buf, sizeof buf, "t:%.3f", t->timeIntervalSinceReferenceDate());
        return buf;
    }
    if (auto* a = dynamic_cast<const NSArray*>(o)) {
        std::string out = "[";
        for (NSUInteger i = 0; i < a->count(); ++i) out += (i ? "," : "") + canon(a->objectAtIndex(i));
        return out + "]";
    }
    if (auto* d = dynamic_cast<const NSDictionary*>(o)) {
        std::string out = "{";
        d->enumerateKeysAndObjectsUsingBlock([&](NSObject* k, NSObject* v, bool*) {
            out += (out.size() > 1 ? "," : "") + canon(k) + "=" + canon(v);
        });
        return out + "}";
    }
    return "?";
}

std::string python(const std::string& arguments) {
    std::string command = "python3 '" + kTool + "' " + arguments;
    FILE* p = ::popen(command.c_str(), "r");
    if (!p) return "popen failed";
    std::string out;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    int status = ::pclose(p);
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return status == 0 ? out : "python failed: " + out;
}

std::string shellQuoted(const std::string& path) { return "'" + path + "'"; }

Ref<NSObject> readFile(const std::string& path) {
    Ref<NSObject> d = NSDictionary::dictionaryWithContentsOfFile(NSString::from(path));
    if (!d) d = NSArray::arrayWithContentsOfFile(NSString::from(path));
    return d;
}

}  // namespace

TEST(Plistlib, FilesItWritesReadWithTheSameValues) {
    TempFolder dir;
    for (const char* format : {"binary", "xml"}) {
        std::string file = dir.file(std::string("sample.") + format);
        ASSERT_EQ(python(std::string("sample ") + format + " " + shellQuoted(file)), "");
        Ref<NSObject> ours = readFile(file);
        ASSERT_NE(ours, nullptr) << format;
        EXPECT_EQ(canon(ours), python("canon " + shellQuoted(file))) << format;
    }
}

TEST(Plistlib, FilesWeWriteItReadsWithTheSameValues) {
    TempFolder dir;
    // Its own samples, read and written again by us.
    for (const char* format : {"binary", "xml"}) {
        std::string original = dir.file(std::string("sample.") + format);
        ASSERT_EQ(python(std::string("sample ") + format + " " + shellQuoted(original)), "");
        Ref<NSDictionary> d = NSDictionary::dictionaryWithContentsOfFile(NSString::from(original));
        ASSERT_NE(d, nullptr);
        std::string copy = dir.file(std::string("copy.") + format);
        ASSERT_TRUE(d->writeToFile(NSString::from(copy), true));
        EXPECT_EQ(python("canon " + shellQuoted(copy)), python("canon " + shellQuoted(original))) << format;
    }
    // Values made here, of every kind, including 32-bit floats.
    auto d = NSMutableDictionary::dictionary();
    auto colour = NSMutableDictionary::dictionary();
    for (auto [k, v] : {std::pair{"red", 0.1f}, {"green", 0.7f}, {"blue", 1.0f}, {"alpha", 0.333f}})
        colour->setObject(NSNumber::numberWithFloat(v), NSString::from(k));
    d->setObject(colour, "\u00e9lodie@example.com"_ns);
    d->setObject(NSNumber::numberWithDouble(-2.5e-308), "tiny"_ns);
    d->setObject(NSNumber::numberWithUnsignedLongLong(18446744073709551615ULL), "largest"_ns);
    d->setObject(NSNumber::numberWithLongLong(-9223372036854775807LL - 1), "smallest"_ns);
    d->setObject(NSNumber::numberWithBool(false), "flag"_ns);
    d->setObject("emoji \U0001F600 and \u65e5\u672c"_ns, "text"_ns);
    d->setObject(NSDate::dateWithTimeIntervalSinceReferenceDate(-31536000.5), "before 2001"_ns);
    auto list = NSMutableArray::array();
    list->addObject(NSData::dataWithBytes("\x01\x02", 2));
    list->addObject(NSArray::array());
    list->addObject(NSDictionary::dictionary());
    d->setObject(list, "list"_ns);
    // Enough objects and bytes that references take two bytes and offsets four.
    auto many = NSMutableArray::array();
    for (int i = 0; i < 300; ++i) many->addObject(NSString::stringWithFormat("address%03d@example.com", i));
    d->setObject(many, "many"_ns);
    d->setObject(NSData::dataWithBytes(std::string(70000, 'x').data(), 70000), "large"_ns);
    std::string file = dir.file("ours.plist");
    ASSERT_TRUE(d->writeToFile(NSString::from(file), true));
    EXPECT_EQ(python("canon " + shellQuoted(file)), canon(d));
}

TEST(Plistlib, SettingsFilesOfRealAppsReadAsItReadsThem) {
    std::vector<std::string> files;
    std::string arguments;
    for (const auto& e : fs::recursive_directory_iterator(KORVEL_SHARED_DIR "/testdata/settings-bundles")) {
        if (e.path().extension() != ".plist") continue;
        files.push_back(e.path().string());
        arguments += " " + shellQuoted(e.path().string());
    }
    ASSERT_GE(files.size(), 15u);
    std::istringstream theirs(python("canon" + arguments));
    for (const auto& file : files) {
        std::string line;
        std::getline(theirs, line);
        Ref<NSObject> ours = readFile(file);
        ASSERT_NE(ours, nullptr) << file;
        EXPECT_EQ(canon(ours), line) << file;
    }
}
