// The x87 80-bit encoding of an Extended value, to compare it with the
// hardware's long double bit for bit.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "calc/extended.h"

namespace calc_test {

struct X87Bits {
    std::uint16_t sign_exponent;
    std::uint64_t significand;
    bool operator==(const X87Bits&) const = default;
};

inline X87Bits x87_bits(const calc::Extended& x) {
    using Kind = calc::Extended::Kind;
    const std::uint16_t sign = x.negative() ? 0x8000 : 0;
    switch (x.kind()) {
    case Kind::zero: return {sign, 0};
    case Kind::infinity: return {static_cast<std::uint16_t>(sign | 0x7FFF), std::uint64_t{1} << 63};
    case Kind::nan: return {static_cast<std::uint16_t>(sign | 0x7FFF), x.significand()};
    case Kind::finite: break;
    }
    std::uint64_t significand = x.significand();
    int exponent = x.exponent();
    const int zeros = std::countl_zero(significand);
    // Normalise, but not below the smallest normal exponent: that is a denormal.
    const int room = exponent - (-16382 - 63);
    const int shift = zeros < room ? zeros : room;
    significand <<= shift;
    exponent -= shift;
    const int biased = (significand >> 63) != 0 ? exponent + 63 + 16383 : 0;
    return {static_cast<std::uint16_t>(sign | biased), significand};
}

inline X87Bits x87_bits(long double value) {
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &value, sizeof value);
    X87Bits bits{};
    std::memcpy(&bits.significand, bytes, 8);
    std::memcpy(&bits.sign_exponent, bytes + 8, 2);
    return bits;
}

}  // namespace calc_test
