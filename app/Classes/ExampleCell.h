// The account list's row: a swipeable row whose front face shows the
// selection gradient while selected and an optional title centred on it,
// and whose back face is a mesh pattern with a soft shadow along its top and
// bottom edges. While the back face shows, it carries a sideways-scrolling
// strip of ten quick-colour buttons; a tap on one stores its number (1 to
// 10) under the row's address (the cell's reuse identifier) in the label
// preferences and tints the row with its colour at once.
//
// The address itself and the row's tint are the platform cell's (its text
// label and its built-in content view), which show through the front face's
// clear background.
#pragma once

#include "Classes/ZRSwipeableTableViewCell.h"
#include "CoreGraphics/CGContext.h"

class NSString;
class UIButton;
class UIColor;

class ExampleCell : public ZRSwipeableTableViewCell {
    KORVEL_OBJC_CLASS(ExampleCell)
public:
    static constexpr NSInteger kQuickColours = 10;
    static constexpr CGFloat kTitleFontSize = 22;
    static constexpr CGFloat kShadowHeight = 10;
    static constexpr CGFloat kShadowOpacity = 0.3f;
    // The strip's buttons: the first's x, the step between them, their
    // width, and their margin above and below.
    static constexpr CGFloat kButtonLeft = 20;
    static constexpr CGFloat kButtonStep = 60;
    static constexpr CGFloat kButtonWidth = 40;
    static constexpr CGFloat kButtonMargin = 8;
    static constexpr CGFloat kButtonCornerRadius = 6;

    ExampleCell();
    ~ExampleCell() override;

    NSString* text() const { return text_; }
    // A different object replaces the title and redraws; the same one does
    // nothing.
    void setText(NSString* text);

    // The colour of a quick-colour number; clear outside 1 to 10.
    static Ref<UIColor> quickColour(NSInteger number);

    void drawContentView(CGRect rect) override;
    void drawBackView(CGRect rect) override;
    void drawShadowsWithHeight(float height, float opacity, CGRect rect, CGContextRef context);
    // Builds the quick-colour strip.
    void backViewWillAppear() override;
    // Removes the strip, so it is built anew next time.
    void backViewDidDisappear() override;
    void buttonWasTapped(UIButton* button);

private:
    Ref<NSString> text_;
};
