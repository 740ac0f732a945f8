#include "UIKit/NSStringDrawing.h"

#include <pango/pangocairo.h>

#include <cmath>

#include "CoreGraphics/CGContextStateGuard.h"
#include "Foundation/NSString.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIGraphics.h"

namespace {

// Text laid out for a box, with the number of its lines that are shown.
class FittedText {
public:
    FittedText(NSString* text, UIFont* font, CGSize box, UILineBreakMode mode, UITextAlignment alignment,
               bool singleLine)
        : layout_(pango_layout_new(UIFont::pangoContext())) {
        gchar* valid = g_utf8_make_valid(text->UTF8String(), -1);
        pango_layout_set_text(layout_, valid, -1);
        g_free(valid);
        pango_layout_set_font_description(layout_, font->pangoDescription());
        pango_layout_set_single_paragraph_mode(layout_, singleLine);
        if (!singleLine && box.width > 0 && std::isfinite(box.width)) {
            pango_layout_set_width(layout_, static_cast<int>(box.width * PANGO_SCALE));
            pango_layout_set_wrap(layout_, mode == UILineBreakModeCharacterWrap ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD_CHAR);
            pango_layout_set_alignment(layout_, alignment == UITextAlignmentCenter  ? PANGO_ALIGN_CENTER
                                                : alignment == UITextAlignmentRight ? PANGO_ALIGN_RIGHT
                                                                                    : PANGO_ALIGN_LEFT);
        }
        lines_ = pango_layout_get_line_count(layout_);
        if (!singleLine) limitTo(box.height, mode);
    }
    ~FittedText() { g_object_unref(layout_); }
    FittedText(const FittedText&) = delete;
    FittedText& operator=(const FittedText&) = delete;

    PangoLayout* layout() const { return layout_; }

    // Logical size of the shown lines, in points (not rounded).
    CGSize shownSize() const {
        double width = 0, bottom = 0;
        PangoLayoutIter* iter = pango_layout_get_iter(layout_);
        for (int line = 0; line < lines_; ++line) {
            PangoRectangle logical;
            pango_layout_iter_get_line_extents(iter, nullptr, &logical);
            width = std::max(width, static_cast<double>(logical.width) / PANGO_SCALE);
            bottom = static_cast<double>(logical.y + logical.height) / PANGO_SCALE;
            if (!pango_layout_iter_next_line(iter)) break;
        }
        pango_layout_iter_free(iter);
        return CGSizeMake(static_cast<CGFloat>(width), static_cast<CGFloat>(bottom));
    }

private:
    // Keeps the lines whose bottoms lie within `height` (always the first);
    // in the truncating modes the last of them ends in an ellipsis.
    void limitTo(CGFloat height, UILineBreakMode mode) {
        if (!(height > 0) || !std::isfinite(height)) return;
        int fitting = 0;
        PangoLayoutIter* iter = pango_layout_get_iter(layout_);
        do {
            PangoRectangle logical;
            pango_layout_iter_get_line_extents(iter, nullptr, &logical);
            if (fitting > 0 && static_cast<double>(logical.y + logical.height) / PANGO_SCALE > height + 0.01) break;
            ++fitting;
        } while (pango_layout_iter_next_line(iter));
        pango_layout_iter_free(iter);
        lines_ = fitting;

        PangoEllipsizeMode ellipsize = mode == UILineBreakModeHeadTruncation     ? PANGO_ELLIPSIZE_START
                                       : mode == UILineBreakModeMiddleTruncation ? PANGO_ELLIPSIZE_MIDDLE
                                       : mode == UILineBreakModeTailTruncation   ? PANGO_ELLIPSIZE_END
                                                                                 : PANGO_ELLIPSIZE_NONE;
        if (ellipsize != PANGO_ELLIPSIZE_NONE && pango_layout_get_width(layout_) > 0) {
            pango_layout_set_ellipsize(layout_, ellipsize);
            pango_layout_set_height(layout_, -fitting);
            lines_ = std::min(fitting, pango_layout_get_line_count(layout_));
        }
    }

    PangoLayout* layout_;
    int lines_ = 0;
};

CGSize roundedUp(CGSize size) { return CGSizeMake(std::ceil(size.width), std::ceil(size.height)); }

}  // namespace

CGSize NSStringDrawing::sizeWithFont(NSString* text, UIFont* font) {
    if (!text || !font) return CGSizeZero;
    FittedText fitted(text, font, CGSizeZero, UILineBreakModeWordWrap, UITextAlignmentLeft, true);
    return roundedUp(fitted.shownSize());
}

CGSize NSStringDrawing::sizeWithFont(NSString* text, UIFont* font, CGSize size, UILineBreakMode lineBreakMode) {
    if (!text || !font) return CGSizeZero;
    FittedText fitted(text, font, size, lineBreakMode, UITextAlignmentLeft, false);
    return roundedUp(fitted.shownSize());
}

CGSize NSStringDrawing::drawInRect(NSString* text, CGRect rect, UIFont* font, UILineBreakMode lineBreakMode,
                                   UITextAlignment alignment) {
    if (!text || !font || CGRectIsNull(rect)) return CGSizeZero;
    rect = CGRectStandardize(rect);
    FittedText fitted(text, font, rect.size, lineBreakMode, alignment, false);
    CGSize shown = fitted.shownSize();
    if (CGContextRef context = UIGraphicsGetCurrentContext()) {
        CGContextStateGuard saved(context);
        cairo_t* cr = context->cairo();
        cairo_new_path(cr);
        // Lines beyond those that fit are not drawn, nor text past the sides.
        CGFloat clipWidth = rect.size.width > 0 ? rect.size.width : std::ceil(shown.width) + 1;
        cairo_rectangle(cr, rect.origin.x, rect.origin.y, clipWidth, shown.height);
        cairo_clip(cr);
        cairo_move_to(cr, rect.origin.x, rect.origin.y);
        context->useFillColor();
        pango_cairo_show_layout(cr, fitted.layout());
    }
    return roundedUp(shown);
}
