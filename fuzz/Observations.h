// Everything one input saw the effect answer, folded into one number, so that
// two runs of the same input can be compared: alone in a fresh process and
// after other inputs in the same one. Pointers never go in, only what they
// point at, since addresses differ from run to run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class Observations final {
public:
    // Eight bytes a step, in four independent lanes that are folded together
    // at the end: a panel picture is half a megabyte, and one chain of
    // multiplications made hashing it cost more than drawing it. Kept out of
    // line so that the fuzz build can leave it out of comparison tracing.
    __attribute__((noinline)) void add(const void* bytes, size_t size) {
        const auto* p = static_cast<const unsigned char*>(bytes);
        size_t i = 0;
        if (size >= 4 * sizeof(uint64_t)) {
            uint64_t lanes[4] = {hash, hash ^ 1, hash ^ 2, hash ^ 3};
            for (; i + 4 * sizeof(uint64_t) <= size; i += 4 * sizeof(uint64_t)) {
                for (int k = 0; k < 4; ++k) {
                    uint64_t word;
                    std::memcpy(&word, p + i + k * sizeof word, sizeof word);
                    lanes[k] = mixed(lanes[k], word);
                }
            }
            for (uint64_t lane : lanes) hash = mixed(hash, lane);
        }
        for (; i + sizeof(uint64_t) <= size; i += sizeof(uint64_t)) {
            uint64_t word;
            std::memcpy(&word, p + i, sizeof word);
            hash = mixed(hash, word);
        }
        uint64_t tail = size;  // the length too, so that trailing zeros count
        for (; i < size; ++i) tail = tail << 8 | p[i];
        hash = mixed(hash, tail);
    }
    template <typename T>
    void add(T value) {
        unsigned char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        add(bytes, sizeof bytes);
    }
    uint64_t digest() const { return hash; }

private:
    static uint64_t mixed(uint64_t h, uint64_t word) {
        h ^= word;
        h *= 0x100000001B3ull;
        return h ^ (h >> 29);
    }

    uint64_t hash = 0xCBF29CE484222325ull;
};
