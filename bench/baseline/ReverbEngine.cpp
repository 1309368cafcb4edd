// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
#include "bench/baseline/ReverbEngine.h"

#include <initializer_list>

namespace frozen {

// The fixed voicing of the room. The order matters where a setting starts
// something: the late network's size offset runs its first recompute, and
// each modulation setter advances the oscillator by one step.
ReverbEngine::ReverbEngine() {
    pre.setTime(0.006f);
    pre.setWidth(-0.32f);

    early.setSizeOffset(-2.0f);
    late.setSizeOffset(1.5f);

    // Each shelf setting goes to the early network, then to the late one.
    const auto bothNetworks = [this](auto apply) {
        apply(early);
        apply(late);
    };
    bothNetworks([](auto& net) { net.setHighFrequency(97.0f); });
    bothNetworks([](auto& net) { net.setHighGain(-1.2f); });
    bothNetworks([](auto& net) { net.setLowFrequency(36.0f); });
    bothNetworks([](auto& net) { net.setLowGain(-0.7f); });

    late.setModRate(0.37f);
    late.setModDepth(0.39f);

    late.setSpread(0.0f);
    early.setSpread(0.0f);

    for (ToneFilter* tone : {&leftTone, &rightTone}) {
        tone->setHighFrequency(noteToHz(102.0f));
        tone->setHighGain(-2.0f);
        tone->setLowFrequency(noteToHz(58.0f));
        tone->setLowGain(-5.5f);
    }
}

}  // namespace frozen
