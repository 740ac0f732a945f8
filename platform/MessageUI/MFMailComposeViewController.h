// The mail composition sheet: a navigation stack whose one screen shows the
// message's recipients, subject and body, with Cancel on the left of its bar
// and Send on the right. Either ends the sheet through the mail delegate's
// mailComposeController:didFinishWithResult:error: (the error is always nil
// here); the delegate dismisses it. Sending keeps the message in the device's
// outbox folder (kOutboxPath), one property list per message with the keys
// "From", "To", "Cc", "Bcc" (arrays of addresses), "Subject", "Body",
// "BodyIsHTML" and "Date", since this device has no network to send it on.
//
// canSendMail answers whether the device has a mail account: an account in
// the system's account settings file ("Accounts") that holds an address.
#pragma once

#include "UIKit/UINavigationController.h"

class NSArray;
class NSDictionary;
class NSString;
class UILabel;

enum MFMailComposeResult : NSInteger {
    MFMailComposeResultCancelled = 0,
    MFMailComposeResultSaved = 1,
    MFMailComposeResultSent = 2,
    MFMailComposeResultFailed = 3,
};

class MFMailComposeViewController : public UINavigationController {
    KORVEL_OBJC_CLASS(MFMailComposeViewController)
public:
    static constexpr const char* kAccountSettingsPath = "/User/Library/Preferences/com.apple.accountsettings.plist";
    static constexpr const char* kOutboxPath = "/var/mobile/Library/Mail/Outbox";

    MFMailComposeViewController();
    ~MFMailComposeViewController() override;

    // Builds the sheet's screen; "init" comes here.
    UIViewController* initWithNibName(NSString* nibName, NSBundle* bundle) override;

    static bool canSendMail();

    // Not retained.
    NSObject* mailComposeDelegate() const { return mailComposeDelegate_; }
    void setMailComposeDelegate(NSObject* delegate) { mailComposeDelegate_ = delegate; }

    // Each list is copied; nil empties it.
    void setToRecipients(NSArray* addresses);
    void setCcRecipients(NSArray* addresses);
    void setBccRecipients(NSArray* addresses);
    void setSubject(NSString* subject);
    void setMessageBody(NSString* body, bool isHTML);

    NSArray* toRecipients() const { return to_; }
    NSArray* ccRecipients() const { return cc_; }
    NSArray* bccRecipients() const { return bcc_; }
    NSString* subject() const { return subject_; }
    NSString* messageBody() const { return body_; }
    bool isHTML() const { return isHTML_; }
    // The address of the device's first mail account; nil when it has none.
    NSString* fromAddress() const { return from_; }

    // The bar buttons' actions.
    void cancel(id sender);
    void send(id sender);

    // The message as Send keeps it.
    Ref<NSDictionary> message() const;

private:
    void finish(MFMailComposeResult result);
    // Puts the message's fields into the screen's labels and lays them out.
    void refresh();

    NSObject* mailComposeDelegate_ = nullptr;
    Ref<NSArray> to_;
    Ref<NSArray> cc_;
    Ref<NSArray> bcc_;
    Ref<NSString> subject_;
    Ref<NSString> body_;
    bool isHTML_ = false;
    Ref<NSString> from_;
    Ref<UIViewController> compose_;
    Ref<UILabel> fromLabel_;
    Ref<UILabel> toLabel_;
    Ref<UILabel> ccLabel_;
    Ref<UILabel> bccLabel_;
    Ref<UILabel> subjectLabel_;
    Ref<UILabel> bodyLabel_;
};
