#include "UIKit/UIImage.h"

#include <cmath>
#include <map>
#include <string>

#include "CoreGraphics/CGContextStateGuard.h"
#include "Device/DeviceFolder.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSString.h"
#include "UIKit/UIGraphics.h"
#include "objc/ClassBuilder.h"

Class UIImage::class_() {
    static Class cls = objc::ClassBuilder<UIImage>("UIImage", NSObject::class_())
                           .classMethod<&UIImage::imageNamed>("imageNamed:")
                           .classMethod<&UIImage::imageWithContentsOfFile>("imageWithContentsOfFile:")
                           .method<&UIImage::size>("size")
                           .method<&UIImage::drawInRect>("drawInRect:")
                           .method<&UIImage::drawAtPoint>("drawAtPoint:")
                           .method<&UIImage::drawAsPatternInRect>("drawAsPatternInRect:")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIImage::class_();

namespace {

// Loaded images by their phone path in the main bundle.
std::map<std::string, Ref<UIImage>>& namedImages() {
    static std::map<std::string, Ref<UIImage>> images;
    return images;
}

// A rectangle Cairo can fill: finite, with some area. An infinite or NaN
// extent would leave Cairo with a matrix it cannot invert, which breaks the
// whole context.
bool drawable(CGRect r) {
    return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
           std::isfinite(r.size.height) && r.size.width > 0 && r.size.height > 0;
}

// Fills `rect` of the current context with the image as `pattern` lays it out.
void fillWithPattern(CGRect rect, cairo_pattern_t* pattern) {
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context || !drawable(rect)) {
        cairo_pattern_destroy(pattern);
        return;
    }
    {
        CGContextStateGuard saved(context);
        cairo_t* cr = context->cairo();
        cairo_set_source(cr, pattern);
        cairo_new_path(cr);
        CGContextAddRect(context, rect);
        cairo_clip(cr);
        cairo_paint_with_alpha(cr, context->alpha());
    }
    cairo_pattern_destroy(pattern);
}

}  // namespace

UIImage::UIImage(Ref<::CGImage> image) : image_(std::move(image)) {}

UIImage::~UIImage() = default;

Ref<UIImage> UIImage::imageNamed(NSString* name) {
    if (!name || name->str().empty()) return nullptr;
    std::string file = name->str();
    std::string type;
    std::size_t dot = file.rfind('.');
    std::size_t slash = file.rfind('/');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash) && dot > 0) {
        type = file.substr(dot + 1);
        file.resize(dot);
    } else {
        type = "png";
    }
    Ref<NSString> path = NSBundle::mainBundle()->pathForResource(NSString::from(file), NSString::from(type));
    if (!path) return nullptr;
    auto& cache = namedImages();
    auto found = cache.find(path->str());
    if (found != cache.end()) return found->second;
    Ref<UIImage> image = imageWithContentsOfFile(path);
    if (image) cache[path->str()] = image;
    return image;
}

Ref<UIImage> UIImage::imageWithContentsOfFile(NSString* path) {
    if (!path || path->str().empty()) return nullptr;
    const std::string file = DeviceFolder::resolve(path->str());
    cairo_surface_t* surface = cairo_image_surface_create_from_png(file.c_str());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS || cairo_image_surface_get_width(surface) <= 0 ||
        cairo_image_surface_get_height(surface) <= 0) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return make<UIImage>(make<::CGImage>(surface));
}

CGSize UIImage::size() const {
    return CGSizeMake(static_cast<CGFloat>(image_->width()), static_cast<CGFloat>(image_->height()));
}

void UIImage::drawInRect(CGRect rect) const {
    rect = CGRectStandardize(rect);
    if (!drawable(rect)) return;
    CGSize own = size();
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image_->surface());
    // Edge pixels are stretched, not faded into transparency.
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, own.width / rect.size.width, own.height / rect.size.height);
    cairo_matrix_translate(&m, -rect.origin.x, -rect.origin.y);
    cairo_pattern_set_matrix(pattern, &m);
    fillWithPattern(rect, pattern);
}

void UIImage::drawAtPoint(CGPoint point) const { drawInRect(CGRect{point, size()}); }

void UIImage::drawAsPatternInRect(CGRect rect) const {
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image_->surface());
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    fillWithPattern(CGRectStandardize(rect), pattern);
}
