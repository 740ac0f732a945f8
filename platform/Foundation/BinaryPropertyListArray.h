// An array read from a binary property list: members are decoded from the
// file's bytes when first asked for and then kept.
#pragma once

#include <memory>
#include <vector>

#include "Foundation/BinaryPropertyList.h"
#include "Foundation/NSArray.h"

class BinaryPropertyListArray : public NSArray {
public:
    BinaryPropertyListArray(std::shared_ptr<const BinaryPropertyList> plist, std::uint64_t object);

    NSUInteger count() const override;
    NSObject* objectAtIndex(NSUInteger index) const override;

private:
    std::shared_ptr<const BinaryPropertyList> plist_;
    BinaryPropertyList::Members members_;
    mutable std::vector<Ref<NSObject>> decoded_;
};
