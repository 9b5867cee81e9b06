#include "calc/decimal_scan.h"

namespace calc {

namespace {

bool is_whitespace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_exponent_letter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}
    char peek(std::size_t ahead = 0) const {
        return position_ + ahead < text_.size() ? text_[position_ + ahead] : '\0';
    }
    void advance(std::size_t count = 1) { position_ += count; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

// Reads "[+-] digit+" if it is there. Returns false and reads nothing
// otherwise. The magnitude saturates just above the limit.
bool read_exponent(Cursor& cursor, std::int64_t& exponent) {
    std::size_t sign_length = (cursor.peek() == '+' || cursor.peek() == '-') ? 1 : 0;
    if (!is_digit(cursor.peek(sign_length))) return false;
    const bool negative = sign_length == 1 && cursor.peek() == '-';
    cursor.advance(sign_length);
    std::int64_t magnitude = 0;
    for (; is_digit(cursor.peek()); cursor.advance()) {
        if (magnitude <= exponent_limit) magnitude = magnitude * 10 + (cursor.peek() - '0');
        if (magnitude > exponent_limit) magnitude = exponent_limit + 1;
    }
    exponent = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

ScannedDecimal scan_decimal(std::string_view text) {
    ScannedDecimal result;
    Cursor cursor(text);
    while (is_whitespace(cursor.peek())) cursor.advance();

    if (cursor.peek() == '+' || cursor.peek() == '-') {
        result.negative = cursor.peek() == '-';
        cursor.advance();
    }
    const bool starts_with_digit = is_digit(cursor.peek());
    if (!starts_with_digit && !(cursor.peek() == '.' && is_digit(cursor.peek(1)))) {
        return ScannedDecimal{};  // no number, not even a signed one
    }
    result.found = true;

    // 1. Mantissa. Leading zeros are not significant; digits past the first
    //    24 significant ones still scale an integer part by ten each.
    std::int64_t power = 0;
    int trailing_zeros = 0;
    auto take_digit = [&](char digit, bool after_point) {
        if (result.digit_count == 0 && digit == '0') {
            if (after_point) --power;
            return;
        }
        if (result.digit_count == ScannedDecimal::max_digits) {
            if (!after_point) ++power;
            return;
        }
        result.digits[result.digit_count++] = digit;
        trailing_zeros = digit == '0' ? trailing_zeros + 1 : 0;
        if (after_point) --power;
    };
    for (; is_digit(cursor.peek()); cursor.advance()) take_digit(cursor.peek(), false);
    if (cursor.peek() == '.') {
        cursor.advance();
        for (; is_digit(cursor.peek()); cursor.advance()) take_digit(cursor.peek(), true);
    }

    // 2. Trailing zeros of the kept digits move into the power of ten.
    result.digit_count -= trailing_zeros;
    power += trailing_zeros;

    // 3. Exponent, taken only when it is well formed.
    std::int64_t exponent = 0;
    if (is_exponent_letter(cursor.peek())) {
        cursor.advance();
        if (!read_exponent(cursor, exponent)) exponent = 0;
    }
    result.power_of_ten = result.digit_count == 0 ? 0 : power + exponent;
    return result;
}

}  // namespace calc
