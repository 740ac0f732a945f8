#include "Device/DeviceFolder.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string& currentRoot() {
    static std::string root;
    return root;
}

}  // namespace

bool DeviceFolder::setRoot(const std::string& root) {
    if (root.empty()) {
        currentRoot().clear();
        return true;
    }
    std::error_code ec;
    fs::path base = fs::absolute(root, ec);
    if (ec) return false;
    fs::create_directories(base / "var" / "mobile", ec);
    if (ec) return false;
    fs::path user = base / "User";
    if (!fs::exists(fs::symlink_status(user, ec))) {
        fs::create_directory_symlink("var/mobile", user, ec);
        if (ec) return false;
    }
    currentRoot() = base.lexically_normal().string();
    while (currentRoot().size() > 1 && currentRoot().back() == '/') currentRoot().pop_back();
    return true;
}

const std::string& DeviceFolder::root() { return currentRoot(); }

std::string DeviceFolder::resolve(std::string_view phonePath) {
    std::string path;
    resolveInto(path, phonePath);
    return path;
}

void DeviceFolder::resolveInto(std::string& hostPath, std::string_view phonePath) {
    const std::string& base = currentRoot();
    if (base.empty() || phonePath.empty() || phonePath.front() != '/') {
        hostPath.assign(phonePath);
        return;
    }
    hostPath.reserve(base.size() + phonePath.size());
    hostPath.assign(base).append(phonePath);
}
