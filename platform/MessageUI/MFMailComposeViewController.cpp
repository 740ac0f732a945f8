#include "MessageUI/MFMailComposeViewController.h"

#include <algorithm>
#include <ctime>
#include <string>

#include "Foundation/NSArray.h"
#include "Foundation/NSDate.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSFileManager.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSMutableArray.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINavigationBar.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UIScreen.h"
#include "UIKit/ViewControllerDump.h"
#include "objc/ClassBuilder.h"

Class MFMailComposeViewController::class_() {
    using M = MFMailComposeViewController;
    static Class cls = objc::ClassBuilder<M>("MFMailComposeViewController", UINavigationController::class_())
                           .classMethod<&M::canSendMail>("canSendMail")
                           .method<&M::mailComposeDelegate>("mailComposeDelegate")
                           .method<&M::setMailComposeDelegate>("setMailComposeDelegate:")
                           .method<&M::setToRecipients>("setToRecipients:")
                           .method<&M::setCcRecipients>("setCcRecipients:")
                           .method<&M::setBccRecipients>("setBccRecipients:")
                           .method<&M::setSubject>("setSubject:")
                           .method<&M::setMessageBody>("setMessageBody:isHTML:")
                           .method<&M::cancel>("_cancel:")
                           .method<&M::send>("_send:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = MFMailComposeViewController::class_();

namespace {

const CGFloat kRowHeight = 36;
const CGFloat kInset = 8;

bool isAddress(NSObject* value) {
    auto* text = objc::cast<NSString>(value);
    return text && text->str().find('@') != std::string::npos;
}

// The first address among an account's entries: its own texts, then those in
// its "EmailAddresses".
NSString* addressOfAccount(NSDictionary* account) {
    Ref<NSArray> values = account->allValues();
    for (NSUInteger i = 0; i < values->count(); ++i)
        if (isAddress(values->objectAtIndex(i))) return objc::cast<NSString>(values->objectAtIndex(i));
    if (auto* list = objc::cast<NSArray>(account->objectForKey(NSString::from("EmailAddresses"))))
        for (NSUInteger i = 0; i < list->count(); ++i)
            if (isAddress(list->objectAtIndex(i))) return objc::cast<NSString>(list->objectAtIndex(i));
    return nullptr;
}

Ref<NSString> firstAccountAddress() {
    Ref<NSDictionary> settings =
        NSDictionary::dictionaryWithContentsOfFile(NSString::from(MFMailComposeViewController::kAccountSettingsPath));
    auto* accounts = objc::cast<NSArray>(settings ? settings->objectForKey(NSString::from("Accounts")) : nullptr);
    for (NSUInteger i = 0; accounts && i < accounts->count(); ++i)
        if (auto* account = objc::cast<NSDictionary>(accounts->objectAtIndex(i)))
            if (NSString* address = addressOfAccount(account)) return address;
    return nullptr;
}

// Only texts count as addresses; anything else in a list is left out.
Ref<NSArray> addressesOf(NSArray* list) {
    auto kept = NSMutableArray::array();
    for (NSUInteger i = 0; list && i < list->count(); ++i)
        if (objc::cast<NSString>(list->objectAtIndex(i))) kept->addObject(list->objectAtIndex(i));
    return NSArray::arrayWithArray(kept);
}

std::string joined(NSArray* list) {
    std::string text;
    for (NSUInteger i = 0; list && i < list->count(); ++i)
        text += (i ? ", " : "") + objc::cast<NSString>(list->objectAtIndex(i))->str();
    return text;
}

Ref<UILabel> newLabel(UIView* parent, CGFloat size, UIColor* colour) {
    Ref<UILabel> label = UILabel::withFrame(CGRectZero);
    label->setFont(UIFont::systemFontOfSize(size));
    label->setTextColor(colour);
    label->setBackgroundColor(nullptr);
    parent->addSubview(label);
    return label;
}

nlohmann::json listOf(NSArray* list) {
    nlohmann::json out = nlohmann::json::array();
    for (NSUInteger i = 0; list && i < list->count(); ++i) out.push_back(objc::cast<NSString>(list->objectAtIndex(i))->str());
    return out;
}

[[maybe_unused]] const bool kDumped = (ViewControllerDump::addDetails(
    MFMailComposeViewController::class_(), [](UIViewController* controller, nlohmann::json& entry) {
        auto* sheet = objc::cast<MFMailComposeViewController>(controller);
        entry["toRecipients"] = listOf(sheet->toRecipients());
        entry["ccRecipients"] = listOf(sheet->ccRecipients());
        entry["bccRecipients"] = listOf(sheet->bccRecipients());
        entry["subject"] = sheet->subject() ? nlohmann::json(sheet->subject()->str()) : nlohmann::json(nullptr);
        entry["body"] = sheet->messageBody() ? nlohmann::json(sheet->messageBody()->str()) : nlohmann::json(nullptr);
        entry["isHTML"] = sheet->isHTML();
    }), true);

}  // namespace

MFMailComposeViewController::MFMailComposeViewController() = default;

MFMailComposeViewController::~MFMailComposeViewController() = default;

UIViewController* MFMailComposeViewController::initWithNibName(NSString*, NSBundle*) {
    UINavigationController::initWithNibName(nullptr, nullptr);
    if (compose_) return this;
    to_ = NSArray::array();
    cc_ = NSArray::array();
    bcc_ = NSArray::array();
    from_ = firstAccountAddress();

    compose_ = make<UIViewController>();
    compose_->init();
    const CGRect screen = UIScreen::mainScreen()->bounds();
    Ref<UIView> page = UIView::withFrame(CGRectMake(0, 0, screen.size.width, screen.size.height - UINavigationBar::kHeight));
    page->setBackgroundColor(UIColor::whiteColor());
    page->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    Ref<UIColor> grey = UIColor::colorWithWhite(0.45f, 1);
    fromLabel_ = newLabel(page, 15, grey);
    toLabel_ = newLabel(page, 15, UIColor::blackColor());
    ccLabel_ = newLabel(page, 15, UIColor::blackColor());
    bccLabel_ = newLabel(page, 15, UIColor::blackColor());
    subjectLabel_ = newLabel(page, 15, UIColor::blackColor());
    bodyLabel_ = newLabel(page, 15, UIColor::blackColor());
    bodyLabel_->setNumberOfLines(0);
    bodyLabel_->setLineBreakMode(UILineBreakModeWordWrap);
    compose_->setView(page);

    UINavigationItem* item = compose_->navigationItem();
    item->setLeftBarButtonItem(
        make<UIBarButtonItem>()->initWithBarButtonSystemItem(UIBarButtonSystemItemCancel, this, sel_registerName("_cancel:")));
    item->setRightBarButtonItem(make<UIBarButtonItem>()->initWithTitle(
        NSString::from("Send"), UIBarButtonItemStyleDone, this, sel_registerName("_send:")));
    pushViewController(compose_, false);
    refresh();
    return this;
}

bool MFMailComposeViewController::canSendMail() { return firstAccountAddress() != nullptr; }

void MFMailComposeViewController::setToRecipients(NSArray* addresses) {
    to_ = addressesOf(addresses);
    refresh();
}

void MFMailComposeViewController::setCcRecipients(NSArray* addresses) {
    cc_ = addressesOf(addresses);
    refresh();
}

void MFMailComposeViewController::setBccRecipients(NSArray* addresses) {
    bcc_ = addressesOf(addresses);
    refresh();
}

void MFMailComposeViewController::setSubject(NSString* subject) {
    subject_ = subject ? NSString::stringWithString(subject) : nullptr;
    refresh();
}

void MFMailComposeViewController::setMessageBody(NSString* body, bool isHTML) {
    body_ = body ? NSString::stringWithString(body) : nullptr;
    isHTML_ = isHTML;
    refresh();
}

void MFMailComposeViewController::refresh() {
    if (!compose_) return;
    compose_->setTitle(subject_ && !subject_->str().empty() ? subject_.get() : NSString::from("New Message").get());
    const CGFloat width = compose_->view()->bounds().size.width - 2 * kInset;
    CGFloat y = 0;
    const auto row = [&](UILabel* label, const std::string& text, bool shown) {
        label->setHidden(!shown);
        if (!shown) return;
        label->setText(NSString::from(text));
        label->setFrame(CGRectMake(kInset, y, width, kRowHeight));
        y += kRowHeight;
    };
    row(fromLabel_, "From: " + (from_ ? from_->str() : std::string()), from_ != nullptr);
    row(toLabel_, "To: " + joined(to_), true);
    row(ccLabel_, "Cc: " + joined(cc_), cc_->count() > 0);
    row(bccLabel_, "Bcc: " + joined(bcc_), bcc_->count() > 0);
    row(subjectLabel_, "Subject: " + (subject_ ? subject_->str() : std::string()), true);
    bodyLabel_->setText(body_);
    const CGFloat room = compose_->view()->bounds().size.height - y - kInset;
    const CGSize fits = bodyLabel_->sizeThatFits(CGSizeMake(width, room));
    bodyLabel_->setFrame(CGRectMake(kInset, y + kInset, width, std::min(fits.height, room)));
}

Ref<NSDictionary> MFMailComposeViewController::message() const {
    auto message = NSMutableDictionary::dictionary();
    if (from_) message->setObject(from_, NSString::from("From"));
    message->setObject(to_, NSString::from("To"));
    message->setObject(cc_, NSString::from("Cc"));
    message->setObject(bcc_, NSString::from("Bcc"));
    message->setObject(subject_ ? subject_.get() : NSString::from("").get(), NSString::from("Subject"));
    message->setObject(body_ ? body_.get() : NSString::from("").get(), NSString::from("Body"));
    message->setObject(NSNumber::numberWithBool(isHTML_), NSString::from("BodyIsHTML"));
    message->setObject(NSDate::dateWithTimeIntervalSince1970(static_cast<NSTimeInterval>(std::time(nullptr))), NSString::from("Date"));
    return message;
}

void MFMailComposeViewController::cancel(id) { finish(MFMailComposeResultCancelled); }

void MFMailComposeViewController::send(id) {
    NSFileManager* files = NSFileManager::defaultManager();
    const std::string outbox = kOutboxPath;
    bool kept = files->createDirectoryAtPath(NSString::from(outbox), true);
    if (kept) {
        // The first free number, so that no message is written over.
        int number = 1;
        while (files->fileExistsAtPath(NSString::from(outbox + "/Message-" + std::to_string(number) + ".plist"))) ++number;
        kept = message()->writeToFile(NSString::from(outbox + "/Message-" + std::to_string(number) + ".plist"), true);
    }
    if (!kept) NSLog("MFMailComposeViewController: cannot keep the message in %s; it is not sent", kOutboxPath);
    finish(kept ? MFMailComposeResultSent : MFMailComposeResultFailed);
}

void MFMailComposeViewController::finish(MFMailComposeResult result) {
    Ref<MFMailComposeViewController> keep(this);
    const char* selector = "mailComposeController:didFinishWithResult:error:";
    if (objc::responds(mailComposeDelegate_, selector)) {
        objc::send<void, id, NSInteger, id>(mailComposeDelegate_, selector, this, result, nullptr);
        return;
    }
    // Without a delegate to close it the sheet closes itself, so that the
    // app is not left behind it.
    dismissModalViewControllerAnimated(true);
}
