// A screen that is one table: its view is a table of the style it was made
// with, whose data source and delegate it is. Each time the screen is about
// to appear the table's selection is cleared, so a row tapped to open another
// screen is no longer selected on the way back.
#pragma once

#include "UIKit/UITableView.h"
#include "UIKit/UIViewController.h"

class UITableViewController : public UIViewController {
    KORVEL_OBJC_CLASS(UITableViewController)
public:
    UITableViewController();
    ~UITableViewController() override;

    virtual UITableViewController* initWithStyle(NSInteger style);

    UITableViewStyle tableViewStyle() const { return style_; }
    // The view, loaded on first use.
    UITableView* tableView();
    void setTableView(UITableView* tableView);

    void loadView() override;
    void viewWillAppear(bool animated) override;

private:
    UITableViewStyle style_ = UITableViewStylePlain;
};
