// The stand-in Mail's mailbox reader, fed a whole mailbox file through the
// device folder. Property: every message kept belongs to an account that was
// read, and the messages come newest first.
#include <algorithm>
#include <cstdint>

#include "Foundation/NSDate.h"
#include "Foundation/NSString.h"
#include "FuzzCheck.h"
#include "FuzzDevice.h"
#include "Mailbox.h"
#include "objc/NSAutoreleasePool.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NSAutoreleasePool pool;
    FuzzDevice::put(Mailbox::kPath, data, size);
    Mailbox mailbox = Mailbox::load(NSString::from(Mailbox::kPath));
    const auto& accounts = mailbox.accounts();
    const auto& messages = mailbox.messages();
    for (const auto& message : messages)
        fuzzCheck(std::any_of(accounts.begin(), accounts.end(),
                              [&](const auto& account) { return account.get() == message->account(); }),
                  "every message belongs to an account read");
    fuzzCheck(std::is_sorted(messages.begin(), messages.end(),
                             [](const auto& a, const auto& b) {
                                 return a->dateSent()->timeIntervalSinceReferenceDate() >
                                        b->dateSent()->timeIntervalSinceReferenceDate();
                             }),
              "messages come newest first");
    return 0;
}
