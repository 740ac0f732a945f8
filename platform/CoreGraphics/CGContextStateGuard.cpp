#include "CoreGraphics/CGContextStateGuard.h"

CGContextStateGuard::CGContextStateGuard(CGContextRef context) : context_(context) { CGContextSaveGState(context_); }

CGContextStateGuard::~CGContextStateGuard() { CGContextRestoreGState(context_); }
