#include "UIKit/UIImageView.h"

#include "objc/ClassBuilder.h"

Class UIImageView::class_() {
    static Class cls = objc::ClassBuilder<UIImageView>("UIImageView", UIView::class_())
                           .method<&UIImageView::initWithImage>("initWithImage:")
                           .method<&UIImageView::image>("image")
                           .method<&UIImageView::setImage>("setImage:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIImageView::class_();

UIImageView::~UIImageView() = default;

UIImageView* UIImageView::initWithImage(UIImage* image) {
    CGSize size = image ? image->size() : CGSizeMake(0, 0);
    initWithFrame(CGRectMake(0, 0, size.width, size.height));
    setImage(image);
    return this;
}

void UIImageView::setImage(UIImage* image) {
    image_ = image;
    setNeedsDisplay();
}

void UIImageView::drawRect(CGRect) {
    if (image_) image_->drawInRect(bounds());
}
