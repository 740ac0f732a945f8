// One row of a settings screen: a read-only view over one entry dictionary of
// a settings file that answers, typed, what the row needs: type, key, titles,
// default value, choice lists, slider limits, text-entry options and the
// classes and operations some rows name. Every accessor reads the entry
// afresh; only the choice lists of the two choice types are prepared once.
// A value of the wrong kind in the file reads as missing (nil, 0 or NO).
#pragma once

#include "UIKit/UIKeyboard.h"
#include "objc/NSObject.h"

class NSArray;
class NSDictionary;
class NSString;
class QLTSettingsReader;

class QLTSpecifier : public NSObject {
    KORVEL_OBJC_CLASS(QLTSpecifier)
public:
    QLTSpecifier();
    ~QLTSpecifier() override;

    QLTSpecifier* initWithSpecifier(NSDictionary* specifier);
    // Copies "Values" and "Titles" (when they are arrays) into
    // multipleValuesDict; run by the initialiser for the two choice types.
    void _reinterpretValues(NSDictionary* specifier);

    // The entry's text under `key`, localised by the reader; nil without a
    // reader or a text there.
    Ref<NSString> localizedObjectForKey(NSString* key) const;
    // The localised title of the first value equal to `value`; nil when the
    // value is not among the values, the titles are not as many as the
    // values, or there is no reader.
    Ref<NSString> titleForCurrentValue(NSObject* value) const;

    NSString* type() const;
    NSString* key() const;
    Ref<NSString> title() const;
    Ref<NSString> footerText() const;
    NSObject* defaultValue() const;
    // The default value's text form (description); nil without one.
    Ref<NSString> defaultStringValue() const;
    // On when the default equals "TrueValue", off when it equals
    // "FalseValue", else the default's boolValue.
    bool defaultBoolValue() const;
    // What to store when switched on or off; nil means a plain YES or NO.
    NSObject* trueValue() const;
    NSObject* falseValue() const;
    float minimumValue() const;
    float maximumValue() const;
    NSString* minimumValueImage() const;
    NSString* maximumValueImage() const;
    bool isSecure() const;
    UIKeyboardType keyboardType() const;
    UITextAutocapitalizationType autocapitalizationType() const;
    UITextAutocorrectionType autoCorrectionType() const;
    // The choice lists; nil (and a count of 0) for rows of other types.
    NSArray* multipleValues() const;
    NSArray* multipleTitles() const;
    int multipleValuesCount() const;
    // A child page's settings file (or its screen's argument), or the
    // address an open-URL row opens.
    NSString* file() const;
    // Classes and operations named by the entry; nil when absent or when the
    // system has none of that name.
    Class viewControllerClass() const;
    SEL viewControllerSelector() const;
    Class buttonClass() const;
    SEL buttonAction() const;

    NSDictionary* specifierDict() const { return specifierDict_; }
    void setSpecifierDict(NSDictionary* specifierDict);
    NSDictionary* multipleValuesDict() const { return multipleValuesDict_; }
    void setMultipleValuesDict(NSDictionary* multipleValuesDict);
    // Not retained: the reader outlives its specifiers.
    QLTSettingsReader* settingsReader() const { return settingsReader_; }
    void setSettingsReader(QLTSettingsReader* reader) { settingsReader_ = reader; }

private:
    NSObject* entry(const char* key) const;
    NSString* text(const char* key) const;

    Ref<NSDictionary> specifierDict_;
    Ref<NSDictionary> multipleValuesDict_;
    QLTSettingsReader* settingsReader_ = nullptr;
};
