#include "Quilltray/Models/QLTSettingsReader.h"

#include "Foundation/NSBundle.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSFileManager.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSMutableArray.h"
#include "Foundation/NSString.h"
#include "Quilltray/Models/QLTSpecifier.h"
#include "UIKit/UIDevice.h"
#include "objc/ClassBuilder.h"

namespace {

NSObject* entryIn(const NSDictionary* dictionary, const char* key) {
    return dictionary->objectForKey(NSString::from(key));
}

}  // namespace

Class QLTSettingsReader::class_() {
    using R = QLTSettingsReader;
    static Class cls = objc::ClassBuilder<R>("QLTSettingsReader", NSObject::class_())
                           .method<&R::init>("init")
                           .method<&R::initWithFile>("initWithFile:")
                           .method<&R::locateSettingsFile>("locateSettingsFile:")
                           .method<&R::platformSuffix>("platformSuffix")
                           .method<&R::file>("file:withBundle:suffix:extension:")
                           .method<&R::numberOfSections>("numberOfSections")
                           .method<&R::numberOfRowsForSection>("numberOfRowsForSection:")
                           .method<&R::specifierForIndexPath>("specifierForIndexPath:")
                           .method<&R::specifierForKey>("specifierForKey:")
                           .method<&R::titleForSection>("titleForSection:")
                           .method<&R::keyForSection>("keyForSection:")
                           .method<&R::footerTextForSection>("footerTextForSection:")
                           .method<&R::titleForStringId>("titleForStringId:")
                           .method<&R::pathForImageNamed>("pathForImageNamed:")
                           .method<&R::path>("path")
                           .method<&R::localizationTable>("localizationTable")
                           .method<&R::bundlePath>("bundlePath")
                           .method<&R::settingsBundle>("settingsBundle")
                           .method<&R::dataSource>("dataSource")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTSettingsReader::class_();

QLTSettingsReader::QLTSettingsReader() = default;
QLTSettingsReader::~QLTSettingsReader() = default;

QLTSettingsReader* QLTSettingsReader::init() { return initWithFile("Root"_ns); }

QLTSettingsReader* QLTSettingsReader::initWithFile(NSString* file) {
    setPath(locateSettingsFile(file));
    setSettingsBundle(NSDictionary::dictionaryWithContentsOfFile(path_));
    setBundlePath(path_->stringByDeletingLastPathComponent());
    bundle_ = NSBundle::bundleWithPath(bundlePath_);

    // Root~iphone.inApp.plist gives Root; Root.plist gives Root too.
    Ref<NSString> table = path_->stringByDeletingPathExtension()->stringByDeletingPathExtension()->lastPathComponent();
    setLocalizationTable(table->stringByReplacingOccurrencesOfString(platformSuffix(), ""_ns));
    if (!bundle_ || !bundle_->pathForResource(localizationTable_, "strings"_ns)) setLocalizationTable("Root"_ns);

    if (settingsBundle_) _reinterpretBundle(settingsBundle_);
    return this;
}

Ref<NSString> QLTSettingsReader::locateSettingsFile(NSString* name) const {
    Ref<NSString> candidate;
    for (const char* bundle : {"Trayset.bundle", "Settings.bundle"}) {
        for (const char* extension : {".inApp.plist", ".plist"}) {
            for (const Ref<NSString>& suffix : {platformSuffix(), ""_ns}) {
                candidate = file(name, NSString::from(bundle), suffix, NSString::from(extension));
                if (NSFileManager::defaultManager()->fileExistsAtPath(candidate)) return candidate;
            }
        }
    }
    return candidate;
}

Ref<NSString> QLTSettingsReader::platformSuffix() const {
    UIDevice* device = UIDevice::currentDevice();
    bool tablet =
        objc::responds(device, "userInterfaceIdiom") && device->userInterfaceIdiom() == UIUserInterfaceIdiomPad;
    return tablet ? "~ipad"_ns : "~iphone"_ns;
}

Ref<NSString> QLTSettingsReader::file(NSString* file, NSString* bundle, NSString* suffix, NSString* extension) const {
    return NSBundle::mainBundle()->bundlePath()->stringByAppendingPathComponent(bundle)->stringByAppendingPathComponent(
        NSString::stringWithFormat("%@%@%@", file, suffix, extension));
}

void QLTSettingsReader::_reinterpretBundle(NSDictionary* settings) {
    auto sections = make<NSMutableArray>();
    NSMutableArray* current = nullptr;
    auto openSection = [&] {
        auto section = make<NSMutableArray>();
        sections->addObject(section);
        current = section;
    };
    // A file of the wrong shape (the list not an array, an entry not a
    // dictionary) gives fewer rows, never a failure.
    if (auto* entries = objc::cast<NSArray>(entryIn(settings, "PreferenceSpecifiers"))) {
        for (NSUInteger i = 0; i < entries->count(); ++i) {
            auto* entry = objc::cast<NSDictionary>(entries->objectAtIndex(i));
            if (!entry) continue;
            auto* type = objc::cast<NSString>(entryIn(entry, "Type"));
            if (type && type->str() == "PSGroupSpecifier") {
                openSection();
                current->addObject(entry);
                continue;
            }
            if (!current) openSection();
            current->addObject(make<QLTSpecifier>()->initWithSpecifier(entry));
        }
    }
    setDataSource(sections);
}

NSArray* QLTSettingsReader::section(int section) const {
    return dataSource_ ? objc::cast<NSArray>(dataSource_->objectAtIndex(static_cast<NSUInteger>(section))) : nullptr;
}

NSDictionary* QLTSettingsReader::heading(int number) const {
    NSArray* elements = section(number);
    return elements && elements->count() > 0 ? objc::cast<NSDictionary>(elements->objectAtIndex(0)) : nullptr;
}

int QLTSettingsReader::numberOfSections() const { return dataSource_ ? static_cast<int>(dataSource_->count()) : 0; }

int QLTSettingsReader::numberOfRowsForSection(int number) const {
    NSArray* elements = section(number);
    if (!elements) return 0;
    return static_cast<int>(elements->count()) - (heading(number) ? 1 : 0);
}

QLTSpecifier* QLTSettingsReader::specifierForIndexPath(NSIndexPath* indexPath) {
    int number = static_cast<int>(indexPath->section());
    NSArray* elements = section(number);
    if (!elements) return nullptr;
    NSUInteger element = static_cast<NSUInteger>(indexPath->row()) + (heading(number) ? 1 : 0);
    auto* specifier = objc::cast<QLTSpecifier>(elements->objectAtIndex(element));
    if (specifier) specifier->setSettingsReader(this);
    return specifier;
}

QLTSpecifier* QLTSettingsReader::specifierForKey(NSString* key) const {
    for (NSUInteger s = 0; dataSource_ && s < dataSource_->count(); ++s) {
        auto* elements = objc::cast<NSArray>(dataSource_->objectAtIndex(s));
        for (NSUInteger e = 0; elements && e < elements->count(); ++e) {
            auto* specifier = objc::cast<QLTSpecifier>(elements->objectAtIndex(e));
            NSString* specifierKey = specifier ? specifier->key() : nullptr;
            if (specifierKey && specifierKey->isEqualToString(key)) return specifier;
        }
    }
    return nullptr;
}

Ref<NSString> QLTSettingsReader::titleForSection(int section) const {
    NSDictionary* group = heading(section);
    return group ? titleForStringId(objc::cast<NSString>(entryIn(group, "Title"))) : nullptr;
}

NSString* QLTSettingsReader::keyForSection(int section) const {
    NSDictionary* group = heading(section);
    return group ? objc::cast<NSString>(entryIn(group, "Key")) : nullptr;
}

Ref<NSString> QLTSettingsReader::footerTextForSection(int section) const {
    NSDictionary* group = heading(section);
    return group ? titleForStringId(objc::cast<NSString>(entryIn(group, "FooterText"))) : nullptr;
}

Ref<NSString> QLTSettingsReader::titleForStringId(NSString* stringId) const {
    // Without a bundle folder there is no table, so nothing is translated.
    if (!bundle_) return stringId ? Ref<NSString>(stringId) : ""_ns;
    return bundle_->localizedStringForKey(stringId, stringId, localizationTable_);
}

Ref<NSString> QLTSettingsReader::pathForImageNamed(NSString* name) const {
    return bundlePath_ ? bundlePath_->stringByAppendingPathComponent(name) : nullptr;
}

void QLTSettingsReader::setPath(NSString* path) { path_ = path; }

void QLTSettingsReader::setLocalizationTable(NSString* table) { localizationTable_ = table; }

void QLTSettingsReader::setBundlePath(NSString* bundlePath) { bundlePath_ = bundlePath; }

void QLTSettingsReader::setSettingsBundle(NSDictionary* settingsBundle) { settingsBundle_ = settingsBundle; }

void QLTSettingsReader::setDataSource(NSArray* dataSource) { dataSource_ = dataSource; }
