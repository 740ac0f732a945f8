// One entry of a class's method table.
#pragma once

#include <string>

#include "objc/runtime.h"

struct objc_method {
    SEL name;
    std::string types;
    IMP imp;
};
