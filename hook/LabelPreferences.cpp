#include "LabelPreferences.h"

#include "Geometry.h"
#include "ObjC.h"

namespace korvelhook {

namespace {

const char* const kLabelPreferencesPath = "/var/mobile/Library/Preferences/com.Brisval.Korvel.plist";
const char* const kMailPreferencesPath = "/var/mobile/Library/Preferences/com.apple.mobilemail.plist";

id readDictionary(const char* path) {
    return send<id, id>(classNamed("NSDictionary"), "dictionaryWithContentsOfFile:", string(path));
}

bool isDictionary(id value) { return responds(value, "objectForKey:"); }

// A key's value in what is known to be a dictionary or nil (nil answers nil):
// what dictionaryWithContentsOfFile: answered, or a record already asked.
id valueOf(id dictionary, const char* key) { return send<id, id>(dictionary, "objectForKey:", string(key)); }

id entry(id value, const char* key) { return isDictionary(value) ? valueOf(value, key) : nullptr; }

// A component of a record already known to be a dictionary.
CGFloat component(id record, const char* key) {
    id value = valueOf(record, key);
    return responds(value, "floatValue") ? send<float>(value, "floatValue") : 0;
}

}  // namespace

id LabelPreferences::read() { return readDictionary(kLabelPreferencesPath); }

int LabelPreferences::option(id preferences, const char* key) {
    id value = valueOf(preferences, key);
    return responds(value, "intValue") ? send<int>(value, "intValue") : 0;
}

int LabelPreferences::previewLines() {
    id value = valueOf(readDictionary(kMailPreferencesPath), "LinesOfPreview");
    return responds(value, "intValue") ? send<int>(value, "intValue") : 2;
}

id LabelPreferences::valueForAddress(id preferences, id address) {
    id key = lowercase(address);
    return key ? send<id, id>(preferences, "objectForKey:", key) : nullptr;
}

bool LabelPreferences::hasRed(id value) { return entry(value, "red") != nullptr; }

id LabelPreferences::colour(id record) {
    // Asked once for the whole record: not a dictionary, every component is 0.
    const bool usable = isDictionary(record);
    auto part = [&](const char* key) { return usable ? component(record, key) : 0; };
    return send<id, CGFloat, CGFloat, CGFloat, CGFloat>(classNamed("UIColor"), "colorWithRed:green:blue:alpha:",
                                                        part("red"), part("green"), part("blue"), part("alpha"));
}

}  // namespace korvelhook
