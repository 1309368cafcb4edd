// The torture host's only source of chance: the standard's 64-bit Mersenne
// twister, whose every number the standard fixes, so the same seed gives
// the same numbers on every target and a seed printed by a failing run
// (Linux, sanitizers or wine) replays it exactly. Only the engine's raw
// output is used: the library's distributions may differ between targets.
#pragma once

#include <cstdint>
#include <random>

class Random final {
public:
    explicit Random(uint64_t seed) : bits(seed) {}

    uint64_t next() { return bits(); }
    // Uniform in [0, 1), from the top 24 bits so that every value is exact.
    float unit() { return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f); }
    // Uniform in [-1, 1).
    float noise() { return unit() * 2.0f - 1.0f; }
    int32_t below(int32_t n) { return static_cast<int32_t>(next() % static_cast<uint64_t>(n)); }
    bool coin() { return (next() & 1) != 0; }

private:
    std::mt19937_64 bits;
};
