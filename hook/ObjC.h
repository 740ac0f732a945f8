// A small typed layer over the runtime's C functions, so that the hook's steps
// read naturally. It is all the hook knows of the platform: classes are found
// by name and every message is sent by selector, with a message to nil
// answering zero, exactly as it would be against the phone's runtime.
#ifndef KORVELHOOK_OBJC_H
#define KORVELHOOK_OBJC_H

#include "objc/runtime.h"

namespace korvelhook {

template <class R, class... A>
R send(id receiver, SEL selector, A... args) {
    if (!receiver) return R();
    typedef R (*Fn)(id, SEL, A...);
    Fn fn = reinterpret_cast<Fn>(class_getMethodImplementation(object_getClass(receiver), selector));
    return fn(receiver, selector, args...);
}

template <class R, class... A>
R send(id receiver, const char* selector, A... args) {
    return send<R, A...>(receiver, sel_registerName(selector), args...);
}

// Calls a saved implementation with the receiver and selector it was given.
template <class R, class... A>
R call(IMP imp, id receiver, SEL selector, A... args) {
    typedef R (*Fn)(id, SEL, A...);
    return reinterpret_cast<Fn>(imp)(receiver, selector, args...);
}

inline id classNamed(const char* name) { return reinterpret_cast<id>(objc_getClass(name)); }

inline bool responds(id object, const char* selector) {
    return send<BOOL, SEL>(object, "respondsToSelector:", sel_registerName(selector)) != NO;
}

// A string object for a C text (autoreleased by the platform).
inline id string(const char* utf8) {
    return send<id, const char*>(classNamed("NSString"), "stringWithUTF8String:", utf8);
}

inline id ivar(id object, const char* name) { return send<id, id>(object, "valueForKeyPath:", string(name)); }

inline id lowercase(id text) { return send<id>(text, "lowercaseString"); }

inline NSUInteger count(id collection) { return send<NSUInteger>(collection, "count"); }

inline id objectAt(id array, NSUInteger index) { return send<id, NSUInteger>(array, "objectAtIndex:", index); }

}  // namespace korvelhook

#endif
