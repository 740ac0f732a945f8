#include "Foundation/ObjectIndex.h"

#include "objc/NSObject.h"

std::size_t ObjectIndex::Hash::operator()(const NSObject* o) const { return o->hash(); }

bool ObjectIndex::Equal::operator()(const NSObject* a, const NSObject* b) const { return a == b || a->isEqual(b); }

std::optional<std::size_t> ObjectIndex::find(const NSObject* object) const {
    if (!object) return std::nullopt;
    auto it = positions_.find(object);
    if (it == positions_.end()) return std::nullopt;
    return it->second;
}

void ObjectIndex::insert(const NSObject* object, std::size_t position) { positions_.emplace(object, position); }

void ObjectIndex::erase(const NSObject* object) {
    auto it = positions_.find(object);
    if (it == positions_.end()) return;
    std::size_t removed = it->second;
    positions_.erase(it);
    for (auto& [member, position] : positions_)
        if (position > removed) --position;
}
