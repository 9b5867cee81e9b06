// A 128-bit unsigned integer of two 64-bit halves: just the operations the
// extended arithmetic and the digit generation need, in portable C++.
#pragma once

#include <bit>
#include <cstdint>

namespace calc {

struct UInt128 {
    std::uint64_t high = 0;
    std::uint64_t low = 0;

    friend constexpr bool operator==(UInt128, UInt128) = default;
};

// The full product of two 64-bit numbers.
constexpr UInt128 multiply_full(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t a_lo = a & 0xFFFFFFFFu, a_hi = a >> 32;
    const std::uint64_t b_lo = b & 0xFFFFFFFFu, b_hi = b >> 32;
    const std::uint64_t lo_lo = a_lo * b_lo;
    const std::uint64_t hi_lo = a_hi * b_lo;
    const std::uint64_t lo_hi = a_lo * b_hi;
    const std::uint64_t hi_hi = a_hi * b_hi;
    // The middle column cannot overflow: each term is below 2^64 - 2^33 + 1.
    const std::uint64_t middle = (lo_lo >> 32) + (hi_lo & 0xFFFFFFFFu) + lo_hi;
    return {hi_hi + (hi_lo >> 32) + (middle >> 32), (middle << 32) | (lo_lo & 0xFFFFFFFFu)};
}

// Number of significant bits; 0 for zero.
constexpr int bit_length(UInt128 x) {
    return x.high != 0 ? 128 - std::countl_zero(x.high) : 64 - std::countl_zero(x.low);
}

constexpr UInt128 shift_left(UInt128 x, int n) {  // 0 <= n < 128
    if (n == 0) return x;
    if (n >= 64) return {x.low << (n - 64), 0};
    return {(x.high << n) | (x.low >> (64 - n)), x.low << n};
}

constexpr UInt128 shift_right(UInt128 x, int n) {  // 0 <= n < 128
    if (n == 0) return x;
    if (n >= 64) return {0, x.high >> (n - 64)};
    return {x.high >> n, (x.low >> n) | (x.high << (64 - n))};
}

constexpr bool bit_at(UInt128 x, int n) {  // 0 <= n < 128
    return n >= 64 ? ((x.high >> (n - 64)) & 1) != 0 : ((x.low >> n) & 1) != 0;
}

// True when any of the bits below position n is set (0 <= n <= 128).
constexpr bool any_below(UInt128 x, int n) {
    if (n >= 128) return x.high != 0 || x.low != 0;
    if (n > 64) return x.low != 0 || (x.high & ((std::uint64_t{1} << (n - 64)) - 1)) != 0;
    if (n == 64) return x.low != 0;
    return (x.low & ((std::uint64_t{1} << n) - 1)) != 0;
}

// floor((high * 2^64 + low) / divisor) and the remainder, for a divisor
// with its top bit set and high < divisor, so the quotient fits 64 bits.
// Two steps of schoolbook division in base 2^32 (Knuth, algorithm D; the
// form of Hacker's Delight's divlu): each estimated digit is at most two
// too large and is corrected by the loops.
constexpr std::uint64_t divide_normalized(std::uint64_t high, std::uint64_t low, std::uint64_t divisor,
                                          std::uint64_t& remainder) {
    constexpr std::uint64_t base = std::uint64_t{1} << 32;
    const std::uint64_t divisor_high = divisor >> 32, divisor_low = divisor & 0xFFFFFFFFu;
    const std::uint64_t low_high = low >> 32, low_low = low & 0xFFFFFFFFu;

    std::uint64_t digit1 = high / divisor_high;
    std::uint64_t rest = high - digit1 * divisor_high;
    while (digit1 >= base || digit1 * divisor_low > base * rest + low_high) {
        --digit1;
        rest += divisor_high;
        if (rest >= base) break;
    }
    const std::uint64_t partial = high * base + low_high - digit1 * divisor;  // modulo 2^64, exact

    std::uint64_t digit0 = partial / divisor_high;
    rest = partial - digit0 * divisor_high;
    while (digit0 >= base || digit0 * divisor_low > base * rest + low_low) {
        --digit0;
        rest += divisor_high;
        if (rest >= base) break;
    }
    remainder = partial * base + low_low - digit0 * divisor;
    return digit1 * base + digit0;
}

constexpr bool operator<(UInt128 a, UInt128 b) {
    return a.high != b.high ? a.high < b.high : a.low < b.low;
}

constexpr UInt128 operator+(UInt128 a, UInt128 b) {
    const std::uint64_t low = a.low + b.low;
    return {a.high + b.high + (low < a.low ? 1 : 0), low};
}

constexpr UInt128 operator-(UInt128 a, UInt128 b) {
    return {a.high - b.high - (a.low < b.low ? 1 : 0), a.low - b.low};
}

}  // namespace calc
