// printf-style formatting with the platform's "%@" conversion, which prints
// an object's description ("(null)" for nil). Arguments carry their own types,
// so a length modifier in the format ("%ld", "%lu") is accepted and ignored.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

#include "objc/ObjcObject.h"

class StringFormat {
public:
    class Argument {
    public:
        template <class T>
        Argument(const T& value) {  // NOLINT: implicit by design
            using V = std::remove_cvref_t<T>;
            if constexpr (std::is_same_v<V, bool>) {
                kind_ = Kind::Signed;
                integer_ = value ? 1 : 0;
                bits_ = 8;
            } else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>) {
                using I = typename std::conditional_t<std::is_enum_v<V>, std::underlying_type<V>, std::type_identity<V>>::type;
                kind_ = std::is_signed_v<I> ? Kind::Signed : Kind::Unsigned;
                integer_ = static_cast<std::uint64_t>(static_cast<I>(value));
                bits_ = sizeof(I) * 8;
            } else if constexpr (std::is_floating_point_v<V>) {
                kind_ = Kind::Real;
                real_ = static_cast<double>(value);
            } else if constexpr (std::is_convertible_v<const T&, const char*>) {
                kind_ = Kind::Text;
                text_ = value;
            } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
                kind_ = Kind::Text;
                owned_ = std::string(std::string_view(value));
                ownsText_ = true;
            } else if constexpr (std::is_convertible_v<const T&, const objc_object*>) {
                kind_ = Kind::Object;
                object_ = static_cast<const objc_object*>(value);
            } else {
                static_assert(std::is_pointer_v<V>, "unsupported format argument");
                kind_ = Kind::Pointer;
                pointer_ = static_cast<const void*>(value);
            }
        }
        Argument(std::nullptr_t) : kind_(Kind::Object) {}

    private:
        friend class StringFormat;
        std::string_view text() const;
        std::string description() const;
        long long asSigned() const;
        unsigned long long asUnsigned() const;
        double asReal() const;

        enum class Kind { Signed, Unsigned, Real, Text, Object, Pointer };
        Kind kind_ = Kind::Signed;
        std::uint64_t integer_ = 0;
        unsigned bits_ = 64;
        double real_ = 0;
        const char* text_ = nullptr;
        std::string owned_;
        bool ownsText_ = false;
        const objc_object* object_ = nullptr;
        const void* pointer_ = nullptr;
    };

    // A conversion without a matching argument prints nothing; an argument of
    // another kind than the conversion asks for is converted, never misread.
    static std::string format(std::string_view format, std::initializer_list<Argument> arguments);
};
