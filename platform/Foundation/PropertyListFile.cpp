#include "Foundation/PropertyListFile.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

#include "Device/DeviceFolder.h"
#include "Foundation/BinaryPropertyList.h"
#include "Foundation/FileAccess.h"
#include "Foundation/LibplistBridge.h"
#include "Foundation/NSString.h"
#include "Foundation/XmlPropertyListGuard.h"

Ref<NSObject> PropertyListFile::read(NSString* phonePath) {
    if (!phonePath) return nullptr;
    auto bytes = FileAccess::read(DeviceFolder::resolve(phonePath->str()));
    return bytes ? parse(std::move(*bytes)) : nullptr;
}

Ref<NSObject> PropertyListFile::parse(std::string bytes) {
    if (BinaryPropertyList::isBinary(bytes)) return BinaryPropertyList::read(std::move(bytes));
    std::string_view xml(bytes);
    if (xml.starts_with("\xEF\xBB\xBF")) xml.remove_prefix(3);
    if (xml.size() > std::numeric_limits<std::uint32_t>::max() || !XmlPropertyListGuard::check(xml)) return nullptr;
    plist_t root = nullptr;
    plist_from_xml(xml.data(), static_cast<std::uint32_t>(xml.size()), &root);
    if (!root) return nullptr;
    Ref<NSObject> object = LibplistBridge::toObject(root);
    plist_free(root);
    return object;
}

bool PropertyListFile::write(const NSObject* root, NSString* phonePath, bool atomically) {
    if (!phonePath) return false;
    auto bytes = serialize(root);
    return bytes && FileAccess::write(DeviceFolder::resolve(phonePath->str()), *bytes, atomically);
}

std::optional<std::string> PropertyListFile::serialize(const NSObject* root) {
    plist_t node = LibplistBridge::toNode(root);
    if (!node) return std::nullopt;
    char* out = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(node, &out, &length);
    plist_free(node);
    if (!out) return std::nullopt;
    std::string bytes(out, length);
    plist_to_bin_free(out);
    return bytes;
}
