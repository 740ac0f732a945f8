#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>

#include "Foundation/NSScanner.h"
#include "Foundation/NSString.h"
#include "objc/ObjcRuntime.h"

namespace {

Ref<NSScanner> scanner(const char* text) { return NSScanner::scannerWithString(NSString::from(text)); }

}  // namespace

TEST(NSScanner, ReadsTheBracedColourFormBetweenBlanksAndLineEnds) {
    auto s = scanner("  {1.000,\n 0.500,\t0.000 , 1}  \n");
    float v[4] = {};
    ASSERT_TRUE(s->scanString("{"_ns, nullptr));
    for (int i = 0; i < 4; ++i) {
        if (i) {
            ASSERT_TRUE(s->scanString(","_ns, nullptr));
        }
        ASSERT_TRUE(s->scanFloat(&v[i]));
    }
    EXPECT_FALSE(s->isAtEnd());
    ASSERT_TRUE(s->scanString("}"_ns, nullptr));
    EXPECT_TRUE(s->isAtEnd());  // only blanks and a line end remain
    EXPECT_FLOAT_EQ(v[0], 1.0f);
    EXPECT_FLOAT_EQ(v[1], 0.5f);
    EXPECT_FLOAT_EQ(v[2], 0.0f);
    EXPECT_FLOAT_EQ(v[3], 1.0f);
}

TEST(NSScanner, AFailedReadLeavesThePositionAlone) {
    auto s = scanner("  abc");
    float f = 7;
    unsigned h = 7;
    EXPECT_FALSE(s->scanFloat(&f));
    EXPECT_FALSE(s->scanString("x"_ns, nullptr));
    EXPECT_EQ(s->scanLocation(), 0u);
    EXPECT_EQ(f, 7);
    // "abc" is hexadecimal, though.
    EXPECT_TRUE(s->scanHexInt(&h));
    EXPECT_EQ(h, 0xABCu);
    EXPECT_EQ(s->scanLocation(), 5u);
    EXPECT_TRUE(s->isAtEnd());
}

TEST(NSScanner, ScanStringIgnoresCaseByDefaultAndGivesTheTextAsScanned) {
    auto s = scanner("Élan vital");
    Ref<NSString> found;
    ASSERT_TRUE(s->scanString("éLAN"_ns, &found));
    EXPECT_EQ(found->str(), "Élan");
    EXPECT_EQ(s->scanLocation(), 4u);  // UTF-16 units, not bytes
    s->setCaseSensitive(true);
    EXPECT_FALSE(s->scanString("VITAL"_ns, nullptr));
    EXPECT_TRUE(s->scanString("vital"_ns, nullptr));
    EXPECT_FALSE(s->scanString("x"_ns, nullptr));
    EXPECT_FALSE(scanner("abc")->scanString(""_ns, nullptr));
    EXPECT_FALSE(scanner("abc")->scanString(nullptr, nullptr));
}

TEST(NSScanner, FloatForms) {
    struct Case {
        const char* text;
        bool ok;
        float value;
        NSUInteger end;
    } cases[] = {
        {"-2.5e1x", true, -25.0f, 6},  {"+.5", true, 0.5f, 3},   {"5.", true, 5.0f, 2},
        {"1e", true, 1.0f, 1},         {"1e+", true, 1.0f, 1},   {"-", false, 0, 0},
        {".", false, 0, 0},            {"- 1", false, 0, 0},     {"0x10", true, 0.0f, 1},
        {"\u00a0\u20283", true, 3.0f, 3},
    };
    for (const auto& c : cases) {
        auto s = scanner(c.text);
        float v = 99;
        EXPECT_EQ(s->scanFloat(&v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_FLOAT_EQ(v, c.value) << c.text;
        }
        EXPECT_EQ(s->scanLocation(), c.end) << c.text;
    }
}

TEST(NSScanner, FloatOverflowAndUnderflow) {
    float v = 0;
    auto big = scanner("1e999 rest");
    ASSERT_TRUE(big->scanFloat(&v));
    EXPECT_EQ(v, HUGE_VALF);
    EXPECT_EQ(big->scanLocation(), 5u);
    ASSERT_TRUE(scanner("-1e39")->scanFloat(&v));
    EXPECT_EQ(v, -HUGE_VALF);
    ASSERT_TRUE(scanner("1e-999")->scanFloat(&v));
    EXPECT_EQ(v, 0.0f);
    ASSERT_TRUE(scanner(std::string(400, '9').c_str())->scanFloat(&v));
    EXPECT_EQ(v, HUGE_VALF);
}

TEST(NSScanner, HexForms) {
    unsigned v = 0;
    auto s = scanner("0xff8000 #12");
    ASSERT_TRUE(s->scanHexInt(&v));
    EXPECT_EQ(v, 0xFF8000u);
    EXPECT_FALSE(s->scanHexInt(&v));  // "#" is not a digit
    EXPECT_EQ(s->scanLocation(), 8u);

    // "0x" without digits reads the 0 alone.
    auto zero = scanner("0xg");
    ASSERT_TRUE(zero->scanHexInt(&v));
    EXPECT_EQ(v, 0u);
    EXPECT_EQ(zero->scanLocation(), 1u);

    auto huge = scanner("123456789abcdef0;");
    ASSERT_TRUE(huge->scanHexInt(&v));
    EXPECT_EQ(v, UINT_MAX);
    EXPECT_EQ(huge->scanLocation(), 16u);
    EXPECT_FALSE(scanner("-1")->scanHexInt(&v));
}

TEST(NSScanner, ANilOrEmptyTextIsAtEnd) {
    EXPECT_TRUE(NSScanner::scannerWithString(nullptr)->isAtEnd());
    EXPECT_TRUE(scanner(" \r\n\t")->isAtEnd());
    float f;
    EXPECT_FALSE(scanner("")->scanFloat(&f));
}

TEST(NSScanner, AnswersThroughTheRuntime) {
    id s = objc::send<id, id>(objc_getClass("NSScanner"), "scannerWithString:", "  0x1F"_ns.get());
    unsigned v = 0;
    EXPECT_TRUE((objc::send<BOOL, unsigned*>(s, "scanHexInt:", &v)));
    EXPECT_EQ(v, 0x1Fu);
    EXPECT_TRUE(objc::send<BOOL>(s, "isAtEnd"));
}
