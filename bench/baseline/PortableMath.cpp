// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
#include "bench/baseline/PortableMath.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace frozen {
namespace {

// ln 2 split so that k × ln2Hi is exact for every exponent a double can have.
constexpr double ln2Hi = 6.93147180369123816490e-01;
constexpr double ln2Lo = 1.90821492927058770002e-10;
constexpr double invLn2 = 1.44269504088896338700e+00;
constexpr double sqrt2 = 1.41421356237309504880;

uint64_t bitsOf(double x) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

double fromBits(uint64_t bits) {
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

// 2^k for k in the normal range, made directly from the exponent field.
double twoToThe(int k) { return fromBits(static_cast<uint64_t>(k + 1023) << 52); }

constexpr double factorialInverse(int n) {
    double f = 1.0;
    for (int i = 2; i <= n; ++i) f *= i;
    return 1.0 / f;
}

// Taylor series of e^r; with |r| ≤ ln2/2 the first omitted term is below
// 1e-21, far under the last bit of a double.
double expSeries(double r) {
    double p = factorialInverse(17);
    for (int n = 16; n >= 0; --n) p = p * r + factorialInverse(n);
    return p;
}

// 2 atanh(s) = ln((1 + s) / (1 − s)); |s| ≤ 0.172 after the reduction below,
// so twelve odd terms are enough for double precision.
double logSeries(double s) {
    const double s2 = s * s;
    double p = 1.0 / 23.0;
    for (int k = 10; k >= 0; --k) p = p * s2 + 1.0 / (2 * k + 1);
    return 2.0 * s * p;
}

}  // namespace

double portableExp(double y) {
    if (y != y) return y;
    if (y > 709.78) return std::numeric_limits<double>::infinity();
    if (y < -745.2) return 0.0;
    const double t = y * invLn2;
    const int k = static_cast<int>(t < 0.0 ? t - 0.5 : t + 0.5);
    const double r = (y - k * ln2Hi) - k * ln2Lo;
    const double p = expSeries(r);
    // Split the scaling where 2^k alone would leave the normal range.
    if (k > 1023) return p * twoToThe(k - 1) * 2.0;
    if (k < -1022) return p * twoToThe(k + 54) * twoToThe(-54);
    return p * twoToThe(k);
}

double portableLog(double x) {
    if (x != x || x < 0.0) return std::numeric_limits<double>::quiet_NaN();
    if (x == 0.0) return -std::numeric_limits<double>::infinity();
    if (x == std::numeric_limits<double>::infinity()) return x;
    int k = 0;
    if (x < 2.2250738585072014e-308) {  // subnormal: make it normal first
        x *= twoToThe(54);
        k = -54;
    }
    const uint64_t bits = bitsOf(x);
    k += static_cast<int>((bits >> 52) & 0x7ff) - 1023;
    double m = fromBits((bits & 0x000fffffffffffffULL) | (1023ULL << 52));
    if (m > sqrt2) {
        m *= 0.5;
        ++k;
    }
    const double lnm = logSeries((m - 1.0) / (m + 1.0));
    return k * ln2Hi + (k * ln2Lo + lnm);
}

double portablePow(double base, double exponent) {
    if (exponent == 0.0) return 1.0;
    return portableExp(exponent * portableLog(base));
}

}  // namespace frozen
