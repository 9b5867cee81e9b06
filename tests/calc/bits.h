// Doubles as bit patterns, for exact comparisons in the tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <iomanip>
#include <sstream>
#include <string>

namespace calc_test {

// Named bit patterns of binary64.
constexpr std::uint64_t plus_zero = 0;
constexpr std::uint64_t minus_zero = 0x8000000000000000;
constexpr std::uint64_t plus_infinity = 0x7FF0000000000000;
constexpr std::uint64_t minus_infinity = 0xFFF0000000000000;
constexpr std::uint64_t default_nan = 0xFFF8000000000000;  // sign set, quiet, no payload

inline std::uint64_t bits_of(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline double from_bits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline std::string hex(std::uint64_t bits) {
    std::ostringstream out;
    out << std::hex << std::uppercase << std::setw(16) << std::setfill('0') << bits;
    return out.str();
}

// Printable form of a byte string: non-ASCII bytes as \xHH.
inline std::string escaped(const std::string& text) {
    std::ostringstream out;
    for (const unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out << c;
        } else {
            out << "\\x" << std::hex << std::uppercase << std::setw(2) << std::setfill('0') << int{c};
        }
    }
    return out.str();
}

}  // namespace calc_test
