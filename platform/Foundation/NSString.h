// Immutable text, kept as UTF-8. Lengths and ranges count UTF-16 units, as
// the platform's do.
#pragma once

#include <string>
#include <string_view>

#include "Foundation/NSRange.h"
#include "Foundation/StringFormat.h"
#include "objc/NSObject.h"

class NSArray;

typedef NSUInteger NSStringEncoding;
inline constexpr NSStringEncoding NSUTF8StringEncoding = 4;

class NSString : public NSObject {
    KORVEL_OBJC_CLASS(NSString)
public:
    NSString() = default;
    explicit NSString(std::string utf8) : utf8_(std::move(utf8)) {}

    static Ref<NSString> from(std::string_view utf8);
    // nil when the bytes are not UTF-8.
    static Ref<NSString> fromUTF8(std::string_view bytes);
    // nil for a null pointer or for bytes that are not UTF-8.
    static Ref<NSString> stringWithUTF8String(const char* utf8);
    static Ref<NSString> stringWithString(const NSString* string);
    template <class... A>
    static Ref<NSString> stringWithFormat(std::string_view format, const A&... arguments) {
        return from(StringFormat::format(format, {StringFormat::Argument(arguments)...}));
    }

    const std::string& str() const { return utf8_; }
    const char* UTF8String() const { return utf8_.c_str(); }
    NSUInteger length() const;
    bool isEqualToString(const NSString* other) const;
    // An empty prefix or suffix is never found.
    bool hasPrefix(const NSString* prefix) const;
    bool hasSuffix(const NSString* suffix) const;
    // {NSNotFound, 0} when absent (an empty text is never found).
    NSRange rangeOfString(const NSString* text) const;
    // The text from, or up to, a UTF-16 index; NSRangeException past the
    // end. An index inside a surrogate pair keeps the pair whole.
    Ref<NSString> substringFromIndex(NSUInteger index) const;
    Ref<NSString> substringToIndex(NSUInteger index) const;

    Ref<NSString> stringByAppendingString(const NSString* tail) const;
    Ref<NSString> stringByReplacingOccurrencesOfString(const NSString* target, const NSString* replacement) const;
    // Text between separators, empty pieces included; the whole text when the
    // separator is absent.
    Ref<NSArray> componentsSeparatedByString(const NSString* separator) const;
    // Full Unicode lower-case mapping.
    Ref<NSString> lowercaseString() const;
    // "%41" becomes "A"; nil when an escape is malformed or the bytes are
    // not text in `encoding` (only UTF-8 is known).
    Ref<NSString> stringByReplacingPercentEscapesUsingEncoding(NSStringEncoding encoding) const;

    // Leading whitespace is skipped, then a decimal number is read as far as
    // it goes; no number reads as 0 and an overflow clamps.
    int intValue() const;
    NSInteger integerValue() const;
    long long longLongValue() const;
    float floatValue() const;
    double doubleValue() const;
    // YES for "Y", "y", "T", "t" or a digit 1-9 after whitespace, an optional
    // sign and leading zeroes.
    bool boolValue() const;

    // Paths, with "/" as the separator and trailing separators ignored.
    Ref<NSString> lastPathComponent() const;
    Ref<NSString> stringByDeletingLastPathComponent() const;
    Ref<NSString> stringByAppendingPathComponent(const NSString* component) const;
    Ref<NSString> pathExtension() const;
    Ref<NSString> stringByDeletingPathExtension() const;

    Ref<NSString> description() const;
    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;

protected:
    std::string utf8_;
};

// "key"_ns: a string object for C++ call sites.
inline Ref<NSString> operator""_ns(const char* s, std::size_t n) { return NSString::from({s, n}); }
