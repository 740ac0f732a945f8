// The in-app settings screen: a table with one section per group and one row
// per entry of a settings file, each row showing and editing one value of a
// settings store. It chooses the cell for each row type, writes every change
// a control makes into the store and announces it with "kAppSettingChanged"
// (the setting's key as object, {key: new value} as user info), saves the
// store when it closes or the application leaves the foreground, and tells
// its delegate (QLTSettingsDelegate) when the user is done.
//
// A tap acts by the row's type: a choice row opens the screen's one chooser
// (QLTSpecifierValuesViewController), handed the row's specifier, the reader
// and the store; a text row focuses its field; a child row pushes a screen the
// file names, or this screen's one child page reading the row's file; an
// address row opens the address through the application; a button row calls
// its class's operation; a mail row opens the mail sheet (or, on a device
// without mail, the alert "Mail not configured"). While the keyboard is up the
// table shrinks out of its way with the edited row in the middle, and comes
// back, with the rows it showed before, when the keyboard goes.
#pragma once

#include "UIKit/UIViewController.h"

class MFMailComposeViewController;
class NSIndexPath;
class NSNotification;
class NSMutableArray;
class NSString;
class QLTSettingsReader;
class QLTSettingsStore;
class QLTSpecifier;
class UINavigationController;
class UITableView;
class UITableViewCell;
class UITextField;
class UIView;

class QLTAppSettingsViewController : public UIViewController {
    KORVEL_OBJC_CLASS(QLTAppSettingsViewController)
public:
    static constexpr const char* kAppSettingChanged = "kAppSettingChanged";
    static constexpr const char* kCreditsFooter = "Powered by Quilltray";
    // The first platform release with background and foreground
    // notifications.
    static constexpr double kMultitaskingVersion = 550.32;
    // A heading is measured this much narrower than the table, and is this
    // much taller than its text.
    static constexpr CGFloat kHeadingInset = 38;
    static constexpr CGFloat kHeadingPadding = 15;
    static constexpr double kReloadDelay = 0.5;
    // After the keyboard has gone, the rows shown before it came return.
    static constexpr double kScrollBackDelay = 0.1;
    static constexpr const char* kMailNotConfiguredTitle = "Mail not configured";
    static constexpr const char* kMailNotConfiguredMessage =
        "This device is not configured for sending Email. Please configure the Mail settings in the Settings app.";

    QLTAppSettingsViewController();
    ~QLTAppSettingsViewController() override;

    // Posts "kAppSettingChanged" for `key` with the one-entry user info
    // {key: value}.
    static void postSettingChanged(NSString* key, NSObject* value);

    // With the Done button and the credits footer.
    UIViewController* initWithNibName(NSString* nibName, NSBundle* bundle) override;
    // Out of an interface file: the credits footer, no Done button.
    void awakeFromNib();

    // Not retained.
    NSObject* delegate() const { return delegate_; }
    void setDelegate(NSObject* delegate) { delegate_ = delegate; }
    UITableView* tableView() const { return tableView_; }
    NSIndexPath* currentIndexPath() const { return currentIndexPath_; }
    void setCurrentIndexPath(NSIndexPath* indexPath);
    // Made on first use from `file`.
    QLTSettingsReader* settingsReader();
    void setSettingsReader(QLTSettingsReader* reader);
    // Made on first use: the standard user defaults' store.
    QLTSettingsStore* settingsStore();
    void setSettingsStore(QLTSettingsStore* store);
    // The settings file's name without extension; "Root" when none was set.
    // Setting it drops the reader, so the next use reads the file afresh.
    Ref<NSString> file() const;
    void setFile(NSString* file);
    NSObject* currentFirstResponder() const { return currentFirstResponder_; }
    void setCurrentFirstResponder(NSObject* responder);
    bool showCreditsFooter() const { return showCreditsFooter_; }
    void setShowCreditsFooter(bool show) { showCreditsFooter_ = show; }
    bool showDoneButton() const { return showDoneButton_; }
    void setShowDoneButton(bool show) { showDoneButton_ = show; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    CGSize contentSizeForViewInPopover();
    // Every orientation.
    bool shouldAutorotateToInterfaceOrientation(NSInteger orientation) override;
    // Leaving the settings pages and their choosers ends the screen's use.
    void willShowViewController(UINavigationController* navigationController, UIViewController* controller,
                                bool animated);

    NSInteger numberOfSectionsInTableView(UITableView* tableView);
    NSInteger numberOfRowsInSection(UITableView* tableView, NSInteger section);
    CGFloat heightForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);
    Ref<NSString> titleForHeaderInSection(UITableView* tableView, NSInteger section);
    UIView* viewForHeaderInSection(UITableView* tableView, NSInteger section);
    CGFloat heightForHeaderInSection(UITableView* tableView, NSInteger section);
    Ref<NSString> titleForFooterInSection(UITableView* tableView, NSInteger section);
    Ref<UITableViewCell> cellForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);
    // Switch rows are never selected.
    NSIndexPath* willSelectRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);
    // Acts on a tapped row by its type.
    void didSelectRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);

    // MFMailComposeViewControllerDelegate: closes the sheet.
    void didFinishWithResult(MFMailComposeViewController* controller, NSInteger result, id error);

    // UITextFieldDelegate.
    bool textFieldShouldBeginEditing(UITextField* field);
    // Remembers the top row before the keyboard comes.
    void textFieldDidBeginEditing(UITextField* field);
    void textFieldDidEndEditing(UITextField* field);
    bool textFieldShouldReturn(UITextField* field);

    // The keyboard's notifications, followed while the screen is shown.
    void _keyboardWillShow(NSNotification* notification);
    void _keyboardWillHide(NSNotification* notification);
    // Scrolls the row that was at the top before the keyboard back there.
    void scrollToOldPosition();

    // The controls' actions: each writes the store and announces the change.
    void toggledValue(NSObject* sender);
    void sliderChangedValue(NSObject* sender);
    void _textChanged(NSObject* sender);

    // Saves the store and reports the end to the delegate, which closes the
    // screen.
    void dismiss(NSObject* sender);
    void synchronizeSettings();
    // Reloads the table kReloadDelay seconds from now.
    void reload();

private:
    // The interface file's connection.
    void setTableView(UITableView* tableView);
    // The switch state of a toggle row.
    bool switchState(QLTSpecifier* specifier);
    Ref<UITableViewCell> makeCell(QLTSpecifier* specifier, NSString* type);
    void fillCell(UITableViewCell* cell, QLTSpecifier* specifier);
    void openChooser(QLTSpecifier* specifier, NSIndexPath* indexPath);
    void openChildPage(QLTSpecifier* specifier, NSIndexPath* indexPath);
    void composeMail(QLTSpecifier* specifier);
    // Only the page on top of its navigation stack moves for the keyboard.
    bool isOnTop() const;
    // The application's notifications the screen follows while on screen.
    void followApplication(bool follow);

    NSObject* delegate_ = nullptr;
    Ref<UITableView> tableView_;
    Ref<NSMutableArray> viewList_;
    Ref<NSIndexPath> currentIndexPath_;
    Ref<QLTSettingsReader> settingsReader_;
    Ref<QLTSettingsStore> settingsStore_;
    Ref<NSString> file_;
    Ref<NSObject> currentFirstResponder_;
    bool showCreditsFooter_ = false;
    bool showDoneButton_ = false;
    Ref<NSIndexPath> topmostRowBeforeKeyboardWasShown_;
};
