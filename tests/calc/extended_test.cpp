#include <gtest/gtest.h>

#include <cfloat>
#include <limits>

#include "bits.h"
#include "calc/extended.h"

using calc::Extended;
using calc_test::bits_of;
using calc_test::from_bits;
using calc_test::hex;

namespace {

using calc_test::default_nan;
using calc_test::minus_zero;
using calc_test::plus_zero;
constexpr std::uint64_t plus_inf = calc_test::plus_infinity;
constexpr std::uint64_t minus_inf = calc_test::minus_infinity;
constexpr std::uint64_t one = 0x3FF0000000000000;
constexpr std::uint64_t minus_one = 0xBFF0000000000000;
constexpr std::uint64_t quiet_nan = 0x7FF8000000000123;
constexpr std::uint64_t signalling_nan = 0x7FF0000000000123;

enum class Op { multiply, divide, subtract, add };

std::uint64_t apply(Op op, std::uint64_t a, std::uint64_t b) {
    const Extended x = Extended::from_double(from_bits(a)), y = Extended::from_double(from_bits(b));
    switch (op) {
    case Op::multiply: return bits_of(multiply(x, y).to_double());
    case Op::divide: return bits_of(divide(x, y).to_double());
    case Op::subtract: return bits_of(subtract(x, y).to_double());
    case Op::add: return bits_of(add(x, y).to_double());
    }
    return 0;
}

struct SpecialCase {
    Op op;
    std::uint64_t a, b, expected;
};

TEST(Extended, SpecialValues) {
    const SpecialCase cases[] = {
        {Op::divide, plus_zero, plus_zero, default_nan},
        {Op::divide, plus_inf, minus_inf, default_nan},
        {Op::multiply, plus_zero, minus_inf, default_nan},
        {Op::subtract, plus_inf, plus_inf, default_nan},
        {Op::add, minus_inf, plus_inf, default_nan},
        {Op::divide, one, plus_zero, plus_inf},
        {Op::divide, one, minus_zero, minus_inf},  // the zero's sign counts
        {Op::divide, minus_one, minus_zero, plus_inf},
        {Op::divide, one, plus_inf, plus_zero},
        {Op::divide, minus_one, plus_inf, minus_zero},
        {Op::multiply, minus_zero, one, minus_zero},
        {Op::subtract, plus_zero, plus_zero, plus_zero},
        {Op::subtract, minus_zero, plus_zero, minus_zero},
        {Op::subtract, plus_zero, minus_zero, plus_zero},
        {Op::subtract, one, one, plus_zero},  // an exact zero difference is +0
        {Op::subtract, plus_inf, minus_inf, plus_inf},
        {Op::subtract, one, plus_inf, minus_inf},
        {Op::multiply, quiet_nan, one, quiet_nan},
        {Op::subtract, one, quiet_nan, quiet_nan},        // a NaN subtrahend keeps its sign
        {Op::subtract, one, default_nan, default_nan},
        {Op::divide, default_nan, plus_zero, default_nan},
        {Op::multiply, signalling_nan, one, 0x7FF8000000000123},  // comes out quiet
        {Op::add, 0x7FF8000000000001, 0xFFF8000000000002, 0xFFF8000000000002},  // larger significand
        {Op::add, 0xFFF8000000000001, 0x7FF8000000000001, 0x7FF8000000000001},  // a tie: the positive
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hex(apply(c.op, c.a, c.b)), hex(c.expected))
            << "op " << static_cast<int>(c.op) << " on " << hex(c.a) << ", " << hex(c.b);
    }
}

TEST(Extended, RoundTripOfDoubles) {
    for (const std::uint64_t bits : {0x0000000000000001ull, 0x000FFFFFFFFFFFFFull, 0x0010000000000000ull,
                                      0x7FEFFFFFFFFFFFFFull, 0x3FF0000000000001ull, 0x8000000000000000ull,
                                      0xFFF0000000000000ull, 0x7FF8000000000000ull, 0xFFF8000000000001ull}) {
        EXPECT_EQ(hex(bits_of(Extended::from_double(from_bits(bits)).to_double())), hex(bits));
    }
}

TEST(Extended, NarrowingRoundsOnceFromSixtyFourBits) {
    struct Case {
        std::uint64_t significand;
        int exponent;
        std::uint64_t expected;
    };
    const Case cases[] = {
        {0x8000000000000400, -63, 0x3FF0000000000000},  // a tie, to the even neighbour 1
        {0x8000000000000C00, -63, 0x3FF0000000000002},  // a tie, up to even
        {0x8000000000000401, -63, 0x3FF0000000000001},  // just above the tie
        {0xFFFFFFFFFFFFFC00, 1023 - 63, plus_inf},      // rounds past the largest double
        {0xFFFFFFFFFFFFFBFF, 1023 - 63, 0x7FEFFFFFFFFFFFFF},
        {1, -1075, plus_zero},                          // half the smallest denormal: ties to 0
        {3, -1076, 0x0000000000000001},                 // three quarters of it: up
        {0xFFFFFFFFFFFFFFFF, -1022 - 64, 0x0010000000000000},  // the largest denormal carries to normal
        {0x8000000000000000, 16383 - 63, plus_inf},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hex(bits_of(Extended::from_parts(false, c.significand, c.exponent).to_double())), hex(c.expected))
            << hex(c.significand) << " * 2^" << c.exponent;
    }
}

TEST(Extended, WideRangeHoldsWhatBinary64Cannot) {
    // 2 * 1e308 is past binary64 but well inside the 15-bit exponent.
    const Extended twice = multiply(Extended::from_double(2.0), Extended::from_double(1e308));
    EXPECT_EQ(twice.kind(), Extended::Kind::finite);
    EXPECT_EQ(bits_of(twice.to_double()), plus_inf);
    EXPECT_EQ(divide(twice, Extended::from_double(4.0)).to_double(), 5e307);
    // The extended format itself overflows and underflows at 2^16384 and 2^-16445.
    Extended big = Extended::from_double(1e300);
    for (int i = 0; i < 60; ++i) big = multiply(big, Extended::from_double(1e300));
    EXPECT_EQ(big.kind(), Extended::Kind::infinity);
    Extended small = Extended::from_double(1e-300);
    for (int i = 0; i < 60; ++i) small = multiply(small, Extended::from_double(1e-300));
    EXPECT_EQ(small.kind(), Extended::Kind::zero);
}

}  // namespace
