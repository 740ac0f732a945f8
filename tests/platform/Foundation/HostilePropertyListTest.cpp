// Hostile property-list files: each must give nil (or a sound object) and
// never crash, hang or exhaust memory, in both formats.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>

#include "BplistBuilder.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDate.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSObjectAdditions.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListFile.h"
#include "TempFolder.h"
#include "objc/ClassBuilder.h"

namespace {

Ref<NSObject> parse(const std::string& bytes) { return PropertyListFile::parse(bytes); }

std::string nestedArraysBinary(unsigned depth) {
    BplistBuilder b;
    b.referenceSize = 4;
    for (unsigned i = 0; i + 1 < depth; ++i) b.add(b.array({i + 1}));
    b.add(b.array({}));
    return b.build();
}

std::string nestedArraysXml(unsigned depth) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">";
    for (unsigned i = 0; i < depth; ++i) xml += "<array>";
    for (unsigned i = 0; i < depth; ++i) xml += "</array>";
    return xml + "</plist>";
}

std::string xmlDocument(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\">" +
           body + "</plist>\n";
}

// A sound file with every kind of object, the base for damaged copies.
std::string sampleBinary() {
    auto colour = make<NSDictionary>(std::initializer_list<std::pair<NSObject*, NSObject*>>{
        {"red"_ns, NSNumber::numberWithFloat(0.5f)}, {"alpha"_ns, NSNumber::numberWithFloat(1.0f)}});
    auto list = NSArray::arrayWithObjects({"one"_ns, NSNumber::numberWithInt(-7), NSNumber::numberWithBool(true),
                                           NSNumber::numberWithDouble(0.1), "ünïcödé"_ns});
    auto root = make<NSDictionary>(std::initializer_list<std::pair<NSObject*, NSObject*>>{
        {"someone@example.com"_ns, colour},
        {"list"_ns, list},
        {"data"_ns, NSData::dataWithBytes("\x00\x01\x02", 3)},
        {"when"_ns, NSDate::dateWithTimeIntervalSinceReferenceDate(12345.5)},
        {"mail_label_style"_ns, NSNumber::numberWithInt(3)}});
    return *PropertyListFile::serialize(root);
}

std::string sampleXml() {
    return xmlDocument(
        "<dict><key>a@b.c</key><dict><key>red</key><real>0.5</real></dict>"
        "<key>list</key><array><string>x &amp; y</string><integer>-3</integer><true/><false/>"
        "<data>AAEC</data><date>2011-03-04T05:06:07Z</date></array>"
        "<key>text</key><string>élodie</string></dict>");
}

// Walks everything a caller could reach, so lazily decoded parts are decoded too.
void walk(const NSObject* o) {
    if (auto* a = dynamic_cast<const NSArray*>(o)) {
        for (NSUInteger i = 0; i < a->count(); ++i) walk(a->objectAtIndex(i));
    } else if (auto* d = dynamic_cast<const NSDictionary*>(o)) {
        d->enumerateKeysAndObjectsUsingBlock([&](NSObject* k, NSObject* v, bool*) {
            EXPECT_EQ(d->objectForKey(k), v);
            walk(v);
        });
    }
}

}  // namespace

TEST(HostilePropertyList, DeepNestingIsRefusedInBothFormatsAndTheLimitItselfReads) {
    EXPECT_EQ(parse(nestedArraysBinary(100000)), nullptr);
    EXPECT_EQ(parse(nestedArraysXml(100000)), nullptr);

    const unsigned limit = PropertyListFile::kMaxDepth;
    for (const auto& bytes : {nestedArraysBinary(limit), nestedArraysXml(limit)}) {
        Ref<NSObject> root = parse(bytes);
        ASSERT_NE(root, nullptr);
        unsigned depth = 0;
        for (NSObject* o = root; o; ++depth) {
            auto* a = objc::cast<NSArray>(o);
            ASSERT_NE(a, nullptr);
            o = a->count() ? a->objectAtIndex(0) : nullptr;
        }
        EXPECT_EQ(depth, limit);
    }
    EXPECT_EQ(parse(nestedArraysBinary(limit + 1)), nullptr);
    EXPECT_EQ(parse(nestedArraysXml(limit + 1)), nullptr);
}

TEST(HostilePropertyList, DeepNestingReachedThroughSharedContainersIsRefused) {
    // A deep chain that is first met near the top and again at the bottom of
    // another deep chain: each path alone is within the limit, together not.
    const unsigned half = PropertyListFile::kMaxDepth / 2 + 10;
    auto build = [&](unsigned longChain) {
        BplistBuilder b;
        b.referenceSize = 4;
        const std::uint64_t shared = 2 + longChain;
        b.add(b.array({1, 2}));     // the short way first, then the long one
        b.add(b.array({shared}));
        for (unsigned i = 0; i < longChain; ++i) b.add(b.array({i + 1 < longChain ? 2 + i + 1 : shared}));
        for (unsigned i = 0; i < half; ++i) b.add(i + 1 < half ? b.array({shared + i + 1}) : b.array({}));
        return b.build();
    };
    // Root, the long chain and the shared chain: one level beyond the limit, then at it.
    EXPECT_EQ(parse(build(PropertyListFile::kMaxDepth - half)), nullptr);
    EXPECT_NE(parse(build(PropertyListFile::kMaxDepth - half - 1)), nullptr);
}

TEST(HostilePropertyList, ReferenceCyclesAreRefused) {
    {
        BplistBuilder b;  // an array that holds itself
        b.add(b.array({0}));
        EXPECT_EQ(parse(b.build()), nullptr);
    }
    {
        BplistBuilder b;  // dictionary -> array -> dictionary: the entry reads as absent
        b.add(b.dict({1, 3}, {2, 4}));
        b.add(BplistBuilder::ascii("k"));
        b.add(b.array({0}));
        b.add(BplistBuilder::ascii("other"));
        b.add(BplistBuilder::integer(5));
        Ref<NSObject> root = parse(b.build());
        auto* d = objc::cast<NSDictionary>(root.get());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->objectForKey("k"_ns), nullptr);
        EXPECT_EQ(objc::cast<NSNumber>(d->objectForKey("other"_ns))->intValue(), 5);
        EXPECT_EQ(d->allKeys()->description()->str(), "(\n    other\n)");
    }
    {
        BplistBuilder b;  // a dictionary that holds itself
        b.add(b.dict({1}, {0}));
        b.add(BplistBuilder::ascii("me"));
        Ref<NSObject> root = parse(b.build());
        auto* d = objc::cast<NSDictionary>(root.get());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->objectForKey("me"_ns), nullptr);
    }
    {
        BplistBuilder b;  // sharing without a cycle is fine
        b.add(b.array({1, 1, 2}));
        b.add(BplistBuilder::ascii("same"));
        b.add(b.array({1}));
        Ref<NSObject> root = parse(b.build());
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(NSObjectAdditions::description(root)->str(), "(\n    same,\n    same,\n    (\n        same\n    )\n)");
    }
}

TEST(HostilePropertyList, SharedContainersThatMultiplyBeyondTheFileAreRefused) {
    // Each level holds the next twice: 2^60 objects for a walk of the tree.
    BplistBuilder b;
    for (std::uint64_t i = 0; i < 60; ++i) b.add(b.array({i + 1, i + 1}));
    b.add(BplistBuilder::ascii("boom"));
    EXPECT_EQ(parse(b.build()), nullptr);
}

TEST(HostilePropertyList, SharedDictionariesThatMultiplyStopDecodingInsteadOfExhaustingMemory) {
    // Each level's two keys lead to the same dictionary of the next level.
    BplistBuilder b;
    std::uint64_t a = b.add(BplistBuilder::ascii("a"));
    std::uint64_t c = b.add(BplistBuilder::ascii("b"));
    b.top = 2;
    for (std::uint64_t i = 0; i < 60; ++i) b.add(b.dict({a, c}, {3 + i, 3 + i}));
    b.add(BplistBuilder::ascii("leaf"));
    Ref<NSObject> root = parse(b.build());
    ASSERT_NE(root, nullptr);
    // One path down is fine.
    NSObject* o = root;
    for (int i = 0; i < 60; ++i) o = objc::cast<NSDictionary>(o)->objectForKey("a"_ns);
    EXPECT_EQ(objc::cast<NSString>(o)->str(), "leaf");
    // A walk of everything ends, with what could not be decoded left out.
    EXPECT_LT(NSObjectAdditions::description(root)->str().size(), std::size_t{1} << 20);
}

TEST(HostilePropertyList, ReadsMakeObjectsInProportionToTheFileNotToItsReferences) {
    // Under a sound root, 10,000 references to one small value: shared texts
    // and numbers are one object each and read whole; a shared container
    // would be made again for each reference, and is cut off at the bound.
    const unsigned references = 10000;
    auto build = [&](bool container) {
        BplistBuilder b;
        b.referenceSize = 2;
        b.add(b.dict({2, 1}, {4, 3}));
        b.add(BplistBuilder::ascii("Messages"));
        b.add(BplistBuilder::ascii("Count"));
        b.add(b.array(std::vector<std::uint64_t>(references, 5)));
        b.add(BplistBuilder::integer(references));
        if (container) b.add(b.dict({1}, {6}));
        else b.add(BplistBuilder::ascii("same text"));
        b.add(b.array({2, 4}));
        return b.build();
    };
    {
        PropertyListFile::Contents c = PropertyListFile::parseWhole(build(false));
        ASSERT_NE(c.root, nullptr);
        EXPECT_TRUE(c.whole);
        auto* list = objc::cast<NSArray>(objc::cast<NSDictionary>(c.root.get())->objectForKey("Messages"_ns));
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), references);
        EXPECT_EQ(list->objectAtIndex(0), list->objectAtIndex(references - 1));
    }
    testing::internal::CaptureStderr();
    PropertyListFile::Contents c = PropertyListFile::parseWhole(build(true), "messages.plist");
    std::string log = testing::internal::GetCapturedStderr();
    auto* root = objc::cast<NSDictionary>(c.root.get());
    ASSERT_NE(root, nullptr);
    EXPECT_FALSE(c.whole);
    EXPECT_EQ(root->objectForKey("Messages"_ns), nullptr);
    auto* count = objc::cast<NSNumber>(root->objectForKey("Count"_ns));
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->intValue(), static_cast<int>(references));
    EXPECT_NE(log.find("messages.plist makes more objects than the limit of 4 for each of its 7 objects"),
              std::string::npos)
        << log;
}

TEST(HostilePropertyList, ADamagedValueReadsAsAbsentAndTheRestStillReads) {
    BplistBuilder b;
    b.add(b.dict({1, 2, 3}, {4, 5, 6}));
    b.add(BplistBuilder::ascii("good"));
    b.add(BplistBuilder::ascii("bad text"));
    b.add(BplistBuilder::ascii("bad list"));
    b.add(BplistBuilder::integer(1));
    b.add(BplistBuilder::ascii("caf\xE9"));
    b.add(b.array({4, 99}));
    Ref<NSObject> root = parse(b.build());
    auto* d = objc::cast<NSDictionary>(root.get());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(objc::cast<NSNumber>(d->objectForKey("good"_ns))->intValue(), 1);
    EXPECT_EQ(d->objectForKey("bad text"_ns), nullptr);
    EXPECT_EQ(d->objectForKey("bad list"_ns), nullptr);
    EXPECT_EQ(d->description()->str(), "{\n    good = 1;\n}");
    EXPECT_EQ(d->allValues()->count(), 1u);
}

TEST(HostilePropertyList, EveryTruncationOfASoundFileIsHandled) {
    for (const auto& whole : {sampleBinary(), sampleXml()}) {
        ASSERT_NE(parse(whole), nullptr);
        for (std::size_t n = 0; n < whole.size(); ++n) {
            Ref<NSObject> o = parse(whole.substr(0, n));
            if (o) walk(o);
        }
        // A binary file without its whole trailer never reads.
        if (whole.starts_with("bplist")) {
            for (std::size_t n = 0; n < whole.size(); ++n) EXPECT_EQ(parse(whole.substr(0, n)), nullptr) << n;
        }
    }
}

TEST(HostilePropertyList, TrailerFieldsOutOfRangeAreRefused) {
    BplistBuilder b;
    b.add(b.array({1}));
    b.add(BplistBuilder::ascii("x"));
    ASSERT_NE(parse(b.build()), nullptr);
    auto lie = [&](auto change) {
        BplistBuilder::Trailer t = b.trailer();
        change(t);
        return parse(b.build(t));
    };
    EXPECT_EQ(lie([](auto& t) { t.top = 2; }), nullptr);
    EXPECT_EQ(lie([](auto& t) { t.objectCount = 0; }), nullptr);
    EXPECT_EQ(lie([](auto& t) { t.objectCount = std::uint64_t{1} << 60; }), nullptr);
    EXPECT_EQ(lie([](auto& t) { t.objectCount = ~std::uint64_t{0}; }), nullptr);
    EXPECT_EQ(lie([](auto& t) { t.tableOffset = ~std::uint64_t{0} - 3; }), nullptr);
    EXPECT_EQ(lie([](auto& t) { t.tableOffset = 3; }), nullptr);
    EXPECT_EQ(lie([](auto& t) { t.offsetSize = 0; }), nullptr);
    EXPECT_EQ(lie([](auto& t) { t.offsetSize = 9; }), nullptr);
    EXPECT_EQ(lie([](auto& t) { t.referenceSize = 0; }), nullptr);
    EXPECT_EQ(lie([](auto& t) { t.referenceSize = 200; }), nullptr);
}

TEST(HostilePropertyList, OffsetsAndCountsOutOfRangeAreRefused) {
    {
        BplistBuilder b;  // a reference to an object that does not exist
        b.add(b.array({7}));
        EXPECT_EQ(parse(b.build()), nullptr);
    }
    {
        BplistBuilder b;  // an offset into the header, one past the objects
        b.add(b.array({1}));
        b.add(BplistBuilder::ascii("x"));
        std::string bytes = b.build();
        std::size_t table = bytes.size() - 32 - 2;
        for (char bad : {'\x02', static_cast<char>(table), '\xff'}) {
            std::string copy = bytes;
            copy[table + 1] = bad;
            EXPECT_EQ(parse(copy), nullptr) << int(bad);
        }
    }
    // Counts far beyond the bytes, including ones that overflow when
    // multiplied by the reference size.
    for (std::uint64_t count : {std::uint64_t{40}, std::uint64_t{1} << 62, ~std::uint64_t{0}}) {
        for (unsigned type : {0x4u, 0x5u, 0x6u, 0xAu, 0xDu}) {
            BplistBuilder b;
            b.add(BplistBuilder::marker(type, count) + std::string(4, '\0'));
            EXPECT_EQ(parse(b.build()), nullptr) << type << " " << count;
        }
    }
    {
        BplistBuilder b;  // a count whose own integer is cut off
        b.add("\xAF\x13\x00");
        EXPECT_EQ(parse(b.build()), nullptr);
    }
    {
        BplistBuilder b;  // unknown markers, fill bytes and 128-bit integers too big for 64 bits
        for (std::string bad : {std::string("\x0F"), std::string("\x70"), std::string("\x15") + std::string(32, 'x'),
                                std::string("\x14") + BplistBuilder::be(1, 8) + BplistBuilder::be(0, 8),
                                std::string("\x21\x00\x00"), std::string("\x80\x01"), std::string("\xC1\x00")}) {
            BplistBuilder one;
            one.add(bad);
            EXPECT_EQ(parse(one.build()), nullptr);
        }
    }
}

TEST(HostilePropertyList, DictionaryKeysMustBeStrings) {
    BplistBuilder b;
    b.add(b.dict({1}, {2}));
    b.add(BplistBuilder::integer(1));
    b.add(BplistBuilder::ascii("v"));
    EXPECT_EQ(parse(b.build()), nullptr);
}

TEST(HostilePropertyList, TextThatIsNotUnicodeIsRefused) {
    {
        BplistBuilder b;  // "ASCII" with a high byte
        b.add(BplistBuilder::ascii("caf\xE9"));
        EXPECT_EQ(parse(b.build()), nullptr);
    }
    for (std::vector<std::uint16_t> units : {std::vector<std::uint16_t>{0xD800}, {0xDC00, 0x41}, {0xD83D, 0x41}}) {
        BplistBuilder b;  // surrogates out of pairs
        b.add(BplistBuilder::utf16(units));
        EXPECT_EQ(parse(b.build()), nullptr);
    }
    {
        BplistBuilder b;  // a sound pair gives the character
        b.add(BplistBuilder::utf16({0xD83D, 0xDE00, 0xE9}));
        Ref<NSObject> s = parse(b.build());
        ASSERT_NE(objc::cast<NSString>(s), nullptr);
        EXPECT_EQ(objc::cast<NSString>(s)->str(), "\U0001F600\u00E9");
    }
    EXPECT_EQ(parse(xmlDocument("<string>caf\xE9</string>")), nullptr);
    EXPECT_EQ(parse(xmlDocument("<dict><key>\xC3\x28</key><string>x</string></dict>")), nullptr);
    EXPECT_EQ(parse(xmlDocument("<array><string>\xED\xA0\x80</string></array>")), nullptr);
}

TEST(HostilePropertyList, XmlMarkupThatIsCutOffOrUnbalancedIsRefused) {
    for (std::string body : {"<array><string>x</string>", "<array></array></array>", "<array><!-- open",
                             "<array><![CDATA[ open</array>", "<array attr=\"></array>"}) {
        EXPECT_EQ(parse(xmlDocument(body)), nullptr) << body;
    }
    // Markup inside comments, CDATA and attribute values does not count as nesting.
    std::string comment = "<!--" + nestedArraysXml(5000) + "-->";
    Ref<NSObject> o = parse(xmlDocument(comment + "<array " + "x=\"<array><array>\"" + "><string><![CDATA[<array>]]></string></array>"));
    ASSERT_NE(objc::cast<NSArray>(o), nullptr);
    EXPECT_EQ(objc::cast<NSString>(objc::cast<NSArray>(o)->objectAtIndex(0))->str(), "<array>");
}

TEST(HostilePropertyList, RandomDamageNeverCrashes) {
    std::mt19937 random(20240601);
    for (const auto& whole : {sampleBinary(), sampleXml()}) {
        std::uniform_int_distribution<std::size_t> at(0, whole.size() - 1);
        std::uniform_int_distribution<int> byte(0, 255);
        for (int round = 0; round < 3000; ++round) {
            std::string damaged = whole;
            for (int k = round % 4 + 1; k > 0; --k) damaged[at(random)] = static_cast<char>(byte(random));
            Ref<NSObject> o = parse(damaged);
            if (!o) continue;
            walk(o);
            NSObjectAdditions::description(o);
            PropertyListFile::serialize(o);
        }
    }
}

TEST(HostilePropertyList, EachKindOfFileReadsUpToItsSizeLimitAndNotAByteMore) {
    TempFolder dir;
    std::filesystem::create_directories(dir.path() / "Library/Preferences");
    // A file of exactly `size` bytes, binary (one blob of data) or XML (one text).
    auto binaryOf = [](std::size_t size) {
        auto build = [](std::size_t n) {
            BplistBuilder b;
            b.add(b.dict({1}, {2}));
            b.add(BplistBuilder::ascii("blob"));
            b.add(BplistBuilder::marker(0x4, n) + std::string(n, '\x5A'));
            return b.build();
        };
        return build(size - (build(size / 2).size() - size / 2));
    };
    auto xmlOf = [](std::size_t size) {
        std::string frame = xmlDocument("<dict><key>blob</key><string></string></dict>");
        return xmlDocument("<dict><key>blob</key><string>" + std::string(size - frame.size(), 'x') + "</string></dict>");
    };
    struct Case {
        const char* file;
        std::uint64_t limit;
        bool binary;
    };
    const Case cases[] = {
        {"Library/Preferences/com.Brisval.Korvel.plist", PropertyListFile::kMaxPreferencesBytes, true},
        {"Library/Preferences/com.apple.mobilemail.plist", PropertyListFile::kMaxPreferencesBytes, false},
        {"Mailbox.plist", PropertyListFile::kMaxOtherBytes, true},
        {"Mailbox.xml", PropertyListFile::kMaxOtherBytes, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = dir.file(c.file);
        for (std::uint64_t size : {c.limit, c.limit + 1}) {
            std::string bytes = c.binary ? binaryOf(size) : xmlOf(size);
            ASSERT_EQ(bytes.size(), size);
            std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
            testing::internal::CaptureStderr();
            Ref<NSDictionary> first = NSDictionary::dictionaryWithContentsOfFile(NSString::from(path));
            Ref<NSDictionary> again = NSDictionary::dictionaryWithContentsOfFile(NSString::from(path));
            std::string log = testing::internal::GetCapturedStderr();
            if (size == c.limit) {
                ASSERT_NE(first, nullptr);
                EXPECT_NE(first->objectForKey("blob"_ns), nullptr);
                EXPECT_EQ(log, "");
            } else {
                EXPECT_EQ(first, nullptr);
                EXPECT_EQ(again, nullptr);
                // One line for both reads, naming the file and the limit.
                EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
                EXPECT_NE(log.find(path), std::string::npos) << log;
                EXPECT_NE(log.find("limit of " + std::to_string(c.limit) + " bytes"), std::string::npos) << log;
            }
        }
    }
    // Text that is not markup never reaches the XML parser; noise with or
    // without the binary signature never reads.
    const std::size_t big = std::size_t{64} << 20;
    EXPECT_EQ(parse(std::string(big, '\0')), nullptr);
    std::string noise(big, '\0');
    std::mt19937_64 random(7);
    for (std::size_t i = 0; i + 8 <= noise.size(); i += 8) {
        std::uint64_t r = random();
        std::memcpy(noise.data() + i, &r, 8);
    }
    EXPECT_EQ(parse(noise), nullptr);
    noise.replace(0, 8, "bplist00");
    EXPECT_EQ(parse(noise), nullptr);
}

TEST(HostilePropertyList, FilesThatAreNotRegularFilesReadAsMissing) {
    TempFolder dir;
    EXPECT_EQ(NSDictionary::dictionaryWithContentsOfFile(NSString::from(dir.path().string())), nullptr);
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    EXPECT_EQ(NSDictionary::dictionaryWithContentsOfFile(NSString::from(dir.file("pipe"))), nullptr);
    EXPECT_EQ(NSDictionary::dictionaryWithContentsOfFile("/dev/zero"_ns), nullptr);
}
