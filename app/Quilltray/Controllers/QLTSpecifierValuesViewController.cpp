#include "Quilltray/Controllers/QLTSpecifierValuesViewController.h"

#include "Foundation/NSArray.h"
#include "Foundation/NSException.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSNotificationCenter.h"
#include "Foundation/NSRange.h"
#include "Foundation/NSString.h"
#include "Foundation/NSUserDefaults.h"
#include "Quilltray/Controllers/QLTAppSettingsViewController.h"
#include "Quilltray/Models/QLTSettingsReader.h"
#include "Quilltray/Models/QLTSettingsStoreUserDefaults.h"
#include "Quilltray/Models/QLTSpecifier.h"
#include "UIKit/UIColor.h"
#include "UIKit/UILabel.h"
#include "UIKit/UITableView.h"
#include "UIKit/UITableViewCell.h"
#include "objc/ClassBuilder.h"

Class QLTSpecifierValuesViewController::class_() {
    using C = QLTSpecifierValuesViewController;
    static Class cls =
        objc::ClassBuilder<C>("QLTSpecifierValuesViewController", UIViewController::class_())
            .method<&C::tableView>("tableView")
            .method<&C::setTableView>("setTableView:")
            .method<&C::currentSpecifier>("currentSpecifier")
            .method<&C::setCurrentSpecifier>("setCurrentSpecifier:")
            .method<&C::checkedItem>("checkedItem")
            .method<&C::setCheckedItem>("setCheckedItem:")
            .method<&C::settingsReader>("settingsReader")
            .method<&C::setSettingsReader>("setSettingsReader:")
            .method<&C::settingsStore>("settingsStore")
            .method<&C::setSettingsStore>("setSettingsStore:")
            .method<&C::updateCheckedItem>("updateCheckedItem")
            .method<&C::numberOfSectionsInTableView>("numberOfSectionsInTableView:")
            .method<&C::numberOfRowsInSection>("tableView:numberOfRowsInSection:")
            .method<&C::titleForFooterInSection>("tableView:titleForFooterInSection:")
            .method<&C::cellForRowAtIndexPath>("tableView:cellForRowAtIndexPath:")
            .method<&C::didSelectRowAtIndexPath>("tableView:didSelectRowAtIndexPath:")
            .method<&C::selectCell>("selectCell:")
            .method<&C::deselectCell>("deselectCell:")
            .method<&C::userDefaultsDidChange>("userDefaultsDidChange")
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTSpecifierValuesViewController::class_();

namespace {

const char* const kCellValue = "kCellValue";

bool sameRow(NSIndexPath* a, NSIndexPath* b) {
    return a && b && a->section() == b->section() && a->row() == b->row();
}

}  // namespace

QLTSpecifierValuesViewController::QLTSpecifierValuesViewController() = default;

QLTSpecifierValuesViewController::~QLTSpecifierValuesViewController() {
    // The registration lives only while the list is on screen; a list torn
    // down while showing must not leave it behind.
    NSNotificationCenter::defaultCenter()->removeObserver(this);
}

void QLTSpecifierValuesViewController::setCurrentSpecifier(QLTSpecifier* specifier) { currentSpecifier_ = specifier; }
void QLTSpecifierValuesViewController::setCheckedItem(NSIndexPath* item) { checkedItem_ = item; }
void QLTSpecifierValuesViewController::setSettingsReader(QLTSettingsReader* reader) { settingsReader_ = reader; }
void QLTSpecifierValuesViewController::setSettingsStore(QLTSettingsStore* store) { settingsStore_ = store; }

QLTSettingsStore* QLTSpecifierValuesViewController::settingsStore() {
    if (!settingsStore_) settingsStore_ = make<QLTSettingsStoreUserDefaults>();
    return settingsStore_;
}

void QLTSpecifierValuesViewController::updateCheckedItem() {
    Ref<NSObject> value = settingsStore()->objectForKey(currentSpecifier_->key());
    if (!value) value = currentSpecifier_->defaultValue();
    NSArray* values = currentSpecifier_->multipleValues();
    const NSInteger row = values && value ? static_cast<NSInteger>(values->indexOfObject(value)) : NSNotFound;
    setCheckedItem(NSIndexPath::indexPathForRow(row, 0));
}

bool QLTSpecifierValuesViewController::checkedRowListed() const {
    return checkedItem_ && currentSpecifier_ && checkedItem_->row() >= 0 &&
           checkedItem_->row() < currentSpecifier_->multipleValuesCount();
}

void QLTSpecifierValuesViewController::viewWillAppear(bool animated) {
    if (currentSpecifier_) {
        setTitle(currentSpecifier_->title());
        updateCheckedItem();
    }
    if (tableView_) {
        tableView_->reloadData();
        if (checkedRowListed())
            tableView_->scrollToRowAtIndexPath(checkedItem_, UITableViewScrollPositionMiddle, false);
    }
    UIViewController::viewWillAppear(animated);
}

void QLTSpecifierValuesViewController::viewDidAppear(bool animated) {
    if (tableView_) tableView_->flashScrollIndicators();
    UIViewController::viewDidAppear(animated);
    NSNotificationCenter::defaultCenter()->addObserver(this, sel_registerName("userDefaultsDidChange"),
                                                       NSUserDefaultsDidChangeNotification,
                                                       NSUserDefaults::standardUserDefaults());
}

void QLTSpecifierValuesViewController::viewDidDisappear(bool animated) {
    NSNotificationCenter::defaultCenter()->removeObserver(this, NSUserDefaultsDidChangeNotification,
                                                          NSUserDefaults::standardUserDefaults());
    UIViewController::viewDidDisappear(animated);
}

bool QLTSpecifierValuesViewController::shouldAutorotateToInterfaceOrientation(NSInteger orientation) {
    return orientation == UIInterfaceOrientationPortrait || orientation == UIInterfaceOrientationPortraitUpsideDown;
}

NSInteger QLTSpecifierValuesViewController::numberOfSectionsInTableView(UITableView*) { return 1; }

NSInteger QLTSpecifierValuesViewController::numberOfRowsInSection(UITableView*, NSInteger) {
    return currentSpecifier_ ? currentSpecifier_->multipleValuesCount() : 0;
}

Ref<NSString> QLTSpecifierValuesViewController::titleForFooterInSection(UITableView*, NSInteger) {
    return currentSpecifier_ ? currentSpecifier_->footerText() : nullptr;
}

Ref<UITableViewCell> QLTSpecifierValuesViewController::cellForRowAtIndexPath(UITableView* tableView,
                                                                             NSIndexPath* indexPath) {
    Ref<NSString> identifier = NSString::from(kCellValue);
    Ref<UITableViewCell> cell = tableView->dequeueReusableCellWithIdentifier(identifier);
    try {
        if (!cell) cell = UITableViewCell::cellWithStyle(UITableViewCellStyleDefault, identifier);
        if (sameRow(indexPath, checkedItem_)) selectCell(cell);
        else deselectCell(cell);
        NSArray* titles = currentSpecifier_->multipleTitles();
        auto* title = objc::cast<NSString>(titles ? titles->objectAtIndex(static_cast<NSUInteger>(indexPath->row()))
                                                  : nullptr);
        cell->textLabel()->setText(settingsReader_->titleForStringId(title));
    } catch (const Ref<NSException>&) {
        // Titles shorter than the values: the row keeps what it had.
    }
    return cell;
}

void QLTSpecifierValuesViewController::didSelectRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath) {
    Ref<QLTSpecifierValuesViewController> keep(this);
    if (sameRow(indexPath, checkedItem_)) {
        tableView->deselectRowAtIndexPath(indexPath, true);
        return;
    }
    tableView->deselectRowAtIndexPath(indexPath, true);
    deselectCell(tableView->cellForRowAtIndexPath(checkedItem_));
    selectCell(tableView->cellForRowAtIndexPath(indexPath));
    setCheckedItem(indexPath);

    Ref<NSObject> value = currentSpecifier_->multipleValues()->objectAtIndex(static_cast<NSUInteger>(indexPath->row()));
    Ref<NSString> key = currentSpecifier_->key();
    settingsStore()->setObject(value, key);
    settingsStore()->synchronize();
    QLTAppSettingsViewController::postSettingChanged(key, value);
}

void QLTSpecifierValuesViewController::selectCell(UITableViewCell* cell) {
    if (!cell) return;
    cell->setAccessoryType(UITableViewCellAccessoryCheckmark);
    const CGFloat* c = kCheckedColour;
    cell->textLabel()->setTextColor(UIColor::colorWithRed(c[0], c[1], c[2], c[3]));
}

void QLTSpecifierValuesViewController::deselectCell(UITableViewCell* cell) {
    if (!cell) return;
    cell->setAccessoryType(UITableViewCellAccessoryNone);
    cell->textLabel()->setTextColor(UIColor::darkTextColor());
}

void QLTSpecifierValuesViewController::userDefaultsDidChange() {
    Ref<NSIndexPath> before = checkedItem_;
    if (currentSpecifier_) updateCheckedItem();
    if (!sameRow(before, checkedItem_) && tableView_) tableView_->reloadData();
}
