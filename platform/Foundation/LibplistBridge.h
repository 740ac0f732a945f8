// Converts between the property-list library's node trees and the platform's
// objects. It is used for what the library does well: parsing XML (after the
// XML guard) and writing the binary form.
#pragma once

#include <plist/plist.h>

#include "objc/NSObject.h"

class LibplistBridge {
public:
    // nil when a node has no object counterpart or a text is not UTF-8.
    static Ref<NSObject> toObject(plist_t node);
    // A new node tree (the caller frees it with plist_free), or nullptr when
    // some object is not a property-list object or would not come back as it
    // is: nesting beyond the depth limit (which includes a container inside
    // itself), a text with a NUL character, a date outside the library's range.
    static plist_t toNode(const NSObject* object);
};
