// Operands of the calculation as binary64 doubles.
#pragma once

#include <cstdint>
#include <string_view>

namespace calc {

// A text of code page 936: folded with fold_full_width, then read as the
// longest decimal prefix (see scan_decimal). Returns
//   - +0 when the text holds no number ("", "abc", "-", "0x10" reads as 0);
//   - zero with the mantissa's sign for a zero mantissa ("-0" gives -0);
//   - +-infinity when the power of ten exceeds 5200 or the value is beyond
//     the largest double, +-0 when it is below -5200 or below the smallest
//     denormal;
//   - otherwise the value of the kept digits rounded to the nearest double,
//     ties to even, denormals included.
// Never fails and never depends on the locale. Linear in the length of
// the text; allocates only when the text has bytes of 0x80 or more.
double text_to_number(std::string_view text);

// The integer's exact value.
double text_to_number(std::int32_t value);

// The double itself, bit for bit.
double text_to_number(double value);

}  // namespace calc
