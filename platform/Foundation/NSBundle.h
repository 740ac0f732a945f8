// A bundle: an app's folder (or a resource folder inside one) with its
// Info.plist, resources and localisation folders ("en.lproj"). Paths are the
// phone's, resolved inside the device folder.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Foundation/StringsTable.h"
#include "objc/NSObject.h"

class NSDictionary;
class NSString;

class NSBundle : public NSObject {
    KORVEL_OBJC_CLASS(NSBundle)
public:
    explicit NSBundle(std::string path);
    ~NSBundle() override;

    // The running app's folder, as set by the host at start; until then
    // "/Applications/<program name>.app".
    static NSBundle* mainBundle();
    static void setMainBundlePath(NSString* path);
    // nil when the path names no folder.
    static Ref<NSBundle> bundleWithPath(NSString* path);

    Ref<NSString> bundlePath() const;
    // Info.plist's "CFBundleIdentifier"; nil without one.
    Ref<NSString> bundleIdentifier() const;
    // Info.plist's contents; nil when there is none or it is unreadable.
    NSDictionary* infoDictionary() const;

    // The phone path of "name.type": first at the top of the bundle, then in
    // the localisation folders in order of preference: the first of the
    // user's languages ("AppleLanguages" of the device's global preferences,
    // English when unset) that the bundle has, else its development region
    // (English when unset), else its first localisation; then "Base". nil
    // when not found.
    Ref<NSString> pathForResource(NSString* name, NSString* type) const;

    // The translation of `key` in the strings table `table` ("Localizable"
    // when nil): without one, `value`, or `key` when `value` is nil or empty;
    // a nil key gives `value`, or "" when that is nil too.
    Ref<NSString> localizedStringForKey(NSString* key, NSString* value, NSString* table) const;

private:
    // "" (the top) and then the localisation folders in order of preference.
    const std::vector<std::string>& searchFolders() const;
    const StringsTable* stringsTable(const std::string& name) const;

    std::string path_;
    mutable std::optional<Ref<NSDictionary>> info_;
    mutable std::optional<std::vector<std::string>> folders_;
    mutable std::map<std::string, std::optional<StringsTable>> tables_;
};
