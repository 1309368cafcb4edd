#include "lv2/Lv2Reverb.h"

#include <cmath>
#include <cstring>

namespace {

uint32_t bitsOf(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

std::unique_ptr<Lv2Reverb> Lv2Reverb::create(double rate) {
    if (!std::isfinite(rate) || rate < lowestRate || rate > highestRate) return nullptr;
    try {
        return std::unique_ptr<Lv2Reverb>(new Lv2Reverb(static_cast<float>(rate)));
    } catch (...) {
        // No exception may cross into the host: no memory means no instance.
        return nullptr;
    }
}

Lv2Reverb::Lv2Reverb(float rate) : bypass(rate) {
    reverb.setSampleRate(rate);
    for (int32_t i = 0; i < paramCount; ++i) passedOn[i] = bitsOf(reverb.getParameter(i));
}

void Lv2Reverb::connect(uint32_t port, void* data) {
    if (port < lv2port::audioCount)
        audio[port] = static_cast<float*>(data);
    else if (lv2port::parameterOf(port) >= 0)
        controls[lv2port::parameterOf(port)] = static_cast<const float*>(data);
    else if (port == lv2port::enabled)
        enabled = static_cast<const float*>(data);
}

// Only read: the ports belong to the host, and a value the plug-in refuses
// stays what the host wrote.
void Lv2Reverb::takeControls() {
    for (int32_t i = 0; i < paramCount; ++i) {
        if (!controls[i]) continue;
        const float value = *controls[i];
        const uint32_t bits = bitsOf(value);
        if (bits == passedOn[i]) continue;
        passedOn[i] = bits;
        reverb.setParameter(i, value);
    }
}

// Hosts may connect an output to the same buffer as an input: the plug-in
// reads each frame whole before writing it.
void Lv2Reverb::run(uint32_t frames) {
    takeControls();
    bypass.setEnabled(enabled ? *enabled : 1.0f);
    if (!bypass.playing()) {
        runFading(frames);
        return;
    }
    // The plug-in counts frames in 32 signed bits; a longer run is cut, each
    // piece one more block.
    uint32_t done = 0;
    do {
        const uint32_t count = frames - done > INT32_MAX ? INT32_MAX : frames - done;
        reverb.processReplacing(at(lv2port::inLeft, done), at(lv2port::inRight, done),
                                at(lv2port::outLeft, done), at(lv2port::outRight, done),
                                static_cast<int32_t>(count));
        done += count;
    } while (done < frames);
}

void Lv2Reverb::runFading(uint32_t frames) {
    reverb.updateEngine();
    float* inLeft = audio[lv2port::inLeft];
    float* inRight = audio[lv2port::inRight];
    float* outLeft = audio[lv2port::outLeft];
    float* outRight = audio[lv2port::outRight];
    if (!inLeft || !inRight || !outLeft || !outRight) return;
    for (uint32_t done = 0; done < frames;) {
        const uint32_t count =
            frames - done < HostBypass::piece ? frames - done : HostBypass::piece;
        bypass.keep(inLeft + done, inRight + done, count);
        reverb.continueReplacing(inLeft + done, inRight + done, outLeft + done, outRight + done,
                                 static_cast<int32_t>(count));
        bypass.fade(outLeft + done, outRight + done, count);
        done += count;
    }
}
