#include "UIKit/ViewRenderer.h"

#include <algorithm>
#include <cmath>

#include "CoreGraphics/CGContextStateGuard.h"
#include "Foundation/NSArray.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIGraphicsContextGuard.h"
#include "UIKit/UIView.h"
#include "objc/ClassBuilder.h"

namespace {

// Cairo's image surfaces are limited to this many pixels a side.
const double kLargestImageSide = 32767;

CGFloat clampedOpacity(float opacity) { return opacity > 0 ? std::min(opacity, 1.0f) : 0; }

}  // namespace

void ViewRenderer::addRoundedRectPath(CGContextRef c, CGRect r, CGFloat radius) {
    radius = std::min({radius, r.size.width / 2, r.size.height / 2});
    CGContextBeginPath(c);
    if (!(radius > 0)) {
        CGContextAddRect(c, r);
        return;
    }
    CGFloat minX = CGRectGetMinX(r), maxX = CGRectGetMaxX(r), minY = CGRectGetMinY(r), maxY = CGRectGetMaxY(r);
    CGContextMoveToPoint(c, minX + radius, minY);
    CGContextAddArcToPoint(c, maxX, minY, maxX, maxY, radius);
    CGContextAddArcToPoint(c, maxX, maxY, minX, maxY, radius);
    CGContextAddArcToPoint(c, minX, maxY, minX, minY, radius);
    CGContextAddArcToPoint(c, minX, minY, maxX, minY, radius);
    CGContextClosePath(c);
}

void ViewRenderer::render(UIView* root, CGContextRef context) {
    if (!root || !context) return;
    root->layoutIfNeeded();
    Ref<CALayer> shown = root->layer()->presentationLayer();
    CGContextStateGuard saved(context);
    CGContextTranslateCTM(context, -shown->bounds().origin.x, -shown->bounds().origin.y);
    drawView(root, shown, context, 1);
}

bool ViewRenderer::renderToPNG(UIView* root, const std::string& path, CGFloat scale) {
    if (!root || !(scale > 0) || !std::isfinite(scale)) return false;
    CGSize size = root->bounds().size;
    double width = std::ceil(std::fabs(size.width) * scale), height = std::ceil(std::fabs(size.height) * scale);
    if (!(width >= 1 && height >= 1 && width <= kLargestImageSide && height <= kLargestImageSide)) return false;
    Ref<CGContext> context = CGContext::bitmap(static_cast<int>(width), static_cast<int>(height));
    CGContextScaleCTM(context, scale, scale);
    render(root, context);
    return cairo_surface_write_to_png(context->surface(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

void ViewRenderer::drawView(UIView* view, const CALayer* shown, CGContextRef context, CGFloat inheritedAlpha) {
    if (shown->isHidden()) return;
    CGFloat alpha = inheritedAlpha * clampedOpacity(shown->opacity());
    if (alpha <= 0) return;
    CGRect bounds = shown->bounds();
    CGContextStateGuard saved(context);
    CGContextSetAlpha(context, alpha);

    if (CGColor* background = shown->backgroundColor()) {
        CGContextSetFillColorWithColor(context, background);
        addRoundedRectPath(context, bounds, shown->cornerRadius());
        CGContextFillPath(context);
    }
    if (shown->masksToBounds()) {
        addRoundedRectPath(context, bounds, shown->cornerRadius());
        CGContextClip(context);
    }

    // The view's own drawing lands in a backing store the size of its bounds.
    {
        CGContextStateGuard clipped(context);
        CGContextClipToRect(context, bounds);
        UIGraphicsContextGuard current(context);
        view->drawRect(bounds);
    }
    view->clearNeedsDisplay();

    Ref<NSArray> subviews = view->subviews();
    for (NSUInteger i = 0; i < subviews->count(); ++i) {
        auto* subview = objc::cast<UIView>(subviews->objectAtIndex(i));
        Ref<CALayer> subShown = subview->layer()->presentationLayer();
        CGAffineTransform toSuperlayer = subShown->transformToSuperlayer();
        // A view squashed flat (a zero scale) shows nothing.
        if (toSuperlayer.a * toSuperlayer.d - toSuperlayer.b * toSuperlayer.c == 0) continue;
        CGContextStateGuard placed(context);
        CGContextConcatCTM(context, toSuperlayer);
        drawView(subview, subShown, context, alpha);
    }
}
