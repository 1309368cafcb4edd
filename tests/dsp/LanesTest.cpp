// The engine is bit for bit the one-channel units only if each lane of an
// operation gives what the scalar operation gives, whatever the value: the
// lanes are held to the scalar IEEE results over the values where units
// that flush, approximate or mix lanes part from them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "dsp/Lanes.h"

namespace dsp {
namespace {

using Limits = std::numeric_limits<float>;

uint32_t bitsOf(float x) {
    uint32_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

float fromBits(uint32_t b) {
    float x;
    std::memcpy(&x, &b, sizeof x);
    return x;
}

// The four lanes as stored, so that no value passes through a register
// that might quiet or round it on its way out.
struct Four {
    alignas(16) float v[4];
};
Four lanesOf(Lanes x) {
    Four f;
    x.storeFour(f.v);
    return f;
}

const std::vector<float>& edgeValues() {
    static const std::vector<float> values = {
        0.0f,
        -0.0f,
        1.0f,
        -1.0f,
        0.1f,
        -3.75f,
        1e30f,
        -1e-30f,
        Limits::min(),
        -Limits::min(),
        Limits::denorm_min(),
        -Limits::denorm_min(),
        fromBits(0x007fffff),
        Limits::max(),
        -Limits::max(),
        Limits::infinity(),
        -Limits::infinity(),
        Limits::quiet_NaN(),
        fromBits(0xffc00001),
        16777217.0f,
    };
    return values;
}

// Equal bits, except that of two NaN operands the compiler may pass either
// first (addition and multiplication commute), so which payload comes out
// is not fixed for the scalar code either: there a NaN is all it owes.
bool sameResult(float got, float want, float a, float b) {
    if (std::isnan(a) && std::isnan(b)) return std::isnan(got) && std::isnan(want);
    return bitsOf(got) == bitsOf(want);
}

// The scalar result computed at run time, as the one-channel units compute
// it, not folded by the compiler.
float scalar(char op, float a, float b) {
    volatile float x = a;
    volatile float y = b;
    switch (op) {
    case '+':
        return x + y;
    case '-':
        return x - y;
    default:
        return x * y;
    }
}

Lanes packed(char op, Lanes a, Lanes b) {
    switch (op) {
    case '+':
        return a + b;
    case '-':
        return a - b;
    default:
        return a * b;
    }
}

// Every pair of edge values in every lane, each lane with a different pair
// so that a lane that reads its neighbour is caught; and a scalar operand
// on either side, which must act in each lane as it would alone.
TEST(Lanes, ArithmeticGivesTheScalarBitsInEveryLaneForEdgeValues) {
    const std::vector<float>& v = edgeValues();
    const int n = static_cast<int>(v.size());
    for (char op : {'+', '-', '*'}) {
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                const float a[4] = {v[i], v[j], v[(i + 1) % n], v[(j + 3) % n]};
                const float b[4] = {v[j], v[i], v[(j + 5) % n], v[(i + 7) % n]};
                const Lanes la = Lanes::join(Lanes(a[0], a[1]), Lanes(a[2], a[3]));
                const Lanes lb = Lanes::join(Lanes(b[0], b[1]), Lanes(b[2], b[3]));
                const Four got = lanesOf(packed(op, la, lb));
                const Four left = lanesOf(packed(op, Lanes::both(v[i]), lb));
                const Four right = lanesOf(packed(op, la, Lanes::both(v[j])));
                const Four scalarLeft = lanesOf(op == '+'   ? v[i] + lb
                                                : op == '-' ? v[i] - lb
                                                            : v[i] * lb);
                const Four scalarRight = lanesOf(op == '+'   ? la + v[j]
                                                 : op == '-' ? la - v[j]
                                                             : la * v[j]);
                for (int k = 0; k < 4; ++k) {
                    ASSERT_TRUE(sameResult(got.v[k], scalar(op, a[k], b[k]), a[k], b[k]))
                        << a[k] << ' ' << op << ' ' << b[k] << " in lane " << k;
                    ASSERT_TRUE(sameResult(left.v[k], scalar(op, v[i], b[k]), v[i], b[k])) << k;
                    ASSERT_TRUE(sameResult(right.v[k], scalar(op, a[k], v[j]), a[k], v[j])) << k;
                    ASSERT_TRUE(sameResult(scalarLeft.v[k], left.v[k], v[i], b[k])) << k;
                    ASSERT_TRUE(sameResult(scalarRight.v[k], right.v[k], a[k], v[j])) << k;
                }
            }
        }
    }
}

// The guard on the engine's input keeps finite values to the bit (signed
// zero and subnormals too) and gives +0 for infinities and NaN.
TEST(Lanes, FiniteOrZeroKeepsEveryFiniteBitAndZeroesTheRest) {
    const std::vector<float>& v = edgeValues();
    for (size_t i = 0; i < v.size(); ++i) {
        float a[4];
        for (int k = 0; k < 4; ++k) a[k] = v[(i + static_cast<size_t>(k)) % v.size()];
        const Four got = lanesOf(Lanes::join(Lanes(a[0], a[1]), Lanes(a[2], a[3])).finiteOrZero());
        for (int k = 0; k < 4; ++k) {
            const float expected = std::isfinite(a[k]) ? a[k] : 0.0f;
            ASSERT_EQ(bitsOf(got.v[k]), bitsOf(expected)) << a[k];
        }
    }
}

// The oscillator's phase wrap: the amount where a lane is above the limit,
// +0 where it is not, NaN included.
TEST(Lanes, WhereAboveComparesEachLaneAsTheScalarTestDoes) {
    const std::vector<float>& v = edgeValues();
    for (float limit : {0.5f, 0.0f, -0.0f, Limits::denorm_min()}) {
        for (size_t i = 0; i < v.size(); ++i) {
            float a[4];
            for (int k = 0; k < 4; ++k) a[k] = v[(i + 5 * static_cast<size_t>(k)) % v.size()];
            const Four got = lanesOf(
                Lanes::whereAbove(Lanes::join(Lanes(a[0], a[1]), Lanes(a[2], a[3])), limit, 1.0f));
            for (int k = 0; k < 4; ++k)
                ASSERT_EQ(bitsOf(got.v[k]), bitsOf(a[k] > limit ? 1.0f : 0.0f)) << a[k];
        }
    }
}

// Loads, stores and the moves between lanes carry any bit pattern, a
// signalling NaN's payload and −0 among them, to the lane they name.
TEST(Lanes, MovesCarryEveryBitToTheLaneTheyName) {
    const float a = fromBits(0x7f800001);  // signalling NaN
    const float b = -0.0f;
    const float c = Limits::denorm_min();
    const float d = fromBits(0xffc12345);
    const float pair[2] = {a, b};
    const Lanes ab = Lanes::load(pair);
    const Lanes cd = Lanes::gather(&c, &d);
    const Lanes all = Lanes::join(ab, cd);
    auto expectBits = [](Lanes x, float l0, float l1, float l2, float l3) {
        const Four got = lanesOf(x);
        const float want[4] = {l0, l1, l2, l3};
        for (int k = 0; k < 4; ++k) EXPECT_EQ(bitsOf(got.v[k]), bitsOf(want[k])) << "lane " << k;
    };
    expectBits(all, a, b, c, d);
    expectBits(all.lower(), a, b, 0.0f, 0.0f);
    expectBits(all.upper(), c, d, 0.0f, 0.0f);
    expectBits(ab.swapped(), b, a, 0.0f, 0.0f);
    expectBits(Lanes::both(d), d, d, d, d);
    expectBits(Lanes(c, a), c, a, 0.0f, 0.0f);
    Four four = lanesOf(all);
    expectBits(Lanes::loadFour(four.v), a, b, c, d);
    float stored[3] = {1.0f, 1.0f, 1.0f};
    all.upper().store(stored);
    EXPECT_EQ(bitsOf(stored[0]), bitsOf(c));
    EXPECT_EQ(bitsOf(stored[1]), bitsOf(d));
    EXPECT_EQ(stored[2], 1.0f);
}

}  // namespace
}  // namespace dsp
