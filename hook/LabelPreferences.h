// Reading the label preferences and Mail's own preferences, afresh at every
// call: the settings app may have changed them since the last row.
#ifndef KORVELHOOK_LABELPREFERENCES_H
#define KORVELHOOK_LABELPREFERENCES_H

#include "objc/runtime.h"

namespace korvelhook {

class LabelPreferences {
public:
    // The whole label preferences dictionary, or nil when the file is missing
    // or unreadable. The `preferences` below are what this answered.
    static id read();

    // Integer reading of an option key; absent keys, and values that have no
    // integer reading (a dictionary, say), read as 0.
    static int option(id preferences, const char* key);

    // Mail's "LinesOfPreview": 2 when absent or not a number or text.
    static int previewLines();

    // The value under the lower-case form of `address`; nil without one.
    static id valueForAddress(id preferences, id address);

    // Whether a looked-up value is a colour record: a dictionary with "red".
    static bool hasRed(id value);

    // The record's colour; components that are missing, or that a value
    // without entries cannot give, read as 0.
    static id colour(id record);
};

}  // namespace korvelhook

#endif
