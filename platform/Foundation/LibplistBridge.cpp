#include "Foundation/LibplistBridge.h"

#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDate.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListFile.h"

namespace {

// Containers nest at most kMaxDepth deep: the outermost is at depth 0.
bool tooDeep(unsigned containerDepth) { return containerDepth >= PropertyListFile::kMaxDepth; }

// The library keeps every integer as 64 bits and marks, invisibly to its
// interface, whether those above the signed range are negative numbers or
// unsigned ones; only its own text form tells them apart.
bool isUnsignedAboveSignedRange(plist_t node) {
    char* xml = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(node, &xml, &length);
    bool negative = xml && std::string_view(xml, length).find("<integer>-") != std::string_view::npos;
    plist_to_xml_free(xml);
    return !negative;
}

Ref<NSObject> objectFrom(plist_t node, unsigned depth) {
    if (!node) return nullptr;
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        std::uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return NSNumber::numberWithBool(b != 0);
    }
    case PLIST_UINT: {
        std::uint64_t v = 0;
        plist_get_uint_val(node, &v);
        if (v > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) && isUnsignedAboveSignedRange(node))
            return NSNumber::numberWithUnsignedLongLong(v);
        return NSNumber::numberWithLongLong(static_cast<long long>(v));
    }
    case PLIST_REAL: {
        double d = 0;
        plist_get_real_val(node, &d);
        return NSNumber::numberWithDouble(d);
    }
    case PLIST_STRING:
    case PLIST_KEY: {
        std::uint64_t length = 0;
        const char* p = plist_get_string_ptr(node, &length);
        if (!p) return NSString::from("");
        return NSString::fromUTF8(std::string_view(p, static_cast<std::size_t>(length)));
    }
    case PLIST_DATA: {
        std::uint64_t length = 0;
        const char* p = plist_get_data_ptr(node, &length);
        return NSData::dataWithBytes(p, p ? static_cast<NSUInteger>(length) : 0);
    }
    case PLIST_DATE: {
        std::int32_t sec = 0, usec = 0;
        plist_get_date_val(node, &sec, &usec);
        return NSDate::dateWithTimeIntervalSinceReferenceDate(sec + usec / 1e6);
    }
    case PLIST_ARRAY: {
        if (tooDeep(depth)) return nullptr;
        std::vector<Ref<NSObject>> members;
        std::uint32_t n = plist_array_get_size(node);
        members.reserve(n);
        for (std::uint32_t i = 0; i < n; ++i) {
            Ref<NSObject> member = objectFrom(plist_array_get_item(node, i), depth + 1);
            if (!member) return nullptr;
            members.push_back(std::move(member));
        }
        return make<NSArray>(std::move(members));
    }
    case PLIST_DICT: {
        if (tooDeep(depth)) return nullptr;
        std::vector<std::pair<Ref<NSObject>, Ref<NSObject>>> entries;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        bool ok = true;
        while (ok) {
            char* key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, it, &key, &value);
            if (!key) break;
            Ref<NSString> k = NSString::stringWithUTF8String(key);
            std::free(key);
            Ref<NSObject> v = objectFrom(value, depth + 1);
            ok = k && v;
            if (ok) entries.emplace_back(std::move(k), std::move(v));
        }
        std::free(it);
        return ok ? make<NSDictionary>(std::move(entries)) : nullptr;
    }
    default: return nullptr;
    }
}

}  // namespace

Ref<NSObject> LibplistBridge::toObject(plist_t node) { return objectFrom(node, 0); }
