// A number that remembers what it was made from: a bool, an integer (int,
// long, long long, or unsigned long long beyond the signed range), a float or
// a double. Numbers of different kinds are equal when their values are.
#pragma once

#include <cstdint>

#include "objc/NSObject.h"

class NSString;

class NSNumber : public NSObject {
    KORVEL_OBJC_CLASS(NSNumber)
public:
    enum class Kind { Bool, Integer, UnsignedInteger, Float, Double };

    NSNumber() = default;
    NSNumber(Kind kind, std::int64_t integer, std::uint64_t unsignedInteger, double real);

    static Ref<NSNumber> numberWithBool(bool value);
    static Ref<NSNumber> numberWithInt(int value);
    static Ref<NSNumber> numberWithInteger(NSInteger value);
    static Ref<NSNumber> numberWithLongLong(long long value);
    static Ref<NSNumber> numberWithUnsignedLongLong(unsigned long long value);
    static Ref<NSNumber> numberWithFloat(float value);
    static Ref<NSNumber> numberWithDouble(double value);

    Kind kind() const { return kind_; }

    // Integers convert as C does; a real number is truncated towards zero and
    // clamped to the result's range (NaN gives 0).
    int intValue() const;
    NSInteger integerValue() const;
    long long longLongValue() const;
    unsigned long long unsignedLongLongValue() const;
    float floatValue() const;
    double doubleValue() const;
    bool boolValue() const;
    Ref<NSString> stringValue() const;

    bool isEqualToNumber(const NSNumber* other) const;
    // "1"/"0" for a bool, "%0.7g" for a float, "%0.16g" for a double.
    Ref<NSString> description() const;
    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;

private:
    bool isReal() const { return kind_ == Kind::Float || kind_ == Kind::Double; }
    long double exactValue() const;

    Kind kind_ = Kind::Integer;
    std::int64_t integer_ = 0;
    std::uint64_t unsigned_ = 0;
    double real_ = 0;
};
