// The coloured label of a message row: made when Mail creates the row,
// coloured and restacked when Mail assigns a message, and, in the date
// background style, drawn behind the date when Mail lays the date out.
#ifndef KORVELHOOK_MESSAGELABEL_H
#define KORVELHOOK_MESSAGELABEL_H

#include "Geometry.h"
#include "objc/runtime.h"

namespace korvelhook {

class MessageLabel {
public:
    static const NSInteger kTag = 333;

    // Replacement of initWithStyle:reuseIdentifier:.
    static id cellCreation(id self, SEL cmd, NSInteger style, id reuseIdentifier);
    // Replacement of setMessage:threaded:.
    static void messageAssignment(id self, SEL cmd, id message, BOOL threaded);
    // Replacement of _dateLabelFrame:.
    static CGRect dateLabelLayout(id self, SEL cmd, CGRect rect);

    // The colour record (or other value) for a message. With `onlyMissing`,
    // the account's value replaces the alias's only when there is none at
    // all; otherwise also when it is not a dictionary.
    static id messageColour(id preferences, id message, bool onlyMissing);

    // The address of a sender or recipient entry: what stands between "<" and
    // ">" when both are there, else the whole entry.
    static id extractAddress(id entry);
};

}  // namespace korvelhook

#endif
