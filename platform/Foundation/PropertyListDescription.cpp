#include "Foundation/PropertyListDescription.h"

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSSet.h"
#include "Foundation/NSObjectAdditions.h"
#include "Foundation/NSString.h"

namespace {

std::string quoted(const std::string& s) {
    bool plain = !s.empty();
    for (unsigned char c : s)
        if (!(std::isalnum(c) || c == '_' || c == '$' || c == '.' || c == '/' || c == ':') || c >= 0x80) plain = false;
    if (plain) return s;
    std::string out = "\"";
    for (char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out + "\"";
}

std::string indent(unsigned level) { return std::string(level * 4, ' '); }

}  // namespace

std::string PropertyListDescription::describe(const NSObject* object, unsigned level) {
    if (!object) return "(null)";
    if (auto* s = dynamic_cast<const NSString*>(object)) return quoted(s->str());
    if (auto* a = dynamic_cast<const NSArray*>(object)) {
        std::string out = "(\n";
        for (NSUInteger i = 0, n = a->count(); i < n; ++i)
            out += indent(level + 1) + describe(a->objectAtIndex(i), level + 1) + (i + 1 < n ? ",\n" : "\n");
        return out + indent(level) + ")";
    }
    if (auto* set = dynamic_cast<const NSSet*>(object)) {
        std::string out = "{(\n";
        Ref<NSArray> members = set->allObjects();
        for (NSUInteger i = 0, n = members->count(); i < n; ++i)
            out += indent(level + 1) + describe(members->objectAtIndex(i), level + 1) + (i + 1 < n ? ",\n" : "\n");
        return out + indent(level) + ")}";
    }
    if (auto* d = dynamic_cast<const NSDictionary*>(object)) {
        std::string out = "{\n";
        d->enumerateKeysAndObjectsUsingBlock([&](NSObject* key, NSObject* value, bool*) {
            out += indent(level + 1) + describe(key, level + 1) + " = " + describe(value, level + 1) + ";\n";
        });
        return out + indent(level) + "}";
    }
    return NSObjectAdditions::description(object)->str();
}
