// A class as the runtime keeps it: name, superclass, own method table, the
// instance variables that key-value coding reads, and adopted protocols.
// Class objects are objects too (their isa is the metaclass, which holds the
// class methods), so a class can be sent messages like any instance. The
// method table and the protocol list are the runtime's own: they change only
// through class_addMethod and objc::addProtocol, as on the phone.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

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
    std::map<std::string, IvarReader> ivars;

    Class objcClass() const override { return isa; }

    // Own method or nullptr; no superclass search.
    objc_method* ownMethod(SEL sel) const;
    // Search through the superclass chain.
    objc_method* findMethod(SEL sel) const;
    const IvarReader* findIvar(const std::string& ivarName) const;
    bool conformsTo(const std::string& protocol) const;
    bool isSubclassOf(Class other) const;

private:
    friend BOOL(::class_addMethod)(Class cls, SEL name, IMP imp, const char* types);
    friend void objc::addProtocol(Class cls, const char* protocol);

    // Keyed by selector pointer; std::map keeps lookups deterministic.
    std::map<SEL, std::unique_ptr<objc_method>> methods_;
    std::set<std::string> protocols_;
};
