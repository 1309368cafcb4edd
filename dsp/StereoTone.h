// Both channels' tone stages in one unit: the high shelf, then the low
// shelf, each the first-order step of Shelf with the same coefficients and
// input constant, taken from a one-channel ToneFilter set up as wanted. In
// four lanes it filters two stereo signals with the same settings at once.
#pragma once

#include "dsp/DspMath.h"
#include "dsp/Lanes.h"
#include "dsp/ToneFilter.h"

namespace dsp {

class StereoTone final {
public:
    void copySettings(const ToneFilter& tone) {
        high.copySettings(tone.highShelf());
        low.copySettings(tone.lowShelf());
    }

    Lanes process(Lanes x) { return low.process(high.process(x)); }

private:
    struct Step {
        void copySettings(const Shelf& shelf) {
            const ShelfCoefficients& c = shelf.coefficients();
            c0 = Lanes::both(c.c0);
            c1 = Lanes::both(c.c1);
            c2 = Lanes::both(c.c2);
            offset = Lanes::both(shelf.getOffset());
        }
        Lanes process(Lanes x) { return firstOrderStep(x + offset, c0, c1, c2, y1, x1); }

        // Zero until set, so a stage never set outputs silence, as a shelf does.
        Lanes c0, c1, c2, offset;
        Lanes y1, x1;
    };

    Step high;
    Step low;
};

}  // namespace dsp
