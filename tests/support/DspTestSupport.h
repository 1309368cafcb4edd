// Helpers shared by the engine's tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace dsp {

// FNV-1a over the bytes of the floats: renders compared bit for bit.
inline uint64_t hashFloats(uint64_t h, const std::vector<float>& v) {
    for (float x : v) {
        uint32_t bits;
        std::memcpy(&bits, &x, sizeof bits);
        for (int k = 0; k < 4; ++k) h = (h ^ ((bits >> (8 * k)) & 0xff)) * 0x100000001b3ULL;
    }
    return h;
}

// The same pseudo-random signal in [−1, 1) on every target.
class TestNoise {
public:
    float next() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<float>(static_cast<int32_t>(state >> 32)) * (1.0f / 2147483648.0f);
    }

private:
    uint64_t state = 0x2545F4914F6CDD1DULL;
};

// Interleaved stereo frames of the test noise.
inline std::vector<float> noiseFrames(int frames, TestNoise& noise) {
    std::vector<float> v(2 * frames);
    for (float& x : v) x = noise.next();
    return v;
}

// Feeds an impulse, then zeros, and returns every output.
template <class Unit>
std::vector<float> impulseResponse(Unit& unit, int count) {
    std::vector<float> out;
    out.reserve(count);
    for (int n = 0; n < count; ++n) out.push_back(unit.processSample(n == 0 ? 1.0f : 0.0f));
    return out;
}

// Index of the first value whose magnitude exceeds the threshold, or −1.
inline int firstAbove(const std::vector<float>& v, float threshold) {
    for (size_t n = 0; n < v.size(); ++n)
        if (std::fabs(v[n]) > threshold) return static_cast<int>(n);
    return -1;
}

}  // namespace dsp
