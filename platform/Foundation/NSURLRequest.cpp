#include "Foundation/NSURLRequest.h"

#include "Foundation/NSString.h"
#include "Foundation/NSURL.h"
#include "objc/ClassBuilder.h"

Class NSURLRequest::class_() {
    static Class cls = objc::ClassBuilder<NSURLRequest>("NSURLRequest", NSObject::class_())
                           .method<&NSURLRequest::description>("description")
                           .classMethod<&NSURLRequest::requestWithURL>("requestWithURL:")
                           .method<&NSURLRequest::URL>("URL")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSURLRequest::class_();

NSURLRequest::NSURLRequest() = default;
NSURLRequest::~NSURLRequest() = default;

Ref<NSURLRequest> NSURLRequest::requestWithURL(NSURL* url) {
    auto request = make<NSURLRequest>();
    request->url_ = url;
    return request;
}

Ref<NSString> NSURLRequest::description() const {
    return NSString::from("<NSURLRequest " + (url_ ? url_->absoluteString()->str() : std::string("(null)")) + ">");
}
