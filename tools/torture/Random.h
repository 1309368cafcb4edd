// The torture host's only source of chance: the same numbers from the same
// seed on every target, so that a seed printed by a failing run (Linux,
// sanitizers or wine) replays it exactly.
#pragma once

#include <cstdint>

#include "resources/generator/Random.h"

class Random final {
public:
    explicit Random(uint64_t seed) : bits(seed) {}

    uint64_t next() { return bits.next(); }
    // Uniform in [0, 1), every value exact in a float.
    float unit() { return bits.unit(); }
    // Uniform in [-1, 1).
    float noise() { return bits.signedUnit(); }
    int32_t below(int32_t n) { return static_cast<int32_t>(next() % static_cast<uint64_t>(n)); }
    bool coin() { return (next() & 1) != 0; }

private:
    SplitMix64 bits;
};
