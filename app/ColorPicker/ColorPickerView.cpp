#include "ColorPicker/ColorPickerView.h"

#include <algorithm>

#include "ColorPicker/GradientView.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSSet.h"
#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UINibDecoder.h"
#include "UIKit/UITouch.h"
#include "objc/ClassBuilder.h"

Class ColorPickerView::class_() {
    using V = ColorPickerView;
    static Class cls = objc::ClassBuilder<V>("ColorPickerView", UIView::class_())
                           .method<&V::initWithCoder>("initWithCoder:")
                           .method<&V::dispatchTouchEvent>("dispatchTouchEvent:")
                           .method<&V::updateHueSatWithMovement>("updateHueSatWithMovement:")
                           .method<&V::updateBrightnessWithMovement>("updateBrightnessWithMovement:")
                           .method<&V::animateView>("animateView:toPosition:")
                           .method<&V::getColorShown>("getColorShown")
                           .method<&V::gradientView>("gradientView")
                           .method<&V::setGradientView>("setGradientView:")
                           .method<&V::showColor>("showColor")
                           .method<&V::setShowColor>("setShowColor:")
                           .method<&V::backgroundImage>("backgroundImage")
                           .method<&V::setBackgroundImage>("setBackgroundImage:")
                           .method<&V::closeButtonImage>("closeButtonImage")
                           .method<&V::setCloseButtonImage>("setCloseButtonImage:")
                           .method<&V::nextButtonImage>("nextButtonImage")
                           .method<&V::setNextButtonImage>("setNextButtonImage:")
                           .method<&V::setBackgroundImageView>("setBackgroundImageView:")
                           .method<&V::setCrossHairs>("setCrossHairs:")
                           .method<&V::setBrightnessBar>("setBrightnessBar:")
                           .method<&V::setColorInHex>("setColorInHex:")
                           .method<&V::setHcoords>("setHcoords:")
                           .method<&V::setScoords>("setScoords:")
                           .method<&V::setLcoords>("setLcoords:")
                           .method<&V::setRcoords>("setRcoords:")
                           .method<&V::setGcoords>("setGcoords:")
                           .method<&V::setBcoords>("setBcoords:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = ColorPickerView::class_();

ColorPickerView::~ColorPickerView() = default;

ColorPickerView* ColorPickerView::initWithCoder(UINibDecoder* coder) {
    if (!initWithFrame(coder ? coder->decodeFrame() : CGRectZero)) return nullptr;

    auto strip = UIView::withFrame<GradientView>(CGRectMake(10, 434, 300, 40));
    strip->setTheColor(UIColor::yellowColor()->CGColor());
    setGradientView(strip);
    addSubview(strip);
    sendSubviewToBack(strip);

    setMultipleTouchEnabled(true);

    colorMatrixFrame_ = CGRectMake(11, 170, 298, 257);
    auto map = UIView::withFrame<UIImageView>(colorMatrixFrame_);
    map->setImage(UIImage::imageNamed("colormap.png"_ns));
    addSubview(map);
    sendSubviewToBack(map);

    currentBrightness_ = 0.5;
    currentColor_ = make<UIColor>();
    return this;
}

void ColorPickerView::setGradientView(GradientView* view) { gradientView_ = view; }

void ColorPickerView::handleTouches(NSSet* touches) {
    Ref<NSArray> all = touches ? touches->allObjects() : NSArray::array();
    for (NSUInteger i = 0; i < all->count(); ++i) {
        if (auto* touch = objc::cast<UITouch>(all->objectAtIndex(i))) dispatchTouchEvent(touch->locationInView(this));
    }
}

void ColorPickerView::touchesBegan(NSSet* touches, UIEvent*) { handleTouches(touches); }

void ColorPickerView::touchesMoved(NSSet* touches, UIEvent*) { handleTouches(touches); }

void ColorPickerView::dispatchTouchEvent(CGPoint point) {
    if (CGRectContainsPoint(colorMatrixFrame_, point)) {
        animateView(crossHairs_, point);
        updateHueSatWithMovement(point);
    } else if (gradientView_ && CGRectContainsPoint(gradientView_->frame(), point)) {
        animateView(brightnessBar_, CGPointMake(point.x, kBrightnessBarY));
        updateBrightnessWithMovement(point);
    }
}

void ColorPickerView::updateHueSatWithMovement(CGPoint point) {
    double saturation = 1.0 + (static_cast<double>(point.y) - 170.0) / -257.0;
    double hue = (static_cast<double>(point.x) - 11.0) / 298.0;
    currentHue_ = static_cast<float>(hue);
    currentSaturation_ = static_cast<float>(saturation);

    // A view made from a frame has no strip to recolour.
    if (gradientView_) {
        Ref<UIColor> stripColor = UIColor::colorWithHue(currentHue_, currentSaturation_, 0.5, 1.0);
        gradientView_->setTheColor(stripColor->CGColor());
        gradientView_->setupGradient();
        gradientView_->setNeedsDisplay();
    }

    currentColor_ = UIColor::colorWithHue(currentHue_, currentSaturation_, currentBrightness_, 1.0);
    if (showColor_) showColor_->setBackgroundColor(currentColor_);
    if (colorInHex_) colorInHex_->setText(hexStringFromColor(currentColor_->CGColor()));
    getStringForRGB(currentColor_->CGColor());
    getStringForHSL(currentHue_, currentSaturation_, currentBrightness_);
}

void ColorPickerView::updateBrightnessWithMovement(CGPoint point) {
    // Without a strip there is no length to measure the point against.
    const double width = gradientView_ ? gradientView_->frame().size.width : 0;
    if (!(width > 0)) return;
    currentBrightness_ = static_cast<float>((1.0 - static_cast<double>(point.x) / width) + 0.05);

    Ref<UIColor> color = UIColor::colorWithHue(currentHue_, currentSaturation_, currentBrightness_, 1.0);
    if (showColor_) showColor_->setBackgroundColor(color);
    if (colorInHex_) colorInHex_->setText(hexStringFromColor(color->CGColor()));
    getStringForRGB(color->CGColor());
    getStringForHSL(currentHue_, currentSaturation_, currentBrightness_);
}

void ColorPickerView::animateView(UIView* view, CGPoint position) {
    UIView::beginAnimations(nullptr, nullptr);
    UIView::setAnimationDuration(0.6);
    if (view) {
        view->setCenter(position);
        view->setTransform(CGAffineTransformIdentity);
    }
    UIView::commitAnimations();
}

void ColorPickerView::drawRect(CGRect) {
    // In double precision, as the brightness is computed from a touch, so the
    // marker lands on the very x that gives the brightness.
    const double width = gradientView_ ? gradientView_->frame().size.width : 0;
    if (brightnessBar_)
        brightnessBar_->setCenter(
            CGPointMake(static_cast<CGFloat>((1.05 - static_cast<double>(currentBrightness_)) * width), kBrightnessBarY));
    if (gradientView_) {
        gradientView_->setupGradient();
        gradientView_->setNeedsDisplay();
    }
    if (colorInHex_) colorInHex_->setFont(UIFont::fontWithName("helvetica"_ns, 16));
    if (showColor_) sendSubviewToBack(showColor_);
}

Ref<UIColor> ColorPickerView::getColorShown() const {
    return UIColor::colorWithHue(currentHue_, currentSaturation_, currentBrightness_, 1.0);
}

namespace {

// Red, green and blue of a colour; a grey gives its one value three times.
void rgbOf(CGColorRef color, CGFloat rgb[3]) {
    const CGFloat* c = CGColorGetComponents(color);
    std::size_t n = CGColorGetNumberOfComponents(color);
    for (int i = 0; i < 3; ++i) rgb[i] = !c ? 0 : n >= 4 ? c[i] : c[0];
}

int clampedByte(CGFloat value) {
    if (value < 0) return 0;
    if (value > 1) return 255;
    return static_cast<int>(value * 255);
}

}  // namespace

Ref<NSString> ColorPickerView::hexStringFromColor(CGColorRef color) const {
    CGFloat rgb[3];
    rgbOf(color, rgb);
    return NSString::stringWithFormat("#%02X%02X%02X", clampedByte(rgb[0]), clampedByte(rgb[1]), clampedByte(rgb[2]));
}

void ColorPickerView::getStringForRGB(CGColorRef color) {
    CGFloat rgb[3];
    rgbOf(color, rgb);
    UILabel* labels[3] = {Rcoords_, Gcoords_, Bcoords_};
    for (int i = 0; i < 3; ++i) {
        if (labels[i]) labels[i]->setText(NSString::stringWithFormat("%d", static_cast<int>(rgb[i] * 255)));
    }
}

void ColorPickerView::getStringForHSL(float hue, float saturation, float brightness) {
    float values[3] = {hue, saturation, brightness};
    UILabel* labels[3] = {Hcoords_, Scoords_, Lcoords_};
    for (int i = 0; i < 3; ++i) {
        if (labels[i]) labels[i]->setText(NSString::stringWithFormat("%d", static_cast<int>(values[i] * 255)));
    }
}
