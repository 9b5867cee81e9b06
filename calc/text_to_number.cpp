#include "calc/text_to_number.h"

#include <charconv>
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

double value_of(const ScannedDecimal& decimal) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    if (!decimal.found) return 0.0;
    if (decimal.digit_count == 0) return decimal.negative ? -0.0 : 0.0;
    if (decimal.power_of_ten > exponent_limit) return decimal.negative ? -infinity : infinity;
    if (decimal.power_of_ten < -exponent_limit) return decimal.negative ? -0.0 : 0.0;

    // "<digits>e<power>" is at most 24 + 1 + 5 characters.
    char text[40];
    std::copy(decimal.digits, decimal.digits + decimal.digit_count, text);
    char* end = text + decimal.digit_count;
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, decimal.power_of_ten).ptr;

    // from_chars rounds correctly, denormals included, and reports a value
    // beyond the range of doubles without setting it.
    double magnitude = 0.0;
    const auto [ptr, error] = std::from_chars(text, end, magnitude);
    (void)ptr;
    if (error == std::errc::result_out_of_range) {
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
