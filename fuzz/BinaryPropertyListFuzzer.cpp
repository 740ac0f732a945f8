// The binary property-list reader. Property: whatever reads writes back in
// the binary form and reads again as the same value, and what was read back
// writes the same bytes again.
#include <cstdint>
#include <string>

#include "Foundation/BinaryPropertyList.h"
#include "Foundation/PropertyListFile.h"
#include "FuzzCheck.h"
#include "objc/NSAutoreleasePool.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NSAutoreleasePool pool;
    Ref<NSObject> root = BinaryPropertyList::read(std::string(reinterpret_cast<const char*>(data), size));
    if (!root) return 0;
    auto written = PropertyListFile::serialize(root);
    if (!written) return 0;
    Ref<NSObject> back = PropertyListFile::parse(*written);
    fuzzCheckSameValue(root, back, "a written property list reads back the same");
    // Writing depends only on the value: what was read back writes the very same bytes.
    auto rewritten = PropertyListFile::serialize(back);
    fuzzCheck(rewritten.has_value() && *rewritten == *written, "what was read back writes the same bytes");
    return 0;
}
