// The generator's only source of texture: a seeded SplitMix64, so that every
// run writes the same bytes, and smooth one-dimensional value noise built on it.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

class SplitMix64 final {
public:
    explicit SplitMix64(uint64_t seed) : state(seed) {}

    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1), from the top 24 bits so that every value is exact.
    float unit() { return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f); }
    // Uniform in [-1, 1).
    float signedUnit() { return unit() * 2.0f - 1.0f; }

private:
    uint64_t state;
};

// Random values in [-1, 1] at whole-number positions, joined by a smooth
// curve; repeats after `period` lattice steps.
class ValueNoise1D final {
public:
    ValueNoise1D(uint64_t seed, int period) : values(static_cast<size_t>(period)) {
        SplitMix64 random(seed);
        for (float& v : values) v = random.signedUnit();
    }

    float at(float x) const {
        float cell = std::floor(x);
        float t = x - cell;
        int n = static_cast<int>(values.size());
        int i = static_cast<int>(cell) % n;
        if (i < 0) i += n;
        float a = values[static_cast<size_t>(i)];
        float b = values[static_cast<size_t>((i + 1) % n)];
        float s = t * t * (3.0f - 2.0f * t);
        return a + (b - a) * s;
    }

private:
    std::vector<float> values;
};
