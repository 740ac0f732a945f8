#include "objc/ObjcClass.h"

#include <cstdint>
#include <utility>

objc_method* objc_class::ownMethod(SEL sel) const {
    auto it = methods_.find(sel);
    return it == methods_.end() ? nullptr : it->second.get();
}

const objc_class::CachedMethod& objc_class::cacheMethod(SEL sel) const {
    if (methodCacheGeneration_ != methodTablesGeneration_) {
        resizeMethodCache(kMethodCacheInitialSize, false);
        methodCacheGeneration_ = methodTablesGeneration_;
    }
    // At most three quarters full, so that probes stay short and end.
    if ((methodCacheUsed_ + 1) * 4 > (methodCacheMask_ + 1) * 3) resizeMethodCache((methodCacheMask_ + 1) * 2, true);
    objc_method* method = searchMethod(sel);
    return storeInCache({sel, method, method ? method->imp : nullptr});
}

void objc_class::resizeMethodCache(std::size_t size, bool keepEntries) const {
    // Value-initialised: every entry empty (a null selector is never looked up).
    auto old = std::exchange(methodCache_, std::make_unique<CachedMethod[]>(size));
    const std::size_t oldSize = old ? methodCacheMask_ + 1 : 0;
    methodCacheMask_ = size - 1;
    methodCacheUsed_ = 0;
    if (!keepEntries) return;
    for (std::size_t j = 0; j < oldSize; ++j)
        if (old[j].sel) storeInCache(old[j]);
}

const objc_class::CachedMethod& objc_class::storeInCache(const CachedMethod& entry) const {
    std::size_t i = cacheSlot(entry.sel);
    while (methodCache_[i].sel) i = (i + 1) & methodCacheMask_;
    methodCache_[i] = entry;
    ++methodCacheUsed_;
    return methodCache_[i];
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
