#include "Quilltray/Controllers/QLTAppSettingsWebViewController.h"

#include "Foundation/NSArray.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSMutableArray.h"
#include "Foundation/NSString.h"
#include "Foundation/NSURL.h"
#include "Foundation/NSURLRequest.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UIWebView.h"
#include "objc/ClassBuilder.h"

Class QLTAppSettingsWebViewController::class_() {
    using W = QLTAppSettingsWebViewController;
    static Class cls =
        objc::ClassBuilder<W>("QLTAppSettingsWebViewController", UIViewController::class_())
            .method<&W::initWithFile>("initWithFile:key:")
            .method<&W::webView>("webView")
            .method<&W::setWebView>("setWebView:")
            .method<&W::url>("url")
            .method<&W::setUrl>("setUrl:")
            .method<&W::webViewDidFinishLoad>("webViewDidFinishLoad:")
            .method<&W::shouldStartLoadWithRequest>("webView:shouldStartLoadWithRequest:navigationType:")
            .method<&W::didFinishWithResult>("mailComposeController:didFinishWithResult:error:")
            .protocol("UIWebViewDelegate")
            .protocol("MFMailComposeViewControllerDelegate")
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTAppSettingsWebViewController::class_();

QLTAppSettingsWebViewController::QLTAppSettingsWebViewController() = default;

QLTAppSettingsWebViewController::~QLTAppSettingsWebViewController() {
    // The web view may outlive the screen; it must not call back into it.
    if (webView_ && webView_->delegate() == this) webView_->setDelegate(nullptr);
}

QLTAppSettingsWebViewController* QLTAppSettingsWebViewController::initWithFile(NSString* file, NSString*) {
    if (!initWithNibName(nullptr, nullptr)) return nullptr;
    url_ = NSURL::URLWithString(file);
    if (!url_ || !url_->scheme()) {
        // Not an address: a file among the app's resources.
        NSString* path = nullptr;
        Ref<NSString> found;
        if (file) {
            found = NSBundle::mainBundle()->pathForResource(file->stringByDeletingPathExtension(), file->pathExtension());
            path = found;
        }
        url_ = path ? NSURL::fileURLWithPath(path) : nullptr;
    }
    return this;
}

void QLTAppSettingsWebViewController::setWebView(UIWebView* webView) { webView_ = webView; }

void QLTAppSettingsWebViewController::setUrl(NSURL* url) { url_ = url; }

void QLTAppSettingsWebViewController::viewWillAppear(bool animated) {
    UIViewController::viewWillAppear(animated);
    webView_->loadRequest(NSURLRequest::requestWithURL(url_));
}

void QLTAppSettingsWebViewController::viewDidUnload() {
    UIViewController::viewDidUnload();
    url_ = nullptr;
}

void QLTAppSettingsWebViewController::webViewDidFinishLoad(UIWebView* webView) {
    navigationItem()->setTitle(webView->stringByEvaluatingJavaScriptFromString("document.title"_ns));
}

bool QLTAppSettingsWebViewController::shouldStartLoadWithRequest(UIWebView*, NSURLRequest* request, NSInteger) {
    NSURL* address = request ? request->URL() : nullptr;
    Ref<NSString> scheme = address ? address->scheme() : nullptr;
    if (!scheme || !scheme->isEqualToString("mailto"_ns)) {
        Ref<NSString> host = address ? address->host() : nullptr;
        Ref<NSString> pageHost = url_ ? url_->host() : nullptr;
        if (!host || (pageHost && host->isEqualToString(pageHost))) return true;
        if (UIApplication* app = UIApplication::sharedApplication()) app->openURL(address);
        return false;
    }
    composeMail(address);
    return false;
}

void QLTAppSettingsWebViewController::composeMail(NSURL* address) {
    Ref<NSArray> parts = address->resourceSpecifier()->componentsSeparatedByString("?"_ns);
    if (parts->count() > 2) return;
    auto sheet = make<MFMailComposeViewController>();
    sheet->init();
    sheet->setMailComposeDelegate(this);
    auto to = NSMutableArray::array();
    auto* first = objc::cast<NSString>(parts->objectAtIndex(0));
    if (first->length() > 0) to->addObject(first);
    if (parts->count() == 2) {
        Ref<NSArray> pieces = objc::cast<NSString>(parts->objectAtIndex(1))->componentsSeparatedByString("&"_ns);
        for (NSUInteger i = 0; i < pieces->count(); ++i) {
            Ref<NSArray> halves = objc::cast<NSString>(pieces->objectAtIndex(i))->componentsSeparatedByString("="_ns);
            if (halves->count() != 2) continue;
            Ref<NSString> name = objc::cast<NSString>(halves->objectAtIndex(0))->lowercaseString();
            Ref<NSString> value =
                objc::cast<NSString>(halves->objectAtIndex(1))->stringByReplacingPercentEscapesUsingEncoding(NSUTF8StringEncoding);
            // A value whose escapes are not UTF-8 decodes to nothing, as the
            // platform's decoding answers.
            const std::string& key = name->str();
            if (key == "subject") sheet->setSubject(value);
            else if (key == "body") sheet->setMessageBody(value, false);
            else if (key == "to" && value) to->addObjectsFromArray(value->componentsSeparatedByString(","_ns));
            else if (key == "cc") sheet->setCcRecipients(value ? value->componentsSeparatedByString(","_ns) : nullptr);
            else if (key == "bcc") sheet->setBccRecipients(value ? value->componentsSeparatedByString(","_ns) : nullptr);
        }
    }
    sheet->setToRecipients(to);
    presentModalViewController(sheet, true);
}

void QLTAppSettingsWebViewController::didFinishWithResult(MFMailComposeViewController*, NSInteger, id) {
    dismissModalViewControllerAnimated(true);
}
