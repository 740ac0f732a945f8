#include "Foundation/NSDate.h"

#include <cmath>
#include <ctime>
#include <functional>

#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class NSDate::class_() {
    static Class cls = objc::ClassBuilder<NSDate>("NSDate", NSObject::class_())
                           .method<&NSDate::description>("description")
                           .classMethod<&NSDate::dateWithTimeIntervalSinceReferenceDate>(
                               "dateWithTimeIntervalSinceReferenceDate:")
                           .classMethod<&NSDate::dateWithTimeIntervalSince1970>("dateWithTimeIntervalSince1970:")
                           .method<&NSDate::timeIntervalSinceReferenceDate>("timeIntervalSinceReferenceDate")
                           .method<&NSDate::timeIntervalSince1970>("timeIntervalSince1970")
                           .method<&NSDate::isEqualToDate>("isEqualToDate:")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSDate::class_();

Ref<NSDate> NSDate::dateWithTimeIntervalSinceReferenceDate(NSTimeInterval seconds) { return make<NSDate>(seconds); }

Ref<NSDate> NSDate::dateWithTimeIntervalSince1970(NSTimeInterval seconds) {
    return make<NSDate>(seconds - NSTimeIntervalSince1970);
}

bool NSDate::isEqualToDate(const NSDate* other) const { return other && other->seconds_ == seconds_; }

Ref<NSString> NSDate::description() const {
    double unix = std::floor(timeIntervalSince1970());
    // Beyond what the calendar functions take, only the number can be shown.
    if (!(std::fabs(unix) < 1e15)) return NSString::stringWithFormat("%g", seconds_);
    std::time_t t = static_cast<std::time_t>(unix);
    std::tm utc{};
    if (!gmtime_r(&t, &utc)) return NSString::stringWithFormat("%g", seconds_);
    char buf[64];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S +0000", &utc);
    return NSString::from(buf);
}

bool NSDate::isEqual(const NSObject* other) const {
    auto* d = dynamic_cast<const NSDate*>(other);
    return d && isEqualToDate(d);
}

std::size_t NSDate::hash() const { return std::hash<double>{}(seconds_); }
