// The table of named colours behind UIColor_Expanded::colorWithName, and the
// uncached search in it.
#pragma once

#include "UIKit/UIColor.h"

class NSString;

namespace UIColor_Expanded_Support {

// ",name#rrggbb" for each of the 147 CSS colour keywords, in alphabetical order.
extern const char kColorNameTable[];

// The colour of a whole table entry, or nil. Case-sensitive; a name holding
// "," or "#" (which would reach across entries) matches nothing.
Ref<UIColor> searchForColorByName(NSString* name);

}  // namespace UIColor_Expanded_Support
