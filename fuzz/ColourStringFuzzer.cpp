// The colour-string readers: the text form ("{r, g, b, a}" or "{w, a}"), the
// hex form and colour names. Property: a colour read from text writes a text
// that reads as a colour writing the same text again; the same for hex.
#include <cstdint>
#include <string_view>

#include "Color/UIColor_Expanded.h"
#include "Foundation/NSString.h"
#include "FuzzCheck.h"
#include "objc/NSAutoreleasePool.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NSAutoreleasePool pool;
    Ref<NSString> text = NSString::fromUTF8(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!text) return 0;
    if (Ref<UIColor> colour = UIColor_Expanded::colorWithString(text)) {
        Ref<NSString> written = UIColor_Expanded::stringFromColor(colour);
        fuzzCheck(written != nullptr, "a colour read from its text form has a text form");
        Ref<UIColor> again = UIColor_Expanded::colorWithString(written);
        fuzzCheck(again && UIColor_Expanded::stringFromColor(again)->isEqual(written),
                  "the text form of a colour reads back to the same text");
    }
    if (Ref<UIColor> colour = UIColor_Expanded::colorWithHexString(text)) {
        Ref<NSString> hex = UIColor_Expanded::hexStringFromColor(colour);
        Ref<UIColor> again = UIColor_Expanded::colorWithHexString(hex);
        fuzzCheck(again && UIColor_Expanded::hexStringFromColor(again)->isEqual(hex),
                  "the hex form of a colour reads back to the same hex");
    }
    UIColor_Expanded::colorWithName(text);
    return 0;
}
