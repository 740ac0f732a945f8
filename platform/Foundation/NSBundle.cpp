#include "Foundation/NSBundle.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "Device/DeviceFolder.h"
#include "Foundation/FileAccess.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSFileManager.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListFile.h"
#include "objc/ClassBuilder.h"

namespace {

// Where the phone keeps the user's languages, most preferred first.
constexpr const char* kGlobalPreferences = "/var/mobile/Library/Preferences/.GlobalPreferences.plist";

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

Ref<NSBundle>& mainBundleRef() {
    static Ref<NSBundle> bundle;
    return bundle;
}

// The folder names older bundles use for some languages.
std::string legacyName(const std::string& language) {
    static const std::pair<const char*, const char*> names[] = {
        {"en", "English"}, {"fr", "French"}, {"de", "German"}, {"ja", "Japanese"},
        {"es", "Spanish"}, {"it", "Italian"}, {"nl", "Dutch"},
    };
    for (const auto& [code, name] : names)
        if (language == code) return name;
    return language;
}

// A localisation serves a language when it is that language ("en", its
// legacy "English") or a region of it ("en_GB", "en-GB").
bool isLanguage(const std::string& localization, const std::string& language) {
    return localization == language || localization == legacyName(language) ||
           localization.starts_with(language + "_") || localization.starts_with(language + "-");
}

// "AppleLanguages" of the device's global preferences; English when it
// names none.
std::vector<std::string> userLanguages() {
    std::vector<std::string> languages;
    Ref<NSObject> preferences = PropertyListFile::read(NSString::from(kGlobalPreferences));
    auto* dictionary = objc::cast<NSDictionary>(preferences.get());
    auto* list = dictionary ? objc::cast<NSArray>(dictionary->objectForKey("AppleLanguages"_ns)) : nullptr;
    for (NSUInteger i = 0; list && i < list->count(); ++i)
        if (auto* language = objc::cast<NSString>(list->objectAtIndex(i)); language && !language->str().empty())
            languages.push_back(language->str());
    if (languages.empty()) languages.emplace_back("en");
    return languages;
}

// The first of the user's languages that the bundle has; else its
// development region; else its first localisation. A region ("en-GB") is
// served by its own folder first, then by its language's. "" when the bundle
// has none but "Base", which holds what every language shares.
std::string preferredLocalization(const std::vector<std::string>& localizations, const std::string& region) {
    auto find = [&](const std::string& language) -> const std::string* {
        std::string underscored = language;
        std::replace(underscored.begin(), underscored.end(), '-', '_');
        std::string base = language.substr(0, language.find_first_of("-_"));
        for (const std::string& wanted : {language, underscored})
            for (const std::string& l : localizations)
                if (l == wanted) return &l;
        for (const std::string& l : localizations)
            if (isLanguage(l, base)) return &l;
        return nullptr;
    };
    for (const std::string& language : userLanguages())
        if (const std::string* found = find(language)) return *found;
    if (const std::string* found = find(region)) return *found;
    for (const std::string& l : localizations)
        if (l != "Base") return l;
    return "";
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

    NSDictionary* info = infoDictionary();
    auto* region = info ? objc::cast<NSString>(info->objectForKey("CFBundleDevelopmentRegion"_ns)) : nullptr;
    // The phone's default development region is English.
    std::string preferred = preferredLocalization(localizations, region ? region->str() : "en");

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
