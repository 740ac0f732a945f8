// A pattern: a cell drawn by a callback and repeated across a fill. Colours in
// a pattern colour space refer to one.
#pragma once

#include "CoreGraphics/CGAffineTransform.h"
#include "CoreGraphics/CGGeometry.h"
#include "objc/NSObject.h"

class CGContext;

typedef void (*CGPatternDrawPatternCallback)(void* info, CGContext* context);
typedef void (*CGPatternReleaseInfoCallback)(void* info);

struct CGPatternCallbacks {
    unsigned int version;
    CGPatternDrawPatternCallback drawPattern;
    CGPatternReleaseInfoCallback releaseInfo;
};

enum CGPatternTiling : int {
    kCGPatternTilingNoDistortion = 0,
    kCGPatternTilingConstantSpacingMinimalDistortion = 1,
    kCGPatternTilingConstantSpacing = 2,
};

class CGPattern : public NSObject {
    KORVEL_OBJC_CLASS(CGPattern)
public:
    CGPattern(void* info, CGRect bounds, CGAffineTransform matrix, CGFloat xStep, CGFloat yStep,
              CGPatternTiling tiling, bool isColored, const CGPatternCallbacks* callbacks);
    // Hands the info back through the release callback.
    ~CGPattern() override;

    // A coloured pattern paints its own colours; an uncoloured (stencil)
    // pattern is painted in the colour given with it.
    bool isColored() const { return colored_; }
    CGRect bounds() const { return bounds_; }
    CGAffineTransform matrix() const { return matrix_; }
    CGFloat xStep() const { return xStep_; }
    CGFloat yStep() const { return yStep_; }
    CGPatternTiling tiling() const { return tiling_; }
    // Draws one cell into `context`; nothing without a draw callback.
    void drawCell(CGContext* context) const;

private:
    void* info_;
    CGRect bounds_;
    CGAffineTransform matrix_;
    CGFloat xStep_;
    CGFloat yStep_;
    CGPatternTiling tiling_;
    bool colored_;
    CGPatternCallbacks callbacks_{};
};

typedef CGPattern* CGPatternRef;

// `callbacks` may be nil (a pattern that draws nothing).
Ref<CGPattern> CGPatternCreate(void* info, CGRect bounds, CGAffineTransform matrix, CGFloat xStep, CGFloat yStep,
                               CGPatternTiling tiling, bool isColored, const CGPatternCallbacks* callbacks);
