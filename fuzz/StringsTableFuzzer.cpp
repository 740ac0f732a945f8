// The strings-table reader. Property: a table that reads, written out again
// as `"key" = "value";` entries with only `"` and `\` escaped, reads back to
// the same entries.
#include <cstdint>
#include <string>
#include <string_view>

#include "Foundation/StringsTable.h"
#include "FuzzCheck.h"

namespace {

void appendQuoted(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    out += '"';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto table = StringsTable::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!table) return 0;
    std::string written;
    for (const auto& [key, value] : table->entries()) {
        appendQuoted(written, key);
        written += " = ";
        appendQuoted(written, value);
        written += ";\n";
    }
    auto back = StringsTable::parse(written);
    fuzzCheck(back && back->entries() == table->entries(), "a table written out reads back to the same entries");
    return 0;
}
