#include "UIKit/UIWebView.h"

#include "Foundation/NSData.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSRunLoop.h"
#include "Foundation/NSString.h"
#include "Foundation/NSURL.h"
#include "Foundation/NSURLRequest.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIScrollView.h"
#include "UIKit/UIWebDocumentView.h"
#include "objc/ClassBuilder.h"

Class UIWebView::class_() {
    using W = UIWebView;
    static Class cls =
        objc::ClassBuilder<W>("UIWebView", UIView::class_())
            .method<&W::delegate>("delegate")
            .method<&W::setDelegate>("setDelegate:")
            .method<&W::loadRequest>("loadRequest:")
            .method<&W::request>("request")
            .method<&W::isLoading>("isLoading")
            .method<&W::stringByEvaluatingJavaScriptFromString>("stringByEvaluatingJavaScriptFromString:")
            .method<&W::scrollView>("scrollView")
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIWebView::class_();

namespace {

const char* const kShouldStart = "webView:shouldStartLoadWithRequest:navigationType:";

std::string withoutFragment(const std::string& address) { return address.substr(0, address.find('#')); }

// Takes "." and ".." out of a path, as a browser does.
std::string removeDotSegments(const std::string& path) {
    std::vector<std::string> kept;
    std::size_t start = 0;
    const bool absolute = !path.empty() && path.front() == '/';
    if (absolute) start = 1;
    bool endsInDirectory = false;
    while (start <= path.size()) {
        std::size_t slash = path.find('/', start);
        std::string segment = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        endsInDirectory = segment == "." || segment == "..";
        if (segment == "..") {
            if (!kept.empty()) kept.pop_back();
        } else if (segment != ".") {
            kept.push_back(segment);
        }
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    std::string out = absolute ? "/" : "";
    for (std::size_t i = 0; i < kept.size(); ++i) out += (i ? "/" : "") + kept[i];
    if (endsInDirectory && !out.empty() && out.back() != '/') out += '/';
    return out;
}

}  // namespace

UIWebView::UIWebView() = default;

UIWebView::~UIWebView() = default;

UIView* UIWebView::initWithFrame(CGRect frame) {
    UIView::initWithFrame(frame);
    setBackgroundColor(UIColor::whiteColor());
    scrollView_ = UIView::withFrame<UIScrollView>(bounds());
    scrollView_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    documentView_ = UIView::withFrame<UIWebDocumentView>(CGRectMake(0, 0, frame.size.width, 0));
    scrollView_->addSubview(documentView_);
    addSubview(scrollView_);
    return this;
}

void UIWebView::loadRequest(NSURLRequest* request) { startLoad(request, UIWebViewNavigationTypeOther); }

void UIWebView::followLink(const std::string& href) {
    Ref<NSURL> url = resolve(href, request_ ? request_->URL() : nullptr);
    if (!url) {
        NSLog("UIWebView: the link \"%s\" is not an address; nothing loads", href.c_str());
        return;
    }
    startLoad(NSURLRequest::requestWithURL(url), UIWebViewNavigationTypeLinkClicked);
}

void UIWebView::startLoad(NSURLRequest* request, UIWebViewNavigationType type) {
    if (!request) return;
    Ref<UIWebView> keep(this);
    if (objc::responds(delegate_, kShouldStart) &&
        !objc::send<bool, id, id, NSInteger>(delegate_, kShouldStart, this, request, type))
        return;
    request_ = request;
    loading_ = true;
    const unsigned long generation = ++generation_;
    if (objc::responds(delegate_, "webViewDidStartLoad:")) objc::send<void, id>(delegate_, "webViewDidStartLoad:", this);
    NSRunLoop::mainRunLoop()->postEvent([keep, generation]() { keep->finishLoad(generation); });
}

void UIWebView::finishLoad(unsigned long generation) {
    if (generation != generation_) return;
    loading_ = false;
    NSURL* url = request_->URL();
    std::string failure;
    HTMLDocument page;
    if (!url) {
        failure = "the request names no address";
    } else if (!url->isFileURL()) {
        failure = "there is no network on this device; " + url->absoluteString()->str() + " shows an empty page";
    } else {
        Ref<NSData> data = NSData::dataWithContentsOfFile(url->path());
        if (!data) failure = "cannot read " + url->absoluteString()->str();
        else if (data->length() > kLargestPage) failure = url->absoluteString()->str() + " is too large to show";
        else page = HTMLDocument::parse(data->view());
    }
    documentView_->setDocument(std::move(page), bounds().size.width);
    scrollView_->setContentSize(documentView_->frame().size);
    scrollView_->setContentOffset(CGPointZero);
    if (failure.empty()) {
        if (objc::responds(delegate_, "webViewDidFinishLoad:"))
            objc::send<void, id>(delegate_, "webViewDidFinishLoad:", this);
        return;
    }
    NSLog("UIWebView: %s", failure.c_str());
    if (objc::responds(delegate_, "webView:didFailLoadWithError:"))
        objc::send<void, id, id>(delegate_, "webView:didFailLoadWithError:", this, nullptr);
}

Ref<NSString> UIWebView::stringByEvaluatingJavaScriptFromString(NSString* script) const {
    std::string text = script ? script->str() : std::string();
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.back())) text.pop_back();
    if (!text.empty() && text.back() == ';') text.pop_back();
    while (!text.empty() && blank(text.back())) text.pop_back();
    std::size_t first = 0;
    while (first < text.size() && blank(text[first])) ++first;
    text.erase(0, first);
    if (text == "document.title") return NSString::from(documentView_->document().title());
    NSLog("UIWebView: scripts do not run on this device; \"%s\" answers the empty string", text.c_str());
    return NSString::from("");
}

Ref<NSURL> UIWebView::resolve(const std::string& href, NSURL* base) {
    Ref<NSURL> absolute = NSURL::URLWithString(NSString::from(href));
    if ((absolute && absolute->scheme()) || !base) return absolute;
    const std::string baseText = withoutFragment(base->absoluteString()->str());
    const std::string scheme = base->scheme() ? base->scheme()->str() : std::string();
    const std::size_t afterScheme = scheme.empty() ? 0 : scheme.size() + 1;
    // Only hierarchical addresses ("scheme://...") have paths to resolve in.
    if (baseText.compare(afterScheme, 2, "//") != 0) {
        if (href.empty() || href[0] == '#') return NSURL::URLWithString(NSString::from(baseText + href));
        return absolute;
    }
    const std::size_t pathStart = std::min(baseText.find_first_of("/?", afterScheme + 2), baseText.size());
    const std::string origin = baseText.substr(0, pathStart);
    const std::size_t queryStart = std::min(baseText.find('?', pathStart), baseText.size());
    const std::string path = baseText.substr(pathStart, queryStart - pathStart);
    std::string resolved;
    if (href.empty() || href[0] == '#') resolved = baseText + href;
    else if (href.compare(0, 2, "//") == 0) resolved = scheme + ":" + href;
    else if (href[0] == '?') resolved = origin + path + href;
    else if (href[0] == '/') resolved = origin + removeDotSegments(href);
    else resolved = origin + removeDotSegments(path.substr(0, path.rfind('/') + 1) + href);
    return NSURL::URLWithString(NSString::from(resolved));
}

void UIWebView::layoutSubviews() {
    UIView::layoutSubviews();
    if (documentView_->frame().size.width != bounds().size.width) {
        HTMLDocument page = documentView_->document();
        documentView_->setDocument(std::move(page), bounds().size.width);
        scrollView_->setContentSize(documentView_->frame().size);
    }
}
