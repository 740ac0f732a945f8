// A row of the mailbox list's accounts section: the account's name in Mail's
// own colour, and the set of accounts it stands for.
#pragma once

#include "UIKit/UITableViewCell.h"

class NSSet;
class NSString;
class UILabel;

class MailboxPickerAccountCell : public UITableViewCell {
    KORVEL_OBJC_CLASS(MailboxPickerAccountCell)
public:
    MailboxPickerAccountCell();
    ~MailboxPickerAccountCell() override;

    static constexpr const char* kReuseIdentifier = "MailboxPickerAccountCell";

    UITableViewCell* initWithStyle(NSInteger style, NSString* reuseIdentifier) override;

    // Shows the first account's name.
    void setAccounts(NSSet* accounts);
    NSSet* accounts() const { return accounts_; }
    UILabel* accountTextLabel() const { return accountTextLabel_; }

    void layoutSubviews() override;

private:
    Ref<NSSet> accounts_;
    Ref<UILabel> accountTextLabel_;
};
