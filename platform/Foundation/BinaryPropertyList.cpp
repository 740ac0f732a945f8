#include "Foundation/BinaryPropertyList.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "Foundation/BinaryPropertyListArray.h"
#include "Foundation/BinaryPropertyListDictionary.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDate.h"
#include "Foundation/NSNull.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListFile.h"

namespace {

constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kTrailerSize = 32;
// A walk over the whole tree may meet this many objects per byte of the file.
// Files share equal strings and numbers, which stays far below it; a file
// whose shared containers multiply beyond it is refused.
constexpr std::uint64_t kExpansionPerByte = 4;

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
constexpr std::uint8_t kNull = 0x00;
constexpr std::uint8_t kFalse = 0x08;
constexpr std::uint8_t kTrue = 0x09;

unsigned unitAt(const unsigned char* p, std::uint64_t i) { return static_cast<unsigned>(p[2 * i] << 8 | p[2 * i + 1]); }

// UTF-16 (big-endian) whose surrogates all come in pairs, so it has a UTF-8 form.
bool validUtf16(const unsigned char* p, std::uint64_t units) {
    for (std::uint64_t i = 0; i < units; ++i) {
        unsigned u = unitAt(p, i);
        if (u >= 0xDC00 && u <= 0xDFFF) return false;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 >= units) return false;
            unsigned low = unitAt(p, ++i);
            if (low < 0xDC00 || low > 0xDFFF) return false;
        }
    }
    return true;
}

void appendUtf8(std::string& out, const unsigned char* p, std::uint64_t units) {
    out.reserve(out.size() + units * 3);
    for (std::uint64_t i = 0; i < units; ++i) {
        std::uint32_t cp = unitAt(p, i);
        if (cp >= 0xD800 && cp <= 0xDBFF) cp = 0x10000 + ((cp - 0xD800) << 10) + (unitAt(p, ++i) - 0xDC00);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | cp >> 6);
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | cp >> 12);
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | cp >> 18);
            out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
}

// A finished object's height (containers on its deepest path: 0 for a
// scalar) and the number of objects a walk of it meets, packed into the object's state word (0 = not seen, 1 = being walked).
constexpr std::uint64_t kOpen = 1;
std::uint64_t packDone(std::uint64_t height, std::uint64_t size) { return size << 12 | height << 2 | 2; }
std::uint64_t heightOf(std::uint64_t state) { return state >> 2 & 0x3FF; }
std::uint64_t sizeOf(std::uint64_t state) { return state >> 12; }

}  // namespace

BinaryPropertyList::BinaryPropertyList(std::string bytes) : bytes_(std::move(bytes)) {}

bool BinaryPropertyList::isBinary(std::string_view bytes) { return bytes.starts_with("bplist0"); }

Ref<NSObject> BinaryPropertyList::read(std::string bytes) {
    auto plist = std::make_shared<BinaryPropertyList>(std::move(bytes));
    if (!plist->readTrailer() || !plist->checkGraph()) return nullptr;
    return plist->object(plist->top_);
}

std::uint64_t BinaryPropertyList::readUint(std::size_t at, unsigned size) const {
    std::uint64_t v = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data()) + at;
    for (unsigned i = 0; i < size; ++i) v = v << 8 | p[i];
    return v;
}

bool BinaryPropertyList::readTrailer() {
    std::size_t n = bytes_.size();
    // The smallest file: header, a one-byte object, its offset and the trailer.
    if (n < kHeaderSize + 2 + kTrailerSize || !isBinary(bytes_)) return false;
    std::size_t t = n - kTrailerSize;
    offsetSize_ = static_cast<unsigned char>(bytes_[t + 6]);
    referenceSize_ = static_cast<unsigned char>(bytes_[t + 7]);
    objectCount_ = readUint(t + 8, 8);
    top_ = readUint(t + 16, 8);
    tableOffset_ = readUint(t + 24, 8);
    if (offsetSize_ < 1 || offsetSize_ > 8 || referenceSize_ < 1 || referenceSize_ > 8) return false;
    if (objectCount_ == 0 || top_ >= objectCount_) return false;
    if (tableOffset_ < kHeaderSize + 1 || tableOffset_ > t) return false;
    return objectCount_ <= (t - tableOffset_) / offsetSize_;
}

bool BinaryPropertyList::offsetOf(std::uint64_t object, std::size_t& offset) const {
    if (object >= objectCount_) return false;
    std::uint64_t o = readUint(static_cast<std::size_t>(tableOffset_ + object * offsetSize_), offsetSize_);
    if (o < kHeaderSize || o >= tableOffset_) return false;
    offset = static_cast<std::size_t>(o);
    return true;
}

bool BinaryPropertyList::header(std::uint64_t object, Header& h) const {
    std::size_t at;
    if (!offsetOf(object, at)) return false;
    const std::size_t end = static_cast<std::size_t>(tableOffset_);
    h.marker = static_cast<std::uint8_t>(bytes_[at]);
    std::size_t pos = at + 1;
    h.count = 0;
    switch (h.marker >> 4) {
    case kData:
    case kAscii:
    case kUtf16:
    case kArray:
    case kDictionary:
        h.count = h.marker & 0xF;
        if (h.count == 0xF) {
            // The count follows as an integer object of 1, 2, 4 or 8 bytes.
            if (pos >= end) return false;
            auto m = static_cast<std::uint8_t>(bytes_[pos]);
            if (m >> 4 != kInteger || (m & 0xF) > 3) return false;
            unsigned size = 1u << (m & 0xF);
            if (end - pos - 1 < size) return false;
            h.count = readUint(pos + 1, size);
            pos += 1 + size;
        }
        break;
    default: break;
    }
    h.payload = pos;
    return true;
}

bool BinaryPropertyList::check(std::uint64_t object, Header& h) const {
    if (!header(object, h)) return false;
    const auto* base = reinterpret_cast<const unsigned char*>(bytes_.data());
    const std::uint64_t available = tableOffset_ - h.payload;
    const unsigned low = h.marker & 0xF;
    auto referencesInRange = [&](std::uint64_t n) {
        for (std::uint64_t i = 0; i < n; ++i)
            if (reference(h.payload, i) >= objectCount_) return false;
        return true;
    };
    switch (h.marker >> 4) {
    case kSimple: return h.marker == kNull || h.marker == kFalse || h.marker == kTrue;
    case kInteger:
        if (low > 4 || (1u << low) > available) return false;
        if (low == 4) {
            // 128 bits: only values that fit 64 bits, signed or unsigned.
            std::uint64_t high = readUint(h.payload, 8);
            return high == 0 || (high == ~std::uint64_t{0} && readUint(h.payload + 8, 8) >> 63);
        }
        return true;
    case kReal: return (low == 2 || low == 3) && (1u << low) <= available;
    case kDate: return low == 3 && available >= 8;
    case kData: return h.count <= available;
    case kAscii:
        if (h.count > available) return false;
        for (std::uint64_t i = 0; i < h.count; ++i)
            if (base[h.payload + i] & 0x80) return false;
        return true;
    case kUtf16: return h.count <= available / 2 && validUtf16(base + h.payload, h.count);
    case kArray: return h.count <= available / referenceSize_ && referencesInRange(h.count);
    case kDictionary:
        if (h.count > available / referenceSize_ / 2 || !referencesInRange(2 * h.count)) return false;
        for (std::uint64_t i = 0; i < h.count; ++i) {
            std::size_t at;
            if (!offsetOf(reference(h.payload, i), at)) return false;
            unsigned keyType = static_cast<unsigned char>(bytes_[at]) >> 4;
            if (keyType != kAscii && keyType != kUtf16) return false;
        }
        return true;
    default: return false;
    }
}

bool BinaryPropertyList::checkGraph() {
    struct Frame {
        std::uint64_t object;
        std::uint64_t next;
        std::uint64_t count;
        std::size_t references;
        std::uint64_t height;
        std::uint64_t size;
    };
    const std::uint64_t maxSize = bytes_.size() * kExpansionPerByte;
    std::vector<std::uint64_t> state(objectCount_, 0);
    std::vector<Frame> stack;

    // Adds a finished member to the container being walked.
    auto addToParent = [&](std::uint64_t height, std::uint64_t size) {
        if (stack.empty()) return true;
        Frame& parent = stack.back();
        if (stack.size() + height > PropertyListFile::kMaxDepth) return false;
        parent.height = std::max(parent.height, height + 1);
        parent.size = std::min(parent.size + size, maxSize + 1);
        return true;
    };
    auto visit = [&](std::uint64_t object) {
        std::uint64_t s = state[object];
        if (s == kOpen) return false;  // a container inside itself
        if (s != 0) return addToParent(heightOf(s), sizeOf(s));
        Header h;
        if (!check(object, h)) return false;
        unsigned type = h.marker >> 4;
        if (type != kArray && type != kDictionary) {
            state[object] = packDone(0, 1);
            return addToParent(0, 1);
        }
        if (stack.size() >= PropertyListFile::kMaxDepth) return false;
        state[object] = kOpen;
        stack.push_back({object, 0, type == kDictionary ? 2 * h.count : h.count, h.payload, 1, 1});
        return true;
    };

    if (!visit(top_)) return false;
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next < f.count) {
            if (!visit(reference(f.references, f.next++))) return false;
            continue;
        }
        Frame done = f;
        stack.pop_back();
        if (done.size > maxSize) return false;
        state[done.object] = packDone(done.height, done.size);
        if (!addToParent(done.height, done.size)) return false;
    }
    return true;
}

BinaryPropertyList::Members BinaryPropertyList::members(std::uint64_t object) const {
    Header h{};
    header(object, h);
    return {h.count, h.payload};
}

std::uint64_t BinaryPropertyList::reference(std::size_t references, std::uint64_t i) const {
    return readUint(static_cast<std::size_t>(references + i * referenceSize_), referenceSize_);
}

std::string_view BinaryPropertyList::text(std::uint64_t object, std::string& converted) const {
    Header h{};
    header(object, h);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data()) + h.payload;
    if (h.marker >> 4 == kAscii) return std::string_view(bytes_).substr(h.payload, static_cast<std::size_t>(h.count));
    converted.clear();
    appendUtf8(converted, p, h.count);
    return converted;
}

Ref<NSObject> BinaryPropertyList::object(std::uint64_t object) const {
    Header h{};
    header(object, h);
    const unsigned low = h.marker & 0xF;
    const std::size_t n = static_cast<std::size_t>(h.count);
    switch (h.marker >> 4) {
    case kSimple:
        if (h.marker == kNull) return NSNull::null();
        return NSNumber::numberWithBool(h.marker == kTrue);
    case kInteger:
        if (low == 4) {
            std::uint64_t value = readUint(h.payload + 8, 8);
            if (readUint(h.payload, 8) == 0) return NSNumber::numberWithUnsignedLongLong(value);
            return NSNumber::numberWithLongLong(static_cast<long long>(value));
        }
        // One, two and four bytes are unsigned; eight are signed.
        return NSNumber::numberWithLongLong(static_cast<long long>(readUint(h.payload, 1u << low)));
    case kReal:
        if (low == 2) return NSNumber::numberWithFloat(std::bit_cast<float>(static_cast<std::uint32_t>(readUint(h.payload, 4))));
        return NSNumber::numberWithDouble(std::bit_cast<double>(readUint(h.payload, 8)));
    case kDate: return NSDate::dateWithTimeIntervalSinceReferenceDate(std::bit_cast<double>(readUint(h.payload, 8)));
    case kData: return make<NSData>(bytes_.substr(h.payload, n));
    case kAscii: return make<NSString>(bytes_.substr(h.payload, n));
    case kUtf16: {
        std::string utf8;
        text(object, utf8);
        return make<NSString>(std::move(utf8));
    }
    case kArray: return make<BinaryPropertyListArray>(shared_from_this(), object);
    case kDictionary: return make<BinaryPropertyListDictionary>(shared_from_this(), object);
    default: return nullptr;
    }
}
