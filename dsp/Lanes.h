// The left and right channel side by side in one SSE2 register, so that the
// engine computes both with one instruction where it used to take two. Every
// operation here is the plain IEEE one applied to each lane on its own: an
// add, subtract or multiply of two lanes gives the very bits the scalar
// operation gives, so the stereo units compute exactly what the one-channel
// units compute for each channel. Nothing here fuses, reorders or
// approximates; SSE2 is present on every target (i686 builds with -msse2).
// A stereo unit uses the lower two lanes and keeps the upper two at zero;
// where two stereo units' independent work can go together, the second one's
// pair rides in the upper lanes.
//
// This is the only file that uses intrinsics.
#pragma once

#include <emmintrin.h>

namespace dsp {

class Lanes final {
public:
    Lanes() : v(_mm_setzero_ps()) {}
    Lanes(float left, float right) : v(_mm_setr_ps(left, right, 0.0f, 0.0f)) {}
    // Every lane the same value.
    static Lanes both(float x) { return Lanes(_mm_set1_ps(x)); }
    // One pair in the lower lanes, another in the upper.
    static Lanes join(Lanes lower, Lanes upper) { return Lanes(_mm_movelh_ps(lower.v, upper.v)); }
    // Two adjacent floats, left first.
    static Lanes load(const float* pair) {
        return Lanes(_mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(pair))));
    }
    // The left lane from one place and the right lane from another.
    static Lanes gather(const float* left, const float* right) {
        return Lanes(_mm_unpacklo_ps(_mm_load_ss(left), _mm_load_ss(right)));
    }

    // Four floats, 16-byte aligned, for values that go four at a time.
    static Lanes loadFour(const float* four) { return Lanes(_mm_load_ps(four)); }
    void storeFour(float* four) const { _mm_store_ps(four, v); }
    // In each lane, `amount` where that lane of x is above `limit`, +0 elsewhere.
    static Lanes whereAbove(Lanes x, float limit, float amount) {
        return Lanes(_mm_and_ps(_mm_cmpgt_ps(x.v, _mm_set1_ps(limit)), _mm_set1_ps(amount)));
    }

    void store(float* pair) const {
        _mm_store_sd(reinterpret_cast<double*>(pair), _mm_castps_pd(v));
    }
    float left() const { return _mm_cvtss_f32(v); }
    float right() const { return _mm_cvtss_f32(_mm_shuffle_ps(v, v, _MM_SHUFFLE(3, 2, 0, 1))); }
    // Each lane as it is where finite, +0 where infinite or NaN.
    Lanes finiteOrZero() const {
        const __m128 magnitude = _mm_and_ps(v, _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff)));
        const __m128 finite = _mm_cmplt_ps(magnitude, _mm_set1_ps(3.4028235e38f * 2.0f));
        return Lanes(_mm_and_ps(v, finite));
    }
    // The lower pair alone, and the upper pair moved down.
    Lanes lower() const { return Lanes(_mm_movelh_ps(v, _mm_setzero_ps())); }
    Lanes upper() const { return Lanes(_mm_movehl_ps(_mm_setzero_ps(), v)); }
    // Left and right exchanged.
    Lanes swapped() const { return Lanes(_mm_shuffle_ps(v, v, _MM_SHUFFLE(3, 2, 0, 1))); }

    friend Lanes operator+(Lanes a, Lanes b) { return Lanes(_mm_add_ps(a.v, b.v)); }
    friend Lanes operator-(Lanes a, Lanes b) { return Lanes(_mm_sub_ps(a.v, b.v)); }
    friend Lanes operator*(Lanes a, Lanes b) { return Lanes(_mm_mul_ps(a.v, b.v)); }
    // A scalar operand takes part in both lanes, as it would in each scalar
    // computation.
    friend Lanes operator+(Lanes a, float b) { return a + both(b); }
    friend Lanes operator-(Lanes a, float b) { return a - both(b); }
    friend Lanes operator*(Lanes a, float b) { return a * both(b); }
    friend Lanes operator+(float a, Lanes b) { return both(a) + b; }
    friend Lanes operator-(float a, Lanes b) { return both(a) - b; }
    friend Lanes operator*(float a, Lanes b) { return both(a) * b; }

private:
    explicit Lanes(__m128 value) : v(value) {}

    __m128 v;
};

}  // namespace dsp
