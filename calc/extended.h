// Extended: binary floating point with a 64-bit significand and a 15-bit
// exponent, computed exactly in software.
//
// The voltage formula is defined on this format: every product, quotient and
// difference is rounded once to 64 significant bits (ties to even), and only
// the stored results are narrowed to binary64. This is the x87 extended
// format with precision control 64 and all exceptions masked (control word
// 037F), reproduced bit for bit without the FPU, so the result never depends
// on the processor, the compiler or the floating-point state of the thread.
//
// Behaviour of the operations (IEEE 754-2008 clause 7, exceptions masked):
//   - overflow gives an infinity of the exact result's sign;
//   - underflow gives a denormal or a signed zero, rounded once;
//   - x / 0 for non-zero x gives an infinity of sign(x) xor sign(0);
//   - 0 / 0, inf / inf, 0 * inf and inf - inf give the default NaN, whose
//     binary64 encoding is FFF8000000000000 (sign set, quiet, no payload);
//   - a NaN operand is returned unchanged; of two NaN operands the one with
//     the larger significand wins, as on the x87.
// No operation allocates, throws or keeps state.
#pragma once

#include <cstdint>

namespace calc {

class Extended {
public:
    enum class Kind : std::uint8_t { zero, finite, infinity, nan };

    // Exact: every binary64 value is an Extended value. A signalling NaN
    // comes out quiet, as when the x87 loads it.
    static Extended from_double(double value);

    // Rounds to the nearest binary64, ties to even, with denormals,
    // overflow to infinity and NaN payloads kept in their top 52 bits.
    double to_double() const;

    Kind kind() const { return kind_; }
    bool negative() const { return negative_; }
    // For a finite value: the value is significand() * 2^exponent(), with
    // 0 < significand() < 2^64. For a NaN: the x87 significand (bit 63 set,
    // bit 62 the quiet bit, then the payload).
    std::uint64_t significand() const { return significand_; }
    int exponent() const { return exponent_; }

    static Extended zero(bool negative) { return {Kind::zero, negative, 0, 0}; }
    static Extended infinity(bool negative) { return {Kind::infinity, negative, 0, 0}; }
    static Extended default_nan() { return {Kind::nan, true, std::uint64_t{3} << 62, 0}; }
    // Builds a finite value from significand * 2^exponent, rounded once to
    // the format (the significand need not be normalised; zero gives +0).
    static Extended from_parts(bool negative, std::uint64_t significand, int exponent);

private:
    Extended(Kind kind, bool negative, std::uint64_t significand, int exponent)
        : kind_(kind), negative_(negative), significand_(significand), exponent_(exponent) {}

    friend Extended multiply(Extended a, Extended b);
    friend Extended divide(Extended a, Extended b);
    friend Extended add(Extended a, Extended b);
    friend Extended subtract(Extended a, Extended b);
    friend struct ExtendedRounding;

    Kind kind_;
    bool negative_;
    std::uint64_t significand_;
    int exponent_;
};

// Each returns the exact result rounded once to the extended format.
Extended multiply(Extended a, Extended b);
Extended divide(Extended a, Extended b);
Extended add(Extended a, Extended b);
Extended subtract(Extended a, Extended b);

}  // namespace calc
