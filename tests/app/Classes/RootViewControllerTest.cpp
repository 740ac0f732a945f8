#include <gtest/gtest.h>

#include "Classes/AlertPrompt.h"
#include "Classes/LabelPreviewCell.h"
#include "ColorPicker/ColorPickerViewController.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSUserDefaults.h"
#include "Quilltray/Controllers/QLTAppSettingsViewController.h"
#include "UIKit/UIButton.h"
#include "UIKit/UINavigationBar.h"
#include "UIKit/UINavigationButton.h"
#include "UIKit/UITextField.h"
#include "UIKit/UIToolbar.h"
#include "app/Classes/KorvelAppFixture.h"

namespace {

using Rows = std::vector<std::string>;

class AccountList : public KorvelApp {
protected:
    static std::string key(const std::string& k) { return "<key>" + k + "</key>"; }
    static std::string text(const std::string& t) { return "<string>" + t + "</string>"; }
    static std::string texts(const std::vector<std::string>& list) {
        std::string all = "<array>";
        for (const std::string& t : list) all += text(t);
        return all + "</array>";
    }
    static std::string aliases(const std::vector<std::string>& list) {
        std::string all = key("Aliases") + "<dict>";
        for (const std::string& t : list) all += key(t) + text(t);
        return all + "</dict>";
    }

    void tapView(UIView* view) {
        CGRect r = view->convertRectToView(view->bounds(), nullptr);
        tap(CGRectGetMidX(r), CGRectGetMidY(r));
        Clock::advance(1);
    }
    // Taps the plus button, types `typed` into the prompt that opens and
    // taps the button titled `button`.
    void addAlias(const std::string& typed, const std::string& button) {
        tapView(delegate()->navigationController()->navigationBar()->leftButton());
        std::vector<UIAlertView*> shown = UIAlertView::visibleAlerts();
        ASSERT_EQ(shown.size(), 1u);
        auto* prompt = objc::cast<AlertPrompt>(shown[0]);
        ASSERT_NE(prompt, nullptr);
        EXPECT_EQ(prompt->title()->str(), "Enter Email");
        EXPECT_EQ(prompt->message()->str(), "\n");
        ASSERT_EQ(UIResponder::firstResponder(), prompt->textField());
        objc::send<void, id>(UIResponder::firstResponder(), "insertText:", NSString::from(typed).get());
        for (NSInteger i = 0; i < prompt->numberOfButtons(); ++i)
            if (prompt->buttonTitleAtIndex(i)->str() == button) return tapView(prompt->buttonAtIndex(i));
        FAIL() << "no button " << button;
    }
    Ref<NSDictionary> savedAliases() const {
        Ref<NSObject> entry = savedValue("Aliases");
        return objc::cast<NSDictionary>(entry.get());
    }
};

}  // namespace

TEST_F(AccountList, AccountsFoundInDifferentCaseGiveOneLowerCaseRow) {
    accounts("<array>" + account(key("Username") + text("Home@Example.COM")) +
             account(key("Username") + text("home@example.com")) +
             account(key("Username") + text("work@example.com")) + "</array>");
    launch();
    EXPECT_EQ(rows(0), (Rows{"home@example.com", "work@example.com"}));
    EXPECT_EQ(rows(1), Rows{});
}

TEST_F(AccountList, EachAccountGivesItsAddressesByTheFirstRuleThatApplies) {
    accounts("<array>" +
             // A username with "@" wins over everything else.
             account(key("Username") + text("User@One.org") + key("EmailAddresses") + texts({"other@one.org"}) +
                     key("Display") + text("third@one.org")) +
             // Else the first of the addresses, when it has "@".
             account(key("Username") + text("bob") + key("EmailAddresses") +
                     texts({"Mixed@Two.ORG", "second@two.org"}) + key("Display") + text("more@two.org")) +
             // Else every text with "@", in the account's key order.
             account(key("Username") + text("carol") + key("EmailAddresses") + texts({"no at sign"}) +
                     key("Host") + text("imap@three.org") + key("Port") + "<integer>993</integer>" +
                     key("Reply") + text("Reply@Three.org")) +
             // Nothing usable: no row.
             account(key("Username") + text("dave") + key("EmailAddresses") + "<array/>" + key("Host") +
                     text("mail.four.org")) +
             "</array>");
    launch();
    EXPECT_EQ(rows(0), (Rows{"user@one.org", "mixed@two.org", "imap@three.org", "reply@three.org"}));
}

TEST_F(AccountList, AddressesAreLowerCasedBeyondASCII) {
    accounts("<array>" + account(key("Username") + text("ÉLODIE@Exemple.FR")) + "</array>");
    launch();
    EXPECT_EQ(rows(0), Rows{"élodie@exemple.fr"});
}

TEST_F(AccountList, NoAccountSettingsFileGivesNoAccountRows) {
    launch();
    EXPECT_EQ(rows(0), Rows{});
    EXPECT_EQ(table()->numberOfSections(), 2);
}

TEST_F(AccountList, AccountsThatAreNoArrayGiveNoRows) {
    accounts("<dict>" + key("Username") + text("a@b.org") + "</dict>");
    launch();
    EXPECT_EQ(rows(0), Rows{});
}

TEST_F(AccountList, EntriesAndValuesOfTheWrongTypeArePassedOver) {
    accounts("<array>" + text("loose@string.org") + "<integer>7</integer>" + texts({"in@array.org"}) +
             account(key("Username") + "<integer>42</integer>" + key("EmailAddresses") +
                     "<array><integer>1</integer></array>" + key("Other") + text("kept@five.org")) +
             account(key("EmailAddresses") + text("single@six.org")) +
             account(key("EmailAddresses") + "<array><dict/></array>" + key("Name") + "<true/>") + "</array>");
    launch();
    // Non-dictionary entries and values of the wrong type are passed over;
    // a text "EmailAddresses" is one more text with "@".
    EXPECT_EQ(rows(0), (Rows{"kept@five.org", "single@six.org"}));
}

TEST_F(AccountList, QuickColourNumbersAreDroppedForAccountsButKeptForAliases) {
    accounts("<array>" + account(key("Username") + text("one@example.org")) +
             account(key("Username") + text("two@example.org")) +
             account(key("Username") + text("three@example.org")) + "</array>");
    preferences(key("one@example.org") + "<integer>4</integer>" + key("two@example.org") + text("5") +
                key("three@example.org") + colourRecord(0, 0, 1) + key("alias@example.org") + "<integer>3</integer>" +
                aliases({"alias@example.org"}));
    launch();
    EXPECT_EQ(savedValue("one@example.org"), nullptr);
    EXPECT_EQ(savedValue("two@example.org"), nullptr);
    EXPECT_NE(objc::cast<NSDictionary>(savedValue("three@example.org").get()), nullptr);
    Ref<NSObject> alias = savedValue("alias@example.org");
    auto* kept = objc::cast<NSNumber>(alias.get());
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->intValue(), 3);
    EXPECT_EQ(rows(1), Rows{"alias@example.org"});
    EXPECT_EQ(tint(0, 0), white());
    EXPECT_EQ(tint(0, 2), (std::vector<float>{0, 0, 1, 1}));
    EXPECT_EQ(tint(1, 0), white());
}

TEST_F(AccountList, OnlyARecordWhoseRedHasAFloatValueTintsTheRow) {
    accounts("<array>" + account(key("Username") + text("a@x.org")) + account(key("Username") + text("b@x.org")) +
             account(key("Username") + text("c@x.org")) + account(key("Username") + text("d@x.org")) + "</array>");
    preferences(key("a@x.org") + "<dict>" + key("red") + text("0.5") + key("blue") + "<real>1</real></dict>" +
                key("b@x.org") + "<dict>" + key("green") + "<real>1</real>" + key("alpha") + "<real>1</real></dict>" +
                key("c@x.org") + "<dict>" + key("red") + "<array/>" + key("alpha") + "<real>1</real></dict>" +
                key("d@x.org") + "<array/>");
    launch();
    // A text "red" has a float value; missing components count as 0.
    EXPECT_EQ(tint(0, 0), (std::vector<float>{0.5f, 0, 1, 0}));
    EXPECT_EQ(tint(0, 1), white());
    EXPECT_EQ(tint(0, 2), white());
    EXPECT_EQ(tint(0, 3), white());
}

TEST_F(AccountList, AliasesOfTheWrongTypeAreReplacedByAnEmptyDictionary) {
    accounts("<array>" + account(key("Username") + text("a@x.org")) + "</array>");
    preferences(key("Aliases") + texts({"lost@x.org"}));
    launch();
    EXPECT_EQ(rows(1), Rows{});
    Ref<NSObject> entry = savedValue("Aliases");
    auto* stored = objc::cast<NSDictionary>(entry.get());
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->count(), 0u);
}

TEST_F(AccountList, MissingAliasesAreCreatedEmpty) {
    launch();
    Ref<NSObject> entry = savedValue("Aliases");
    auto* stored = objc::cast<NSDictionary>(entry.get());
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->count(), 0u);
}

TEST_F(AccountList, RowsReuseCellsNamedAfterTheirAddress) {
    accounts("<array>" + account(key("Username") + text("a@x.org")) + "</array>");
    preferences(aliases({"b@x.org"}));
    launch();
    EXPECT_EQ(table()->numberOfSections(), 2);
    UITableViewCell* first = cell(0, 0);
    ASSERT_NE(objc::cast<ExampleCell>(first), nullptr);
    EXPECT_EQ(first->reuseIdentifier()->str(), "a@x.org");
    EXPECT_EQ(cell(1, 0)->reuseIdentifier()->str(), "b@x.org");
    EXPECT_EQ(root()->titleForHeaderInSection(table(), 0)->str(), "Mail Accounts");
    EXPECT_EQ(root()->titleForHeaderInSection(table(), 1)->str(), "Aliases");
}

TEST_F(AccountList, DeletingAnAccountClearsOnlyItsColour) {
    accounts("<array>" + account(key("Username") + text("a@x.org")) + "</array>");
    preferences(key("a@x.org") + colourRecord(1, 0, 0));
    launch();
    EXPECT_EQ(tint(0, 0), (std::vector<float>{1, 0, 0, 1}));
    // An account added since launch shows once the delete has loaded the
    // lists afresh.
    accounts("<array>" + account(key("Username") + text("a@x.org")) + account(key("Username") + text("new@x.org")) +
             "</array>");
    swipeToDelete(0, 0);
    EXPECT_EQ(table()->indexPathForDeleteConfirmation(), nullptr);
    EXPECT_EQ(savedValue("a@x.org"), nullptr);
    EXPECT_EQ(rows(0), (Rows{"a@x.org", "new@x.org"}));
    EXPECT_EQ(tint(0, 0), white());
}

TEST_F(AccountList, AColouredAliasTakesTwoDeletes) {
    accounts("<array>" + account(key("Username") + text("a@x.org")) + "</array>");
    preferences(key("b@x.org") + colourRecord(0, 1, 0) + aliases({"b@x.org", "c@x.org"}));
    launch();
    ASSERT_EQ(rows(1), (Rows{"b@x.org", "c@x.org"}));
    swipeToDelete(1, 0);
    EXPECT_EQ(savedValue("b@x.org"), nullptr);
    EXPECT_EQ(rows(1), (Rows{"b@x.org", "c@x.org"}));
    EXPECT_EQ(tint(1, 0), white());

    swipeToDelete(1, 0);
    EXPECT_EQ(rows(1), Rows{"c@x.org"});
    Ref<NSObject> entry = savedValue("Aliases");
    auto* stored = objc::cast<NSDictionary>(entry.get());
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->count(), 1u);
    EXPECT_NE(stored->objectForKey("c@x.org"_ns), nullptr);
    EXPECT_EQ(rows(0), Rows{"a@x.org"});
}

TEST_F(AccountList, OnlyTheDeleteStyleOfAListedRowActs) {
    accounts("<array>" + account(key("Username") + text("a@x.org")) + "</array>");
    preferences(key("a@x.org") + colourRecord(1, 0, 0) + aliases({"b@x.org"}));
    launch();
    root()->commitEditingStyle(table(), UITableViewCellEditingStyleInsert, NSIndexPath::indexPathForRow(0, 0));
    root()->commitEditingStyle(table(), UITableViewCellEditingStyleDelete, NSIndexPath::indexPathForRow(5, 1));
    EXPECT_NE(savedValue("a@x.org"), nullptr);
    EXPECT_EQ(rows(1), Rows{"b@x.org"});
}

TEST_F(AccountList, ASaveInThePickerTintsTheRowAtOnce) {
    accounts("<array>" + account(key("Username") + text("a@x.org")) + account(key("Username") + text("b@x.org")) +
             "</array>");
    launch();
    tapRow(0, 1);
    ColorPickerViewController* picker = root()->viewController();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(delegate()->navigationController()->modalViewController(), picker);
    EXPECT_EQ(picker->email()->str(), "b@x.org");
    EXPECT_EQ(picker->anIndex()->row(), 1);
    // The top left corner of the colour map is full red; at the picker's
    // starting brightness of 0.5 that is (0.5, 0, 0).
    tap(11, 170);
    tap(240, 145);  // Save
    Clock::advance(1);
    EXPECT_EQ(delegate()->navigationController()->modalViewController(), nullptr);
    // The hint's toolbar is still shown under the list.
    EXPECT_FALSE(delegate()->navigationController()->isToolbarHidden());
    EXPECT_FALSE(delegate()->navigationController()->toolbar()->isHidden());
    // No selection is left to cover the tint with its gradient.
    EXPECT_EQ(table()->indexPathForSelectedRow(), nullptr);
    EXPECT_FALSE(cell(0, 1)->isSelected());
    std::vector<float> shown = tint(0, 1);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_NEAR(shown[0], 0.5, 0.01);
    EXPECT_NEAR(shown[1], 0, 0.01);
    EXPECT_NEAR(shown[2], 0, 0.01);
    EXPECT_EQ(shown[3], 1);
    Ref<NSObject> entry = savedValue("b@x.org");
    auto* record = objc::cast<NSDictionary>(entry.get());
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(shown[0], objc::cast<NSNumber>(record->objectForKey("red"_ns))->floatValue());
    EXPECT_EQ(tint(0, 0), white());
}

TEST_F(AccountList, AnAliasTypedInMixedCaseIsAddedInLowerCase) {
    accounts("<array>" + account(key("Username") + text("a@x.org")) + "</array>");
    launch();
    addAlias("New.One@Example.COM", "Enter");
    EXPECT_TRUE(UIAlertView::visibleAlerts().empty());
    EXPECT_EQ(rows(1), Rows{"new.one@example.com"});
    Ref<NSDictionary> stored = savedAliases();
    ASSERT_NE(stored, nullptr);
    auto* value = objc::cast<NSString>(stored->objectForKey("new.one@example.com"_ns));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->str(), "new.one@example.com");
    EXPECT_EQ(tint(1, 0), white());
}

TEST_F(AccountList, TextWithoutAtOrAlreadyAKeyAddsNoAlias) {
    accounts("<array>" + account(key("Username") + text("a@x.org")) + "</array>");
    preferences(key("a@x.org") + colourRecord(1, 0, 0) + aliases({"b@x.org"}));
    launch();
    // Text without "@" adds nothing, yet the lists are loaded afresh.
    accounts("<array>" + account(key("Username") + text("a@x.org")) + account(key("Username") + text("new@x.org")) +
             "</array>");
    addAlias("no-at-sign", "Enter");
    EXPECT_EQ(rows(0), (Rows{"a@x.org", "new@x.org"}));
    addAlias("a@x.org", "Enter");
    EXPECT_EQ(rows(1), Rows{"b@x.org"});
    EXPECT_EQ(savedAliases()->count(), 1u);
    // Looked up as typed: another case is no key yet, so it is added.
    addAlias("A@X.org", "Enter");
    EXPECT_EQ(rows(1), (Rows{"b@x.org", "a@x.org"}));
}

TEST_F(AccountList, CancelAddsNothingButStillReloadsTheTable) {
    accounts("<array>" + account(key("Username") + text("a@x.org")) + "</array>");
    launch();
    ASSERT_EQ(tint(0, 0), white());
    // A colour stored behind the list's back shows only after a reload.
    auto record = NSMutableDictionary::dictionary();
    record->setObject(NSNumber::numberWithFloat(0), "red"_ns);
    record->setObject(NSNumber::numberWithFloat(1), "blue"_ns);
    record->setObject(NSNumber::numberWithFloat(1), "alpha"_ns);
    NSUserDefaults::standardUserDefaults()->setObject(record, "a@x.org"_ns);
    ASSERT_EQ(tint(0, 0), white());
    addAlias("c@x.org", "Cancel");
    EXPECT_TRUE(UIAlertView::visibleAlerts().empty());
    EXPECT_EQ(rows(1), Rows{});
    EXPECT_EQ(savedAliases()->count(), 0u);
    EXPECT_EQ(tint(0, 0), (std::vector<float>{0, 0, 1, 1}));
}

TEST_F(AccountList, TheGearOpensOneSettingsScreenWithDoneAndItsPreviewFollowsTheStyle) {
    accounts("<array>" + account(key("Username") + text("a@x.org")) + account(key("Username") + text("b@x.org")) +
             "</array>");
    preferences(key("b@x.org") + colourRecord(0, 0.5f, 1));
    launch();
    UINavigationController* stack = delegate()->navigationController();
    QLTAppSettingsViewController* first = nullptr;
    for (int showing = 0; showing < 2; ++showing) {
        tapView(stack->navigationBar()->rightButton());
        auto* modal = objc::cast<UINavigationController>(stack->modalViewController());
        ASSERT_NE(modal, nullptr);
        auto* screen = objc::cast<QLTAppSettingsViewController>(modal->topViewController());
        ASSERT_NE(screen, nullptr);
        if (!first) first = screen;
        EXPECT_EQ(screen, first);
        EXPECT_EQ(screen->delegate(), root());
        UIView* done = modal->navigationBar()->rightButton();
        ASSERT_NE(done, nullptr);
        // The preview row shows the first coloured address in the stored style.
        auto* preview = objc::cast<LabelPreviewCell>(
            screen->tableView()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0)));
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->labelStyle(), showing ? 6 : 0);
        // The style announced by the chooser reaches the preview at once.
        QLTAppSettingsViewController::postSettingChanged("mail_label_style"_ns, NSNumber::numberWithInt(6));
        EXPECT_EQ(preview->labelStyle(), 6);
        NSUserDefaults::standardUserDefaults()->setInteger(6, "mail_label_style"_ns);
        tapView(done);
        EXPECT_EQ(stack->modalViewController(), nullptr);
    }
}
