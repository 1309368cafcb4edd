// Peak memory of the command-line host rendering long files: it streams,
// so an hour must need no more than a minute (and stay under 100 MB).
// Each case writes a mono 16-bit file of that length at 44.1 kHz, renders
// it through brellivaunt-host into a stereo 16-bit WAV and reads the
// child's peak resident set from wait4().
#include <benchmark/benchmark.h>
#include <sndfile.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int rate = 44100;
constexpr double limitMb = 100.0;

// A quiet chord with a click every second: enough for the reverb to work
// on, and cheap to make.
bool writeInput(const std::string& path, long frames) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    std::vector<short> block(rate);
    for (long done = 0; done < frames; done += rate) {
        for (int i = 0; i < rate; ++i)
            block[i] = static_cast<short>(((i * 7) % 200) - 100 + (i == 0 ? 20000 : 0));
        const long n = std::min<long>(rate, frames - done);
        sf_writef_short(file, block.data(), n);
    }
    return sf_close(file) == 0;
}

struct Rendered {
    bool ok = false;
    double peakMb = 0.0;
};

Rendered renderWithHost(const std::string& input, const std::string& output) {
    const pid_t pid = fork();
    if (pid == 0) {
        // Its "wrote ..." line would break up the benchmark's table.
        if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(126);
        execl(BRV_HOST_PATH, BRV_HOST_PATH, "--quiet", "--tail", "4", "-o", output.c_str(),
              input.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return {};
    return Rendered{WIFEXITED(status) && WEXITSTATUS(status) == 0,
                    static_cast<double>(usage.ru_maxrss) / 1024.0};
}

void BM_HostPeakMemory(benchmark::State& state) {
    const long minutes = state.range(0);
    const long frames = minutes * 60 * rate;
    char pattern[] = "/tmp/brv-memory-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (!dir) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string input = std::string(dir) + "/in.wav";
    const std::string output = std::string(dir) + "/out.wav";
    if (!writeInput(input, frames)) {
        state.SkipWithError("cannot write the input");
        return;
    }
    Rendered rendered;
    for (auto _ : state) rendered = renderWithHost(input, output);
    std::remove(input.c_str());
    std::remove(output.c_str());
    rmdir(dir);
    if (!rendered.ok) {
        state.SkipWithError("the host failed");
        return;
    }
    state.counters["peak_rss_MB"] = rendered.peakMb;
    state.counters["input_minutes"] = static_cast<double>(minutes);
    if (rendered.peakMb >= limitMb) state.SkipWithError("peak memory reached 100 MB");
}

}  // namespace

BENCHMARK(BM_HostPeakMemory)->Arg(1)->Arg(10)->Arg(60)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
