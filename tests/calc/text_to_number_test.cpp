#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "bits.h"
#include "calc/calc.h"

using calc::fold_full_width;
using calc::text_to_number;
using calc_test::bits_of;
using calc_test::escaped;
using calc_test::from_bits;
using calc_test::hex;

using namespace calc_test;

namespace {

struct TextCase {
    std::string text;
    double expected;
};

void expect_cases(const std::vector<TextCase>& cases) {
    for (const auto& c : cases) {
        EXPECT_EQ(hex(bits_of(text_to_number(c.text))), hex(bits_of(c.expected)))
            << "text \"" << escaped(c.text) << "\"";
    }
}

TEST(Fold, FullWidthFormsBecomeAscii) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\xA3\xB1\xA3\xB2\xA3\xAE\xA3\xB5", "12.5"},  // １２．５
        {"\xA1\xA1x", " x"},                           // ideographic space
        {"\xA1\xAB\xA1\xEE\xA1\xEF", "~**"},           // tilde, white and black star
        {"\xA3\xA1\xA3\xFE\xA3\xA4", "!~$"},           // both ends of the range, yen sign
        {"\xA3\xC5\xA3\xE4", "Ed"},                    // Ｅ ｄ
        {"\xA3\xA0\xA3\xFF", "\xA3\xA0\xA3\xFF"},      // just outside the range
        {"\xD4\xBC" "12", "\xD4\xBC" "12"},            // 约12: Chinese characters stay
        {"12\xA3", "12"},                              // a lone lead byte at the end is dropped
        {"1\xA3" "5", "1\xA3" "5"},                    // "5" is the trail of an unfolded pair
        {"\xA1\xA3\xA1", "\xA1\xA3"},                  // lead A1 takes A3 as its trail
        {std::string("1\0\xA3\xB1", 4), "1"},          // the text ends at NUL
        {"", ""},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(escaped(fold_full_width(text)), escaped(expected)) << "text \"" << escaped(text) << "\"";
    }
}

TEST(Fold, EveryPairOfTheFoldedRows) {
    for (int lead : {0xA1, 0xA3}) {
        for (int trail = 0; trail < 256; ++trail) {
            if (trail == 0) continue;
            const std::string text{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string folded = fold_full_width(text);
            const bool folds = lead == 0xA3 ? trail >= 0xA1 && trail <= 0xFE
                                            : trail == 0xA1 || trail == 0xAB || trail == 0xEE || trail == 0xEF;
            if (folds) {
                ASSERT_EQ(folded.size(), 1u) << escaped(text);
                EXPECT_LT(static_cast<unsigned char>(folded[0]), 0x80);
            } else {
                EXPECT_EQ(folded, text) << escaped(text);
            }
        }
    }
    EXPECT_EQ(fold_full_width("\xA3\xB0"), "0");
    EXPECT_EQ(fold_full_width("\xA3\xAD"), "-");
}

TEST(TextToNumber, FullWidthInput) {
    expect_cases({
        {"\xA3\xB1\xA3\xB2\xA3\xAE\xA3\xB5", 12.5},        // １２．５
        {"\xA3\xB2\xA3\xB2\xA3\xB0\xA3\xD6", 220},         // ２２０Ｖ
        {"\xA1\xA1\xA3\xB2\xA3\xB2\xA3\xB0", 220},         // ideographic space first
        {"\xA3\xAD\xA3\xB5", -5},                          // －５
        {"\xA3\xB1\xA3\xE5\xA3\xB3", 1000},                // １ｅ３
        {"\xA3\xB1\xA3\xAC\xA3\xB5", 1},                   // １，５
        {"12\xC3\xD7", 12},                                // 12米
        {"\xD4\xBC" "12", 0},                              // 约12
        {"12\xA3", 12},
        {"1\xA3" "5", 1},
    });
}

TEST(TextToNumber, ScanGrammar) {
    expect_cases({
        {" 3.5V", 3.5}, {"\t\n 42", 42}, {"\v\f\r7", 7},
        {"", 0}, {"abc", 0}, {".", 0}, {"-", 0}, {"++1", 0}, {" -  5", 0}, {"- 5", 0}, {"0x10", 0},
        {"inf", 0}, {"nan", 0}, {"e3", 0}, {"0e3", 0}, {"-abc", 0}, {"+", 0}, {"-.", 0},
        {"1e3", 1000}, {"1E+02", 100}, {"1d3", 1000}, {"1D-2", 0.01}, {"2.5E-3", 0.0025},
        {"+.5", 0.5}, {"-.5", -0.5}, {"5.", 5}, {"1.e2", 100}, {".5e1", 5}, {"00012.50", 12.5},
        {"1+2", 1}, {"1e", 1}, {"1e+", 1}, {"1e+-3", 1}, {"12.5e", 12.5}, {"7d", 7}, {"1e 3", 1},
        {"1.5.3", 1.5}, {"3,5", 3}, {"1 000", 1}, {"1\x80" "5", 1}, {"\xFF" "5", 0},
        {std::string("12\0" "34", 5), 12},
    });
}

TEST(TextToNumber, SignedZeros) {
    for (const char* text : {"-0", "-0.0", "-.0", "-0e5", "-000"}) {
        EXPECT_EQ(hex(bits_of(text_to_number(text))), hex(minus_zero)) << text;
    }
    for (const char* text : {"0", "0e5", "0.000", "+0", "-", "-x"}) {
        EXPECT_EQ(hex(bits_of(text_to_number(text))), hex(plus_zero)) << text;
    }
    EXPECT_EQ(1.0 / text_to_number("-0"), -1.0 / 0.0);
}

TEST(TextToNumber, RangeLimits) {
    expect_cases({
        {"1e309", from_bits(plus_infinity)}, {"-1e309", from_bits(minus_infinity)},
        {"1e99999", from_bits(plus_infinity)}, {"1e5201", from_bits(plus_infinity)},
        {"1e-400", 0.0}, {"-1e-400", from_bits(minus_zero)}, {"1e-99999", 0.0},
        {"1.7976931348623157e308", 1.7976931348623157e308},
        {"1.7976931348623159e308", from_bits(plus_infinity)},  // rounds past the largest double
        {"4.9406564584124654e-324", from_bits(1)},             // smallest denormal
        {"2.4703282292062328e-324", from_bits(1)},             // just above half of it
        {"2.4703282292062327e-324", 0.0},                      // just below half of it
        {"2.2250738585072011e-308", from_bits(0x000FFFFFFFFFFFFF)},  // largest denormal
        {"0.000000000000000000000000000001234", 1.234e-30},
        // The exponent saturates at 5201, so a huge exponent cannot be pulled
        // back into range by the mantissa's position, nor a tiny one.
        {"0.00001e5201", from_bits(plus_infinity)},
        {"100000e-5201", 0.0},
        {"1e5200", from_bits(plus_infinity)},
        {"1e000000000000000000000000002", 100},
    });
}

TEST(TextToNumber, SignificantDigitLimit) {
    // Only 24 significant digits count; later integer digits scale by ten.
    expect_cases({
        {"123456789012345678901234", 123456789012345678901234.0},
        {"1234567890123456789012349999", 1234567890123456789012340000.0},
        {"0.1234567890123456789012349999", 0.123456789012345678901234},
        {"00000000000000000000000000001", 1},
        {"1" + std::string(400, '0'), from_bits(plus_infinity)},
        {"0." + std::string(400, '0') + "1", 0.0},
        {"1" + std::string(300, '0') + "e-300", 1},
        // Above the midpoint between 1 and the next double only from the
        // 25th digit on, so the kept digits round down to 1.
        {"1.000000000000000111022302462515654042363167", 1.0},
        {"1.00000000000000011102231", 1.0000000000000002},  // 24 digits, above it
    });
}

TEST(TextToNumber, OtherKinds) {
    EXPECT_EQ(bits_of(text_to_number(std::int32_t{2})), bits_of(2.0));
    EXPECT_EQ(bits_of(text_to_number(std::int32_t{-2147483647 - 1})), bits_of(-2147483648.0));
    for (const std::uint64_t bits : {0x3F92F449129888F8ull, 0xFFF8000000000000ull, 0x7FF0000000000001ull,
                                      0x8000000000000000ull, 0x0000000000000001ull}) {
        EXPECT_EQ(hex(bits_of(text_to_number(from_bits(bits)))), hex(bits));
    }
}

TEST(TextToNumber, LongTexts) {
    // A megabyte of anything is read once, front to back.
    const std::string digits(1 << 20, '7');
    EXPECT_EQ(text_to_number(digits), from_bits(plus_infinity));
    std::string full_width;
    for (int i = 0; i < (1 << 19); ++i) full_width += "\xA3\xB3";  // ３
    EXPECT_EQ(text_to_number(full_width), from_bits(plus_infinity));
    EXPECT_EQ(text_to_number(std::string(1 << 20, '\xA3')), 0.0);
    EXPECT_EQ(text_to_number("1e" + std::string(1 << 20, '9')), from_bits(plus_infinity));
    EXPECT_EQ(text_to_number("0." + std::string(1 << 20, '0') + "5e1000000"), 0.0);
}

TEST(TextToNumber, EveryPairAfterA1AndA3BetweenDigits) {
    // "1", one two-byte character, "5": only what folds to ASCII can join
    // the number, and then only as the scan allows.
    for (int lead : {0xA1, 0xA3}) {
        for (int trail = 1; trail < 256; ++trail) {
            const std::string text = std::string("1") + static_cast<char>(lead) + static_cast<char>(trail) + "5";
            double expected = 1;
            if (lead == 0xA3 && trail >= 0xB0 && trail <= 0xB9) expected = 105 + 10 * (trail - 0xB0);  // 1X5
            if (lead == 0xA3 && trail == 0xAE) expected = 1.5;                                           // 1.5
            if (lead == 0xA3 && (trail == 0xC5 || trail == 0xE5 || trail == 0xC4 || trail == 0xE4)) {
                expected = 100000;  // 1e5, 1E5, 1D5, 1d5
            }
            EXPECT_EQ(text_to_number(text), expected) << escaped(text);
        }
    }
}

TEST(TextToNumber, EverySingleByte) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string text(1, static_cast<char>(byte));
        const double expected = byte >= '0' && byte <= '9' ? byte - '0' : 0.0;
        EXPECT_EQ(hex(bits_of(text_to_number(text))), hex(bits_of(expected))) << "byte " << byte;
    }
}

}  // namespace
