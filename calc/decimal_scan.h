// The number scan: the longest prefix of an ASCII text that forms a decimal
// number, reduced to at most 24 significant digits and a power of ten.
#pragma once

#include <cstdint>
#include <string_view>

namespace calc {

struct ScannedDecimal {
    static constexpr int max_digits = 24;

    bool found = false;     // false: the text holds no number
    bool negative = false;  // the mantissa's sign
    // The kept significant digits without leading or trailing zeros, as
    // ASCII; none when the mantissa is zero. The value is
    // digits * 10^power_of_ten.
    char digits[max_digits] = {};
    int digit_count = 0;
    std::int64_t power_of_ten = 0;
};

// The largest exponent that is read digit by digit; a larger one is taken as
// one more than this, and its remaining digits are skipped.
inline constexpr int exponent_limit = 5200;

// Grammar, after leading whitespace (09 to 0D, 20):
//   [+-] ( digit+ [ "." digit* ] | "." digit+ ) [ (e|E|d|D) [+-] digit+ ]
// An exponent letter without a well-formed exponent after it ends the number
// before the letter. Anything after the number is ignored. Bytes of 0x80 and
// above belong to no class. Linear in the length of the text, no allocation.
ScannedDecimal scan_decimal(std::string_view text);

}  // namespace calc
