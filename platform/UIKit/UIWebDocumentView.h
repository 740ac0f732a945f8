// The page inside a web view's scroller: the blocks of an HTMLDocument laid
// out with Pango down the view's width (headings larger and bold, list items
// indented behind their bullet or number, preformatted text in a fixed-width
// face without wrapping, links blue and underlined), drawn, and hit-tested
// for links. The view is as tall as its content.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "UIKit/HTMLDocument.h"
#include "UIKit/UIView.h"

class NSString;

typedef struct _PangoLayout PangoLayout;

class UIWebDocumentView : public UIView {
    KORVEL_OBJC_CLASS(UIWebDocumentView)
public:
    static constexpr CGFloat kMargin = 8;
    static constexpr CGFloat kBodyFontSize = 16;
    static constexpr CGFloat kListIndent = 24;

    UIWebDocumentView();
    ~UIWebDocumentView() override;

    // Shows the document, laid out to `width`; the view's height becomes
    // the content's.
    void setDocument(HTMLDocument document, CGFloat width);
    const HTMLDocument& document() const { return document_; }

    // The address of the link under `point` (in the view's coordinates), as
    // the page wrote it; empty when there is none.
    std::string linkAtPoint(CGPoint point) const;

    // The text of every block, one a line, for the dump.
    Ref<NSString> text() const;

    void drawRect(CGRect rect) override;
    // A tap that ends on a link follows it in the web view around the page.
    void touchesEnded(NSSet* touches, UIEvent* event) override;

private:
    struct Laid {
        std::shared_ptr<PangoLayout> layout;
        std::shared_ptr<PangoLayout> marker;
        CGPoint origin;
        CGFloat markerX = 0;
    };

    void layOut(CGFloat width);

    HTMLDocument document_;
    std::vector<Laid> laid_;
};
