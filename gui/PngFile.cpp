#include "gui/PngFile.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

}  // namespace

bool writePng(const platform::Image& image, const char* path) {
    if (!path || image.width <= 0 || image.height <= 0) return false;
    File file(std::fopen(path, "wb"));
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_byte> row(static_cast<size_t>(image.width) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            platform::ColorRef c = image.at(x, y);
            row[x * 3] = static_cast<png_byte>(c & 0xFF);
            row[x * 3 + 1] = static_cast<png_byte>((c >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<png_byte>((c >> 16) & 0xFF);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool readPng(const char* path, platform::Image& image) {
    if (!path) return false;
    png_image picture{};
    picture.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&picture, path)) return false;
    picture.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(picture));
    if (!png_image_finish_read(&picture, nullptr, bytes.data(), 0, nullptr)) {
        png_image_free(&picture);
        return false;
    }
    image.width = static_cast<int>(picture.width);
    image.height = static_cast<int>(picture.height);
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = bytes[i * 3] | (bytes[i * 3 + 1] << 8) | (bytes[i * 3 + 2] << 16);
    return true;
}
