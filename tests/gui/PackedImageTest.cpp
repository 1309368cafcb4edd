// Compressed bitmap files: unpacked whole, and anything damaged refused
// rather than half read.
#include <gtest/gtest.h>
#include <zlib.h>

#include <vector>

#include "gui/PackedImage.h"

namespace {

std::vector<unsigned char> packed(const std::vector<unsigned char>& file) {
    uLongf size = compressBound(static_cast<uLong>(file.size()));
    std::vector<unsigned char> out(size);
    EXPECT_EQ(compress2(out.data(), &size, file.data(), static_cast<uLong>(file.size()), 9), Z_OK);
    out.resize(size);
    return out;
}

std::vector<unsigned char> sampleFile(size_t size) {
    std::vector<unsigned char> file(size);
    file[0] = 'B';
    file[1] = 'M';
    uint32_t state = 12345;
    for (size_t i = 2; i < size; ++i) {
        state = state * 1103515245u + 12345u;
        file[i] = static_cast<unsigned char>((state >> 16) % 7);  // packs, but not to nothing
    }
    return file;
}

}  // namespace

TEST(PackedImage, UnpacksTheWholeFileItHolds) {
    for (size_t size : {size_t{2}, size_t{54}, size_t{100000}, size_t{1326790}}) {
        const std::vector<unsigned char> file = sampleFile(size);
        const std::vector<unsigned char> stream = packed(file);
        ASSERT_TRUE(isPackedImage(stream.data(), stream.size()));
        std::vector<unsigned char> out;
        ASSERT_TRUE(unpackImage(stream.data(), stream.size(), out)) << size;
        EXPECT_EQ(out, file) << size;
    }
}

TEST(PackedImage, DamagedOrPlainDataIsRefused) {
    const std::vector<unsigned char> file = sampleFile(50000);
    std::vector<unsigned char> stream = packed(file);
    std::vector<unsigned char> out{1, 2, 3};

    EXPECT_FALSE(isPackedImage(file.data(), file.size())) << "a plain bitmap file";
    EXPECT_FALSE(unpackImage(file.data(), file.size(), out));
    EXPECT_TRUE(out.empty());

    EXPECT_FALSE(unpackImage(stream.data(), stream.size() / 2, out)) << "cut short";
    EXPECT_TRUE(out.empty());

    std::vector<unsigned char> spoiled = stream;
    for (size_t i = 10; i < spoiled.size(); i += 97) spoiled[i] ^= 0x5A;
    EXPECT_FALSE(unpackImage(spoiled.data(), spoiled.size(), out)) << "bytes changed";

    EXPECT_FALSE(unpackImage(nullptr, 100, out));
    EXPECT_FALSE(unpackImage(stream.data(), 1, out));
}
