#include "Foundation/BinaryPropertyListWriter.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Foundation/BinaryPropertyListFormat.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDate.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListFile.h"
#include "Foundation/UnicodeText.h"

namespace {

using namespace BinaryPropertyListFormat;

// A big-endian unsigned integer of `size` bytes.
void appendUint(std::string& out, std::uint64_t value, unsigned size) {
    for (unsigned i = size; i-- > 0;) out += static_cast<char>(value >> (8 * i));
}

unsigned bytesFor(std::uint64_t value) {
    return value <= 0xFF ? 1 : value <= 0xFFFF ? 2 : value <= 0xFFFFFFFF ? 4 : 8;
}

unsigned log2Of(unsigned size) { return size == 1 ? 0 : size == 2 ? 1 : size == 4 ? 2 : 3; }

void appendMarker(std::string& out, unsigned type, std::uint64_t count) {
    if (count < kCountFollows) {
        out += static_cast<char>(type << 4 | count);
        return;
    }
    out += static_cast<char>(type << 4 | kCountFollows);
    const unsigned size = bytesFor(count);
    out += static_cast<char>(kInteger << 4 | log2Of(size));
    appendUint(out, count, size);
}

std::string integer(std::int64_t value) {
    std::string out;
    const unsigned size = value < 0 ? 8 : bytesFor(static_cast<std::uint64_t>(value));
    out += static_cast<char>(kInteger << 4 | log2Of(size));
    appendUint(out, static_cast<std::uint64_t>(value), size);
    return out;
}

std::string unsignedInteger(std::uint64_t value) {
    if (value <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return integer(static_cast<std::int64_t>(value));
    // Above the signed range: 128 bits, the high half zero.
    std::string out(1, static_cast<char>(kInteger << 4 | 4));
    appendUint(out, 0, 8);
    appendUint(out, value, 8);
    return out;
}

std::string real(double value) {
    // Converting a finite double beyond a float's range to float is undefined.
    const bool fitsFloat =
        std::isinf(value) || (std::isfinite(value) && std::fabs(value) <= FLT_MAX && static_cast<float>(value) == value);
    std::string out;
    if (fitsFloat) {
        out += static_cast<char>(kReal << 4 | 2);
        appendUint(out, std::bit_cast<std::uint32_t>(static_cast<float>(value)), 4);
    } else {
        out += static_cast<char>(kReal << 4 | 3);
        appendUint(out, std::bit_cast<std::uint64_t>(value), 8);
    }
    return out;
}

// ASCII, or big-endian UTF-16 (a byte that is not UTF-8 becomes U+FFFD).
std::string text(const std::string& utf8) {
    std::string out;
    bool ascii = true;
    for (char c : utf8) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) {
        appendMarker(out, kAscii, utf8.size());
        return out + utf8;
    }
    std::string units;
    for (std::size_t at = 0; at < utf8.size();) {
        std::int32_t code = UnicodeText::decodeUTF8(utf8, at);
        if (code < 0) code = UnicodeText::kReplacementCharacter;
        if (code >= 0x10000) {
            code -= 0x10000;
            appendUint(units, 0xD800 + (static_cast<std::uint32_t>(code) >> 10), 2);
            appendUint(units, 0xDC00 + (static_cast<std::uint32_t>(code) & 0x3FF), 2);
        } else {
            appendUint(units, static_cast<std::uint32_t>(code), 2);
        }
    }
    appendMarker(out, kUtf16, units.size() / 2);
    return out + units;
}

// One object of the file: a leaf's bytes, or a container and the objects it refers to.
struct Object {
    const std::string* leaf = nullptr;
    unsigned type = 0;
    // A dictionary's keys, then its values.
    std::vector<std::uint64_t> references;
};

// Numbers every object in the order it is met, a container before what it
// holds; equal leaves are one object.
class Flattener {
public:
    std::vector<Object> objects;

    bool add(const NSObject* object, unsigned depth, std::uint64_t& index) {
        if (!object) return false;
        if (auto* array = dynamic_cast<const NSArray*>(object)) return addArray(array, depth, index);
        if (auto* dictionary = dynamic_cast<const NSDictionary*>(object)) return addDictionary(dictionary, depth, index);
        std::optional<std::string> bytes = leafBytes(object);
        if (!bytes) return false;
        auto [found, made] = leaves_.try_emplace(std::move(*bytes), objects.size());
        if (made) objects.push_back({&found->first, 0, {}});
        index = found->second;
        return true;
    }

private:
    static std::optional<std::string> leafBytes(const NSObject* object) {
        if (auto* string = dynamic_cast<const NSString*>(object)) {
            if (string->str().find('\0') != std::string::npos) return std::nullopt;
            return text(string->str());
        }
        if (auto* number = dynamic_cast<const NSNumber*>(object)) {
            switch (number->kind()) {
            case NSNumber::Kind::Bool: return std::string(1, static_cast<char>(number->boolValue() ? kTrue : kFalse));
            case NSNumber::Kind::Integer: return integer(number->longLongValue());
            case NSNumber::Kind::UnsignedInteger: return unsignedInteger(number->unsignedLongLongValue());
            case NSNumber::Kind::Float:
            case NSNumber::Kind::Double: return real(number->doubleValue());
            }
        }
        if (auto* data = dynamic_cast<const NSData*>(object)) {
            std::string out;
            appendMarker(out, kData, data->length());
            return out.append(data->view());
        }
        if (auto* date = dynamic_cast<const NSDate*>(object)) {
            const double t = date->timeIntervalSinceReferenceDate();
            const double seconds = std::floor(t);
            if (!(seconds >= std::numeric_limits<std::int32_t>::min() &&
                  seconds <= std::numeric_limits<std::int32_t>::max()))
                return std::nullopt;
            const double kept = seconds + static_cast<double>(std::lround((t - seconds) * 1e6)) / 1e6;
            std::string out(1, static_cast<char>(kDate << 4 | 3));
            appendUint(out, std::bit_cast<std::uint64_t>(kept), 8);
            return out;
        }
        return std::nullopt;
    }

    // A new container object, numbered before its contents.
    std::uint64_t container(unsigned type) {
        objects.push_back({nullptr, type, {}});
        return objects.size() - 1;
    }

    bool addArray(const NSArray* array, unsigned depth, std::uint64_t& index) {
        if (depth >= PropertyListFile::kMaxDepth) return false;
        index = container(kArray);
        std::vector<std::uint64_t> members(array->count());
        for (NSUInteger i = 0; i < members.size(); ++i)
            if (!add(array->objectAtIndex(i), depth + 1, members[i])) return false;
        objects[index].references = std::move(members);
        return true;
    }

    bool addDictionary(const NSDictionary* dictionary, unsigned depth, std::uint64_t& index) {
        if (depth >= PropertyListFile::kMaxDepth) return false;
        index = container(kDictionary);
        std::vector<std::uint64_t> keys, values;
        bool ok = true;
        dictionary->enumerateKeysAndObjectsUsingBlock([&](NSObject* key, NSObject* value, bool* stop) {
            std::uint64_t k = 0, v = 0;
            ok = dynamic_cast<const NSString*>(key) && add(key, depth + 1, k) && add(value, depth + 1, v);
            keys.push_back(k);
            values.push_back(v);
            *stop = !ok;
        });
        if (!ok) return false;
        keys.insert(keys.end(), values.begin(), values.end());
        objects[index].references = std::move(keys);
        return true;
    }

    std::unordered_map<std::string, std::uint64_t> leaves_;
};

}  // namespace

std::optional<std::string> BinaryPropertyListWriter::write(const NSObject* root) {
    Flattener flat;
    std::uint64_t top = 0;
    if (!flat.add(root, 0, top)) return std::nullopt;

    const std::uint64_t count = flat.objects.size();
    const unsigned referenceSize = bytesFor(count - 1);
    std::string out = kMagic;
    std::vector<std::uint64_t> offsets;
    offsets.reserve(count);
    for (const Object& object : flat.objects) {
        offsets.push_back(out.size());
        if (object.leaf) {
            out += *object.leaf;
            continue;
        }
        const std::size_t entries = object.references.size();
        appendMarker(out, object.type, object.type == kDictionary ? entries / 2 : entries);
        for (std::uint64_t reference : object.references) appendUint(out, reference, referenceSize);
    }
    const std::uint64_t tableOffset = out.size();
    const unsigned offsetSize = bytesFor(tableOffset);
    for (std::uint64_t offset : offsets) appendUint(out, offset, offsetSize);
    // The trailer: five unused bytes and the sort version, then the sizes and counts.
    out.append(6, '\0');
    out += static_cast<char>(offsetSize);
    out += static_cast<char>(referenceSize);
    appendUint(out, count, 8);
    appendUint(out, top, 8);
    appendUint(out, tableOffset, 8);
    return out;
}
