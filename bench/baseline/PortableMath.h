// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
// Exponential, logarithm and power in double precision built from the four
// basic operations only. The C runtimes of the targets round their own pow
// differently in the last bit; one bit in a delay time moves the cubic that
// an interpolated line uses and grows into an audible difference in the tail,
// so every power the engine needs goes through these instead.
#pragma once

namespace frozen {

double portableExp(double y);
double portableLog(double x);
// base must be positive; the result is exp(exponent × ln base).
double portablePow(double base, double exponent);

}  // namespace frozen
