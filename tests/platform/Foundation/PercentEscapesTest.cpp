#include <gtest/gtest.h>

#include "Foundation/PercentEscapes.h"

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
