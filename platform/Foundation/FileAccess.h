// Whole-file reads and writes on host paths. An atomic write goes to a
// temporary file in the same folder, is flushed to disk and then renamed over
// the old file, so a reader sees either the old contents or the new, and a
// failed write leaves the old file as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class FileAccess {
public:
    // The most that read() takes; larger files read as missing.
    static constexpr std::uint64_t kMaxFileSize = 0xFFFFFFFFu;

    // The contents of a file; nothing when it is missing, unreadable or
    // larger than kMaxFileSize. A device or pipe gives at most what one small
    // read brings (empty for one with nothing waiting) and is never read whole;
    // nothing when that read is full.
    static std::optional<std::string> read(const std::string& hostPath);
    static bool write(const std::string& hostPath, std::string_view bytes, bool atomically);
};
