// Reads numbers and words from the front of a text, skipping blanks and line
// ends before each read. A read that fails leaves the position where it was.
#pragma once

#include <string>

#include "objc/NSObject.h"

class NSString;

class NSScanner : public NSObject {
    KORVEL_OBJC_CLASS(NSScanner)
public:
    explicit NSScanner(std::string text = {});

    // A nil string gives a scanner over an empty text.
    static Ref<NSScanner> scannerWithString(NSString* string);

    // Reads `string` (ignoring case unless case-sensitive); `into`, when
    // given, receives the text as it stands in the scanned string.
    bool scanString(NSString* string, Ref<NSString>* into);
    // A decimal number with optional sign, fraction and exponent; an overflow
    // gives plus or minus HUGE_VAL and consumes the whole number.
    bool scanFloat(float* value);
    // Hexadecimal digits after an optional "0x" or "0X"; an overflow gives
    // UINT_MAX and consumes every digit.
    bool scanHexInt(unsigned* value);
    // Whether only skipped characters (blanks, line ends) remain.
    bool isAtEnd() const;
    // The position in UTF-16 units, as the platform counts.
    NSUInteger scanLocation() const;

    bool caseSensitive() const { return caseSensitive_; }
    void setCaseSensitive(bool caseSensitive) { caseSensitive_ = caseSensitive; }

private:
    // The byte offset after the skipped characters at the current position.
    std::size_t afterSkipped() const;

    std::string text_;
    std::size_t location_ = 0;  // byte offset into text_
    bool caseSensitive_ = false;
};
