// Differential sweep: the software Extended arithmetic against the x87's
// long double, which on x86-64 g++ is the 64-bit-significand format with
// control word 037F. Every operation's wide result and its narrowing to
// binary64 must agree bit for bit. Operands are drawn to hit rounding
// boundaries: sparse and dense significands (exact ties after a product),
// exponents at both ends of binary64, results in the denormal range.
#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "bits.h"
#include "calc/extended.h"
#include "x87.h"

#if LDBL_MANT_DIG == 64 && (defined(__x86_64__) || defined(__i386__))

namespace {

using calc::Extended;
using calc_test::from_bits;
using calc_test::hex;
using calc_test::x87_bits;

std::mt19937_64 generator(20261211);

std::uint64_t random_fraction() {
    switch (generator() % 6) {
    case 0: return generator() & ((std::uint64_t{1} << 52) - 1);
    case 1: return 0;
    case 2: return ((std::uint64_t{1} << 52) - 1) >> (generator() % 52);                 // a run of ones
    case 3: return std::uint64_t{1} << (generator() % 52);                               // one bit
    case 4: return (generator() & generator() & generator()) & ((std::uint64_t{1} << 52) - 1);  // sparse
    default: return ((std::uint64_t{1} << 52) - 1) ^ (std::uint64_t{1} << (generator() % 52));
    }
}

int random_biased_exponent() {
    switch (generator() % 5) {
    case 0: return static_cast<int>(generator() % 2047);          // anywhere, denormals included
    case 1: return static_cast<int>(generator() % 60);            // bottom of the range
    case 2: return 2046 - static_cast<int>(generator() % 60);     // top of the range
    case 3: return 0;                                             // denormal
    default: return 1023 - 30 + static_cast<int>(generator() % 60);  // ordinary magnitudes
    }
}

double random_double() {
    const std::uint64_t roll = generator() % 200;
    if (roll == 0) return from_bits(0x7FF0000000000000 | (generator() & (std::uint64_t{1} << 63)));
    if (roll == 1) return from_bits(generator() & (std::uint64_t{1} << 63));  // a zero
    if (roll == 2) return from_bits(0x7FF8000000000000 | (generator() & 0x8000000000000FFF));
    const std::uint64_t sign = generator() & (std::uint64_t{1} << 63);
    return from_bits(sign | (static_cast<std::uint64_t>(random_biased_exponent()) << 52) | random_fraction());
}

// A double whose exponent puts a * b (or a / b) near `target` (biased).
double partner_for(double a, int target, bool for_division) {
    const int a_exponent = static_cast<int>((calc_test::bits_of(a) >> 52) & 0x7FF);
    int b_exponent = for_division ? a_exponent - target + 1023 : target - a_exponent + 1023;
    b_exponent = b_exponent < 1 ? 1 : b_exponent > 2046 ? 2046 : b_exponent;
    const std::uint64_t sign = generator() & (std::uint64_t{1} << 63);
    return from_bits(sign | (static_cast<std::uint64_t>(b_exponent) << 52) | random_fraction());
}

long failures = 0;

void check(const char* what, const Extended& soft, long double hard, double a, double b) {
    const bool wide_same = x87_bits(soft) == x87_bits(hard);
    const double soft_narrow = soft.to_double();
    const volatile double hard_narrow = static_cast<double>(hard);
    const bool narrow_same = calc_test::bits_of(soft_narrow) == calc_test::bits_of(hard_narrow);
    if (wide_same && narrow_same) return;
    if (++failures <= 20) {
        const auto s = x87_bits(soft), h = x87_bits(hard);
        std::printf("MISMATCH %s a=%s b=%s: soft %04X:%016llX -> %s, x87 %04X:%016llX -> %s\n", what,
                    hex(calc_test::bits_of(a)).c_str(), hex(calc_test::bits_of(b)).c_str(), s.sign_exponent,
                    static_cast<unsigned long long>(s.significand), hex(calc_test::bits_of(soft_narrow)).c_str(),
                    h.sign_exponent, static_cast<unsigned long long>(h.significand),
                    hex(calc_test::bits_of(hard_narrow)).c_str());
    }
}

// The formula's own chain: P = ((a * b) * c) narrowed, Q = P / d, R = e - Q.
void check_triple(double a, double b, double c, double d, double e) {
    const Extended wa = Extended::from_double(a), wb = Extended::from_double(b), wc = Extended::from_double(c);
    volatile long double ha = a, hb = b, hc = c, hd = d, he = e;

    const Extended ab = multiply(wa, wb);
    const volatile long double hab = ha * hb;
    check("a*b", ab, hab, a, b);
    const Extended abc = multiply(ab, wc);
    const volatile long double habc = hab * hc;
    check("(a*b)*c", abc, habc, b, c);

    const double p = abc.to_double();
    const Extended q = divide(Extended::from_double(p), Extended::from_double(d));
    const volatile long double hq = static_cast<long double>(static_cast<double>(habc)) / hd;
    check("P/d", q, hq, p, d);

    const double qd = q.to_double();
    const Extended r = subtract(Extended::from_double(e), Extended::from_double(qd));
    const volatile long double hr = he - static_cast<long double>(static_cast<double>(hq));
    check("e-Q", r, hr, e, qd);

    // The single operations on plain doubles, including the wide sum.
    check("a/b", divide(wa, wb), ha / hb, a, b);
    check("a-c", subtract(wa, wc), ha - hc, a, c);
    check("a+c", add(wa, wc), ha + hc, a, c);
}

}  // namespace

int main(int argc, char** argv) {
    const long triples = argc > 1 ? std::atol(argv[1]) : 1'000'000;
    for (long i = 0; i < triples; ++i) {
        const double a = random_double();
        double b = random_double();
        double c = random_double();
        double d = random_double();
        double e = random_double();
        switch (i % 4) {
        case 1:  // a * b * c lands in or near binary64's denormal range
            b = partner_for(a, static_cast<int>(generator() % 80) - 60, false);
            c = from_bits(0x3FF0000000000000 | random_fraction());
            break;
        case 2:  // P / d lands near the denormal range or near overflow
            d = partner_for(a, generator() % 2 ? static_cast<int>(generator() % 80) - 60
                                                : 2040 + static_cast<int>(generator() % 12),
                            true);
            break;
        case 3:  // close operands: cancellation in e - Q and a - c
            c = from_bits(calc_test::bits_of(a) ^ (generator() % 4));
            e = from_bits(calc_test::bits_of(d) + (generator() % 3));
            break;
        default:
            break;
        }
        check_triple(a, b, c, d, e);
    }
    std::printf("%ld operand sets, %ld mismatches\n", triples, failures);
    return failures == 0 ? 0 : 1;
}

#else

int main() {
    std::puts("skipped: long double here is not the x87 64-bit-significand format");
    return 77;
}

#endif
