// The properties a target checks beyond "no crash": when one fails, the
// input is a finding like a crash, so the target aborts and libFuzzer keeps
// the input.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "Foundation/NSArray.h"
#include "Foundation/NSDate.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSObjectAdditions.h"
#include "Foundation/NSString.h"

inline void fuzzCheck(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property failed: %s\n", property);
    std::abort();
}

// Equal as property-list values, counting only the entries present: a value
// that fails its check inside a binary file reads as absent (and is not
// written) while its dictionary still counts the entry, so isEqual alone
// would tell the two apart for that. Numbers compare by value, since the
// binary writer stores a real that a float holds exactly in four bytes;
// dates to the microsecond, all that the binary writer keeps of them.
inline bool fuzzSameValue(const NSObject* a, const NSObject* b) {
    if (auto* dictionary = dynamic_cast<const NSDictionary*>(a)) {
        auto* other = dynamic_cast<const NSDictionary*>(b);
        if (!other) return false;
        std::size_t present = 0, theirs = 0;
        bool same = true;
        dictionary->enumerateKeysAndObjectsUsingBlock([&](NSObject* key, NSObject* value, bool* stop) {
            ++present;
            same = fuzzSameValue(value, other->objectForKey(key));
            *stop = !same;
        });
        other->enumerateKeysAndObjectsUsingBlock([&](NSObject*, NSObject*, bool*) { ++theirs; });
        return same && present == theirs;
    }
    if (auto* array = dynamic_cast<const NSArray*>(a)) {
        auto* other = dynamic_cast<const NSArray*>(b);
        if (!other || other->count() != array->count()) return false;
        for (NSUInteger i = 0; i < array->count(); ++i)
            if (!fuzzSameValue(array->objectAtIndex(i), other->objectAtIndex(i))) return false;
        return true;
    }
    if (auto* date = dynamic_cast<const NSDate*>(a)) {
        auto* other = dynamic_cast<const NSDate*>(b);
        return other &&
               std::fabs(date->timeIntervalSinceReferenceDate() - other->timeIntervalSinceReferenceDate()) <= 1e-6;
    }
    return a && b && a->isEqual(b);
}

// That `back`, read from what was written of `read`, holds the same value.
inline void fuzzCheckSameValue(const NSObject* read, const NSObject* back, const char* property) {
    if (fuzzSameValue(read, back)) return;
    std::fprintf(stderr, "read:\n%s\nread back:\n%s\n", NSObjectAdditions::description(read)->UTF8String(),
                 NSObjectAdditions::description(back)->UTF8String());
    fuzzCheck(false, property);
}
