#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "Color/UIColor_Expanded.h"
#include "Color/UIColor_Expanded_Support.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

using UIColor_Expanded::colorWithName;
using UIColor_Expanded::rgbHex;
using UIColor_Expanded_Support::kColorNameTable;
using UIColor_Expanded_Support::searchForColorByName;

namespace {

// The table's entries, in order, as name and value.
std::vector<std::pair<std::string, std::uint32_t>> tableEntries() {
    std::vector<std::pair<std::string, std::uint32_t>> entries;
    std::string table = kColorNameTable;
    std::regex entry(",([a-z]+)#([0-9a-f]{6})");
    for (auto it = std::sregex_iterator(table.begin(), table.end(), entry); it != std::sregex_iterator(); ++it)
        entries.emplace_back((*it)[1], static_cast<std::uint32_t>(std::stoul((*it)[2], nullptr, 16)));
    return entries;
}

// The CSS keywords from a list we did not write: the colour-name table that
// Debian's node-color-name package ships. It follows CSS Color Level 4, which
// adds one keyword ("rebeccapurple") to the 147 of Level 3.
std::map<std::string, std::uint32_t> independentKeywords() {
    std::ifstream in("/usr/share/nodejs/color-name/index.js");
    std::stringstream text;
    text << in.rdbuf();
    std::string s = text.str();
    std::map<std::string, std::uint32_t> keywords;
    std::regex entry("\"([a-z]+)\"\\s*:\\s*\\[\\s*(\\d+)\\s*,\\s*(\\d+)\\s*,\\s*(\\d+)\\s*\\]");
    for (auto it = std::sregex_iterator(s.begin(), s.end(), entry); it != std::sregex_iterator(); ++it) {
        if ((*it)[1] == "rebeccapurple") continue;
        keywords[(*it)[1]] = static_cast<std::uint32_t>(std::stoul((*it)[2]) << 16 | std::stoul((*it)[3]) << 8 |
                                                        std::stoul((*it)[4]));
    }
    return keywords;
}

int searches = 0;
IMP originalSearch = nullptr;

id countingSearch(id self, SEL cmd, id name) {
    ++searches;
    return reinterpret_cast<id (*)(id, SEL, id)>(originalSearch)(self, cmd, name);
}

id throwingSearch(id, SEL, id) { throw std::runtime_error("search failed"); }

// Counts the table searches made while it lives.
struct SearchCounter {
    Method method = class_getClassMethod(UIColor::class_(), sel_registerName("searchForColorByName:"));
    SearchCounter() {
        searches = 0;
        originalSearch = method_setImplementation(method, reinterpret_cast<IMP>(&countingSearch));
    }
    ~SearchCounter() { method_setImplementation(method, originalSearch); }
};

}  // namespace

TEST(UIColorNamedColours, TableHoldsTheCSSKeywordsInOrderWithBothGreySpellings) {
    std::string table = kColorNameTable;
    EXPECT_EQ(table.rfind(",aliceblue#f0f8ff,antiquewhite#faebd7", 0), 0u);
    EXPECT_TRUE(table.ends_with("yellowgreen#9acd32"));
    auto entries = tableEntries();
    ASSERT_EQ(entries.size(), 147u);
    // Every byte of the table belongs to an entry of the expected form.
    EXPECT_EQ(table.size(), [&] {
        std::size_t n = 0;
        for (auto& e : entries) n += 1 + e.first.size() + 7;
        return n;
    }());
    for (std::size_t i = 1; i < entries.size(); ++i) EXPECT_LT(entries[i - 1].first, entries[i].first);

    auto keywords = independentKeywords();
    ASSERT_EQ(keywords.size(), 147u) << "Debian's node-color-name is needed (scripts/ensure-packages.sh)";
    for (auto& [name, value] : entries) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(keywords.count(name));
        EXPECT_EQ(value, keywords[name]);
    }
    EXPECT_EQ(keywords["grey"], keywords["gray"]);
    EXPECT_EQ(keywords["darkslategrey"], keywords["darkslategray"]);
}

TEST(UIColorNamedColours, EveryEntryIsFoundByItsWholeName) {
    for (auto& [name, value] : tableEntries()) {
        auto color = searchForColorByName(NSString::from(name));
        ASSERT_TRUE(color) << name;
        EXPECT_EQ(rgbHex(color), value) << name;
    }
}

TEST(UIColorNamedColours, ProbeMatchesWholeEntriesOnly) {
    EXPECT_EQ(rgbHex(searchForColorByName("aliceblue"_ns)), 0xF0F8FFu);
    EXPECT_EQ(rgbHex(searchForColorByName("yellowgreen"_ns)), 0x9ACD32u);
    // "blue" is neither the end of "aliceblue" nor the start of "blueviolet".
    EXPECT_EQ(rgbHex(searchForColorByName("blue"_ns)), 0x0000FFu);
    EXPECT_EQ(rgbHex(searchForColorByName("green"_ns)), 0x008000u);
    for (const char* miss : {"Blue", "BLUE", "blu", "lue", "eblue", " blue", "blue ", "", "#", ",", "f0f8ff",
                             "blue#0000ff,red", "aliceblue#f0f8ff,antiquewhite", "rebeccapurple"}) {
        EXPECT_FALSE(searchForColorByName(NSString::from(miss))) << miss;
    }
    // A NUL inside the name must not cut the probe short.
    EXPECT_FALSE(searchForColorByName(NSString::from(std::string("aliceblu\0e", 10))));
    EXPECT_FALSE(searchForColorByName(nullptr));
}

TEST(UIColorNamedColours, CacheSearchesTheTableOncePerName) {
    SearchCounter counter;
    EXPECT_FALSE(colorWithName("Chartreuse"_ns));
    EXPECT_FALSE(colorWithName("Chartreuse"_ns));
    EXPECT_EQ(searches, 1);
    auto first = colorWithName("chartreuse"_ns);
    auto second = colorWithName(NSString::from("chartreuse"));
    EXPECT_EQ(searches, 2);
    ASSERT_TRUE(first);
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(rgbHex(first), 0x7FFF00u);
    EXPECT_FALSE(colorWithName(nullptr));
    EXPECT_EQ(searches, 2);
}

TEST(UIColorNamedColours, CacheLockIsGivenBackWhenTheSearchThrows) {
    Method method = class_getClassMethod(UIColor::class_(), sel_registerName("searchForColorByName:"));
    IMP original = method_setImplementation(method, reinterpret_cast<IMP>(&throwingSearch));
    EXPECT_THROW(colorWithName("SeaShell"_ns), std::runtime_error);
    method_setImplementation(method, original);
    // Another thread gets the lock, and the failed search left no entry, so
    // the name is searched again.
    SearchCounter counter;
    bool found = true;
    std::thread([&] {
        NSAutoreleasePool pool;
        found = colorWithName("SeaShell"_ns) != nullptr;
    }).join();
    EXPECT_FALSE(found);
    EXPECT_EQ(searches, 1);
}

TEST(UIColorNamedColours, CacheIsSafeFromManyThreads) {
    auto entries = tableEntries();
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            NSAutoreleasePool pool;
            for (int round = 0; round < 3; ++round)
                for (std::size_t i = t; i < entries.size(); i += 2) {
                    auto color = colorWithName(NSString::from(entries[i].first));
                    if (!color || rgbHex(color) != entries[i].second) ++wrong[t];
                    if (colorWithName(NSString::from("no" + entries[i].first))) ++wrong[t];
                }
        });
    for (auto& t : threads) t.join();
    for (int w : wrong) EXPECT_EQ(w, 0);
}
