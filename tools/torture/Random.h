// The torture host's only source of chance: a seeded SplitMix64, the same
// numbers from the same seed on every target, so that a seed printed by a
// failing run (Linux, sanitizers or wine) replays it exactly.
#pragma once

#include <cstdint>

class Random final {
public:
    explicit Random(uint64_t seed) : state(seed) {}

    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1), from the top 24 bits so that every value is exact.
    float unit() { return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f); }
    // Uniform in [-1, 1).
    float noise() { return unit() * 2.0f - 1.0f; }
    int32_t below(int32_t n) { return static_cast<int32_t>(next() % static_cast<uint64_t>(n)); }
    bool coin() { return (next() & 1) != 0; }

private:
    uint64_t state;
};
