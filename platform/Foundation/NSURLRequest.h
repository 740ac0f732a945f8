// A request to load an address; here only the address it names, which is
// what a web view and its delegate look at.
#pragma once

#include "objc/NSObject.h"

class NSString;
class NSURL;

class NSURLRequest : public NSObject {
    KORVEL_OBJC_CLASS(NSURLRequest)
public:
    // A nil address makes a request for nothing, which loads an empty page.
    static Ref<NSURLRequest> requestWithURL(NSURL* url);

    NSURL* URL() const { return url_; }

    Ref<NSString> description() const;

    NSURLRequest();
    ~NSURLRequest() override;

private:
    Ref<NSURL> url_;
};
