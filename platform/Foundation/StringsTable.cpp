#include "Foundation/StringsTable.h"

#include <cstdint>
#include <cstring>

#include "Foundation/UnicodeText.h"

namespace {

// The text of a table as UTF-8, from its byte-order mark (none: UTF-8).
std::optional<std::string> decodeText(std::string_view bytes, std::string& error) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        auto text = UnicodeText::fromUTF16(bytes.substr(2), bytes[0] == '\xFE');
        if (!text) error = "broken UTF-16 text";
        return text;
    }
    if (!UnicodeText::isValidUTF8(bytes)) {
        error = "text that is neither UTF-8 nor UTF-16 with a byte-order mark";
        return std::nullopt;
    }
    return std::string(bytes);
}

// Reads the entries of the old-style property-list syntax of strings tables.
class Reader {
public:
    explicit Reader(const std::string& text) : text_(text) {}

    bool read(StringsTable& table) {
        skipBlanks();
        bool braced = peek('{');
        if (braced) {
            ++at_;
            skipBlanks();
        }
        while (ok_ && at_ < text_.size() && !(braced && peek('}'))) readEntry(table);
        if (!ok_) return false;
        if (braced) {
            if (!peek('}')) return fail("missing \"}\" at the end");
            ++at_;
            skipBlanks();
            if (ok_ && at_ < text_.size()) return fail("text after the closing \"}\"");
        }
        return ok_;
    }

    std::string error() const { return error_ + " (line " + std::to_string(line()) + ")"; }

private:
    void readEntry(StringsTable& table) {
        std::string key;
        if (!readString(key)) return;
        skipBlanks();
        std::string value = key;
        if (peek('=')) {
            ++at_;
            skipBlanks();
            if (!readString(value)) return;
            skipBlanks();
        }
        if (!peek(';')) {
            fail("expected \";\" after an entry");
            return;
        }
        ++at_;
        skipBlanks();
        table.set(std::move(key), std::move(value));
    }

    bool readString(std::string& out) {
        if (at_ >= text_.size()) return fail("unexpected end of the text");
        if (peek('"')) return readQuoted(out);
        std::size_t start = at_;
        while (at_ < text_.size() && isBareCharacter(text_[at_])) ++at_;
        if (at_ == start) return fail("expected a quoted string");
        out = text_.substr(start, at_ - start);
        return true;
    }

    static bool isBareCharacter(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               (c != 0 && std::strchr("_$+/:.-", c));
    }

    bool readQuoted(std::string& out) {
        std::size_t start = at_++;
        out.clear();
        while (at_ < text_.size() && text_[at_] != '"') {
            if (text_[at_] != '\\') {
                out += text_[at_++];
                continue;
            }
            if (++at_ >= text_.size()) break;
            char c = text_[at_++];
            switch (c) {
                case 'a': out += '\a'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'v': out += '\v'; break;
                case 'U':
                case 'u': readUnicodeEscape(out); break;
                default:
                    if (c >= '0' && c <= '7') readOctalEscape(out, c);
                    else out += c;  // \" \' \\ and any other character stand for themselves
            }
        }
        if (at_ >= text_.size()) {
            at_ = start;
            return fail("unterminated quoted string");
        }
        ++at_;
        return true;
    }

    // \Uxxxx: up to four hexadecimal digits, one UTF-16 unit; a surrogate
    // pair written as two escapes makes one character.
    void readUnicodeEscape(std::string& out) {
        unsigned unit = readHexUnit();
        if (UnicodeText::isHighSurrogate(unit) &&
            (text_.compare(at_, 2, "\\U") == 0 || text_.compare(at_, 2, "\\u") == 0)) {
            std::size_t save = at_;
            at_ += 2;
            unsigned low = readHexUnit();
            if (UnicodeText::isLowSurrogate(low)) {
                UnicodeText::appendUTF8(out, UnicodeText::combineSurrogates(unit, low));
                return;
            }
            at_ = save;
        }
        bool lone = UnicodeText::isHighSurrogate(unit) || UnicodeText::isLowSurrogate(unit);
        UnicodeText::appendUTF8(out, lone ? UnicodeText::kReplacementCharacter : static_cast<std::int32_t>(unit));
    }

    unsigned readHexUnit() {
        unsigned value = 0;
        for (int n = 0; n < 4 && at_ < text_.size() && UnicodeText::hexDigit(text_[at_]) >= 0; ++n)
            value = value * 16 + static_cast<unsigned>(UnicodeText::hexDigit(text_[at_++]));
        return value;
    }

    void readOctalEscape(std::string& out, char first) {
        int value = first - '0';
        for (int n = 1; n < 3 && at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '7'; ++n)
            value = value * 8 + (text_[at_++] - '0');
        UnicodeText::appendUTF8(out, value);
    }

    // Skips blanks, line ends and comments; an unterminated comment fails.
    void skipBlanks() {
        while (at_ < text_.size()) {
            char c = text_[at_];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
                ++at_;
            } else if (text_.compare(at_, 2, "//") == 0) {
                std::size_t end = text_.find('\n', at_);
                at_ = end == std::string::npos ? text_.size() : end + 1;
            } else if (text_.compare(at_, 2, "/*") == 0) {
                std::size_t end = text_.find("*/", at_ + 2);
                if (end == std::string::npos) {
                    fail("unterminated comment");
                    return;
                }
                at_ = end + 2;
            } else {
                return;
            }
        }
    }

    bool peek(char c) const { return at_ < text_.size() && text_[at_] == c; }

    bool fail(const char* why) {
        if (ok_) error_ = why;
        ok_ = false;
        return false;
    }

    int line() const {
        int n = 1;
        for (std::size_t i = 0; i < at_ && i < text_.size(); ++i) n += text_[i] == '\n';
        return n;
    }

    const std::string& text_;
    std::size_t at_ = 0;
    bool ok_ = true;
    std::string error_;
};

}  // namespace

std::optional<StringsTable> StringsTable::parse(std::string_view bytes, std::string* error) {
    std::string why;
    auto text = decodeText(bytes, why);
    if (!text) {
        if (error) *error = why;
        return std::nullopt;
    }
    StringsTable table;
    Reader reader(*text);
    if (!reader.read(table)) {
        if (error) *error = reader.error();
        return std::nullopt;
    }
    return table;
}

const std::string* StringsTable::lookup(const std::string& key) const {
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : &it->second;
}

void StringsTable::set(std::string key, std::string value) { entries_[std::move(key)] = std::move(value); }
