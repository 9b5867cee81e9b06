// compute_end_voltage against a model of its arithmetic in exact rationals
// (GMP): each operation is exact, then rounded here, independently of the
// production code, to 64 significant bits (15-bit exponent) and, for P, Q
// and R, to binary64. Input: a material byte, then four texts split at
// 0xFF bytes.
#include <gmp.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "calc/number_to_text.h"
#include "calc/text_to_number.h"
#include "calc/voltage_drop.h"

namespace {

class Rational {
public:
    Rational() { mpq_init(q_); }
    explicit Rational(double d) {
        mpq_init(q_);
        mpq_set_d(q_, d);
    }
    Rational(const Rational& o) {
        mpq_init(q_);
        mpq_set(q_, o.q_);
    }
    Rational& operator=(const Rational& o) {
        mpq_set(q_, o.q_);
        return *this;
    }
    ~Rational() { mpq_clear(q_); }
    mpq_t q_;
};

Rational times(const Rational& a, const Rational& b) {
    Rational r;
    mpq_mul(r.q_, a.q_, b.q_);
    return r;
}

// Rounds to the nearest value with `precision` bits whose exponent is at
// least `min_exponent` (denormals below it), ties to even. Sets `overflow`
// when the rounded magnitude reaches 2^(max_exponent + 1).
Rational round_to(const Rational& x, int precision, int min_exponent, int max_exponent, bool& overflow) {
    overflow = false;
    Rational result;
    if (mpq_sgn(x.q_) == 0) return result;
    mpz_t num, den, q, r, twice_r;
    mpz_inits(num, den, q, r, twice_r, nullptr);
    mpz_abs(num, mpq_numref(x.q_));
    mpz_set(den, mpq_denref(x.q_));
    // lead = floor(log2 |x|)
    long lead = static_cast<long>(mpz_sizeinbase(num, 2)) - static_cast<long>(mpz_sizeinbase(den, 2));
    {
        mpz_t a, b;
        mpz_inits(a, b, nullptr);
        if (lead >= 0) {
            mpz_set(a, num);
            mpz_mul_2exp(b, den, static_cast<unsigned long>(lead));
        } else {
            mpz_mul_2exp(a, num, static_cast<unsigned long>(-lead));
            mpz_set(b, den);
        }
        if (mpz_cmp(a, b) < 0) --lead;
        mpz_clears(a, b, nullptr);
    }
    const long lsb = std::max(lead, static_cast<long>(min_exponent)) - (precision - 1);
    // q = floor(|x| / 2^lsb), r the remainder (over den)
    if (lsb >= 0) {
        mpz_mul_2exp(den, den, static_cast<unsigned long>(lsb));
    } else {
        mpz_mul_2exp(num, num, static_cast<unsigned long>(-lsb));
    }
    mpz_fdiv_qr(q, r, num, den);
    mpz_mul_2exp(twice_r, r, 1);
    const int half = mpz_cmp(twice_r, den);
    if (half > 0 || (half == 0 && mpz_odd_p(q))) mpz_add_ui(q, q, 1);
    mpq_set_z(result.q_, q);
    if (lsb >= 0) mpq_mul_2exp(result.q_, result.q_, static_cast<unsigned long>(lsb));
    else mpq_div_2exp(result.q_, result.q_, static_cast<unsigned long>(-lsb));
    if (mpz_sgn(q) != 0 && static_cast<long>(mpz_sizeinbase(q, 2)) - 1 + lsb > max_exponent) overflow = true;
    if (mpq_sgn(x.q_) < 0) mpq_neg(result.q_, result.q_);
    mpz_clears(num, den, q, r, twice_r, nullptr);
    return result;
}

// Rounded to the wide format; nullopt-like flag for overflow.
Rational wide(const Rational& x, bool& overflow) { return round_to(x, 64, -16382, 16383, overflow); }

double narrow(const Rational& x) {
    bool overflow;
    const Rational r = round_to(x, 53, -1022, 1023, overflow);
    if (overflow) return mpq_sgn(x.q_) < 0 ? -INFINITY : INFINITY;
    return mpq_get_d(r.q_);  // exact: r is a double
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const calc::Material& material = calc::material_table[data[0] % 3];
    std::vector<std::string> texts(4);
    std::size_t field = 0;
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == 0xFF && field < 3) {
            ++field;
        } else {
            texts[field] += static_cast<char>(data[i]);
        }
    }
    const std::string result = calc::compute_end_voltage(texts[0], texts[1], texts[2], texts[3], material.resistivity);

    const double l = calc::text_to_number(texts[0]), s = calc::text_to_number(texts[1]);
    const double v = calc::text_to_number(texts[2]), i = calc::text_to_number(texts[3]);
    if (!std::isfinite(l) || !std::isfinite(s) || !std::isfinite(v) || !std::isfinite(i)) return 0;

    bool overflow = false;
    const Rational two_i = wide(times(Rational(2.0), Rational(i)), overflow);
    if (overflow) return 0;  // beyond the wide range: not reachable from doubles
    const Rational rho_product = wide(times(two_i, Rational(material.resistivity)), overflow);
    const Rational p_wide = wide(times(rho_product, Rational(l)), overflow);
    double p = narrow(p_wide);
    // The sign of a zero product: the signs of the factors.
    if (p == 0) p = (std::signbit(i) != std::signbit(l)) ? -0.0 : 0.0;
    if (!std::isfinite(p)) return 0;  // P = inf: the special-value tests cover it

    double q;
    if (s == 0) {
        if (p == 0) {
            if (result != "-1.#IND") std::abort();
            return 0;
        }
        q = (std::signbit(p) != std::signbit(s)) ? -INFINITY : INFINITY;
    } else {
        Rational quotient;
        mpq_div(quotient.q_, Rational(p).q_, Rational(s).q_);
        q = narrow(wide(quotient, overflow));
        if (q == 0) q = (std::signbit(p) != std::signbit(s)) ? -0.0 : 0.0;
    }
    double r;
    if (std::isinf(q)) {
        r = -q;
    } else {
        Rational difference;
        mpq_sub(difference.q_, Rational(v).q_, Rational(q).q_);
        r = narrow(wide(difference, overflow));
    }
    if (result != calc::number_to_text(r)) std::abort();
    return 0;
}
