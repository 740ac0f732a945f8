// The library's one load-time initializer puts the replacements in place of
// four of Mail's methods and keeps what each displaced, so that every
// replacement can run Mail's own code first.
#ifndef KORVELHOOK_HOOKINSTALLER_H
#define KORVELHOOK_HOOKINSTALLER_H

#include "objc/runtime.h"

namespace korvelhook {

class HookInstaller {
public:
    enum Hook { kCellCreation, kMessageAssignment, kDateLabelLayout, kMailboxRow, kHookCount };

    // Installs every hook, in order; a class the process lacks is skipped.
    static void install();

    // What the replacement of `hook` calls first or last: the displaced
    // implementation, a forwarder to the superclass, or nil when no class in
    // the chain had the method.
    static IMP previous(Hook hook);
};

}  // namespace korvelhook

#endif
