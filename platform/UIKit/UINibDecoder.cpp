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
    auto* frame = objc::cast<NSArray>(decodeObjectForKey("frame"_ns));
    if (!frame || frame->count() != 4) return CGRectZero;
    CGFloat v[4];
    for (NSUInteger i = 0; i < 4; ++i) {
        auto* number = objc::cast<NSNumber>(frame->objectAtIndex(i));
        if (!number) return CGRectZero;
        v[i] = number->floatValue();
    }
    return CGRectMake(v[0], v[1], v[2], v[3]);
}

NSObject* UINibDecoder::decodeObjectForKey(NSString* key) const {
    return entry_ && key ? entry_->objectForKey(key) : nullptr;
}
