// A row's place in a table: its section and its row within the section.
#pragma once

#include "objc/NSObject.h"

class NSString;

class NSIndexPath : public NSObject {
    KORVEL_OBJC_CLASS(NSIndexPath)
public:
    NSIndexPath() = default;
    NSIndexPath(NSInteger section, NSInteger row) : section_(section), row_(row) {}

    static Ref<NSIndexPath> indexPathForRow(NSInteger row, NSInteger section);

    NSInteger section() const { return section_; }
    NSInteger row() const { return row_; }

    // "<NSIndexPath> {length = 2, path = 1 - 3}"
    Ref<NSString> description() const;
    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;

private:
    NSInteger section_ = 0;
    NSInteger row_ = 0;
};
