// The folder that stands for the phone's file system. Every absolute phone
// path ("/var/mobile/Library/Preferences/...") is resolved inside it, so the
// system's code keeps the phone's paths as they are.
#pragma once

#include <string>
#include <string_view>

class DeviceFolder {
public:
    // Makes `root` the device folder, creating it and the phone's
    // "User" -> "var/mobile" link when they are missing. An empty root turns
    // the mapping off (paths are used as they are). Answers false when the
    // folder cannot be prepared; the mapping is left unchanged then.
    static bool setRoot(const std::string& root);
    static const std::string& root();

    // The host path of a phone path: absolute paths land inside the device
    // folder; relative ones, and every path while no device folder is set,
    // are used as they are.
    static std::string resolve(std::string_view phonePath);
    // The same into `hostPath`, whose storage a frequent reader keeps.
    static void resolveInto(std::string& hostPath, std::string_view phonePath);
};
