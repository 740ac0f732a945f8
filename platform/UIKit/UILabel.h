// A view that shows one text in one font and colour, centred vertically in
// its bounds and aligned across them; the text is drawn by the label's
// drawRect:, so it lies above the background and below the subviews.
#pragma once

#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIView.h"

class NSString;
class UIColor;
class UIFont;

class UILabel : public UIView {
    KORVEL_OBJC_CLASS(UILabel)
public:
    UILabel();
    ~UILabel() override;

    static Ref<UILabel> withFrame(CGRect frame) { return UIView::withFrame<UILabel>(frame); }

    NSString* text() const { return text_; }
    // The label keeps its own copy of the text.
    void setText(NSString* text);
    // Black unless set; nil draws black.
    UIColor* textColor() const { return textColor_; }
    void setTextColor(UIColor* color);
    // The system font of 17 points unless set; nil restores that.
    UIFont* font() const { return font_; }
    void setFont(UIFont* font);
    UITextAlignment textAlignment() const { return textAlignment_; }
    void setTextAlignment(UITextAlignment alignment);
    // 1 unless set; 0 means as many lines as fit.
    NSInteger numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(NSInteger lines);
    UILineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setLineBreakMode(UILineBreakMode mode);
    // While highlighted, the text is drawn in the highlighted colour if there
    // is one.
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);
    UIColor* highlightedTextColor() const { return highlightedTextColor_; }
    void setHighlightedTextColor(UIColor* color);

    // The rectangle the text takes within `bounds`, at most `lines` lines
    // (0: no limit), centred vertically.
    CGRect textRectForBounds(CGRect bounds, NSInteger lines) const;
    void drawTextInRect(CGRect rect);

    void drawRect(CGRect rect) override;
    CGSize sizeThatFits(CGSize size) const override;

private:
    Ref<NSString> text_;
    Ref<UIColor> textColor_;
    Ref<UIFont> font_;
    UITextAlignment textAlignment_ = UITextAlignmentLeft;
    NSInteger numberOfLines_ = 1;
    UILineBreakMode lineBreakMode_ = UILineBreakModeTailTruncation;
    bool highlighted_ = false;
    Ref<UIColor> highlightedTextColor_;
};
