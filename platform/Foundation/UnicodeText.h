// The small pieces of text coding that strings, scanners, strings tables,
// percent escapes and binary property lists share: UTF-8 decoding and
// encoding, UTF-16 with surrogate pairs, hexadecimal digits and the
// platform's whitespace-and-newline set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class UnicodeText {
public:
    static constexpr std::int32_t kReplacementCharacter = 0xFFFD;

    // The code point of UTF-8 at `at`, advancing `at` past it; -1 (one byte
    // consumed) for a byte that does not start a valid sequence.
    static std::int32_t decodeUTF8(std::string_view text, std::size_t& at);
    static void appendUTF8(std::string& out, std::int32_t codePoint);
    static bool isValidUTF8(std::string_view bytes);

    static bool isHighSurrogate(unsigned unit) { return unit >= 0xD800 && unit < 0xDC00; }
    static bool isLowSurrogate(unsigned unit) { return unit >= 0xDC00 && unit < 0xE000; }
    static std::int32_t combineSurrogates(unsigned high, unsigned low) {
        return static_cast<std::int32_t>(0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00));
    }
    // Whether UTF-16 bytes (big- or little-endian) are even in number and
    // pair every surrogate, so that they have a UTF-8 form.
    static bool isValidUTF16(std::string_view bytes, bool bigEndian);
    // That UTF-8 form; nothing for bytes that have none.
    static std::optional<std::string> fromUTF16(std::string_view bytes, bool bigEndian);

    // 0 to 15 for a hexadecimal digit of either case, else -1.
    static int hexDigit(char c);

    // The platform's whitespace-and-newline set: the Unicode space, line and
    // paragraph separators, the controls from tab to carriage return, and
    // the next-line control.
    static bool isWhitespaceOrNewline(std::int32_t codePoint);
};
