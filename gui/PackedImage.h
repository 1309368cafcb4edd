// A bitmap file carried zlib-compressed: the larger panel artwork is, to
// keep the module small. Both platforms' loadBitmap read it through here.
#pragma once

#include <cstddef>
#include <vector>

// Whether the data starts as a zlib stream (a bitmap file starts with "BM").
bool isPackedImage(const unsigned char* data, size_t size);

// The whole file the stream holds; false, with `file` empty, for a damaged
// stream or one that would grow past 64 MB, far above any panel picture.
bool unpackImage(const unsigned char* data, size_t size, std::vector<unsigned char>& file);
