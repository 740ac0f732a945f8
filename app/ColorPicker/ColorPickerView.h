// The body of the colour picker screen: a hue/saturation map with a
// cross-hair and, under it, the brightness strip with its marker. Touches
// set the current hue, saturation and brightness; the preview and seven
// labels show the result.
#pragma once

#include "CoreGraphics/CGColor.h"
#include "UIKit/UIImage.h"
#include "UIKit/UIImageView.h"
#include "UIKit/UILabel.h"
#include "UIKit/UIView.h"

class GradientView;
class NSSet;
class NSString;
class UIColor;
class UIEvent;
class UINibDecoder;

class ColorPickerView : public UIView {
    KORVEL_OBJC_CLASS(ColorPickerView)
public:
    // The brightness marker's line.
    static constexpr CGFloat kBrightnessBarY = 451;

    ~ColorPickerView() override;

    // Frame from the interface file; then the strip and the map.
    ColorPickerView* initWithCoder(UINibDecoder* coder);

    void touchesBegan(NSSet* touches, UIEvent* event) override;
    void touchesMoved(NSSet* touches, UIEvent* event) override;

    void dispatchTouchEvent(CGPoint point);
    void updateHueSatWithMovement(CGPoint point);
    void updateBrightnessWithMovement(CGPoint point);
    // Slides a marker to `position` over 0.6 s.
    void animateView(UIView* view, CGPoint position);

    void drawRect(CGRect rect) override;

    // (hue, saturation, brightness) with alpha 1.
    Ref<UIColor> getColorShown() const;
    Ref<NSString> hexStringFromColor(CGColorRef color) const;
    void getStringForRGB(CGColorRef color);
    void getStringForHSL(float hue, float saturation, float brightness);

    CGRect colorMatrixFrame() const { return colorMatrixFrame_; }
    UIColor* currentColor() const { return currentColor_; }

    GradientView* gradientView() const { return gradientView_; }
    void setGradientView(GradientView* view);
    UIView* showColor() const { return showColor_; }
    void setShowColor(UIView* view) { showColor_ = view; }
    float currentHue() const { return currentHue_; }
    void setCurrentHue(float hue) { currentHue_ = hue; }
    float currentSaturation() const { return currentSaturation_; }
    void setCurrentSaturation(float saturation) { currentSaturation_ = saturation; }
    float currentBrightness() const { return currentBrightness_; }
    void setCurrentBrightness(float brightness) { currentBrightness_ = brightness; }
    UIImage* backgroundImage() const { return backgroundImage_; }
    void setBackgroundImage(UIImage* image) { backgroundImage_ = image; }
    UIImage* closeButtonImage() const { return closeButtonImage_; }
    void setCloseButtonImage(UIImage* image) { closeButtonImage_ = image; }
    UIImage* nextButtonImage() const { return nextButtonImage_; }
    void setNextButtonImage(UIImage* image) { nextButtonImage_ = image; }

    // Outlets, set from the interface file; the view tree owns them.
    UIImageView* backgroundImageView() const { return backgroundImageView_; }
    void setBackgroundImageView(UIImageView* view) { backgroundImageView_ = view; }
    UIImageView* crossHairs() const { return crossHairs_; }
    void setCrossHairs(UIImageView* view) { crossHairs_ = view; }
    UIImageView* brightnessBar() const { return brightnessBar_; }
    void setBrightnessBar(UIImageView* view) { brightnessBar_ = view; }
    UILabel* colorInHex() const { return colorInHex_; }
    void setColorInHex(UILabel* label) { colorInHex_ = label; }
    UILabel* Hcoords() const { return Hcoords_; }
    void setHcoords(UILabel* label) { Hcoords_ = label; }
    UILabel* Scoords() const { return Scoords_; }
    void setScoords(UILabel* label) { Scoords_ = label; }
    UILabel* Lcoords() const { return Lcoords_; }
    void setLcoords(UILabel* label) { Lcoords_ = label; }
    UILabel* Rcoords() const { return Rcoords_; }
    void setRcoords(UILabel* label) { Rcoords_ = label; }
    UILabel* Gcoords() const { return Gcoords_; }
    void setGcoords(UILabel* label) { Gcoords_ = label; }
    UILabel* Bcoords() const { return Bcoords_; }
    void setBcoords(UILabel* label) { Bcoords_ = label; }

private:
    void handleTouches(NSSet* touches);

    Ref<GradientView> gradientView_;
    Ref<UIImage> backgroundImage_;
    Ref<UIImage> closeButtonImage_;
    Ref<UIImage> nextButtonImage_;
    UIImageView* backgroundImageView_ = nullptr;
    Ref<UIView> showColor_;
    UIImageView* crossHairs_ = nullptr;
    UIImageView* brightnessBar_ = nullptr;
    UILabel* colorInHex_ = nullptr;
    UILabel* Hcoords_ = nullptr;
    UILabel* Scoords_ = nullptr;
    UILabel* Lcoords_ = nullptr;
    UILabel* Rcoords_ = nullptr;
    UILabel* Gcoords_ = nullptr;
    UILabel* Bcoords_ = nullptr;
    float currentHue_ = 0;
    float currentSaturation_ = 0;
    float currentBrightness_ = 0;
    Ref<UIColor> currentColor_;
    CGRect colorMatrixFrame_ = CGRectZero;
};
