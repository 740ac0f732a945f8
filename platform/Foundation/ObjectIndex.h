// Finds an object among a collection's members by `hash` and `isEqual`, and
// answers its position in the collection's order. The collection owns the
// objects; the index only points at them.
#pragma once

#include <cstddef>
#include <optional>
#include <unordered_map>

class NSObject;

class ObjectIndex {
public:
    std::optional<std::size_t> find(const NSObject* object) const;
    void insert(const NSObject* object, std::size_t position);
    // Forgets `object` and moves the later positions down by one.
    void erase(const NSObject* object);
    void clear() { positions_.clear(); }

private:
    struct Hash {
        std::size_t operator()(const NSObject* o) const;
    };
    struct Equal {
        bool operator()(const NSObject* a, const NSObject* b) const;
    };
    std::unordered_map<const NSObject*, std::size_t, Hash, Equal> positions_;
};
