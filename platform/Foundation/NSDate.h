// A point in time, as seconds since the platform's reference date,
// 1 January 2001 00:00:00 UTC.
#pragma once

#include "objc/NSObject.h"

class NSString;

typedef double NSTimeInterval;

// Seconds from 1 January 1970 to the reference date.
inline constexpr NSTimeInterval NSTimeIntervalSince1970 = 978307200.0;

class NSDate : public NSObject {
    KORVEL_OBJC_CLASS(NSDate)
public:
    NSDate() = default;
    explicit NSDate(NSTimeInterval sinceReferenceDate) : seconds_(sinceReferenceDate) {}

    static Ref<NSDate> dateWithTimeIntervalSinceReferenceDate(NSTimeInterval seconds);
    static Ref<NSDate> dateWithTimeIntervalSince1970(NSTimeInterval seconds);

    NSTimeInterval timeIntervalSinceReferenceDate() const { return seconds_; }
    NSTimeInterval timeIntervalSince1970() const { return seconds_ + NSTimeIntervalSince1970; }

    bool isEqualToDate(const NSDate* other) const;
    // "2001-01-01 00:00:00 +0000"
    Ref<NSString> description() const;
    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;

private:
    NSTimeInterval seconds_ = 0;
};
