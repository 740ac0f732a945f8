// A colour space: its model, how many colour components a colour in it has,
// and for the derived spaces (indexed, pattern) the space they build on.
#pragma once

#include <cstddef>
#include <vector>

#include "CoreGraphics/CGBase.h"
#include "objc/NSObject.h"

class NSString;

enum CGColorSpaceModel : int {
    kCGColorSpaceModelUnknown = -1,
    kCGColorSpaceModelMonochrome = 0,
    kCGColorSpaceModelRGB = 1,
    kCGColorSpaceModelCMYK = 2,
    kCGColorSpaceModelLab = 3,
    kCGColorSpaceModelDeviceN = 4,
    kCGColorSpaceModelIndexed = 5,
    kCGColorSpaceModelPattern = 6,
};

class CGColorSpace : public NSObject {
    KORVEL_OBJC_CLASS(CGColorSpace)
public:
    // `parameters` are the Lab white point, black point and range; `table`
    // the colour table of an indexed space. Both take part in equality.
    CGColorSpace(CGColorSpaceModel model, std::size_t components, Ref<CGColorSpace> base = nullptr,
                 std::vector<CGFloat> parameters = {}, std::vector<unsigned char> table = {});

    CGColorSpaceModel model() const { return model_; }
    std::size_t numberOfComponents() const { return components_; }
    CGColorSpace* baseColorSpace() const { return base_; }

    Ref<NSString> description() const;
    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;

private:
    CGColorSpaceModel model_;
    std::size_t components_;
    Ref<CGColorSpace> base_;
    std::vector<CGFloat> parameters_;
    std::vector<unsigned char> table_;
};

typedef CGColorSpace* CGColorSpaceRef;

Ref<CGColorSpace> CGColorSpaceCreateDeviceRGB();
Ref<CGColorSpace> CGColorSpaceCreateDeviceGray();
Ref<CGColorSpace> CGColorSpaceCreateDeviceCMYK();
// nil unless the white point has positive X and Z and a Y of 1; a missing
// black point is (0, 0, 0), a missing range (-100, 100, -100, 100).
Ref<CGColorSpace> CGColorSpaceCreateLab(const CGFloat whitePoint[3], const CGFloat blackPoint[3],
                                        const CGFloat range[4]);
// `colorTable` holds (lastIndex + 1) entries of the base space's components,
// one byte each. nil without a base or a table, for a pattern or indexed base,
// or for more than 256 entries.
Ref<CGColorSpace> CGColorSpaceCreateIndexed(CGColorSpaceRef baseSpace, std::size_t lastIndex,
                                            const unsigned char* colorTable);
// `baseSpace` is nil for coloured patterns, which carry their own colour.
Ref<CGColorSpace> CGColorSpaceCreatePattern(CGColorSpaceRef baseSpace);

// A nil space has the unknown model and no components.
CGColorSpaceModel CGColorSpaceGetModel(CGColorSpaceRef space);
std::size_t CGColorSpaceGetNumberOfComponents(CGColorSpaceRef space);
CGColorSpaceRef CGColorSpaceGetBaseColorSpace(CGColorSpaceRef space);
