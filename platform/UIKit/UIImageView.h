// A view that shows one image stretched over its bounds.
#pragma once

#include "UIKit/UIImage.h"
#include "UIKit/UIView.h"

class UIImageView : public UIView {
    KORVEL_OBJC_CLASS(UIImageView)
public:
    ~UIImageView() override;

    // A frame the size of the image, at the origin.
    UIImageView* initWithImage(UIImage* image);

    UIImage* image() const { return image_; }
    void setImage(UIImage* image);

    void drawRect(CGRect rect) override;

private:
    Ref<UIImage> image_;
};
