#include "Foundation/BinaryPropertyList.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "Foundation/BinaryPropertyListDictionary.h"
#include "Foundation/BinaryPropertyListFormat.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDate.h"
#include "Foundation/NSNull.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListFile.h"
#include "Foundation/UnicodeText.h"

namespace {

using namespace BinaryPropertyListFormat;

// The big-endian UTF-16 text of a string object: `units` units at `p`.
std::string_view utf16(const unsigned char* p, std::uint64_t units) {
    return {reinterpret_cast<const char*>(p), static_cast<std::size_t>(units * 2)};
}

using Layout = BinaryPropertyList::Layout;

std::uint64_t readUint(const unsigned char* p, unsigned size) {
    switch (size) {
    case 1: return p[0];
    case 2: return std::uint64_t{p[0]} << 8 | p[1];
    case 4: {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return __builtin_bswap32(v);
    }
    case 8: {
        std::uint64_t v;
        std::memcpy(&v, p, 8);
        return __builtin_bswap64(v);
    }
    default: {
        std::uint64_t v = 0;
        for (unsigned i = 0; i < size; ++i) v = v << 8 | p[i];
        return v;
    }
    }
}

struct Header {
    std::uint8_t marker;
    std::uint64_t count;
    std::size_t payload;
};

std::uint64_t reference(const Layout& l, std::size_t references, std::uint64_t i) {
    return readUint(l.base + references + i * l.referenceSize, l.referenceSize);
}

bool header(const Layout& l, std::uint64_t object, Header& h) {
    if (object >= l.objectCount) return false;
    const std::uint64_t offset = readUint(l.base + l.tableOffset + object * l.offsetSize, l.offsetSize);
    if (offset < kHeaderSize || offset >= l.tableOffset) return false;
    const auto at = static_cast<std::size_t>(offset);
    const std::size_t end = static_cast<std::size_t>(l.tableOffset);
    h.marker = l.base[at];
    std::size_t pos = at + 1;
    h.count = 0;
    switch (h.marker >> 4) {
    case kData:
    case kAscii:
    case kUtf16:
    case kArray:
    case kDictionary:
        h.count = h.marker & 0xF;
        if (h.count == kCountFollows) {
            // The count follows as an integer object of 1, 2, 4 or 8 bytes.
            if (pos >= end) return false;
            std::uint8_t m = l.base[pos];
            if (m >> 4 != kInteger || (m & 0xF) > 3) return false;
            unsigned size = 1u << (m & 0xF);
            if (end - pos - 1 < size) return false;
            h.count = readUint(l.base + pos + 1, size);
            pos += 1 + size;
        }
        break;
    default: break;
    }
    h.payload = pos;
    return true;
}

bool isAscii(const unsigned char* p, std::uint64_t n) {
    std::uint64_t any = 0;
    std::uint64_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        any |= word;
    }
    for (; i < n; ++i) any |= p[i];
    return !(any & 0x8080808080808080ULL);
}

// Bounds and contents of one object. The objects a container refers to are
// checked in turn when they are decoded.
bool check(const Layout& l, std::uint64_t object, Header& h) {
    if (!header(l, object, h)) return false;
    const std::uint64_t available = l.tableOffset - h.payload;
    const unsigned low = h.marker & 0xF;
    switch (h.marker >> 4) {
    case kSimple: return h.marker == kNull || h.marker == kFalse || h.marker == kTrue;
    case kInteger:
        if (low > 4 || (1u << low) > available) return false;
        if (low == 4) {
            // 128 bits: only values that fit 64 bits, signed or unsigned.
            std::uint64_t high = readUint(l.base + h.payload, 8);
            return high == 0 || (high == ~std::uint64_t{0} && readUint(l.base + h.payload + 8, 8) >> 63);
        }
        return true;
    case kReal: return (low == 2 || low == 3) && (1u << low) <= available;
    case kDate: return low == 3 && available >= 8;
    case kData: return h.count <= available;
    case kAscii: return h.count <= available && isAscii(l.base + h.payload, h.count);
    case kUtf16: return h.count <= available / 2 && UnicodeText::isValidUTF16(utf16(l.base + h.payload, h.count), true);
    case kArray: return h.count <= available / l.referenceSize;
    case kDictionary: return h.count <= available / l.referenceSize / 2;
    default: return false;
    }
}

}  // namespace

namespace {

// Decodes everything below `object`, so that every damage in it is met.
void decodeAll(const NSObject* object) {
    if (auto* array = dynamic_cast<const NSArray*>(object)) {
        for (NSUInteger i = 0, n = array->count(); i < n; ++i) decodeAll(array->objectAtIndex(i));
    } else if (auto* dictionary = dynamic_cast<const NSDictionary*>(object)) {
        dictionary->enumerateKeysAndObjectsUsingBlock([](NSObject*, NSObject* value, bool*) { decodeAll(value); });
    }
}

}  // namespace

BinaryPropertyList::BinaryPropertyList(std::string bytes, std::string_view source)
    : bytes_(std::move(bytes)), source_(source) {
    layout_.base = reinterpret_cast<const unsigned char*>(bytes_.data());
}

bool BinaryPropertyList::isBinary(std::string_view bytes) { return bytes.starts_with("bplist0"); }

Ref<NSObject> BinaryPropertyList::read(std::string bytes, std::string_view source, bool* whole) {
    auto plist = std::make_shared<BinaryPropertyList>(std::move(bytes), source);
    if (!plist->readTrailer()) return nullptr;
    Ref<NSObject> root = plist->object(plist->layout_.top, nullptr);
    if (whole) {
        decodeAll(root);
        *whole = plist->whole_;
    }
    return root;
}

bool BinaryPropertyList::readTrailer() {
    std::size_t n = bytes_.size();
    // The smallest file: header, a one-byte object, its offset and the trailer.
    if (n < kHeaderSize + 2 + kTrailerSize || !isBinary(bytes_)) return false;
    Layout& l = layout_;
    const unsigned char* t = l.base + n - kTrailerSize;
    l.offsetSize = t[6];
    l.referenceSize = t[7];
    l.objectCount = readUint(t + 8, 8);
    l.top = readUint(t + 16, 8);
    l.tableOffset = readUint(t + 24, 8);
    const std::uint64_t tableEnd = n - kTrailerSize;
    if (l.offsetSize < 1 || l.offsetSize > 8 || l.referenceSize < 1 || l.referenceSize > 8) return false;
    if (l.objectCount == 0 || l.top >= l.objectCount) return false;
    if (l.tableOffset < kHeaderSize + 1 || l.tableOffset > tableEnd) return false;
    budget_ = l.objectCount * kObjectsPerFileObject;
    return l.objectCount <= (tableEnd - l.tableOffset) / l.offsetSize;
}

bool BinaryPropertyList::keys(std::uint64_t dictionary, std::vector<Key>& out,
                              std::vector<std::unique_ptr<std::string>>& converted) const {
    const Layout& l = layout_;
    Header d;
    if (!header(l, dictionary, d)) return false;
    out.reserve(static_cast<std::size_t>(d.count));
    for (std::uint64_t i = 0; i < d.count; ++i) {
        std::uint64_t keyObject = ::reference(l, d.payload, i);
        Header h;
        if (!check(l, keyObject, h)) return false;
        const unsigned char* p = l.base + h.payload;
        std::string_view text;
        if (h.marker >> 4 == kAscii) {
            text = std::string_view(reinterpret_cast<const char*>(p), static_cast<std::size_t>(h.count));
        } else if (h.marker >> 4 == kUtf16) {
            converted.push_back(
                std::make_unique<std::string>(UnicodeText::fromUTF16(utf16(p, h.count), true).value_or("")));
            text = *converted.back();
        } else {
            return false;
        }
        out.push_back({text, keyObject, ::reference(l, d.payload, d.count + i)});
    }
    return true;
}

Ref<NSObject> BinaryPropertyList::object(std::uint64_t object, const std::shared_ptr<const Path>& container) const {
    if (auto leaf = leaves_.find(object); leaf != leaves_.end()) return leaf->second;
    Ref<NSObject> result = decode(object, container);
    if (!result) whole_ = false;
    return result;
}

Ref<NSObject> BinaryPropertyList::decode(std::uint64_t object, const std::shared_ptr<const Path>& container) const {
    if (budget_ == 0) {
        PropertyListFile::reportLimit(source_, "makes more objects than the limit of " +
                                                   std::to_string(kObjectsPerFileObject) + " for each of its " +
                                                   std::to_string(layout_.objectCount) +
                                                   " objects; the rest reads as absent.");
        return nullptr;
    }
    Header h;
    if (!check(layout_, object, h)) return nullptr;
    --budget_;
    const unsigned low = h.marker & 0xF;
    const std::size_t n = static_cast<std::size_t>(h.count);
    const unsigned char* p = layout_.base + h.payload;
    Ref<NSObject> leaf;
    switch (h.marker >> 4) {
    case kSimple:
        if (h.marker == kNull) leaf = NSNull::null();
        else leaf = NSNumber::numberWithBool(h.marker == kTrue);
        break;
    case kInteger:
        if (low == 4) {
            std::uint64_t value = readUint(p + 8, 8);
            if (readUint(p, 8) == 0) leaf = NSNumber::numberWithUnsignedLongLong(value);
            else leaf = NSNumber::numberWithLongLong(static_cast<long long>(value));
        } else {
            // One, two and four bytes are unsigned; eight are signed.
            leaf = NSNumber::numberWithLongLong(static_cast<long long>(readUint(p, 1u << low)));
        }
        break;
    case kReal:
        if (low == 2) leaf = NSNumber::numberWithFloat(std::bit_cast<float>(static_cast<std::uint32_t>(readUint(p, 4))));
        else leaf = NSNumber::numberWithDouble(std::bit_cast<double>(readUint(p, 8)));
        break;
    case kDate: leaf = NSDate::dateWithTimeIntervalSinceReferenceDate(std::bit_cast<double>(readUint(p, 8))); break;
    case kData: leaf = make<NSData>(bytes_.substr(h.payload, n)); break;
    case kAscii: leaf = make<NSString>(bytes_.substr(h.payload, n)); break;
    case kUtf16: leaf = make<NSString>(UnicodeText::fromUTF16(utf16(p, h.count), true).value_or("")); break;
    case kArray:
    case kDictionary: break;
    default: return nullptr;
    }
    if (leaf) {
        leaves_.emplace(object, leaf);
        return leaf;
    }
    unsigned depth = container ? container->depth + 1 : 0;
    if (depth >= PropertyListFile::kMaxDepth) return nullptr;
    for (const Path* outer = container.get(); outer; outer = outer->outer.get())
        if (outer->object == object) return nullptr;
    auto path = std::make_shared<const Path>(Path{object, depth, container});
    if (h.marker >> 4 == kArray) {
        std::vector<Ref<NSObject>> members;
        members.reserve(n);
        for (std::uint64_t i = 0; i < h.count; ++i) {
            Ref<NSObject> member = this->object(::reference(layout_, h.payload, i), path);
            if (!member) return nullptr;
            members.push_back(std::move(member));
        }
        return make<NSArray>(std::move(members));
    }
    auto dictionary = make<BinaryPropertyListDictionary>(shared_from_this(), path);
    // A root dictionary with a damaged key makes the file unreadable; one
    // further in reads as empty when it is first used.
    if (depth == 0 && !dictionary->sound()) return nullptr;
    return dictionary;
}
