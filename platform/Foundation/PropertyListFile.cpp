#include "Foundation/PropertyListFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <limits>
#include <map>

#include "Device/DeviceFolder.h"
#include "Foundation/BinaryPropertyList.h"
#include "Foundation/BinaryPropertyListWriter.h"
#include "Foundation/FileAccess.h"
#include "Foundation/LibplistBridge.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSString.h"
#include "Foundation/XmlPropertyListGuard.h"

std::uint64_t PropertyListFile::maxBytesFor(std::string_view phonePath) {
    return phonePath.find("/Library/Preferences/") != std::string_view::npos ? kMaxPreferencesBytes : kMaxOtherBytes;
}

namespace {

// The last few files decoded, with their bytes. Mail reads the same small
// files for every row; when the bytes read are the ones decoded before, the
// objects decoded then (immutable, and decoded only as far as asked) are
// the answer again, and parsing and indexing are not done anew.
struct Decoded {
    std::string path;
    std::string bytes;
    Ref<NSObject> root;
};
constexpr std::size_t kDecodedKept = 4;
// The read storage kept between reads: more than any preferences file a
// person has.
constexpr std::size_t kKeptReadBytes = std::size_t{1} << 20;

// Per thread, as the read storage below: a thread reads and decodes apart
// from the others.
std::deque<Decoded>& decodedFiles() {
    thread_local std::deque<Decoded> files;
    return files;
}

}  // namespace

Ref<NSObject> PropertyListFile::read(NSString* phonePath) { return readFile(phonePath, false).root; }

PropertyListFile::Contents PropertyListFile::readWhole(NSString* phonePath) { return readFile(phonePath, true); }

PropertyListFile::Contents PropertyListFile::readFile(NSString* phonePath, bool whole) {
    if (!phonePath) return {};
    const std::string& path = phonePath->str();
    const std::uint64_t limit = maxBytesFor(path);
    std::uint64_t size = 0;
    // Read into storage kept between reads: the same small files are read
    // for every row, and most often are what was decoded before.
    thread_local std::string bytes;
    thread_local std::string hostPath;
    DeviceFolder::resolveInto(hostPath, path);
    // What a large file needed is not kept past its read.
    struct Trim {
        std::string& bytes;
        ~Trim() {
            if (bytes.capacity() > kKeptReadBytes) std::string().swap(bytes);
        }
    } trim{bytes};
    bool read = FileAccess::readInto(bytes, hostPath, limit, &size);
    if (size > limit)
        reportLimit(path, "is " + std::to_string(size) + " bytes, past the limit of " + std::to_string(limit) +
                              " bytes for its kind; it reads as unreadable.");
    if (!read) return {};
    // A whole read decodes everything anew, so that it can tell what it met.
    if (whole) return parseBytes(std::move(bytes), path, true);
    auto& files = decodedFiles();
    auto same = std::find_if(files.begin(), files.end(), [&](const Decoded& d) { return d.path == path; });
    if (same != files.end() && same->bytes == bytes) return {same->root, false};
    if (same != files.end()) files.erase(same);
    Ref<NSObject> root = parseBytes(bytes, path, false).root;
    files.push_front({path, std::move(bytes), root});
    if (files.size() > kDecodedKept) files.pop_back();
    return {root, false};
}

Ref<NSObject> PropertyListFile::parse(std::string bytes, std::string_view source) {
    return parseBytes(std::move(bytes), source, false).root;
}

PropertyListFile::Contents PropertyListFile::parseWhole(std::string bytes, std::string_view source) {
    return parseBytes(std::move(bytes), source, true);
}

PropertyListFile::Contents PropertyListFile::parseBytes(std::string bytes, std::string_view source, bool whole) {
    if (BinaryPropertyList::isBinary(bytes)) {
        bool sound = false;
        Ref<NSObject> root = BinaryPropertyList::read(std::move(bytes), source, whole ? &sound : nullptr);
        return {root, root && sound};
    }
    std::string_view xml(bytes);
    if (xml.starts_with("\xEF\xBB\xBF")) xml.remove_prefix(3);
    if (xml.size() > std::numeric_limits<std::uint32_t>::max() || !XmlPropertyListGuard::check(xml)) return {};
    plist_t node = nullptr;
    plist_from_xml(xml.data(), static_cast<std::uint32_t>(xml.size()), &node);
    if (!node) return {};
    // The bridge fails as a whole, so an XML file that reads reads whole.
    Ref<NSObject> root = LibplistBridge::toObject(node);
    plist_free(node);
    return {root, root != nullptr};
}

bool PropertyListFile::write(const NSObject* root, NSString* phonePath, bool atomically) {
    if (!phonePath) return false;
    auto bytes = serialize(root);
    return bytes && FileAccess::write(DeviceFolder::resolve(phonePath->str()), *bytes, atomically);
}

std::optional<std::string> PropertyListFile::serialize(const NSObject* root) {
    return BinaryPropertyListWriter::write(root);
}

void PropertyListFile::reportLimit(std::string_view source, const std::string& message) {
    static std::map<std::string, std::string, std::less<>> lastReported;
    std::string name = source.empty() ? "A property list" : std::string(source);
    auto it = lastReported.find(name);
    if (it != lastReported.end() && it->second == message) return;
    lastReported[name] = message;
    NSLog("%s %s", name, message);
}
