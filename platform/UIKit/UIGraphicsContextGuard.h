// Makes a context the current one (UIGraphicsPushContext) for the length of
// a scope and pops it on every way out, a throw included, so that a view's
// drawing cannot leave its context current after it.
#pragma once

#include "CoreGraphics/CGContext.h"

class UIGraphicsContextGuard {
public:
    explicit UIGraphicsContextGuard(CGContextRef context);
    ~UIGraphicsContextGuard();
    UIGraphicsContextGuard(const UIGraphicsContextGuard&) = delete;
    UIGraphicsContextGuard& operator=(const UIGraphicsContextGuard&) = delete;
};
