// Registers a C++ class with the runtime: its name and superclass, and each
// selector that someone sends by name with a small C function as the
// implementation. The thunks convert between the runtime's raw types (id,
// BOOL) and the C++ member's types, and the type encodings are derived from
// the signatures.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <type_traits>

#include "objc/NSObject.h"
#include "objc/ObjcRuntime.h"
#include "objc/ObjcSelector.h"

struct CGPoint;
struct CGSize;
struct CGRect;

namespace objc {

// Downcast of a runtime object to a C++ class; nullptr when it is not one.
// Every message through a thunk casts its receiver and its object
// arguments, and dynamic_cast walks the class tree comparing type names
// across the shared libraries. Its answer depends only on the object's
// dynamic type, which the vtable pointer names, so the vtables found to
// cast at no offset are remembered per target class. A cast to NSObject
// meets every kind of object, so the table is open-addressed and never
// forgets: a vtable once found stays found (a full table only costs a
// dynamic_cast). The first probe is inline; the rest is out of line.
template <class T>
struct CastMemo {
    static constexpr unsigned kBits = 6;
    static constexpr std::size_t kSlots = std::size_t{1} << kBits, kProbes = 4;
    static inline std::atomic<const void*> known[kSlots];

    static std::size_t slotOf(const void* vtable) {
        return (reinterpret_cast<std::uintptr_t>(vtable) * 0x9E3779B97F4A7C15ULL) >> (64 - kBits);
    }

    [[gnu::noinline]] static T* search(objc_object* object, const void* vtable, std::size_t start) {
        // Slots fill in probe order and are never emptied, so an empty one ends the search.
        for (std::size_t i = 1; i < kProbes; ++i) {
            const void* seen = known[(start + i) % kSlots].load(std::memory_order_relaxed);
            if (seen == vtable) return reinterpret_cast<T*>(object);
            if (!seen) break;
        }
        T* result = dynamic_cast<T*>(object);
        if (result && static_cast<void*>(result) == static_cast<void*>(object)) {
            for (std::size_t i = 0; i < kProbes; ++i) {
                const void* expected = nullptr;
                if (known[(start + i) % kSlots].compare_exchange_strong(expected, vtable, std::memory_order_relaxed) ||
                    expected == vtable)
                    break;
            }
        }
        return result;
    }
};

template <class T>
T* cast(id o) {
    if (!o) return nullptr;
    auto* object = static_cast<objc_object*>(o);
    const void* vtable = *reinterpret_cast<const void* const*>(object);
    const std::size_t start = CastMemo<T>::slotOf(vtable);
    if (CastMemo<T>::known[start].load(std::memory_order_relaxed) == vtable) return reinterpret_cast<T*>(object);
    return CastMemo<T>::search(object, vtable, start);
}

template <class T>
inline constexpr bool isObject = std::is_base_of_v<objc_object, std::remove_cv_t<T>>;

// Raw (runtime) form of a C++ argument or result type.
template <class A>
struct Raw { using type = A; static A in(A a) { return a; } static A out(A a) { return a; } };
template <>
struct Raw<void> { using type = void; };
template <>
struct Raw<bool> {
    using type = BOOL;
    static bool in(BOOL b) { return b != 0; }
    static BOOL out(bool b) { return b ? YES : NO; }
};
template <class T>
    requires isObject<T>
struct Raw<T*> {
    using type = id;
    static T* in(id o) { return cast<std::remove_cv_t<T>>(o); }
    static id out(T* p) { return const_cast<std::remove_cv_t<T>*>(p); }
};
template <class T>
struct Raw<Ref<T>> {
    using type = id;
    // A returned Ref gives the caller an autoreleased object, as a factory
    // method does on the phone.
    static id out(Ref<T> r) {
        // The Ref's own reference goes to the pool: no retain and release.
        T* p = r.leak();
        if (p) p->autorelease();
        return p;
    }
};
template <class T>
struct Raw<T*&>;  // out-parameters are not sent through the runtime

// Type encoding of a raw type, in the runtime's notation.
template <class T>
std::string encode() {
    if constexpr (std::is_same_v<T, void>) return "v";
    else if constexpr (std::is_same_v<T, id>) return "@";
    else if constexpr (std::is_same_v<T, Class>) return "#";
    else if constexpr (std::is_same_v<T, SEL>) return ":";
    else if constexpr (std::is_same_v<T, BOOL>) return "c";
    else if constexpr (std::is_same_v<T, char>) return "c";
    else if constexpr (std::is_same_v<T, int>) return "i";
    else if constexpr (std::is_same_v<T, unsigned>) return "I";
    else if constexpr (std::is_same_v<T, long>) return "l";
    else if constexpr (std::is_same_v<T, unsigned long>) return "L";
    else if constexpr (std::is_same_v<T, long long>) return "q";
    else if constexpr (std::is_same_v<T, unsigned long long>) return "Q";
    else if constexpr (std::is_same_v<T, float>) return "f";
    else if constexpr (std::is_same_v<T, double>) return "d";
    else if constexpr (std::is_same_v<T, const char*>) return "*";
    else if constexpr (std::is_same_v<T, CGPoint>) return "{CGPoint=ff}";
    else if constexpr (std::is_same_v<T, CGSize>) return "{CGSize=ff}";
    else if constexpr (std::is_same_v<T, CGRect>) return "{CGRect={CGPoint=ff}{CGSize=ff}}";
    else if constexpr (std::is_pointer_v<T>) return "^v";
    else if constexpr (std::is_enum_v<T>) return encode<std::underlying_type_t<T>>();
    else return "?";
}

template <class R, class... A>
std::string encodeSignature() {
    return encode<typename Raw<R>::type>() + "@:" + (std::string() + ... + encode<typename Raw<A>::type>());
}

template <class R, class F>
auto invokeRaw(F&& f) -> typename Raw<R>::type {
    if constexpr (std::is_void_v<R>) f();
    else return Raw<R>::out(f());
}

template <auto Fn>
struct Thunk;

// Instance method from a member function.
template <class C, class R, class... A, R (C::*Fn)(A...)>
struct Thunk<Fn> {
    static typename Raw<R>::type imp(id self, SEL, typename Raw<A>::type... a) {
        C* obj = cast<C>(self);
        return invokeRaw<R>([&]() -> R { return (obj->*Fn)(Raw<A>::in(a)...); });
    }
    static std::string types() { return encodeSignature<R, A...>(); }
};
template <class C, class R, class... A, R (C::*Fn)(A...) const>
struct Thunk<Fn> {
    static typename Raw<R>::type imp(id self, SEL, typename Raw<A>::type... a) {
        const C* obj = cast<C>(self);
        return invokeRaw<R>([&]() -> R { return (obj->*Fn)(Raw<A>::in(a)...); });
    }
    static std::string types() { return encodeSignature<R, A...>(); }
};
// Class method (or instance method taking the receiver first) from a free or
// static function.
template <class R, class... A, R (*Fn)(A...)>
struct Thunk<Fn> {
    static typename Raw<R>::type imp(id, SEL, typename Raw<A>::type... a) {
        return invokeRaw<R>([&]() -> R { return Fn(Raw<A>::in(a)...); });
    }
    static std::string types() { return encodeSignature<R, A...>(); }
};

template <class T>
class ClassBuilder {
public:
    ClassBuilder(const char* name, Class superclass) : cls_(registerClass(name, superclass)) {}

    // Instance method `selector` answered by member function Fn of T.
    template <auto Fn>
    ClassBuilder& method(const char* selector) {
        add(cls_, selector, reinterpret_cast<IMP>(&Thunk<Fn>::imp), Thunk<Fn>::types());
        return *this;
    }
    // Class method `selector` answered by static or free function Fn.
    template <auto Fn>
    ClassBuilder& classMethod(const char* selector) {
        add(cls_->isa, selector, reinterpret_cast<IMP>(&Thunk<Fn>::imp), Thunk<Fn>::types());
        return *this;
    }
    // Instance variable read by key-value coding (name with its underscore).
    template <class F>
    ClassBuilder& ivar(const char* name, F reader) {
        cls_->ivars[name] = [reader](id self) -> id {
            T* obj = cast<T>(self);
            return obj ? static_cast<id>(reader(obj)) : nullptr;
        };
        return *this;
    }
    ClassBuilder& protocol(const char* name) {
        addProtocol(cls_, name);
        return *this;
    }
    // "alloc" + "init": lets code that knows the class only by name make one.
    ClassBuilder& allocatable() {
        add(cls_->isa, "alloc", reinterpret_cast<IMP>(&allocImp), "@@:");
        return *this;
    }
    Class build() const { return cls_; }

private:
    static id allocImp(id, SEL) { return new T(); }
    static void add(Class cls, const char* selector, IMP imp, const std::string& types) {
        class_addMethod(cls, sel_registerName(selector), imp, types.c_str());
    }

    Class cls_;
};

}  // namespace objc
