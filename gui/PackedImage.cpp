#include "gui/PackedImage.h"

#include <zlib.h>

#include <limits>

namespace {

constexpr size_t largestFile = size_t{64} << 20;

}  // namespace

// A zlib header: deflate with a window of at most 32 KB, and a check value
// that makes the first two bytes a multiple of 31.
bool isPackedImage(const unsigned char* data, size_t size) {
    return data && size >= 2 && (data[0] & 0x0F) == 8 && (data[0] >> 4) <= 7 &&
           ((data[0] << 8) | data[1]) % 31 == 0;
}

bool unpackImage(const unsigned char* data, size_t size, std::vector<unsigned char>& file) {
    file.clear();
    if (!isPackedImage(data, size) || size > std::numeric_limits<uInt>::max()) return false;
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) return false;
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = static_cast<uInt>(size);
    int status = Z_OK;
    while (status == Z_OK) {
        const size_t done = file.size();
        const size_t grown = done == 0 ? size * 8 : done * 2;
        if (done >= largestFile) break;
        file.resize(grown < largestFile ? grown : largestFile);
        stream.next_out = file.data() + done;
        stream.avail_out = static_cast<uInt>(file.size() - done);
        status = inflate(&stream, Z_NO_FLUSH);
        file.resize(file.size() - stream.avail_out);
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END) file.clear();
    return status == Z_STREAM_END;
}
