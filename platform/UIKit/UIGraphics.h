// The current drawing context of UIKit drawing: a stack, so that drawing code
// (a view's drawRect:, text drawing, colours' set) always draws into
// whatever the innermost caller pushed.
#pragma once

#include "CoreGraphics/CGContext.h"

// nil when nothing has been pushed.
CGContextRef UIGraphicsGetCurrentContext();
// The stack keeps the context alive until it is popped.
void UIGraphicsPushContext(CGContextRef context);
// Popping an empty stack does nothing.
void UIGraphicsPopContext();
