#include <gtest/gtest.h>

#include <string>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSNumber.h"
#include "Quilltray/Models/QLTSettingsReader.h"
#include "Quilltray/Models/QLTSpecifier.h"
#include "app/Quilltray/SettingsDevice.h"
#include "objc/ClassBuilder.h"

namespace {

using E = SettingsDevice;

std::string text(const NSString* s) { return s ? s->str() : "(nil)"; }

// The first row of a settings file holding `entryXml`, handed out by its reader.
class SpecifierFile {
public:
    explicit SpecifierFile(const std::string& entryXml) {
        device_.write("Settings.bundle/Root.plist", E::settings(entryXml));
        device_.write("Settings.bundle/en.lproj/Root.strings", "\"one\" = \"One, translated\";");
        reader_ = make<QLTSettingsReader>()->initWithFile("Root"_ns);
        specifier_ = reader_->specifierForIndexPath(NSIndexPath::indexPathForRow(0, 0));
    }
    QLTSpecifier* operator->() const { return specifier_; }

private:
    SettingsDevice device_;
    Ref<QLTSettingsReader> reader_;
    QLTSpecifier* specifier_ = nullptr;
};

const std::string kChoices = "<array><string>1</string><string>2</string><string>1</string></array>";

}  // namespace

// Titles of choice rows: only the two choice types have lists, the counts
// must agree, and the first equal value wins.
TEST(QLTSpecifier, ChoiceListsAndTheTitleOfAValue) {
    struct Case {
        const char* what;
        std::string entry;
        int count;
        const char* titleOf1;
    };
    const std::string twoTitles = "<array><string>one</string><string>two</string></array>";
    const std::string threeTitles = "<array><string>one</string><string>two</string><string>three</string></array>";
    const Case cases[] = {
        {"the first of two equal values",
         E::entry({"Type", "PSMultiValueSpecifier", "Values", kChoices, "Titles", threeTitles}), 3, "One, translated"},
        {"title-value rows too", E::entry({"Type", "PSTitleValueSpecifier", "Values", kChoices, "Titles", threeTitles}),
         3, "One, translated"},
        {"one title short", E::entry({"Type", "PSMultiValueSpecifier", "Values", kChoices, "Titles", twoTitles}), 3,
         "(nil)"},
        {"no titles", E::entry({"Type", "PSMultiValueSpecifier", "Values", kChoices}), 3, "(nil)"},
        {"a toggle's values are ignored",
         E::entry({"Type", "PSToggleSwitchSpecifier", "Values", kChoices, "Titles", threeTitles}), 0, "(nil)"},
        {"values that are no list",
         E::entry({"Type", "PSMultiValueSpecifier", "Values", "<dict/>", "Titles", "<dict/>"}), 0, "(nil)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SpecifierFile sp(c.entry);
        EXPECT_EQ(sp->multipleValuesCount(), c.count);
        EXPECT_EQ(text(sp->titleForCurrentValue("1"_ns)), c.titleOf1);
        // A value that is not among them, and a number that only looks like one.
        EXPECT_EQ(sp->titleForCurrentValue("9"_ns), nullptr);
        EXPECT_EQ(sp->titleForCurrentValue(NSNumber::numberWithInt(1)), nullptr);
    }
    // Without a reader nothing is localised.
    Ref<QLTSpecifier> loose = make<QLTSpecifier>()->initWithSpecifier(
        make<NSDictionary>(std::initializer_list<std::pair<NSObject*, NSObject*>>{
            {"Type"_ns, "PSMultiValueSpecifier"_ns}, {"Title"_ns, "one"_ns}}));
    EXPECT_EQ(loose->title(), nullptr);
}

TEST(QLTSpecifier, DefaultBoolValue) {
    struct Case {
        const char* what;
        std::string entry;
        bool on;
    };
    const Case cases[] = {
        {"default equal to the true value", E::entry({"DefaultValue", "on", "TrueValue", "on", "FalseValue", "off"}),
         true},
        {"default equal to the false value wins over its reading",
         E::entry({"DefaultValue", "YES", "FalseValue", "YES"}), false},
        {"a plain boolean", E::entry({"DefaultValue", "<true/>"}), true},
        {"a text default read as a boolean", E::entry({"DefaultValue", "YES", "TrueValue", "on"}), true},
        {"a number default", E::entry({"DefaultValue", "<integer>0</integer>"}), false},
        {"no default", E::entry({"TrueValue", "<true/>"}), false},
        {"a default of no boolean kind", E::entry({"DefaultValue", "<array/>"}), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SpecifierFile sp(c.entry);
        EXPECT_EQ(sp->defaultBoolValue(), c.on);
    }
}

// The text-entry tables: each name its number, anything else the table's last row.
TEST(QLTSpecifier, TextEntryOptions) {
    struct Case {
        const char* key;
        const char* name;
        NSInteger expected;
    };
    // The numbers that are easy to mix up, and the fallbacks.
    const Case cases[] = {
        {"KeyboardType", "Alphabet", 1},           {"KeyboardType", "NumberPad", 4},
        {"KeyboardType", "URL", 3},                {"KeyboardType", "PhonePad", 0},
        {"AutocapitalizationType", "Sentences", 2}, {"AutocapitalizationType", "Words", 1},
        {"AutocapitalizationType", nullptr, 0},    {"AutocorrectionType", "No", 1},
        {"AutocorrectionType", "Maybe", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + (c.name ? c.name : "missing"));
        SpecifierFile sp(c.name ? E::entry({"Type", "PSTextFieldSpecifier", c.key, c.name})
                                : E::entry({"Type", "PSTextFieldSpecifier"}));
        NSInteger got = std::string(c.key) == "KeyboardType"         ? sp->keyboardType()
                        : std::string(c.key) == "AutocorrectionType" ? sp->autoCorrectionType()
                                                                     : sp->autocapitalizationType();
        EXPECT_EQ(got, c.expected);
    }
}

// Values read from the entry with their fallbacks, and names resolved through the runtime.
TEST(QLTSpecifier, TypedValuesAndNamedClassesAndOperations) {
    SpecifierFile sp(E::entry({"Type",
                               "PSSliderSpecifier",
                               "Key",
                               "volume",
                               "Title",
                               "one",
                               "DefaultValue",
                               "<integer>5</integer>",
                               "MinimumValue",
                               "2.5",
                               "MaximumValue",
                               "<real>10</real>",
                               "IsSecure",
                               "YES",
                               "File",
                               "Child",
                               "QLTViewControllerClass",
                               "QLTSettingsReader",
                               "QLTViewControllerSelector",
                               "initWithFile:",
                               "QLTButtonClass",
                               "NoSuchClass",
                               "QLTButtonAction",
                               "noSuchOperation:"}));
    EXPECT_EQ(text(sp->title()), "One, translated");
    EXPECT_EQ(text(sp->footerText()), "(nil)");
    EXPECT_EQ(text(sp->defaultStringValue()), "5");
    EXPECT_EQ(sp->minimumValue(), 2.5f);
    EXPECT_EQ(sp->maximumValue(), 10.0f);
    EXPECT_TRUE(sp->isSecure());
    EXPECT_EQ(text(sp->file()), "Child");
    EXPECT_EQ(sp->viewControllerClass(), QLTSettingsReader::class_());
    EXPECT_EQ(sp->viewControllerSelector(), sel_registerName("initWithFile:"));
    EXPECT_EQ(sp->buttonClass(), nullptr);
    EXPECT_EQ(sp->buttonAction(), nullptr);

    SpecifierFile bare(E::entry({"Type", "PSSliderSpecifier"}));
    EXPECT_EQ(bare->defaultStringValue(), nullptr);
    EXPECT_EQ(bare->minimumValue(), 0);
    EXPECT_FALSE(bare->isSecure());
    EXPECT_EQ(bare->trueValue(), nullptr);
    EXPECT_EQ(bare->viewControllerClass(), nullptr);
    EXPECT_EQ(bare->viewControllerSelector(), nullptr);
}
