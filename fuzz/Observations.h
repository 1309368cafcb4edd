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
    void add(const void* bytes, size_t size) {
        const auto* p = static_cast<const unsigned char*>(bytes);
        for (size_t i = 0; i < size; ++i) {
            hash ^= p[i];
            hash *= 0x100000001B3ull;
        }
    }
    template <typename T>
    void add(T value) {
        unsigned char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        add(bytes, sizeof bytes);
    }
    uint64_t digest() const { return hash; }

private:
    uint64_t hash = 0xCBF29CE484222325ull;
};
