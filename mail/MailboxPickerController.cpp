#include "MailboxPickerController.h"

#include "Foundation/NSIndexPath.h"
#include "Foundation/NSSet.h"
#include "MailboxPickerAccountCell.h"
#include "UIKit/UILabel.h"
#include "UIKit/UITableView.h"
#include "objc/ClassBuilder.h"

Class MailboxPickerController::class_() {
    static Class cls =
        objc::ClassBuilder<MailboxPickerController>("MailboxPickerController", NSObject::class_())
            .method<&MailboxPickerController::numberOfSectionsInTableView>("numberOfSectionsInTableView:")
            .method<&MailboxPickerController::numberOfRowsInSection>("tableView:numberOfRowsInSection:")
            .method<&MailboxPickerController::titleForHeaderInSection>("tableView:titleForHeaderInSection:")
            .method<&MailboxPickerController::cellForRowAtIndexPath>("tableView:cellForRowAtIndexPath:")
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = MailboxPickerController::class_();

MailboxPickerController::MailboxPickerController(std::vector<Ref<MailAccount>> accounts)
    : accounts_(std::move(accounts)) {}

NSInteger MailboxPickerController::numberOfSectionsInTableView(UITableView*) { return 2; }

NSInteger MailboxPickerController::numberOfRowsInSection(UITableView*, NSInteger section) {
    NSInteger accounts = static_cast<NSInteger>(accounts_.size());
    return section == kInboxesSection ? accounts + 1 : accounts;
}

Ref<NSString> MailboxPickerController::titleForHeaderInSection(UITableView*, NSInteger section) {
    return section == kInboxesSection ? "Inboxes"_ns : "Accounts"_ns;
}

Ref<UITableViewCell> MailboxPickerController::cellForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath) {
    NSInteger row = indexPath->row();
    if (indexPath->section() == kInboxesSection) {
        Ref<UITableViewCell> cell = tableView->dequeueReusableCellWithIdentifier("Inbox"_ns);
        if (!cell) cell = UITableViewCell::cellWithStyle(UITableViewCellStyleDefault, "Inbox"_ns);
        cell->textLabel()->setText(row == 0 ? "All Inboxes"_ns : Ref<NSString>(accounts_[row - 1]->displayName()));
        return cell;
    }
    Ref<NSString> identifier = NSString::from(MailboxPickerAccountCell::kReuseIdentifier);
    Ref<UITableViewCell> cell = tableView->dequeueReusableCellWithIdentifier(identifier);
    if (!cell) cell = UITableViewCell::cellWithStyle<MailboxPickerAccountCell>(UITableViewCellStyleDefault, identifier);
    objc::send<void, id>(cell.get(), "setAccounts:", NSSet::setWithObjects({accounts_[row].get()}).get());
    return cell;
}
