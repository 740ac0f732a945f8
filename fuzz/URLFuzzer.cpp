// The URL parser. Property: a URL keeps its text; its scheme and resource
// specifier put together give that text back; and its text parses to an
// equal URL with the same parts.
#include <cstdint>
#include <string>
#include <string_view>

#include "Foundation/NSString.h"
#include "Foundation/NSURL.h"
#include "FuzzCheck.h"
#include "objc/NSAutoreleasePool.h"

namespace {

bool same(const Ref<NSString>& a, const Ref<NSString>& b) { return a ? b && a->isEqual(b) : !b; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NSAutoreleasePool pool;
    Ref<NSString> text = NSString::fromUTF8(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!text) return 0;
    Ref<NSURL> url = NSURL::URLWithString(text);
    if (!url) return 0;
    fuzzCheck(url->absoluteString()->isEqual(text), "a URL keeps its text");
    Ref<NSString> scheme = url->scheme();
    std::string joined = (scheme ? scheme->str() + ":" : std::string()) + url->resourceSpecifier()->str();
    fuzzCheck(joined == text->str(), "scheme and resource specifier make up the text");
    Ref<NSURL> again = NSURL::URLWithString(url->absoluteString());
    fuzzCheck(again && again->isEqual(url) && same(again->host(), url->host()) && same(again->path(), url->path()),
              "a URL's text parses to an equal URL");
    return 0;
}
