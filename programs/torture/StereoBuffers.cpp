#include "programs/torture/StereoBuffers.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

void OutputScan::add(const float* x, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        const int kind = std::fpclassify(x[i]);
        if (kind == FP_NAN || kind == FP_INFINITE)
            ++nonFinite;
        else if (kind == FP_SUBNORMAL)
            ++subnormal;
        else
            energy += static_cast<double>(x[i]) * x[i];
    }
    samples += n;
}

double OutputScan::rms() const {
    return samples ? std::sqrt(energy / static_cast<double>(samples)) : 0.0;
}

StereoBuffers::StereoBuffers(size_t capacity) {
    for (int c = 0; c < 2; ++c) {
        in[c].assign(capacity, 0.0f);
        out[c].assign(capacity, 0.0f);
    }
}

void StereoBuffers::fillNoise(Random& random, size_t frames, float level) {
    for (size_t i = 0; i < frames; ++i) {
        in[0][i] = level * random.noise();
        in[1][i] = level * random.noise();
    }
}

void StereoBuffers::fillSilence(size_t frames) {
    for (int c = 0; c < 2; ++c)
        std::fill(in[c].begin(), in[c].begin() + static_cast<std::ptrdiff_t>(frames), 0.0f);
}

void StereoBuffers::process(PluginInstance& plugin, size_t frames) {
    const float poison = std::numeric_limits<float>::quiet_NaN();
    for (int c = 0; c < 2; ++c)
        std::fill(out[c].begin(), out[c].begin() + static_cast<std::ptrdiff_t>(frames), poison);
    float* inputs[2] = {in[0].data(), in[1].data()};
    float* outputs[2] = {out[0].data(), out[1].data()};
    plugin.processReplacing(inputs, outputs, static_cast<int32_t>(frames));
}

void StereoBuffers::scan(OutputScan& into, size_t frames) const {
    into.add(out[0].data(), frames);
    into.add(out[1].data(), frames);
}

void TwinRun::block(Random& random) {
    const uint64_t seed = random.next();
    Random a(seed), b(seed);
    mine.fillNoise(a, blockFrames);
    theirs.fillNoise(b, blockFrames);
    mine.process(first, blockFrames);
    theirs.process(second, blockFrames);
}

void TwinRun::addDifference(double& difference, double& energy) const {
    const float* a[2] = {mine.outLeft(), mine.outRight()};
    const float* b[2] = {theirs.outLeft(), theirs.outRight()};
    for (int c = 0; c < 2; ++c) {
        for (size_t i = 0; i < blockFrames; ++i) {
            const double d = static_cast<double>(a[c][i]) - b[c][i];
            difference += d * d;
            energy += static_cast<double>(b[c][i]) * b[c][i];
        }
    }
}

bool TwinRun::identical() const {
    return std::memcmp(mine.outLeft(), theirs.outLeft(), blockFrames * sizeof(float)) == 0 &&
           std::memcmp(mine.outRight(), theirs.outRight(), blockFrames * sizeof(float)) == 0;
}
