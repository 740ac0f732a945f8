// The in-app settings screen: a table with one section per group and one row
// per entry of a settings file, each row showing and editing one value of a
// settings store. It chooses the cell for each row type, writes every change
// a control makes into the store and announces it with "kAppSettingChanged"
// (the setting's key as object, {key: new value} as user info), saves the
// store when it closes or the application leaves the foreground, and tells
// its delegate (QLTSettingsDelegate) when the user is done.
//
// A choice row opens the screen's one chooser (QLTSpecifierValuesViewController),
// handed the row's specifier, the reader and the store.
#pragma once

#include "UIKit/UIViewController.h"

class NSIndexPath;
class NSMutableArray;
class NSString;
class QLTSettingsReader;
class QLTSettingsStore;
class QLTSpecifier;
class UINavigationController;
class UITableView;
class UITableViewCell;
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
    // A choice row opens the chooser; other rows only lose the highlight.
    void didSelectRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);

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
};
