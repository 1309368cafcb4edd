#include "dsp/DelayArena.h"

#include <cstdint>
#include <new>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace dsp {
namespace {

constexpr std::size_t largePage = std::size_t{2} << 20;

std::size_t roundUp(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

// The block in bytes, whole large pages. A count whose bytes (with a large
// page of slack) do not fit in a size is refused, where its product would
// wrap round to a small block that the lines then overrun.
std::size_t blockBytes(std::size_t floats) {
    constexpr std::size_t most = (SIZE_MAX - 2 * largePage) / sizeof(float);
    if (floats > most) throw std::bad_alloc();
    return roundUp(floats * sizeof(float), largePage);
}

}  // namespace

#if defined(_WIN32)

// Large pages on Windows need a privilege that ordinary users lack, so the
// block is committed in ordinary pages, zeroed on first touch.
DelayArena::DelayArena(std::size_t floats) {
    mappedBytes = blockBytes(floats);
    usableBytes = mappedBytes;
    mapping = VirtualAlloc(nullptr, mappedBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!mapping) throw std::bad_alloc();
    start = static_cast<float*>(mapping);
}

DelayArena::~DelayArena() { VirtualFree(mapping, 0, MEM_RELEASE); }

#else

// Mapped with a large page of slack so that the block can start on a large
// page boundary; only aligned, whole large pages can be backed by one.
DelayArena::DelayArena(std::size_t floats) {
    const std::size_t bytes = blockBytes(floats);
    usableBytes = bytes;
    mappedBytes = bytes + largePage;
    mapping =
        mmap(nullptr, mappedBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        mapping = nullptr;
        throw std::bad_alloc();
    }
    const std::uintptr_t aligned = roundUp(reinterpret_cast<std::uintptr_t>(mapping), largePage);
    start = reinterpret_cast<float*>(aligned);
}

DelayArena::~DelayArena() { munmap(mapping, mappedBytes); }

#endif

// Where the system can, one call brings every page in, ready to be written.
// Otherwise one write per small page, of the value already there, which
// costs two faults a page: the read maps the shared zero page, the write
// then swaps in a page of the block's own.
void DelayArena::touch() {
#if defined(MADV_HUGEPAGE)
    // Large pages are asked for here, when the whole block comes in, not
    // when it is mapped: an engine written to before it is switched on
    // would otherwise have every first write into a 2 MiB stretch clear the
    // whole stretch. Advice only: where large pages are off, ordinary ones
    // serve the same.
    madvise(start, usableBytes, MADV_HUGEPAGE);
#endif
#if defined(MADV_POPULATE_WRITE)
    if (madvise(start, usableBytes, MADV_POPULATE_WRITE) == 0) return;
#endif
    constexpr std::size_t page = 4096;
    auto* bytes = reinterpret_cast<volatile unsigned char*>(start);
    for (std::size_t at = 0; at < usableBytes; at += page) bytes[at] = bytes[at];
}

}  // namespace dsp
