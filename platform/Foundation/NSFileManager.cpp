#include "Foundation/NSFileManager.h"

#include <filesystem>
#include <system_error>

#include "Device/DeviceFolder.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class NSFileManager::class_() {
    static Class cls =
        objc::ClassBuilder<NSFileManager>("NSFileManager", NSObject::class_())
            .classMethod<&NSFileManager::defaultManager>("defaultManager")
            .method<static_cast<bool (NSFileManager::*)(NSString*) const>(&NSFileManager::fileExistsAtPath)>(
                "fileExistsAtPath:")
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSFileManager::class_();

NSFileManager* NSFileManager::defaultManager() {
    // Lives as long as the process; never released.
    static NSFileManager* manager = new NSFileManager();
    return manager;
}

bool NSFileManager::fileExistsAtPath(NSString* path) const { return fileExistsAtPath(path, nullptr); }

bool NSFileManager::fileExistsAtPath(NSString* path, bool* isDirectory) const {
    if (isDirectory) *isDirectory = false;
    if (!path || path->str().empty()) return false;
    std::error_code ec;
    auto status = std::filesystem::status(DeviceFolder::resolve(path->str()), ec);
    if (ec || !std::filesystem::exists(status)) return false;
    if (isDirectory) *isDirectory = std::filesystem::is_directory(status);
    return true;
}

bool NSFileManager::createDirectoryAtPath(NSString* path, bool withIntermediateDirectories) const {
    if (!path || path->str().empty()) return false;
    const std::filesystem::path folder = DeviceFolder::resolve(path->str());
    std::error_code ec;
    if (withIntermediateDirectories) {
        std::filesystem::create_directories(folder, ec);
        return !ec && std::filesystem::is_directory(folder, ec);
    }
    return std::filesystem::create_directory(folder, ec) && !ec;
}
