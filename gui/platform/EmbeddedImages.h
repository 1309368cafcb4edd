// The images a program or module carries where the system has no resources
// to load them from (every platform but Windows): handed over before main
// runs by the code the build writes for them (brv_add_images), and found by
// loadBitmap under their ids.
#pragma once

#include <cstddef>

namespace platform {

void registerEmbeddedImage(int id, const unsigned char* data, size_t size);

}  // namespace platform
