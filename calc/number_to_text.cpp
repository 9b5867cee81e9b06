#include "calc/number_to_text.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "calc/seventeen_digits.h"

namespace calc {

namespace {

constexpr std::uint64_t ten_to_12 = 1'000'000'000'000;
constexpr std::uint64_t ten_to_13 = 10'000'000'000'000;

const char* special_text(double value) {
    if (std::isinf(value)) return value > 0 ? "1.#INF" : "-1.#INF";
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    if (bits == 0xFFF8000000000000) return "-1.#IND";  // the indefinite NaN of invalid operations
    return (bits >> 63) != 0 ? "-1.#QNAN" : "1.#QNAN";
}

// Drops trailing '0's after a '.', then the '.' itself if nothing follows.
void trim_fraction(std::string& text) {
    if (text.find('.') == std::string::npos) return;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
}

}  // namespace

std::string number_to_text(double value) {
    if (std::isnan(value) || std::isinf(value)) return special_text(value);
    if (value == 0) return "0";  // negative zero shows no sign

    // 1. Seventeen digits, then thirteen, judged by the 14th alone.
    const SeventeenDigits seventeen = seventeen_digits(std::fabs(value));
    std::uint64_t thirteen = seventeen.digits / 10'000;
    int exponent = seventeen.exponent;
    if ((seventeen.digits / 1'000) % 10 >= 5) ++thirteen;
    if (thirteen == ten_to_13) {
        thirteen = ten_to_12;
        ++exponent;
    }
    char digits[14];
    for (int i = 12; i >= 0; --i, thirteen /= 10) digits[i] = static_cast<char>('0' + thirteen % 10);
    digits[13] = '\0';

    // 2. Layout.
    std::string text = value < 0 ? "-" : "";
    if (exponent < -4 || exponent >= 13) {
        text += digits[0];
        text += '.';
        text.append(digits + 1, 12);
        trim_fraction(text);
        char field[] = "e+000";
        if (exponent < 0) field[1] = '-';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        field[2] = static_cast<char>('0' + magnitude / 100);
        field[3] = static_cast<char>('0' + magnitude / 10 % 10);
        field[4] = static_cast<char>('0' + magnitude % 10);
        text += field;
    } else if (exponent >= 0) {
        const int integer_digits = exponent + 1;
        text.append(digits, static_cast<std::size_t>(integer_digits));
        text += '.';
        text.append(digits + integer_digits);
        trim_fraction(text);
    } else {
        text += "0.";
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text.append(digits, 13);
        trim_fraction(text);
    }
    return text;
}

}  // namespace calc
