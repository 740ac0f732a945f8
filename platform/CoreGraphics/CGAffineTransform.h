// 2-D affine transforms in the platform's row-vector convention:
//   x' = a·x + c·y + tx,   y' = b·x + d·y + ty.
// "Concat(t1, t2)" applies t1 first, then t2. Positive angles turn the x axis
// towards the y axis (clockwise on a screen whose y runs down).
#pragma once

#include "CoreGraphics/CGGeometry.h"

struct CGAffineTransform {
    CGFloat a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
};

extern const CGAffineTransform CGAffineTransformIdentity;

CGAffineTransform CGAffineTransformMake(CGFloat a, CGFloat b, CGFloat c, CGFloat d, CGFloat tx, CGFloat ty);
CGAffineTransform CGAffineTransformMakeTranslation(CGFloat tx, CGFloat ty);
CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy);
CGAffineTransform CGAffineTransformMakeRotation(CGFloat angle);

// Each of these puts the new step before t: the result first translates,
// scales or rotates, then applies t.
CGAffineTransform CGAffineTransformTranslate(CGAffineTransform t, CGFloat tx, CGFloat ty);
CGAffineTransform CGAffineTransformScale(CGAffineTransform t, CGFloat sx, CGFloat sy);
CGAffineTransform CGAffineTransformRotate(CGAffineTransform t, CGFloat angle);

CGAffineTransform CGAffineTransformConcat(CGAffineTransform t1, CGAffineTransform t2);
// A transform that cannot be inverted is returned unchanged.
CGAffineTransform CGAffineTransformInvert(CGAffineTransform t);

bool CGAffineTransformIsIdentity(CGAffineTransform t);
bool CGAffineTransformEqualToTransform(CGAffineTransform t1, CGAffineTransform t2);

CGPoint CGPointApplyAffineTransform(CGPoint p, CGAffineTransform t);
// Sizes ignore the translation.
CGSize CGSizeApplyAffineTransform(CGSize s, CGAffineTransform t);
// The smallest rectangle holding the transformed corners.
CGRect CGRectApplyAffineTransform(CGRect r, CGAffineTransform t);
