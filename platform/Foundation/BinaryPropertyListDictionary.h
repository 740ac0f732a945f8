// A dictionary read from a binary property list. Its keys are hashed straight
// from the file's bytes on first use; values are decoded when first looked up
// and then kept. A key that occurs twice keeps its first place and its last
// value, as when the entries are set one by one.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Foundation/BinaryPropertyList.h"
#include "Foundation/NSDictionary.h"

class BinaryPropertyListDictionary : public NSDictionary {
public:
    BinaryPropertyListDictionary(std::shared_ptr<const BinaryPropertyList> plist, std::uint64_t object);

    NSUInteger count() const override;
    NSObject* objectForKey(const NSObject* key) const override;

protected:
    NSObject* keyAt(NSUInteger position) const override;
    NSObject* valueAt(NSUInteger position) const override;

private:
    struct Entry {
        std::string_view key;
        std::size_t hash;
        std::uint64_t keyObject;
        std::uint64_t valueObject;
    };
    void buildIndex() const;
    std::size_t find(std::string_view key, std::size_t hash) const;
    NSObject* decoded(std::vector<Ref<NSObject>>& cache, NSUInteger position, std::uint64_t object) const;

    std::shared_ptr<const BinaryPropertyList> plist_;
    BinaryPropertyList::Members members_;
    mutable bool indexed_ = false;
    mutable std::vector<Entry> entries_;
    // Open addressing over entries_ (position + 1; 0 is free). Small
    // dictionaries go without and compare the hashes in order.
    mutable std::vector<std::uint32_t> table_;
    // Texts of keys stored as UTF-16, converted once.
    mutable std::vector<std::unique_ptr<std::string>> convertedKeys_;
    mutable std::vector<Ref<NSObject>> keys_;
    mutable std::vector<Ref<NSObject>> values_;
};
