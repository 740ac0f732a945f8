#include "FuzzDevice.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "Device/DeviceFolder.h"

namespace {

class Folder {
public:
    Folder() {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        std::string pattern = (base / "korvel-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()) || !DeviceFolder::setRoot(pattern)) {
            std::perror("fuzz device folder");
            std::abort();
        }
        path_ = pattern;
    }
    ~Folder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

private:
    std::filesystem::path path_;
};

}  // namespace

void FuzzDevice::put(const std::string& phonePath, const std::uint8_t* bytes, std::size_t size) {
    static Folder folder;
    std::filesystem::path file = DeviceFolder::resolve(phonePath);
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
        std::abort();
    }
}
