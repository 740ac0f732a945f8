#include "Foundation/StringFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "Foundation/NSObjectAdditions.h"
#include "Foundation/NSString.h"
#include "objc/ObjcClass.h"

namespace {

// Keeps a runaway width or precision in a format from exhausting memory.
constexpr int kMaxFieldWidth = 4096;

template <class V>
void appendPrintf(std::string& out, const std::string& directive, V value) {
    int n = std::snprintf(nullptr, 0, directive.c_str(), value);
    if (n <= 0) return;
    std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(n) + 1);
    std::snprintf(out.data() + start, static_cast<std::size_t>(n) + 1, directive.c_str(), value);
    out.resize(start + static_cast<std::size_t>(n));
}

long long saturate(double d) {
    if (std::isnan(d)) return 0;
    if (d >= 9223372036854775807.0) return std::numeric_limits<long long>::max();
    if (d <= -9223372036854775808.0) return std::numeric_limits<long long>::min();
    return static_cast<long long>(d);
}

}  // namespace

std::string_view StringFormat::Argument::text() const {
    if (ownsText_) return owned_;
    return text_ ? std::string_view(text_) : std::string_view("(null)");
}

std::string StringFormat::Argument::description() const {
    switch (kind_) {
    case Kind::Object:
        if (auto* o = dynamic_cast<const NSObject*>(object_)) return NSObjectAdditions::description(o)->str();
        if (auto* c = dynamic_cast<const objc_class*>(object_)) return c->name;
        return "(null)";
    case Kind::Text: return std::string(text());
    case Kind::Signed: return std::to_string(asSigned());
    case Kind::Unsigned: return std::to_string(asUnsigned());
    case Kind::Real: {
        std::string s;
        appendPrintf(s, "%g", real_);
        return s;
    }
    case Kind::Pointer: {
        std::string s;
        appendPrintf(s, "%p", pointer_);
        return s;
    }
    }
    return {};
}

long long StringFormat::Argument::asSigned() const {
    switch (kind_) {
    case Kind::Signed:
        // Sign-extends from the argument's own width.
        if (bits_ < 64) {
            std::uint64_t sign = std::uint64_t{1} << (bits_ - 1);
            std::uint64_t v = integer_ & ((sign << 1) - 1);
            return static_cast<long long>((v ^ sign) - sign);
        }
        return static_cast<long long>(integer_);
    case Kind::Unsigned: return static_cast<long long>(integer_);
    case Kind::Real: return saturate(real_);
    default: return 0;
    }
}

unsigned long long StringFormat::Argument::asUnsigned() const {
    switch (kind_) {
    case Kind::Signed:
    case Kind::Unsigned:
        // A negative argument shows as its own width's two's complement, as
        // printf shows an int given to "%x".
        return bits_ < 64 ? integer_ & ((std::uint64_t{1} << bits_) - 1) : integer_;
    case Kind::Real: return static_cast<unsigned long long>(saturate(real_));
    default: return 0;
    }
}

double StringFormat::Argument::asReal() const {
    switch (kind_) {
    case Kind::Real: return real_;
    case Kind::Signed: return static_cast<double>(asSigned());
    case Kind::Unsigned: return static_cast<double>(integer_);
    default: return 0;
    }
}

std::string StringFormat::format(std::string_view format, std::initializer_list<Argument> arguments) {
    std::string out;
    auto next = arguments.begin();
    auto take = [&]() -> const Argument* { return next == arguments.end() ? nullptr : &*next++; };

    std::size_t i = 0;
    while (i < format.size()) {
        char c = format[i];
        if (c != '%') {
            std::size_t end = format.find('%', i);
            if (end == std::string_view::npos) end = format.size();
            out.append(format.substr(i, end - i));
            i = end;
            continue;
        }
        std::size_t start = i++;
        std::string directive = "%";
        while (i < format.size() && std::string_view("-+ #0'").find(format[i]) != std::string_view::npos) {
            if (format[i] != '\'') directive += format[i];
            ++i;
        }
        auto field = [&]() {
            if (i < format.size() && format[i] == '*') {
                ++i;
                const Argument* a = take();
                long long v = a ? a->asSigned() : 0;
                directive += std::to_string(std::clamp<long long>(v, -kMaxFieldWidth, kMaxFieldWidth));
                return;
            }
            std::size_t digits = i;
            while (i < format.size() && format[i] >= '0' && format[i] <= '9') ++i;
            if (i > digits) {
                long long v = std::stoll(std::string(format.substr(digits, std::min<std::size_t>(i - digits, 9))));
                directive += std::to_string(std::min<long long>(v, kMaxFieldWidth));
            }
        };
        field();
        if (i < format.size() && format[i] == '.') {
            directive += '.';
            ++i;
            field();
        }
        while (i < format.size() && std::string_view("hlqLzjt").find(format[i]) != std::string_view::npos) ++i;
        if (i >= format.size()) {
            out.append(format.substr(start));
            break;
        }
        char conversion = format[i++];
        switch (conversion) {
        case '%': out += '%'; break;
        case '@':
            if (const Argument* a = take()) out += a->description();
            break;
        case 'd':
        case 'i':
            if (const Argument* a = take()) appendPrintf(out, directive + "lld", a->asSigned());
            break;
        case 'u':
        case 'o':
        case 'x':
        case 'X':
            if (const Argument* a = take()) appendPrintf(out, directive + "ll" + conversion, a->asUnsigned());
            break;
        case 'c':
        case 'C':
            if (const Argument* a = take()) appendPrintf(out, directive + "c", static_cast<int>(a->asSigned()));
            break;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            if (const Argument* a = take()) appendPrintf(out, directive + conversion, a->asReal());
            break;
        case 's':
        case 'S':
            if (const Argument* a = take()) appendPrintf(out, directive + "s", a->description().c_str());
            break;
        case 'p':
            if (const Argument* a = take()) {
                const void* p = a->kind_ == Argument::Kind::Pointer  ? a->pointer_
                                : a->kind_ == Argument::Kind::Object ? static_cast<const void*>(a->object_)
                                                                     : nullptr;
                appendPrintf(out, directive + "p", p);
            }
            break;
        default:
            // Not a conversion: kept as written.
            out.append(format.substr(start, i - start));
            break;
        }
    }
    return out;
}
