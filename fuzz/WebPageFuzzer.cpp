// A web page end to end: the bytes as a file that a web view loads, parses,
// lays out down a phone's width and draws, and whose title the screen asks
// for. Properties: the title the web view answers is the parsed page's; it
// is collapsed (no blank at either end, no blank but single spaces); every
// styled span lies inside its block's text on character boundaries; and a
// link found under a point is one the page holds.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "CoreGraphics/CGContext.h"
#include "Foundation/Clock.h"
#include "Foundation/NSRunLoop.h"
#include "Foundation/NSString.h"
#include "Foundation/NSURL.h"
#include "Foundation/NSURLRequest.h"
#include "FuzzCheck.h"
#include "FuzzDevice.h"
#include "UIKit/HTMLDocument.h"
#include "UIKit/UIGraphicsContextGuard.h"
#include "UIKit/UIWebDocumentView.h"
#include "UIKit/UIWebView.h"
#include "objc/NSAutoreleasePool.h"

namespace {

bool continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool collapsed(const std::string& text) {
    if (!text.empty() && (text.front() == ' ' || text.back() == ' ')) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\t' || text[i] == '\n' || text[i] == '\r' || text[i] == '\f') return false;
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') return false;
    }
    return true;
}

bool holdsLink(const HTMLDocument& page, const std::string& href) {
    for (const auto& block : page.blocks())
        for (const auto& span : block.spans)
            if (span.style == HTMLDocument::Style::Link && span.href == href) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool virtualClock = (Clock::useVirtual(), true);
    (void)virtualClock;
    NSAutoreleasePool pool;
    FuzzDevice::put("/pages/page.html", data, size);

    auto web = make<UIWebView>();
    web->initWithFrame(CGRectMake(0, 0, 320, 416));
    web->loadRequest(NSURLRequest::requestWithURL(NSURL::URLWithString("file:///pages/page.html"_ns)));
    NSRunLoop::mainRunLoop()->runUntilDate(Clock::now());
    fuzzCheck(!web->isLoading(), "a page from a file loads at once");

    UIWebDocumentView* document = web->documentView();
    const HTMLDocument& page = document->document();
    const HTMLDocument parsed = HTMLDocument::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    fuzzCheck(web->stringByEvaluatingJavaScriptFromString("document.title"_ns)->str() == parsed.title(),
              "the web view answers the parsed page's title");
    fuzzCheck(page.title() == parsed.title() && page.blocks().size() == parsed.blocks().size(),
              "a page parses the same every time");
    fuzzCheck(collapsed(page.title()), "the title is collapsed");
    for (const auto& block : page.blocks())
        for (const auto& span : block.spans) {
            fuzzCheck(span.start <= span.end && span.end <= block.text.size(), "a span lies inside its block");
            fuzzCheck((span.start == block.text.size() || !continuation(block.text[span.start])) &&
                          (span.end == block.text.size() || !continuation(block.text[span.end])),
                      "a span starts and ends on character boundaries");
        }

    // Drawn down to a bounded height: a tall page costs the layout, not the pixels.
    const CGRect bounds = document->bounds();
    const int height = static_cast<int>(std::min<CGFloat>(bounds.size.height, 2000)) + 1;
    Ref<CGContext> context = CGContext::bitmap(320, height);
    {
        UIGraphicsContextGuard guard(context);
        document->drawRect(CGRectMake(0, 0, 320, height));
    }
    document->text();
    for (CGFloat y = 0; y < height; y += 37) {
        const std::string href = document->linkAtPoint(CGPointMake(40, y));
        fuzzCheck(href.empty() || holdsLink(page, href), "a link under a point is one the page holds");
    }
    return 0;
}
