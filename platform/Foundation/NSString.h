// Immutable text, kept as UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "objc/NSObject.h"

class NSString : public NSObject {
    KORVEL_OBJC_CLASS(NSString)
public:
    NSString() = default;
    explicit NSString(std::string utf8) : utf8_(std::move(utf8)) {}

    static Ref<NSString> from(std::string_view utf8);

    const std::string& str() const { return utf8_; }
    const char* UTF8String() const { return utf8_.c_str(); }
    bool isEqualToString(const NSString* other) const;

    Ref<NSString> description() const override;
    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;

protected:
    std::string utf8_;
};

// "key"_ns: a string object for C++ call sites.
inline Ref<NSString> operator""_ns(const char* s, std::size_t n) { return NSString::from({s, n}); }
