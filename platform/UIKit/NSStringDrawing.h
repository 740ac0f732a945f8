// Measuring and drawing text with a font: the platform's string-drawing
// additions to NSString, here as functions taking the string first. Text is
// laid out by Pango; sizes are rounded up to whole points, as on the phone.
// Drawing goes into the current context (UIGraphicsGetCurrentContext) in its
// fill colour. A nil string or font measures as zero and draws nothing.
#pragma once

#include "CoreGraphics/CGGeometry.h"
#include "objc/runtime.h"

class NSString;
class UIFont;

enum UILineBreakMode : NSInteger {
    UILineBreakModeWordWrap = 0,
    UILineBreakModeCharacterWrap = 1,
    UILineBreakModeClip = 2,
    UILineBreakModeHeadTruncation = 3,
    UILineBreakModeTailTruncation = 4,
    UILineBreakModeMiddleTruncation = 5,
};

enum UITextAlignment : NSInteger {
    UITextAlignmentLeft = 0,
    UITextAlignmentCenter = 1,
    UITextAlignmentRight = 2,
};

class NSStringDrawing {
public:
    // The size of the text on one line.
    static CGSize sizeWithFont(NSString* text, UIFont* font);
    // The size of the text wrapped to the width of `size`, counting only the
    // lines that fit in its height (at least one). The truncating modes wrap
    // by words and shorten the last line that fits.
    static CGSize sizeWithFont(NSString* text, UIFont* font, CGSize size,
                               UILineBreakMode lineBreakMode = UILineBreakModeWordWrap);
    // Draws the text from the rectangle's top, laid out as sizeWithFont: with
    // the rectangle's size lays it out, aligned within the rectangle's width.
    // Answers the size drawn.
    static CGSize drawInRect(NSString* text, CGRect rect, UIFont* font,
                             UILineBreakMode lineBreakMode = UILineBreakModeWordWrap,
                             UITextAlignment alignment = UITextAlignmentLeft);
};
