// A dictionary read from a binary property list. Its keys are checked and
// indexed straight from the file's bytes when it is first used (hashed,
// except in small dictionaries, where comparing the few keys is quicker);
// values are decoded when first looked up and then kept. A dictionary with a
// damaged key reads as empty. A key that occurs twice keeps its first
// place and its last value, as when the entries are set one by one.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Foundation/BinaryPropertyList.h"
#include "Foundation/NSDictionary.h"

class BinaryPropertyListDictionary : public NSDictionary {
public:
    BinaryPropertyListDictionary(std::shared_ptr<const BinaryPropertyList> plist,
                                 std::shared_ptr<const BinaryPropertyList::Path> path);

    // False when a key is not sound text.
    bool sound() const;

    NSUInteger count() const override;
    NSObject* objectForKey(const NSObject* key) const override;

protected:
    NSObject* keyAt(NSUInteger position) const override;
    NSObject* valueAt(NSUInteger position) const override;

private:
    void index() const;
    bool buildIndex() const;
    // Position of `key` among the first `entries` entries (all that the
    // table holds, for a large dictionary), or ~0.
    std::size_t find(std::string_view key, std::size_t entries) const;
    // Where `key` is in the table, or the free slot where it would go.
    std::size_t slotFor(std::string_view key) const;
    NSObject* decoded(std::vector<Ref<NSObject>>& cache, NSUInteger position, std::uint64_t object) const;

    std::shared_ptr<const BinaryPropertyList> plist_;
    std::shared_ptr<const BinaryPropertyList::Path> path_;
    mutable bool indexed_ = false;
    mutable bool sound_ = false;
    // Each distinct key once, in file order, with the last value given for it.
    mutable std::vector<BinaryPropertyList::Key> entries_;
    // Open addressing over entries_ (position + 1; 0 is free), for the
    // dictionaries that are not small.
    mutable std::vector<std::uint32_t> table_;
    // Texts of keys stored as UTF-16, converted once and kept where entries view them.
    mutable std::vector<std::unique_ptr<std::string>> convertedKeys_;
    mutable std::vector<Ref<NSObject>> keys_;
    mutable std::vector<Ref<NSObject>> values_;
};
