#include "UIKit/UIWebDocumentView.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "CoreGraphics/CGContextStateGuard.h"
#include "Foundation/NSSet.h"
#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UITouch.h"
#include "UIKit/UIWebView.h"
#include "objc/ClassBuilder.h"

Class UIWebDocumentView::class_() {
    static Class cls = objc::ClassBuilder<UIWebDocumentView>("UIWebDocumentView", UIView::class_())
                           .method<&UIWebDocumentView::text>("text")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIWebDocumentView::class_();

namespace {

using Block = HTMLDocument::Block;

const CGFloat kHeadingSizes[] = {26, 22, 19, 17, 16, 15};
const CGFloat kPreformattedSize = 13;
const CGFloat kBlockGap = 8;
const CGFloat kHeadingGap = 12;
// The blue of links.
const guint16 kLinkRed = 0x1a1a, kLinkGreen = 0x4d4d, kLinkBlue = 0xcccc;

std::shared_ptr<PangoLayout> newLayout(const std::string& text, CGFloat size, bool monospace) {
    std::shared_ptr<PangoLayout> layout(pango_layout_new(UIFont::pangoContext()), g_object_unref);
    Ref<UIFont> font = UIFont::systemFontOfSize(size);
    PangoFontDescription* description = pango_font_description_copy(font->pangoDescription());
    if (monospace) pango_font_description_set_family(description, "Monospace");
    pango_layout_set_font_description(layout.get(), description);
    pango_font_description_free(description);
    pango_layout_set_text(layout.get(), text.c_str(), static_cast<int>(text.size()));
    return layout;
}

void addAttribute(PangoAttrList* list, PangoAttribute* attribute, std::size_t start, std::size_t end) {
    attribute->start_index = static_cast<guint>(start);
    attribute->end_index = static_cast<guint>(end);
    pango_attr_list_insert(list, attribute);
}

PangoAttrList* attributesOf(const Block& block) {
    PangoAttrList* list = pango_attr_list_new();
    for (const auto& span : block.spans) {
        switch (span.style) {
            case HTMLDocument::Style::Bold:
                addAttribute(list, pango_attr_weight_new(PANGO_WEIGHT_BOLD), span.start, span.end);
                break;
            case HTMLDocument::Style::Italic:
                addAttribute(list, pango_attr_style_new(PANGO_STYLE_ITALIC), span.start, span.end);
                break;
            case HTMLDocument::Style::Monospace:
                addAttribute(list, pango_attr_family_new("Monospace"), span.start, span.end);
                break;
            case HTMLDocument::Style::Link:
                addAttribute(list, pango_attr_foreground_new(kLinkRed, kLinkGreen, kLinkBlue), span.start, span.end);
                addAttribute(list, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), span.start, span.end);
                break;
        }
    }
    return list;
}

CGFloat heightOf(PangoLayout* layout) {
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    return static_cast<CGFloat>(height);
}

}  // namespace

UIWebDocumentView::UIWebDocumentView() { setBackgroundColor(UIColor::whiteColor()); }

UIWebDocumentView::~UIWebDocumentView() = default;

void UIWebDocumentView::setDocument(HTMLDocument document, CGFloat width) {
    document_ = std::move(document);
    layOut(width);
}

void UIWebDocumentView::layOut(CGFloat width) {
    laid_.clear();
    CGFloat y = kMargin;
    Block::Kind previous = Block::Kind::Paragraph;
    for (const Block& block : document_.blocks()) {
        const bool heading = block.kind == Block::Kind::Heading;
        const bool pre = block.kind == Block::Kind::Preformatted;
        const CGFloat size = heading ? kHeadingSizes[std::clamp(block.headingLevel, 1, 6) - 1]
                             : pre   ? kPreformattedSize
                                     : kBodyFontSize;
        if (!laid_.empty()) y += heading ? kHeadingGap : (block.kind == Block::Kind::ListItem && previous == block.kind)
                                                             ? kBlockGap / 2
                                                             : kBlockGap;
        const CGFloat indent = kMargin + kListIndent * static_cast<CGFloat>(block.listDepth);
        Laid entry;
        entry.layout = newLayout(block.text, size, pre);
        PangoAttrList* attributes = attributesOf(block);
        pango_layout_set_attributes(entry.layout.get(), attributes);
        pango_attr_list_unref(attributes);
        if (!pre) {
            pango_layout_set_width(entry.layout.get(), static_cast<int>(std::max<CGFloat>(width - indent - kMargin, 1) *
                                                                        PANGO_SCALE));
            pango_layout_set_wrap(entry.layout.get(), PANGO_WRAP_WORD_CHAR);
        }
        entry.origin = CGPointMake(indent, y);
        if (!block.marker.empty()) {
            entry.marker = newLayout(block.marker, size, false);
            int markerWidth = 0, markerHeight = 0;
            pango_layout_get_pixel_size(entry.marker.get(), &markerWidth, &markerHeight);
            entry.markerX = indent - 6 - static_cast<CGFloat>(markerWidth);
        }
        y += heightOf(entry.layout.get());
        previous = block.kind;
        laid_.push_back(std::move(entry));
    }
    CGRect frame = this->frame();
    frame.size = CGSizeMake(width, std::ceil(y + kMargin));
    setFrame(frame);
    setNeedsDisplay();
}

std::string UIWebDocumentView::linkAtPoint(CGPoint point) const {
    for (std::size_t i = 0; i < laid_.size(); ++i) {
        const Laid& entry = laid_[i];
        int index = 0, trailing = 0;
        const int x = static_cast<int>((point.x - entry.origin.x) * PANGO_SCALE);
        const int y = static_cast<int>((point.y - entry.origin.y) * PANGO_SCALE);
        if (y < 0 || y >= static_cast<int>(heightOf(entry.layout.get()) * PANGO_SCALE)) continue;
        if (!pango_layout_xy_to_index(entry.layout.get(), x, y, &index, &trailing)) return {};
        for (const auto& span : document_.blocks()[i].spans)
            if (span.style == HTMLDocument::Style::Link && span.start <= static_cast<std::size_t>(index) &&
                static_cast<std::size_t>(index) < span.end)
                return span.href;
        return {};
    }
    return {};
}

Ref<NSString> UIWebDocumentView::text() const {
    std::string all;
    for (const Block& block : document_.blocks()) {
        if (!all.empty()) all += '\n';
        if (!block.marker.empty()) all += block.marker + " ";
        all += block.text;
    }
    return NSString::from(all);
}

void UIWebDocumentView::drawRect(CGRect rect) {
    UIView::drawRect(rect);
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context) return;
    CGContextStateGuard saved(context);
    cairo_t* cr = context->cairo();
    cairo_set_source_rgb(cr, 0, 0, 0);
    for (const Laid& entry : laid_) {
        if (entry.origin.y > CGRectGetMaxY(rect)) break;
        if (entry.marker) {
            cairo_move_to(cr, entry.markerX, entry.origin.y);
            pango_cairo_show_layout(cr, entry.marker.get());
        }
        cairo_move_to(cr, entry.origin.x, entry.origin.y);
        pango_cairo_show_layout(cr, entry.layout.get());
    }
}

void UIWebDocumentView::touchesEnded(NSSet* touches, UIEvent* event) {
    UIView::touchesEnded(touches, event);
    auto* touch = objc::cast<UITouch>(touches ? touches->anyObject() : nullptr);
    if (!touch) return;
    const std::string href = linkAtPoint(touch->locationInView(this));
    if (href.empty()) return;
    for (UIView* v = superview(); v; v = v->superview()) {
        if (auto* web = objc::cast<UIWebView>(v)) {
            web->followLink(href);
            return;
        }
    }
}
