#include "HookInstaller.h"

#include "Geometry.h"
#include "MailboxListColouring.h"
#include "MessageLabel.h"
#include "ObjC.h"

namespace korvelhook {

namespace {

struct HookRecord {
    const char* className;
    const char* selector;
    // Written out from the signature, for a class whose chain lacks the method.
    const char* types;
    IMP replacement;
    IMP forwarder;
    Class target;
    Class superclass;
    IMP previous;
};

id forwardCellCreation(id self, SEL cmd, NSInteger style, id reuseIdentifier);
void forwardMessageAssignment(id self, SEL cmd, id message, BOOL threaded);
CGRect forwardDateLabelLayout(id self, SEL cmd, CGRect rect);
id forwardMailboxRow(id self, SEL cmd, id tableView, id indexPath);

// The type encodings written out for a class whose chain lacks a method follow
// the target, as its compiler would write them: the 64-bit phone's NSInteger is
// a long ("q") and its BOOL a true boolean ("B"), the 32-bit phone's an int and
// a signed char.
#if defined(__APPLE__) && defined(__LP64__)
#define NSINTEGER_ENCODING "q"
#else
#define NSINTEGER_ENCODING "i"
#endif
#if defined(__APPLE__) && defined(__arm64__)
#define BOOL_ENCODING "B"
#else
#define BOOL_ENCODING "c"
#endif
static_assert((static_cast<BOOL>(2) == YES) == (BOOL_ENCODING[0] == 'B'), "BOOL's encoding matches its type");
static_assert(sizeof(CGFloat) == (KORVELHOOK_CGFLOAT_ENCODING[0] == 'd' ? 8 : 4), "CGFloat's encoding, its width");
#define CGRECT_ENCODING                                                                    \
    "{CGRect={CGPoint=" KORVELHOOK_CGFLOAT_ENCODING KORVELHOOK_CGFLOAT_ENCODING "}{CGSize=" \
        KORVELHOOK_CGFLOAT_ENCODING KORVELHOOK_CGFLOAT_ENCODING "}}"

template <class F>
IMP imp(F function) {
    return reinterpret_cast<IMP>(function);
}

// Built at first use: the initializer may run before this library's own
// static initialisation.
HookRecord* records() {
    static HookRecord table[HookInstaller::kHookCount] = {
        {"MailboxContentViewCell", "initWithStyle:reuseIdentifier:", "@@:" NSINTEGER_ENCODING "@",
         imp(&MessageLabel::cellCreation), imp(&forwardCellCreation), nullptr, nullptr, nullptr},
        {"MailboxContentViewCell", "setMessage:threaded:", "v@:@" BOOL_ENCODING, imp(&MessageLabel::messageAssignment),
         imp(&forwardMessageAssignment), nullptr, nullptr, nullptr},
        {"MailboxContentViewCell", "_dateLabelFrame:", CGRECT_ENCODING "@:" CGRECT_ENCODING,
         imp(&MessageLabel::dateLabelLayout), imp(&forwardDateLabelLayout), nullptr, nullptr, nullptr},
        {"MailboxPickerController", "tableView:cellForRowAtIndexPath:", "@@:@@", imp(&MailboxListColouring::mailboxRow),
         imp(&forwardMailboxRow), nullptr, nullptr, nullptr},
    };
    return table;
}

// The superclass's current implementation, looked up at every call.
IMP superImplementation(HookInstaller::Hook hook, SEL cmd) {
    return class_getMethodImplementation(records()[hook].superclass, cmd);
}

id forwardCellCreation(id self, SEL cmd, NSInteger style, id reuseIdentifier) {
    return call<id, NSInteger, id>(superImplementation(HookInstaller::kCellCreation, cmd), self, cmd, style,
                                   reuseIdentifier);
}

void forwardMessageAssignment(id self, SEL cmd, id message, BOOL threaded) {
    call<void, id, BOOL>(superImplementation(HookInstaller::kMessageAssignment, cmd), self, cmd, message, threaded);
}

CGRect forwardDateLabelLayout(id self, SEL cmd, CGRect rect) {
    return call<CGRect, CGRect>(superImplementation(HookInstaller::kDateLabelLayout, cmd), self, cmd, rect);
}

id forwardMailboxRow(id self, SEL cmd, id tableView, id indexPath) {
    return call<id, id, id>(superImplementation(HookInstaller::kMailboxRow, cmd), self, cmd, tableView, indexPath);
}

void installHook(HookRecord& record) {
    SEL selector = sel_registerName(record.selector);
    Method method = class_getInstanceMethod(record.target, selector);
    if (!method) {
        class_addMethod(record.target, selector, record.replacement, record.types);
        return;
    }
    record.previous = method_getImplementation(method);
    if (class_addMethod(record.target, selector, record.replacement, method_getTypeEncoding(method)))
        record.previous = record.forwarder;  // the class only inherited the method
    else
        method_setImplementation(method, record.replacement);
}

__attribute__((constructor)) void loadTimeInitializer() { HookInstaller::install(); }

}  // namespace

void HookInstaller::install() {
    HookRecord* all = records();
    int i = 0;
    while (i < kHookCount) {
        // Each class and its superclass are looked up once for its run of hooks.
        const char* name = all[i].className;
        Class target = objc_getClass(name);
        Class superclass = class_getSuperclass(target);
        for (; i < kHookCount && all[i].className == name; ++i) {
            all[i].target = target;
            all[i].superclass = superclass;
            installHook(all[i]);
        }
    }
}

IMP HookInstaller::previous(Hook hook) { return records()[hook].previous; }

}  // namespace korvelhook
