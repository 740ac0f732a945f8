#include "Foundation/BinaryPropertyListDictionary.h"

#include <bit>
#include <functional>

#include "Foundation/NSString.h"

namespace {

// Below this many entries a scan of the hashes beats a table.
constexpr std::size_t kTableThreshold = 8;
constexpr std::size_t kMissing = ~std::size_t{0};

}  // namespace

BinaryPropertyListDictionary::BinaryPropertyListDictionary(std::shared_ptr<const BinaryPropertyList> plist,
                                                           std::uint64_t object)
    : plist_(std::move(plist)), members_(plist_->members(object)) {}

void BinaryPropertyListDictionary::buildIndex() const {
    indexed_ = true;
    const auto n = static_cast<std::size_t>(members_.count);
    entries_.reserve(n);
    if (n > kTableThreshold) table_.assign(std::bit_ceil(n * 2), 0);
    for (std::size_t i = 0; i < n; ++i) {
        std::uint64_t keyObject = plist_->reference(members_.references, i);
        std::uint64_t valueObject = plist_->reference(members_.references, n + i);
        std::string converted;
        std::string_view key = plist_->text(keyObject, converted);
        if (key.data() == converted.data()) {
            // Kept where it will not move, since entries view it.
            convertedKeys_.push_back(std::make_unique<std::string>(std::move(converted)));
            key = *convertedKeys_.back();
        }
        std::size_t hash = std::hash<std::string_view>{}(key);
        std::size_t existing = find(key, hash);
        if (existing != kMissing) {
            entries_[existing].valueObject = valueObject;
            continue;
        }
        entries_.push_back({key, hash, keyObject, valueObject});
        if (!table_.empty()) {
            std::size_t mask = table_.size() - 1;
            std::size_t slot = hash & mask;
            while (table_[slot]) slot = (slot + 1) & mask;
            table_[slot] = static_cast<std::uint32_t>(entries_.size());
        }
    }
}

std::size_t BinaryPropertyListDictionary::find(std::string_view key, std::size_t hash) const {
    if (table_.empty()) {
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].hash == hash && entries_[i].key == key) return i;
        return kMissing;
    }
    std::size_t mask = table_.size() - 1;
    for (std::size_t slot = hash & mask; table_[slot]; slot = (slot + 1) & mask) {
        const Entry& e = entries_[table_[slot] - 1];
        if (e.hash == hash && e.key == key) return table_[slot] - 1;
    }
    return kMissing;
}

NSUInteger BinaryPropertyListDictionary::count() const {
    if (!indexed_) buildIndex();
    return entries_.size();
}

NSObject* BinaryPropertyListDictionary::objectForKey(const NSObject* key) const {
    // Every key in the file is a string, so only a string can be equal to one.
    auto* text = dynamic_cast<const NSString*>(key);
    if (!text) return nullptr;
    if (!indexed_) buildIndex();
    std::string_view k = text->str();
    std::size_t position = find(k, std::hash<std::string_view>{}(k));
    return position == kMissing ? nullptr : valueAt(position);
}

NSObject* BinaryPropertyListDictionary::keyAt(NSUInteger position) const {
    if (!indexed_) buildIndex();
    return decoded(keys_, position, entries_[position].keyObject);
}

NSObject* BinaryPropertyListDictionary::valueAt(NSUInteger position) const {
    if (!indexed_) buildIndex();
    return decoded(values_, position, entries_[position].valueObject);
}

NSObject* BinaryPropertyListDictionary::decoded(std::vector<Ref<NSObject>>& cache, NSUInteger position,
                                                std::uint64_t object) const {
    if (cache.empty()) cache.resize(entries_.size());
    Ref<NSObject>& slot = cache[position];
    if (!slot) slot = plist_->object(object);
    return slot.get();
}
