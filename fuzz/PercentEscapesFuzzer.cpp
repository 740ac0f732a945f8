// The percent-escape decoder. Property: a decoded text, escaped as a path,
// decodes to the same bytes; and decoding succeeds only where every escape is
// well formed.
#include <cstdint>
#include <string_view>

#include "Foundation/PercentEscapes.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto decoded = PercentEscapes::decode(text);
    if (!decoded) return 0;
    fuzzCheck(PercentEscapes::escapesAreWellFormed(text), "only well-formed escapes decode");
    fuzzCheck(PercentEscapes::decode(PercentEscapes::escapePath(*decoded)) == decoded,
              "a decoded text escaped again decodes to the same bytes");
    return 0;
}
