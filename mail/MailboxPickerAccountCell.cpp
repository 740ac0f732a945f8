#include "MailboxPickerAccountCell.h"

#include "Foundation/NSArray.h"
#include "Foundation/NSSet.h"
#include "MailAccount.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UILabel.h"
#include "objc/ClassBuilder.h"

Class MailboxPickerAccountCell::class_() {
    static Class cls =
        objc::ClassBuilder<MailboxPickerAccountCell>("MailboxPickerAccountCell", UITableViewCell::class_())
            .method<&MailboxPickerAccountCell::initWithStyle>("initWithStyle:reuseIdentifier:")
            .method<&MailboxPickerAccountCell::setAccounts>("setAccounts:")
            .ivar("_accountTextLabel", [](MailboxPickerAccountCell* c) { return c->accountTextLabel(); })
            .ivar("_accounts", [](MailboxPickerAccountCell* c) { return c->accounts(); })
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = MailboxPickerAccountCell::class_();

MailboxPickerAccountCell::MailboxPickerAccountCell() = default;
MailboxPickerAccountCell::~MailboxPickerAccountCell() = default;

UITableViewCell* MailboxPickerAccountCell::initWithStyle(NSInteger style, NSString* reuseIdentifier) {
    UITableViewCell::initWithStyle(style, reuseIdentifier);
    accountTextLabel_ = UILabel::withFrame(CGRectZero);
    accountTextLabel_->setFont(UIFont::boldSystemFontOfSize(17));
    // Mail's own slate blue, so a recolouring is visible.
    accountTextLabel_->setTextColor(UIColor::colorWithRed(0.22f, 0.33f, 0.53f, 1));
    accountTextLabel_->setBackgroundColor(UIColor::clearColor());
    contentView()->addSubview(accountTextLabel_);
    setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    return this;
}

void MailboxPickerAccountCell::setAccounts(NSSet* accounts) {
    accounts_ = accounts;
    Ref<NSArray> all = accounts ? accounts->allObjects() : nullptr;
    auto* first = all && all->count() ? dynamic_cast<MailAccount*>(all->objectAtIndex(0)) : nullptr;
    accountTextLabel_->setText(first ? first->displayName() : nullptr);
}

void MailboxPickerAccountCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    CGRect content = contentView()->bounds();
    accountTextLabel_->setFrame(CGRectMake(kLabelInset, 0, content.size.width - 2 * kLabelInset, content.size.height));
}
