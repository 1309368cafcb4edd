// The images a program or module carries, handed to the soft platform before
// main runs by the code the build writes for them (brv_add_images).
#pragma once

#include <cstddef>

namespace platform::soft {

// An image the program carries, found by loadBitmap under the id.
void registerEmbeddedImage(int id, const unsigned char* data, size_t size);

}  // namespace platform::soft
