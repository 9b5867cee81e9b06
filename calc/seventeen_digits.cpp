#include "calc/seventeen_digits.h"

#include <charconv>

namespace calc {

SeventeenDigits seventeen_digits(double magnitude) {
    // to_chars rounds the exact expansion to nearest with ties to even.
    // That differs from rounding ties up only at an exact tie with an even
    // 17th digit, where rounding up cannot carry past the 17th digit, so the
    // thirteen digits taken from these seventeen are the same either way.
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 16).ptr;
    // "d.dddddddddddddddde+XX", with two or three exponent digits.
    std::uint64_t digits = static_cast<std::uint64_t>(text[0] - '0');
    for (int i = 2; i < 18; ++i) digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
    int exponent = 0;
    std::from_chars(text + (text[19] == '+' ? 20 : 19), end, exponent);
    return {digits, exponent};
}

}  // namespace calc
