// The settings reader fed a whole settings file, the app bundle's
// Settings.bundle/Root.plist, with a strings table beside it so that every
// text goes through localisation. Every question a settings screen asks is
// asked of every row. Property: every row the reader counts is there, and a
// row's key finds a row with that key.
#include <cstdint>

#include "Foundation/NSBundle.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSString.h"
#include "FuzzCheck.h"
#include "FuzzDevice.h"
#include "Quilltray/Models/QLTSettingsReader.h"
#include "Quilltray/Models/QLTSpecifier.h"
#include "objc/NSAutoreleasePool.h"

namespace {

constexpr const char* kApp = "/Applications/Fuzz.app";

void setUpApp() {
    static const bool done = [] {
        static const char table[] = "\"Display\" = \"Anzeige\";\n\"On\" = \"An\";\n";
        FuzzDevice::put(std::string(kApp) + "/Settings.bundle/en.lproj/Root.strings",
                        reinterpret_cast<const std::uint8_t*>(table), sizeof table - 1);
        NSBundle::setMainBundlePath(NSString::from(kApp));
        return true;
    }();
    (void)done;
}

void askEverything(QLTSpecifier* row) {
    row->type();
    row->title();
    row->footerText();
    row->defaultStringValue();
    row->defaultBoolValue();
    row->trueValue();
    row->falseValue();
    row->minimumValue();
    row->maximumValue();
    row->minimumValueImage();
    row->maximumValueImage();
    row->isSecure();
    row->keyboardType();
    row->autocapitalizationType();
    row->autoCorrectionType();
    row->multipleTitles();
    row->file();
    row->viewControllerClass();
    row->viewControllerSelector();
    row->buttonClass();
    row->buttonAction();
    if (NSArray* values = row->multipleValues())
        for (NSUInteger i = 0; i < values->count(); ++i) row->titleForCurrentValue(values->objectAtIndex(i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NSAutoreleasePool pool;
    setUpApp();
    FuzzDevice::put(std::string(kApp) + "/Settings.bundle/Root.plist", data, size);
    Ref<QLTSettingsReader> reader = make<QLTSettingsReader>();
    reader->initWithFile("Root"_ns);
    for (int section = 0; section < reader->numberOfSections(); ++section) {
        reader->titleForSection(section);
        reader->keyForSection(section);
        reader->footerTextForSection(section);
        for (int row = 0; row < reader->numberOfRowsForSection(section); ++row) {
            QLTSpecifier* specifier = reader->specifierForIndexPath(NSIndexPath::indexPathForRow(row, section));
            fuzzCheck(specifier != nullptr, "every row counted is there");
            askEverything(specifier);
            if (NSString* key = specifier->key()) {
                QLTSpecifier* found = reader->specifierForKey(key);
                fuzzCheck(found && found->key() && found->key()->isEqual(key), "a row's key finds a row with that key");
            }
        }
    }
    return 0;
}
