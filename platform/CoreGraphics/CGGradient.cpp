#include "CoreGraphics/CGGradient.h"

#include <algorithm>
#include <cmath>

#include "CoreGraphics/CGContextStateGuard.h"
#include "objc/ClassBuilder.h"

Class CGGradient::class_() {
    static Class cls = objc::ClassBuilder<CGGradient>("CGGradient", NSObject::class_()).build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = CGGradient::class_();

CGGradient::CGGradient(std::vector<Stop> stops) : stops_(std::move(stops)) {
    std::stable_sort(stops_.begin(), stops_.end(), [](const Stop& a, const Stop& b) { return a.location < b.location; });
}

namespace {

CGFloat unit(CGFloat v) { return std::isfinite(v) ? std::clamp<CGFloat>(v, 0, 1) : 0; }

}  // namespace

Ref<CGGradient> CGGradientCreateWithColorComponents(CGColorSpaceRef space, const CGFloat* components,
                                                    const CGFloat* locations, std::size_t count) {
    const CGColorSpaceModel model = CGColorSpaceGetModel(space);
    if (!components || count == 0 || (model != kCGColorSpaceModelRGB && model != kCGColorSpaceModelMonochrome))
        return nullptr;
    const std::size_t perColour = CGColorSpaceGetNumberOfComponents(space) + 1;
    std::vector<CGGradient::Stop> stops;
    stops.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const CGFloat* c = components + i * perColour;
        CGFloat location = locations ? locations[i] : count == 1 ? 0 : CGFloat(i) / CGFloat(count - 1);
        if (model == kCGColorSpaceModelRGB)
            stops.push_back({unit(location), unit(c[0]), unit(c[1]), unit(c[2]), unit(c[3])});
        else
            stops.push_back({unit(location), unit(c[0]), unit(c[0]), unit(c[0]), unit(c[1])});
    }
    return make<CGGradient>(std::move(stops));
}

void CGContextDrawLinearGradient(CGContextRef c, CGGradientRef gradient, CGPoint start, CGPoint end,
                                 CGGradientDrawingOptions options) {
    if (!c || !gradient) return;
    const double dx = double(end.x) - start.x, dy = double(end.y) - start.y;
    const double length = std::hypot(dx, dy);
    if (!(length > 0) || !std::isfinite(length) || !std::isfinite(start.x) || !std::isfinite(start.y)) return;
    CGContextStateGuard saved(c);
    cairo_t* cr = c->cairo();
    // Work along the axis: x runs from the start point (0) to the end point
    // (length), y across it.
    cairo_translate(cr, start.x, start.y);
    cairo_rotate(cr, std::atan2(dy, dx));
    double x1, y1, x2, y2;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    const double from = options & kCGGradientDrawsBeforeStartLocation ? std::min(x1, 0.0) : 0.0;
    const double to = options & kCGGradientDrawsAfterEndLocation ? std::max(x2, length) : length;
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, 0, length, 0);
    for (const auto& stop : gradient->stops())
        cairo_pattern_add_color_stop_rgba(pattern, stop.location, stop.red, stop.green, stop.blue, stop.alpha);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_set_source(cr, pattern);
    cairo_new_path(cr);
    cairo_rectangle(cr, from, y1, to - from, y2 - y1);
    cairo_clip(cr);
    cairo_paint_with_alpha(cr, c->alpha());
    cairo_pattern_destroy(pattern);
}
