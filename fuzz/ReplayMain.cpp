// Runs the fuzzer's inputs without libFuzzer, so that the normal builds (and
// the sanitizer build) replay the committed corpus, which holds every input
// that once found a fault, as a test. Each input runs twice: alone, in a
// process of its own that ran nothing before it, and in one sequence with
// all the others, as libFuzzer runs them. What the fuzzer keeps from one
// input to the next must not change what an input sees, so the two digests
// of every input must be equal.
//   dispatcher_replay FILE_OR_FOLDER...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "fuzz/DispatcherRun.h"

namespace {

namespace fs = std::filesystem;

struct Input {
    fs::path path;
    std::vector<uint8_t> bytes;
};

bool read(const fs::path& path, std::vector<uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return file.good() || file.eof();
}

uint64_t run(const Input& input) {
    return runDispatcherInput(input.bytes.data(), input.bytes.size());
}

// The input's digest from a child process that runs only it; false when the
// child did not finish cleanly (a fault in the input is reported there).
bool runAlone(const Input& input, uint64_t& digest) {
    int channel[2];
    if (pipe(channel) != 0) return false;
    std::fflush(stdout);
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        close(channel[0]);
        const uint64_t d = run(input);
        const bool sent = write(channel[1], &d, sizeof d) == static_cast<ssize_t>(sizeof d);
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    const bool received =
        ::read(channel[0], &digest, sizeof digest) == static_cast<ssize_t>(sizeof digest);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return received && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> paths;
    for (int i = 1; i < argc; ++i) {
        if (fs::is_directory(argv[i])) {
            for (const auto& entry : fs::directory_iterator(argv[i]))
                if (entry.is_regular_file()) paths.push_back(entry.path());
        } else {
            paths.emplace_back(argv[i]);
        }
    }
    std::sort(paths.begin(), paths.end());
    if (paths.empty()) {
        std::fprintf(stderr, "dispatcher_replay: no inputs\n");
        return 1;
    }
    std::vector<Input> inputs;
    for (const fs::path& path : paths) {
        inputs.push_back({path, {}});
        if (!read(path, inputs.back().bytes)) {
            std::fprintf(stderr, "dispatcher_replay: cannot read %s\n", path.string().c_str());
            return 1;
        }
    }
    std::vector<uint64_t> alone(inputs.size());
    for (size_t i = 0; i < inputs.size(); ++i) {
        if (!runAlone(inputs[i], alone[i])) {
            std::fprintf(stderr, "dispatcher_replay: %s failed when run alone\n",
                         inputs[i].path.string().c_str());
            return 1;
        }
    }
    int differing = 0;
    for (size_t i = 0; i < inputs.size(); ++i) {
        std::printf("%s (%zu bytes)\n", inputs[i].path.filename().string().c_str(),
                    inputs[i].bytes.size());
        std::fflush(stdout);
        if (run(inputs[i]) != alone[i]) {
            std::fprintf(stderr,
                         "dispatcher_replay: %s answers differently after the inputs before it\n",
                         inputs[i].path.string().c_str());
            ++differing;
        }
    }
    std::printf("%zu inputs replayed, alone and in sequence\n", inputs.size());
    return differing == 0 ? 0 : 1;
}
