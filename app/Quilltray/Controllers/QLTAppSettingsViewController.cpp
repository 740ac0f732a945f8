#include "Quilltray/Controllers/QLTAppSettingsViewController.h"

#include <algorithm>
#include <functional>
#include <limits>

#include "CoreGraphics/NSValue.h"
#include "Foundation/CFBase.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSNotification.h"
#include "Foundation/NSURL.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSMutableArray.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNotificationCenter.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSObjectAdditions.h"
#include "Foundation/NSRunLoop.h"
#include "Foundation/NSString.h"
#include "Quilltray/Controllers/QLTSettingsDelegate.h"
#include "Quilltray/Controllers/QLTSpecifierValuesViewController.h"
#include "Quilltray/Models/QLTSettingsReader.h"
#include "Quilltray/Models/QLTSettingsStoreUserDefaults.h"
#include "Quilltray/Models/QLTSpecifier.h"
#include "Quilltray/Views/QLTPSSliderSpecifierViewCell.h"
#include "Quilltray/Views/QLTPSTextFieldSpecifierViewCell.h"
#include "Quilltray/Views/QLTPSTitleValueSpecifierViewCell.h"
#include "Quilltray/Views/QLTPSToggleSwitchSpecifierViewCell.h"
#include "UIKit/NSStringDrawing.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "UIKit/UIAlertView.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIImage.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UINib.h"
#include "UIKit/UIKeyboard.h"
#include "UIKit/UITableView.h"
#include "UIKit/UIViewAnimationState.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"

Class QLTAppSettingsViewController::class_() {
    using C = QLTAppSettingsViewController;
    static Class cls =
        objc::ClassBuilder<C>("QLTAppSettingsViewController", UIViewController::class_())
            .method<&C::awakeFromNib>("awakeFromNib")
            .method<&C::delegate>("delegate")
            .method<&C::setDelegate>("setDelegate:")
            .method<&C::tableView>("tableView")
            .method<&C::setTableView>("setTableView:")
            .method<&C::currentIndexPath>("currentIndexPath")
            .method<&C::setCurrentIndexPath>("setCurrentIndexPath:")
            .method<&C::settingsReader>("settingsReader")
            .method<&C::setSettingsReader>("setSettingsReader:")
            .method<&C::settingsStore>("settingsStore")
            .method<&C::setSettingsStore>("setSettingsStore:")
            .method<&C::file>("file")
            .method<&C::setFile>("setFile:")
            .method<&C::currentFirstResponder>("currentFirstResponder")
            .method<&C::setCurrentFirstResponder>("setCurrentFirstResponder:")
            .method<&C::showCreditsFooter>("showCreditsFooter")
            .method<&C::setShowCreditsFooter>("setShowCreditsFooter:")
            .method<&C::showDoneButton>("showDoneButton")
            .method<&C::setShowDoneButton>("setShowDoneButton:")
            .method<&C::contentSizeForViewInPopover>("contentSizeForViewInPopover")
            .method<&C::willShowViewController>("navigationController:willShowViewController:animated:")
            .method<&C::numberOfSectionsInTableView>("numberOfSectionsInTableView:")
            .method<&C::numberOfRowsInSection>("tableView:numberOfRowsInSection:")
            .method<&C::heightForRowAtIndexPath>("tableView:heightForRowAtIndexPath:")
            .method<&C::titleForHeaderInSection>("tableView:titleForHeaderInSection:")
            .method<&C::viewForHeaderInSection>("tableView:viewForHeaderInSection:")
            .method<&C::heightForHeaderInSection>("tableView:heightForHeaderInSection:")
            .method<&C::titleForFooterInSection>("tableView:titleForFooterInSection:")
            .method<&C::cellForRowAtIndexPath>("tableView:cellForRowAtIndexPath:")
            .method<&C::willSelectRowAtIndexPath>("tableView:willSelectRowAtIndexPath:")
            .method<&C::didSelectRowAtIndexPath>("tableView:didSelectRowAtIndexPath:")
            .method<&C::didFinishWithResult>("mailComposeController:didFinishWithResult:error:")
            .method<&C::textFieldShouldBeginEditing>("textFieldShouldBeginEditing:")
            .method<&C::textFieldDidBeginEditing>("textFieldDidBeginEditing:")
            .method<&C::textFieldDidEndEditing>("textFieldDidEndEditing:")
            .method<&C::textFieldShouldReturn>("textFieldShouldReturn:")
            .method<&C::_keyboardWillShow>("_keyboardWillShow:")
            .method<&C::_keyboardWillHide>("_keyboardWillHide:")
            .method<&C::scrollToOldPosition>("scrollToOldPosition")
            .method<&C::toggledValue>("toggledValue:")
            .method<&C::sliderChangedValue>("sliderChangedValue:")
            .method<&C::_textChanged>("_textChanged:")
            .method<&C::dismiss>("dismiss:")
            .method<&C::synchronizeSettings>("synchronizeSettings")
            .method<&C::reload>("reload")
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTAppSettingsViewController::class_();

namespace {

// The slots of the view list: the chooser's and the child page's.
constexpr NSUInteger kChooserSlot = 0;
constexpr NSUInteger kChildSlot = 1;
const char* const kViewName = "ViewName";
const char* const kViewController = "viewController";

bool isType(NSString* type, const char* name) { return type && type->str() == name; }

bool empty(NSString* text) { return !text || text->str().empty(); }

// The text form of a value; nil for none.
Ref<NSString> textOf(NSObject* value) { return value ? NSObjectAdditions::description(value) : nullptr; }

NSNotificationCenter* centre() { return NSNotificationCenter::defaultCenter(); }

}  // namespace

QLTAppSettingsViewController::QLTAppSettingsViewController() = default;

QLTAppSettingsViewController::~QLTAppSettingsViewController() {
    centre()->removeObserver(this);
    delegate_ = nullptr;
}

void QLTAppSettingsViewController::postSettingChanged(NSString* key, NSObject* value) {
    auto userInfo = NSMutableDictionary::dictionary();
    if (key && value) userInfo->setObject(value, key);
    centre()->postNotificationName(NSString::from(kAppSettingChanged), key, userInfo);
}

// ---- Creation and the lazy parts -------------------------------------------

UIViewController* QLTAppSettingsViewController::initWithNibName(NSString* nibName, NSBundle* bundle) {
    UIViewController::initWithNibName(nibName, bundle);
    showCreditsFooter_ = true;
    showDoneButton_ = true;
    return this;
}

void QLTAppSettingsViewController::awakeFromNib() {
    showCreditsFooter_ = true;
    showDoneButton_ = false;
}

void QLTAppSettingsViewController::setTableView(UITableView* tableView) { tableView_ = tableView; }
void QLTAppSettingsViewController::setCurrentIndexPath(NSIndexPath* indexPath) { currentIndexPath_ = indexPath; }
void QLTAppSettingsViewController::setSettingsReader(QLTSettingsReader* reader) { settingsReader_ = reader; }
void QLTAppSettingsViewController::setSettingsStore(QLTSettingsStore* store) { settingsStore_ = store; }
void QLTAppSettingsViewController::setCurrentFirstResponder(NSObject* responder) { currentFirstResponder_ = responder; }

QLTSettingsReader* QLTAppSettingsViewController::settingsReader() {
    if (!settingsReader_) {
        auto reader = make<QLTSettingsReader>();
        reader->initWithFile(file());
        settingsReader_ = reader;
    }
    return settingsReader_;
}

QLTSettingsStore* QLTAppSettingsViewController::settingsStore() {
    if (!settingsStore_) settingsStore_ = make<QLTSettingsStoreUserDefaults>();
    return settingsStore_;
}

Ref<NSString> QLTAppSettingsViewController::file() const { return file_ ? file_ : "Root"_ns; }

void QLTAppSettingsViewController::setFile(NSString* file) {
    if (!(file_ && file && file_->isEqual(file))) file_ = file ? NSString::from(file->str()) : nullptr;
    settingsReader_ = nullptr;
}

void QLTAppSettingsViewController::viewDidLoad() {
    UIViewController::viewDidLoad();
    viewList_ = NSMutableArray::array();
    for (const char* name : {"QLTSpecifierValuesView", "QLTAppSettingsView"}) {
        auto slot = NSMutableDictionary::dictionary();
        slot->setObject(NSString::from(name), NSString::from(kViewName));
        viewList_->addObject(slot);
    }
}

// ---- Appearing and disappearing ---------------------------------------------

void QLTAppSettingsViewController::viewWillAppear(bool animated) {
    if (tableView_) {
        tableView_->reloadData();
        tableView_->setFrame(view()->bounds());
    }
    UINavigationItem* item = navigationItem();
    item->setRightBarButtonItem(nullptr);
    if (UINavigationController* navigation = navigationController()) navigation->setDelegate(this);
    if (showDoneButton_)
        item->setRightBarButtonItem(
            UIBarButtonItem::withSystemItem(UIBarButtonSystemItemDone, this, sel_registerName("dismiss:")));
    if (!title()) setTitle(NSBundle::mainBundle()->localizedStringForKey("Settings"_ns, ""_ns, nullptr));
    if (currentIndexPath_) {
        if (animated && tableView_) {
            tableView_->selectRowAtIndexPath(currentIndexPath_, false, UITableViewScrollPositionNone);
            tableView_->deselectRowAtIndexPath(currentIndexPath_, true);
        }
        setCurrentIndexPath(nullptr);
    }
    UIViewController::viewWillAppear(animated);
}

void QLTAppSettingsViewController::viewDidAppear(bool animated) {
    if (tableView_) tableView_->flashScrollIndicators();
    UIViewController::viewDidAppear(animated);
    followApplication(true);
    centre()->addObserver(this, sel_registerName("_keyboardWillShow:"), UIKeyboardWillShowNotification, nullptr);
    centre()->addObserver(this, sel_registerName("_keyboardWillHide:"), UIKeyboardWillHideNotification, nullptr);
}

void QLTAppSettingsViewController::viewWillDisappear(bool animated) {
    // The will-hide registration stays until the screen has gone, so that
    // the table is restored when the keyboard leaves together with it.
    centre()->removeObserver(this, UIKeyboardWillShowNotification, nullptr);
    if (auto* responder = objc::cast<UIResponder>(currentFirstResponder_.get());
        responder && responder->canResignFirstResponder())
        responder->resignFirstResponder();
    UIViewController::viewWillDisappear(animated);
}

void QLTAppSettingsViewController::viewDidDisappear(bool animated) {
    followApplication(false);
    centre()->removeObserver(this, UIKeyboardWillHideNotification, nullptr);
    UIViewController::viewDidDisappear(animated);
}

void QLTAppSettingsViewController::followApplication(bool follow) {
    struct Registration {
        NSString* name;
        const char* selector;
        bool needsMultitasking;
    };
    const Registration registrations[] = {
        {UIApplicationDidEnterBackgroundNotification, "synchronizeSettings", true},
        {UIApplicationWillEnterForegroundNotification, "reload", true},
        {UIApplicationWillTerminateNotification, "synchronizeSettings", false},
    };
    UIApplication* application = UIApplication::sharedApplication();
    for (const Registration& r : registrations) {
        if (r.needsMultitasking && kCFCoreFoundationVersionNumber < kMultitaskingVersion) continue;
        if (follow) centre()->addObserver(this, sel_registerName(r.selector), r.name, application);
        else centre()->removeObserver(this, r.name, application);
    }
}

CGSize QLTAppSettingsViewController::contentSizeForViewInPopover() {
    return view()->sizeThatFits(CGSizeMake(320, 2000));
}

bool QLTAppSettingsViewController::shouldAutorotateToInterfaceOrientation(NSInteger) { return true; }

void QLTAppSettingsViewController::willShowViewController(UINavigationController*, UIViewController* controller,
                                                          bool) {
    if (!objc::cast<QLTAppSettingsViewController>(controller) &&
        !objc::cast<QLTSpecifierValuesViewController>(controller))
        dismiss(nullptr);
}

// ---- Table shape ----------------------------------------------------------

NSInteger QLTAppSettingsViewController::numberOfSectionsInTableView(UITableView*) {
    return settingsReader()->numberOfSections();
}

NSInteger QLTAppSettingsViewController::numberOfRowsInSection(UITableView*, NSInteger section) {
    return settingsReader()->numberOfRowsForSection(static_cast<int>(section));
}

CGFloat QLTAppSettingsViewController::heightForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath) {
    QLTSpecifier* specifier = settingsReader()->specifierForIndexPath(indexPath);
    if (!isType(specifier->type(), "QLTCustomViewSpecifier")) return tableView->rowHeight();
    if (!objc::responds(delegate_, QLTSettingsDelegate::kHeightForSpecifier)) return 0;
    return objc::send<CGFloat, id, id>(delegate_, QLTSettingsDelegate::kHeightForSpecifier, tableView, specifier);
}

Ref<NSString> QLTAppSettingsViewController::titleForHeaderInSection(UITableView*, NSInteger section) {
    Ref<NSString> title = settingsReader()->titleForSection(static_cast<int>(section));
    return empty(title) ? nullptr : title;
}

UIView* QLTAppSettingsViewController::viewForHeaderInSection(UITableView*, NSInteger section) {
    if (!objc::responds(delegate_, QLTSettingsDelegate::kViewForHeaderForKey)) return nullptr;
    return objc::cast<UIView>(objc::send<id, id, id>(delegate_, QLTSettingsDelegate::kViewForHeaderForKey,
                                                     tableView_.get(),
                                                     settingsReader()->keyForSection(static_cast<int>(section))));
}

CGFloat QLTAppSettingsViewController::heightForHeaderInSection(UITableView* tableView, NSInteger section) {
    if (viewForHeaderInSection(tableView, section) &&
        objc::responds(delegate_, QLTSettingsDelegate::kHeightForHeaderForKey)) {
        CGFloat height = objc::send<CGFloat, id, id>(delegate_, QLTSettingsDelegate::kHeightForHeaderForKey, tableView,
                                                     settingsReader()->keyForSection(static_cast<int>(section)));
        if (height != 0) return height;
    }
    Ref<NSString> title = titleForHeaderInSection(tableView, section);
    if (!title) return 0;
    const CGSize size = NSStringDrawing::sizeWithFont(
        title, UIFont::boldSystemFontOfSize(UIFont::labelFontSize()),
        CGSizeMake(tableView->frame().size.width - kHeadingInset, std::numeric_limits<CGFloat>::max()),
        UILineBreakModeWordWrap);
    return size.height + kHeadingPadding;
}

Ref<NSString> QLTAppSettingsViewController::titleForFooterInSection(UITableView*, NSInteger section) {
    Ref<NSString> text = settingsReader()->footerTextForSection(static_cast<int>(section));
    if (showCreditsFooter_ && section == settingsReader()->numberOfSections() - 1)
        return empty(text) ? NSString::from(kCreditsFooter) : NSString::from(text->str() + "\n\n" + kCreditsFooter);
    return empty(text) ? nullptr : text;
}

// ---- Cells ------------------------------------------------------------------

Ref<UITableViewCell> QLTAppSettingsViewController::cellForRowAtIndexPath(UITableView* tableView,
                                                                         NSIndexPath* indexPath) {
    QLTSpecifier* specifier = settingsReader()->specifierForIndexPath(indexPath);
    NSString* type = specifier->type();
    // A custom row's cell is the delegate's to make or reuse every time: a
    // queued one may belong to another custom row.
    if (isType(type, "QLTCustomViewSpecifier") && objc::responds(delegate_, QLTSettingsDelegate::kCellForSpecifier))
        return objc::cast<UITableViewCell>(
            objc::send<id, id, id>(delegate_, QLTSettingsDelegate::kCellForSpecifier, tableView, specifier));
    Ref<UITableViewCell> cell = tableView->dequeueReusableCellWithIdentifier(type);
    if (!cell) cell = makeCell(specifier, type);
    if (cell) fillCell(cell, specifier);
    return cell;
}

Ref<UITableViewCell> QLTAppSettingsViewController::makeCell(QLTSpecifier*, NSString* type) {
    auto fromFile = [this](const char* name) -> Ref<UITableViewCell> {
        Ref<NSArray> objects = UINib::loadNibNamed(NSString::from(name), this, NSBundle::mainBundle());
        return objects && objects->count() ? Ref<UITableViewCell>(objc::cast<UITableViewCell>(objects->objectAtIndex(0)))
                                           : nullptr;
    };
    auto titleValue = [type](UITableViewCellAccessoryType accessory) {
        auto cell = UITableViewCell::cellWithStyle<QLTPSTitleValueSpecifierViewCell>(UITableViewCellStyleValue1, type);
        cell->setAccessoryType(accessory);
        return Ref<UITableViewCell>(cell);
    };
    if (isType(type, "PSToggleSwitchSpecifier")) return fromFile("QLTPSToggleSwitchSpecifierViewCell");
    if (isType(type, "PSMultiValueSpecifier") || isType(type, "PSChildPaneSpecifier") ||
        isType(type, "QLTOpenURLSpecifier") || isType(type, "QLTMailComposeSpecifier"))
        return titleValue(UITableViewCellAccessoryDisclosureIndicator);
    if (isType(type, "PSTitleValueSpecifier")) return titleValue(UITableViewCellAccessoryNone);
    if (isType(type, "PSTextFieldSpecifier")) {
        Ref<UITableViewCell> cell = fromFile("QLTPSTextFieldSpecifierViewCell");
        if (auto* textCell = objc::cast<QLTPSTextFieldSpecifierViewCell>(cell.get())) {
            textCell->textField()->setTextAlignment(UITextAlignmentLeft);
            textCell->textField()->setReturnKeyType(UIReturnKeyDone);
            textCell->setAccessoryType(UITableViewCellAccessoryNone);
        }
        return cell;
    }
    if (isType(type, "PSSliderSpecifier")) return fromFile("QLTPSSliderSpecifierViewCell");
    // Buttons, custom rows without the delegate's cell and unknown types.
    return UITableViewCell::cellWithStyle(UITableViewCellStyleDefault, type);
}

void QLTAppSettingsViewController::fillCell(UITableViewCell* cell, QLTSpecifier* specifier) {
    NSString* type = specifier->type();
    NSString* key = specifier->key();
    Ref<NSObject> stored = key ? settingsStore()->objectForKey(key) : nullptr;
    Ref<NSObject> value = stored ? stored : Ref<NSObject>(specifier->defaultValue());

    if (auto* toggleCell = objc::cast<QLTPSToggleSwitchSpecifierViewCell>(cell)) {
        toggleCell->label()->setText(specifier->title());
        QLTSwitch* toggle = toggleCell->toggle();
        toggle->setOn(switchState(specifier), false);
        toggle->addTarget(this, sel_registerName("toggledValue:"), UIControlEventValueChanged);
        toggle->setKey(key);
    } else if (auto* textCell = objc::cast<QLTPSTextFieldSpecifierViewCell>(cell)) {
        textCell->label()->setText(specifier->title());
        QLTTextField* field = textCell->textField();
        Ref<NSObject> text = stored ? stored : Ref<NSObject>(specifier->defaultStringValue());
        field->setText(text && !text->isMemberOfClass(NSString::class_()) ? NSObjectAdditions::description(text)
                                                                          : Ref<NSString>(objc::cast<NSString>(text.get())));
        field->setKey(key);
        field->setDelegate(this);
        field->addTarget(this, sel_registerName("_textChanged:"), UIControlEventEditingChanged);
        field->setSecureTextEntry(specifier->isSecure());
        field->setKeyboardType(specifier->keyboardType());
        field->setAutocapitalizationType(specifier->autocapitalizationType());
        field->setAutocorrectionType(specifier->autoCorrectionType());
        textCell->setNeedsLayout();
    } else if (auto* sliderCell = objc::cast<QLTPSSliderSpecifierViewCell>(cell)) {
        auto image = [this](NSString* name) -> Ref<UIImage> {
            return empty(name) ? nullptr : UIImage::imageWithContentsOfFile(settingsReader()->pathForImageNamed(name));
        };
        if (Ref<UIImage> min = image(specifier->minimumValueImage())) sliderCell->minImage()->setImage(min);
        if (Ref<UIImage> max = image(specifier->maximumValueImage())) sliderCell->maxImage()->setImage(max);
        QLTSlider* slider = sliderCell->slider();
        slider->setMinimumValue(specifier->minimumValue());
        slider->setMaximumValue(specifier->maximumValue());
        slider->setValue(objc::sendIfAnswered<float>(value.get(), "floatValue"));
        slider->addTarget(this, sel_registerName("sliderChangedValue:"), UIControlEventValueChanged);
        slider->setKey(key);
        sliderCell->setNeedsLayout();
    } else if (isType(type, "PSMultiValueSpecifier") || isType(type, "PSTitleValueSpecifier")) {
        cell->textLabel()->setText(specifier->title());
        const bool choices = specifier->multipleValues() || specifier->multipleTitles();
        const bool titled = isType(type, "PSMultiValueSpecifier") || choices;
        cell->detailTextLabel()->setText(titled ? textOf(specifier->titleForCurrentValue(value)) : textOf(value));
        if (isType(type, "PSTitleValueSpecifier")) cell->setUserInteractionEnabled(false);
    } else if (isType(type, "QLTOpenURLSpecifier") || isType(type, "QLTMailComposeSpecifier")) {
        cell->textLabel()->setText(specifier->title());
        cell->detailTextLabel()->setText(textOf(specifier->defaultValue()));
    } else if (isType(type, "QLTButtonSpecifier")) {
        cell->textLabel()->setText(specifier->title());
        cell->textLabel()->setTextAlignment(UITextAlignmentCenter);
    } else {
        cell->textLabel()->setText(specifier->title());
    }
}

bool QLTAppSettingsViewController::switchState(QLTSpecifier* specifier) {
    Ref<NSObject> value = specifier->key() ? settingsStore()->objectForKey(specifier->key()) : nullptr;
    if (!value) return specifier->defaultBoolValue();
    if (value->isEqual(specifier->trueValue())) return true;
    if (value->isEqual(specifier->falseValue())) return false;
    return objc::sendIfAnswered<BOOL>(value.get(), "boolValue");
}

// ---- Selection -------------------------------------------------------------

NSIndexPath* QLTAppSettingsViewController::willSelectRowAtIndexPath(UITableView*, NSIndexPath* indexPath) {
    QLTSpecifier* specifier = settingsReader()->specifierForIndexPath(indexPath);
    return isType(specifier->type(), "PSToggleSwitchSpecifier") ? nullptr : indexPath;
}

void QLTAppSettingsViewController::didSelectRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath) {
    QLTSpecifier* specifier = settingsReader()->specifierForIndexPath(indexPath);
    NSString* type = specifier->type();
    if (isType(type, "PSMultiValueSpecifier")) {
        openChooser(specifier, indexPath);
    } else if (isType(type, "PSTextFieldSpecifier")) {
        // The row stays selected while its field has the keyboard.
        if (auto* cell = objc::cast<QLTPSTextFieldSpecifierViewCell>(tableView->cellForRowAtIndexPath(indexPath)))
            cell->textField()->becomeFirstResponder();
    } else if (isType(type, "PSChildPaneSpecifier")) {
        openChildPage(specifier, indexPath);
    } else if (isType(type, "QLTOpenURLSpecifier")) {
        tableView->deselectRowAtIndexPath(indexPath, true);
        if (UIApplication* application = UIApplication::sharedApplication())
            application->openURL(NSURL::URLWithString(specifier->file()));
    } else if (isType(type, "QLTButtonSpecifier")) {
        tableView->deselectRowAtIndexPath(indexPath, true);
        auto* handler = reinterpret_cast<id>(specifier->buttonClass());
        SEL action = specifier->buttonAction();
        if (handler && action && objc::send<BOOL, SEL>(handler, "respondsToSelector:", action))
            objc::send<id, id, id>(handler, action, this, specifier->key());
    } else if (isType(type, "QLTMailComposeSpecifier")) {
        tableView->deselectRowAtIndexPath(indexPath, true);
        composeMail(specifier);
    } else {
        tableView->deselectRowAtIndexPath(indexPath, false);
    }
}

void QLTAppSettingsViewController::openChildPage(QLTSpecifier* specifier, NSIndexPath* indexPath) {
    UINavigationController* navigation = navigationController();
    if (Class screenClass = specifier->viewControllerClass()) {
        // A screen of the file's naming, made and initialised by name.
        auto made = Ref<NSObject>::adopt(objc::cast<NSObject>(objc::send<id>(reinterpret_cast<id>(screenClass), "alloc")));
        SEL init = specifier->viewControllerSelector() ? specifier->viewControllerSelector() : sel_registerName("init");
        auto* screen = made && made->respondsToSelector(init)
                           ? objc::cast<UIViewController>(made->performSelector(init, specifier->file(), specifier->key()))
                           : nullptr;
        if (!screen) {
            NSLog("Settings: the child page's screen %s cannot be made with %s; the row does nothing",
                  class_getName(screenClass), sel_getName(init));
            tableView_->deselectRowAtIndexPath(indexPath, true);
            return;
        }
        Ref<UIViewController> keep(screen);
        if (screen->respondsToSelector(sel_registerName("setDelegate:")))
            objc::send<void, id>(screen, "setDelegate:", delegate_);
        if (screen->respondsToSelector(sel_registerName("setSettingsStore:")))
            objc::send<void, id>(screen, "setSettingsStore:", settingsStore());
        // A foreign screen must not end the settings screen when it is shown.
        navigation->setDelegate(nullptr);
        navigation->pushViewController(screen, true);
        return;
    }
    if (!specifier->file()) {
        tableView_->deselectRowAtIndexPath(indexPath, true);
        return;
    }
    auto* slot = objc::cast<NSMutableDictionary>(viewList_->objectAtIndex(kChildSlot));
    auto* child = objc::cast<QLTAppSettingsViewController>(slot->objectForKey(NSString::from(kViewController)));
    if (!child) {
        // Of this screen's own class, so that a subclass makes subclass pages.
        auto made = Ref<NSObject>::adopt(objc::cast<NSObject>(objc::send<id>(reinterpret_cast<id>(objcClass()), "alloc")));
        objc::send<id, id, id>(made.get(), "initWithNibName:bundle:", NSString::from("QLTAppSettingsView").get(), nullptr);
        child = objc::cast<QLTAppSettingsViewController>(made.get());
        child->setShowDoneButton(false);
        child->setSettingsStore(settingsStore());
        child->setDelegate(delegate_);
        slot->setObject(child, NSString::from(kViewController));
    }
    setCurrentIndexPath(indexPath);
    child->setFile(specifier->file());
    child->setTitle(specifier->title());
    child->setShowCreditsFooter(false);
    navigation->pushViewController(child, true);
}

void QLTAppSettingsViewController::openChooser(QLTSpecifier* specifier, NSIndexPath* indexPath) {
    auto* slot = objc::cast<NSMutableDictionary>(viewList_->objectAtIndex(kChooserSlot));
    auto* chooser = objc::cast<QLTSpecifierValuesViewController>(slot->objectForKey(NSString::from(kViewController)));
    if (!chooser) {
        auto made = make<QLTSpecifierValuesViewController>();
        made->initWithNibName("QLTSpecifierValuesView"_ns, nullptr);
        slot->setObject(made, NSString::from(kViewController));
        chooser = made;
    }
    setCurrentIndexPath(indexPath);
    chooser->setCurrentSpecifier(specifier);
    chooser->setSettingsReader(settingsReader());
    chooser->setSettingsStore(settingsStore());
    navigationController()->pushViewController(chooser, true);
}

// ---- Mail -------------------------------------------------------------------

void QLTAppSettingsViewController::composeMail(QLTSpecifier* specifier) {
    if (!MFMailComposeViewController::canSendMail()) {
        NSBundle* bundle = NSBundle::mainBundle();
        const auto text = [bundle](const char* key) { return bundle->localizedStringForKey(NSString::from(key), ""_ns, nullptr); };
        auto alert = make<UIAlertView>();
        alert->initWithTitle(text(kMailNotConfiguredTitle), text(kMailNotConfiguredMessage), nullptr, text("OK"), nullptr);
        alert->show();
        return;
    }
    auto sheet = make<MFMailComposeViewController>();
    sheet->init();
    NSDictionary* entry = specifier->specifierDict();
    if (Ref<NSString> subject = specifier->localizedObjectForKey("QLTMailComposeSubject"_ns)) sheet->setSubject(subject);
    const auto list = [entry](const char* key) { return objc::cast<NSArray>(entry->objectForKey(NSString::from(key))); };
    if (NSArray* to = list("QLTMailComposeToRecipents")) sheet->setToRecipients(to);
    if (NSArray* cc = list("QLTMailComposeCcRecipents")) sheet->setCcRecipients(cc);
    if (NSArray* bcc = list("QLTMailComposeBccRecipents")) sheet->setBccRecipients(bcc);
    if (Ref<NSString> body = specifier->localizedObjectForKey("QLTMailComposeBody"_ns)) {
        NSObject* isHTML = entry->objectForKey("QLTMailComposeBodyIsHTML"_ns);
        // The delegate's body stands in for the entry's text, only when the
        // entry has one.
        if (objc::responds(delegate_, QLTSettingsDelegate::kMailComposeBody))
            body = objc::cast<NSString>(objc::send<id>(delegate_, QLTSettingsDelegate::kMailComposeBody));
        sheet->setMessageBody(body, isHTML && objc::sendIfAnswered<BOOL>(isHTML, "boolValue"));
    }
    UIViewController* presenter = this;
    if (objc::responds(delegate_, QLTSettingsDelegate::kViewControllerForMailComposeView))
        if (auto* other = objc::cast<UIViewController>(
                objc::send<id>(delegate_, QLTSettingsDelegate::kViewControllerForMailComposeView)))
            presenter = other;
    sheet->setMailComposeDelegate(presenter);
    presenter->presentModalViewController(sheet, true);
}

void QLTAppSettingsViewController::didFinishWithResult(MFMailComposeViewController*, NSInteger, id) {
    dismissModalViewControllerAnimated(true);
}

// ---- Text fields and the keyboard -------------------------------------------

bool QLTAppSettingsViewController::textFieldShouldBeginEditing(UITextField* field) {
    field->setTextAlignment(UITextAlignmentLeft);
    setCurrentFirstResponder(field);
    return true;
}

void QLTAppSettingsViewController::textFieldDidBeginEditing(UITextField* field) {
    setCurrentFirstResponder(field);
    Ref<NSArray> visible = tableView_->indexPathsForVisibleRows();
    if (visible && visible->count() > 0) {
        topmostRowBeforeKeyboardWasShown_ = objc::cast<NSIndexPath>(visible->objectAtIndex(0));
        return;
    }
    topmostRowBeforeKeyboardWasShown_ = NSIndexPath::indexPathForRow(0, 0);
    field->resignFirstResponder();
}

void QLTAppSettingsViewController::textFieldDidEndEditing(UITextField*) { setCurrentFirstResponder(nullptr); }

bool QLTAppSettingsViewController::textFieldShouldReturn(UITextField* field) {
    field->resignFirstResponder();
    return true;
}

namespace {

// The keyboard's slide, for the table's own change.
void animateLikeKeyboard(NSDictionary* info, const std::function<void()>& change) {
    UIView::beginAnimations(nullptr, nullptr);
    UIView::setAnimationDuration(objc::sendIfAnswered<double>(info->objectForKey(UIKeyboardAnimationDurationUserInfoKey), "doubleValue"));
    UIView::setAnimationCurve(objc::sendIfAnswered<int>(info->objectForKey(UIKeyboardAnimationCurveUserInfoKey), "intValue"));
    change();
    UIView::commitAnimations();
}

// A rectangle of the window as the turned screen sees it, y growing towards
// the screen's bottom: x and y (and width and height) swap, and in right
// landscape, whose bottom lies along the window's left edge, the window's
// x runs the other way.
CGRect turned(CGRect r, UIInterfaceOrientation orientation, CGFloat windowWidth) {
    const CGFloat y = orientation == UIInterfaceOrientationLandscapeRight ? windowWidth - r.origin.x - r.size.width
                                                                         : r.origin.x;
    return CGRectMake(r.origin.y, y, r.size.height, r.size.width);
}

}  // namespace

bool QLTAppSettingsViewController::isOnTop() const {
    UINavigationController* navigation = navigationController();
    return navigation && navigation->topViewController() == this && tableView_;
}

void QLTAppSettingsViewController::_keyboardWillShow(NSNotification* notification) {
    if (!isOnTop()) return;
    NSDictionary* info = notification->userInfo();
    auto* keyboard = objc::cast<NSValue>(info->objectForKey(UIKeyboardBoundsUserInfoKey));
    if (!keyboard) keyboard = objc::cast<NSValue>(info->objectForKey(UIKeyboardFrameEndUserInfoKey));
    const CGFloat keyboardHeight = keyboard ? keyboard->CGRectValue().size.height : 0;
    UIWindow* window = UIApplication::sharedApplication()->keyWindow();
    CGRect windowRect = window->bounds();
    CGRect tableRect = tableView_->convertRectToView(tableView_->bounds(), window);
    const UIInterfaceOrientation orientation = interfaceOrientation();
    if (orientation == UIInterfaceOrientationLandscapeLeft || orientation == UIInterfaceOrientationLandscapeRight) {
        tableRect = turned(tableRect, orientation, windowRect.size.width);
        windowRect = turned(windowRect, orientation, windowRect.size.width);
    }
    // How far the table reaches below the keyboard's top edge; a table that
    // ends above the keyboard keeps its height.
    const CGFloat overlap = std::max<CGFloat>(keyboardHeight - CGRectGetMaxY(windowRect) + CGRectGetMaxY(tableRect), 0);
    CGRect frame = tableView_->frame();
    frame.size.height = std::max<CGFloat>(frame.size.height - overlap, 0);
    animateLikeKeyboard(info, [&] { tableView_->setFrame(frame); });

    auto* field = objc::cast<UIView>(currentFirstResponder_.get());
    UIView* cell = field && field->superview() ? field->superview()->superview() : nullptr;
    Ref<NSIndexPath> row = tableView_->indexPathForCell(objc::cast<UITableViewCell>(cell));
    NSRunLoop::mainRunLoop()->cancelPerformRequests(this, false, nullptr, nullptr);
    if (row) tableView_->scrollToRowAtIndexPath(row, UITableViewScrollPositionMiddle, true);
}

void QLTAppSettingsViewController::_keyboardWillHide(NSNotification* notification) {
    if (!isOnTop()) return;
    animateLikeKeyboard(notification->userInfo(), [this] { tableView_->setFrame(view()->bounds()); });
    NSRunLoop::mainRunLoop()->performSelector(this, sel_registerName("scrollToOldPosition"), nullptr,
                                              kScrollBackDelay);
}

void QLTAppSettingsViewController::scrollToOldPosition() {
    if (topmostRowBeforeKeyboardWasShown_ && tableView_)
        tableView_->scrollToRowAtIndexPath(topmostRowBeforeKeyboardWasShown_, UITableViewScrollPositionTop, true);
}

// ---- Control actions --------------------------------------------------------

void QLTAppSettingsViewController::toggledValue(NSObject* sender) {
    auto* toggle = objc::cast<QLTSwitch>(sender);
    if (!toggle) return;
    NSString* key = toggle->key();
    QLTSpecifier* specifier = settingsReader()->specifierForKey(key);
    NSObject* stored = specifier ? (toggle->isOn() ? specifier->trueValue() : specifier->falseValue()) : nullptr;
    if (stored) settingsStore()->setObject(stored, key);
    else settingsStore()->setBool(toggle->isOn(), key);
    postSettingChanged(key, settingsStore()->objectForKey(key));
}

void QLTAppSettingsViewController::sliderChangedValue(NSObject* sender) {
    auto* slider = objc::cast<QLTSlider>(sender);
    if (!slider) return;
    settingsStore()->setFloat(slider->value(), slider->key());
    postSettingChanged(slider->key(), NSNumber::numberWithFloat(slider->value()));
}

void QLTAppSettingsViewController::_textChanged(NSObject* sender) {
    auto* field = objc::cast<QLTTextField>(sender);
    if (!field) return;
    settingsStore()->setObject(field->text(), field->key());
    postSettingChanged(field->key(), field->text());
}

// ---- Closing ----------------------------------------------------------------

void QLTAppSettingsViewController::dismiss(NSObject*) {
    Ref<QLTAppSettingsViewController> keep(this);
    if (auto* responder = objc::cast<UIResponder>(currentFirstResponder_.get());
        responder && responder->canResignFirstResponder())
        responder->resignFirstResponder();
    settingsStore()->synchronize();
    if (UINavigationController* navigation = navigationController()) navigation->setDelegate(nullptr);
    if (delegate_ && delegate_->conformsToProtocol(QLTSettingsDelegate::kName))
        objc::send<void, id>(delegate_, QLTSettingsDelegate::kDidEnd, this);
}

void QLTAppSettingsViewController::synchronizeSettings() {
    if (settingsStore_) settingsStore_->synchronize();
}

void QLTAppSettingsViewController::reload() {
    if (tableView_)
        NSRunLoop::mainRunLoop()->performSelector(tableView_, sel_registerName("reloadData"), nullptr, kReloadDelay);
}
