// The pacing of an animation: a cubic Bezier curve from (0, 0) to (1, 1)
// through two control points, mapping the fraction of time gone to the
// fraction of the change made.
#pragma once

#include "objc/NSObject.h"

class NSString;

// Names of the platform's curves.
extern NSString* const kCAMediaTimingFunctionLinear;
extern NSString* const kCAMediaTimingFunctionEaseIn;
extern NSString* const kCAMediaTimingFunctionEaseOut;
extern NSString* const kCAMediaTimingFunctionEaseInEaseOut;
extern NSString* const kCAMediaTimingFunctionDefault;

class CAMediaTimingFunction : public NSObject {
    KORVEL_OBJC_CLASS(CAMediaTimingFunction)
public:
    CAMediaTimingFunction(float c1x, float c1y, float c2x, float c2y);

    // One of the names above; nil for any other name.
    static Ref<CAMediaTimingFunction> functionWithName(NSString* name);
    // The control points' x values are kept within 0 to 1, so that the
    // curve stays a function of time.
    static Ref<CAMediaTimingFunction> functionWithControlPoints(float c1x, float c1y, float c2x, float c2y);

    // Index 0 is (0, 0), 1 and 2 the control points, 3 is (1, 1); any other
    // index writes nothing.
    void getControlPointAtIndex(NSUInteger index, float values[2]) const;

    // The fraction of the change made when the fraction `t` of the time has
    // gone; `t` outside 0 to 1 is taken as the nearer end.
    double valueAt(double t) const;

private:
    float c1x_, c1y_, c2x_, c2y_;
};
