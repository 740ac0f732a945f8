#include "ColorPicker/ColorPickerViewController.h"

#include <algorithm>

#include "Color/UIColor_HSVAdditions.h"
#include "ColorPicker/AboutScreenViewController.h"
#include "ColorPicker/ColorPickerView.h"
#include "ColorPicker/GradientView.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/NSUserDefaults.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIColor.h"
#include "objc/ClassBuilder.h"

Class ColorPickerViewController::class_() {
    using C = ColorPickerViewController;
    static Class cls = objc::ClassBuilder<C>("ColorPickerViewController", UIViewController::class_())
                           .method<&C::getSelectedColor>("getSelectedColor")
                           .method<&C::pressedAboutButton>("pressedAboutButton")
                           .method<&C::pressedCButton>("pressedCButton")
                           .method<&C::email>("email")
                           .method<&C::setEmail>("setEmail:")
                           .method<&C::anIndex>("anIndex")
                           .method<&C::setAnIndex>("setAnIndex:")
                           .method<&C::aboutScreenViewController>("aboutScreenViewController")
                           .method<&C::setAboutScreenViewController>("setAboutScreenViewController:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = ColorPickerViewController::class_();

ColorPickerViewController::~ColorPickerViewController() = default;

ColorPickerView* ColorPickerViewController::pickerView() { return objc::cast<ColorPickerView>(view()); }

namespace {

// A number's or a text's float value; 0 for anything else or nothing.
float floatEntry(const NSDictionary* record, const char* key) {
    NSObject* value = record->objectForKey(NSString::from(key));
    if (auto* number = objc::cast<NSNumber>(value)) return number->floatValue();
    if (auto* text = objc::cast<NSString>(value)) return text->floatValue();
    return 0;
}

}  // namespace

void ColorPickerViewController::viewDidLoad() {
    UIViewController::viewDidLoad();
    NSLog("CALL ME ! ");
    if (UIApplication* app = UIApplication::sharedApplication()) app->setStatusBarHidden(true, false);

    Ref<NSObject> stored = email_ ? NSUserDefaults::standardUserDefaults()->objectForKey(email_) : nullptr;
    auto* record = objc::cast<NSDictionary>(stored.get());
    ColorPickerView* picker = pickerView();
    if (!record || !picker) return;

    Ref<UIColor> color = UIColor::colorWithRed(floatEntry(record, "red"), floatEntry(record, "green"),
                                               floatEntry(record, "blue"), floatEntry(record, "alpha"));
    picker->setCurrentHue(UIColor_HSVAdditions::hue(color));
    picker->setCurrentBrightness(UIColor_HSVAdditions::brightness(color));
    picker->setCurrentSaturation(UIColor_HSVAdditions::saturation(color));
    if (UIView* preview = picker->showColor()) preview->setBackgroundColor(color);
    if (GradientView* strip = picker->gradientView()) strip->setTheColor(color->CGColor());
}

void ColorPickerViewController::viewWillDisappear(bool animated) {
    UIViewController::viewWillDisappear(animated);
    if (UIApplication* app = UIApplication::sharedApplication()) app->setStatusBarHidden(false, false);
}

Ref<UIColor> ColorPickerViewController::getSelectedColor() {
    ColorPickerView* picker = pickerView();
    return picker ? picker->getColorShown() : nullptr;
}

void ColorPickerViewController::pressedAboutButton() {
    Ref<UIColor> selected = getSelectedColor();
    CGColorRef color = selected ? selected->CGColor() : nullptr;
    // Without an address there is no key to store the record under.
    if (email_ && CGColorGetNumberOfComponents(color) == 4) {
        // The strip's left end gives a brightness a little above 1, and with
        // it components above 1; a colour record holds values from 0 to 1.
        const CGFloat* c = CGColorGetComponents(color);
        auto component = [c](int i) { return NSNumber::numberWithFloat(std::clamp<CGFloat>(c[i], 0, 1)); };
        auto record = NSMutableDictionary::dictionary();
        record->setObject(component(0), "red"_ns);
        record->setObject(component(1), "green"_ns);
        record->setObject(component(2), "blue"_ns);
        record->setObject(component(3), "alpha"_ns);
        NSUserDefaults* defaults = NSUserDefaults::standardUserDefaults();
        defaults->setObject(record, email_);
        defaults->synchronize();
        reloadAccountList();
    }
    dismissModalViewControllerAnimated(true);
}

void ColorPickerViewController::reloadAccountList() {
    UIApplication* app = UIApplication::sharedApplication();
    NSObject* delegate = app ? app->delegate() : nullptr;
    SEL navigation = sel_registerName("navigationController");
    if (!delegate || !delegate->respondsToSelector(navigation)) return;
    id stack = objc::send<id>(delegate, navigation);
    auto* controllers = objc::cast<NSArray>(objc::send<id>(stack, "viewControllers"));
    if (!controllers || controllers->count() == 0) return;
    NSObject* root = controllers->objectAtIndex(0);
    SEL tableView = sel_registerName("tableView");
    if (!root || !root->respondsToSelector(tableView)) return;
    objc::send<void>(objc::send<id>(root, tableView), "reloadData");
}

void ColorPickerViewController::pressedCButton() { dismissModalViewControllerAnimated(true); }

void ColorPickerViewController::setAboutScreenViewController(AboutScreenViewController* controller) {
    aboutScreenViewController_ = controller;
}

void ColorPickerViewController::setEmail(NSString* email) { email_ = email; }

void ColorPickerViewController::setAnIndex(NSIndexPath* indexPath) { anIndex_ = indexPath; }
