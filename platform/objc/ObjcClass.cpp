#include "objc/ObjcClass.h"

objc_method* objc_class::ownMethod(SEL sel) const {
    auto it = methods_.find(sel);
    return it == methods_.end() ? nullptr : it->second.get();
}

objc_method* objc_class::findMethod(SEL sel) const {
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
        if (c->protocols_.count(protocol)) return true;
    return false;
}

bool objc_class::isSubclassOf(Class other) const {
    for (const objc_class* c = this; c; c = c->superclass)
        if (c == other) return true;
    return false;
}
