// text_to_number agrees with std::from_chars of the number prefix, found
// here by a scanner of our own over the folded text and rebuilt in plain
// ASCII ("d" exponents as "e", no "+"), wherever the two can be compared:
// at most 24 significant digits and a short exponent.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "calc/fold_full_width.h"
#include "calc/text_to_number.h"

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }

struct Prefix {
    bool found = false;
    std::string ascii;  // what from_chars reads
    int significant_digits = 0;
    int exponent_digits = 0;
    bool negative = false;
};

Prefix scan(std::string_view s) {
    Prefix p;
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        p.negative = s[i] == '-';
        if (p.negative) p.ascii += '-';
        ++i;
    }
    const std::size_t mantissa = i;
    bool any_digit = false, nonzero_seen = false;
    auto count = [&](char c) {
        if (c != '0') nonzero_seen = true;
        if (nonzero_seen) ++p.significant_digits;
    };
    while (i < s.size() && digit(s[i])) { any_digit = true; count(s[i]); p.ascii += s[i++]; }
    if (i < s.size() && s[i] == '.' && (any_digit || (i + 1 < s.size() && digit(s[i + 1])))) {
        p.ascii += s[i++];
        while (i < s.size() && digit(s[i])) { any_digit = true; count(s[i]); p.ascii += s[i++]; }
    }
    if (!any_digit || i == mantissa) return p;
    p.found = true;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            if (s[j] == '-') exponent += '-';
            ++j;
        }
        if (j < s.size() && digit(s[j])) {
            while (j < s.size() && digit(s[j])) { exponent += s[j++]; ++p.exponent_digits; }
            p.ascii += exponent;
        }
    }
    return p;
}

std::uint64_t bits(double d) {
    std::uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = calc::text_to_number(text);
    const Prefix prefix = scan(calc::fold_full_width(text));
    if (!prefix.found) {
        if (bits(value) != 0) std::abort();  // no number: +0
        return 0;
    }
    if (prefix.significant_digits > 24 || prefix.exponent_digits > 3) return 0;
    double expected = 0;
    const char* first = prefix.ascii.data();
    const auto [ptr, error] = std::from_chars(first, first + prefix.ascii.size(), expected);
    if (ptr != first + prefix.ascii.size()) std::abort();
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: strtod tells which, and the
        // answer is infinity or zero with the sign.
        const bool tiny = std::fabs(std::strtod(prefix.ascii.c_str(), nullptr)) < 1;
        expected = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        if (prefix.negative) expected = -expected;
    }
    const bool denormal = std::fpclassify(expected) == FP_SUBNORMAL || std::fpclassify(value) == FP_SUBNORMAL;
    const std::uint64_t a = bits(value), b = bits(expected);
    if (a != b && !(denormal && (a > b ? a - b : b - a) == 1)) std::abort();
    return 0;
}
