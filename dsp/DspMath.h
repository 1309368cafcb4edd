// Scalar helpers of the engine. Sizes and fixed filter frequencies are note
// numbers on the equal-tempered scale; the powers behind them are computed
// only in setters and periodic recomputations, never once per sample, which
// is why the per-sample helpers below are plain arithmetic (a parabola for
// the oscillator's sine, a truncated series for the filters' tangent).
#pragma once

#include <cmath>
#include <cstring>

namespace dsp {

// Every unit starts at this rate, whatever any other instance runs at; its
// engine hands it the host's rate afterwards.
constexpr float initialSampleRate = 44100.0f;

// 8.17742 × 1.05946^n hertz: note 69 is 440 Hz.
float noteToHz(float n);
// The period of note n in seconds: +12 halves it.
float noteToPeriod(float n);
// 1.2202^x: the curve that turns the decay exponent into seconds and the
// loop exponent into a gain.
float expCurve(float x);
// 1.05925^db: the square root of the linear gain of a shelf set in decibels.
float shelfGainRoot(float db);

// Keeps a corner between sr/24576 and 8·sr/17 so that the tangent series of
// prewarp stays accurate; the upper bound is tested first.
inline float clampCutoff(float f, float sr) {
    const float upper = sr * 0.47058824f;
    const float lower = sr * 0.000040690105f;
    if (f > upper) return upper;
    if (f < lower) return lower;
    return f;
}

// tan(π f / sr) by its series up to the fifth power.
inline float prewarp(float f, float sr) {
    const float x = 3.14159f * f / sr;
    const float x3 = x * x * x;
    const float x5 = x3 * x * x;
    return x + 0.3333333f * x3 + 0.133333f * x5;
}

// The per-sample helpers below take one channel (float) or both side by side
// (Lanes) and do the same operations in the same order either way.
template <class T>
inline T firstOrderStep(T x, T c0, T c1, T c2, T& y1, T& x1) {
    const T y = c0 * y1 + c1 * x + c2 * x1;
    x1 = x;
    y1 = y;
    return y;
}

// One-pole glide that halves the remaining distance in about time × sr calls.
inline float smoothToward(float target, float time, float sr, float& s) {
    float k = time * sr;
    if (k < 1.0f) k = 1.0f;
    s = s + (target - s) * 0.693147f / k;
    return s;
}

// Catmull-Rom cubic through xm1, x0, x1, x2 at distance frac from x0.
template <class T>
inline T hermite4(T frac, T xm1, T x0, T x1, T x2) {
    const T d = (x1 - xm1) * 0.5f;
    const T v = x0 - x1;
    const T w = d + v;
    const T a = w + v + (x2 - x0) * 0.5f;
    const T b = w + a;
    return ((a * frac - b) * frac + d) * frac + x0;
}

// Early/late crossfade: gains 1 − m² and 1 − (1 − m)², summing to 1.5 at the
// middle on purpose.
template <class T>
inline T balanceMix(T a, T b, float m) {
    const float n = 1.0f - m;
    return n * (2.0f - n) * a + m * (2.0f - m) * b;
}

inline float clampedOffset(float a, float k, float s) {
    float v = a + k * s;
    if (v < 0.0f) v = 0.0f;
    if (v > 1.0f) v = 1.0f;
    return v;
}

// Phase in (−0.5, 0.5]: never more than half a cycle per step, never back.
inline float phaseIncrement(float rate, float sr) {
    float inc = rate / sr;
    if (inc < 0.0f) inc = 0.0f;
    if (inc > 0.5f) inc = 0.5f;
    return inc;
}
inline float stepPhase(float inc, float& phase) {
    phase = phase + inc;
    if (phase > 0.5f) phase = phase - 1.0f;
    return phase;
}
inline float advancePhase(float rate, float sr, float& phase) {
    return stepPhase(phaseIncrement(rate, sr), phase);
}

// Bit for bit, so that −0 and NaN are told apart like any other value.
inline bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

inline float wrapPhase(float x) { return x > 0.5f ? x - 1.0f : x; }

// Sine-like wave over one cycle of phase: ±1 at ±0.25, zeros at 0 and ±0.5.
inline float parabolicSine(float x) { return x * (8.0f - 16.0f * std::fabs(x)); }

}  // namespace dsp
