#include "dsp/ReverbEngine.h"

namespace dsp {
namespace {

// Tone settings made in the order of their setters, so that each shelf is
// designed from its final corner and gain.
void setTone(ToneSettings& tone, float highNote, float highDb, float lowNote, float lowDb) {
    tone.setHighFrequency(noteToHz(highNote));
    tone.setHighGain(highDb);
    tone.setLowFrequency(noteToHz(lowNote));
    tone.setLowGain(lowDb);
}

}  // namespace

// The fixed voicing of the room. The order matters where a setting starts
// something: the late network's size offset runs its first recompute, and
// each modulation setter advances the oscillator by one step.
ReverbEngine::ReverbEngine()
    : memory(static_cast<std::size_t>(memoryCount) * StereoMemory::floats) {
    late.attach(early.attach(pre.attach(memory.data())));

    pre.setTime(0.006f);
    pre.setWidth(-0.32f);

    early.setSizeOffset(-2.0f);
    late.setSizeOffset(1.5f);

    // Every tone stage of both networks has the same settings.
    setTone(networkVoicing, 97.0f, -1.2f, 36.0f, -0.7f);
    early.copyTone(networkVoicing);
    late.copyTone(networkVoicing);

    late.setModRate(0.37f);
    late.setModDepth(0.39f);

    setTone(outputVoicing, 102.0f, -2.0f, 58.0f, -5.5f);
    outputTone.copySettings(outputVoicing);
}

// The same corners and gains designed for the new rate, so the room keeps
// its colour; what the filters and lines hold stays, and so does the
// oscillator's phase, so that the sound goes on without a break.
void ReverbEngine::retune(float sr) {
    networkVoicing.setRate(sr);
    early.copyTone(networkVoicing);
    late.copyTone(networkVoicing);
    outputVoicing.setRate(sr);
    outputTone.copySettings(outputVoicing);
    pre.setRate(sr);
    early.setRate(sr);
    late.setRate(sr);
    tunedRate = sr;
}

}  // namespace dsp
