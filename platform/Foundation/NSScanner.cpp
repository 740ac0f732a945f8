#include "Foundation/NSScanner.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <utf8proc.h>

#include "Foundation/NSString.h"
#include "Foundation/UnicodeText.h"
#include "objc/ClassBuilder.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t skipDigits(const std::string& s, std::size_t at) {
    while (at < s.size() && isDigit(s[at])) ++at;
    return at;
}

}  // namespace

Class NSScanner::class_() {
    static Class cls = objc::ClassBuilder<NSScanner>("NSScanner", NSObject::class_())
                           .classMethod<&NSScanner::scannerWithString>("scannerWithString:")
                           .method<&NSScanner::scanFloat>("scanFloat:")
                           .method<&NSScanner::scanHexInt>("scanHexInt:")
                           .method<&NSScanner::isAtEnd>("isAtEnd")
                           .method<&NSScanner::scanLocation>("scanLocation")
                           .method<&NSScanner::caseSensitive>("caseSensitive")
                           .method<&NSScanner::setCaseSensitive>("setCaseSensitive:")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSScanner::class_();

NSScanner::NSScanner(std::string text) : text_(std::move(text)) {}

Ref<NSScanner> NSScanner::scannerWithString(NSString* string) {
    return make<NSScanner>(string ? string->str() : std::string());
}

std::size_t NSScanner::afterSkipped() const {
    std::size_t at = location_;
    while (at < text_.size()) {
        std::size_t after = at;
        if (!UnicodeText::isWhitespaceOrNewline(UnicodeText::decodeUTF8(text_, after))) break;
        at = after;
    }
    return at;
}

bool NSScanner::scanString(NSString* string, Ref<NSString>* into) {
    if (!string || string->str().empty()) return false;
    const std::string& wanted = string->str();
    std::size_t start = afterSkipped();
    std::size_t at = start;
    for (std::size_t w = 0; w < wanted.size();) {
        if (at >= text_.size()) return false;
        utf8proc_int32_t have = UnicodeText::decodeUTF8(text_, at);
        utf8proc_int32_t want = UnicodeText::decodeUTF8(wanted, w);
        if (have < 0 || want < 0) return false;
        if (have != want && (caseSensitive_ || utf8proc_tolower(have) != utf8proc_tolower(want))) return false;
    }
    if (into) *into = NSString::from(std::string_view(text_).substr(start, at - start));
    location_ = at;
    return true;
}

bool NSScanner::scanFloat(float* value) {
    std::size_t start = afterSkipped();
    std::size_t at = start;
    bool negative = false;
    if (at < text_.size() && (text_[at] == '+' || text_[at] == '-')) negative = text_[at++] == '-';
    std::size_t digitsStart = at;
    at = skipDigits(text_, at);
    bool anyDigit = at > digitsStart;
    if (at < text_.size() && text_[at] == '.') {
        std::size_t fraction = at + 1;
        std::size_t end = skipDigits(text_, fraction);
        if (anyDigit || end > fraction) {
            anyDigit = true;
            at = end;
        }
    }
    if (!anyDigit) return false;
    bool negativeExponent = false;
    if (at < text_.size() && (text_[at] == 'e' || text_[at] == 'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text_.size() && (text_[exponent] == '+' || text_[exponent] == '-'))
            negativeExponent = text_[exponent++] == '-';
        std::size_t end = skipDigits(text_, exponent);
        if (end > exponent) at = end;
        else negativeExponent = false;
    }
    double parsed = 0;
    auto [rest, error] = std::from_chars(text_.data() + digitsStart, text_.data() + at, parsed);
    (void)rest;
    if (error == std::errc::result_out_of_range) parsed = negativeExponent ? 0.0 : HUGE_VAL;
    float result = std::fabs(parsed) > FLT_MAX ? HUGE_VALF : static_cast<float>(parsed);
    if (value) *value = negative ? -result : result;
    location_ = at;
    return true;
}

bool NSScanner::scanHexInt(unsigned* value) {
    std::size_t at = afterSkipped();
    if (at + 2 < text_.size() && text_[at] == '0' && (text_[at + 1] == 'x' || text_[at + 1] == 'X') &&
        UnicodeText::hexDigit(text_[at + 2]) >= 0)
        at += 2;
    std::size_t digitsStart = at;
    unsigned long long result = 0;
    for (; at < text_.size() && UnicodeText::hexDigit(text_[at]) >= 0; ++at)
        if (result <= UINT_MAX) result = result * 16 + static_cast<unsigned>(UnicodeText::hexDigit(text_[at]));
    if (at == digitsStart) return false;
    if (value) *value = result > UINT_MAX ? UINT_MAX : static_cast<unsigned>(result);
    location_ = at;
    return true;
}

bool NSScanner::isAtEnd() const { return afterSkipped() >= text_.size(); }

NSUInteger NSScanner::scanLocation() const { return NSString(text_.substr(0, location_)).length(); }
