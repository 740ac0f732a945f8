// The geometry types that cross the runtime with the hooked methods. CGFloat
// follows the target: 32-bit where the phone's is, 64-bit on the 64-bit phone;
// its type encoding goes with it.
#ifndef KORVELHOOK_GEOMETRY_H
#define KORVELHOOK_GEOMETRY_H

namespace korvelhook {

#if defined(__APPLE__) && defined(__LP64__)
typedef double CGFloat;
#define KORVELHOOK_CGFLOAT_ENCODING "d"
#else
typedef float CGFloat;
#define KORVELHOOK_CGFLOAT_ENCODING "f"
#endif

struct CGPoint {
    CGFloat x, y;
};
struct CGSize {
    CGFloat width, height;
};
struct CGRect {
    CGPoint origin;
    CGSize size;
};

inline CGRect rect(CGFloat x, CGFloat y, CGFloat width, CGFloat height) {
    CGRect r = {{x, y}, {width, height}};
    return r;
}

}  // namespace korvelhook

#endif
