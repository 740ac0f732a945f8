// dictionaryWithContentsOfFile: end to end, from a file in the device
// folder, so the file read and every limit on the way are in the fuzzed path.
// The file is Mail's preferences, read by the hook for every row. Property: a
// dictionary that reads is written back by writeToFile:atomically: and reads
// again as the same.
#include <cstdint>

#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "FuzzCheck.h"
#include "FuzzDevice.h"
#include "objc/NSAutoreleasePool.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NSAutoreleasePool pool;
    static const Ref<NSString> path = "/var/mobile/Library/Preferences/com.apple.mobilemail.plist"_ns;
    static const Ref<NSString> copy = "/var/mobile/Library/Preferences/com.apple.mobilemail.copy.plist"_ns;
    FuzzDevice::put(path->str(), data, size);
    Ref<NSDictionary> dictionary = NSDictionary::dictionaryWithContentsOfFile(path);
    if (!dictionary) return 0;
    if (!dictionary->writeToFile(copy, true)) return 0;
    Ref<NSDictionary> back = NSDictionary::dictionaryWithContentsOfFile(copy);
    fuzzCheckSameValue(dictionary, back, "a dictionary written to a file reads back the same");
    return 0;
}
