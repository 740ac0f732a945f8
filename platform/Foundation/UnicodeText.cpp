#include "Foundation/UnicodeText.h"

#include <utf8proc.h>

std::int32_t UnicodeText::decodeUTF8(std::string_view text, std::size_t& at) {
    utf8proc_int32_t codePoint = -1;
    auto n = utf8proc_iterate(reinterpret_cast<const utf8proc_uint8_t*>(text.data() + at),
                              static_cast<utf8proc_ssize_t>(text.size() - at), &codePoint);
    at += n > 0 ? static_cast<std::size_t>(n) : 1;
    return n > 0 ? codePoint : -1;
}

void UnicodeText::appendUTF8(std::string& out, std::int32_t codePoint) {
    utf8proc_uint8_t buffer[4];
    auto n = utf8proc_encode_char(codePoint, buffer);
    out.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n));
}

bool UnicodeText::isValidUTF8(std::string_view bytes) {
    return utf8proc_decompose(reinterpret_cast<const utf8proc_uint8_t*>(bytes.data()),
                              static_cast<utf8proc_ssize_t>(bytes.size()), nullptr, 0, utf8proc_option_t{}) >= 0;
}

namespace {

unsigned unitAt(std::string_view bytes, std::size_t i, bool bigEndian) {
    auto a = static_cast<unsigned char>(bytes[i]);
    auto b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<unsigned>(bigEndian ? (a << 8 | b) : (b << 8 | a));
}

}  // namespace

bool UnicodeText::isValidUTF16(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2) return false;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        unsigned u = unitAt(bytes, i, bigEndian);
        if (isLowSurrogate(u)) return false;
        if (!isHighSurrogate(u)) continue;
        i += 2;
        if (i >= bytes.size() || !isLowSurrogate(unitAt(bytes, i, bigEndian))) return false;
    }
    return true;
}

std::optional<std::string> UnicodeText::fromUTF16(std::string_view bytes, bool bigEndian) {
    if (!isValidUTF16(bytes, bigEndian)) return std::nullopt;
    std::string out;
    out.reserve(bytes.size() / 2 * 3);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        unsigned u = unitAt(bytes, i, bigEndian);
        if (isHighSurrogate(u)) {
            i += 2;
            appendUTF8(out, combineSurrogates(u, unitAt(bytes, i, bigEndian)));
        } else {
            appendUTF8(out, static_cast<std::int32_t>(u));
        }
    }
    return out;
}

int UnicodeText::hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool UnicodeText::isWhitespaceOrNewline(std::int32_t codePoint) {
    if ((codePoint >= 0x09 && codePoint <= 0x0D) || codePoint == 0x85) return true;
    if (codePoint < 0) return false;
    auto category = utf8proc_category(codePoint);
    return category == UTF8PROC_CATEGORY_ZS || category == UTF8PROC_CATEGORY_ZL || category == UTF8PROC_CATEGORY_ZP;
}
