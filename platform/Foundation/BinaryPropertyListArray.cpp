#include "Foundation/BinaryPropertyListArray.h"

BinaryPropertyListArray::BinaryPropertyListArray(std::shared_ptr<const BinaryPropertyList> plist,
                                                 std::uint64_t object)
    : plist_(std::move(plist)), members_(plist_->members(object)) {}

NSUInteger BinaryPropertyListArray::count() const { return static_cast<NSUInteger>(members_.count); }

NSObject* BinaryPropertyListArray::objectAtIndex(NSUInteger index) const {
    if (index >= members_.count) raiseBeyondBounds(index);
    if (decoded_.empty()) decoded_.resize(static_cast<std::size_t>(members_.count));
    Ref<NSObject>& slot = decoded_[index];
    if (!slot) slot = plist_->object(plist_->reference(members_.references, index));
    return slot.get();
}
