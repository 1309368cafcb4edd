// One fuzzer input run against a fresh effect; answers the digest of what
// the effect answered (see Observations.h). A fault traps or is caught by the
// sanitizers instead of returning.
#pragma once

#include <cstddef>
#include <cstdint>

uint64_t runDispatcherInput(const uint8_t* data, size_t size);
