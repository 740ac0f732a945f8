#include "UIKit/UIKeyboard.h"

#include "CoreGraphics/NSValue.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNotificationCenter.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSSet.h"
#include "Foundation/NSString.h"
#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UITouch.h"
#include "UIKit/UIViewAnimationState.h"
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

NSString* const UIKeyboardWillShowNotification = NSString::from("UIKeyboardWillShowNotification").leak();
NSString* const UIKeyboardWillHideNotification = NSString::from("UIKeyboardWillHideNotification").leak();
NSString* const UIKeyboardBoundsUserInfoKey = NSString::from("UIKeyboardBoundsUserInfoKey").leak();
NSString* const UIKeyboardFrameEndUserInfoKey = NSString::from("UIKeyboardFrameEndUserInfoKey").leak();
NSString* const UIKeyboardAnimationDurationUserInfoKey =
    NSString::from("UIKeyboardAnimationDurationUserInfoKey").leak();
NSString* const UIKeyboardAnimationCurveUserInfoKey = NSString::from("UIKeyboardAnimationCurveUserInfoKey").leak();

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
    if (key == "del") return 1.5f;
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
    Ref<UIKeyboard> keyboard = active();
    keyboard->type_ = type;
    keyboard->appearance_ = appearance;
    keyboard->switched_ = false;
    keyboard->setBackgroundColor(appearance == UIKeyboardAppearanceAlert ? UIColor::colorWithWhite(0.2f, 1)
                                                                        : UIColor::colorWithRed(0.6f, 0.63f, 0.68f, 1));
    keyboard->setNeedsDisplay();
    UIApplication* app = UIApplication::sharedApplication();
    if (UIWindow* window = app ? app->keyWindow() : nullptr) {
        window->addSubview(keyboard);
        placeInWindow();
    }
    keyboard->post(UIKeyboardWillShowNotification, keyboard->frame());
}

void UIKeyboard::hide() {
    Ref<UIKeyboard> keyboard = std::move(active());
    active() = nullptr;
    if (!keyboard) return;
    // It leaves the way the content's bottom faces.
    const CGFloat height = keyboard->bounds().size.height;
    auto* window = objc::cast<UIWindow>(keyboard->superview());
    const CGPoint away = CGPointApplyAffineTransform(
        CGPointMake(0, height), window ? window->contentTransform() : CGAffineTransformIdentity);
    const CGRect end = CGRectOffset(keyboard->frame(), away.x, away.y);
    keyboard->removeFromSuperview();
    keyboard->post(UIKeyboardWillHideNotification, end);
}

void UIKeyboard::placeInWindow() {
    UIKeyboard* keyboard = active();
    auto* window = objc::cast<UIWindow>(keyboard ? keyboard->superview() : nullptr);
    if (!window) return;
    const CGRect area = window->bounds();
    const UIInterfaceOrientation orientation = window->interfaceOrientation();
    if (orientation != UIInterfaceOrientationLandscapeLeft && orientation != UIInterfaceOrientationLandscapeRight) {
        keyboard->setTransform(CGAffineTransformIdentity);
        keyboard->setFrame(CGRectMake(0, CGRectGetMaxY(area) - kHeight, area.size.width, kHeight));
        return;
    }
    // Turned as the content is, against the edge the content's bottom lies
    // on: the right edge for left landscape, the left one for right.
    keyboard->setTransform(window->contentTransform());
    keyboard->setBounds(CGRectMake(0, 0, area.size.height, kLandscapeHeight));
    const CGFloat x = orientation == UIInterfaceOrientationLandscapeLeft ? CGRectGetMaxX(area) - kLandscapeHeight / 2
                                                                         : area.origin.x + kLandscapeHeight / 2;
    keyboard->setCenter(CGPointMake(x, CGRectGetMidY(area)));
}

void UIKeyboard::post(NSString* name, CGRect endFrame) const {
    auto info = NSMutableDictionary::dictionary();
    info->setObject(NSValue::valueWithCGRect(bounds()), UIKeyboardBoundsUserInfoKey);
    info->setObject(NSValue::valueWithCGRect(endFrame), UIKeyboardFrameEndUserInfoKey);
    info->setObject(NSNumber::numberWithDouble(kSlideDuration), UIKeyboardAnimationDurationUserInfoKey);
    info->setObject(NSNumber::numberWithInteger(UIViewAnimationCurveEaseInOut), UIKeyboardAnimationCurveUserInfoKey);
    NSNotificationCenter::defaultCenter()->postNotificationName(name, nullptr, info);
}

void UIKeyboard::bringToFront() {
    UIKeyboard* keyboard = active();
    if (keyboard && keyboard->superview()) keyboard->superview()->bringSubviewToFront(keyboard);
}

const UIKeyboard::Rows& UIKeyboard::keyRows() const {
    // The layouts are made once: the rows are read on every draw and tap.
    static const Rows digits = {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"},
                                {"-", "/", ":", ";", "(", ")", "$", "&", "@"},
                                {".", ",", "?", "!", "'", "\"", "del"},
                                {"ABC", "space", "return"}};
    static const Rows numberPad = {{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}, {"0", "del"}};
    const auto withLetters = [](std::vector<std::string> bottom) {
        Rows rows = {{"q", "w", "e", "r", "t", "y", "u", "i", "o", "p"},
                     {"a", "s", "d", "f", "g", "h", "j", "k", "l"},
                     {"z", "x", "c", "v", "b", "n", "m", "del"}};
        rows.push_back(std::move(bottom));
        return rows;
    };
    static const Rows letters = withLetters({"123", "space", "return"});
    static const Rows email = withLetters({"123", "space", "@", ".", "return"});
    static const Rows url = withLetters({"123", ".", "/", ".com", "return"});
    switch (type_) {
        case UIKeyboardTypeNumberPad:
        case UIKeyboardTypePhonePad: return numberPad;
        case UIKeyboardTypeNumbersAndPunctuation: return switched_ ? letters : digits;
        case UIKeyboardTypeEmailAddress: return switched_ ? digits : email;
        case UIKeyboardTypeURL: return switched_ ? digits : url;
        default: return switched_ ? digits : letters;
    }
}

std::vector<UIKeyboard::Key> UIKeyboard::keys() const {
    const CGRect area = bounds();
    std::vector<Key> placed;
    CGFloat y = area.origin.y + kRowGap;
    for (const auto& row : keyRows()) {
        CGFloat weights = 0;
        for (const auto& key : row) weights += weight(key);
        // A full row spans the width; shorter rows keep the ordinary key
        // width and are centred.
        CGFloat unit = (area.size.width - kKeyGap) / 10 - kKeyGap;
        CGFloat span = unit * weights + kKeyGap * CGFloat(row.size() - 1);
        if (span > area.size.width - 2 * kKeyGap) {
            unit = (area.size.width - kKeyGap * CGFloat(row.size() + 1)) / weights;
            span = area.size.width - 2 * kKeyGap;
        }
        CGFloat x = area.origin.x + (area.size.width - span) / 2;
        for (const auto& key : row) {
            placed.push_back({key, CGRectMake(x, y, unit * weight(key), kKeyHeight)});
            x += unit * weight(key) + kKeyGap;
        }
        y += kKeyHeight + kRowGap;
    }
    return placed;
}

void UIKeyboard::drawRect(CGRect) {
    CGContextRef context = UIGraphicsGetCurrentContext();
    const bool dark = appearance_ == UIKeyboardAppearanceAlert;
    Ref<UIColor> keyColour = dark ? UIColor::colorWithWhite(0.4f, 1) : UIColor::whiteColor();
    Ref<UIColor> labelColour = dark ? UIColor::whiteColor() : UIColor::blackColor();
    Ref<UIFont> font = UIFont::systemFontOfSize(kKeyFontSize);
    Ref<UIFont> wideFont = UIFont::systemFontOfSize(kWideKeyFontSize);
    for (const Key& key : keys()) {
        CGContextSetFillColorWithColor(context, keyColour->CGColor());
        CGContextFillRect(context, key.frame);
        UIFont* keyFont = key.title.size() > 1 ? wideFont.get() : font.get();
        Ref<NSString> label = NSString::from(key.title);
        CGSize size = NSStringDrawing::sizeWithFont(label, keyFont);
        CGContextSetFillColorWithColor(context, labelColour->CGColor());
        NSStringDrawing::drawInRect(label,
                                    CGRectMake(key.frame.origin.x, key.frame.origin.y + (kKeyHeight - size.height) / 2,
                                               key.frame.size.width, size.height),
                                    keyFont, UILineBreakModeClip, UITextAlignmentCenter);
    }
}

void UIKeyboard::touchesEnded(NSSet* touches, UIEvent*) {
    auto* touch = objc::cast<UITouch>(touches ? touches->anyObject() : nullptr);
    if (!touch) return;
    const CGPoint point = touch->locationInView(this);
    for (const Key& key : keys()) {
        if (CGRectContainsPoint(key.frame, point)) {
            press(key.title);
            return;
        }
    }
}

void UIKeyboard::press(const std::string& key) {
    if (key == "123" || key == "ABC") {
        switched_ = !switched_;
        setNeedsDisplay();
        return;
    }
    UIResponder* responder = UIResponder::firstResponder();
    if (key == "del") {
        if (objc::responds(responder, "deleteBackward"))
            objc::send<void>(responder, "deleteBackward");
        return;
    }
    const std::string text = key == "space" ? " " : key == "return" ? "\n" : key;
    if (objc::responds(responder, "insertText:"))
        objc::send<void, id>(responder, "insertText:", NSString::from(text));
}
