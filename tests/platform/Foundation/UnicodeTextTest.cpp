#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Foundation/UnicodeText.h"

TEST(UnicodeText, UTF16BecomesUTF8OnlyWhenEverySurrogateHasItsPair) {
    struct Case {
        std::string bytes;
        bool bigEndian;
        std::optional<std::string> utf8;
    };
    for (const Case& c : std::initializer_list<Case>{
             {std::string("\0A\0\xE9", 4), true, "A\u00e9"},
             {std::string("A\0\xE9\0", 4), false, "A\u00e9"},
             {std::string("\xD8\x3D\xDE\x00", 4), true, "\U0001F600"},  // a pair: one character outside the basic plane
             {"\xD8\x3D", true, std::nullopt},          // a high surrogate at the end
             {std::string("\xDE\x00\xD8\x3D", 4), true, std::nullopt},  // a low one first
             {std::string("\xD8\x3D\0A", 4), true, std::nullopt},
             {std::string("\0A\0", 3), true, std::nullopt},  // odd in bytes
         }) {
        EXPECT_EQ(UnicodeText::isValidUTF16(c.bytes, c.bigEndian), c.utf8.has_value()) << c.bytes.size();
        EXPECT_EQ(UnicodeText::fromUTF16(c.bytes, c.bigEndian), c.utf8) << c.bytes.size();
    }
}

TEST(UnicodeText, UTF8DecodingStepsOverABrokenByteAndEncodingRoundTrips) {
    const std::string text = "a\xFF\u00e9\U0001F600";
    std::size_t at = 0;
    std::vector<std::int32_t> decoded;
    while (at < text.size()) decoded.push_back(UnicodeText::decodeUTF8(text, at));
    EXPECT_EQ(decoded, (std::vector<std::int32_t>{'a', -1, 0xE9, 0x1F600}));
    std::string encoded;
    for (std::int32_t c : {0x61, 0xE9, 0x1F600}) UnicodeText::appendUTF8(encoded, c);
    EXPECT_EQ(encoded, "a\u00e9\U0001F600");
    EXPECT_TRUE(UnicodeText::isValidUTF8(encoded));
    EXPECT_FALSE(UnicodeText::isValidUTF8(text));
    EXPECT_FALSE(UnicodeText::isValidUTF8("\xED\xA0\x80"));  // a surrogate written as UTF-8
}

TEST(UnicodeText, HexDigitsAndTheWhitespaceSet) {
    for (auto [c, value] : std::initializer_list<std::pair<char, int>>{
             {'0', 0}, {'9', 9}, {'a', 10}, {'F', 15}, {'g', -1}, {' ', -1}, {'/', -1}, {':', -1}})
        EXPECT_EQ(UnicodeText::hexDigit(c), value) << c;
    for (std::int32_t c : {0x09, 0x0A, 0x0D, 0x20, 0x85, 0xA0, 0x1680, 0x2000, 0x200A, 0x2028, 0x2029, 0x202F, 0x3000})
        EXPECT_TRUE(UnicodeText::isWhitespaceOrNewline(c)) << std::hex << c;
    for (std::int32_t c : {-1, 0x08, 0x0E, 0x61, 0x200B, 0xFEFF})
        EXPECT_FALSE(UnicodeText::isWhitespaceOrNewline(c)) << std::hex << c;
}
