#include "CoreGraphics/CGBitmapContext.h"

CGColorSpaceRef CGBitmapContextGetColorSpace(CGContextRef c) {
    if (!c) return nullptr;
    static const Ref<CGColorSpace> deviceRGB = CGColorSpaceCreateDeviceRGB();
    return deviceRGB;
}
