#include "calc/extended.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "calc/uint128.h"

namespace calc {

namespace {

struct Format {
    int precision;     // significant bits
    int min_exponent;  // exponent of the smallest normal number
    int max_exponent;  // exponent of the largest finite number
};

constexpr Format extended_format{64, -16382, 16383};
constexpr Format binary64_format{53, -1022, 1023};

struct Rounded {
    bool overflow;
    std::uint64_t significand;  // 0: the value underflowed to zero
    int exponent;               // value = significand * 2^exponent
};

// Rounds (sig + f) * 2^exponent, 0 <= f < 1 and f > 0 exactly when `sticky`,
// to the nearest value of `format`, ties to even. The format's denormals
// lower the precision below min_exponent, so an underflowing result is
// rounded once, at its own last place. A caller that sets `sticky` supplies
// at least precision + 1 bits, so the rounding bit is always inside `sig`.
Rounded round_to(const Format& format, UInt128 sig, int exponent, bool sticky) {
    const int length = bit_length(sig);
    const int lead = exponent + length - 1;
    int lsb = std::max(lead, format.min_exponent) - (format.precision - 1);
    const int shift = lsb - exponent;

    std::uint64_t kept;
    if (shift <= 0) {
        kept = shift_left(sig, -shift).low;  // exact: the value fits the format
    } else {
        bool round_bit = false;
        bool below_round = sticky;
        if (shift > 128) {
            kept = 0;
            below_round = true;
        } else if (shift == 128) {
            kept = 0;
            round_bit = bit_at(sig, 127);
            below_round = below_round || any_below(sig, 127);
        } else {
            kept = shift_right(sig, shift).low;
            round_bit = bit_at(sig, shift - 1);
            below_round = below_round || any_below(sig, shift - 1);
        }
        if (round_bit && (below_round || (kept & 1) != 0)) {
            ++kept;
            const bool carried_out = format.precision == 64
                                         ? kept == 0
                                         : kept == std::uint64_t{1} << format.precision;
            if (carried_out) {
                kept = std::uint64_t{1} << (format.precision - 1);
                ++lsb;
            }
        }
    }
    if (kept == 0) return {false, 0, 0};
    const int rounded_lead = lsb + (63 - std::countl_zero(kept));
    if (rounded_lead > format.max_exponent) return {true, 0, 0};
    return {false, kept, lsb};
}

// Of two NaN operands the x87 keeps the one with the larger significand.
Extended propagate_nan(Extended a, Extended b) {
    if (a.kind() != Extended::Kind::nan) return b;
    if (b.kind() != Extended::Kind::nan) return a;
    if (a.significand() != b.significand()) return a.significand() > b.significand() ? a : b;
    return a.negative() ? b : a;  // equal significands: the positive one
}

bool either_nan(Extended a, Extended b) {
    return a.kind() == Extended::Kind::nan || b.kind() == Extended::Kind::nan;
}

// Shifts the significand up to bit 63 and returns the matching exponent.
std::uint64_t normalized(std::uint64_t significand, int exponent, int& normalized_exponent) {
    const int zeros = std::countl_zero(significand);
    normalized_exponent = exponent - zeros;
    return significand << zeros;
}

}  // namespace

struct ExtendedRounding {
    static Extended make(bool negative, UInt128 sig, int exponent, bool sticky) {
        if (sig == UInt128{} && !sticky) return Extended::zero(negative);
        const Rounded r = round_to(extended_format, sig, exponent, sticky);
        if (r.overflow) return Extended::infinity(negative);
        if (r.significand == 0) return Extended::zero(negative);
        return {Extended::Kind::finite, negative, r.significand, r.exponent};
    }
};

Extended Extended::from_parts(bool negative, std::uint64_t significand, int exponent) {
    if (significand == 0) return zero(false);
    return ExtendedRounding::make(negative, {0, significand}, exponent, false);
}

Extended Extended::from_double(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 63) != 0;
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0x7FF) {
        if (fraction == 0) return infinity(negative);
        return {Kind::nan, negative, (std::uint64_t{3} << 62) | (fraction << 11), 0};
    }
    if (biased == 0) {
        if (fraction == 0) return zero(negative);
        return {Kind::finite, negative, fraction, -1074};
    }
    return {Kind::finite, negative, fraction | (std::uint64_t{1} << 52), biased - 1075};
}

double Extended::to_double() const {
    std::uint64_t bits = negative_ ? std::uint64_t{1} << 63 : 0;
    switch (kind_) {
    case Kind::zero:
        break;
    case Kind::infinity:
        bits |= std::uint64_t{0x7FF} << 52;
        break;
    case Kind::nan:
        bits |= (std::uint64_t{0x7FF} << 52) | ((significand_ >> 11) & ((std::uint64_t{1} << 52) - 1));
        break;
    case Kind::finite: {
        const Rounded r = round_to(binary64_format, {0, significand_}, exponent_, false);
        if (r.overflow) {
            bits |= std::uint64_t{0x7FF} << 52;
        } else if (r.significand >= std::uint64_t{1} << 52) {
            const auto biased = static_cast<std::uint64_t>(r.exponent + 52 + 1023);
            bits |= (biased << 52) | (r.significand - (std::uint64_t{1} << 52));
        } else {
            bits |= r.significand;  // a denormal, or zero after underflow
        }
        break;
    }
    }
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

Extended multiply(Extended a, Extended b) {
    using Kind = Extended::Kind;
    if (either_nan(a, b)) return propagate_nan(a, b);
    const bool negative = a.negative() != b.negative();
    if (a.kind() == Kind::infinity || b.kind() == Kind::infinity) {
        if (a.kind() == Kind::zero || b.kind() == Kind::zero) return Extended::default_nan();
        return Extended::infinity(negative);
    }
    if (a.kind() == Kind::zero || b.kind() == Kind::zero) return Extended::zero(negative);
    return ExtendedRounding::make(negative, multiply_full(a.significand(), b.significand()),
                                  a.exponent() + b.exponent(), false);
}

Extended divide(Extended a, Extended b) {
    using Kind = Extended::Kind;
    if (either_nan(a, b)) return propagate_nan(a, b);
    const bool negative = a.negative() != b.negative();
    if (a.kind() == Kind::infinity) {
        return b.kind() == Kind::infinity ? Extended::default_nan() : Extended::infinity(negative);
    }
    if (b.kind() == Kind::infinity) return Extended::zero(negative);
    if (b.kind() == Kind::zero) {
        return a.kind() == Kind::zero ? Extended::default_nan() : Extended::infinity(negative);
    }
    if (a.kind() == Kind::zero) return Extended::zero(negative);

    int a_exponent, b_exponent;
    const std::uint64_t dividend = normalized(a.significand(), a.exponent(), a_exponent);
    const std::uint64_t divisor = normalized(b.significand(), b.exponent(), b_exponent);

    // 65 quotient bits, as rounding to 64 bits needs, and a remainder that
    // tells whether anything lies below them. With dividend >= divisor the
    // leading bit is 1 and 64 more follow; otherwise the 64-bit quotient of
    // dividend * 2^64 has its top bit set, and one more bit is taken.
    std::uint64_t remainder = 0;
    UInt128 quotient;
    int exponent = a_exponent - b_exponent;
    if (dividend >= divisor) {
        quotient = {1, divide_normalized(dividend - divisor, 0, divisor, remainder)};
        exponent -= 64;
    } else {
        const std::uint64_t q = divide_normalized(dividend, 0, divisor, remainder);
        // Twice the remainder against the divisor, without overflowing.
        const bool next_bit = remainder >= divisor - remainder;
        if (next_bit) remainder = remainder - (divisor - remainder);
        else remainder <<= 1;
        quotient = {q >> 63, (q << 1) | (next_bit ? 1 : 0)};
        exponent -= 65;
    }
    return ExtendedRounding::make(negative, quotient, exponent, remainder != 0);
}

Extended add(Extended a, Extended b) {
    using Kind = Extended::Kind;
    if (either_nan(a, b)) return propagate_nan(a, b);
    if (a.kind() == Kind::infinity || b.kind() == Kind::infinity) {
        if (a.kind() == Kind::infinity && b.kind() == Kind::infinity && a.negative() != b.negative()) {
            return Extended::default_nan();
        }
        return a.kind() == Kind::infinity ? a : b;
    }
    if (a.kind() == Kind::zero && b.kind() == Kind::zero) {
        return Extended::zero(a.negative() && b.negative());  // -0 only from -0 + -0
    }
    if (a.kind() == Kind::zero) return b;
    if (b.kind() == Kind::zero) return a;

    int a_exponent, b_exponent;
    std::uint64_t a_sig = normalized(a.significand(), a.exponent(), a_exponent);
    std::uint64_t b_sig = normalized(b.significand(), b.exponent(), b_exponent);
    bool a_negative = a.negative(), b_negative = b.negative();
    if (a_exponent < b_exponent || (a_exponent == b_exponent && a_sig < b_sig)) {
        std::swap(a_sig, b_sig);
        std::swap(a_exponent, b_exponent);
        std::swap(a_negative, b_negative);
    }

    // The larger operand's significand sits at bits 125..62, leaving a bit
    // of headroom for a carry; the smaller one is shifted down from there.
    constexpr int position = 62;
    const UInt128 larger = shift_left({0, a_sig}, position);
    UInt128 smaller = shift_left({0, b_sig}, position);
    const std::int64_t distance = std::int64_t{a_exponent} - b_exponent;
    bool sticky = false;
    if (distance >= 128) {
        smaller = {};
        sticky = true;
    } else if (distance > 0) {
        sticky = any_below(smaller, static_cast<int>(distance));
        smaller = shift_right(smaller, static_cast<int>(distance));
    }

    const int exponent = a_exponent - position;
    if (a_negative == b_negative) {
        return ExtendedRounding::make(a_negative, larger + smaller, exponent, sticky);
    }
    UInt128 difference = larger - smaller;
    if (sticky) difference = difference - UInt128{0, 1};  // true value lies just below
    if (difference == UInt128{} && !sticky) return Extended::zero(false);  // x - x = +0
    return ExtendedRounding::make(a_negative, difference, exponent, sticky);
}

Extended subtract(Extended a, Extended b) {
    if (either_nan(a, b)) return propagate_nan(a, b);  // a NaN subtrahend keeps its sign
    const Extended negated_b =
        b.kind() == Extended::Kind::zero       ? Extended::zero(!b.negative())
        : b.kind() == Extended::Kind::infinity ? Extended::infinity(!b.negative())
                                               : Extended::from_parts(!b.negative(), b.significand(), b.exponent());
    return add(a, negated_b);
}

}  // namespace calc
