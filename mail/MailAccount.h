// One of Mail's accounts: the address it receives at and the name the
// mailbox list shows.
#pragma once

#include "Foundation/NSString.h"

class MailAccount : public NSObject {
    KORVEL_OBJC_CLASS(MailAccount)
public:
    MailAccount(NSString* firstEmailAddress, NSString* displayName);

    NSString* firstEmailAddress() const { return address_; }
    NSString* displayName() const { return displayName_; }

private:
    Ref<NSString> address_;
    Ref<NSString> displayName_;
};
