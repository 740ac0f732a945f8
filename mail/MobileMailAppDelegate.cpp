#include "MobileMailAppDelegate.h"

#include "InjectedLibraryLoader.h"
#include "MailPreferences.h"
#include "MailTitleBar.h"
#include "Mailbox.h"
#include "MailboxPickerController.h"
#include "MessageListController.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UITableView.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"

namespace {

MobileMailAppDelegate::List& initialList() {
    static MobileMailAppDelegate::List list = MobileMailAppDelegate::List::Messages;
    return list;
}

Ref<UITableView> makeTable(CGRect frame, UITableViewStyle style, NSObject* source) {
    auto table = UITableView::withStyle(frame, style);
    table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    table->setDataSource(source);
    table->setDelegate(source);
    return table;
}

}  // namespace

Class MobileMailAppDelegate::class_() {
    static Class cls = objc::ClassBuilder<MobileMailAppDelegate>("MobileMailAppDelegate", NSObject::class_())
                           .method<&MobileMailAppDelegate::didFinishLaunching>(
                               "application:didFinishLaunchingWithOptions:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = MobileMailAppDelegate::class_();

void MobileMailAppDelegate::setInitialList(List list) { initialList() = list; }

bool MobileMailAppDelegate::didFinishLaunching(UIApplication*, NSObject*) {
    InjectedLibraryLoader::loadLibrariesFor(MailPreferences::kBundleIdentifier);

    Mailbox mailbox = Mailbox::load(NSString::from(Mailbox::kPath));
    messages_ = make<MessageListController>(mailbox.messages(), MailPreferences::previewLines());
    mailboxes_ = make<MailboxPickerController>(mailbox.accounts());

    CGRect screen = UIScreen::mainScreen()->bounds();
    window_ = UIView::withFrame<UIWindow>(screen);
    titleBar_ = UIView::withFrame<MailTitleBar>(CGRectMake(0, 0, screen.size.width, MailTitleBar::kHeight));
    titleBar_->setOnTap([this] { showList(shown_ == List::Messages ? List::Mailboxes : List::Messages); });
    CGRect listFrame = CGRectMake(0, MailTitleBar::kHeight, screen.size.width, screen.size.height - MailTitleBar::kHeight);
    messageTable_ = makeTable(listFrame, UITableViewStylePlain, messages_);
    mailboxTable_ = makeTable(listFrame, UITableViewStyleGrouped, mailboxes_);
    window_->addSubview(messageTable_);
    window_->addSubview(mailboxTable_);
    window_->addSubview(titleBar_);
    showList(initialList());
    window_->makeKeyAndVisible();
    return true;
}

void MobileMailAppDelegate::showList(List list) {
    shown_ = list;
    messageTable_->setHidden(list != List::Messages);
    mailboxTable_->setHidden(list != List::Mailboxes);
    titleBar_->setTitle(list == List::Messages ? "Inbox"_ns : "Mailboxes"_ns);
}
