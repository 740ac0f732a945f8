#include "Foundation/NSString.h"

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <locale.h>
#include <utf8proc.h>

#include "Foundation/NSMutableArray.h"
#include "Foundation/NSException.h"
#include "Foundation/PercentEscapes.h"
#include "Foundation/UnicodeText.h"
#include "objc/ClassBuilder.h"

Class NSString::class_() {
    static Class cls = objc::ClassBuilder<NSString>("NSString", NSObject::class_())
                           .method<&NSString::description>("description")
                           .classMethod<&NSString::stringWithUTF8String>("stringWithUTF8String:")
                           .classMethod<&NSString::stringWithString>("stringWithString:")
                           .method<&NSString::UTF8String>("UTF8String")
                           .method<&NSString::length>("length")
                           .method<&NSString::isEqualToString>("isEqualToString:")
                           .method<&NSString::hasPrefix>("hasPrefix:")
                           .method<&NSString::hasSuffix>("hasSuffix:")
                           .method<&NSString::stringByAppendingString>("stringByAppendingString:")
                           .method<&NSString::stringByReplacingOccurrencesOfString>(
                               "stringByReplacingOccurrencesOfString:withString:")
                           .method<&NSString::rangeOfString>("rangeOfString:")
                           .method<&NSString::substringFromIndex>("substringFromIndex:")
                           .method<&NSString::substringToIndex>("substringToIndex:")
                           .method<&NSString::componentsSeparatedByString>("componentsSeparatedByString:")
                           .method<&NSString::lowercaseString>("lowercaseString")
                           .method<&NSString::stringByReplacingPercentEscapesUsingEncoding>(
                               "stringByReplacingPercentEscapesUsingEncoding:")
                           .method<&NSString::intValue>("intValue")
                           .method<&NSString::integerValue>("integerValue")
                           .method<&NSString::longLongValue>("longLongValue")
                           .method<&NSString::floatValue>("floatValue")
                           .method<&NSString::doubleValue>("doubleValue")
                           .method<&NSString::boolValue>("boolValue")
                           .method<&NSString::lastPathComponent>("lastPathComponent")
                           .method<&NSString::stringByDeletingLastPathComponent>("stringByDeletingLastPathComponent")
                           .method<&NSString::stringByAppendingPathComponent>("stringByAppendingPathComponent:")
                           .method<&NSString::pathExtension>("pathExtension")
                           .method<&NSString::stringByDeletingPathExtension>("stringByDeletingPathExtension")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSString::class_();

namespace {

bool isLetter(utf8proc_int32_t cp) {
    if (cp < 0) return false;
    switch (utf8proc_category(cp)) {
    case UTF8PROC_CATEGORY_LU:
    case UTF8PROC_CATEGORY_LL:
    case UTF8PROC_CATEGORY_LT:
    case UTF8PROC_CATEGORY_LM:
    case UTF8PROC_CATEGORY_LO: return true;
    default: return false;
    }
}

// Where the number starts: past leading whitespace.
std::size_t skipWhitespace(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t next = i;
        if (!UnicodeText::isWhitespaceOrNewline(UnicodeText::decodeUTF8(s, next))) break;
        i = next;
    }
    return i;
}

// Reads [sign] digits as far as they go, clamping at the limits of long long.
long long scanInteger(std::string_view s) {
    std::size_t i = skipWhitespace(s);
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    unsigned long long magnitude = 0;
    const unsigned long long limit = negative ? 9223372036854775808ULL : 9223372036854775807ULL;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        unsigned digit = static_cast<unsigned>(s[i] - '0');
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    if (!negative) return static_cast<long long>(magnitude);
    return magnitude == limit ? std::numeric_limits<long long>::min() : -static_cast<long long>(magnitude);
}

template <class T>
T clampTo(long long v) {
    if (v > std::numeric_limits<T>::max()) return std::numeric_limits<T>::max();
    if (v < std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
    return static_cast<T>(v);
}

// Length of the trailing run of '/' that a path's components ignore; a path
// of slashes only keeps its first.
std::string_view withoutTrailingSlashes(std::string_view p) {
    while (p.size() > 1 && p.back() == '/') p.remove_suffix(1);
    return p;
}

// Collapses runs of '/' and drops a trailing one, except for the root.
std::string fixSlashes(std::string_view p) {
    std::string out;
    out.reserve(p.size());
    for (char c : p) {
        if (c == '/' && !out.empty() && out.back() == '/') continue;
        out += c;
    }
    if (out.size() > 1 && out.back() == '/') out.pop_back();
    return out;
}

// Position of the '.' that starts the extension of the last component, or npos.
std::size_t extensionDot(std::string_view path) {
    std::size_t slash = path.rfind('/');
    std::size_t componentStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot <= componentStart) return std::string_view::npos;
    return dot;
}

}  // namespace

Ref<NSString> NSString::from(std::string_view utf8) { return make<NSString>(std::string(utf8)); }

Ref<NSString> NSString::fromUTF8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        if (UnicodeText::decodeUTF8(bytes, i) < 0) return nullptr;
    }
    return from(bytes);
}

Ref<NSString> NSString::stringWithUTF8String(const char* utf8) { return utf8 ? fromUTF8(utf8) : nullptr; }

Ref<NSString> NSString::stringWithString(const NSString* string) {
    if (!string) NSException::raise("NSInvalidArgumentException", "-[NSString initWithString:]: nil argument");
    return from(string->utf8_);
}

namespace {

// How many bytes at the start are ASCII, where a byte is a UTF-16 unit:
// most texts (addresses, keys) are ASCII throughout, and are checked eight
// bytes at a time.
std::size_t asciiPrefix(std::string_view utf8) {
    std::size_t i = 0;
    for (std::uint64_t word; i + 8 <= utf8.size(); i += 8) {
        std::memcpy(&word, utf8.data() + i, 8);
        if (word & 0x8080808080808080u) break;
    }
    while (i < utf8.size() && static_cast<unsigned char>(utf8[i]) < 0x80) ++i;
    return i;
}

NSUInteger utf16Units(std::string_view utf8) {
    const std::size_t ascii = asciiPrefix(utf8);
    NSUInteger units = ascii;
    for (unsigned char c : utf8.substr(ascii)) {
        if ((c & 0xC0) != 0x80) ++units;
        if (c >= 0xF0) ++units;  // outside the basic plane: a surrogate pair
    }
    return units;
}

// The byte where the character holding UTF-16 unit `index` starts, or the
// end when `index` is the length; npos past the end.
std::size_t byteOffsetOf(std::string_view utf8, NSUInteger index) {
    const std::size_t ascii = asciiPrefix(utf8);
    if (index <= ascii) return index;
    NSUInteger units = ascii;
    for (std::size_t i = ascii; i < utf8.size(); ++i) {
        auto c = static_cast<unsigned char>(utf8[i]);
        if ((c & 0xC0) == 0x80) continue;
        const NSUInteger width = c >= 0xF0 ? 2 : 1;
        if (index < units + width) return i;
        units += width;
    }
    return index == units ? utf8.size() : std::string_view::npos;
}

// byteOffsetOf for `method`, which raises past the end as the phone's does.
std::size_t byteOffsetOrRaise(std::string_view utf8, NSUInteger index, const char* method) {
    const std::size_t at = byteOffsetOf(utf8, index);
    if (at == std::string_view::npos)
        NSException::raise("NSRangeException", std::string("-[NSString ") + method + "]: Index " +
                                                   std::to_string(index) + " out of bounds; string length " +
                                                   std::to_string(utf16Units(utf8)));
    return at;
}

}  // namespace

NSUInteger NSString::length() const { return utf16Units(utf8_); }

bool NSString::isEqualToString(const NSString* other) const { return other && other->utf8_ == utf8_; }

bool NSString::hasPrefix(const NSString* prefix) const {
    return prefix && !prefix->utf8_.empty() && utf8_.starts_with(prefix->utf8_);
}

bool NSString::hasSuffix(const NSString* suffix) const {
    return suffix && !suffix->utf8_.empty() && utf8_.ends_with(suffix->utf8_);
}

NSRange NSString::rangeOfString(const NSString* text) const {
    if (!text || text->utf8_.empty()) return NSMakeRange(NSNotFound, 0);
    std::size_t at = utf8_.find(text->utf8_);
    if (at == std::string::npos) return NSMakeRange(NSNotFound, 0);
    return NSMakeRange(utf16Units(std::string_view(utf8_).substr(0, at)), text->length());
}

Ref<NSString> NSString::substringFromIndex(NSUInteger index) const {
    return from(std::string_view(utf8_).substr(byteOffsetOrRaise(utf8_, index, "substringFromIndex:")));
}

Ref<NSString> NSString::substringToIndex(NSUInteger index) const {
    return from(std::string_view(utf8_).substr(0, byteOffsetOrRaise(utf8_, index, "substringToIndex:")));
}

Ref<NSString> NSString::stringByAppendingString(const NSString* tail) const {
    return from(tail ? utf8_ + tail->utf8_ : utf8_);
}

Ref<NSString> NSString::stringByReplacingOccurrencesOfString(const NSString* target,
                                                             const NSString* replacement) const {
    if (!target || target->utf8_.empty()) return from(utf8_);
    const std::string& with = replacement ? replacement->utf8_ : std::string();
    std::string out;
    std::size_t from_ = 0;
    for (std::size_t at; (at = utf8_.find(target->utf8_, from_)) != std::string::npos;) {
        out.append(utf8_, from_, at - from_);
        out += with;
        from_ = at + target->utf8_.size();
    }
    out.append(utf8_, from_);
    return from(out);
}

Ref<NSArray> NSString::componentsSeparatedByString(const NSString* separator) const {
    auto pieces = make<NSMutableArray>();
    if (!separator || separator->utf8_.empty()) {
        pieces->addObject(from(utf8_));
        return pieces;
    }
    std::size_t start = 0;
    for (std::size_t at; (at = utf8_.find(separator->utf8_, start)) != std::string::npos;) {
        pieces->addObject(from(std::string_view(utf8_).substr(start, at - start)));
        start = at + separator->utf8_.size();
    }
    pieces->addObject(from(std::string_view(utf8_).substr(start)));
    return pieces;
}

Ref<NSString> NSString::lowercaseString() const {
    // Strings are immutable: one with nothing to lower is its own answer,
    // as an address that is already lower case is for every Mail row.
    if (std::none_of(utf8_.begin(), utf8_.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c & 0x80); }))
        return Ref<NSString>(const_cast<NSString*>(this));
    std::string out;
    out.reserve(utf8_.size());
    std::string_view s(utf8_);
    utf8proc_int32_t previous = -1;
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out += static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
            previous = c;
            ++i;
            continue;
        }
        std::size_t start = i;
        utf8proc_int32_t cp = UnicodeText::decodeUTF8(s, i);
        if (cp < 0) {
            out.append(s.substr(start, i - start));
        } else if (cp == 0x0130) {
            // Capital I with dot above: "i" and a combining dot.
            out += 'i';
            UnicodeText::appendUTF8(out, 0x0307);
        } else if (cp == 0x03A3) {
            // Capital sigma ends a word as the final form.
            std::size_t j = i;
            utf8proc_int32_t next = j < s.size() ? UnicodeText::decodeUTF8(s, j) : -1;
            UnicodeText::appendUTF8(out, isLetter(previous) && !isLetter(next) ? 0x03C2 : 0x03C3);
        } else {
            UnicodeText::appendUTF8(out, utf8proc_tolower(cp));
        }
        previous = cp;
    }
    return from(out);
}

int NSString::intValue() const { return clampTo<int>(scanInteger(utf8_)); }

NSInteger NSString::integerValue() const { return clampTo<NSInteger>(scanInteger(utf8_)); }

long long NSString::longLongValue() const { return scanInteger(utf8_); }

double NSString::doubleValue() const {
    std::string_view s(utf8_);
    std::size_t start = skipWhitespace(s);
    std::size_t i = start;
    auto digits = [&] {
        std::size_t from_ = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        return i - from_;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t mantissa = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t mark = i++;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (digits() == 0) i = mark;
    }
    // Only the decimal form read above, in the C locale whatever the process's.
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    std::string number(s.substr(start, i - start));
    return strtod_l(number.c_str(), nullptr, cLocale);
}

float NSString::floatValue() const { return static_cast<float>(doubleValue()); }

bool NSString::boolValue() const {
    std::string_view s(utf8_);
    std::size_t i = skipWhitespace(s);
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i < s.size() && s[i] == '0') ++i;
    return i < s.size() && std::string_view("YyTt123456789").find(s[i]) != std::string_view::npos;
}

Ref<NSString> NSString::lastPathComponent() const {
    std::string_view p = withoutTrailingSlashes(utf8_);
    if (p == "/") return from(p);
    std::size_t slash = p.rfind('/');
    return from(slash == std::string_view::npos ? p : p.substr(slash + 1));
}

Ref<NSString> NSString::stringByDeletingLastPathComponent() const {
    std::string_view p = withoutTrailingSlashes(utf8_);
    if (p == "/") return from(p);
    std::size_t slash = p.rfind('/');
    if (slash == std::string_view::npos) return from("");
    if (slash == 0) return from("/");
    return from(fixSlashes(p.substr(0, slash)));
}

Ref<NSString> NSString::stringByAppendingPathComponent(const NSString* component) const {
    const std::string& tail = component ? component->utf8_ : std::string();
    if (utf8_.empty()) return from(fixSlashes(tail));
    return from(fixSlashes(tail.empty() ? utf8_ : utf8_ + "/" + tail));
}

Ref<NSString> NSString::pathExtension() const {
    std::string_view p = withoutTrailingSlashes(utf8_);
    std::size_t dot = extensionDot(p);
    return from(dot == std::string_view::npos ? std::string_view() : p.substr(dot + 1));
}

Ref<NSString> NSString::stringByDeletingPathExtension() const {
    std::string_view p = withoutTrailingSlashes(utf8_);
    std::size_t dot = extensionDot(p);
    return from(dot == std::string_view::npos ? p : p.substr(0, dot));
}

Ref<NSString> NSString::description() const { return Ref<NSString>(const_cast<NSString*>(this)); }

bool NSString::isEqual(const NSObject* other) const {
    auto* s = dynamic_cast<const NSString*>(other);
    return s && isEqualToString(s);
}

std::size_t NSString::hash() const { return std::hash<std::string_view>{}(utf8_); }

Ref<NSString> NSString::stringByReplacingPercentEscapesUsingEncoding(NSStringEncoding encoding) const {
    if (encoding != NSUTF8StringEncoding) return nullptr;
    auto decoded = PercentEscapes::decode(utf8_);
    return decoded ? from(*decoded) : nullptr;
}
