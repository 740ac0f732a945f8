#include "Foundation/NSData.h"

#include <functional>

#include "Device/DeviceFolder.h"
#include "Foundation/FileAccess.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class NSData::class_() {
    static Class cls = objc::ClassBuilder<NSData>("NSData", NSObject::class_())
                           .method<&NSData::description>("description")
                           .classMethod<&NSData::dataWithContentsOfFile>("dataWithContentsOfFile:")
                           .method<&NSData::length>("length")
                           .method<&NSData::writeToFile>("writeToFile:atomically:")
                           .method<&NSData::isEqualToData>("isEqualToData:")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSData::class_();

Ref<NSData> NSData::dataWithBytes(const void* bytes, NSUInteger length) {
    return make<NSData>(bytes ? std::string(static_cast<const char*>(bytes), length) : std::string());
}

Ref<NSData> NSData::dataWithContentsOfFile(NSString* path) {
    if (!path) return nullptr;
    auto bytes = FileAccess::read(DeviceFolder::resolve(path->str()));
    return bytes ? make<NSData>(std::move(*bytes)) : nullptr;
}

bool NSData::writeToFile(NSString* path, bool atomically) const {
    return path && FileAccess::write(DeviceFolder::resolve(path->str()), bytes_, atomically);
}

bool NSData::isEqualToData(const NSData* other) const { return other && other->bytes_ == bytes_; }

Ref<NSString> NSData::description() const {
    static const char hex[] = "0123456789abcdef";
    std::string out = "<";
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        if (i && i % 4 == 0) out += ' ';
        auto b = static_cast<unsigned char>(bytes_[i]);
        out += hex[b >> 4];
        out += hex[b & 0xF];
    }
    return NSString::from(out + ">");
}

bool NSData::isEqual(const NSObject* other) const {
    auto* d = dynamic_cast<const NSData*>(other);
    return d && isEqualToData(d);
}

std::size_t NSData::hash() const { return std::hash<std::string>{}(bytes_); }
