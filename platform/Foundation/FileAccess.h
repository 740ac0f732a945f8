// Whole-file reads and writes on host paths. An atomic write goes to a
// temporary file in the same folder (".<name>.tmp.XXXXXX", locked while it is
// written), is flushed to disk and then renamed over the old file, so a
// reader sees either the old contents or the new, and a failed write leaves
// the old file as it was. Temporary files of the same file that a killed
// writer left behind are removed by the next successful write.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class FileAccess {
public:
    // The most that read() takes unless told less; larger files read as missing.
    static constexpr std::uint64_t kMaxFileSize = 0xFFFFFFFFu;

    // The contents of a file; nothing when it is missing, unreadable or
    // larger than `maxSize`, which is checked before a byte is read (the
    // file's size then goes to `sizePastLimit`). A device or pipe gives at
    // most what one small read brings (empty for one with nothing waiting)
    // and is never read whole; nothing when that read is full.
    static std::optional<std::string> read(const std::string& hostPath, std::uint64_t maxSize = kMaxFileSize,
                                           std::uint64_t* sizePastLimit = nullptr);
    // The same into `bytes`, whose storage is reused: for a reader that reads
    // the same small file again and again. False, with `bytes` unspecified,
    // where read() gives nothing.
    static bool readInto(std::string& bytes, const std::string& hostPath, std::uint64_t maxSize = kMaxFileSize,
                         std::uint64_t* sizePastLimit = nullptr);
    static bool write(const std::string& hostPath, std::string_view bytes, bool atomically);
};
