// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
#include "bench/baseline/Processor.h"

namespace frozen {

float sampleRate = 44100.0f;

}  // namespace frozen
