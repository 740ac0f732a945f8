// Writer of binary property lists ("bplist00"), the form the phone keeps its
// preferences in. Equal texts, numbers and dates are written once and shared;
// they are found through a hash table, so writing takes time in proportion
// to what is written. (The property-list library's writer shares them through
// a table of a fixed size, and a file of 100,000 addresses took seconds.)
//
// Texts are ASCII where they can be, else big-endian UTF-16; integers take
// the fewest of 1, 2, 4 or 8 bytes (negative ones 8, unsigned ones above the
// signed range 16); a real that a float holds exactly takes 4 bytes; a date
// is kept to the microsecond.
#pragma once

#include <optional>
#include <string>

#include "objc/NSObject.h"

class BinaryPropertyListWriter {
public:
    // Nothing when `root` holds what would not read back as it is: an
    // object that is not a property-list object, a text with a NUL character,
    // a date whose seconds leave the 32-bit range, or nesting deeper than
    // PropertyListFile::kMaxDepth (which includes a container inside itself).
    static std::optional<std::string> write(const NSObject* root);
};
