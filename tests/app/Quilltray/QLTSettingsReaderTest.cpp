#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSIndexPath.h"
#include "Quilltray/Models/QLTSettingsReader.h"
#include "Quilltray/Models/QLTSpecifier.h"
#include "app/Quilltray/SettingsDevice.h"
#include "objc/ClassBuilder.h"

namespace {

std::string text(const NSString* s) { return s ? s->str() : "(nil)"; }

Ref<QLTSettingsReader> reader(const char* file) {
    return make<QLTSettingsReader>()->initWithFile(NSString::from(file));
}

const std::string kOneRow =
    SettingsDevice::settings(SettingsDevice::entry({"Type", "PSToggleSwitchSpecifier", "Key", "k", "Title", "Row"}));

}  // namespace

// Which file is chosen, and which strings table goes with it.
TEST(QLTSettingsReader, SearchOrderSuffixAndTable) {
    struct Case {
        std::vector<std::string> files;
        bool tablet;
        const char* name;
        const char* chosen;
        const char* table;
    };
    const Case cases[] = {
        // The bundle folder outranks extension and suffix.
        {{"Trayset.bundle/Root.plist", "Settings.bundle/Root~iphone.plist"},
         false,
         "Root",
         "Trayset.bundle/Root.plist",
         "Root"},
        // The extension outranks the suffix.
        {{"Trayset.bundle/Root~iphone.plist", "Trayset.bundle/Root.inApp.plist"},
         false,
         "Root",
         "Trayset.bundle/Root.inApp.plist",
         "Root"},
        {{"Settings.bundle/Root.inApp.plist", "Settings.bundle/Root~iphone.inApp.plist"},
         false,
         "Root",
         "Settings.bundle/Root~iphone.inApp.plist",
         "Root"},
        // A tablet prefers its own file and still uses the table Root.
        {{"Trayset.bundle/Root.inApp.plist", "Trayset.bundle/Root~ipad.inApp.plist",
          "Trayset.bundle/en.lproj/Root.strings"},
         true,
         "Root",
         "Trayset.bundle/Root~ipad.inApp.plist",
         "Root"},
        // A phone never takes the tablet's file.
        {{"Settings.bundle/Root~ipad.plist", "Settings.bundle/Root.plist"},
         false,
         "Root",
         "Settings.bundle/Root.plist",
         "Root"},
        // A child file has its own table when there is one, else Root's.
        {{"Settings.bundle/Child.plist", "Settings.bundle/en.lproj/Child.strings"},
         false,
         "Child",
         "Settings.bundle/Child.plist",
         "Child"},
        {{"Settings.bundle/Child~ipad.plist", "Settings.bundle/Child.strings"},
         true,
         "Child",
         "Settings.bundle/Child~ipad.plist",
         "Child"},
        {{"Settings.bundle/Child.plist"}, false, "Child", "Settings.bundle/Child.plist", "Root"},
        // Nothing there: the last candidate, and no sections.
        {{}, false, "Root", "Settings.bundle/Root.plist", "Root"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        SettingsDevice device;
        UIDevice::currentDevice()->setUserInterfaceIdiom(c.tablet ? UIUserInterfaceIdiomPad
                                                                  : UIUserInterfaceIdiomPhone);
        for (const std::string& file : c.files)
            device.write(file, file.ends_with(".strings") ? "\"Row\" = \"Translated\";" : kOneRow);
        auto r = reader(c.name);
        EXPECT_EQ(text(r->path()), std::string(SettingsDevice::kApp) + "/" + c.chosen);
        EXPECT_EQ(text(r->localizationTable()), c.table);
        EXPECT_EQ(r->numberOfSections(), c.files.empty() ? 0 : 1);
        EXPECT_EQ(text(r->platformSuffix()), c.tablet ? "~ipad" : "~iphone");
    }
}

// Sections with and without a heading, rows found by place and by key, and
// the texts localised through the table.
TEST(QLTSettingsReader, SectionsRowsAndTheirTexts) {
    SettingsDevice device;
    using E = SettingsDevice;
    device.write(
        "Settings.bundle/Root.plist",
        E::settings(
            E::entry({"Type", "PSToggleSwitchSpecifier", "Key", "loose", "Title", "Loose"}) +
            E::entry({"Type", "PSGroupSpecifier", "Title", "Display", "Key", "groupKey", "FooterText", "Shown below"}) +
            E::entry({"Type", "PSToggleSwitchSpecifier", "Key", "twice", "Title", "First"}) +
            E::entry({"Type", "PSSliderSpecifier", "Key", "twice", "Title", "Second"}) +
            E::entry({"Type", "PSGroupSpecifier"}) + E::entry({"Type", "PSGroupSpecifier", "Title", "Last"})));
    device.write("Settings.bundle/en.lproj/Root.strings",
                 "/* headings */\n\"Display\" = \"Affichage\";\n\"First\" = \"Premier\";");
    auto r = reader("Root");

    ASSERT_EQ(r->numberOfSections(), 4);
    const int rows[] = {1, 2, 0, 0};
    const char* titles[] = {"(nil)", "Affichage", "", "Last"};
    const char* keys[] = {"(nil)", "groupKey", "(nil)", "(nil)"};
    const char* footers[] = {"(nil)", "Shown below", "", ""};
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(r->numberOfRowsForSection(s), rows[s]);
        EXPECT_EQ(text(r->titleForSection(s)), titles[s]);
        EXPECT_EQ(text(r->keyForSection(s)), keys[s]);
        EXPECT_EQ(text(r->footerTextForSection(s)), footers[s]);
    }

    // By key: the first of two rows with one key, nothing for a group's key,
    // and no reader set, so no title yet.
    QLTSpecifier* byKey = r->specifierForKey("twice"_ns);
    ASSERT_TRUE(byKey);
    EXPECT_EQ(text(byKey->type()), "PSToggleSwitchSpecifier");
    EXPECT_EQ(byKey->settingsReader(), nullptr);
    EXPECT_EQ(text(byKey->title()), "(nil)");
    EXPECT_EQ(r->specifierForKey("groupKey"_ns), nullptr);
    EXPECT_EQ(r->specifierForKey("absent"_ns), nullptr);

    // By place: row 0 of the heading-less section is its element 0, row 0 of
    // a headed one is element 1; handing it out sets the reader.
    EXPECT_EQ(text(r->specifierForIndexPath(NSIndexPath::indexPathForRow(0, 0))->key()), "loose");
    QLTSpecifier* first = r->specifierForIndexPath(NSIndexPath::indexPathForRow(0, 1));
    EXPECT_EQ(first, byKey);
    EXPECT_EQ(first->settingsReader(), r.get());
    EXPECT_EQ(text(first->title()), "Premier");
    EXPECT_EQ(text(r->specifierForIndexPath(NSIndexPath::indexPathForRow(1, 1))->title()), "Second");
    // The heading stays the group entry itself, as screens read it.
    auto* headed = objc::cast<NSArray>(r->dataSource()->objectAtIndex(1));
    EXPECT_TRUE(objc::cast<NSDictionary>(headed->objectAtIndex(0)));
    EXPECT_EQ(text(r->pathForImageNamed("knob.png"_ns)),
              std::string(SettingsDevice::kApp) + "/Settings.bundle/knob.png");
}

// Files of the wrong shape give rows or no rows, and every question about
// those rows has an answer.
TEST(QLTSettingsReader, HostileFilesNeverFail) {
    using E = SettingsDevice;
    auto nested = [](int depth) {
        std::string xml;
        for (int i = 0; i < depth; ++i) xml += "<array>";
        for (int i = 0; i < depth; ++i) xml += "</array>";
        return xml;
    };
    struct Case {
        const char* what;
        std::string file;
        std::vector<int> rows;
    };
    const Case cases[] = {
        {"not a property list", "PreferenceSpecifiers", {}},
        {"an array at the top", E::plist("<array><string>x</string></array>"), {}},
        {"no list", E::plist("<dict><key>Title</key><string>x</string></dict>"), {}},
        {"the list a string", E::plist("<dict><key>PreferenceSpecifiers</key><string>x</string></dict>"), {}},
        {"entries of every kind",
         E::settings(
             "<integer>7</integer><string>row</string><array/>" + E::entry({"Key", "noType"}) +
             E::entry({"Type", "<integer>3</integer>", "Key", "<real>1.5</real>"}) +
             E::entry({"Type", "PSGroupSpecifier", "Title", "<dict/>", "FooterText", "<array/>", "Key", "<true/>"}) +
             E::entry({"Type", "PSMultiValueSpecifier", "Values", "<dict><key>a</key><string>b</string></dict>",
                       "Titles", "<string>t</string>", "DefaultValue", "<dict/>", "MinimumValue", "<dict/>",
                       "KeyboardType", "<integer>4</integer>", "QLTViewControllerClass", "<array/>", "QLTButtonAction",
                       "<integer>1</integer>", "Title", "<date>2011-01-01T00:00:00Z</date>"})),
         {2, 1}},
        {"nesting past the limit",
         E::settings(E::entry({"Type", "PSTitleValueSpecifier", "DefaultValue", nested(5000)})),
         {}},
        {"deep nesting", E::settings(E::entry({"Type", "PSTitleValueSpecifier", "DefaultValue", nested(400)})), {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsDevice device;
        device.write("Settings.bundle/Root.plist", c.file);
        auto r = reader("Root");
        ASSERT_EQ(r->numberOfSections(), static_cast<int>(c.rows.size()));
        for (int s = 0; s < r->numberOfSections(); ++s) {
            ASSERT_EQ(r->numberOfRowsForSection(s), c.rows[s]);
            r->titleForSection(s);
            r->keyForSection(s);
            r->footerTextForSection(s);
            for (int row = 0; row < c.rows[s]; ++row) {
                QLTSpecifier* sp = r->specifierForIndexPath(NSIndexPath::indexPathForRow(row, s));
                ASSERT_TRUE(sp);
                EXPECT_EQ(sp->multipleValuesCount(), 0);
                EXPECT_EQ(sp->titleForCurrentValue("b"_ns), nullptr);
                EXPECT_EQ(sp->keyboardType(), UIKeyboardTypeDefault);
                EXPECT_EQ(sp->minimumValue(), 0);
                EXPECT_EQ(sp->viewControllerClass(), nullptr);
                EXPECT_EQ(sp->buttonAction(), nullptr);
                EXPECT_EQ(sp->title(), nullptr);
                sp->defaultStringValue();
                sp->defaultBoolValue();
            }
        }
    }
}
