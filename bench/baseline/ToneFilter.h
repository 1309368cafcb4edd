// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
// The tone stage of the engine: a high shelf followed by a low shelf.
#pragma once

#include "bench/baseline/Shelf.h"

namespace frozen {

class ToneFilter final : public Processor {
public:
    void setHighFrequency(float hz) { high.setFrequency(hz); }
    void setHighGain(float db) { high.setGain(db); }
    void setLowFrequency(float hz) { low.setFrequency(hz); }
    void setLowGain(float db) { low.setGain(db); }

    const HighShelf& highShelf() const { return high; }
    const LowShelf& lowShelf() const { return low; }

    float processSample(float x) override { return low.processSample(high.processSample(x)); }

private:
    HighShelf high;
    LowShelf low;
};

}  // namespace frozen
