#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "bits.h"
#include "calc/calc.h"

using calc::number_to_text;
using calc_test::from_bits;
using calc_test::hex;

namespace {

struct NumberCase {
    double value;
    const char* text;
};

void expect_cases(std::initializer_list<NumberCase> cases) {
    for (const auto& c : cases) {
        EXPECT_EQ(number_to_text(c.value), c.text)
            << "value " << hex(calc_test::bits_of(c.value)) << " (" << c.value << ")";
    }
}

TEST(NumberToText, Positional) {
    expect_cases({
        {10.766, "10.766"}, {205.192, "205.192"}, {10.533333333333333, "10.53333333333"},
        {7.6000000000000005, "7.6"}, {0.1 + 0.2, "0.3"}, {2.0 / 3.0, "0.6666666666667"},
        {100, "100"}, {220, "220"}, {-5, "-5"}, {12.5, "12.5"}, {1, "1"}, {-7.744, "-7.744"},
        {1234567890123, "1234567890123"}, {123456789012.5, "123456789012.5"}, {1e12, "1000000000000"},
        {0.0001, "0.0001"}, {9.999999999999999e-05, "0.0001"}, {0.00012345678901234, "0.0001234567890123"},
        {-0.00012345678901234, "-0.0001234567890123"},
    });
}

TEST(NumberToText, Scientific) {
    expect_cases({
        {12345678901234, "1.234567890123e+013"}, {1e13, "1e+013"}, {1e15, "1e+015"}, {1e21, "1e+021"},
        {1e100, "1e+100"}, {std::numeric_limits<double>::max(), "1.797693134862e+308"},
        {0.00001, "1e-005"}, {2.5e-05, "2.5e-005"}, {1.5e-07, "1.5e-007"}, {-2.5e-10, "-2.5e-010"},
        {2.842170943040401e-14, "2.84217094304e-014"}, {from_bits(1), "4.940656458412e-324"},
        {-1.2345678901234e-308, "-1.234567890123e-308"}, {-3.7020000000000002e306, "-3.702e+306"},
        {std::numeric_limits<double>::min(), "2.225073858507e-308"},
    });
}

TEST(NumberToText, RoundingCarries) {
    expect_cases({
        {9999999999999.5, "1e+013"},           // the carry reaches the exponent form
        {9.99999999999995, "10"},
        {1000000000000.5, "1000000000001"},    // an exact tie at the 14th digit rounds away from zero
        {10000000000005, "1.000000000001e+013"},
        {-1000000000000.5, "-1000000000001"},
        {0.99999999999995, "1"},
        {9.999999999999e-5, "9.999999999999e-005"}, {9.9999999999999e-5, "0.0001"},
        {9.99999999999995e-5, "0.0001"},
    });
}

TEST(NumberToText, TwoStepRounding) {
    // 1.23456789012349998913...: 17 digits give 1.2345678901235000, whose
    // 14th digit is 5, although the exact value rounds down at 13 digits.
    expect_cases({{1.2345678901235, "1.234567890124"}});
}

TEST(NumberToText, Specials) {
    expect_cases({
        {0.0, "0"}, {-0.0, "0"},
        {std::numeric_limits<double>::infinity(), "1.#INF"},
        {-std::numeric_limits<double>::infinity(), "-1.#INF"},
        {from_bits(0xFFF8000000000000), "-1.#IND"},
        {from_bits(0x7FF8000000000000), "1.#QNAN"},
        {from_bits(0xFFF8000000000001), "-1.#QNAN"},
        {from_bits(0x7FF0000000000001), "1.#QNAN"},
        {from_bits(0xFFFFFFFFFFFFFFFF), "-1.#QNAN"},
    });
}

}  // namespace
