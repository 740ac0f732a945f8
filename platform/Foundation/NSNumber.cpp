#include "Foundation/NSNumber.h"

#include <cmath>
#include <functional>
#include <limits>

#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class NSNumber::class_() {
    static Class cls = objc::ClassBuilder<NSNumber>("NSNumber", NSObject::class_())
                           .method<&NSNumber::description>("description")
                           .classMethod<&NSNumber::numberWithBool>("numberWithBool:")
                           .classMethod<&NSNumber::numberWithInt>("numberWithInt:")
                           .classMethod<&NSNumber::numberWithInteger>("numberWithInteger:")
                           .classMethod<&NSNumber::numberWithLongLong>("numberWithLongLong:")
                           .classMethod<&NSNumber::numberWithUnsignedLongLong>("numberWithUnsignedLongLong:")
                           .classMethod<&NSNumber::numberWithFloat>("numberWithFloat:")
                           .classMethod<&NSNumber::numberWithDouble>("numberWithDouble:")
                           .method<&NSNumber::intValue>("intValue")
                           .method<&NSNumber::integerValue>("integerValue")
                           .method<&NSNumber::longLongValue>("longLongValue")
                           .method<&NSNumber::unsignedLongLongValue>("unsignedLongLongValue")
                           .method<&NSNumber::floatValue>("floatValue")
                           .method<&NSNumber::doubleValue>("doubleValue")
                           .method<&NSNumber::boolValue>("boolValue")
                           .method<&NSNumber::stringValue>("stringValue")
                           .method<&NSNumber::isEqualToNumber>("isEqualToNumber:")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSNumber::class_();

namespace {

template <class T>
T truncated(double d) {
    if (std::isnan(d)) return 0;
    if (d <= static_cast<double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    // The maximum of a 64-bit type rounds up as a double, so compare with >=.
    if (d >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    return static_cast<T>(d);
}

}  // namespace

NSNumber::NSNumber(Kind kind, std::int64_t integer, std::uint64_t unsignedInteger, double real)
    : kind_(kind), integer_(integer), unsigned_(unsignedInteger), real_(real) {}

Ref<NSNumber> NSNumber::numberWithBool(bool value) { return make<NSNumber>(Kind::Bool, value ? 1 : 0, 0, 0.0); }

Ref<NSNumber> NSNumber::numberWithInt(int value) { return numberWithLongLong(value); }

Ref<NSNumber> NSNumber::numberWithInteger(NSInteger value) { return numberWithLongLong(value); }

Ref<NSNumber> NSNumber::numberWithLongLong(long long value) { return make<NSNumber>(Kind::Integer, value, 0, 0.0); }

Ref<NSNumber> NSNumber::numberWithUnsignedLongLong(unsigned long long value) {
    if (value <= static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max()))
        return numberWithLongLong(static_cast<long long>(value));
    return make<NSNumber>(Kind::UnsignedInteger, 0, value, 0.0);
}

Ref<NSNumber> NSNumber::numberWithFloat(float value) { return make<NSNumber>(Kind::Float, 0, 0, value); }

Ref<NSNumber> NSNumber::numberWithDouble(double value) { return make<NSNumber>(Kind::Double, 0, 0, value); }

int NSNumber::intValue() const {
    if (isReal()) return truncated<int>(real_);
    return static_cast<int>(kind_ == Kind::UnsignedInteger ? static_cast<std::int64_t>(unsigned_) : integer_);
}

NSInteger NSNumber::integerValue() const {
    if (isReal()) return truncated<NSInteger>(real_);
    return static_cast<NSInteger>(kind_ == Kind::UnsignedInteger ? static_cast<std::int64_t>(unsigned_) : integer_);
}

long long NSNumber::longLongValue() const {
    if (isReal()) return truncated<long long>(real_);
    return kind_ == Kind::UnsignedInteger ? static_cast<long long>(unsigned_) : integer_;
}

unsigned long long NSNumber::unsignedLongLongValue() const {
    if (isReal()) return real_ < 0 ? static_cast<unsigned long long>(truncated<long long>(real_))
                                   : truncated<unsigned long long>(real_);
    return kind_ == Kind::UnsignedInteger ? unsigned_ : static_cast<unsigned long long>(integer_);
}

float NSNumber::floatValue() const { return static_cast<float>(doubleValue()); }

double NSNumber::doubleValue() const {
    if (isReal()) return real_;
    return kind_ == Kind::UnsignedInteger ? static_cast<double>(unsigned_) : static_cast<double>(integer_);
}

bool NSNumber::boolValue() const {
    if (isReal()) return real_ != 0;
    return kind_ == Kind::UnsignedInteger ? unsigned_ != 0 : integer_ != 0;
}

Ref<NSString> NSNumber::stringValue() const { return description(); }

long double NSNumber::exactValue() const {
    if (isReal()) return real_;
    return kind_ == Kind::UnsignedInteger ? static_cast<long double>(unsigned_) : static_cast<long double>(integer_);
}

bool NSNumber::isEqualToNumber(const NSNumber* other) const {
    if (!other) return false;
    if (!isReal() && !other->isReal()) {
        if ((kind_ == Kind::UnsignedInteger) != (other->kind_ == Kind::UnsignedInteger)) return false;
        return kind_ == Kind::UnsignedInteger ? unsigned_ == other->unsigned_ : integer_ == other->integer_;
    }
    if (isReal() && other->isReal() && std::isnan(real_) && std::isnan(other->real_)) return true;
    return exactValue() == other->exactValue();
}

Ref<NSString> NSNumber::description() const {
    switch (kind_) {
    case Kind::Bool:
    case Kind::Integer: return NSString::stringWithFormat("%lld", static_cast<long long>(integer_));
    case Kind::UnsignedInteger: return NSString::stringWithFormat("%llu", static_cast<unsigned long long>(unsigned_));
    case Kind::Float: return NSString::stringWithFormat("%0.7g", real_);
    case Kind::Double: return NSString::stringWithFormat("%0.16g", real_);
    }
    return NSString::from("");
}

bool NSNumber::isEqual(const NSObject* other) const {
    auto* n = dynamic_cast<const NSNumber*>(other);
    return n && isEqualToNumber(n);
}

std::size_t NSNumber::hash() const {
    // Equal numbers hash alike whatever their kinds: whole values hash as integers.
    if (kind_ == Kind::UnsignedInteger) return std::hash<std::uint64_t>{}(unsigned_);
    if (!isReal()) return std::hash<std::int64_t>{}(integer_);
    if (std::isnan(real_)) return 0;
    if (std::trunc(real_) == real_ && std::fabs(real_) < 9.2e18)
        return std::hash<std::int64_t>{}(static_cast<std::int64_t>(real_));
    if (std::trunc(real_) == real_ && real_ > 0 && real_ < 18446744073709551616.0)
        return std::hash<std::uint64_t>{}(static_cast<std::uint64_t>(real_));
    return std::hash<double>{}(real_);
}
