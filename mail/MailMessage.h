// A message as Mail hands it to a row: its receiving account, the sender,
// "to" and "cc" lists (each entry a bare address or "Name <address>"), and
// what the row shows.
#pragma once

#include "Foundation/NSArray.h"
#include "Foundation/NSDate.h"
#include "Foundation/NSString.h"
#include "MailAccount.h"

class MailMessage : public NSObject {
    KORVEL_OBJC_CLASS(MailMessage)
public:
    struct Fields {
        Ref<MailAccount> account;
        Ref<NSArray> sender, to, cc;
        Ref<NSString> subject, summary;
        Ref<NSDate> dateSent;
    };
    explicit MailMessage(Fields fields);

    MailAccount* account() const { return fields_.account; }
    NSArray* sender() const { return fields_.sender; }
    NSArray* to() const { return fields_.to; }
    NSArray* cc() const { return fields_.cc; }
    NSString* subject() const { return fields_.subject; }
    NSString* summary() const { return fields_.summary; }
    NSDate* dateSent() const { return fields_.dateSent; }
    // The name shown as the sender: the display part of the first sender
    // entry, else its address, else the first recipient.
    Ref<NSString> senderDisplayName() const;

private:
    Fields fields_;
};
