#include "UIKit/UILabel.h"

#include <limits>

#include "CoreGraphics/CGContextStateGuard.h"
#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIGraphics.h"
#include "objc/ClassBuilder.h"

Class UILabel::class_() {
    static Class cls = objc::ClassBuilder<UILabel>("UILabel", UIView::class_())
                           .method<&UILabel::text>("text")
                           .method<&UILabel::setText>("setText:")
                           .method<&UILabel::textColor>("textColor")
                           .method<&UILabel::setTextColor>("setTextColor:")
                           .method<&UILabel::font>("font")
                           .method<&UILabel::setFont>("setFont:")
                           .method<&UILabel::textAlignment>("textAlignment")
                           .method<&UILabel::setTextAlignment>("setTextAlignment:")
                           .method<&UILabel::numberOfLines>("numberOfLines")
                           .method<&UILabel::setNumberOfLines>("setNumberOfLines:")
                           .method<&UILabel::lineBreakMode>("lineBreakMode")
                           .method<&UILabel::setLineBreakMode>("setLineBreakMode:")
                           .method<&UILabel::isHighlighted>("isHighlighted")
                           .method<&UILabel::setHighlighted>("setHighlighted:")
                           .method<&UILabel::highlightedTextColor>("highlightedTextColor")
                           .method<&UILabel::setHighlightedTextColor>("setHighlightedTextColor:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UILabel::class_();

namespace {

const CGFloat kDefaultFontSize = 17;

}  // namespace

UILabel::UILabel() : textColor_(UIColor::blackColor()), font_(UIFont::systemFontOfSize(kDefaultFontSize)) {
    setUserInteractionEnabled(false);
}

UILabel::~UILabel() = default;

void UILabel::setText(NSString* text) {
    text_ = text ? NSString::from(text->str()) : nullptr;
    setNeedsDisplay();
}

void UILabel::setTextColor(UIColor* color) {
    textColor_ = color;
    setNeedsDisplay();
}

void UILabel::setFont(UIFont* font) {
    font_ = font ? Ref<UIFont>(font) : UIFont::systemFontOfSize(kDefaultFontSize);
    setNeedsDisplay();
}

void UILabel::setTextAlignment(UITextAlignment alignment) {
    textAlignment_ = alignment;
    setNeedsDisplay();
}

void UILabel::setNumberOfLines(NSInteger lines) {
    numberOfLines_ = lines < 0 ? 0 : lines;
    setNeedsDisplay();
}

void UILabel::setLineBreakMode(UILineBreakMode mode) {
    lineBreakMode_ = mode;
    setNeedsDisplay();
}

void UILabel::setHighlighted(bool highlighted) {
    highlighted_ = highlighted;
    setNeedsDisplay();
}

void UILabel::setHighlightedTextColor(UIColor* color) {
    highlightedTextColor_ = color;
    setNeedsDisplay();
}

CGRect UILabel::textRectForBounds(CGRect bounds, NSInteger lines) const {
    CGSize box = bounds.size;
    if (lines > 0) box.height = std::min<CGFloat>(box.height, font_->lineHeight() * static_cast<CGFloat>(lines));
    CGSize size = NSStringDrawing::sizeWithFont(text_, font_, box, lineBreakMode_);
    size.height = std::min(size.height, bounds.size.height);
    return CGRectMake(bounds.origin.x, bounds.origin.y + (bounds.size.height - size.height) / 2, bounds.size.width,
                      size.height);
}

void UILabel::drawTextInRect(CGRect rect) {
    CGContextRef context = UIGraphicsGetCurrentContext();
    UIColor* color = highlighted_ && highlightedTextColor_ ? highlightedTextColor_.get() : textColor_.get();
    CGContextStateGuard saved(context);
    CGContextSetFillColorWithColor(context, color ? color->CGColor() : UIColor::blackColor()->CGColor());
    NSStringDrawing::drawInRect(text_, rect, font_, lineBreakMode_, textAlignment_);
}

void UILabel::drawRect(CGRect) {
    if (!text_) return;
    drawTextInRect(textRectForBounds(bounds(), numberOfLines_));
}

CGSize UILabel::sizeThatFits(CGSize size) const {
    if (numberOfLines_ == 1) return NSStringDrawing::sizeWithFont(text_, font_);
    CGFloat height = numberOfLines_ > 0 ? font_->lineHeight() * static_cast<CGFloat>(numberOfLines_)
                                        : std::numeric_limits<CGFloat>::infinity();
    return NSStringDrawing::sizeWithFont(text_, font_, CGSizeMake(size.width, height), lineBreakMode_);
}
