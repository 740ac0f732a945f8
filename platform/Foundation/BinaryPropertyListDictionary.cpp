#include "Foundation/BinaryPropertyListDictionary.h"

#include <bit>
#include <cstring>

#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

namespace {

// Up to this many entries comparing the keys beats hashing them.
constexpr std::size_t kSmall = 8;
constexpr std::size_t kMissing = ~std::size_t{0};

// A quick hash of a key's bytes, eight at a time.
std::size_t hashOf(std::string_view key) {
    std::uint64_t h = 0x9E3779B97F4A7C15ULL ^ key.size();
    std::size_t i = 0;
    for (; i + 8 <= key.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, key.data() + i, 8);
        h = (h ^ word) * 0xFF51AFD7ED558CCDULL;
        h ^= h >> 32;
    }
    std::uint64_t tail = 0;
    if (i < key.size()) std::memcpy(&tail, key.data() + i, key.size() - i);
    h = (h ^ tail) * 0xC4CEB9FE1A85EC53ULL;
    return static_cast<std::size_t>(h ^ (h >> 29));
}

}  // namespace

BinaryPropertyListDictionary::BinaryPropertyListDictionary(std::shared_ptr<const BinaryPropertyList> plist,
                                                           std::shared_ptr<const BinaryPropertyList::Path> path)
    : plist_(std::move(plist)), path_(std::move(path)) {}

bool BinaryPropertyListDictionary::sound() const {
    index();
    return sound_;
}

void BinaryPropertyListDictionary::index() const {
    if (indexed_) return;
    indexed_ = true;
    sound_ = buildIndex();
    if (!sound_) {
        plist_->leftOut();
        entries_.clear();
        table_.clear();
    }
}

bool BinaryPropertyListDictionary::buildIndex() const {
    if (!plist_->keys(path_->object, entries_, convertedKeys_)) return false;
    // Keeps each key's first place and its last value, compacting in place.
    const std::size_t n = entries_.size();
    if (n > kSmall) table_.assign(std::bit_ceil(n * 2), 0);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const BinaryPropertyList::Key key = entries_[i];
        std::uint32_t* slot = table_.empty() ? nullptr : &table_[slotFor(key.text)];
        std::size_t existing = slot ? (*slot ? *slot - 1 : kMissing) : find(key.text, kept);
        if (existing != kMissing) {
            // The earlier value is left out.
            plist_->leftOut();
            entries_[existing].valueObject = key.valueObject;
            continue;
        }
        entries_[kept] = key;
        if (slot) *slot = static_cast<std::uint32_t>(kept + 1);
        ++kept;
    }
    entries_.resize(kept);
    return true;
}

std::size_t BinaryPropertyListDictionary::slotFor(std::string_view key) const {
    std::size_t mask = table_.size() - 1;
    std::size_t slot = hashOf(key) & mask;
    while (table_[slot] && entries_[table_[slot] - 1].text != key) slot = (slot + 1) & mask;
    return slot;
}

std::size_t BinaryPropertyListDictionary::find(std::string_view key, std::size_t entries) const {
    if (table_.empty()) {
        for (std::size_t i = 0; i < entries; ++i)
            if (entries_[i].text == key) return i;
        return kMissing;
    }
    std::uint32_t slot = table_[slotFor(key)];
    return slot ? slot - 1 : kMissing;
}

NSUInteger BinaryPropertyListDictionary::count() const {
    index();
    return entries_.size();
}

NSObject* BinaryPropertyListDictionary::objectForKey(const NSObject* key) const {
    // Every key in the file is a string, so only a string can be equal to one.
    const NSString* text = objc::cast<NSString>(const_cast<NSObject*>(key));
    if (!text) return nullptr;
    index();
    std::size_t position = find(text->str(), entries_.size());
    return position == kMissing ? nullptr : valueAt(position);
}

NSObject* BinaryPropertyListDictionary::keyAt(NSUInteger position) const {
    index();
    return decoded(keys_, position, entries_[position].keyObject);
}

NSObject* BinaryPropertyListDictionary::valueAt(NSUInteger position) const {
    index();
    return decoded(values_, position, entries_[position].valueObject);
}

NSObject* BinaryPropertyListDictionary::decoded(std::vector<Ref<NSObject>>& cache, NSUInteger position,
                                                std::uint64_t object) const {
    if (cache.empty()) cache.resize(entries_.size());
    Ref<NSObject>& slot = cache[position];
    if (!slot) slot = plist_->object(object, path_);
    return slot.get();
}
