#include <gtest/gtest.h>

#include <vector>

#include "Device/HostOptions.h"

namespace {

struct Args {
    std::vector<const char*> argv;
    Args(std::initializer_list<const char*> a) : argv(a) {}
    int argc() const { return static_cast<int>(argv.size()); }
};

std::optional<HostOptions> parse(const Args& a, std::string& error) {
    return HostOptions::parse(a.argc(), a.argv.data(), "/build/demo-device", error);
}

class HostOptionsTest : public ::testing::Test {
protected:
    void TearDown() override { HostOptions::clearRegisteredOptions(); }
};

}  // namespace

TEST_F(HostOptionsTest, DefaultsAndEveryHostOption) {
    std::string error;
    auto plain = parse({"/opt/bin/MobileMail"}, error);
    ASSERT_TRUE(plain) << error;
    EXPECT_EQ(plain->program(), "MobileMail");
    EXPECT_EQ(plain->device(), "/build/demo-device");
    EXPECT_FALSE(plain->headless());
    EXPECT_FALSE(plain->tablet());
    EXPECT_EQ(plain->script(), "");

    auto full = parse({"Korvel", "--headless", "--device", "dev", "--script", "s.txt", "--screenshot", "a.png",
                       "--dump", "a.json", "--tablet"},
                      error);
    ASSERT_TRUE(full) << error;
    EXPECT_TRUE(full->headless());
    EXPECT_TRUE(full->tablet());
    EXPECT_EQ(full->device(), "dev");
    EXPECT_EQ(full->script(), "s.txt");
    EXPECT_EQ(full->screenshot(), "a.png");
    EXPECT_EQ(full->dump(), "a.json");
}

TEST_F(HostOptionsTest, BadCommandLinesNameTheFault) {
    std::string error;
    EXPECT_FALSE(parse({"Korvel", "--frobnicate"}, error));
    EXPECT_EQ(error, "unknown option '--frobnicate'");
    EXPECT_FALSE(parse({"Korvel", "stray"}, error));
    EXPECT_EQ(error, "unknown option 'stray'");
    EXPECT_FALSE(parse({"Korvel", "--headless", "--script"}, error));
    EXPECT_EQ(error, "option --script needs a value");
    EXPECT_FALSE(parse({"Korvel", "--device", ""}, error));
    EXPECT_EQ(error, "option --device needs a value");
    EXPECT_FALSE(parse({"Korvel", ""}, error));
    EXPECT_EQ(error, "empty argument");
    // The host's options are not the program's: --device=dir is not --device.
    EXPECT_FALSE(parse({"Korvel", "--device=dev"}, error));
}

TEST_F(HostOptionsTest, NoDefaultDeviceNeedsOne) {
    std::string error;
    const char* argv[] = {"Korvel"};
    EXPECT_FALSE(HostOptions::parse(1, argv, "", error));
    EXPECT_EQ(error, "no device folder: give --device DIR");
}

TEST_F(HostOptionsTest, ProgramOptionsTakeValuesAndFlagsAndMayRejectThem) {
    std::string list;
    bool verbose = false;
    HostOptions::registerOption({"--list", "NAME", "messages or mailboxes", [&](const std::string& v) {
                                     list = v;
                                     return v == "messages" || v == "mailboxes";
                                 }});
    HostOptions::registerOption({"--verbose", "", "say more", [&](const std::string& v) {
                                     verbose = v.empty();
                                     return true;
                                 }});
    std::string error;
    ASSERT_TRUE(parse({"MobileMail", "--list", "mailboxes", "--verbose", "--headless"}, error)) << error;
    EXPECT_EQ(list, "mailboxes");
    EXPECT_TRUE(verbose);

    EXPECT_FALSE(parse({"MobileMail", "--list", "junk"}, error));
    EXPECT_EQ(error, "bad value 'junk' for --list");
    EXPECT_FALSE(parse({"MobileMail", "--list"}, error));
    EXPECT_EQ(error, "option --list needs a value");

    std::string usage = HostOptions::usage("MobileMail", "/build/demo-device");
    EXPECT_NE(usage.find("usage: MobileMail [options]"), std::string::npos);
    EXPECT_NE(usage.find("--list NAME"), std::string::npos);
    EXPECT_NE(usage.find("messages or mailboxes"), std::string::npos);
    EXPECT_NE(usage.find("(default: /build/demo-device)"), std::string::npos);
    EXPECT_NE(usage.find("--screenshot FILE"), std::string::npos);

    // Another app in the same process starts without them.
    HostOptions::clearRegisteredOptions();
    EXPECT_FALSE(parse({"Korvel", "--list", "messages"}, error));
}
