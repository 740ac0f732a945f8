#include "UIKit/UINibDecoder.h"

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class UINibDecoder::class_() {
    static Class cls = objc::ClassBuilder<UINibDecoder>("UINibDecoder", NSObject::class_())
                           .method<&UINibDecoder::decodeObjectForKey>("decodeObjectForKey:")
                           .method<&UINibDecoder::containsValueForKey>("containsValueForKey:")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UINibDecoder::class_();

UINibDecoder::UINibDecoder(Ref<NSDictionary> entry) : entry_(std::move(entry)) {}

UINibDecoder::~UINibDecoder() = default;

CGRect UINibDecoder::decodeFrame() const {
    CGFloat v[4];
    if (!decodeNumbers(decodeObjectForKey("frame"_ns), v, 4)) return CGRectZero;
    return CGRectMake(v[0], v[1], v[2], v[3]);
}

bool UINibDecoder::decodeNumbers(NSObject* value, CGFloat* values, NSUInteger count) {
    auto* list = objc::cast<NSArray>(value);
    if (!list || list->count() != count) return false;
    for (NSUInteger i = 0; i < count; ++i) {
        auto* number = objc::cast<NSNumber>(list->objectAtIndex(i));
        if (!number) return false;
        values[i] = number->floatValue();
    }
    return true;
}

NSObject* UINibDecoder::decodeObjectForKey(NSString* key) const {
    return entry_ && key ? entry_->objectForKey(key) : nullptr;
}
