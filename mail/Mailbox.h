// The sample mailbox that the stand-in Mail shows, read from the device
// folder (the format is described in the README). Entries that are not as
// described are skipped with a log line; a missing or unreadable file gives
// an empty mailbox.
#pragma once

#include <vector>

#include "MailAccount.h"
#include "MailMessage.h"

class NSString;

class Mailbox {
public:
    static constexpr const char* kPath = "/var/mobile/Library/Mail/Mailbox.plist";

    static Mailbox load(NSString* phonePath);

    const std::vector<Ref<MailAccount>>& accounts() const { return accounts_; }
    // Newest first.
    const std::vector<Ref<MailMessage>>& messages() const { return messages_; }

private:
    std::vector<Ref<MailAccount>> accounts_;
    std::vector<Ref<MailMessage>> messages_;
};
