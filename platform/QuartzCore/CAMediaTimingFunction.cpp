#include "QuartzCore/CAMediaTimingFunction.h"

#include <algorithm>
#include <cmath>

#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

NSString* const kCAMediaTimingFunctionLinear = NSString::from("linear").leak();
NSString* const kCAMediaTimingFunctionEaseIn = NSString::from("easeIn").leak();
NSString* const kCAMediaTimingFunctionEaseOut = NSString::from("easeOut").leak();
NSString* const kCAMediaTimingFunctionEaseInEaseOut = NSString::from("easeInEaseOut").leak();
NSString* const kCAMediaTimingFunctionDefault = NSString::from("default").leak();

Class CAMediaTimingFunction::class_() {
    static Class cls = objc::ClassBuilder<CAMediaTimingFunction>("CAMediaTimingFunction", NSObject::class_())
                           .classMethod<&CAMediaTimingFunction::functionWithName>("functionWithName:")
                           .classMethod<&CAMediaTimingFunction::functionWithControlPoints>(
                               "functionWithControlPoints::::")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = CAMediaTimingFunction::class_();

namespace {

float unit(float v) { return std::isfinite(v) ? std::clamp(v, 0.0f, 1.0f) : 0.0f; }
float finiteOr0(float v) { return std::isfinite(v) ? v : 0.0f; }

// One coordinate of the cubic Bezier from 0 to 1 with inner points p1, p2.
double bezier(double s, double p1, double p2) {
    double r = 1 - s;
    return 3 * r * r * s * p1 + 3 * r * s * s * p2 + s * s * s;
}

double bezierSlope(double s, double p1, double p2) {
    double r = 1 - s;
    return 3 * r * r * p1 + 6 * r * s * (p2 - p1) + 3 * s * s * (1 - p2);
}

}  // namespace

CAMediaTimingFunction::CAMediaTimingFunction(float c1x, float c1y, float c2x, float c2y)
    : c1x_(unit(c1x)), c1y_(finiteOr0(c1y)), c2x_(unit(c2x)), c2y_(finiteOr0(c2y)) {}

Ref<CAMediaTimingFunction> CAMediaTimingFunction::functionWithName(NSString* name) {
    if (!name) return nullptr;
    const std::string& n = name->str();
    if (n == kCAMediaTimingFunctionLinear->str()) return make<CAMediaTimingFunction>(0.0f, 0.0f, 1.0f, 1.0f);
    if (n == kCAMediaTimingFunctionEaseIn->str()) return make<CAMediaTimingFunction>(0.42f, 0.0f, 1.0f, 1.0f);
    if (n == kCAMediaTimingFunctionEaseOut->str()) return make<CAMediaTimingFunction>(0.0f, 0.0f, 0.58f, 1.0f);
    if (n == kCAMediaTimingFunctionEaseInEaseOut->str()) return make<CAMediaTimingFunction>(0.42f, 0.0f, 0.58f, 1.0f);
    if (n == kCAMediaTimingFunctionDefault->str()) return make<CAMediaTimingFunction>(0.25f, 0.1f, 0.25f, 1.0f);
    return nullptr;
}

Ref<CAMediaTimingFunction> CAMediaTimingFunction::functionWithControlPoints(float c1x, float c1y, float c2x,
                                                                            float c2y) {
    return make<CAMediaTimingFunction>(c1x, c1y, c2x, c2y);
}

void CAMediaTimingFunction::getControlPointAtIndex(NSUInteger index, float values[2]) const {
    if (!values) return;
    switch (index) {
        case 0: values[0] = 0, values[1] = 0; break;
        case 1: values[0] = c1x_, values[1] = c1y_; break;
        case 2: values[0] = c2x_, values[1] = c2y_; break;
        case 3: values[0] = 1, values[1] = 1; break;
        default: break;
    }
}

double CAMediaTimingFunction::valueAt(double t) const {
    if (!(t > 0)) return 0;
    if (t >= 1) return 1;
    // Find the curve parameter whose x is t: Newton's method from t, falling
    // back to bisection, which always converges since x rises monotonically
    // with control points' x in 0 to 1.
    double s = t;
    for (int i = 0; i < 8; ++i) {
        double error = bezier(s, c1x_, c2x_) - t;
        if (std::fabs(error) < 1e-9) return bezier(s, c1y_, c2y_);
        double slope = bezierSlope(s, c1x_, c2x_);
        if (std::fabs(slope) < 1e-9) break;
        s -= error / slope;
        if (s < 0 || s > 1) break;
    }
    double lo = 0, hi = 1;
    s = t;
    for (int i = 0; i < 60; ++i) {
        double x = bezier(s, c1x_, c2x_);
        if (std::fabs(x - t) < 1e-12) break;
        (x < t ? lo : hi) = s;
        s = (lo + hi) / 2;
    }
    return bezier(s, c1y_, c2y_);
}
