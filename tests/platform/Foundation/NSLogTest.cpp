#include <gtest/gtest.h>

#include <regex>

#include "Foundation/NSLog.h"
#include "Foundation/NSString.h"

TEST(NSLog, WritesOneStampedLineToStandardError) {
    testing::internal::CaptureStderr();
    NSLog("CALL ME ! ");
    NSLog("%@ has %d rows", "Inbox"_ns.get(), 3);
    std::string out = testing::internal::GetCapturedStderr();
    std::regex line(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} [^\[]+\[\d+\] )");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(out, m, line)) << out;
    EXPECT_EQ(m.position(0), 0);
    EXPECT_NE(out.find("] CALL ME ! \n"), std::string::npos) << out;
    EXPECT_NE(out.find("] Inbox has 3 rows\n"), std::string::npos) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2);
}
