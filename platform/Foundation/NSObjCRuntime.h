// Classes and operations found by their names, as settings files and other
// data name them.
#pragma once

#include "objc/ObjcClass.h"

class NSString;

// The class of that name; nil for a nil name or one that no class has.
Class NSClassFromString(const NSString* name);
// The operation of that name; nil for a nil name or one that no class
// answers, where the phone would make a selector that nothing answers, so a
// caller's check for nil catches a misspelt name before the message raises.
SEL NSSelectorFromString(const NSString* name);
