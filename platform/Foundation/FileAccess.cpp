#include "Foundation/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::optional<std::string> readAll(int fd) {
    // Small files, the usual case, take one read into this buffer: a short
    // read of a regular file is its end. Only a read that fills it asks
    // what the file is, so that a device or a huge file is never read whole.
    char small[16384];
    ssize_t n;
    do n = ::read(fd, small, sizeof small);
    while (n < 0 && errno == EINTR);
    if (n < 0) return std::nullopt;
    std::string bytes(small, static_cast<std::size_t>(n));
    if (bytes.size() < sizeof small) return bytes;

    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::uint64_t>(st.st_size) > FileAccess::kMaxFileSize)
        return std::nullopt;
    std::size_t filled = bytes.size();
    // The size that fstat gave is what is read: a file replaced meanwhile
    // is replaced by rename, so the open one stays whole.
    bytes.resize(std::max<std::size_t>(filled, static_cast<std::size_t>(st.st_size)));
    while (filled < bytes.size()) {
        n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
    return bytes;
}

std::string folderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::optional<std::string> FileAccess::read(const std::string& hostPath) {
    // Non-blocking, so that opening a pipe never waits for a writer.
    int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    std::optional<std::string> result = readAll(fd);
    ::close(fd);
    return result;
}

bool FileAccess::write(const std::string& hostPath, std::string_view bytes, bool atomically) {
    if (hostPath.empty()) return false;
    if (!atomically) {
        int fd = ::open(hostPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) return false;
        bool ok = writeAll(fd, bytes);
        return ::close(fd) == 0 && ok;
    }

    std::string folder = folderOf(hostPath);
    std::string temporary = folder + "/.tmp.XXXXXX";
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    mode_t mode = ::stat(hostPath.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    bool ok = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::rename(temporary.c_str(), hostPath.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Makes the rename itself durable.
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}
