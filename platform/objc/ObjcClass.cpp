#include "objc/ObjcClass.h"

#include <cstdint>

objc_method* objc_class::ownMethod(SEL sel) const {
    auto it = methods_.find(sel);
    return it == methods_.end() ? nullptr : it->second.get();
}

const objc_class::CachedMethod& objc_class::cacheMethod(SEL sel) const {
    if (methodCacheGeneration_ != methodTablesGeneration_) {
        // Value-initialised: every entry empty (a null selector is never looked up).
        methodCache_ = std::make_unique<CachedMethod[]>(std::size_t{1} << kMethodCacheBits);
        methodCacheGeneration_ = methodTablesGeneration_;
    }
    CachedMethod& entry = methodCache_[cacheSlot(sel)];
    objc_method* method = searchMethod(sel);
    entry = {sel, method, method ? method->imp : nullptr};
    return entry;
}

void objc_class::methodTablesChanged() { ++methodTablesGeneration_; }

objc_method* objc_class::searchMethod(SEL sel) const {
    for (const objc_class* c = this; c; c = c->superclass)
        if (objc_method* m = c->ownMethod(sel)) return m;
    return nullptr;
}

const objc_class::IvarReader* objc_class::findIvar(std::string_view ivarName) const {
    for (const objc_class* c = this; c; c = c->superclass) {
        auto it = c->ivars.find(ivarName);
        if (it != c->ivars.end()) return &it->second;
    }
    return nullptr;
}

bool objc_class::conformsTo(const std::string& protocol) const {
    for (const objc_class* c = this; c; c = c->superclass)
        if (c->protocols_.count(protocol)) return true;
    return false;
}

bool objc_class::isSubclassOf(Class other) const {
    for (const objc_class* c = this; c; c = c->superclass)
        if (c == other) return true;
    return false;
}
