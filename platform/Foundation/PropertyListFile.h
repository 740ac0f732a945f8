// Property-list files: reads binary and XML, writes binary, as the phone
// does. Every path is a phone path, resolved in the device folder. Reading is
// guarded against hostile files: a file that is missing, unreadable, not a
// property list, nested deeper than kMaxDepth or otherwise malformed gives
// nil and never harms the process.
#pragma once

#include <optional>
#include <string>

#include "objc/NSObject.h"

class NSString;

class PropertyListFile {
public:
    // Deepest nesting of arrays and dictionaries that is read or written.
    static constexpr unsigned kMaxDepth = 512;

    static Ref<NSObject> read(NSString* phonePath);
    static Ref<NSObject> parse(std::string bytes);
    // NO, with the old file left as it was, when `root` is not a property
    // list that can be written or the file cannot be.
    static bool write(const NSObject* root, NSString* phonePath, bool atomically);
    static std::optional<std::string> serialize(const NSObject* root);
};
