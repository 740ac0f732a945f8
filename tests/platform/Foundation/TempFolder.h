// A fresh folder for one test, removed afterwards, with the device folder
// mapping switched off so host paths are used as they are.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Device/DeviceFolder.h"

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvel-values-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        DeviceFolder::setRoot("");
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
        DeviceFolder::setRoot("");
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};
