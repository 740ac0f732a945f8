// The XML guard and the XML reader behind it. Property: an XML property list
// that reads writes back (binary, as the phone writes) and reads again as an
// equal value.
#include <cstdint>
#include <string>
#include <string_view>

#include "Foundation/PropertyListFile.h"
#include "Foundation/XmlPropertyListGuard.h"
#include "FuzzCheck.h"
#include "objc/NSAutoreleasePool.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NSAutoreleasePool pool;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    // The binary form has its own target; here every input goes to the guard.
    if (bytes.starts_with("bplist")) bytes.insert(0, " ");
    std::string_view xml(bytes);
    if (xml.starts_with("\xEF\xBB\xBF")) xml.remove_prefix(3);
    bool passes = XmlPropertyListGuard::check(xml);
    Ref<NSObject> root = PropertyListFile::parse(bytes);
    fuzzCheck(passes || !root, "nothing the guard turns away reaches the reader");
    if (!root) return 0;
    auto written = PropertyListFile::serialize(root);
    if (!written) return 0;
    Ref<NSObject> back = PropertyListFile::parse(*written);
    fuzzCheckSameValue(root, back, "an XML property list written as binary reads back the same");
    return 0;
}
