// A small typed layer over the runtime's C functions, so that the hook's steps
// read naturally. It is all the hook knows of the platform: classes are found
// by name and every message is sent by selector, with a message to nil
// answering zero, exactly as it would be against the phone's runtime.
#ifndef KORVELHOOK_OBJC_H
#define KORVELHOOK_OBJC_H

#include "objc/runtime.h"

namespace korvelhook {

// Selectors, classes and constant texts, found by the address of the literal
// that names them and made once, as the phone's compiler and loader resolve
// @selector, class references and @"..." literals once: looking each up by
// its text for every message was much of the hook's cost per row. Plain
// static storage, so that it needs no library: a full table just makes the
// rest afresh each time.
template <class T>
class Interned {
public:
    template <class Make>
    T get(const char* name, Make make) {
        const unsigned long start = (reinterpret_cast<unsigned long>(name) >> 2) % kSlots;
        for (unsigned long i = 0; i < kSlots; ++i) {
            Slot& slot = slots_[(start + i) % kSlots];
            if (slot.name == name) return slot.value;
            if (slot.name) continue;
            T value = make(name);
            // Nothing is kept for what does not exist (yet).
            if (value) {
                slot.name = name;
                slot.value = value;
            }
            return value;
        }
        return make(name);
    }

private:
    static const unsigned long kSlots = 256;
    struct Slot {
        const char* name;
        T value;
    };
    Slot slots_[kSlots];
};

inline SEL selector(const char* name) {
    static Interned<SEL> selectors;
    return selectors.get(name, sel_registerName);
}

template <class R, class... A>
R send(id receiver, SEL selector, A... args) {
    if (!receiver) return R();
    typedef R (*Fn)(id, SEL, A...);
    Fn fn = reinterpret_cast<Fn>(class_getMethodImplementation(object_getClass(receiver), selector));
    return fn(receiver, selector, args...);
}

template <class R, class... A>
R send(id receiver, const char* name, A... args) {
    return send<R, A...>(receiver, selector(name), args...);
}

// Calls a saved implementation with the receiver and selector it was given.
template <class R, class... A>
R call(IMP imp, id receiver, SEL selector, A... args) {
    typedef R (*Fn)(id, SEL, A...);
    return reinterpret_cast<Fn>(imp)(receiver, selector, args...);
}

inline id classNamed(const char* name) {
    static Interned<id> classes;
    return classes.get(name, [](const char* n) { return reinterpret_cast<id>(objc_getClass(n)); });
}

inline bool responds(id object, const char* name) {
    return send<BOOL, SEL>(object, "respondsToSelector:", selector(name)) != NO;
}

// The string object of a literal C text, kept for the process's life.
inline id string(const char* literal) {
    static Interned<id> strings;
    return strings.get(literal, [](const char* text) {
        return send<id>(send<id, const char*>(classNamed("NSString"), "stringWithUTF8String:", text), "retain");
    });
}

inline id ivar(id object, const char* name) { return send<id, id>(object, "valueForKeyPath:", string(name)); }

inline id lowercase(id text) { return send<id>(text, "lowercaseString"); }

struct NSRange {
    NSUInteger location, length;
};

// Where a literal text first stands in `text`: a found one has a length,
// which spares comparing with NSNotFound (the phones' values differ).
inline NSRange rangeOf(id text, const char* literal) {
    return send<NSRange, id>(text, "rangeOfString:", string(literal));
}

inline NSUInteger count(id collection) { return send<NSUInteger>(collection, "count"); }

inline id objectAt(id array, NSUInteger index) { return send<id, NSUInteger>(array, "objectAtIndex:", index); }

}  // namespace korvelhook

#endif
