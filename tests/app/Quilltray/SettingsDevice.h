// A device folder of its own for one settings-kit test: an empty app bundle
// at /Applications/Test.app as the main bundle, fresh user defaults, and a
// phone unless the test makes it a tablet.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "Device/DeviceFolder.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSString.h"
#include "Foundation/NSUserDefaults.h"
#include "UIKit/UIDevice.h"

class SettingsDevice {
public:
    static constexpr const char* kApp = "/Applications/Test.app";

    SettingsDevice() {
        root_ = std::filesystem::temp_directory_path() / ("korvel-settings-" + std::to_string(::getpid()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(host(kApp));
        DeviceFolder::setRoot(root_.string());
        NSBundle::setMainBundlePath(NSString::from(kApp));
        NSUserDefaults::resetStandardUserDefaults();
    }
    ~SettingsDevice() {
        NSUserDefaults::resetStandardUserDefaults();
        UIDevice::currentDevice()->setUserInterfaceIdiom(UIUserInterfaceIdiomPhone);
        NSBundle::setMainBundlePath(nullptr);
        DeviceFolder::setRoot("");
        std::filesystem::remove_all(root_);
    }
    SettingsDevice(const SettingsDevice&) = delete;
    SettingsDevice& operator=(const SettingsDevice&) = delete;

    // The host path of a phone path.
    std::filesystem::path host(const std::string& phonePath) const { return root_ / phonePath.substr(1); }
    // Writes `bytes` at a path inside the app bundle ("Settings.bundle/Root.plist").
    void write(const std::string& inApp, const std::string& bytes) const {
        std::filesystem::path file = host(std::string(kApp) + "/" + inApp);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    // A settings file whose "PreferenceSpecifiers" are the XML `entries`.
    static std::string settings(const std::string& entries) {
        return plist("<dict><key>PreferenceSpecifiers</key><array>" + entries + "</array></dict>");
    }
    static std::string plist(const std::string& body) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\">" + body + "</plist>";
    }
    // An entry dictionary from key, value pairs: entry({"Type", "PSGroupSpecifier", "Title", "Display"});
    // a value that starts with "<" is XML as it stands ("<true/>"), any other a text.
    static std::string entry(std::initializer_list<std::string> keysAndValues) {
        std::string xml = "<dict>";
        bool isKey = true;
        for (const std::string& item : keysAndValues) {
            if (isKey)
                xml += "<key>" + item + "</key>";
            else
                xml += item.starts_with("<") ? item : "<string>" + item + "</string>";
            isKey = !isKey;
        }
        return xml + "</dict>";
    }

private:
    std::filesystem::path root_;
};
