#include "Foundation/NSObjCRuntime.h"

#include "Foundation/NSString.h"
#include "objc/ObjcRuntime.h"

Class NSClassFromString(const NSString* name) { return name ? objc_getClass(name->UTF8String()) : nullptr; }

SEL NSSelectorFromString(const NSString* name) {
    return name ? objc::implementedSelector(name->UTF8String()) : nullptr;
}
