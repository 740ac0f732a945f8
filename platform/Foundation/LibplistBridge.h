// Converts the property-list library's node trees to the platform's objects.
// It is used for what the library does well: parsing XML (after the XML
// guard). The binary form is read and written by the platform's own reader
// and writer.
#pragma once

#include <plist/plist.h>

#include "objc/NSObject.h"

class LibplistBridge {
public:
    // nil when a node has no object counterpart or a text is not UTF-8.
    static Ref<NSObject> toObject(plist_t node);
};
