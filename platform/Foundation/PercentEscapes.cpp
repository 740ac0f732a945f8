#include "Foundation/PercentEscapes.h"

#include <cstring>

#include "Foundation/UnicodeText.h"

std::optional<std::string> PercentEscapes::decode(std::string_view text) {
    if (!escapesAreWellFormed(text)) return std::nullopt;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            out += static_cast<char>(UnicodeText::hexDigit(text[i + 1]) * 16 + UnicodeText::hexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    if (!UnicodeText::isValidUTF8(out)) return std::nullopt;
    return out;
}

bool PercentEscapes::escapesAreWellFormed(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        if (i + 2 >= text.size() || UnicodeText::hexDigit(text[i + 1]) < 0 || UnicodeText::hexDigit(text[i + 2]) < 0) return false;
        i += 2;
    }
    return true;
}

std::string PercentEscapes::escapePath(std::string_view path) {
    static const char* const kKept = "-._~!$&'()*+,;=:@/";
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (char ch : path) {
        auto c = static_cast<unsigned char>(ch);
        bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    (c != 0 && std::strchr(kKept, c));
        if (kept) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}
