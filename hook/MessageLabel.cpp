#include "MessageLabel.h"

#include "HookInstaller.h"
#include "LabelPreferences.h"
#include "LabelShapes.h"
#include "ObjC.h"

namespace korvelhook {

namespace {

using LabelShapes::kDateBackground;
using LabelShapes::kDateColour;
using LabelShapes::kTint;
using LabelShapes::kTintOpacity;

id makeView(CGRect frame) {
    id view = send<id>(classNamed("UIView"), "alloc");
    return send<id, CGRect>(view, "initWithFrame:", frame);
}

void setCornerRadius(id view, CGFloat radius) { send<void, CGFloat>(send<id>(view, "layer"), "setCornerRadius:", radius); }

CGRect frameOf(id view) { return send<CGRect>(view, "frame"); }

id defaultDateColour() {
    const float* c = LabelShapes::kDefaultDateColour;
    return send<id, CGFloat, CGFloat, CGFloat, CGFloat>(classNamed("UIColor"), "colorWithRed:green:blue:alpha:", c[0],
                                                        c[1], c[2], c[3]);
}

id firstNonEmpty(id message) {
    const char* const lists[] = {"_sender", "_to", "_cc"};
    for (const char* name : lists) {
        id list = ivar(message, name);
        if (count(list) >= 1) return list;
    }
    return nullptr;
}

}  // namespace

id MessageLabel::extractAddress(id entry) {
    // The entry split at "<", and its second piece at ">", without making
    // the pieces: what follows the first "<" up to the first ">", unless
    // another "<" comes first.
    NSRange open = rangeOf(entry, "<");
    if (open.length == 0) return entry;
    id rest = send<id, NSUInteger>(entry, "substringFromIndex:", open.location + open.length);
    NSRange close = rangeOf(rest, ">");
    if (close.length == 0) return entry;
    id inner = send<id, NSUInteger>(rest, "substringToIndex:", close.location);
    return rangeOf(inner, "<").length == 0 ? inner : entry;
}

id MessageLabel::messageColour(id preferences, id message, bool onlyMissing) {
    id accountAddress = send<id>(send<id>(message, "account"), "firstEmailAddress");
    if (LabelPreferences::option(preferences, "main_mailbox_color_aliases") != 1)
        return LabelPreferences::valueForAddress(preferences, accountAddress);

    id colour = nullptr;
    if (id list = firstNonEmpty(message))
        colour = LabelPreferences::valueForAddress(preferences, extractAddress(objectAt(list, 0)));
    bool usable = onlyMissing ? colour != nullptr : responds(colour, "objectForKey:");
    return usable ? colour : LabelPreferences::valueForAddress(preferences, accountAddress);
}

id MessageLabel::cellCreation(id self, SEL cmd, NSInteger style, id reuseIdentifier) {
    IMP previous = HookInstaller::previous(HookInstaller::kCellCreation);
    id cell = previous ? call<id, NSInteger, id>(previous, self, cmd, style, reuseIdentifier) : self;

    id preferences = LabelPreferences::read();
    int labelStyle = LabelPreferences::option(preferences, "mail_label_style");
    int lines = LabelPreferences::previewLines();
    if (send<id, NSInteger>(cell, "viewWithTag:", kTag)) return cell;

    CGRect frame = frameOf(cell);
    const LabelShapes::Shape shape = LabelShapes::shapeOf(labelStyle);
    const LabelShapes::Frame f =
        LabelShapes::frameOf(shape, frame.size.width, LabelShapes::labelHeight(frame.size.height, lines));

    id label = makeView(rect(f.x, f.y, f.width, f.height));
    send<void, NSInteger>(label, "setTag:", kTag);
    if (shape.cornerRadius != 0) setCornerRadius(label, shape.cornerRadius);
    if (shape.opacity != 1) send<void, CGFloat>(label, "setAlpha:", shape.opacity);
    if (shape.resizing != 0) send<void, NSUInteger>(label, "setAutoresizingMask:", shape.resizing);
    send<void, id>(cell, "addSubview:", label);
    send<void>(label, "release");
    return cell;
}

void MessageLabel::messageAssignment(id self, SEL cmd, id message, BOOL threaded) {
    if (IMP previous = HookInstaller::previous(HookInstaller::kMessageAssignment))
        call<void, id, BOOL>(previous, self, cmd, message, threaded);

    id preferences = LabelPreferences::read();
    int style = LabelPreferences::option(preferences, "mail_label_style");

    id label = send<id, NSInteger>(self, "viewWithTag:", kTag);
    if (label) {
        if (style == kTint) send<void, id>(self, "bringSubviewToFront:", label);
        else if (objectAt(send<id>(self, "subviews"), 0) != label) send<void, id>(self, "sendSubviewToBack:", label);
    }

    // The date background style leaves the label white and colours the date
    // when the date is laid out, so its lookup here would go unused.
    id record = style == kDateBackground ? nullptr : messageColour(preferences, message, false);
    bool coloured = LabelPreferences::hasRed(record);
    if (style == kDateColour)
        send<void, id>(ivar(self, "_dateLabel"), "setTextColor:",
                       coloured ? LabelPreferences::colour(record) : defaultDateColour());

    if (coloured && style != kDateColour && style != kDateBackground) {
        if (style == kTint) send<void, CGFloat>(label, "setAlpha:", kTintOpacity);
        send<void, id>(label, "setBackgroundColor:", LabelPreferences::colour(record));
    } else {
        if (style == kTint) send<void, CGFloat>(label, "setAlpha:", 0);
        send<void, id>(label, "setBackgroundColor:", send<id>(classNamed("UIColor"), "whiteColor"));
    }
}

CGRect MessageLabel::dateLabelLayout(id self, SEL cmd, CGRect rectangle) {
    id preferences = LabelPreferences::read();
    if (LabelPreferences::option(preferences, "mail_label_style") == kDateBackground) {
        id record = messageColour(preferences, send<id>(self, "message"), true);
        id dateLabel = ivar(self, "_dateLabel");
        CGRect dateFrame = frameOf(dateLabel);
        id subviews = send<id>(dateLabel, "subviews");
        id background;
        if (dateLabel && count(subviews) == 0) {
            // Made here, it is the date label's only subview; the date label keeps it.
            background = makeView(rect(0, 0, dateFrame.size.width, dateFrame.size.height));
            setCornerRadius(background, LabelShapes::kDateBackgroundRadius);
            send<void, CGFloat>(background, "setAlpha:", kTintOpacity);
            send<void, id>(dateLabel, "addSubview:", background);
            send<void>(background, "release");
        } else {
            background = objectAt(subviews, 0);
        }
        send<void, id>(background, "setBackgroundColor:", LabelPreferences::colour(record));
        send<void, id>(dateLabel, "bringSubviewToFront:", background);
        CGRect own = frameOf(background);
        if (background && own.size.width != dateFrame.size.width)
            send<void, CGRect>(background, "setFrame:",
                               rect(own.origin.x, own.origin.y, dateFrame.size.width, dateFrame.size.height));
    }
    IMP previous = HookInstaller::previous(HookInstaller::kDateLabelLayout);
    return previous ? call<CGRect, CGRect>(previous, self, cmd, rectangle) : rectangle;
}

}  // namespace korvelhook
