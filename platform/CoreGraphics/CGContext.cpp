#include "CoreGraphics/CGContext.h"

#include <algorithm>
#include <cmath>

#include "objc/ClassBuilder.h"

Class CGContext::class_() {
    static Class cls = objc::ClassBuilder<CGContext>("CGContext", NSObject::class_()).build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = CGContext::class_();

namespace {

Ref<CGColor> opaqueBlack() {
    const CGFloat black[] = {0, 1};
    return CGColorCreate(CGColorSpaceCreateDeviceGray(), black);
}

}  // namespace

CGContext::CGContext(cairo_t* cr) : cr_(cairo_reference(cr)) {
    state_.fill = opaqueBlack();
    state_.stroke = state_.fill;
}

CGContext::~CGContext() { cairo_destroy(cr_); }

Ref<CGContext> CGContext::bitmap(int pixelWidth, int pixelHeight) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth, pixelHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_surface_destroy(surface);
    auto context = make<CGContext>(cr);
    cairo_destroy(cr);
    return context;
}

void CGContext::saveGState() {
    cairo_save(cr_);
    saved_.push_back(state_);
}

void CGContext::restoreGState() {
    if (saved_.empty()) return;
    cairo_restore(cr_);
    state_ = std::move(saved_.back());
    saved_.pop_back();
}

void CGContext::setFillColor(CGColor* color) {
    if (color) state_.fill = color;
}

void CGContext::setStrokeColor(CGColor* color) {
    if (color) state_.stroke = color;
}

void CGContext::useFillColor() { useColor(state_.fill); }

void CGContext::useStrokeColor() { useColor(state_.stroke); }

void CGContext::useColor(CGColor* color) {
    const CGFloat* c = CGColorGetComponents(color);
    double alpha = CGColorGetAlpha(color) * state_.alpha;
    switch (CGColorSpaceGetModel(CGColorGetColorSpace(color))) {
        case kCGColorSpaceModelMonochrome:
            cairo_set_source_rgba(cr_, c[0], c[0], c[0], alpha);
            return;
        case kCGColorSpaceModelRGB:
            cairo_set_source_rgba(cr_, c[0], c[1], c[2], alpha);
            return;
        default:
            cairo_set_source_rgba(cr_, 0, 0, 0, 0);
            return;
    }
}

CGContextRef CGContextRetain(CGContextRef c) {
    if (c) c->retain();
    return c;
}

void CGContextRelease(CGContextRef c) {
    if (c) c->release();
}

void CGContextSaveGState(CGContextRef c) {
    if (c) c->saveGState();
}

void CGContextRestoreGState(CGContextRef c) {
    if (c) c->restoreGState();
}

void CGContextTranslateCTM(CGContextRef c, CGFloat tx, CGFloat ty) {
    if (c) cairo_translate(c->cairo(), tx, ty);
}

void CGContextScaleCTM(CGContextRef c, CGFloat sx, CGFloat sy) {
    // A zero scale would leave Cairo with a singular matrix, which it treats
    // as a fatal state for the whole context; nothing drawn at that scale
    // could be seen anyway.
    if (c && sx != 0 && sy != 0) cairo_scale(c->cairo(), sx, sy);
}

void CGContextRotateCTM(CGContextRef c, CGFloat angle) {
    if (c) cairo_rotate(c->cairo(), angle);
}

void CGContextConcatCTM(CGContextRef c, CGAffineTransform t) {
    if (!c || t.a * t.d - t.b * t.c == 0) return;
    cairo_matrix_t m;
    cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
    cairo_transform(c->cairo(), &m);
}

CGAffineTransform CGContextGetCTM(CGContextRef c) {
    if (!c) return CGAffineTransformIdentity;
    cairo_matrix_t m;
    cairo_get_matrix(c->cairo(), &m);
    return CGAffineTransformMake(static_cast<CGFloat>(m.xx), static_cast<CGFloat>(m.yx), static_cast<CGFloat>(m.xy),
                                 static_cast<CGFloat>(m.yy), static_cast<CGFloat>(m.x0), static_cast<CGFloat>(m.y0));
}

void CGContextSetRGBFillColor(CGContextRef c, CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha) {
    const CGFloat components[] = {red, green, blue, alpha};
    if (c) c->setFillColor(CGColorCreate(CGColorSpaceCreateDeviceRGB(), components));
}

void CGContextSetRGBStrokeColor(CGContextRef c, CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha) {
    const CGFloat components[] = {red, green, blue, alpha};
    if (c) c->setStrokeColor(CGColorCreate(CGColorSpaceCreateDeviceRGB(), components));
}

void CGContextSetGrayFillColor(CGContextRef c, CGFloat gray, CGFloat alpha) {
    const CGFloat components[] = {gray, alpha};
    if (c) c->setFillColor(CGColorCreate(CGColorSpaceCreateDeviceGray(), components));
}

void CGContextSetFillColorWithColor(CGContextRef c, CGColor* color) {
    if (c) c->setFillColor(color);
}

void CGContextSetStrokeColorWithColor(CGContextRef c, CGColor* color) {
    if (c) c->setStrokeColor(color);
}

void CGContextSetAlpha(CGContextRef c, CGFloat alpha) {
    if (c) c->setAlpha(alpha < 0 ? 0 : alpha > 1 ? 1 : alpha);
}

void CGContextSetLineWidth(CGContextRef c, CGFloat width) {
    if (c && width >= 0) cairo_set_line_width(c->cairo(), width);
}

void CGContextFillRect(CGContextRef c, CGRect rect) {
    CGContextBeginPath(c);
    CGContextAddRect(c, rect);
    CGContextFillPath(c);
}

void CGContextStrokeRect(CGContextRef c, CGRect rect) {
    CGContextBeginPath(c);
    CGContextAddRect(c, rect);
    CGContextStrokePath(c);
}

void CGContextClearRect(CGContextRef c, CGRect rect) {
    if (!c || CGRectIsNull(rect)) return;
    cairo_t* cr = c->cairo();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_new_path(cr);
    CGContextAddRect(c, rect);
    cairo_fill(cr);
    cairo_restore(cr);
}

void CGContextClipToRect(CGContextRef c, CGRect rect) {
    if (!c) return;
    cairo_t* cr = c->cairo();
    cairo_new_path(cr);
    if (CGRectIsNull(rect)) rect = CGRectZero;
    CGContextAddRect(c, rect);
    cairo_clip(cr);
}

CGRect CGContextGetClipBoundingBox(CGContextRef c) {
    if (!c) return CGRectNull;
    double x1, y1, x2, y2;
    cairo_clip_extents(c->cairo(), &x1, &y1, &x2, &y2);
    return CGRectMake(static_cast<CGFloat>(x1), static_cast<CGFloat>(y1), static_cast<CGFloat>(x2 - x1),
                      static_cast<CGFloat>(y2 - y1));
}

void CGContextBeginPath(CGContextRef c) {
    if (c) cairo_new_path(c->cairo());
}

void CGContextMoveToPoint(CGContextRef c, CGFloat x, CGFloat y) {
    if (c) cairo_move_to(c->cairo(), x, y);
}

void CGContextAddLineToPoint(CGContextRef c, CGFloat x, CGFloat y) {
    if (!c) return;
    if (cairo_has_current_point(c->cairo())) cairo_line_to(c->cairo(), x, y);
    else cairo_move_to(c->cairo(), x, y);
}

void CGContextAddArcToPoint(CGContextRef c, CGFloat x1, CGFloat y1, CGFloat x2, CGFloat y2, CGFloat radius) {
    if (!c) return;
    cairo_t* cr = c->cairo();
    if (!cairo_has_current_point(cr)) {
        cairo_move_to(cr, x1, y1);
        return;
    }
    double x0, y0;
    cairo_get_current_point(cr, &x0, &y0);
    // Unit vectors from the corner towards the current point and towards the
    // end point; the arc touches both lines.
    double ux = x0 - x1, uy = y0 - y1, vx = x2 - x1, vy = y2 - y1;
    double ul = std::hypot(ux, uy), vl = std::hypot(vx, vy);
    double cross = ux * vy - uy * vx;
    if (radius <= 0 || ul == 0 || vl == 0 || cross == 0) {
        cairo_line_to(cr, x1, y1);
        return;
    }
    ux /= ul, uy /= ul, vx /= vl, vy /= vl;
    double half = std::acos(std::clamp(ux * vx + uy * vy, -1.0, 1.0)) / 2;
    double toTangent = radius / std::tan(half);
    double toCentre = radius / std::sin(half);
    double bx = ux + vx, by = uy + vy, bl = std::hypot(bx, by);
    double cx = x1 + bx / bl * toCentre, cy = y1 + by / bl * toCentre;
    double t1x = x1 + ux * toTangent, t1y = y1 + uy * toTangent;
    double t2x = x1 + vx * toTangent, t2y = y1 + vy * toTangent;
    cairo_line_to(cr, t1x, t1y);
    double a1 = std::atan2(t1y - cy, t1x - cx), a2 = std::atan2(t2y - cy, t2x - cx);
    // Turning towards increasing angles (x towards y) runs the arc that way.
    if (cross < 0) cairo_arc(cr, cx, cy, radius, a1, a2);
    else cairo_arc_negative(cr, cx, cy, radius, a1, a2);
}

void CGContextAddRect(CGContextRef c, CGRect rect) {
    if (!c || CGRectIsNull(rect)) return;
    rect = CGRectStandardize(rect);
    cairo_rectangle(c->cairo(), rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
}

void CGContextClosePath(CGContextRef c) {
    if (c) cairo_close_path(c->cairo());
}

void CGContextFillPath(CGContextRef c) {
    if (!c) return;
    c->useFillColor();
    cairo_fill(c->cairo());
}

void CGContextStrokePath(CGContextRef c) {
    if (!c) return;
    c->useStrokeColor();
    cairo_stroke(c->cairo());
}

void CGContextClip(CGContextRef c) {
    if (c) cairo_clip(c->cairo());
}
