// Property-list files: reads binary and XML, writes binary, as the phone
// does. Every path is a phone path, resolved in the device folder. Reading is
// guarded against hostile files: a file that is missing, unreadable, not a
// property list, larger than its kind's size limit, nested deeper than
// kMaxDepth or otherwise malformed gives nil and never harms the process,
// and its cost is bounded by the limits below.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "objc/NSObject.h"

class NSString;

class PropertyListFile {
public:
    // Deepest nesting of arrays and dictionaries that is read or written.
    static constexpr unsigned kMaxDepth = 512;

    // Size limits by kind of file, checked before a byte is read. Every
    // preferences file is read whole on Mail's main thread, several times a
    // row. A person's label preferences hold a few hundred addresses: a few
    // KB, at about 64 bytes an address in the binary form that is written
    // (Mail's own preferences are smaller still). 8 MiB holds 100,000
    // addresses in that form, some hundred times what anyone keeps, and
    // bounds what one read costs Mail at a few milliseconds.
    static constexpr std::uint64_t kMaxPreferencesBytes = std::uint64_t{8} << 20;
    // Every other property list: the stand-in Mail's mailbox (a few hundred
    // bytes a message, so some 50,000 messages) and the files of bundles
    // (a few KB).
    static constexpr std::uint64_t kMaxOtherBytes = std::uint64_t{16} << 20;
    // The limit for the file at `phonePath`: files in a "Library/Preferences"
    // folder are preferences.
    static std::uint64_t maxBytesFor(std::string_view phonePath);

    // The root and whether the file read whole: every value in it decoded
    // and sound, no reference broken, no limit reached.
    struct Contents {
        Ref<NSObject> root;
        bool whole = false;
    };

    // The root; damage inside a sound root reads as absent where it is met.
    static Ref<NSObject> read(NSString* phonePath);
    // Decodes everything at once, so that damage anywhere is known.
    static Contents readWhole(NSString* phonePath);
    // `source` names the bytes in the log.
    static Ref<NSObject> parse(std::string bytes, std::string_view source = {});
    static Contents parseWhole(std::string bytes, std::string_view source = {});

    // NO, with the old file left as it was, when `root` is not a property
    // list that can be written or the file cannot be.
    static bool write(const NSObject* root, NSString* phonePath, bool atomically);
    static std::optional<std::string> serialize(const NSObject* root);

    // One log line about a file past a limit; the same line for the same
    // file is not repeated, since Mail reads its files for every row.
    static void reportLimit(std::string_view source, const std::string& message);

private:
    static Contents readFile(NSString* phonePath, bool whole);
    static Contents parseBytes(std::string bytes, std::string_view source, bool whole);
};
