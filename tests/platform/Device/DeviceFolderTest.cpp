#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Device/DeviceFolder.h"

namespace fs = std::filesystem;

class DeviceFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("korvel-device-" + std::to_string(::getpid()));
        fs::remove_all(dir);
    }
    void TearDown() override {
        DeviceFolder::setRoot("");
        fs::remove_all(dir);
    }
    fs::path dir;
};

TEST_F(DeviceFolderTest, FreshFolderGetsUserLinkedToVarMobile) {
    ASSERT_TRUE(DeviceFolder::setRoot(dir.string()));
    EXPECT_TRUE(fs::is_symlink(dir / "User"));
    EXPECT_EQ(fs::read_symlink(dir / "User"), fs::path("var/mobile"));

    // A file written through one phone path is seen through the other.
    std::ofstream(DeviceFolder::resolve("/var/mobile/Library.txt")) << "x";
    EXPECT_TRUE(fs::exists(DeviceFolder::resolve("/User/Library.txt")));
}

TEST_F(DeviceFolderTest, AbsolutePathsResolveInsideRelativeOnesDoNot) {
    ASSERT_TRUE(DeviceFolder::setRoot(dir.string() + "/"));
    EXPECT_EQ(DeviceFolder::resolve("/Applications/Korvel.app"), dir.string() + "/Applications/Korvel.app");
    EXPECT_EQ(DeviceFolder::resolve("relative/file"), "relative/file");
    EXPECT_EQ(DeviceFolder::resolve(""), "");
}

TEST_F(DeviceFolderTest, WithoutADeviceFolderPathsAreUsedAsTheyAre) {
    DeviceFolder::setRoot("");
    EXPECT_EQ(DeviceFolder::resolve("/var/mobile/x"), "/var/mobile/x");
}

TEST_F(DeviceFolderTest, ExistingUserEntryIsKept) {
    fs::create_directories(dir / "User");
    ASSERT_TRUE(DeviceFolder::setRoot(dir.string()));
    EXPECT_FALSE(fs::is_symlink(dir / "User"));
}

TEST_F(DeviceFolderTest, UnpreparableFolderLeavesMappingUnchanged) {
    ASSERT_TRUE(DeviceFolder::setRoot(dir.string()));
    fs::create_directories(dir);
    std::ofstream(dir / "file") << "x";
    EXPECT_FALSE(DeviceFolder::setRoot((dir / "file" / "sub").string()));
    EXPECT_EQ(DeviceFolder::root(), dir.string());
}
