// The account list, the settings app's root screen: the device's mail
// accounts (from the system's account settings file) and the aliases the
// user typed in, each row tinted with its address's colour record from the
// label preferences. A tap opens the colour picker for the row's address;
// deleting a row clears its colour, or removes an alias that has none.
//
// The lists are rebuilt from the files by the load step (viewDidLoad), which
// also runs after every add and delete.
//
// The gear button opens the in-app settings screen, made once and shown
// modally in a navigation stack of its own; the account list is its delegate
// (QLTSettingsDelegate), closes it when the user is done, and gives its
// custom row, the preview of the label style in the colour of the first
// address that has one.
#pragma once

#include <functional>

#include "UIKit/UITableViewController.h"

class ColorPickerViewController;
class LabelPreviewCell;
class QLTAppSettingsViewController;
class QLTSpecifier;
class UIColor;
class NSIndexPath;
class NSMutableArray;
class NSMutableDictionary;
class NSString;
class UIAlertView;
class UITableViewCell;

class RootViewController : public UITableViewController {
    KORVEL_OBJC_CLASS(RootViewController)
public:
    static constexpr const char* kAccountSettingsPath = "/User/Library/Preferences/com.apple.accountsettings.plist";
    static constexpr const char* kAliasesKey = "Aliases";
    static constexpr const char* kTitle = "Korvel";
    static constexpr NSInteger kAccountsSection = 0;
    static constexpr NSInteger kAliasesSection = 1;

    RootViewController();
    ~RootViewController() override;

    // The load step: title and bar buttons, then both lists afresh.
    void viewDidLoad() override;

    NSInteger numberOfSectionsInTableView(UITableView* tableView);
    NSInteger numberOfRowsInSection(UITableView* tableView, NSInteger section);
    Ref<NSString> titleForHeaderInSection(UITableView* tableView, NSInteger section);
    Ref<UITableViewCell> cellForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);
    // Opens the colour picker for the row's address.
    void didSelectRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);
    // An account's delete clears its colour; an alias's clears its colour
    // when it has one, else removes the alias.
    void commitEditingStyle(UITableView* tableView, NSInteger editingStyle, NSIndexPath* indexPath);

    // The plus button's action: asks for an alias.
    void addA();
    // Unless the prompt was cancelled, adds the typed address as an alias
    // (lower-cased; only with "@"; nothing when the text as typed already is
    // a key of the label preferences). The table is reloaded either way.
    void willDismissWithButtonIndex(UIAlertView* alertView, NSInteger buttonIndex);

    // The gear button's action: the settings screen, with Done, modally in a
    // new navigation stack.
    void showSettingsModal(NSObject* sender);
    // Made on first use and kept.
    QLTAppSettingsViewController* appSettingsViewController();
    void setAppSettingsViewController(QLTAppSettingsViewController* controller);
    // The settings screen's end report: closes it.
    void settingsViewControllerDidEnd(QLTAppSettingsViewController* controller);
    // The settings screen's custom row: the label preview.
    CGFloat heightForSpecifier(UITableView* tableView, QLTSpecifier* specifier);
    Ref<UITableViewCell> cellForSpecifier(UITableView* tableView, QLTSpecifier* specifier);

    NSMutableArray* myAccounts() const { return myAccounts_; }
    void setMyAccounts(NSMutableArray* accounts);
    NSMutableArray* aliases() const { return aliases_; }
    void setAliases(NSMutableArray* aliases);
    // The colour picker last opened.
    ColorPickerViewController* viewController() const { return viewController_; }
    void setViewController(ColorPickerViewController* controller);

private:
    // The row's address; nil for a row that is not listed.
    NSString* addressAt(NSIndexPath* indexPath) const;
    // Account addresses, lower-cased and each once, in order of discovery.
    static Ref<NSMutableArray> readAccountAddresses();
    // Takes quick-colour numbers off the account addresses.
    static void dropQuickColours(NSMutableArray* accounts);
    // The alias keys; "Aliases" is made an empty dictionary when it is
    // missing or of the wrong type.
    static Ref<NSMutableArray> readAliases();
    // Stores the "Aliases" dictionary as `edit` leaves a copy of it.
    static void editAliases(const std::function<void(NSMutableDictionary*)>& edit);
    // Rebuilds the lists and shows them.
    void reload();
    // The first account, else alias, address with a colour record; nil when
    // none has one.
    NSString* firstColouredAddress() const;

    // Members go in reverse order: the lists, then the screens.
    Ref<LabelPreviewCell> previewCell_;
    Ref<QLTAppSettingsViewController> appSettingsViewController_;
    Ref<ColorPickerViewController> viewController_;
    Ref<NSMutableArray> aliases_;
    Ref<NSMutableArray> myAccounts_;
};
