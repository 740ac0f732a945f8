#include "Foundation/NSBundle.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "Device/DeviceFolder.h"
#include "Foundation/FileAccess.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSFileManager.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListFile.h"
#include "objc/ClassBuilder.h"

namespace {

// The language of the stand-in device.
constexpr const char* kDeviceLanguage = "en";
constexpr const char* kDeviceLanguageName = "English";

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

Ref<NSBundle>& mainBundleRef() {
    static Ref<NSBundle> bundle;
    return bundle;
}

bool isLanguage(const std::string& localization, const std::string& language, const std::string& legacyName) {
    return localization == language || localization == legacyName || localization.starts_with(language + "_") ||
           localization.starts_with(language + "-");
}

// A property-list table: binary, or XML (its first character is "<").
bool isPropertyList(std::string_view bytes) {
    if (bytes.starts_with("bplist")) return true;
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && bytes[first] == '<';
}

std::optional<StringsTable> tableFromPropertyList(std::string bytes, std::string& error) {
    Ref<NSObject> root = PropertyListFile::parse(std::move(bytes));
    auto* dictionary = objc::cast<NSDictionary>(root.get());
    if (!dictionary) {
        error = "not a property-list dictionary";
        return std::nullopt;
    }
    StringsTable table;
    dictionary->enumerateKeysAndObjectsUsingBlock([&](NSObject* key, NSObject* value, bool*) {
        auto* k = objc::cast<NSString>(key);
        auto* v = objc::cast<NSString>(value);
        if (k && v) table.set(k->str(), v->str());
    });
    return table;
}

}  // namespace

Class NSBundle::class_() {
    static Class cls = objc::ClassBuilder<NSBundle>("NSBundle", NSObject::class_())
                           .classMethod<&NSBundle::mainBundle>("mainBundle")
                           .classMethod<&NSBundle::bundleWithPath>("bundleWithPath:")
                           .method<&NSBundle::bundlePath>("bundlePath")
                           .method<&NSBundle::bundleIdentifier>("bundleIdentifier")
                           .method<&NSBundle::infoDictionary>("infoDictionary")
                           .method<&NSBundle::pathForResource>("pathForResource:ofType:")
                           .method<&NSBundle::localizedStringForKey>("localizedStringForKey:value:table:")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSBundle::class_();

NSBundle::NSBundle(std::string path) : path_(withoutTrailingSlash(std::move(path))) {}

NSBundle::~NSBundle() = default;

NSBundle* NSBundle::mainBundle() {
    Ref<NSBundle>& bundle = mainBundleRef();
    if (!bundle) bundle = make<NSBundle>(std::string("/Applications/") + program_invocation_short_name + ".app");
    return bundle.get();
}

void NSBundle::setMainBundlePath(NSString* path) {
    mainBundleRef() = path && !path->str().empty() ? make<NSBundle>(path->str()) : nullptr;
}

Ref<NSBundle> NSBundle::bundleWithPath(NSString* path) {
    bool isDirectory = false;
    if (!NSFileManager::defaultManager()->fileExistsAtPath(path, &isDirectory) || !isDirectory) return nullptr;
    return make<NSBundle>(path->str());
}

Ref<NSString> NSBundle::bundlePath() const { return NSString::from(path_); }

NSDictionary* NSBundle::infoDictionary() const {
    if (!info_) {
        Ref<NSObject> info = PropertyListFile::read(NSString::from(path_ + "/Info.plist"));
        info_ = Ref<NSDictionary>(objc::cast<NSDictionary>(info.get()));
    }
    return info_->get();
}

Ref<NSString> NSBundle::bundleIdentifier() const {
    NSDictionary* info = infoDictionary();
    return info ? objc::cast<NSString>(info->objectForKey("CFBundleIdentifier"_ns)) : nullptr;
}

const std::vector<std::string>& NSBundle::searchFolders() const {
    if (folders_) return *folders_;
    std::vector<std::string> localizations;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(DeviceFolder::resolve(path_), ec))
        if (entry.path().extension() == ".lproj" && entry.is_directory(ec))
            localizations.push_back(entry.path().stem().string());
    std::sort(localizations.begin(), localizations.end());

    auto find = [&](const std::string& language, const std::string& legacyName) {
        return std::find_if(localizations.begin(), localizations.end(),
                            [&](const std::string& l) { return isLanguage(l, language, legacyName); });
    };
    // The device's language; else the bundle's development region; else its
    // first localisation. "Base" holds what every language shares.
    std::string preferred;
    NSDictionary* info = infoDictionary();
    auto* region = info ? objc::cast<NSString>(info->objectForKey("CFBundleDevelopmentRegion"_ns)) : nullptr;
    if (auto it = find(kDeviceLanguage, kDeviceLanguageName); it != localizations.end()) preferred = *it;
    else if (auto r = region ? find(region->str(), region->str()) : localizations.end(); r != localizations.end())
        preferred = *r;
    else if (!localizations.empty() && localizations.front() != "Base") preferred = localizations.front();
    else if (localizations.size() > 1) preferred = localizations[1];

    folders_.emplace(std::vector<std::string>{""});
    if (!preferred.empty()) folders_->push_back(preferred + ".lproj");
    if (std::binary_search(localizations.begin(), localizations.end(), "Base") && preferred != "Base")
        folders_->push_back("Base.lproj");
    return *folders_;
}

Ref<NSString> NSBundle::pathForResource(NSString* name, NSString* type) const {
    if (!name || name->str().empty()) return nullptr;
    std::string file = name->str();
    if (type && !type->str().empty()) file += (type->str()[0] == '.' ? "" : ".") + type->str();
    for (const std::string& folder : searchFolders()) {
        auto candidate = NSString::from(path_ + "/" + (folder.empty() ? "" : folder + "/") + file);
        if (NSFileManager::defaultManager()->fileExistsAtPath(candidate)) return candidate;
    }
    return nullptr;
}

const StringsTable* NSBundle::stringsTable(const std::string& name) const {
    auto cached = tables_.find(name);
    if (cached != tables_.end()) return cached->second ? &*cached->second : nullptr;
    std::optional<StringsTable>& table = tables_[name];
    Ref<NSString> path = pathForResource(NSString::from(name), "strings"_ns);
    if (!path) return nullptr;
    std::string error = "unreadable file";
    if (auto bytes = FileAccess::read(DeviceFolder::resolve(path->str())))
        table = isPropertyList(*bytes) ? tableFromPropertyList(std::move(*bytes), error) : StringsTable::parse(*bytes, &error);
    if (!table) NSLog("The strings table %s cannot be read (%s); its texts stay untranslated.", path->str(), error);
    return table ? &*table : nullptr;
}

Ref<NSString> NSBundle::localizedStringForKey(NSString* key, NSString* value, NSString* table) const {
    if (!key) return value ? Ref<NSString>(value) : ""_ns;
    const StringsTable* strings = stringsTable(table && !table->str().empty() ? table->str() : "Localizable");
    if (const std::string* translation = strings ? strings->lookup(key->str()) : nullptr)
        return NSString::from(*translation);
    return value && !value->str().empty() ? Ref<NSString>(value) : Ref<NSString>(key);
}
