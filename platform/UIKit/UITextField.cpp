#include "UIKit/UITextField.h"

#include <utf8proc.h>

#include <algorithm>

#include "CoreGraphics/CGContextStateGuard.h"
#include "Foundation/NSString.h"
#include "Foundation/UnicodeText.h"
#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIGraphics.h"
#include "objc/ClassBuilder.h"

Class UITextField::class_() {
    using F = UITextField;
    static Class cls = objc::ClassBuilder<F>("UITextField", UIControl::class_())
                           .method<&F::text>("text")
                           .method<&F::setText>("setText:")
                           .method<&F::textColor>("textColor")
                           .method<&F::setTextColor>("setTextColor:")
                           .method<&F::font>("font")
                           .method<&F::setFont>("setFont:")
                           .method<&F::keyboardType>("keyboardType")
                           .method<&F::setKeyboardType>("setKeyboardType:")
                           .method<&F::keyboardAppearance>("keyboardAppearance")
                           .method<&F::setKeyboardAppearance>("setKeyboardAppearance:")
                           .method<&F::autocorrectionType>("autocorrectionType")
                           .method<&F::setAutocorrectionType>("setAutocorrectionType:")
                           .method<&F::autocapitalizationType>("autocapitalizationType")
                           .method<&F::setAutocapitalizationType>("setAutocapitalizationType:")
                           .method<&F::returnKeyType>("returnKeyType")
                           .method<&F::setReturnKeyType>("setReturnKeyType:")
                           .method<&F::isSecureTextEntry>("isSecureTextEntry")
                           .method<&F::setSecureTextEntry>("setSecureTextEntry:")
                           .method<&F::textAlignment>("textAlignment")
                           .method<&F::setTextAlignment>("setTextAlignment:")
                           .method<&F::delegate>("delegate")
                           .method<&F::setDelegate>("setDelegate:")
                           .method<&F::isEditing>("isEditing")
                           .method<&F::hasText>("hasText")
                           .method<&F::insertText>("insertText:")
                           .method<&F::deleteBackward>("deleteBackward")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UITextField::class_();

namespace {

const CGFloat kCaretWidth = 2;

Ref<UIColor> borderColour() { return UIColor::colorWithWhite(0.45f, 1); }
Ref<UIColor> caretColour() { return UIColor::colorWithRed(0.26f, 0.42f, 0.95f, 1); }

// Where the last grapheme cluster of `s` begins. A byte that is not part of
// valid UTF-8 counts as a character of its own.
std::size_t lastCharacterStart(const std::string& s) {
    std::size_t at = 0, last = 0;
    utf8proc_int32_t previous = -1, state = 0;
    while (at < s.size()) {
        const std::size_t start = at;
        const utf8proc_int32_t c = UnicodeText::decodeUTF8(s, at);
        if (c < 0) {
            last = start;
            previous = -1;
            continue;
        }
        if (previous < 0) {
            state = 0;
            last = start;
        } else if (utf8proc_grapheme_break_stateful(previous, c, &state)) {
            last = start;
        }
        previous = c;
    }
    return last;
}

}  // namespace

UITextField::UITextField()
    : text_(NSString::from("")), textColor_(UIColor::blackColor()), font_(UIFont::systemFontOfSize(kDefaultFontSize)) {}

UITextField::~UITextField() {
    if (isFirstResponder()) UIKeyboard::hide();
}

void UITextField::setText(NSString* text) {
    text_ = NSString::from(text ? text->str() : std::string());
    setNeedsDisplay();
}

void UITextField::setTextColor(UIColor* color) {
    textColor_ = color;
    setNeedsDisplay();
}

void UITextField::setFont(UIFont* font) {
    font_ = font ? Ref<UIFont>(font) : UIFont::systemFontOfSize(kDefaultFontSize);
    setNeedsDisplay();
}

void UITextField::setSecureTextEntry(bool secure) {
    secureTextEntry_ = secure;
    setNeedsDisplay();
}

void UITextField::setTextAlignment(NSInteger alignment) {
    textAlignment_ = alignment == UITextAlignmentCenter || alignment == UITextAlignmentRight
                         ? static_cast<UITextAlignment>(alignment)
                         : UITextAlignmentLeft;
    setNeedsDisplay();
}

bool UITextField::hasText() const { return !text_->str().empty(); }

void UITextField::changeText(std::string text) {
    text_ = NSString::from(text);
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventEditingChanged);
}

void UITextField::insertText(NSString* text) {
    if (!text || !isEnabled()) return;
    Ref<UITextField> keep(this);
    const std::string& typed = text->str();
    const std::size_t lineEnd = typed.find('\n');
    if (lineEnd != 0 && !typed.empty()) changeText(text_->str() + typed.substr(0, lineEnd));
    if (lineEnd == std::string::npos) return;
    // With a delegate that answers, it decides whether editing ends.
    const bool asked = objc::responds(delegate_, "textFieldShouldReturn:");
    if (asked && !objc::send<BOOL, id>(delegate_, "textFieldShouldReturn:", this)) return;
    sendActionsForControlEvents(UIControlEventEditingDidEndOnExit);
    if (!asked) resignFirstResponder();
}

void UITextField::deleteBackward() {
    if (!hasText() || !isEnabled()) return;
    const std::string& text = text_->str();
    changeText(text.substr(0, lastCharacterStart(text)));
}

bool UITextField::becomeFirstResponder() {
    if (isFirstResponder()) return true;
    if (objc::responds(delegate_, "textFieldShouldBeginEditing:") &&
        !objc::send<bool, id>(delegate_, "textFieldShouldBeginEditing:", this))
        return false;
    if (!UIControl::becomeFirstResponder()) return false;
    Ref<UITextField> keep(this);
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventEditingDidBegin);
    if (objc::responds(delegate_, "textFieldDidBeginEditing:"))
        objc::send<void, id>(delegate_, "textFieldDidBeginEditing:", this);
    // The keyboard comes once the delegate knows who edits, as on the phone,
    // and not at all when the delegate ended the editing at once.
    if (isFirstResponder()) UIKeyboard::show(keyboardType_, keyboardAppearance_);
    return true;
}

bool UITextField::resignFirstResponder() {
    const bool editing = isFirstResponder();
    if (!UIControl::resignFirstResponder()) return false;
    if (!editing) return true;
    UIKeyboard::hide();
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventEditingDidEnd);
    if (objc::responds(delegate_, "textFieldDidEndEditing:"))
        objc::send<void, id>(delegate_, "textFieldDidEndEditing:", this);
    return true;
}

void UITextField::touchesEnded(NSSet* touches, UIEvent* event) {
    const bool tracked = isTracking();
    UIControl::touchesEnded(touches, event);
    if (tracked && isTouchInside()) becomeFirstResponder();
}

void UITextField::drawRect(CGRect) {
    CGContextRef context = UIGraphicsGetCurrentContext();
    CGRect area = bounds();
    CGContextSetStrokeColorWithColor(context, borderColour()->CGColor());
    CGContextSetLineWidth(context, 1);
    CGContextStrokeRect(context, CGRectInset(area, 0.5f, 0.5f));

    CGRect box = CGRectInset(area, kTextInset, 0);
    Ref<NSString> shown = text_;
    if (secureTextEntry_) {
        // One bullet per character as a reader counts them.
        std::string bullets;
        for (std::string rest = text_->str(); !rest.empty(); rest.resize(lastCharacterStart(rest))) bullets += "\u2022";
        shown = NSString::from(bullets);
    }
    CGSize size = NSStringDrawing::sizeWithFont(shown, font_);
    CGFloat lineHeight = font_->lineHeight();
    // Text wider than the box is shifted left so that its end shows; narrower
    // text stands where its alignment puts it.
    CGFloat x = box.origin.x - std::max<CGFloat>(0, size.width - box.size.width);
    const CGFloat spare = std::max<CGFloat>(0, box.size.width - size.width);
    if (textAlignment_ == UITextAlignmentCenter) x += spare / 2;
    else if (textAlignment_ == UITextAlignmentRight) x += spare;
    CGFloat y = box.origin.y + (box.size.height - lineHeight) / 2;
    CGContextStateGuard saved(context);
    CGContextClipToRect(context, box);
    CGContextSetFillColorWithColor(context, textColor_ ? textColor_->CGColor() : UIColor::blackColor()->CGColor());
    NSStringDrawing::drawInRect(shown, CGRectMake(x, y, size.width, lineHeight), font_, UILineBreakModeClip);
    if (isFirstResponder()) {
        CGContextSetFillColorWithColor(context, caretColour()->CGColor());
        CGContextFillRect(context, CGRectMake(x + size.width, y, kCaretWidth, lineHeight));
    }
}
