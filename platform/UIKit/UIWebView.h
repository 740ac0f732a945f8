// A web page in a view. There is no network and no script engine on this
// device: loadRequest: shows files ("file:" addresses) parsed as HTML, and
// any other address gives an empty page with a line in the log saying why.
// The page scrolls; a tap on a link resolves its address against the page's
// and makes a request that the delegate may refuse
// (webView:shouldStartLoadWithRequest:navigationType:), exactly as a request
// from loadRequest: is offered to it first. Loading ends on the run loop,
// after loadRequest: returns, with webViewDidFinishLoad: (or
// webView:didFailLoadWithError:, with nil for the error, when the page could
// not be had); a newer request supersedes one still loading.
// stringByEvaluatingJavaScriptFromString: knows "document.title" only.
#pragma once

#include <string>

#include "UIKit/UIView.h"

class NSString;
class NSURL;
class NSURLRequest;
class UIScrollView;
class UIWebDocumentView;

enum UIWebViewNavigationType : NSInteger {
    UIWebViewNavigationTypeLinkClicked = 0,
    UIWebViewNavigationTypeFormSubmitted = 1,
    UIWebViewNavigationTypeBackForward = 2,
    UIWebViewNavigationTypeReload = 3,
    UIWebViewNavigationTypeFormResubmitted = 4,
    UIWebViewNavigationTypeOther = 5,
};

class UIWebView : public UIView {
    KORVEL_OBJC_CLASS(UIWebView)
public:
    // The largest page read; a larger file fails to load.
    static constexpr std::size_t kLargestPage = 8 * 1024 * 1024;

    UIWebView();
    ~UIWebView() override;

    UIView* initWithFrame(CGRect frame) override;

    // Not retained.
    NSObject* delegate() const { return delegate_; }
    void setDelegate(NSObject* delegate) { delegate_ = delegate; }

    void loadRequest(NSURLRequest* request);
    // The request of the page shown or loading; nil before the first.
    NSURLRequest* request() const { return request_; }
    bool isLoading() const { return loading_; }

    // "document.title" (blanks and a final ";" aside) answers the page's
    // title; any other script answers the empty string, with a log line.
    Ref<NSString> stringByEvaluatingJavaScriptFromString(NSString* script) const;

    UIScrollView* scrollView() const { return scrollView_; }
    UIWebDocumentView* documentView() const { return documentView_; }

    // A tap on a link with the address `href`, as the page wrote it.
    void followLink(const std::string& href);
    // `href` taken relative to the address `base`: as it is when it has a
    // scheme; otherwise in place of the base's fragment, path or the part
    // after its host, as a browser resolves it. nil when that makes no URL.
    static Ref<NSURL> resolve(const std::string& href, NSURL* base);

    void layoutSubviews() override;

private:
    // Offers the request to the delegate and starts loading it when it may.
    void startLoad(NSURLRequest* request, UIWebViewNavigationType type);
    void finishLoad(unsigned long generation);

    NSObject* delegate_ = nullptr;
    Ref<NSURLRequest> request_;
    Ref<UIScrollView> scrollView_;
    Ref<UIWebDocumentView> documentView_;
    bool loading_ = false;
    unsigned long generation_ = 0;
};
