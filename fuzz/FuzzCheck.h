// The properties a target checks beyond "no crash": when one fails, the
// input is a finding like a crash, so the target aborts and libFuzzer keeps
// the input.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "Foundation/NSString.h"

inline void fuzzCheck(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property failed: %s\n", property);
    std::abort();
}

// That `back`, read from what was written of `read`, holds the same value.
// Compared by description, which shows every value present: a value that
// fails its check inside a binary file reads as absent (and is not written),
// while the dictionary still counts its entry, so isEqual would tell the two
// apart for that alone.
inline void fuzzCheckSameValue(const NSObject* read, const NSObject* back, const char* property) {
    if (back && back->description()->isEqual(read->description())) return;
    std::fprintf(stderr, "read:\n%s\nread back:\n%s\n", read->description()->UTF8String(),
                 back ? back->description()->UTF8String() : "nil");
    fuzzCheck(false, property);
}
