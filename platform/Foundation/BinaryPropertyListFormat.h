// The binary property-list form ("bplist00") as the reader and the writer
// both know it: the header, the trailer's size, and the object markers (the
// high four bits of an object's first byte give its type; the low four a
// size or a count, 15 meaning that the count follows as an integer object).
#pragma once

#include <cstddef>
#include <cstdint>

namespace BinaryPropertyListFormat {

inline constexpr char kMagic[] = "bplist00";
inline constexpr std::size_t kHeaderSize = 8;
inline constexpr std::size_t kTrailerSize = 32;

enum Type : unsigned {
    kSimple = 0x0,
    kInteger = 0x1,
    kReal = 0x2,
    kDate = 0x3,
    kData = 0x4,
    kAscii = 0x5,
    kUtf16 = 0x6,
    kArray = 0xA,
    kDictionary = 0xD,
};
inline constexpr std::uint8_t kNull = 0x00;
inline constexpr std::uint8_t kFalse = 0x08;
inline constexpr std::uint8_t kTrue = 0x09;
// The low four bits that say a count follows the marker.
inline constexpr unsigned kCountFollows = 0xF;

}  // namespace BinaryPropertyListFormat
