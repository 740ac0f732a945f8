// A class as the runtime keeps it: name, superclass, own method table, the
// instance variables that key-value coding reads, and adopted protocols.
// Class objects are objects too (their isa is the metaclass, which holds the
// class methods), so a class can be sent messages like any instance. The
// method table and the protocol list are the runtime's own: they change only
// through class_addMethod and objc::addProtocol, as on the phone.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "objc/ObjcMethod.h"
#include "objc/ObjcObject.h"

namespace objc {
void addProtocol(Class cls, const char* protocol);
}

struct objc_class : objc_object {
    using IvarReader = std::function<id(id self)>;

    std::string name;
    Class superclass = nullptr;
    Class isa = nullptr;
    bool isMeta = false;
    std::map<std::string, IvarReader, std::less<>> ivars;

    Class objcClass() const override { return isa; }

    // Own method or nullptr; no superclass search.
    objc_method* ownMethod(SEL sel) const;
    // Search through the superclass chain, remembered per class (a miss
    // too) until some class's method table changes: every message send
    // looks its method up here.
    objc_method* findMethod(SEL sel) const;
    // Forgets what every class remembered; called when a method is added.
    static void methodTablesChanged();
    const IvarReader* findIvar(std::string_view ivarName) const;
    bool conformsTo(const std::string& protocol) const;
    bool isSubclassOf(Class other) const;

private:
    objc_method* searchMethod(SEL sel) const;

    // Direct-mapped by selector: a send costs one multiply and one compare
    // when it hits; a collision only costs a search of the chain.
    struct CachedMethod {
        SEL sel;
        objc_method* method;
    };
    static constexpr unsigned kMethodCacheBits = 7;
    mutable std::unique_ptr<CachedMethod[]> methodCache_;
    mutable std::uint64_t methodCacheGeneration_ = 0;
    static inline std::uint64_t methodTablesGeneration_ = 1;

    friend BOOL(::class_addMethod)(Class cls, SEL name, IMP imp, const char* types);
    friend void objc::addProtocol(Class cls, const char* protocol);

    // Keyed by selector pointer; std::map keeps lookups deterministic.
    std::map<SEL, std::unique_ptr<objc_method>> methods_;
    std::set<std::string> protocols_;
};
