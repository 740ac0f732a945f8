#include "UIKit/UIFont.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <functional>

#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class UIFont::class_() {
    static Class cls = objc::ClassBuilder<UIFont>("UIFont", NSObject::class_())
                           .method<&UIFont::description>("description")
                           .classMethod<&UIFont::systemFontOfSize>("systemFontOfSize:")
                           .classMethod<&UIFont::boldSystemFontOfSize>("boldSystemFontOfSize:")
                           .classMethod<&UIFont::fontWithName>("fontWithName:size:")
                           .classMethod<&UIFont::labelFontSize>("labelFontSize")
                           .method<&UIFont::fontWithSize>("fontWithSize:")
                           .method<&UIFont::fontName>("fontName")
                           .method<&UIFont::pointSize>("pointSize")
                           .method<&UIFont::lineHeight>("lineHeight")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIFont::class_();

namespace {

// The phone's system font is Helvetica; here it is drawn with DejaVu Sans.
const char* const kSystemFontName = "Helvetica";
const char* const kBoldSystemFontName = "Helvetica-Bold";
const CGFloat kLargestFontSize = 1000;

bool contains(const std::string& lowerName, const char* word) { return lowerName.find(word) != std::string::npos; }

PangoFontDescription* describe(const std::string& name, CGFloat size) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    const char* family = "DejaVu Sans";
    if (contains(lower, "courier") || contains(lower, "mono") || contains(lower, "menlo")) family = "DejaVu Sans Mono";
    else if ((contains(lower, "times") || contains(lower, "georgia") || contains(lower, "serif")) &&
             !contains(lower, "sans"))
        family = "DejaVu Serif";
    PangoFontDescription* d = pango_font_description_new();
    pango_font_description_set_family(d, family);
    pango_font_description_set_weight(d, contains(lower, "bold") ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    if (contains(lower, "italic")) pango_font_description_set_style(d, PANGO_STYLE_ITALIC);
    else if (contains(lower, "oblique")) pango_font_description_set_style(d, PANGO_STYLE_OBLIQUE);
    pango_font_description_set_absolute_size(d, size * PANGO_SCALE);
    return d;
}

CGFloat saneSize(CGFloat size) {
    if (!(size > 0)) return UIFont::kLabelFontSize;
    return std::min(size, kLargestFontSize);
}

}  // namespace

UIFont::UIFont(std::string name, CGFloat pointSize)
    : name_(std::move(name)), pointSize_(saneSize(pointSize)), description_(describe(name_, pointSize_)) {}

UIFont::~UIFont() { pango_font_description_free(description_); }

Ref<UIFont> UIFont::systemFontOfSize(CGFloat size) { return make<UIFont>(kSystemFontName, size); }

Ref<UIFont> UIFont::boldSystemFontOfSize(CGFloat size) { return make<UIFont>(kBoldSystemFontName, size); }

Ref<UIFont> UIFont::fontWithName(NSString* name, CGFloat size) {
    if (!name || name->str().empty()) return nullptr;
    return make<UIFont>(name->str(), size);
}

Ref<UIFont> UIFont::fontWithSize(CGFloat size) const { return make<UIFont>(name_, size); }

Ref<NSString> UIFont::fontName() const { return NSString::from(name_); }

PangoContext* UIFont::pangoContext() {
    static PangoContext* context = [] {
        PangoContext* c = pango_font_map_create_context(pango_cairo_font_map_get_default());
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options(c, options);
        cairo_font_options_destroy(options);
        pango_context_set_round_glyph_positions(c, FALSE);
        return c;
    }();
    return context;
}

void UIFont::loadMetrics() const {
    if (metricsLoaded_) return;
    PangoFontMetrics* metrics = pango_context_get_metrics(pangoContext(), description_, nullptr);
    ascender_ = static_cast<CGFloat>(pango_font_metrics_get_ascent(metrics)) / PANGO_SCALE;
    descender_ = -static_cast<CGFloat>(pango_font_metrics_get_descent(metrics)) / PANGO_SCALE;
    int height = pango_font_metrics_get_height(metrics);
    lineHeight_ = height > 0 ? static_cast<CGFloat>(height) / PANGO_SCALE : ascender_ - descender_;
    pango_font_metrics_unref(metrics);
    metricsLoaded_ = true;
}

CGFloat UIFont::ascender() const {
    loadMetrics();
    return ascender_;
}

CGFloat UIFont::descender() const {
    loadMetrics();
    return descender_;
}

CGFloat UIFont::lineHeight() const {
    loadMetrics();
    return lineHeight_;
}

bool UIFont::isEqual(const NSObject* other) const {
    auto* font = dynamic_cast<const UIFont*>(other);
    return font && font->name_ == name_ && font->pointSize_ == pointSize_;
}

std::size_t UIFont::hash() const { return std::hash<std::string>{}(name_) ^ std::hash<CGFloat>{}(pointSize_); }

Ref<NSString> UIFont::description() const {
    char size[32];
    std::snprintf(size, sizeof size, "%g", static_cast<double>(pointSize_));
    return NSString::from("<UIFont " + name_ + " " + size + ">");
}
