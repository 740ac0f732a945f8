// Checks XML text before it reaches the property-list library, which
// recurses once per nested element while parsing and again while freeing, and
// so overflows the stack on deep nesting. Only the element structure is
// scanned: comments, processing instructions, declarations and CDATA
// sections are skipped, attribute values may hold '>'.
#pragma once

#include <string_view>

class XmlPropertyListGuard {
public:
    // False when the text does not begin with markup, elements nest deeper
    // than the property-list depth limit allows, or the markup is cut off or
    // unbalanced.
    static bool check(std::string_view xml);
};
