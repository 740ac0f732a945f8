// A font: a name and a size in points. Text is shaped and drawn by Pango with
// the fonts this machine carries (the DejaVu families): a name is matched to
// the family of its kind (sans, serif or monospaced) and to its weight and
// slant, so every font name gives a usable font.
#pragma once

#include <pango/pango.h>

#include <string>

#include "CoreGraphics/CGBase.h"
#include "objc/NSObject.h"

class NSString;

class UIFont : public NSObject {
    KORVEL_OBJC_CLASS(UIFont)
public:
    // A size that is not a positive number gives the label size, 17 points;
    // very large sizes are capped.
    static constexpr CGFloat kLabelFontSize = 17;

    UIFont(std::string name, CGFloat pointSize);
    ~UIFont() override;

    // The size of the text of labels and table rows: 17 points.
    static CGFloat labelFontSize() { return kLabelFontSize; }
    static Ref<UIFont> systemFontOfSize(CGFloat size);
    static Ref<UIFont> boldSystemFontOfSize(CGFloat size);
    // nil for a nil or empty name. Names are matched without regard to case.
    static Ref<UIFont> fontWithName(NSString* name, CGFloat size);
    Ref<UIFont> fontWithSize(CGFloat size) const;

    Ref<NSString> fontName() const;
    CGFloat pointSize() const { return pointSize_; }
    // Distance from the baseline to the top of the tallest letters (positive)
    // and to the bottom of the descenders (negative).
    CGFloat ascender() const;
    CGFloat descender() const;
    // The height of one line of text.
    CGFloat lineHeight() const;

    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;
    Ref<NSString> description() const;

    const PangoFontDescription* pangoDescription() const { return description_; }
    // The one Pango context that lays out text for measuring and drawing. Its
    // metrics are unhinted, so text measures the same at every scale.
    static PangoContext* pangoContext();

private:
    void loadMetrics() const;

    std::string name_;
    CGFloat pointSize_;
    PangoFontDescription* description_;
    mutable bool metricsLoaded_ = false;
    mutable CGFloat ascender_ = 0;
    mutable CGFloat descender_ = 0;
    mutable CGFloat lineHeight_ = 0;
};
