#include "calc/text_to_number.h"

#include <cfloat>
#include <charconv>
#include <cstdint>
#include <algorithm>
#include <limits>
#include <string>
#include <system_error>

#include "calc/decimal_scan.h"
#include "calc/fold_full_width.h"

namespace calc {

namespace {

bool all_ascii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

// Clinger's fast path: when the digits and the power of ten are both exact
// doubles, one correctly rounded multiplication or division is the
// correctly rounded value. Only where double arithmetic is binary64 itself,
// not evaluated wider.
bool exact_product(const ScannedDecimal& decimal, double& magnitude) {
    constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (FLT_EVAL_METHOD != 0 || decimal.digit_count > 16) return false;
    if (decimal.power_of_ten < -22 || decimal.power_of_ten > 22) return false;
    std::uint64_t digits = 0;
    for (int i = 0; i < decimal.digit_count; ++i) digits = digits * 10 + static_cast<unsigned>(decimal.digits[i] - '0');
    if (digits > (std::uint64_t{1} << 53)) return false;
    const auto value = static_cast<double>(digits);
    const double power = powers[decimal.power_of_ten < 0 ? -decimal.power_of_ten : decimal.power_of_ten];
    magnitude = decimal.power_of_ten < 0 ? value / power : value * power;
    return true;
}

double value_of(const ScannedDecimal& decimal) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    if (!decimal.found) return 0.0;
    if (decimal.digit_count == 0) return decimal.negative ? -0.0 : 0.0;
    if (decimal.power_of_ten > exponent_limit) return decimal.negative ? -infinity : infinity;
    if (decimal.power_of_ten < -exponent_limit) return decimal.negative ? -0.0 : 0.0;
    double magnitude = 0.0;
    if (exact_product(decimal, magnitude)) return decimal.negative ? -magnitude : magnitude;

    // "<digits>e<power>" is at most 24 + 1 + 5 characters.
    char text[40];
    std::copy(decimal.digits, decimal.digits + decimal.digit_count, text);
    char* end = text + decimal.digit_count;
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, decimal.power_of_ten).ptr;

    // from_chars rounds correctly, denormals included, and reports a value
    // beyond the range of doubles without setting it.
    if (std::from_chars(text, end, magnitude).ec == std::errc::result_out_of_range) {
        const bool too_large = decimal.power_of_ten + decimal.digit_count > 0;
        magnitude = too_large ? infinity : 0.0;
    }
    return decimal.negative ? -magnitude : magnitude;
}

}  // namespace

double text_to_number(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    if (all_ascii(text)) return value_of(scan_decimal(text));
    return value_of(scan_decimal(fold_full_width(text)));
}

double text_to_number(std::int32_t value) { return static_cast<double>(value); }

double text_to_number(double value) { return value; }

}  // namespace calc
