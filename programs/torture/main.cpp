// The torture host: loads the module file as a host does and puts it
// through what strict validators and real hosts do. Every run prints its
// seed; --seed replays a run exactly, --only runs one case.
//   brellivaunt-torture MODULE [--seed N] [--only CASE]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "programs/torture/Torture.h"

namespace {

struct Case {
    const char* name;
    void (*run)(Torture&);
};

const Case cases[] = {
    {"rates-and-blocks", everyRateAndBlockSize},
    {"automation", automationWhileProcessing},
    {"hostile-values", hostileParameterValues},
    {"programs", programsRoundTrip},
    {"unknown-opcodes", unknownOpcodes},
    {"lifecycle", instancesComeAndGo},
    {"panel", panelUnderStress},
};

int usage() {
    std::fprintf(stderr, "usage: brellivaunt-torture MODULE [--seed N] [--only CASE]\ncases:");
    for (const Case& c : cases) std::fprintf(stderr, " %s", c.name);
    std::fprintf(stderr, "\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    uint64_t seed =
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    seed &= 0xFFFFFFFFFFFFull;  // short enough to type
    const char* only = nullptr;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc)
            seed = std::strtoull(argv[++i], nullptr, 10);
        else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
        else
            return usage();
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::printf("torture seed %llu (replay with --seed %llu)\n",
                static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed));
    LoadedModule module;
    std::string error;
    if (!module.load(argv[1], error)) {
        std::fprintf(stderr, "brellivaunt-torture: %s\n", error.c_str());
        return 1;
    }
    Random random(seed);
    Verdict verdict;
    bool ran = false;
    for (const Case& c : cases) {
        // Each case draws from its own stream, so --only replays it as the full run did.
        Random stream(random.next());
        if (only && std::strcmp(only, c.name) != 0) continue;
        ran = true;
        Torture one{module, stream, verdict};
        verdict.begin(c.name);
        c.run(one);
        verdict.end();
    }
    if (!ran) return usage();
    std::printf("torture seed %llu: %d failed checks\n", static_cast<unsigned long long>(seed),
                verdict.failures());
    if (verdict.failures()) return 1;
    return verdict.skippedAny() ? 77 : 0;
}
