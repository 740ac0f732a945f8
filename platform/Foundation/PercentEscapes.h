// Percent escapes in URL text: "%" and two hexadecimal digits stand for one
// byte, and the bytes of the decoded text must form UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class PercentEscapes {
public:
    // The text with every escape replaced by its byte; nothing when an escape
    // is malformed ("%", "%4", "%zz") or the bytes are not UTF-8.
    static std::optional<std::string> decode(std::string_view text);
    // Whether every "%" in `text` starts a well-formed escape.
    static bool escapesAreWellFormed(std::string_view text);
    // A file path as URL text: every byte that a path may not hold as it is
    // becomes an escape.
    static std::string escapePath(std::string_view path);
};
