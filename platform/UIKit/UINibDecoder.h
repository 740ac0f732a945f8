// What an interface file says about one of its objects, handed to the
// object's initWithCoder:. Its entry is a dictionary: "class", "id",
// "frame" (four numbers: x, y, width, height) and the object's properties.
#pragma once

#include "CoreGraphics/CGGeometry.h"
#include "objc/NSObject.h"

class NSDictionary;
class NSString;

class UINibDecoder : public NSObject {
    KORVEL_OBJC_CLASS(UINibDecoder)
public:
    explicit UINibDecoder(Ref<NSDictionary> entry);
    ~UINibDecoder() override;

    // The zero rectangle when the entry has no well-formed frame.
    CGRect decodeFrame() const;
    // Reads a list of exactly `count` numbers into `values`; NO for anything
    // else.
    static bool decodeNumbers(NSObject* value, CGFloat* values, NSUInteger count);
    // nil when absent.
    NSObject* decodeObjectForKey(NSString* key) const;
    bool containsValueForKey(NSString* key) const { return decodeObjectForKey(key) != nullptr; }

private:
    Ref<NSDictionary> entry_;
};
