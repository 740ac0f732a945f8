// A drawing context on Cairo. The coordinate system is the one views draw in:
// origin at the top left, y running down, one unit per point (the context's
// base transform carries the device scale).
//
// Cairo keeps one source for filling and stroking; the platform keeps a fill
// colour, a stroke colour and a global alpha. Those live here, saved and
// restored together with Cairo's own state (transform, clip, line width,
// current path), so CGContextSaveGState/RestoreGState cover all of it.
#pragma once

#include <cairo.h>

#include <vector>

#include "CoreGraphics/CGAffineTransform.h"
#include "CoreGraphics/CGColor.h"
#include "objc/NSObject.h"

class CGContext : public NSObject {
    KORVEL_OBJC_CLASS(CGContext)
public:
    // Draws through `cr`, which the context references for its whole life.
    explicit CGContext(cairo_t* cr);
    ~CGContext() override;

    // A context over a new transparent ARGB image of the given pixel size.
    static Ref<CGContext> bitmap(int pixelWidth, int pixelHeight);

    cairo_t* cairo() const { return cr_; }
    cairo_surface_t* surface() const { return cairo_get_target(cr_); }

    void saveGState();
    void restoreGState();

    // A nil colour leaves the current one in place.
    void setFillColor(CGColor* color);
    void setStrokeColor(CGColor* color);
    CGColor* fillColor() const { return state_.fill; }
    CGColor* strokeColor() const { return state_.stroke; }
    void setAlpha(CGFloat alpha) { state_.alpha = alpha; }
    CGFloat alpha() const { return state_.alpha; }

    // Makes the fill (or stroke) colour, times the global alpha, Cairo's
    // source. A colour that Cairo cannot show plainly paints nothing.
    void useFillColor();
    void useStrokeColor();

private:
    struct State {
        Ref<CGColor> fill;
        Ref<CGColor> stroke;
        CGFloat alpha = 1;
    };

    void useColor(CGColor* color);

    cairo_t* cr_;
    State state_;
    std::vector<State> saved_;
};

typedef CGContext* CGContextRef;

CGContextRef CGContextRetain(CGContextRef c);
void CGContextRelease(CGContextRef c);

void CGContextSaveGState(CGContextRef c);
// Restoring more often than saving does nothing.
void CGContextRestoreGState(CGContextRef c);

void CGContextTranslateCTM(CGContextRef c, CGFloat tx, CGFloat ty);
void CGContextScaleCTM(CGContextRef c, CGFloat sx, CGFloat sy);
void CGContextRotateCTM(CGContextRef c, CGFloat angle);
void CGContextConcatCTM(CGContextRef c, CGAffineTransform t);
CGAffineTransform CGContextGetCTM(CGContextRef c);

void CGContextSetRGBFillColor(CGContextRef c, CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
void CGContextSetRGBStrokeColor(CGContextRef c, CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
void CGContextSetGrayFillColor(CGContextRef c, CGFloat gray, CGFloat alpha);
void CGContextSetFillColorWithColor(CGContextRef c, CGColor* color);
void CGContextSetStrokeColorWithColor(CGContextRef c, CGColor* color);
// Multiplies everything drawn afterwards.
void CGContextSetAlpha(CGContextRef c, CGFloat alpha);
void CGContextSetLineWidth(CGContextRef c, CGFloat width);

void CGContextFillRect(CGContextRef c, CGRect rect);
// Strokes along the rectangle's edges, half the line width on either side.
void CGContextStrokeRect(CGContextRef c, CGRect rect);
// Makes the rectangle fully transparent.
void CGContextClearRect(CGContextRef c, CGRect rect);
void CGContextClipToRect(CGContextRef c, CGRect rect);
// The clip's bounds in user space (the whole target when nothing is clipped).
CGRect CGContextGetClipBoundingBox(CGContextRef c);

void CGContextBeginPath(CGContextRef c);
void CGContextMoveToPoint(CGContextRef c, CGFloat x, CGFloat y);
void CGContextAddLineToPoint(CGContextRef c, CGFloat x, CGFloat y);
// A corner of the given radius between the lines from the current point to
// (x1, y1) and from there to (x2, y2).
void CGContextAddArcToPoint(CGContextRef c, CGFloat x1, CGFloat y1, CGFloat x2, CGFloat y2, CGFloat radius);
void CGContextAddRect(CGContextRef c, CGRect rect);
void CGContextClosePath(CGContextRef c);
// These consume the current path, as on the platform.
void CGContextFillPath(CGContextRef c);
void CGContextStrokePath(CGContextRef c);
void CGContextClip(CGContextRef c);
