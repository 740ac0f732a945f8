// Immutable bytes.
#pragma once

#include <string>
#include <string_view>

#include "objc/NSObject.h"

class NSString;

class NSData : public NSObject {
    KORVEL_OBJC_CLASS(NSData)
public:
    NSData() = default;
    explicit NSData(std::string bytes) : bytes_(std::move(bytes)) {}

    static Ref<NSData> dataWithBytes(const void* bytes, NSUInteger length);
    // nil when the file cannot be read.
    static Ref<NSData> dataWithContentsOfFile(NSString* path);

    const void* bytes() const { return bytes_.data(); }
    NSUInteger length() const { return bytes_.size(); }
    std::string_view view() const { return bytes_; }

    // Writes the bytes; atomically means through a temporary file renamed
    // over the old one, which stays as it was when the write fails.
    bool writeToFile(NSString* path, bool atomically) const;

    bool isEqualToData(const NSData* other) const;
    // "<0a0b0c0d 0e>": hexadecimal, in groups of four bytes.
    Ref<NSString> description() const;
    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;

private:
    std::string bytes_;
};
