#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Device/DeviceFolder.h"
#include "Foundation/NSFileManager.h"
#include "Foundation/NSString.h"
#include "objc/ObjcRuntime.h"

namespace fs = std::filesystem;

TEST(NSFileManager, PhonePathsAreLookedUpInTheDeviceFolder) {
    fs::path dir = fs::temp_directory_path() / ("korvel-fm-" + std::to_string(::getpid()));
    ASSERT_TRUE(DeviceFolder::setRoot(dir.string()));
    fs::create_directories(dir / "var/mobile/Library/Preferences");
    std::ofstream(dir / "var/mobile/Library/Preferences/a.plist") << "x";
    fs::create_symlink(dir / "nowhere", dir / "var/mobile/dangling");

    NSFileManager* fm = NSFileManager::defaultManager();
    bool isDirectory = true;
    EXPECT_TRUE(fm->fileExistsAtPath("/var/mobile/Library/Preferences/a.plist"_ns, &isDirectory));
    EXPECT_FALSE(isDirectory);
    // Through the phone's User link.
    EXPECT_TRUE(fm->fileExistsAtPath("/User/Library/Preferences/a.plist"_ns));
    EXPECT_TRUE(fm->fileExistsAtPath("/User/Library"_ns, &isDirectory));
    EXPECT_TRUE(isDirectory);
    EXPECT_FALSE(fm->fileExistsAtPath("/var/mobile/Library/Preferences/b.plist"_ns, &isDirectory));
    EXPECT_FALSE(isDirectory);
    EXPECT_FALSE(fm->fileExistsAtPath("/var/mobile/dangling"_ns));
    EXPECT_FALSE(fm->fileExistsAtPath(nullptr));
    EXPECT_FALSE(fm->fileExistsAtPath(""_ns));
    EXPECT_TRUE((objc::send<BOOL, id>(fm, "fileExistsAtPath:", "/User"_ns.get())));

    DeviceFolder::setRoot("");
    fs::remove_all(dir);
}
