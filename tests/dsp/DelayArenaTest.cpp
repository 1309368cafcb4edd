#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "dsp/DelayArena.h"
#include "dsp/LaneMemory.h"
#include "dsp/ReverbEngine.h"

#if !defined(_WIN32)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace dsp {
namespace {

// As much as one engine asks for.
constexpr std::size_t engineFloats =
    static_cast<std::size_t>(ReverbEngine::memoryCount) * StereoMemory::floats;

std::uintptr_t address(const float* p) { return reinterpret_cast<std::uintptr_t>(p); }

// Every stereo memory starts a cache line after the last, so the block must
// start on one; where large pages can back it (Linux), on a large page.
TEST(DelayArena, StartsOnACacheLineAndOnALargePageWhereTheyExist) {
    DelayArena arena(engineFloats);
    EXPECT_EQ(address(arena.data()) % 64, 0u);
    EXPECT_EQ(StereoMemory::floats * sizeof(float) % 64, 0u);
#if !defined(_WIN32)
    EXPECT_EQ(address(arena.data()) % (std::size_t{2} << 20), 0u);
#endif
}

TEST(DelayArena, GivesZeroedMemoryItsOwnerCanWriteToTheEnd) {
    DelayArena arena(engineFloats);
    float* f = arena.data();
    for (std::size_t i = 0; i < engineFloats; i += 1021) ASSERT_EQ(f[i], 0.0f) << i;
    EXPECT_EQ(f[engineFloats - 1], 0.0f);
    f[engineFloats - 1] = 1.0f;
    EXPECT_EQ(f[engineFloats - 1], 1.0f);
}

// A size whose bytes do not fit the address space must be refused rather
// than wrap around to a small block that the lines would then overrun.
TEST(DelayArena, RefusesASizeWhoseBytesOverflow) {
    const std::size_t wraps = SIZE_MAX / sizeof(float) + 1;
    EXPECT_THROW(DelayArena arena(wraps), std::bad_alloc);
    EXPECT_THROW(DelayArena arena(SIZE_MAX - 1), std::bad_alloc);
}

#if !defined(_WIN32)
// Pages of the block that the system has brought in.
std::size_t residentPages(const DelayArena& arena, std::size_t floats) {
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t pages = (floats * sizeof(float) + page - 1) / page;
    std::vector<unsigned char> in(pages);
    if (mincore(arena.data(), pages * page, in.data()) != 0) return SIZE_MAX;
    std::size_t count = 0;
    for (unsigned char c : in) count += c & 1;
    return count;
}

// Creating an engine must cost no time for its delay memory: no page is
// brought in until something reaches it, and touch brings in all of them.
TEST(DelayArena, MapsLazilyAndTouchBringsEveryPageIn) {
    DelayArena arena(engineFloats);
    EXPECT_EQ(residentPages(arena, engineFloats), 0u);
    arena.touch();
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    EXPECT_EQ(residentPages(arena, engineFloats), (engineFloats * sizeof(float) + page - 1) / page);
}

// Whether the system backs every anonymous mapping with large pages,
// advised or not; then no mapping can keep a first write small.
bool largePagesForEverything() {
    std::FILE* file = std::fopen("/sys/kernel/mm/transparent_hugepage/enabled", "r");
    if (!file) return false;
    char mode[128] = {};
    const bool read = std::fgets(mode, sizeof mode, file) != nullptr;
    std::fclose(file);
    return read && std::strstr(mode, "[always]") != nullptr;
}

// An engine written to before it is switched on (a host trying it out)
// pays for the pages it writes, not for the 2 MiB around each of them.
TEST(DelayArena, AWriteBeforeTouchBringsInOnlyItsOwnPage) {
    if (largePagesForEverything()) GTEST_SKIP() << "the system gives large pages unasked";
    DelayArena arena(engineFloats);
    arena.data()[engineFloats / 2] = 1.0f;
    EXPECT_EQ(residentPages(arena, engineFloats), 1u);
}
#endif

// The effect touches the memory when it is switched on again, while the
// lines still hold the tail it had: every value must survive, at the start
// and end of a page and inside it, and the pages nobody wrote stay zero.
// The values have no zero byte, so a touch that writes anything but what
// is there shows.
float heldAt(std::size_t i) { return i % 2 ? 0.1f : -0.7f; }

TEST(DelayArena, TouchKeepsWhatTheMemoryHolds) {
    DelayArena arena(engineFloats);
    float* f = arena.data();
    constexpr std::size_t pageFloats = 4096 / sizeof(float);
    std::vector<std::size_t> written;
    for (std::size_t page = 0; page * pageFloats < engineFloats; page += 3) {
        const std::size_t start = page * pageFloats;
        for (std::size_t i : {start, start + 1 + page % 1000, start + pageFloats - 1})
            if (i < engineFloats) written.push_back(i);
    }
    written.push_back(engineFloats - 1);
    for (std::size_t i : written) f[i] = heldAt(i);
    arena.touch();
    arena.touch();
    for (std::size_t i : written) ASSERT_EQ(f[i], heldAt(i)) << i;
    for (std::size_t page = 1; page * pageFloats < engineFloats; page += 3)
        ASSERT_EQ(f[page * pageFloats], 0.0f) << page;
}

}  // namespace
}  // namespace dsp
