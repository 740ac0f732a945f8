#include "Foundation/FileAccess.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
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

bool readAll(int fd, std::string& bytes, std::uint64_t maxSize, std::uint64_t* sizePastLimit) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return false;
    if (!S_ISREG(st.st_mode)) {
        // A device or a pipe has no size to check: one small read, and
        // nothing when that is full, so that it is never read whole.
        char small[16384];
        ssize_t n;
        do n = ::read(fd, small, sizeof small);
        while (n < 0 && errno == EINTR);
        if (n < 0 || static_cast<std::size_t>(n) == sizeof small) return false;
        bytes.assign(small, static_cast<std::size_t>(n));
        return true;
    }
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (size > maxSize || size > FileAccess::kMaxFileSize) {
        if (sizePastLimit) *sizePastLimit = size;
        return false;
    }
    // The size that fstat gave is what is read: a file replaced meanwhile
    // is replaced by rename, so the open one stays whole.
    bytes.resize(static_cast<std::size_t>(size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
    return true;
}

std::string folderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The start of the names of a file's temporary files: ".<name>.tmp.", with
// the name cut short where the whole would not fit a folder entry.
std::string temporaryPrefix(const std::string& path) {
    std::size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    constexpr std::size_t kRoom = NAME_MAX - std::char_traits<char>::length("..tmp.XXXXXX");
    return "." + name.substr(0, kRoom) + ".tmp.";
}

long long modifiedNanoseconds(const struct stat& st) {
    return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

// Removes the temporary files of the same file that are older than the
// write begun at `begun` and that no live writer holds locked: those of
// writers killed during a save.
void removeStaleTemporaries(const std::string& folder, const std::string& prefix, long long begun) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix) || name.size() != prefix.size() + 6) continue;
        std::string path = folder + "/" + name;
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0) continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && modifiedNanoseconds(st) < begun &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
    }
}

}  // namespace

std::optional<std::string> FileAccess::read(const std::string& hostPath, std::uint64_t maxSize,
                                            std::uint64_t* sizePastLimit) {
    std::string bytes;
    if (!readInto(bytes, hostPath, maxSize, sizePastLimit)) return std::nullopt;
    return bytes;
}

bool FileAccess::readInto(std::string& bytes, const std::string& hostPath, std::uint64_t maxSize,
                          std::uint64_t* sizePastLimit) {
    // Non-blocking, so that opening a pipe never waits for a writer.
    int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    bool read = readAll(fd, bytes, maxSize, sizePastLimit);
    ::close(fd);
    return read;
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
    std::string prefix = temporaryPrefix(hostPath);
    std::string temporary = folder + "/" + prefix + "XXXXXX";
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    // Held until the file is closed or the writer dies, so that another
    // writer's clean-up never takes a temporary file still being written.
    ::flock(fd, LOCK_EX);
    struct stat created {};
    ::fstat(fd, &created);
    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    mode_t mode = ::stat(hostPath.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    bool ok = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    // Renamed while still open, and so still locked.
    if (ok) ok = ::rename(temporary.c_str(), hostPath.c_str()) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    removeStaleTemporaries(folder, prefix, modifiedNanoseconds(created));
    // Makes the rename itself durable.
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}
