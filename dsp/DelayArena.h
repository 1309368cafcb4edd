// One block of zeroed memory for all the delay lines of an engine. A single
// mapping, aligned to 2 MiB, lets Linux back it with large pages once it is
// touched, which keeps the lines' read and write positions within a few TLB
// entries while many instances run in turn. The pages come zeroed from the
// operating system and are filled in only when the lines first reach them,
// so creating an engine costs no time for its 12 MB of delay memory.
#pragma once

#include <cstddef>

namespace dsp {

class DelayArena final {
public:
    // Throws std::bad_alloc when the system has no memory to give, or when
    // the size in bytes would not fit in a size_t.
    explicit DelayArena(std::size_t floats);
    ~DelayArena();

    DelayArena(const DelayArena&) = delete;
    DelayArena& operator=(const DelayArena&) = delete;

    float* data() const { return start; }

    // Brings every page in now, in large pages where the system has them,
    // leaving what it holds as it is, so that the audio thread never waits
    // for the system to provide one. Not while the lines are processing.
    void touch();

private:
    void* mapping = nullptr;
    std::size_t mappedBytes = 0;
    std::size_t usableBytes = 0;
    float* start = nullptr;
};

}  // namespace dsp
