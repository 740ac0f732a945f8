// Account names in Mail's mailbox list drawn in their label colours.
#ifndef KORVELHOOK_MAILBOXLISTCOLOURING_H
#define KORVELHOOK_MAILBOXLISTCOLOURING_H

#include "objc/runtime.h"

namespace korvelhook {

class MailboxListColouring {
public:
    // Replacement of tableView:cellForRowAtIndexPath:.
    static id mailboxRow(id self, SEL cmd, id tableView, id indexPath);
};

}  // namespace korvelhook

#endif
