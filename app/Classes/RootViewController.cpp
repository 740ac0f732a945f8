#include "Classes/RootViewController.h"

#include "Classes/AlertPrompt.h"
#include "Classes/ExampleCell.h"
#include "Classes/LabelPreviewCell.h"
#include "ColorPicker/ColorPickerViewController.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSMutableArray.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSString.h"
#include "Foundation/NSUserDefaults.h"
#include "Quilltray/Controllers/QLTAppSettingsViewController.h"
#include "Quilltray/Controllers/QLTSettingsDelegate.h"
#include "Quilltray/Models/QLTSpecifier.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIImage.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UITableViewCell.h"
#include "objc/ClassBuilder.h"

Class RootViewController::class_() {
    using C = RootViewController;
    static Class cls =
        objc::ClassBuilder<C>("RootViewController", UITableViewController::class_())
            .method<&C::numberOfSectionsInTableView>("numberOfSectionsInTableView:")
            .method<&C::numberOfRowsInSection>("tableView:numberOfRowsInSection:")
            .method<&C::titleForHeaderInSection>("tableView:titleForHeaderInSection:")
            .method<&C::cellForRowAtIndexPath>("tableView:cellForRowAtIndexPath:")
            .method<&C::didSelectRowAtIndexPath>("tableView:didSelectRowAtIndexPath:")
            .method<&C::commitEditingStyle>("tableView:commitEditingStyle:forRowAtIndexPath:")
            .method<&C::addA>("addA")
            .method<&C::willDismissWithButtonIndex>(UIAlertView::kWillDismiss)
            .method<&C::showSettingsModal>("showSettingsModal:")
            .method<&C::appSettingsViewController>("appSettingsViewController")
            .method<&C::setAppSettingsViewController>("setAppSettingsViewController:")
            .method<&C::settingsViewControllerDidEnd>(QLTSettingsDelegate::kDidEnd)
            .method<&C::heightForSpecifier>(QLTSettingsDelegate::kHeightForSpecifier)
            .method<&C::cellForSpecifier>(QLTSettingsDelegate::kCellForSpecifier)
            .protocol(QLTSettingsDelegate::kName)
            .method<&C::myAccounts>("myAccounts")
            .method<&C::setMyAccounts>("setMyAccounts:")
            .method<&C::aliases>("aliases")
            .method<&C::setAliases>("setAliases:")
            .method<&C::viewController>("viewController")
            .method<&C::setViewController>("setViewController:")
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = RootViewController::class_();

namespace {


bool containsAt(const NSString* text) {
    static const Ref<NSString> at = NSString::from("@");
    return text && text->rangeOfString(at).location != NSNotFound;
}

// A component of a colour record read with floatValue; 0 when the entry is
// missing or has no float value.
float component(const NSDictionary* record, const char* key) {
    return objc::sendIfAnswered<float>(record->objectForKey(NSString::from(key)), "floatValue");
}

// The address's colour record: a dictionary whose "red" has a float value;
// nil for anything else.
Ref<NSDictionary> colourRecord(NSString* address) {
    Ref<NSObject> stored = NSUserDefaults::standardUserDefaults()->objectForKey(address);
    auto* record = objc::cast<NSDictionary>(stored.get());
    if (!record || !objc::responds(record->objectForKey(NSString::from("red")), "floatValue")) return nullptr;
    return record;
}

// The row tint: the colour record's colour; white without one.
Ref<UIColor> tintFor(NSString* address) {
    Ref<NSDictionary> record = colourRecord(address);
    if (!record) return UIColor::whiteColor();
    return UIColor::colorWithRed(component(record, "red"), component(record, "green"), component(record, "blue"),
                                 component(record, "alpha"));
}

// One account's addresses, by the first rule that applies: a "Username"
// with "@"; else the first of "EmailAddresses" when it has "@"; else every
// text entry with "@". Values of other types than expected are passed over.
void collectAddresses(const NSDictionary* account, NSMutableDictionary* found) {
    auto add = [found](const NSString* address) {
        Ref<NSString> key = address->lowercaseString();
        found->setObject(key, key);
    };
    auto* username = objc::cast<NSString>(account->objectForKey(NSString::from("Username")));
    if (containsAt(username)) return add(username);
    auto* addresses = objc::cast<NSArray>(account->objectForKey(NSString::from("EmailAddresses")));
    auto* first = addresses && addresses->count() > 0 ? objc::cast<NSString>(addresses->objectAtIndex(0)) : nullptr;
    if (containsAt(first)) return add(first);
    account->enumerateKeysAndObjectsUsingBlock([&](NSObject*, NSObject* value, bool*) {
        auto* text = objc::cast<NSString>(value);
        if (containsAt(text)) add(text);
    });
}

}  // namespace

RootViewController::RootViewController() = default;
RootViewController::~RootViewController() = default;

void RootViewController::viewDidLoad() {
    UINavigationItem* item = navigationItem();
    item->setTitle(NSString::from(kTitle));
    item->setRightBarButtonItem(UIBarButtonItem::withImage(UIImage::imageNamed(NSString::from("20-gear2.png")),
                                                           UIBarButtonItemStylePlain, this,
                                                           sel_registerName("showSettingsModal:")));
    item->setLeftBarButtonItem(UIBarButtonItem::withImage(UIImage::imageNamed(NSString::from("13-plus.png")),
                                                          UIBarButtonItemStylePlain, this, sel_registerName("addA")));

    setMyAccounts(readAccountAddresses());
    dropQuickColours(myAccounts_);
    setAliases(readAliases());
    UITableViewController::viewDidLoad();
}

Ref<NSMutableArray> RootViewController::readAccountAddresses() {
    auto found = NSMutableDictionary::dictionary();
    Ref<NSDictionary> settings = NSDictionary::dictionaryWithContentsOfFile(NSString::from(kAccountSettingsPath));
    auto* accounts = settings ? objc::cast<NSArray>(settings->objectForKey(NSString::from("Accounts"))) : nullptr;
    if (accounts) {
        accounts->enumerateObjectsUsingBlock([&](NSObject* entry, NSUInteger, bool*) {
            if (auto* account = objc::cast<NSDictionary>(entry)) collectAddresses(account, found);
        });
    }
    return NSMutableArray::arrayWithArray(found->allKeys());
}

void RootViewController::dropQuickColours(NSMutableArray* accounts) {
    NSUserDefaults* defaults = NSUserDefaults::standardUserDefaults();
    accounts->enumerateObjectsUsingBlock([defaults](NSObject* entry, NSUInteger, bool*) {
        auto* address = objc::cast<NSString>(entry);
        if (objc::responds(defaults->objectForKey(address).get(), "intValue")) defaults->removeObjectForKey(address);
        defaults->synchronize();
    });
}

Ref<NSMutableArray> RootViewController::readAliases() {
    NSUserDefaults* defaults = NSUserDefaults::standardUserDefaults();
    Ref<NSString> key = NSString::from(kAliasesKey);
    Ref<NSDictionary> aliases = defaults->dictionaryForKey(key);
    if (aliases) return NSMutableArray::arrayWithArray(aliases->allKeys());
    defaults->setObject(NSDictionary::dictionary(), key);
    defaults->synchronize();
    return NSMutableArray::array();
}

void RootViewController::editAliases(const std::function<void(NSMutableDictionary*)>& edit) {
    NSUserDefaults* defaults = NSUserDefaults::standardUserDefaults();
    Ref<NSString> key = NSString::from(kAliasesKey);
    auto aliases = NSMutableDictionary::dictionaryWithDictionary(defaults->dictionaryForKey(key));
    edit(aliases);
    defaults->setObject(aliases, key);
    defaults->synchronize();
}

void RootViewController::reload() {
    viewDidLoad();
    tableView()->reloadData();
}

NSString* RootViewController::addressAt(NSIndexPath* indexPath) const {
    NSMutableArray* list = indexPath->section() == kAccountsSection ? myAccounts_.get() : aliases_.get();
    const NSInteger row = indexPath->row();
    if (!list || row < 0 || static_cast<NSUInteger>(row) >= list->count()) return nullptr;
    return objc::cast<NSString>(list->objectAtIndex(static_cast<NSUInteger>(row)));
}

NSInteger RootViewController::numberOfSectionsInTableView(UITableView*) { return 2; }

NSInteger RootViewController::numberOfRowsInSection(UITableView*, NSInteger section) {
    NSMutableArray* list = section == kAccountsSection ? myAccounts_.get() : aliases_.get();
    return list ? static_cast<NSInteger>(list->count()) : 0;
}

Ref<NSString> RootViewController::titleForHeaderInSection(UITableView*, NSInteger section) {
    return NSString::from(section == kAccountsSection ? "Mail Accounts" : "Aliases");
}

Ref<UITableViewCell> RootViewController::cellForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath) {
    NSString* address = addressAt(indexPath);
    // The reuse identifier is the address: the cell's quick colours use it
    // as their key.
    Ref<UITableViewCell> cell = tableView->dequeueReusableCellWithIdentifier(address);
    if (!cell) cell = UITableViewCell::cellWithStyle<ExampleCell>(UITableViewCellStyleDefault, address);
    cell->textLabel()->setText(address);
    cell->contentView()->setBackgroundColor(tintFor(address));
    return cell;
}

void RootViewController::didSelectRowAtIndexPath(UITableView*, NSIndexPath* indexPath) {
    auto picker = make<ColorPickerViewController>();
    picker->init();
    setViewController(picker);
    picker->setEmail(addressAt(indexPath));
    picker->setAnIndex(indexPath);
    if (UINavigationController* stack = navigationController()) stack->presentModalViewController(picker, true);
}

void RootViewController::commitEditingStyle(UITableView*, NSInteger editingStyle, NSIndexPath* indexPath) {
    if (editingStyle != UITableViewCellEditingStyleDelete) return;
    // Hold the address: the lists are rebuilt below.
    Ref<NSString> address = addressAt(indexPath);
    if (!address) return;
    NSUserDefaults* defaults = NSUserDefaults::standardUserDefaults();
    if (indexPath->section() == kAccountsSection || defaults->objectForKey(address)) {
        // The account stays listed (it comes from the system's file) and a
        // coloured alias stays too: only the colour goes.
        defaults->removeObjectForKey(address);
    } else {
        editAliases([&](NSMutableDictionary* aliases) {
            aliases->removeObjectForKey(address);
            defaults->removeObjectForKey(address);
        });
        aliases_->removeObjectAtIndex(static_cast<NSUInteger>(indexPath->row()));
    }
    defaults->synchronize();
    reload();
}

void RootViewController::addA() {
    auto prompt = make<AlertPrompt>();
    if (prompt->initWithTitle(NSString::from("Enter Email"), NSString::from("\n"), this, NSString::from("Cancel"),
                              NSString::from("Enter")))
        prompt->show();
}

void RootViewController::willDismissWithButtonIndex(UIAlertView* alertView, NSInteger buttonIndex) {
    auto* prompt = objc::cast<AlertPrompt>(alertView);
    if (prompt && buttonIndex != prompt->cancelButtonIndex()) {
        // Held: the field may change its text object while the alert goes.
        Ref<NSString> typed = prompt->enteredText();
        if (typed && !NSUserDefaults::standardUserDefaults()->objectForKey(typed)) {
            editAliases([&](NSMutableDictionary* aliases) {
                if (!containsAt(typed)) return;
                Ref<NSString> address = typed->lowercaseString();
                aliases->setObject(address, address);
            });
            viewDidLoad();
        }
    }
    tableView()->reloadData();
}

void RootViewController::showSettingsModal(NSObject*) {
    auto navigation = make<UINavigationController>();
    navigation->initWithRootViewController(appSettingsViewController());
    appSettingsViewController()->setShowDoneButton(true);
    navigationController()->presentModalViewController(navigation, true);
}

QLTAppSettingsViewController* RootViewController::appSettingsViewController() {
    if (!appSettingsViewController_) {
        auto screen = make<QLTAppSettingsViewController>();
        screen->initWithNibName("QLTAppSettingsView"_ns, nullptr);
        screen->setDelegate(this);
        setAppSettingsViewController(screen);
    }
    return appSettingsViewController_;
}

void RootViewController::setAppSettingsViewController(QLTAppSettingsViewController* controller) {
    appSettingsViewController_ = controller;
}

void RootViewController::settingsViewControllerDidEnd(QLTAppSettingsViewController*) {
    navigationController()->dismissModalViewControllerAnimated(true);
}

CGFloat RootViewController::heightForSpecifier(UITableView*, QLTSpecifier*) { return LabelPreviewCell::height(); }

Ref<UITableViewCell> RootViewController::cellForSpecifier(UITableView*, QLTSpecifier*) {
    if (!previewCell_)
        previewCell_ = UITableViewCell::cellWithStyle<LabelPreviewCell>(UITableViewCellStyleDefault,
                                                                         "QLTCustomViewSpecifier"_ns);
    NSString* address = firstColouredAddress();
    previewCell_->setSample(address, address ? tintFor(address).get() : nullptr);
    return previewCell_;
}

NSString* RootViewController::firstColouredAddress() const {
    for (NSMutableArray* list : {myAccounts_.get(), aliases_.get()}) {
        for (NSUInteger i = 0; list && i < list->count(); ++i) {
            auto* address = objc::cast<NSString>(list->objectAtIndex(i));
            if (address && colourRecord(address)) return address;
        }
    }
    return nullptr;
}

void RootViewController::setMyAccounts(NSMutableArray* accounts) { myAccounts_ = accounts; }

void RootViewController::setAliases(NSMutableArray* aliases) { aliases_ = aliases; }

void RootViewController::setViewController(ColorPickerViewController* controller) { viewController_ = controller; }
