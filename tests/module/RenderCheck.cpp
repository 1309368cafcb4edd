// Renders a fixed stimulus through a module with fixed settings and writes
// the result as raw 32-bit floats (left block, then right block). With
// --compare it also checks the render against another target's.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/DemoPhrase.h"
#include "host/VstHost.h"

namespace {

bool writeFloats(const std::string& path, const std::vector<float>& a,
                 const std::vector<float>& b) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(a.data(), sizeof(float), a.size(), f) == a.size() &&
              std::fwrite(b.data(), sizeof(float), b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}

bool readFloats(const std::string& path, std::vector<float>& all) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    float chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, sizeof(float), 4096, f)) > 0)
        all.insert(all.end(), chunk, chunk + n);
    std::fclose(f);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 5 && std::strcmp(argv[3], "--compare") == 0)) {
        std::fprintf(stderr, "usage: render_check MODULE OUTPUT [--compare REFERENCE]\n");
        return 2;
    }
    std::string error;
    LoadedModule module;
    PluginInstance plugin;
    if (!module.load(argv[1], error) || !plugin.create(module, error)) {
        std::fprintf(stderr, "render_check: %s\n", error.c_str());
        return 1;
    }
    // Settings away from the defaults, so that every setter's path is heard.
    const float settings[9] = {0.62f, 0.71f, 0.55f, 0.8f, 0.4f, 0.7f, 0.0f, 1.0f, 0.0f};
    for (int32_t i = 0; i < 9; ++i) plugin.setParameter(i, settings[i]);
    plugin.start(44100.0f, 512);
    const StereoSignal stimulus = makeDemoPhrase(44100.0f);
    std::vector<float> left, right;
    // Uneven blocks, as hosts give them.
    renderThrough(plugin, stimulus.left.data(), stimulus.right.data(), stimulus.left.size(),
                  44100 * 2, 333, left, right);
    plugin.stop();
    if (!writeFloats(argv[2], left, right)) {
        std::fprintf(stderr, "render_check: cannot write %s\n", argv[2]);
        return 1;
    }
    if (argc == 3) {
        std::printf("render_check: wrote %zu frames to %s\n", left.size(), argv[2]);
        return 0;
    }
    std::vector<float> reference;
    if (!readFloats(argv[4], reference)) {
        std::fprintf(stderr, "render_check: no reference render at %s (the native tests make it)\n",
                     argv[4]);
        return 1;
    }
    if (reference.size() != left.size() * 2) {
        std::fprintf(stderr, "render_check: reference has %zu samples, this render %zu\n",
                     reference.size(), left.size() * 2);
        return 1;
    }
    double difference = 0.0, energy = 0.0;
    size_t identical = 0;
    for (size_t i = 0; i < reference.size(); ++i) {
        const float mine = i < left.size() ? left[i] : right[i - left.size()];
        const double d = static_cast<double>(mine) - reference[i];
        difference += d * d;
        energy += static_cast<double>(reference[i]) * reference[i];
        identical += mine == reference[i] ? 1 : 0;
    }
    const double relative = energy > 0.0 ? std::sqrt(difference / energy) : std::sqrt(difference);
    std::printf("render_check: relative RMS difference %.3g, %zu of %zu samples bit-identical\n",
                relative, identical, reference.size());
    return (energy > 0.0 && relative <= 1e-6) ? 0 : 1;
}
