// The first rounding of a result for display: seventeen significant digits.
#pragma once

#include <cstdint>

namespace calc {

struct SeventeenDigits {
    std::uint64_t digits;  // d1 d2 ... d17 as an integer, 10^16 <= digits < 10^17
    int exponent;          // the magnitude is digits * 10^(exponent - 16)
};

// Rounds the exact decimal expansion of a finite magnitude > 0 to 17
// significant digits by the digits after the 17th. An exact tie may go
// either way: the 13-digit rounding that follows cannot tell (see the .cpp).
SeventeenDigits seventeen_digits(double magnitude);

}  // namespace calc
