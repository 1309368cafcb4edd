#include "dsp/DspMath.h"

#include "dsp/PortableMath.h"

namespace dsp {
namespace {

// Bases and factors are the single-precision values the sound was tuned with;
// the power itself is taken in double and rounded once.
constexpr float semitone = 1.05946f;
constexpr float lowestNoteHz = 8.17742f;
constexpr float curveBase = 1.2202f;
constexpr float shelfBase = 1.05925f;

double noteHzExact(float n) { return static_cast<double>(lowestNoteHz) * portablePow(semitone, n); }

}  // namespace

float noteToHz(float n) { return static_cast<float>(noteHzExact(n)); }

float noteToPeriod(float n) { return static_cast<float>(1.0 / noteHzExact(n)); }

float expCurve(float x) { return static_cast<float>(portablePow(curveBase, x)); }

float shelfGainRoot(float db) { return static_cast<float>(portablePow(shelfBase, db)); }

}  // namespace dsp
