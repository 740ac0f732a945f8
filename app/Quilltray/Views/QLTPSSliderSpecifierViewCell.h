// A slider row: the slider between two optional images, made from the
// interface file "QLTPSSliderSpecifierViewCell". The images narrow the
// slider and shift its centre away from the side they take.
#pragma once

#include "Quilltray/Views/QLTSlider.h"
#include "UIKit/UIImageView.h"
#include "UIKit/UITableViewCell.h"

class QLTPSSliderSpecifierViewCell : public UITableViewCell {
    KORVEL_OBJC_CLASS(QLTPSSliderSpecifierViewCell)
public:
    // Room the slider leaves in the content view's width: none, one or two images.
    static constexpr CGFloat kMarginWithoutImages = 22;
    static constexpr CGFloat kMarginWithOneImage = 54;
    static constexpr CGFloat kMarginWithBothImages = 86;
    // How far one image moves the slider's centre away from it.
    static constexpr CGFloat kCentreShift = 16;

    QLTPSSliderSpecifierViewCell();
    ~QLTPSSliderSpecifierViewCell() override;

    QLTSlider* slider() const { return slider_; }
    UIImageView* minImage() const { return minImage_; }
    UIImageView* maxImage() const { return maxImage_; }

    void layoutSubviews() override;
    // A reused row starts without the previous row's images.
    void prepareForReuse() override;

private:
    // The interface file's connections.
    void setSlider(QLTSlider* slider) { slider_ = slider; }
    void setMinImage(UIImageView* view) { minImage_ = view; }
    void setMaxImage(UIImageView* view) { maxImage_ = view; }

    Ref<QLTSlider> slider_;
    Ref<UIImageView> minImage_;
    Ref<UIImageView> maxImage_;
};
