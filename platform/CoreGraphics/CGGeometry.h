// Points, sizes and rectangles with the platform's rules: a rectangle may have
// a negative width or height (its edges are then read after standardising),
// the null rectangle stands for "no rectangle" (an empty intersection), and a
// point lies inside a rectangle when it is on or after the minimum edges and
// before the maximum edges.
#pragma once

#include "CoreGraphics/CGBase.h"

struct CGPoint {
    CGFloat x = 0;
    CGFloat y = 0;
};

struct CGSize {
    CGFloat width = 0;
    CGFloat height = 0;
};

struct CGRect {
    CGPoint origin;
    CGSize size;
};

extern const CGPoint CGPointZero;
extern const CGSize CGSizeZero;
extern const CGRect CGRectZero;
// Origin at infinity: the result of intersecting rectangles that do not meet.
extern const CGRect CGRectNull;

CGPoint CGPointMake(CGFloat x, CGFloat y);
CGSize CGSizeMake(CGFloat width, CGFloat height);
CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat width, CGFloat height);

bool CGPointEqualToPoint(CGPoint a, CGPoint b);
bool CGSizeEqualToSize(CGSize a, CGSize b);
// Equal when both standardised forms are equal (or both are null).
bool CGRectEqualToRect(CGRect a, CGRect b);

CGFloat CGRectGetMinX(CGRect r);
CGFloat CGRectGetMidX(CGRect r);
CGFloat CGRectGetMaxX(CGRect r);
CGFloat CGRectGetMinY(CGRect r);
CGFloat CGRectGetMidY(CGRect r);
CGFloat CGRectGetMaxY(CGRect r);
CGFloat CGRectGetWidth(CGRect r);
CGFloat CGRectGetHeight(CGRect r);

// Same rectangle with a non-negative width and height.
CGRect CGRectStandardize(CGRect r);
bool CGRectIsNull(CGRect r);
// Null, or zero width or height.
bool CGRectIsEmpty(CGRect r);

bool CGRectContainsPoint(CGRect r, CGPoint p);
bool CGRectContainsRect(CGRect outer, CGRect inner);
// True when the rectangles share some area; touching edges share none.
bool CGRectIntersectsRect(CGRect a, CGRect b);

// Shrinks by dx on the left and right and dy on the top and bottom (negative
// values grow it); null when it shrinks past nothing.
CGRect CGRectInset(CGRect r, CGFloat dx, CGFloat dy);
CGRect CGRectOffset(CGRect r, CGFloat dx, CGFloat dy);
// Null when the rectangles do not meet (touching edges meet in an empty one).
CGRect CGRectIntersection(CGRect a, CGRect b);
// The smallest rectangle holding both; a null rectangle adds nothing.
CGRect CGRectUnion(CGRect a, CGRect b);
