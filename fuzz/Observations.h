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
    // Eight bytes a step: a panel picture is half a megabyte, and a byte at a
    // time made hashing it cost more than drawing it. Kept out of line so that
    // the fuzz build can leave it out of comparison tracing.
    __attribute__((noinline)) void add(const void* bytes, size_t size) {
        const auto* p = static_cast<const unsigned char*>(bytes);
        size_t i = 0;
        for (; i + sizeof(uint64_t) <= size; i += sizeof(uint64_t)) {
            uint64_t word;
            std::memcpy(&word, p + i, sizeof word);
            mix(word);
        }
        uint64_t tail = size;  // the length too, so that trailing zeros count
        for (; i < size; ++i) tail = tail << 8 | p[i];
        mix(tail);
    }
    template <typename T>
    void add(T value) {
        unsigned char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        add(bytes, sizeof bytes);
    }
    uint64_t digest() const { return hash; }

private:
    void mix(uint64_t word) {
        hash ^= word;
        hash *= 0x100000001B3ull;
        hash ^= hash >> 29;
    }

    uint64_t hash = 0xCBF29CE484222325ull;
};
