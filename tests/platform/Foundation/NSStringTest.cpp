#include <gtest/gtest.h>

#include <cmath>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSException.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace {

std::string lower(const char* s) { return NSString::from(s)->lowercaseString()->str(); }

std::vector<std::string> split(const char* s, const char* separator) {
    std::vector<std::string> out;
    Ref<NSArray> pieces = NSString::from(s)->componentsSeparatedByString(NSString::from(separator));
    for (NSUInteger i = 0; i < pieces->count(); ++i) out.push_back(objc::cast<NSString>(pieces->objectAtIndex(i))->str());
    return out;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(NSString, NumericValuesReadTheLeadingNumberAsFoundationDoes) {
    EXPECT_EQ("6"_ns->intValue(), 6);
    EXPECT_EQ(" 12abc"_ns->intValue(), 12);
    EXPECT_EQ("abc"_ns->intValue(), 0);
    EXPECT_EQ("\t\n -42"_ns->intValue(), -42);
    EXPECT_EQ("+7"_ns->intValue(), 7);
    EXPECT_EQ("- 7"_ns->intValue(), 0);
    EXPECT_EQ("\u00a0\u3000 5"_ns->intValue(), 5);
    EXPECT_EQ("3.9"_ns->intValue(), 3);
    EXPECT_EQ(""_ns->intValue(), 0);
    // Overflow clamps.
    EXPECT_EQ("99999999999"_ns->intValue(), 2147483647);
    EXPECT_EQ("-99999999999"_ns->intValue(), -2147483647 - 1);
    EXPECT_EQ("99999999999"_ns->longLongValue(), 99999999999LL);
    EXPECT_EQ("99999999999999999999999"_ns->longLongValue(), 9223372036854775807LL);
    EXPECT_EQ("-9223372036854775808"_ns->longLongValue(), -9223372036854775807LL - 1);
    EXPECT_EQ("-99999999999999999999999"_ns->integerValue(), -9223372036854775807L - 1);

    EXPECT_DOUBLE_EQ(" 2.5e3xyz"_ns->doubleValue(), 2500.0);
    EXPECT_DOUBLE_EQ("-.5"_ns->doubleValue(), -0.5);
    EXPECT_DOUBLE_EQ("7."_ns->doubleValue(), 7.0);
    EXPECT_DOUBLE_EQ("1e"_ns->doubleValue(), 1.0);
    EXPECT_DOUBLE_EQ("."_ns->doubleValue(), 0.0);
    EXPECT_DOUBLE_EQ("0x10"_ns->doubleValue(), 0.0);
    EXPECT_DOUBLE_EQ("inf"_ns->doubleValue(), 0.0);
    EXPECT_EQ("1e999"_ns->doubleValue(), HUGE_VAL);
    EXPECT_EQ("-1e999"_ns->doubleValue(), -HUGE_VAL);
    EXPECT_EQ("1e-999"_ns->doubleValue(), 0.0);
    EXPECT_FLOAT_EQ("0.4"_ns->floatValue(), 0.4f);
}

TEST(NSString, BoolValueLooksAtTheFirstSignificantCharacter) {
    for (const char* yes : {"YES", "yes", "Y", "true", "T", "t", "1", "0001", "-1", "+9", "  7", "Yonder"})
        EXPECT_TRUE(NSString::from(yes)->boolValue()) << yes;
    for (const char* no : {"NO", "no", "false", "0", "000", "", "  ", "-0", "x1", "n"})
        EXPECT_FALSE(NSString::from(no)->boolValue()) << no;
}

TEST(NSString, LowercaseUsesFullUnicodeCaseMapping) {
    EXPECT_EQ(lower("\u00c9LODIE@EXAMPLE.COM"), "\u00e9lodie@example.com");
    EXPECT_EQ(lower("Mixed.Case@Example.Org"), "mixed.case@example.org");
    EXPECT_EQ(lower("\u0130stanbul"), "i\u0307stanbul");
    EXPECT_EQ(lower("\u039f\u0394\u039f\u03a3 \u03a3\u0391"), "\u03bf\u03b4\u03bf\u03c2 \u03c3\u03b1");
    EXPECT_EQ(lower("\u0416\u0401\u0141\u01c5"), "\u0436\u0451\u0142\u01c6");
    EXPECT_EQ(lower("STRASSE \u00df"), "strasse \u00df");
    // Bytes that are not UTF-8 pass through unchanged.
    EXPECT_EQ(lower("A\xff" "B"), "a\xff" "b");
}

TEST(NSString, ComponentsKeepEmptyPiecesAndTheWholeTextWhenNotSplit) {
    EXPECT_EQ(split("Jo <jo@x.org>", "<"), (Strings{"Jo ", "jo@x.org>"}));
    EXPECT_EQ(split("jo@x.org>", ">"), (Strings{"jo@x.org", ""}));
    EXPECT_EQ(split("a,,b,", ","), (Strings{"a", "", "b", ""}));
    EXPECT_EQ(split("plain", "<"), (Strings{"plain"}));
    EXPECT_EQ(split("", ","), (Strings{""}));
    EXPECT_EQ(split("a::b", "::"), (Strings{"a", "b"}));
    EXPECT_EQ(split("abc", ""), (Strings{"abc"}));
}

TEST(NSString, SubstringsCountUtf16UnitsAndKeepCharactersWhole) {
    auto s = "a\u00e9\U0001F600b"_ns;  // units: a, é, two for the emoji, b
    struct Case {
        NSUInteger index;
        const char* from;
        const char* to;
    };
    for (const Case& c : {Case{0, "a\u00e9\U0001F600b", ""}, Case{2, "\U0001F600b", "a\u00e9"},
                          Case{3, "\U0001F600b", "a\u00e9"}, Case{4, "b", "a\u00e9\U0001F600"},
                          Case{5, "", "a\u00e9\U0001F600b"}}) {
        EXPECT_EQ(s->substringFromIndex(c.index)->str(), c.from) << c.index;
        EXPECT_EQ(s->substringToIndex(c.index)->str(), c.to) << c.index;
    }
    EXPECT_THROW(s->substringFromIndex(6), Ref<NSException>);
    EXPECT_THROW(s->substringToIndex(6), Ref<NSException>);

    // Past the first eight bytes, which are looked at together.
    auto longer = "<person01@exémple.com>"_ns;
    EXPECT_EQ(longer->length(), 22u);
    EXPECT_EQ(longer->rangeOfString(">"_ns).location, 21u);
    EXPECT_EQ(longer->substringFromIndex(13)->str(), "mple.com>");
    EXPECT_EQ(longer->substringToIndex(12)->str(), "<person01@ex");
    EXPECT_EQ("0123456789abcdef"_ns->substringFromIndex(16)->str(), "");
    EXPECT_THROW("0123456789abcdef"_ns->substringToIndex(17), Ref<NSException>);
}

TEST(NSString, SearchingReplacingAndComparing) {
    auto s = "r\u00e9sum\u00e9@example.com"_ns;
    EXPECT_EQ(s->length(), 18u);
    EXPECT_EQ("\U0001F600"_ns->length(), 2u);
    NSRange at = s->rangeOfString("@"_ns);
    EXPECT_EQ(at.location, 6u);
    EXPECT_EQ(at.length, 1u);
    EXPECT_EQ(s->rangeOfString("#"_ns).location, static_cast<NSUInteger>(NSNotFound));
    EXPECT_EQ(s->rangeOfString(""_ns).location, static_cast<NSUInteger>(NSNotFound));
    EXPECT_EQ(NSNotFound, 0x7fffffff);
    EXPECT_TRUE(s->hasPrefix("r\u00e9s"_ns));
    EXPECT_TRUE(s->hasSuffix(".com"_ns));
    EXPECT_FALSE(s->hasPrefix(""_ns));
    EXPECT_FALSE(s->hasSuffix(nullptr));
    EXPECT_EQ("Root~iphone~iphone"_ns->stringByReplacingOccurrencesOfString("~iphone"_ns, ""_ns)->str(), "Root");
    EXPECT_EQ("aaa"_ns->stringByReplacingOccurrencesOfString("aa"_ns, "b"_ns)->str(), "ba");
    EXPECT_EQ("abc"_ns->stringByReplacingOccurrencesOfString(""_ns, "x"_ns)->str(), "abc");
    EXPECT_EQ("ab"_ns->stringByAppendingString("cd"_ns)->str(), "abcd");
    EXPECT_TRUE("x"_ns->isEqual("x"_ns));
    EXPECT_FALSE("x"_ns->isEqual(NSNumber::numberWithInt(0)));
    EXPECT_EQ("same"_ns->hash(), NSString::from(std::string("same"))->hash());
    EXPECT_EQ(NSString::stringWithUTF8String("ok\xc3\xa9")->str(), "ok\u00e9");
    EXPECT_EQ(NSString::stringWithUTF8String("bad\xc3"), nullptr);
    EXPECT_EQ(NSString::stringWithUTF8String(nullptr), nullptr);
}

TEST(NSString, PathOperationsFollowThePlatformsRules) {
    struct Case {
        const char* path;
        const char* last;
        const char* deletingLast;
        const char* extension;
        const char* deletingExtension;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"/tmp/scratch.tiff", "scratch.tiff", "/tmp", "tiff", "/tmp/scratch"},
             {"/tmp/lock/", "lock", "/tmp", "", "/tmp/lock"},
             {"/tmp/", "tmp", "/", "", "/tmp"},
             {"/tmp", "tmp", "/", "", "/tmp"},
             {"/", "/", "/", "", "/"},
             {"scratch.tiff", "scratch.tiff", "", "tiff", "scratch"},
             {"", "", "", "", ""},
             {"Settings.bundle/Root~iphone.inApp.plist", "Root~iphone.inApp.plist", "Settings.bundle", "plist",
              "Settings.bundle/Root~iphone.inApp"},
             {"scratch..tiff", "scratch..tiff", "", "tiff", "scratch."},
             {".tiff", ".tiff", "", "", ".tiff"},
             {"/a.b/c", "c", "/a.b", "", "/a.b/c"},
             {"scratch.bundle/", "scratch.bundle", "", "bundle", "scratch"},
         }) {
        auto p = NSString::from(c.path);
        EXPECT_EQ(p->lastPathComponent()->str(), c.last) << c.path;
        EXPECT_EQ(p->stringByDeletingLastPathComponent()->str(), c.deletingLast) << c.path;
        EXPECT_EQ(p->pathExtension()->str(), c.extension) << c.path;
        EXPECT_EQ(p->stringByDeletingPathExtension()->str(), c.deletingExtension) << c.path;
    }
    EXPECT_EQ("/tmp"_ns->stringByAppendingPathComponent("scratch.tiff"_ns)->str(), "/tmp/scratch.tiff");
    EXPECT_EQ("/tmp/"_ns->stringByAppendingPathComponent("scratch.tiff"_ns)->str(), "/tmp/scratch.tiff");
    EXPECT_EQ("/"_ns->stringByAppendingPathComponent("scratch.tiff"_ns)->str(), "/scratch.tiff");
    EXPECT_EQ(""_ns->stringByAppendingPathComponent("scratch.tiff"_ns)->str(), "scratch.tiff");
    EXPECT_EQ("/tmp//"_ns->stringByAppendingPathComponent("a/"_ns)->str(), "/tmp/a");
    EXPECT_EQ("/tmp"_ns->stringByAppendingPathComponent(""_ns)->str(), "/tmp");
}

TEST(NSString, FormatsTakeObjectsNumbersAndTexts) {
    auto n = NSNumber::numberWithInt(42);
    EXPECT_EQ(NSString::stringWithFormat("%@%@", "Settings.bundle/Root"_ns, ".plist"_ns)->str(),
              "Settings.bundle/Root.plist");
    EXPECT_EQ(NSString::stringWithFormat("%@\n\n%@", "T"_ns, "Powered by Quilltray"_ns)->str(),
              "T\n\nPowered by Quilltray");
    EXPECT_EQ(NSString::stringWithFormat(",%@#", "aliceblue"_ns)->str(), ",aliceblue#");
    EXPECT_EQ(NSString::stringWithFormat("%@", n.get())->str(), "42");
    EXPECT_EQ(NSString::stringWithFormat("%@", NSNumber::numberWithFloat(0.5f).get())->str(), "0.5");
    EXPECT_EQ(NSString::stringWithFormat("%@", nullptr)->str(), "(null)");
    EXPECT_EQ(NSString::stringWithFormat("%0.6X", 0xFF8000)->str(), "FF8000");
    EXPECT_EQ(NSString::stringWithFormat("%0.6X", 0x80)->str(), "000080");
    EXPECT_EQ(NSString::stringWithFormat("%x", -1)->str(), "ffffffff");
    EXPECT_EQ(NSString::stringWithFormat("%lx", -1L)->str(), "ffffffffffffffff");
    EXPECT_EQ(NSString::stringWithFormat("%.3f, %.3f", 0.5f, 1.0)->str(), "0.500, 1.000");
    EXPECT_EQ(NSString::stringWithFormat("%d%%|%5s|%-3d|", 7, "ab", 1)->str(), "7%|   ab|1  |");
    EXPECT_EQ(NSString::stringWithFormat("%ld %lu %s", NSInteger{-3}, NSUInteger{3}, std::string("std"))->str(),
              "-3 3 std");
    EXPECT_EQ(NSString::stringWithFormat("%*d", 4, 7)->str(), "   7");
    // Missing arguments print nothing; a mismatch is converted, never misread.
    EXPECT_EQ(NSString::stringWithFormat("a%db%@c")->str(), "abc");
    EXPECT_EQ(NSString::stringWithFormat("%d", "12"_ns.get())->str(), "0");
    EXPECT_EQ(NSString::stringWithFormat("%s", n.get())->str(), "42");
    EXPECT_EQ(NSString::stringWithFormat("%d", 2.9)->str(), "2");
    EXPECT_EQ(NSString::stringWithFormat("100%")->str(), "100%");
}

TEST(NSString, AnswersTheNumericSelectorsThroughTheRuntime) {
    NSAutoreleasePool pool;
    auto text = "6"_ns;
    for (const char* sel : {"intValue", "floatValue", "doubleValue", "boolValue", "length", "lowercaseString",
                            "componentsSeparatedByString:", "isEqualToString:", "description"})
        EXPECT_TRUE(text->respondsToSelector(sel_registerName(sel))) << sel;
    EXPECT_EQ(objc::send<int>(text.get(), "intValue"), 6);
    EXPECT_EQ(objc::send<NSUInteger>(text.get(), "length"), 1u);
    id lowered = objc::send<id>("ABC"_ns.get(), "lowercaseString");
    EXPECT_TRUE(objc::send<BOOL>(lowered, "isEqualToString:", "abc"_ns.get()));
    id pieces = objc::send<id, id>("a<b"_ns.get(), "componentsSeparatedByString:", "<"_ns.get());
    EXPECT_EQ(objc::send<NSUInteger>(pieces, "count"), 2u);
    id second = objc::send<id, NSUInteger>(pieces, "objectAtIndex:", 1);
    EXPECT_TRUE(objc::send<BOOL>(second, "isEqualToString:", "b"_ns.get()));
    // Containers and other values do not answer intValue.
    EXPECT_FALSE(NSDictionary::dictionary()->respondsToSelector(sel_registerName("intValue")));
    EXPECT_FALSE(NSArray::array()->respondsToSelector(sel_registerName("intValue")));
}
