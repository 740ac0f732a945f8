// The C++ side of the runtime: registering classes, and sending a message by
// selector from C++ code with the types the caller names.
#pragma once

#include <string>
#include <type_traits>

#include "objc/ObjcClass.h"

namespace objc {

// Registers (or returns the already registered) class `name` under
// `superclass` (nullptr for a root class), with its metaclass.
Class registerClass(const std::string& name, Class superclass);

SEL sel(const char* name);

// Records that `cls` adopts `protocol`, for conformsToProtocol:.
void addProtocol(Class cls, const char* protocol);

// The implementation that a message `s` to `receiver` runs: nullptr for a nil
// receiver. A selector nobody answers gives the forwarding stub, which hands
// "-[Class selector]: unrecognized selector sent to instance" to the
// unrecognised-selector handler.
IMP lookup(id receiver, SEL s);

// What a message nobody answers ends in. The runtime knows no exception
// class: Foundation installs a handler at load that raises its exception.
// Without one the runtime prints the reason and aborts, as the phone's does.
using UnrecognizedSelectorHandler = void (*)(const std::string& reason);
void setUnrecognizedSelectorHandler(UnrecognizedSelectorHandler handler);

// Whether `receiver` answers `selector`; NO for nil, so optional delegate
// messages can be tested in one step.
bool responds(const objc_object* receiver, const char* selector);

// The runtime's own form of a type: a C++ bool travels as BOOL, as every
// implementation registered with the runtime takes and answers it.
template <class T>
using RuntimeType = std::conditional_t<std::is_same_v<T, bool>, BOOL, T>;

// Sends `s` to `receiver` with the given argument types. A message to nil
// answers zero (a value-initialised R). The implementation is called through
// its own type, with bool as BOOL: calling it through any other is undefined.
template <class R, class... A>
R send(id receiver, SEL s, A... args) {
    if (!receiver) return R();
    auto fn = reinterpret_cast<RuntimeType<R> (*)(id, SEL, RuntimeType<A>...)>(lookup(receiver, s));
    if constexpr (std::is_same_v<R, bool>) return fn(receiver, s, static_cast<RuntimeType<A>>(args)...) != NO;
    else return fn(receiver, s, static_cast<RuntimeType<A>>(args)...);
}

template <class R, class... A>
R send(id receiver, const char* selector, A... args) {
    return send<R, A...>(receiver, sel(selector), args...);
}

// `selector`'s answer, or zero when the receiver (nil included) does not
// answer it: for values whose kind a file decides, such as "boolValue" of
// whatever a property list holds.
template <class R>
R sendIfAnswered(const objc_object* receiver, const char* selector) {
    return responds(receiver, selector) ? send<R>(const_cast<id>(receiver), selector) : R();
}

// The selector `name` when some class or class object has a method of that
// name; nullptr for a name that nothing answers.
SEL implementedSelector(const char* name);

}  // namespace objc
