// Builds binary property lists byte by byte, so tests can make sound files
// and hostile ones: every trailer field can be overridden after the fact.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class BplistBuilder {
public:
    unsigned referenceSize = 1;
    unsigned offsetSize = 0;  // 0: the smallest that fits
    std::uint64_t top = 0;

    // Appends an encoded object and answers its number.
    std::uint64_t add(std::string encoded) {
        objects.push_back(std::move(encoded));
        return objects.size() - 1;
    }

    static std::string be(std::uint64_t v, unsigned size) {
        std::string out(size, '\0');
        for (unsigned i = 0; i < size; ++i) out[size - 1 - i] = static_cast<char>(v >> (8 * i));
        return out;
    }
    // Marker with a count, long counts following as an integer object.
    static std::string marker(unsigned type, std::uint64_t count) {
        if (count < 15) return std::string(1, static_cast<char>(type << 4 | count));
        return std::string(1, static_cast<char>(type << 4 | 0xF)) + "\x13" + be(count, 8);
    }
    static std::string ascii(const std::string& s) { return marker(0x5, s.size()) + s; }
    static std::string utf16(const std::vector<std::uint16_t>& units) {
        std::string out = marker(0x6, units.size());
        for (auto u : units) out += be(u, 2);
        return out;
    }
    static std::string integer(std::int64_t v) { return "\x13" + be(static_cast<std::uint64_t>(v), 8); }
    std::string array(const std::vector<std::uint64_t>& refs) const {
        std::string out = marker(0xA, refs.size());
        for (auto r : refs) out += be(r, referenceSize);
        return out;
    }
    std::string dict(const std::vector<std::uint64_t>& keys, const std::vector<std::uint64_t>& values) const {
        std::string out = marker(0xD, keys.size());
        for (auto r : keys) out += be(r, referenceSize);
        for (auto r : values) out += be(r, referenceSize);
        return out;
    }

    // The file; the trailer fields may be replaced to make it lie.
    struct Trailer {
        unsigned offsetSize;
        unsigned referenceSize;
        std::uint64_t objectCount;
        std::uint64_t top;
        std::uint64_t tableOffset;
    };
    std::string build() const { return build(trailer()); }
    Trailer trailer() const {
        std::uint64_t end = 8;
        for (const auto& o : objects) end += o.size();
        unsigned size = offsetSize;
        if (!size) size = end < 0x100 ? 1 : end < 0x10000 ? 2 : end < 0x100000000ULL ? 4 : 8;
        return {size, referenceSize, objects.size(), top, end};
    }
    std::string build(const Trailer& t) const {
        std::string out = "bplist00";
        std::vector<std::uint64_t> offsets;
        for (const auto& o : objects) {
            offsets.push_back(out.size());
            out += o;
        }
        const unsigned size = trailer().offsetSize;
        for (auto off : offsets) out += be(off, size);
        out += std::string(6, '\0');
        out += static_cast<char>(t.offsetSize);
        out += static_cast<char>(t.referenceSize);
        out += be(t.objectCount, 8) + be(t.top, 8) + be(t.tableOffset, 8);
        return out;
    }

    std::vector<std::string> objects;
};
