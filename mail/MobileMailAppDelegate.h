// The stand-in Mail's start: before it makes any row it loads the libraries
// injected into Mail, then reads the mailbox and shows the message list (or
// the mailbox list) under the title bar.
#pragma once

#include "objc/NSObject.h"

class MailTitleBar;
class MailboxPickerController;
class MessageListController;
class UIApplication;
class UITableView;
class UIWindow;

class MobileMailAppDelegate : public NSObject {
    KORVEL_OBJC_CLASS(MobileMailAppDelegate)
public:
    enum class List { Messages, Mailboxes };

    // The list shown at start (the program's own option).
    static void setInitialList(List list);

    bool didFinishLaunching(UIApplication* application, NSObject* options);

    void showList(List list);
    List shownList() const { return shown_; }
    UITableView* messageTable() const { return messageTable_; }
    UITableView* mailboxTable() const { return mailboxTable_; }

private:
    Ref<UIWindow> window_;
    Ref<MailTitleBar> titleBar_;
    Ref<MessageListController> messages_;
    Ref<MailboxPickerController> mailboxes_;
    Ref<UITableView> messageTable_;
    Ref<UITableView> mailboxTable_;
    List shown_ = List::Messages;
};
