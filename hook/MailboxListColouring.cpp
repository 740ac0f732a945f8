#include "MailboxListColouring.h"

#include "HookInstaller.h"
#include "LabelPreferences.h"
#include "ObjC.h"

namespace korvelhook {

namespace {

const NSInteger kAccountsSection = 1;

}  // namespace

id MailboxListColouring::mailboxRow(id self, SEL cmd, id tableView, id indexPath) {
    IMP previous = HookInstaller::previous(HookInstaller::kMailboxRow);
    id cell = previous ? call<id, id, id>(previous, self, cmd, tableView, indexPath) : nullptr;
    if (!responds(cell, "setAccounts:")) return cell;

    id accountLabel = ivar(cell, "_accountTextLabel");
    id preferences = LabelPreferences::read();
    id accounts = send<id>(ivar(cell, "_accounts"), "allObjects");
    // An empty account set has no address, hence no colour.
    id account = count(accounts) > 0 ? objectAt(accounts, 0) : nullptr;
    id record = LabelPreferences::valueForAddress(preferences, send<id>(account, "firstEmailAddress"));

    if (send<NSInteger>(indexPath, "section") == kAccountsSection &&
        LabelPreferences::option(preferences, "main_mailbox_color_lbl") == 1 && LabelPreferences::hasRed(record))
        send<void, id>(accountLabel, "setTextColor:", LabelPreferences::colour(record));
    else
        send<void, id>(accountLabel, "setTextColor:", send<id>(classNamed("UIColor"), "blackColor"));
    return cell;
}

}  // namespace korvelhook
