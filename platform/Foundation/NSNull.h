// The one object that stands for "nothing" where nil cannot go, such as in a
// collection.
#pragma once

#include "objc/NSObject.h"

class NSString;

class NSNull : public NSObject {
    KORVEL_OBJC_CLASS(NSNull)
public:
    static Ref<NSNull> null();

    Ref<NSString> description() const;
};
