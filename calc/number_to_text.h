// The result of the calculation as text.
#pragma once

#include <string>

namespace calc {

// General notation with 13 significant digits, ASCII only, 1 to 20
// characters ("-1.234567890123e-308" is the longest). In order:
//   1. +inf "1.#INF", -inf "-1.#INF", the default NaN FFF8000000000000
//      "-1.#IND", other NaNs "1.#QNAN" or "-1.#QNAN" by their sign bit;
//   2. either zero "0";
//   3. otherwise the exact value is rounded to 17 significant digits by
//      its 18th, then those to 13 by their 14th, each time 5 and more
//      rounding up; so the two-step rounding differs from a single one
//      when digits 14 to 17 are 4999 and the 18th is 5 or more;
//   4. with X the decimal exponent after rounding, X < -4 or X >= 13 gives
//      "d.ddde+XXX" (always three exponent digits), otherwise positional
//      notation; trailing zeros after the point and a bare point are
//      dropped, a "-" goes in front of a negative value.
// Never fails; independent of the locale and of the C library's printf.
std::string number_to_text(double value);

}  // namespace calc
