// A URL: its text as given, and the parts the system asks for. Parsing
// follows the classic generic syntax: "scheme:" then, for hierarchical URLs,
// "//host" and a path, then "?query" and "#fragment".
#pragma once

#include <optional>
#include <string>

#include "objc/NSObject.h"

class NSString;

class NSURL : public NSObject {
    KORVEL_OBJC_CLASS(NSURL)
public:
    // nil for nil, an empty text, or a malformed one: a character that a URL
    // may not hold (blanks, quotes, angle brackets, braces, non-ASCII...), a
    // "%" not followed by two hexadecimal digits, or a second "#".
    static Ref<NSURL> URLWithString(NSString* string);
    // "file://" and the escaped absolute path (a relative path counts from
    // the root, the phone's working folder), with a trailing "/" when the
    // path names a directory; nil for a nil or empty path.
    static Ref<NSURL> fileURLWithPath(NSString* path);

    // nil when there is none.
    Ref<NSString> scheme() const;
    // The host of "//host", without user, password and port; nil when none.
    Ref<NSString> host() const;
    // Everything after "scheme:" (the whole text when there is no scheme).
    Ref<NSString> resourceSpecifier() const;
    // The path with escapes decoded and a trailing "/" removed; nil for a URL
    // that is not hierarchical ("mailto:...").
    Ref<NSString> path() const;
    Ref<NSString> absoluteString() const;
    bool isFileURL() const;

    Ref<NSString> description() const;
    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;

    NSURL() = default;

private:
    void parse(std::string text);

    std::string text_;
    std::optional<std::string> scheme_;
    std::string specifier_;
    std::optional<std::string> host_;
    std::optional<std::string> path_;
};
