// Writing finished pictures: the Windows bitmaps the module carries, and PNG
// previews for looking at them.
#pragma once

#include <string>

#include "resources/generator/Image8.h"

// Uncompressed 24-bit bottom-up BMP with a 40-byte info header, the form both
// the resource compiler and the soft renderer read. Throws on a write error.
void writeBmp(const Image8& image, const std::string& path);

// The same file in the zlib format (deflate, level 9): the brushed plate
// packs to about a seventh, which keeps the larger artwork small in the
// module. zlib's uncompress reads it back.
void writeDeflatedBmp(const Image8& image, const std::string& path);

void writePng(const Image8& image, const std::string& path);
