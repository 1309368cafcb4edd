// The fuzzer's input read as a host's decisions: small numbers, raw 32-bit
// values and floats of any bit pattern, and texts. An input that runs out
// reads as zeros, so every byte string is a valid run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class ByteStream final {
public:
    ByteStream(const uint8_t* bytes, size_t count) : data(bytes), size(count) {}

    bool empty() const { return position >= size; }
    uint8_t byte() { return empty() ? 0 : data[position++]; }
    uint32_t raw32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(byte()) << (8 * i);
        return v;
    }
    int32_t int32() { return static_cast<int32_t>(raw32()); }
    // Mostly small numbers around the interesting range, now and then any.
    int32_t index() {
        const uint8_t b = byte();
        return b < 240 ? static_cast<int32_t>(b % 24) - 4 : int32();
    }
    float anyFloat() {
        const uint32_t bits = raw32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    // A parameter value: often inside 0 to 1, else any bit pattern.
    float value() { return byte() < 160 ? static_cast<float>(byte()) / 255.0f : anyFloat(); }
    // Up to maxLength bytes of any value but 0 (the terminator is the host's).
    std::string text(size_t maxLength) {
        size_t length = byte();
        if (length == 255) length += byte() * 8;
        if (length > maxLength) length = maxLength;
        std::string t;
        for (size_t i = 0; i < length; ++i) t += static_cast<char>(byte() | (empty() ? 'x' : 0));
        for (char& c : t)
            if (c == 0) c = '0';
        return t;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t position = 0;
};
