#include "Foundation/XmlPropertyListGuard.h"

#include "Foundation/PropertyListFile.h"

namespace {

// The <plist> element and a leaf element inside the deepest container.
constexpr unsigned kElementAllowance = 2;

// End of markup starting at `from`: the '>' outside quoted attribute values
// and, in a declaration such as <!DOCTYPE ...>, outside its bracketed subset.
std::size_t markupEnd(std::string_view xml, std::size_t from, bool declaration) {
    int brackets = 0;
    char quote = 0;
    for (std::size_t i = from; i < xml.size(); ++i) {
        char c = xml[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (declaration && (c == '[' || c == ']')) {
            brackets += c == '[' ? 1 : -1;
        } else if (c == '>' && brackets <= 0) {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace

bool XmlPropertyListGuard::check(std::string_view xml) {
    const unsigned maxDepth = PropertyListFile::kMaxDepth + kElementAllowance;
    // XML begins with markup; anything else (a file of zero bytes, say) is
    // not handed to the parser at all.
    std::size_t i = xml.find_first_not_of(" \t\r\n");
    if (i == std::string_view::npos || xml[i] != '<') return false;
    unsigned depth = 0;
    while ((i = xml.find('<', i)) != std::string_view::npos) {
        std::string_view rest = xml.substr(i);
        std::size_t end;
        if (rest.starts_with("<!--")) {
            end = xml.find("-->", i + 4);
            if (end == std::string_view::npos) return false;
            i = end + 3;
        } else if (rest.starts_with("<![CDATA[")) {
            end = xml.find("]]>", i + 9);
            if (end == std::string_view::npos) return false;
            i = end + 3;
        } else if (rest.starts_with("<?")) {
            end = xml.find("?>", i + 2);
            if (end == std::string_view::npos) return false;
            i = end + 2;
        } else if (rest.starts_with("<!")) {
            end = markupEnd(xml, i + 2, true);
            if (end == std::string_view::npos) return false;
            i = end + 1;
        } else if (rest.starts_with("</")) {
            end = markupEnd(xml, i + 2, false);
            if (end == std::string_view::npos || depth == 0) return false;
            --depth;
            i = end + 1;
        } else {
            end = markupEnd(xml, i + 1, false);
            if (end == std::string_view::npos) return false;
            if (xml[end - 1] != '/' && ++depth > maxDepth) return false;
            i = end + 1;
        }
    }
    return depth == 0;
}
