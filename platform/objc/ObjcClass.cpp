#include "objc/ObjcClass.h"

objc_method* objc_class::ownMethod(SEL sel) const {
    auto it = methods.find(sel);
    return it == methods.end() ? nullptr : it->second.get();
}

objc_method* objc_class::findMethod(SEL sel) const {
    if (methodCacheGeneration_ != methodTablesGeneration_) {
        methodCache_.clear();
        methodCacheGeneration_ = methodTablesGeneration_;
    }
    auto [entry, added] = methodCache_.try_emplace(sel, nullptr);
    if (added) entry->second = searchMethod(sel);
    return entry->second;
}

void objc_class::methodTablesChanged() { ++methodTablesGeneration_; }

objc_method* objc_class::searchMethod(SEL sel) const {
    for (const objc_class* c = this; c; c = c->superclass)
        if (objc_method* m = c->ownMethod(sel)) return m;
    return nullptr;
}

const objc_class::IvarReader* objc_class::findIvar(const std::string& ivarName) const {
    for (const objc_class* c = this; c; c = c->superclass) {
        auto it = c->ivars.find(ivarName);
        if (it != c->ivars.end()) return &it->second;
    }
    return nullptr;
}

bool objc_class::conformsTo(const std::string& protocol) const {
    for (const objc_class* c = this; c; c = c->superclass)
        if (c->protocols.count(protocol)) return true;
    return false;
}

bool objc_class::isSubclassOf(Class other) const {
    for (const objc_class* c = this; c; c = c->superclass)
        if (c == other) return true;
    return false;
}
