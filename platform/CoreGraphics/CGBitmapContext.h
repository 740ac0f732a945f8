// What a bitmap context is made of. Every bitmap context here draws into
// premultiplied ARGB pixels.
#pragma once

#include "CoreGraphics/CGColorSpace.h"
#include "CoreGraphics/CGContext.h"

// The device RGB space (owned by the context: not to be released by the
// caller); nil for a nil context.
CGColorSpaceRef CGBitmapContextGetColorSpace(CGContextRef c);
