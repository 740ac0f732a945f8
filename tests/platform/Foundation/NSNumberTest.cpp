#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

TEST(NSNumber, RemembersWhatItWasMadeFrom) {
    EXPECT_EQ(NSNumber::numberWithBool(true)->kind(), NSNumber::Kind::Bool);
    EXPECT_EQ(NSNumber::numberWithInt(1)->kind(), NSNumber::Kind::Integer);
    EXPECT_EQ(NSNumber::numberWithLongLong(1LL << 40)->kind(), NSNumber::Kind::Integer);
    EXPECT_EQ(NSNumber::numberWithUnsignedLongLong(5)->kind(), NSNumber::Kind::Integer);
    EXPECT_EQ(NSNumber::numberWithUnsignedLongLong(~0ULL)->kind(), NSNumber::Kind::UnsignedInteger);
    EXPECT_EQ(NSNumber::numberWithFloat(1)->kind(), NSNumber::Kind::Float);
    EXPECT_EQ(NSNumber::numberWithDouble(1)->kind(), NSNumber::Kind::Double);
}

TEST(NSNumber, ConvertsBetweenKinds) {
    auto f = NSNumber::numberWithFloat(2.75f);
    EXPECT_EQ(f->intValue(), 2);
    EXPECT_EQ(NSNumber::numberWithDouble(-2.75)->intValue(), -2);
    EXPECT_TRUE(f->boolValue());
    EXPECT_FALSE(NSNumber::numberWithDouble(0.0)->boolValue());
    EXPECT_TRUE(NSNumber::numberWithBool(true)->boolValue());
    EXPECT_EQ(NSNumber::numberWithBool(true)->intValue(), 1);
    EXPECT_EQ(NSNumber::numberWithInt(3)->floatValue(), 3.0f);
    EXPECT_EQ(NSNumber::numberWithFloat(0.1f)->doubleValue(), static_cast<double>(0.1f));
    // Integers convert as C does; reals clamp, and NaN gives 0.
    EXPECT_EQ(NSNumber::numberWithLongLong(4294967297LL)->intValue(), 1);
    EXPECT_EQ(NSNumber::numberWithDouble(1e20)->intValue(), std::numeric_limits<int>::max());
    EXPECT_EQ(NSNumber::numberWithDouble(-1e20)->longLongValue(), std::numeric_limits<long long>::min());
    EXPECT_EQ(NSNumber::numberWithDouble(NAN)->intValue(), 0);
    EXPECT_EQ(NSNumber::numberWithUnsignedLongLong(~0ULL)->unsignedLongLongValue(), ~0ULL);
    EXPECT_EQ(NSNumber::numberWithUnsignedLongLong(~0ULL)->longLongValue(), -1);
}

TEST(NSNumber, DescribesEachKindAsThePlatformDoes) {
    EXPECT_EQ(NSNumber::numberWithBool(true)->description()->str(), "1");
    EXPECT_EQ(NSNumber::numberWithBool(false)->description()->str(), "0");
    EXPECT_EQ(NSNumber::numberWithInt(-12)->description()->str(), "-12");
    EXPECT_EQ(NSNumber::numberWithUnsignedLongLong(~0ULL)->description()->str(), "18446744073709551615");
    EXPECT_EQ(NSNumber::numberWithFloat(0.1f)->description()->str(), "0.1");
    EXPECT_EQ(NSNumber::numberWithDouble(0.1)->description()->str(), "0.1");
    EXPECT_EQ(NSNumber::numberWithDouble(1.0 / 3)->description()->str(), "0.3333333333333333");
    EXPECT_EQ(NSNumber::numberWithFloat(1.0f / 3)->description()->str(), "0.3333333");
    EXPECT_EQ(NSNumber::numberWithInt(7)->stringValue()->str(), "7");
}

TEST(NSNumber, EqualValuesAreEqualAcrossKindsAndHashAlike) {
    struct Pair {
        Ref<NSNumber> a, b;
        bool equal;
    };
    for (const Pair& p : std::initializer_list<Pair>{
             {NSNumber::numberWithBool(true), NSNumber::numberWithInt(1), true},
             {NSNumber::numberWithInt(2), NSNumber::numberWithDouble(2.0), true},
             {NSNumber::numberWithFloat(0.5f), NSNumber::numberWithDouble(0.5), true},
             {NSNumber::numberWithFloat(0.1f), NSNumber::numberWithDouble(0.1), false},
             {NSNumber::numberWithInt(-1), NSNumber::numberWithUnsignedLongLong(~0ULL), false},
             {NSNumber::numberWithUnsignedLongLong(1ULL << 63), NSNumber::numberWithDouble(9223372036854775808.0), true},
             {NSNumber::numberWithLongLong(9007199254740993LL), NSNumber::numberWithDouble(9007199254740992.0), false},
             {NSNumber::numberWithDouble(NAN), NSNumber::numberWithDouble(NAN), true},
             {NSNumber::numberWithInt(0), NSNumber::numberWithBool(false), true},
         }) {
        EXPECT_EQ(p.a->isEqual(p.b), p.equal) << p.a->description()->str() << " " << p.b->description()->str();
        EXPECT_EQ(p.b->isEqual(p.a), p.equal);
        if (p.equal) {
            EXPECT_EQ(p.a->hash(), p.b->hash());
        }
    }
    EXPECT_FALSE(NSNumber::numberWithInt(1)->isEqual("1"_ns));
    EXPECT_FALSE(NSNumber::numberWithInt(1)->isEqual(nullptr));
}

TEST(NSNumber, AnswersThroughTheRuntime) {
    auto n = NSNumber::numberWithFloat(0.25f);
    EXPECT_FLOAT_EQ(objc::send<float>(n.get(), "floatValue"), 0.25f);
    EXPECT_DOUBLE_EQ(objc::send<double>(n.get(), "doubleValue"), 0.25);
    EXPECT_EQ(objc::send<int>(NSNumber::numberWithBool(true).get(), "intValue"), 1);
    EXPECT_EQ(objc::send<BOOL>(NSNumber::numberWithInt(0).get(), "boolValue"), NO);
}
