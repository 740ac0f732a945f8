#include "UIKit/UIGraphicsContextGuard.h"

#include "UIKit/UIGraphics.h"

UIGraphicsContextGuard::UIGraphicsContextGuard(CGContextRef context) { UIGraphicsPushContext(context); }

UIGraphicsContextGuard::~UIGraphicsContextGuard() { UIGraphicsPopContext(); }
