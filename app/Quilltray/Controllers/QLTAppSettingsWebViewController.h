// The settings kit's web page screen: one page, from an address or from a
// file among the app's resources, titled with the page's own title. Links on
// the page's host (or without a host) load in place, links to other hosts go
// to the system, and "mailto" links open the mail composition sheet filled
// from the link. A settings file reaches it through a child row naming this
// class and initWithFile:key:.
#pragma once

#include "UIKit/UIViewController.h"

class MFMailComposeViewController;
class NSString;
class NSURL;
class NSURLRequest;
class UIWebView;

class QLTAppSettingsWebViewController : public UIViewController {
    KORVEL_OBJC_CLASS(QLTAppSettingsWebViewController)
public:
    QLTAppSettingsWebViewController();
    ~QLTAppSettingsWebViewController() override;

    // `file` is an address with a scheme or the name of a resource file
    // ("about.html"); `key` is not used. The url stays nil when neither
    // gives a page.
    QLTAppSettingsWebViewController* initWithFile(NSString* file, NSString* key);

    UIWebView* webView() const { return webView_; }
    void setWebView(UIWebView* webView);
    NSURL* url() const { return url_; }
    void setUrl(NSURL* url);

    // Reloads the page each time the screen is about to show.
    void viewWillAppear(bool animated) override;
    void viewDidUnload() override;

    // UIWebViewDelegate.
    void webViewDidFinishLoad(UIWebView* webView);
    bool shouldStartLoadWithRequest(UIWebView* webView, NSURLRequest* request, NSInteger navigationType);
    // MFMailComposeViewControllerDelegate.
    void didFinishWithResult(MFMailComposeViewController* controller, NSInteger result, id error);

private:
    // Opens the mail sheet a "mailto" address describes.
    void composeMail(NSURL* address);

    Ref<UIWebView> webView_;
    Ref<NSURL> url_;
};
