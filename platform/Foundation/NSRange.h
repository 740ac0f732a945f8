// A span of UTF-16 units in a string, and the index that means "not found".
#pragma once

#include "objc/runtime.h"

struct NSRange {
    NSUInteger location;
    NSUInteger length;
};

// The phone's value: the largest signed 32-bit integer.
inline constexpr NSInteger NSNotFound = 0x7fffffff;

inline NSRange NSMakeRange(NSUInteger location, NSUInteger length) { return NSRange{location, length}; }
