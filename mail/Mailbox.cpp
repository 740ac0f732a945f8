#include "Mailbox.h"

#include <algorithm>

#include "Foundation/NSDictionary.h"
#include "Foundation/NSLog.h"

namespace {

template <class T>
T* entry(NSDictionary* dictionary, const char* key) {
    return dynamic_cast<T*>(dictionary->objectForKey(NSString::from(key)));
}

// A list of address texts; anything else in it is dropped.
Ref<NSArray> addressList(NSDictionary* message, const char* key) {
    std::vector<Ref<NSObject>> texts;
    if (auto* list = entry<NSArray>(message, key))
        for (NSUInteger i = 0; i < list->count(); ++i)
            if (auto* text = dynamic_cast<NSString*>(list->objectAtIndex(i))) texts.emplace_back(text);
    return make<NSArray>(std::move(texts));
}

}  // namespace

Mailbox Mailbox::load(NSString* phonePath) {
    Mailbox mailbox;
    Ref<NSDictionary> root = NSDictionary::dictionaryWithContentsOfFile(phonePath);
    if (!root) {
        NSLog("MobileMail: no readable mailbox at %@", phonePath);
        return mailbox;
    }
    if (auto* accounts = entry<NSArray>(root, "Accounts")) {
        for (NSUInteger i = 0; i < accounts->count(); ++i) {
            auto* account = dynamic_cast<NSDictionary*>(accounts->objectAtIndex(i));
            auto* address = account ? entry<NSString>(account, "Address") : nullptr;
            if (!address) {
                NSLog("MobileMail: account %d has no address; skipped", static_cast<int>(i));
                continue;
            }
            auto* name = entry<NSString>(account, "DisplayName");
            mailbox.accounts_.push_back(make<MailAccount>(address, name ? name : address));
        }
    }
    if (auto* messages = entry<NSArray>(root, "Messages")) {
        for (NSUInteger i = 0; i < messages->count(); ++i) {
            auto* message = dynamic_cast<NSDictionary*>(messages->objectAtIndex(i));
            auto* accountAddress = message ? entry<NSString>(message, "Account") : nullptr;
            auto account = std::find_if(mailbox.accounts_.begin(), mailbox.accounts_.end(), [&](const auto& a) {
                return accountAddress && a->firstEmailAddress()->isEqualToString(accountAddress);
            });
            if (account == mailbox.accounts_.end()) {
                NSLog("MobileMail: message %d names no known account; skipped", static_cast<int>(i));
                continue;
            }
            auto* subject = entry<NSString>(message, "Subject");
            auto* preview = entry<NSString>(message, "Preview");
            auto* date = entry<NSDate>(message, "Date");
            mailbox.messages_.push_back(make<MailMessage>(MailMessage::Fields{
                *account, addressList(message, "From"), addressList(message, "To"), addressList(message, "Cc"),
                subject ? Ref<NSString>(subject) : ""_ns, preview ? Ref<NSString>(preview) : ""_ns,
                date ? Ref<NSDate>(date) : NSDate::dateWithTimeIntervalSinceReferenceDate(0)}));
        }
    }
    std::stable_sort(mailbox.messages_.begin(), mailbox.messages_.end(), [](const auto& a, const auto& b) {
        return a->dateSent()->timeIntervalSinceReferenceDate() > b->dateSent()->timeIntervalSinceReferenceDate();
    });
    return mailbox;
}
