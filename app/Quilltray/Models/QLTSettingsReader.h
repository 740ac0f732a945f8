// Finds a settings description file among the app's resources, loads it,
// groups its entries into sections the way the phone's own settings screens
// do, and answers a settings screen's questions about them, localising texts
// through the strings table beside the file. It never writes anything.
//
// Each section of dataSource is a mutable array: a section opened by a
// "PSGroupSpecifier" entry holds that entry's dictionary at element 0 (its
// heading), then one QLTSpecifier per row entry in file order; rows before
// the first group form a section 0 without a heading. Callers pass section
// and row numbers inside these arrays.
#pragma once

#include "objc/NSObject.h"

class NSArray;
class NSBundle;
class NSDictionary;
class NSIndexPath;
class NSString;
class QLTSpecifier;

class QLTSettingsReader : public NSObject {
    KORVEL_OBJC_CLASS(QLTSettingsReader)
public:
    QLTSettingsReader();
    ~QLTSettingsReader() override;

    // initWithFile: "Root".
    QLTSettingsReader* init();
    // `file` is the name without extension; a file that is missing or is not
    // a property-list dictionary gives no sections.
    QLTSettingsReader* initWithFile(NSString* file);

    // The first of these that exists, in the main bundle's folder:
    // {Trayset,Settings}.bundle / file {platformSuffix,""} {.inApp.plist,.plist},
    // bundle outermost, suffix innermost; when none does, the last tried.
    Ref<NSString> locateSettingsFile(NSString* file) const;
    // "~ipad" on a tablet, "~iphone" otherwise.
    Ref<NSString> platformSuffix() const;
    // mainBundle/bundle/<file><suffix><extension>.
    Ref<NSString> file(NSString* file, NSString* bundle, NSString* suffix, NSString* extension) const;

    int numberOfSections() const;
    int numberOfRowsForSection(int section) const;
    // Hands the row out with this reader set as its settingsReader.
    QLTSpecifier* specifierForIndexPath(NSIndexPath* indexPath);
    // The first row, in file order, whose key equals `key`; nil when none.
    // Its settingsReader is left as it is.
    QLTSpecifier* specifierForKey(NSString* key) const;
    // nil for a section without a heading.
    Ref<NSString> titleForSection(int section) const;
    NSString* keyForSection(int section) const;
    Ref<NSString> footerTextForSection(int section) const;
    // `stringId` translated by the strings table; the text itself when it
    // has no translation.
    Ref<NSString> titleForStringId(NSString* stringId) const;
    Ref<NSString> pathForImageNamed(NSString* name) const;

    NSString* path() const { return path_; }
    void setPath(NSString* path);
    NSString* localizationTable() const { return localizationTable_; }
    void setLocalizationTable(NSString* table);
    NSString* bundlePath() const { return bundlePath_; }
    void setBundlePath(NSString* bundlePath);
    NSDictionary* settingsBundle() const { return settingsBundle_; }
    void setSettingsBundle(NSDictionary* settingsBundle);
    NSArray* dataSource() const { return dataSource_; }
    void setDataSource(NSArray* dataSource);

private:
    // Builds dataSource from the settings dictionary.
    void _reinterpretBundle(NSDictionary* settings);
    NSArray* section(int section) const;
    // The section's group entry; nil without a heading.
    NSDictionary* heading(int section) const;

    Ref<NSString> path_;
    Ref<NSString> localizationTable_;
    Ref<NSString> bundlePath_;
    Ref<NSDictionary> settingsBundle_;
    Ref<NSArray> dataSource_;
    Ref<NSBundle> bundle_;
};
