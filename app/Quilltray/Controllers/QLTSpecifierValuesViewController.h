// The list a choice row opens: the row's titles, a check mark on the title of
// the value now stored. A tap moves the check mark, stores the chosen value,
// saves the store at once and announces the change with
// "kAppSettingChanged". While the list is on screen a change of the user
// defaults made elsewhere moves the check mark too.
//
// One chooser serves all the choice rows of a settings screen, which hands it
// the row's specifier, reader and store before each showing.
#pragma once

#include "UIKit/UIViewController.h"

class NSIndexPath;
class NSString;
class QLTSettingsReader;
class QLTSettingsStore;
class QLTSpecifier;
class UITableView;
class UITableViewCell;

class QLTSpecifierValuesViewController : public UIViewController {
    KORVEL_OBJC_CLASS(QLTSpecifierValuesViewController)
public:
    // The text colour of the checked row.
    static constexpr CGFloat kCheckedColour[4] = {0.318f, 0.4f, 0.569f, 1.0f};

    QLTSpecifierValuesViewController();
    ~QLTSpecifierValuesViewController() override;

    UITableView* tableView() const { return tableView_; }
    QLTSpecifier* currentSpecifier() const { return currentSpecifier_; }
    void setCurrentSpecifier(QLTSpecifier* specifier);
    NSIndexPath* checkedItem() const { return checkedItem_; }
    void setCheckedItem(NSIndexPath* item);
    QLTSettingsReader* settingsReader() const { return settingsReader_; }
    void setSettingsReader(QLTSettingsReader* reader);
    // The user defaults' store when none was handed over.
    QLTSettingsStore* settingsStore();
    void setSettingsStore(QLTSettingsStore* store);

    // The row of the stored value (else of the default); a value that is not
    // listed gives the row NSNotFound, which no cell has.
    void updateCheckedItem();

    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    // Portrait only.
    bool shouldAutorotateToInterfaceOrientation(NSInteger orientation) override;

    NSInteger numberOfSectionsInTableView(UITableView* tableView);
    NSInteger numberOfRowsInSection(UITableView* tableView, NSInteger section);
    Ref<NSString> titleForFooterInSection(UITableView* tableView, NSInteger section);
    Ref<UITableViewCell> cellForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);
    void didSelectRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);

    // The checked and unchecked looks.
    void selectCell(UITableViewCell* cell);
    void deselectCell(UITableViewCell* cell);

    void userDefaultsDidChange();

private:
    // The interface file's connection.
    void setTableView(UITableView* tableView) { tableView_ = tableView; }
    // Whether the checked row is a row of the list.
    bool checkedRowListed() const;

    Ref<UITableView> tableView_;
    Ref<QLTSpecifier> currentSpecifier_;
    Ref<NSIndexPath> checkedItem_;
    Ref<QLTSettingsReader> settingsReader_;
    Ref<QLTSettingsStore> settingsStore_;
};
