// The tone stage of the engine: a high shelf followed by a low shelf.
#pragma once

#include "dsp/Shelf.h"

namespace dsp {

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

}  // namespace dsp
