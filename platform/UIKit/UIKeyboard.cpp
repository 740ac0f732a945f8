#include "UIKit/UIKeyboard.h"

#include "Foundation/NSString.h"
#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"

Class UIKeyboard::class_() {
    using K = UIKeyboard;
    static Class cls = objc::ClassBuilder<K>("UIKeyboard", UIView::class_())
                           .method<&K::keyboardType>("keyboardType")
                           .method<&K::keyboardAppearance>("keyboardAppearance")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIKeyboard::class_();

namespace {

Ref<UIKeyboard>& active() {
    static Ref<UIKeyboard> keyboard;
    return keyboard;
}

const CGFloat kKeyGap = 6;
const CGFloat kRowGap = 11;
const CGFloat kKeyHeight = 40;
const CGFloat kKeyFontSize = 18;
const CGFloat kWideKeyFontSize = 14;

// How many ordinary keys' widths a key takes.
CGFloat weight(const std::string& key) {
    if (key == "space") return 4;
    if (key == "return" || key == "123" || key == "ABC") return 1.75f;
    return 1;
}

}  // namespace

UIKeyboard::UIKeyboard() {
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
}

UIKeyboard::~UIKeyboard() = default;

UIKeyboard* UIKeyboard::activeKeyboard() { return active(); }

void UIKeyboard::show(UIKeyboardType type, UIKeyboardAppearance appearance) {
    if (!active()) active() = UIView::withFrame<UIKeyboard>(CGRectZero);
    UIKeyboard* keyboard = active();
    keyboard->type_ = type;
    keyboard->appearance_ = appearance;
    keyboard->setBackgroundColor(appearance == UIKeyboardAppearanceAlert ? UIColor::colorWithWhite(0.2f, 1)
                                                                        : UIColor::colorWithRed(0.6f, 0.63f, 0.68f, 1));
    keyboard->setNeedsDisplay();
    UIApplication* app = UIApplication::sharedApplication();
    UIWindow* window = app ? app->keyWindow() : nullptr;
    if (!window) return;
    CGRect area = window->bounds();
    keyboard->setFrame(CGRectMake(0, CGRectGetMaxY(area) - kHeight, area.size.width, kHeight));
    window->addSubview(keyboard);
}

void UIKeyboard::hide() {
    Ref<UIKeyboard> keyboard = std::move(active());
    active() = nullptr;
    if (keyboard) keyboard->removeFromSuperview();
}

void UIKeyboard::bringToFront() {
    UIKeyboard* keyboard = active();
    if (keyboard && keyboard->superview()) keyboard->superview()->bringSubviewToFront(keyboard);
}

std::vector<std::vector<std::string>> UIKeyboard::keyRows() const {
    switch (type_) {
        case UIKeyboardTypeNumberPad:
        case UIKeyboardTypePhonePad:
            return {{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}, {"0"}};
        case UIKeyboardTypeNumbersAndPunctuation:
            return {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"},
                    {"-", "/", ":", ";", "(", ")", "$", "&", "@"},
                    {".", ",", "?", "!", "'", "\""},
                    {"ABC", "space", "return"}};
        case UIKeyboardTypeEmailAddress:
            return {{"q", "w", "e", "r", "t", "y", "u", "i", "o", "p"},
                    {"a", "s", "d", "f", "g", "h", "j", "k", "l"},
                    {"z", "x", "c", "v", "b", "n", "m"},
                    {"123", "space", "@", ".", "return"}};
        case UIKeyboardTypeURL:
            return {{"q", "w", "e", "r", "t", "y", "u", "i", "o", "p"},
                    {"a", "s", "d", "f", "g", "h", "j", "k", "l"},
                    {"z", "x", "c", "v", "b", "n", "m"},
                    {"123", ".", "/", ".com", "return"}};
        default:
            return {{"q", "w", "e", "r", "t", "y", "u", "i", "o", "p"},
                    {"a", "s", "d", "f", "g", "h", "j", "k", "l"},
                    {"z", "x", "c", "v", "b", "n", "m"},
                    {"123", "space", "return"}};
    }
}

void UIKeyboard::drawRect(CGRect rect) {
    CGContextRef context = UIGraphicsGetCurrentContext();
    const bool dark = appearance_ == UIKeyboardAppearanceAlert;
    Ref<UIColor> keyColour = dark ? UIColor::colorWithWhite(0.4f, 1) : UIColor::whiteColor();
    Ref<UIColor> labelColour = dark ? UIColor::whiteColor() : UIColor::blackColor();
    Ref<UIFont> font = UIFont::systemFontOfSize(kKeyFontSize);
    Ref<UIFont> wideFont = UIFont::systemFontOfSize(kWideKeyFontSize);
    CGFloat y = rect.origin.y + kRowGap;
    for (const auto& row : keyRows()) {
        CGFloat weights = 0;
        for (const auto& key : row) weights += weight(key);
        // A full row spans the width; shorter rows keep the ordinary key
        // width and are centred.
        CGFloat unit = (rect.size.width - kKeyGap) / 10 - kKeyGap;
        CGFloat span = unit * weights + kKeyGap * CGFloat(row.size() - 1);
        if (span > rect.size.width - 2 * kKeyGap) {
            unit = (rect.size.width - kKeyGap * CGFloat(row.size() + 1)) / weights;
            span = rect.size.width - 2 * kKeyGap;
        }
        CGFloat x = rect.origin.x + (rect.size.width - span) / 2;
        for (const auto& key : row) {
            CGRect keyRect = CGRectMake(x, y, unit * weight(key), kKeyHeight);
            CGContextSetFillColorWithColor(context, keyColour->CGColor());
            CGContextFillRect(context, keyRect);
            UIFont* keyFont = key.size() > 1 ? wideFont.get() : font.get();
            Ref<NSString> label = NSString::from(key);
            CGSize size = NSStringDrawing::sizeWithFont(label, keyFont);
            CGContextSetFillColorWithColor(context, labelColour->CGColor());
            NSStringDrawing::drawInRect(
                label, CGRectMake(keyRect.origin.x, keyRect.origin.y + (kKeyHeight - size.height) / 2, keyRect.size.width, size.height),
                keyFont, UILineBreakModeClip, UITextAlignmentCenter);
            x += keyRect.size.width + kKeyGap;
        }
        y += kKeyHeight + kRowGap;
    }
}
