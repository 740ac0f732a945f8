// The web page screen's handling of a link: "mailto" addresses opening the
// mail sheet, other links loading in place or going to the system. The input
// is a link as a page wrote it. Properties: no link loads or opens anything
// when it is a "mailto" one; a sheet appears only for a "mailto" link with at
// most one "?", addressed first to what stands before it; and a subject and
// body of any text, escaped into a "mailto" link, reach the sheet unchanged.
#include <cstdint>
#include <string>
#include <string_view>

#include "Foundation/Clock.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSRunLoop.h"
#include "Foundation/NSString.h"
#include "Foundation/NSURL.h"
#include "Foundation/NSURLRequest.h"
#include "FuzzCheck.h"
#include "FuzzDevice.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "Quilltray/Controllers/QLTAppSettingsWebViewController.h"
#include "UIKit/UIWebView.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace {

// Offers `link` to a fresh screen showing a page; the sheet it presented, if any,
// which is then closed again.
Ref<MFMailComposeViewController> follow(NSString* link, bool* loads) {
    static const bool page = [] {
        Clock::useVirtual();
        const std::string html = "<title>Page</title><p><a href='mailto:a@b.example'>mail</a></p>";
        FuzzDevice::put("/pages/page.html", reinterpret_cast<const std::uint8_t*>(html.data()), html.size());
        return true;
    }();
    (void)page;
    auto screen = make<QLTAppSettingsWebViewController>();
    screen->initWithFile("file:///pages/page.html"_ns, "key"_ns);
    // Its web view, as the screen's nib connects it, showing the page.
    auto web = make<UIWebView>();
    web->initWithFrame(CGRectMake(0, 0, 320, 416));
    web->setDelegate(screen);
    screen->setWebView(web);
    screen->viewWillAppear(false);
    *loads = screen->shouldStartLoadWithRequest(screen->webView(),
                                                NSURLRequest::requestWithURL(NSURL::URLWithString(link)),
                                                UIWebViewNavigationTypeLinkClicked);
    Ref<MFMailComposeViewController> sheet = objc::cast<MFMailComposeViewController>(screen->modalViewController());
    if (sheet) screen->dismissModalViewControllerAnimated(false);
    // The page's loads end on the run loop, which lets the web view go.
    NSRunLoop::mainRunLoop()->runUntilDate(Clock::now());
    return sheet;
}

// Every byte but the unreserved ones as "%XX".
std::string escaped(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string firstRecipient(MFMailComposeViewController* sheet) {
    NSArray* to = sheet->toRecipients();
    return to && to->count() > 0 ? objc::cast<NSString>(to->objectAtIndex(0))->str() : std::string();
}

void checkLink(std::string_view bytes) {
    Ref<NSString> link = NSString::fromUTF8(bytes);
    if (!link) return;
    Ref<NSURL> url = NSURL::URLWithString(link);
    Ref<NSString> scheme = url ? url->scheme() : nullptr;
    const bool mailto = scheme && scheme->isEqualToString("mailto"_ns);
    bool loads = false;
    Ref<MFMailComposeViewController> sheet = follow(link, &loads);
    fuzzCheck(!(mailto && loads), "a mailto link never loads");
    if (!mailto) {
        fuzzCheck(!sheet, "only a mailto link opens the mail sheet");
        return;
    }
    const std::string specifier = url->resourceSpecifier()->str();
    const std::size_t question = specifier.find('?');
    const bool oneQuestion = question == std::string::npos || specifier.find('?', question + 1) == std::string::npos;
    fuzzCheck(static_cast<bool>(sheet) == oneQuestion, "a mailto link with at most one '?' opens the sheet");
    const std::string address = specifier.substr(0, question);
    if (sheet && !address.empty())
        fuzzCheck(firstRecipient(sheet) == address, "the sheet is addressed first to the link's address");
}

// The input split at its first NUL into a subject and a body.
void checkFields(std::string_view bytes) {
    const std::size_t nul = bytes.find('\0');
    if (nul == std::string_view::npos) return;
    const std::string_view subject = bytes.substr(0, nul), body = bytes.substr(nul + 1);
    if (!NSString::fromUTF8(subject) || !NSString::fromUTF8(body)) return;
    const std::string link = "mailto:a@b.example?subject=" + escaped(subject) + "&body=" + escaped(body);
    bool loads = false;
    Ref<MFMailComposeViewController> sheet = follow(NSString::from(link), &loads);
    fuzzCheck(sheet && !loads, "an escaped mailto link opens the sheet");
    fuzzCheck(firstRecipient(sheet) == "a@b.example", "the sheet keeps the address");
    fuzzCheck(sheet->subject() && sheet->subject()->str() == subject, "the subject reaches the sheet unchanged");
    fuzzCheck(sheet->messageBody() && sheet->messageBody()->str() == body, "the body reaches the sheet unchanged");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NSAutoreleasePool pool;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkLink(bytes);
    checkFields(bytes);
    return 0;
}
