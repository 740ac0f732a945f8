// Mail's mailbox list: the inboxes in section 0 ("All Inboxes" and one per
// account) and the accounts in section 1. Its rows are made through
// tableView:cellForRowAtIndexPath:, which the table sends by selector.
#pragma once

#include <vector>

#include "MailAccount.h"
#include "UIKit/UITableViewCell.h"

class NSIndexPath;
class NSString;
class UITableView;

class MailboxPickerController : public NSObject {
    KORVEL_OBJC_CLASS(MailboxPickerController)
public:
    static constexpr NSInteger kInboxesSection = 0;
    static constexpr NSInteger kAccountsSection = 1;

    MailboxPickerController() = default;
    explicit MailboxPickerController(std::vector<Ref<MailAccount>> accounts);

    NSInteger numberOfSectionsInTableView(UITableView* tableView);
    NSInteger numberOfRowsInSection(UITableView* tableView, NSInteger section);
    Ref<NSString> titleForHeaderInSection(UITableView* tableView, NSInteger section);
    virtual Ref<UITableViewCell> cellForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);

private:
    std::vector<Ref<MailAccount>> accounts_;
};
