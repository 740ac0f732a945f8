// The runtime's registries and its C functions, with the phone runtime's
// semantics: a nil class or method does nothing, adding a method fails where
// the class itself already has one, and lookups search the superclasses.
#include "objc/ObjcRuntime.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "objc/ObjcSelector.h"

namespace {

// Hashes texts without making a std::string of the key, so that the lookups
// the hook makes for every row allocate nothing.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

struct Registry {
    std::unordered_map<std::string, std::unique_ptr<objc_class>, TextHash, std::equal_to<>> classes;
    std::unordered_map<std::string, std::unique_ptr<objc_class>, TextHash, std::equal_to<>> metaclasses;
    std::unordered_map<std::string, std::unique_ptr<objc_selector>, TextHash, std::equal_to<>> selectors;
};

// Function-local so that classes registered from static initialisers of any
// translation unit find it constructed.
Registry& registry() {
    static Registry* r = new Registry;
    return *r;
}

objc::UnrecognizedSelectorHandler& unrecognizedSelectorHandler() {
    static objc::UnrecognizedSelectorHandler handler = nullptr;
    return handler;
}

// What a message nobody answers runs: the platform reports, never guesses.
id forwardingStub(id self, SEL cmd, ...) {
    Class cls = object_getClass(self);
    const std::string reason = std::string(cls && cls->isMeta ? "+[" : "-[") + (cls ? cls->name : "?") + " " +
                               sel_getName(cmd) + "]: unrecognized selector sent to " +
                               (cls && cls->isMeta ? "class" : "instance");
    if (auto handler = unrecognizedSelectorHandler()) handler(reason);
    std::fprintf(stderr, "objc: %s\n", reason.c_str());
    std::abort();
}

}  // namespace

namespace objc {

Class registerClass(const std::string& name, Class superclass) {
    Registry& r = registry();
    if (auto it = r.classes.find(name); it != r.classes.end()) return it->second.get();
    auto meta = std::make_unique<objc_class>();
    meta->name = name;
    meta->isMeta = true;
    // The root metaclass inherits from the root class, so class objects answer
    // the root's instance methods, as on the phone.
    meta->superclass = superclass ? superclass->isa : nullptr;
    auto cls = std::make_unique<objc_class>();
    cls->name = name;
    cls->superclass = superclass;
    cls->isa = meta.get();
    if (!superclass) meta->superclass = cls.get();
    Class root = cls.get();
    while (root->superclass) root = root->superclass;
    meta->isa = root->isa ? root->isa : meta.get();
    Class result = cls.get();
    r.metaclasses[name] = std::move(meta);
    r.classes[name] = std::move(cls);
    return result;
}

SEL sel(const char* name) { return sel_registerName(name); }

bool responds(const objc_object* receiver, const char* selector) {
    // Asking changes nothing, so a read-only object may be asked too.
    return receiver && class_respondsToSelector(object_getClass(const_cast<id>(receiver)), sel(selector));
}

SEL implementedSelector(const char* name) {
    if (!name) return nullptr;
    const Registry& r = registry();
    auto found = r.selectors.find(std::string_view(name));
    if (found == r.selectors.end()) return nullptr;
    SEL s = found->second.get();
    for (const auto& [className, cls] : r.classes)
        if (cls->ownMethod(s) || cls->isa->ownMethod(s)) return s;
    return nullptr;
}

void addProtocol(Class cls, const char* protocol) {
    if (cls && protocol) cls->protocols_.insert(protocol);
}

void setUnrecognizedSelectorHandler(UnrecognizedSelectorHandler handler) {
    unrecognizedSelectorHandler() = handler;
}

IMP lookup(id receiver, SEL s) {
    if (!receiver) return nullptr;
    return class_getMethodImplementation(object_getClass(receiver), s);
}

}  // namespace objc

extern "C" {

Class objc_getClass(const char* name) {
    if (!name) return nullptr;
    auto& classes = registry().classes;
    auto it = classes.find(std::string_view(name));
    return it == classes.end() ? nullptr : it->second.get();
}

Class class_getSuperclass(Class cls) { return cls ? cls->superclass : nullptr; }

const char* class_getName(Class cls) { return cls ? cls->name.c_str() : "nil"; }

Method class_getInstanceMethod(Class cls, SEL name) {
    return cls && name ? cls->findMethod(name) : nullptr;
}

Method class_getClassMethod(Class cls, SEL name) {
    return cls && name ? class_getInstanceMethod(cls->isa, name) : nullptr;
}

IMP method_getImplementation(Method m) { return m ? m->imp : nullptr; }

const char* method_getTypeEncoding(Method m) { return m ? m->types.c_str() : nullptr; }

SEL method_getName(Method m) { return m ? m->name : nullptr; }

IMP method_setImplementation(Method m, IMP imp) {
    if (!m || !imp) return nullptr;
    IMP old = m->imp;
    m->imp = imp;
    objc_class::methodTablesChanged();
    return old;
}

BOOL class_addMethod(Class cls, SEL name, IMP imp, const char* types) {
    if (!cls || !name || !imp) return NO;
    if (cls->ownMethod(name)) return NO;
    cls->methods_[name] = std::make_unique<objc_method>(objc_method{name, types ? types : "", imp});
    objc_class::methodTablesChanged();
    return YES;
}

IMP class_getMethodImplementation(Class cls, SEL name) {
    if (!cls || !name) return nullptr;
    IMP imp = cls->findImplementation(name);
    return imp ? imp : reinterpret_cast<IMP>(&forwardingStub);
}

BOOL class_respondsToSelector(Class cls, SEL name) {
    return cls && name && cls->findMethod(name) ? YES : NO;
}

SEL sel_registerName(const char* name) {
    if (!name) return nullptr;
    auto& selectors = registry().selectors;
    auto it = selectors.find(std::string_view(name));
    if (it != selectors.end()) return it->second.get();
    auto s = std::make_unique<objc_selector>(objc_selector{name});
    SEL result = s.get();
    selectors.emplace(name, std::move(s));
    return result;
}

const char* sel_getName(SEL sel) { return sel ? sel->name.c_str() : "<null selector>"; }

Class object_getClass(id obj) { return obj ? obj->objcClass() : nullptr; }

}  // extern "C"
