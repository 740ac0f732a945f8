// Account names in the mailbox list, driven through Mail's own controller with
// the hook loaded.
#include "MailWithHook.h"

#include "Foundation/NSIndexPath.h"
#include "Foundation/NSObjectAdditions.h"
#include "Foundation/NSSet.h"
#include "MailboxPickerAccountCell.h"
#include "MailboxPickerController.h"
#include "objc/ClassBuilder.h"
#include "UIKit/UILabel.h"
#include "UIKit/UITableView.h"

namespace {

// Mail's controller with odd account rows: account rows in the inboxes
// section too, or account rows whose account set is empty.
class OddRowsController : public MailboxPickerController {
    KORVEL_OBJC_CLASS(OddRowsController)
public:
    enum class Mode { AccountsInEverySection, EmptyAccountSets, AccountLikeRows };
    OddRowsController(std::vector<Ref<MailAccount>> accounts, Mode mode)
        : MailboxPickerController(accounts), accounts_(std::move(accounts)), mode_(mode) {}
    Ref<UITableViewCell> cellForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath) override {
        if (mode_ == Mode::AccountsInEverySection)
            return MailboxPickerController::cellForRowAtIndexPath(
                table, NSIndexPath::indexPathForRow(indexPath->row(), kAccountsSection));
        if (mode_ == Mode::AccountLikeRows) return accountLikeRow(indexPath);
        Ref<UITableViewCell> cell = MailboxPickerController::cellForRowAtIndexPath(table, indexPath);
        static_cast<MailboxPickerAccountCell*>(cell.get())->setAccounts(NSSet::set());
        return cell;
    }

private:
    Ref<UITableViewCell> accountLikeRow(NSIndexPath* indexPath);

    std::vector<Ref<MailAccount>> accounts_;
    Mode mode_;
};

// A row with an account label and an account set, as an account row has,
// that does not answer setAccounts:. Mail drew its name in green.
class AccountLikeCell : public UITableViewCell {
    KORVEL_OBJC_CLASS(AccountLikeCell)
public:
    AccountLikeCell() {
        label_ = UILabel::withFrame(CGRectZero);
        label_->setTextColor(UIColor::colorWithRed(0, 1, 0, 1));
    }
    Ref<UILabel> label_;
    Ref<NSSet> accounts_;
};

Class AccountLikeCell::class_() {
    static Class cls = objc::ClassBuilder<AccountLikeCell>("AccountLikeCell", UITableViewCell::class_())
                           .ivar("_accountTextLabel", [](AccountLikeCell* c) { return c->label_.get(); })
                           .ivar("_accounts", [](AccountLikeCell* c) { return c->accounts_.get(); })
                           .build();
    return cls;
}

Ref<UITableViewCell> OddRowsController::accountLikeRow(NSIndexPath* indexPath) {
    auto cell = make<AccountLikeCell>();
    cell->accounts_ = NSSet::setWithObjects({accounts_.at(static_cast<std::size_t>(indexPath->row())).get()});
    return cell;
}

Class OddRowsController::class_() {
    static Class cls =
        objc::ClassBuilder<OddRowsController>("OddRowsController", MailboxPickerController::class_()).build();
    return cls;
}

class MailboxList : public MailWithHook {
protected:
    void SetUp() override {
        MailWithHook::SetUp();
        accounts = {make<MailAccount>("Home@Example.com"_ns, "Home"_ns),
                    make<MailAccount>("work@example.com"_ns, "Work"_ns)};
        controller = make<MailboxPickerController>(accounts);
        table = UITableView::withStyle(CGRectMake(0, 0, 320, 480), UITableViewStyleGrouped);
    }

    UITableViewCell* row(MailboxPickerController* source, NSInteger section, NSInteger index) {
        return objc::cast<UITableViewCell>(objc::send<id, id, id>(source, "tableView:cellForRowAtIndexPath:", table.get(),
                                                                  NSIndexPath::indexPathForRow(index, section).get()));
    }
    UIColor* nameColour(UITableViewCell* cell) {
        return static_cast<MailboxPickerAccountCell*>(cell)->accountTextLabel()->textColor();
    }

    std::vector<Ref<MailAccount>> accounts;
    Ref<MailboxPickerController> controller;
    Ref<UITableView> table;
};

}  // namespace

TEST_F(MailboxList, OptionOnColoursAccountNamesInTheAccountsSection) {
    writePreferences(preferences({{"main_mailbox_color_lbl", NSNumber::numberWithInt(1)},
                                  {"home@example.com", record(0.1f, 0.2f, 0.3f, 0.5f)}}));
    expectColour(nameColour(row(controller, 1, 0)), 0.1f, 0.2f, 0.3f, 0.5f);
    expectColour(nameColour(row(controller, 1, 1)), 0, 0, 0, 1);
}

TEST_F(MailboxList, AccountRowsOutsideSectionOneAreBlack) {
    writePreferences(preferences({{"main_mailbox_color_lbl", NSNumber::numberWithInt(1)},
                                  {"home@example.com", record(0.1f, 0.2f, 0.3f)}}));
    auto everywhere = make<OddRowsController>(accounts, OddRowsController::Mode::AccountsInEverySection);
    expectColour(nameColour(row(everywhere, 0, 0)), 0, 0, 0, 1);
    expectColour(nameColour(row(everywhere, 1, 0)), 0.1f, 0.2f, 0.3f, 1);
}

TEST_F(MailboxList, OptionOffOrNoColourGivesBlackOverMailsOwnColour) {
    for (int variant = 0; variant < 3; ++variant) {
        SCOPED_TRACE(variant);
        if (variant == 0) writePreferences(preferences({{"home@example.com", record(0.1f, 0.2f, 0.3f)}}));
        if (variant == 1) removePreferences();
        if (variant == 2)
            writePreferences(preferences({{"main_mailbox_color_lbl", NSNumber::numberWithInt(1)},
                                          {"home@example.com", NSNumber::numberWithInt(2)}}));
        expectColour(nameColour(row(controller, 1, 0)), 0, 0, 0, 1);
    }
}

TEST_F(MailboxList, EmptyAccountSetIsBlack) {
    writePreferences(preferences({{"main_mailbox_color_lbl", NSNumber::numberWithInt(1)},
                                  {"home@example.com", record(0.1f, 0.2f, 0.3f)}}));
    auto empty = make<OddRowsController>(accounts, OddRowsController::Mode::EmptyAccountSets);
    expectColour(nameColour(row(empty, 1, 0)), 0, 0, 0, 1);
}

TEST_F(MailboxList, OtherRowsAreLeftAsMailMadeThem) {
    writePreferences(preferences({{"main_mailbox_color_lbl", NSNumber::numberWithInt(1)},
                                  {"home@example.com", record(0.1f, 0.2f, 0.3f)}}));
    UITableViewCell* inbox = row(controller, 0, 1);
    ASSERT_NE(inbox, nullptr);
    EXPECT_FALSE(inbox->respondsToSelector(sel_registerName("setAccounts:")));
    expectColour(inbox->textLabel()->textColor(), 0, 0, 0, 1);
    EXPECT_EQ(inbox->textLabel()->text()->str(), "Home");
}

TEST_F(MailboxList, RowsThatDoNotAnswerSetAccountsAreNotTouchedWhateverTheyHold) {
    writePreferences(preferences({{"main_mailbox_color_lbl", NSNumber::numberWithInt(1)},
                                  {"home@example.com", record(0.1f, 0.2f, 0.3f)}}));
    auto accountLike = make<OddRowsController>(accounts, OddRowsController::Mode::AccountLikeRows);
    for (NSInteger index : {0, 1}) {
        auto* cell = static_cast<AccountLikeCell*>(row(accountLike, 1, index));
        ASSERT_NE(cell, nullptr);
        expectColour(cell->label_->textColor(), 0, 1, 0, 1);
    }
}

TEST_F(MailboxList, OnlyExactlyOneTurnsEitherOptionOn) {
    // Two, or any value whose integer reading is not 1, leaves both off.
    const Ref<NSObject> notOne[] = {NSNumber::numberWithInt(2), "2"_ns, NSNumber::numberWithInt(-1)};
    for (const Ref<NSObject>& value : notOne) {
        SCOPED_TRACE(NSObjectAdditions::description(value)->str());
        auto prefs = preferences({{"home@example.com", record(1, 0, 0)}, {"bob@example.net", record(0, 1, 0)}});
        prefs->setObject(value, "main_mailbox_color_lbl"_ns);
        prefs->setObject(value, "main_mailbox_color_aliases"_ns);
        writePreferences(prefs);
        expectColour(nameColour(row(controller, 1, 0)), 0, 0, 0, 1);
        auto cell = makeCell();
        assign(cell, message("home@example.com", {"bob@example.net"}));
        expectColour(label(cell)->backgroundColor(), 1, 0, 0, 1);
    }
}
