#include <gtest/gtest.h>

#include "Foundation/NSString.h"
#include "Foundation/PercentEscapes.h"
#include "objc/ClassBuilder.h"

TEST(PercentEscapes, DecodesEscapesAsUtf8) {
    EXPECT_EQ(PercentEscapes::decode("a%20b%2Fc"), "a b/c");
    EXPECT_EQ(PercentEscapes::decode("%C3%A9l%c3%a9"), "\xC3\xA9l\xC3\xA9");
    EXPECT_EQ(PercentEscapes::decode(""), "");
    EXPECT_EQ(PercentEscapes::decode("plain+text"), "plain+text");
}

TEST(PercentEscapes, MalformedEscapesOrBytesThatAreNotUtf8GiveNothing) {
    for (const char* bad : {"100%", "%4", "%zz", "%%", "a%2", "%C3", "%FF%FE", "%ED%A0%80"})
        EXPECT_EQ(PercentEscapes::decode(bad), std::nullopt) << bad;
    EXPECT_TRUE(PercentEscapes::escapesAreWellFormed("%41%42"));
    EXPECT_FALSE(PercentEscapes::escapesAreWellFormed("%4"));
}

TEST(PercentEscapes, PathEscapingRoundTrips) {
    std::string path = "/var/mobile/My Files/100% \xC3\xA9t\xC3\xA9?#.html";
    std::string escaped = PercentEscapes::escapePath(path);
    EXPECT_EQ(escaped, "/var/mobile/My%20Files/100%25%20%C3%A9t%C3%A9%3F%23.html");
    EXPECT_EQ(PercentEscapes::decode(escaped), path);
}

TEST(PercentEscapes, StringsDecodeTheirEscapesAsUtf8) {
    auto decoded = "caf%C3%A9%20au%20lait"_ns->stringByReplacingPercentEscapesUsingEncoding(NSUTF8StringEncoding);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->str(), "caf\xC3\xA9 au lait");
    EXPECT_EQ("100%"_ns->stringByReplacingPercentEscapesUsingEncoding(NSUTF8StringEncoding), nullptr);
    EXPECT_EQ("%FF"_ns->stringByReplacingPercentEscapesUsingEncoding(NSUTF8StringEncoding), nullptr);
    id viaRuntime = objc::send<id, NSStringEncoding>("a%2Bb"_ns.get(), "stringByReplacingPercentEscapesUsingEncoding:",
                                                     NSUTF8StringEncoding);
    ASSERT_NE(objc::cast<NSString>(viaRuntime), nullptr);
    EXPECT_EQ(objc::cast<NSString>(viaRuntime)->str(), "a+b");
}
