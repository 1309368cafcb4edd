#include "lv2/Lv2Reverb.h"

#include <cmath>
#include <cstring>
#include <new>

#include <lv2/buf-size/buf-size.h>

#include "lv2/HostFeatures.h"

namespace {

uint32_t bitsOf(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

std::unique_ptr<Lv2Reverb> Lv2Reverb::create(double rate, const HostFeatures& host) {
    if (!std::isfinite(rate) || rate < lowestRate || rate > highestRate) return nullptr;
    // The block size is only what the host promises; the effect works in
    // chunks of its own whatever a run brings.
    int64_t block = 0;
    if (!host.wholeOption(LV2_BUF_SIZE__maxBlockLength, block) || block <= 0 || block > INT32_MAX)
        block = 0;
    try {
        return std::unique_ptr<Lv2Reverb>(
            new Lv2Reverb(static_cast<float>(rate), static_cast<int32_t>(block)));
    } catch (...) {
        // No exception may cross into the host: no memory means no instance.
        return nullptr;
    }
}

Lv2Reverb::Lv2Reverb(float rate, int32_t blockSize) {
    effect.setSampleRate(rate);
    if (blockSize > 0) effect.setBlockSize(blockSize);
    for (int32_t i = 0; i < paramCount; ++i) passedOn[i] = bitsOf(effect.getParameter(i));
}

void Lv2Reverb::connect(uint32_t port, void* data) {
    if (port < lv2port::audioCount)
        audio[port] = static_cast<float*>(data);
    else if (lv2port::parameterOf(port) >= 0)
        controls[lv2port::parameterOf(port)] = static_cast<const float*>(data);
}

// Only read: the ports belong to the host, and a value the effect refuses
// stays what the host wrote.
void Lv2Reverb::takeControls() {
    for (int32_t i = 0; i < paramCount; ++i) {
        if (!controls[i]) continue;
        const float value = *controls[i];
        const uint32_t bits = bitsOf(value);
        if (bits == passedOn[i]) continue;
        passedOn[i] = bits;
        effect.setParameter(i, value);
    }
}

void Lv2Reverb::run(uint32_t frames) {
    takeControls();
    float* inputs[2] = {audio[lv2port::inLeft], audio[lv2port::inRight]};
    float* outputs[2] = {audio[lv2port::outLeft], audio[lv2port::outRight]};
    // The effect counts frames in 32 signed bits; a longer run is cut, each
    // piece one more VST 2 block.
    uint32_t done = 0;
    do {
        const uint32_t count = frames - done > INT32_MAX ? INT32_MAX : frames - done;
        float* in[2] = {inputs[0] ? inputs[0] + done : nullptr,
                        inputs[1] ? inputs[1] + done : nullptr};
        float* out[2] = {outputs[0] ? outputs[0] + done : nullptr,
                         outputs[1] ? outputs[1] + done : nullptr};
        effect.processReplacing(in, out, static_cast<int32_t>(count));
        done += count;
    } while (done < frames);
}
