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
    objc_method* findMethod(SEL sel) const { return cached(sel).method; }
    // The same search for a message send: the implementation, or nullptr.
    IMP findImplementation(SEL sel) const { return cached(sel).imp; }
    // Forgets what every class remembered; called when a method is added
    // or an implementation replaced.
    static void methodTablesChanged();
    const IvarReader* findIvar(std::string_view ivarName) const;
    bool conformsTo(const std::string& protocol) const;
    bool isSubclassOf(Class other) const;

private:
    objc_method* searchMethod(SEL sel) const;
    struct CachedMethod;
    const CachedMethod& cached(SEL sel) const {
        if (methodCacheGeneration_ == methodTablesGeneration_) {
            // An empty entry ends the probe: the selector was never asked.
            for (std::size_t i = cacheSlot(sel);; i = (i + 1) & methodCacheMask_) {
                const CachedMethod& entry = methodCache_[i];
                if (entry.sel == sel) return entry;
                if (!entry.sel) break;
            }
        }
        return cacheMethod(sel);
    }
    // The miss: fills the selector's entry, first emptying a stale cache and
    // doubling a crowded one.
    const CachedMethod& cacheMethod(SEL sel) const;
    // A new, empty table of `size` entries (a power of two), keeping what
    // the old one held when asked.
    void resizeMethodCache(std::size_t size, bool keepEntries) const;
    // Puts an entry in the first free slot of its probe; there is one.
    const CachedMethod& storeInCache(const CachedMethod& entry) const;
    std::size_t cacheSlot(SEL sel) const {
        const auto key = reinterpret_cast<std::uintptr_t>(sel) * 0x9E3779B97F4A7C15ULL;
        return static_cast<std::size_t>(key >> 32) & methodCacheMask_;
    }

    // Open addressing by selector: a send costs one multiply and one compare
    // when it hits at once. Selectors that share a slot both stay, so two
    // messages sent in turn never evict each other. The implementation is
    // kept beside its method, one load fewer per send.
    struct CachedMethod {
        SEL sel;
        objc_method* method;
        IMP imp;
    };
    static constexpr std::size_t kMethodCacheInitialSize = 128;
    mutable std::unique_ptr<CachedMethod[]> methodCache_;
    mutable std::size_t methodCacheMask_ = 0;
    mutable std::size_t methodCacheUsed_ = 0;
    mutable std::uint64_t methodCacheGeneration_ = 0;
    static inline std::uint64_t methodTablesGeneration_ = 1;

    friend BOOL(::class_addMethod)(Class cls, SEL name, IMP imp, const char* types);
    friend void objc::addProtocol(Class cls, const char* protocol);

    // Keyed by selector pointer; std::map keeps lookups deterministic.
    std::map<SEL, std::unique_ptr<objc_method>> methods_;
    std::set<std::string> protocols_;
};
