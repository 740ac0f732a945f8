// Account names in the mailbox list, driven through Mail's own controller with
// the hook loaded.
#include "MailWithHook.h"

#include "Foundation/NSIndexPath.h"
#include "Foundation/NSSet.h"
#include "MailboxPickerAccountCell.h"
#include "MailboxPickerController.h"
#include "UIKit/UILabel.h"
#include "UIKit/UITableView.h"
#include "objc/ClassBuilder.h"

namespace {

// Mail's controller with odd account rows: account rows in the inboxes
// section too, or account rows whose account set is empty.
class OddRowsController : public MailboxPickerController {
    KORVEL_OBJC_CLASS(OddRowsController)
public:
    enum class Mode { AccountsInEverySection, EmptyAccountSets };
    OddRowsController(std::vector<Ref<MailAccount>> accounts, Mode mode)
        : MailboxPickerController(std::move(accounts)), mode_(mode) {}
    Ref<UITableViewCell> cellForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath) override {
        if (mode_ == Mode::AccountsInEverySection)
            return MailboxPickerController::cellForRowAtIndexPath(
                table, NSIndexPath::indexPathForRow(indexPath->row(), kAccountsSection));
        Ref<UITableViewCell> cell = MailboxPickerController::cellForRowAtIndexPath(table, indexPath);
        static_cast<MailboxPickerAccountCell*>(cell.get())->setAccounts(NSSet::set());
        return cell;
    }

private:
    Mode mode_;
};

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
