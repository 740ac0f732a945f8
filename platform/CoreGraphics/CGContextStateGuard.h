// Saves a context's graphics state (clip, transform, colours, alpha) for the
// length of a scope and restores it on every way out, a throw included, so
// that drawing code cannot leave a context changed. A null context saves
// nothing.
#pragma once

#include "CoreGraphics/CGContext.h"

class CGContextStateGuard {
public:
    explicit CGContextStateGuard(CGContextRef context);
    ~CGContextStateGuard();
    CGContextStateGuard(const CGContextStateGuard&) = delete;
    CGContextStateGuard& operator=(const CGContextStateGuard&) = delete;

private:
    CGContextRef context_;
};
