#include "Quilltray/Models/QLTSpecifier.h"

#include <initializer_list>
#include <utility>

#include "Foundation/NSArray.h"
#include "Foundation/NSException.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSObjCRuntime.h"
#include "Foundation/NSObjectAdditions.h"
#include "Foundation/NSString.h"
#include "Quilltray/Models/QLTSettingsReader.h"
#include "objc/ClassBuilder.h"

namespace {

// The value for the first name equal to `name`; `otherwise` for any other
// text, a missing one included.
NSInteger option(const NSString* name, std::initializer_list<std::pair<const char*, NSInteger>> names,
                 NSInteger otherwise) {
    if (!name) return otherwise;
    for (const auto& [text, value] : names)
        if (name->str() == text) return value;
    return otherwise;
}

NSArray* arrayIn(const NSDictionary* dictionary, const char* key) {
    return dictionary ? objc::cast<NSArray>(dictionary->objectForKey(NSString::from(key))) : nullptr;
}

}  // namespace

Class QLTSpecifier::class_() {
    using S = QLTSpecifier;
    static Class cls = objc::ClassBuilder<S>("QLTSpecifier", NSObject::class_())
                           .method<&S::initWithSpecifier>("initWithSpecifier:")
                           .method<&S::localizedObjectForKey>("localizedObjectForKey:")
                           .method<&S::titleForCurrentValue>("titleForCurrentValue:")
                           .method<&S::type>("type")
                           .method<&S::key>("key")
                           .method<&S::title>("title")
                           .method<&S::footerText>("footerText")
                           .method<&S::defaultValue>("defaultValue")
                           .method<&S::file>("file")
                           .method<&S::specifierDict>("specifierDict")
                           .method<&S::settingsReader>("settingsReader")
                           .method<&S::setSettingsReader>("setSettingsReader:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTSpecifier::class_();

QLTSpecifier::QLTSpecifier() = default;

QLTSpecifier::~QLTSpecifier() { settingsReader_ = nullptr; }

QLTSpecifier* QLTSpecifier::initWithSpecifier(NSDictionary* specifier) {
    setSpecifierDict(specifier);
    NSString* kind = type();
    if (kind && (kind->str() == "PSMultiValueSpecifier" || kind->str() == "PSTitleValueSpecifier"))
        _reinterpretValues(specifier);
    return this;
}

void QLTSpecifier::_reinterpretValues(NSDictionary* specifier) {
    auto lists = make<NSMutableDictionary>();
    for (const char* name : {"Values", "Titles"})
        if (NSArray* list = arrayIn(specifier, name)) lists->setObject(list, NSString::from(name));
    setMultipleValuesDict(lists);
}

void QLTSpecifier::setSpecifierDict(NSDictionary* specifierDict) { specifierDict_ = specifierDict; }

void QLTSpecifier::setMultipleValuesDict(NSDictionary* multipleValuesDict) { multipleValuesDict_ = multipleValuesDict; }

NSObject* QLTSpecifier::entry(const char* key) const {
    return specifierDict_ ? specifierDict_->objectForKey(NSString::from(key)) : nullptr;
}

NSString* QLTSpecifier::text(const char* key) const { return objc::cast<NSString>(entry(key)); }

Ref<NSString> QLTSpecifier::localizedObjectForKey(NSString* key) const {
    NSString* value = key ? text(key->UTF8String()) : nullptr;
    return settingsReader_ && value ? settingsReader_->titleForStringId(value) : nullptr;
}

Ref<NSString> QLTSpecifier::titleForCurrentValue(NSObject* value) const {
    NSArray* values = multipleValues();
    NSArray* titles = multipleTitles();
    if (!values || !titles || values->count() != titles->count()) return nullptr;
    try {
        NSUInteger index = values->indexOfObject(value);
        if (index == static_cast<NSUInteger>(NSNotFound)) return nullptr;
        auto* title = objc::cast<NSString>(titles->objectAtIndex(index));
        return settingsReader_ && title ? settingsReader_->titleForStringId(title) : nullptr;
    } catch (const Ref<NSException>&) {
        return nullptr;
    }
}

NSString* QLTSpecifier::type() const { return text("Type"); }

NSString* QLTSpecifier::key() const { return text("Key"); }

Ref<NSString> QLTSpecifier::title() const { return localizedObjectForKey("Title"_ns); }

Ref<NSString> QLTSpecifier::footerText() const { return localizedObjectForKey("FooterText"_ns); }

NSObject* QLTSpecifier::defaultValue() const { return entry("DefaultValue"); }

Ref<NSString> QLTSpecifier::defaultStringValue() const {
    NSObject* value = defaultValue();
    return value ? NSObjectAdditions::description(value) : nullptr;
}

bool QLTSpecifier::defaultBoolValue() const {
    NSObject* value = defaultValue();
    if (!value) return false;
    if (value->isEqual(trueValue())) return true;
    if (value->isEqual(falseValue())) return false;
    return objc::sendIfAnswered<BOOL>(value, "boolValue");
}

NSObject* QLTSpecifier::trueValue() const { return entry("TrueValue"); }

NSObject* QLTSpecifier::falseValue() const { return entry("FalseValue"); }

float QLTSpecifier::minimumValue() const { return objc::sendIfAnswered<float>(entry("MinimumValue"), "floatValue"); }

float QLTSpecifier::maximumValue() const { return objc::sendIfAnswered<float>(entry("MaximumValue"), "floatValue"); }

NSString* QLTSpecifier::minimumValueImage() const { return text("MinimumValueImage"); }

NSString* QLTSpecifier::maximumValueImage() const { return text("MaximumValueImage"); }

bool QLTSpecifier::isSecure() const { return objc::sendIfAnswered<BOOL>(entry("IsSecure"), "boolValue"); }

UIKeyboardType QLTSpecifier::keyboardType() const {
    return option(text("KeyboardType"),
                  {{"Alphabet", UIKeyboardTypeASCIICapable},
                   {"NumbersAndPunctuation", UIKeyboardTypeNumbersAndPunctuation},
                   {"NumberPad", UIKeyboardTypeNumberPad},
                   {"URL", UIKeyboardTypeURL},
                   {"EmailAddress", UIKeyboardTypeEmailAddress}},
                  UIKeyboardTypeDefault);
}

UITextAutocapitalizationType QLTSpecifier::autocapitalizationType() const {
    return option(text("AutocapitalizationType"),
                  {{"None", UITextAutocapitalizationTypeNone},
                   {"Sentences", UITextAutocapitalizationTypeSentences},
                   {"Words", UITextAutocapitalizationTypeWords},
                   {"AllCharacters", UITextAutocapitalizationTypeAllCharacters}},
                  UITextAutocapitalizationTypeNone);
}

UITextAutocorrectionType QLTSpecifier::autoCorrectionType() const {
    return option(text("AutocorrectionType"),
                  {{"Default", UITextAutocorrectionTypeDefault},
                   {"No", UITextAutocorrectionTypeNo},
                   {"Yes", UITextAutocorrectionTypeYes}},
                  UITextAutocorrectionTypeDefault);
}

NSArray* QLTSpecifier::multipleValues() const { return arrayIn(multipleValuesDict_, "Values"); }

NSArray* QLTSpecifier::multipleTitles() const { return arrayIn(multipleValuesDict_, "Titles"); }

int QLTSpecifier::multipleValuesCount() const {
    NSArray* values = multipleValues();
    return values ? static_cast<int>(values->count()) : 0;
}

NSString* QLTSpecifier::file() const { return text("File"); }

Class QLTSpecifier::viewControllerClass() const { return NSClassFromString(text("QLTViewControllerClass")); }

SEL QLTSpecifier::viewControllerSelector() const { return NSSelectorFromString(text("QLTViewControllerSelector")); }

Class QLTSpecifier::buttonClass() const { return NSClassFromString(text("QLTButtonClass")); }

SEL QLTSpecifier::buttonAction() const { return NSSelectorFromString(text("QLTButtonAction")); }
