// Writes the bundle's Turtle at build time:
// lv2_turtle BUNDLE_DIR DSP_BINARY UI_BINARY MINOR MICRO
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lv2/Turtle.h"

namespace {

bool writeFile(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: lv2_turtle BUNDLE_DIR DSP_BINARY UI_BINARY MINOR MICRO\n");
        return 2;
    }
    const std::string bundle = argv[1];
    BundleFacts facts;
    facts.dspBinary = argv[2];
    facts.uiBinary = argv[3];
    facts.description = "brellivaunt.ttl";
    facts.minorVersion = std::atoi(argv[4]);
    facts.microVersion = std::atoi(argv[5]);
    if (!writeFile(bundle + "/manifest.ttl", manifestTurtle(facts)) ||
        !writeFile(bundle + "/" + facts.description, descriptionTurtle(facts))) {
        std::fprintf(stderr, "lv2_turtle: cannot write into %s\n", bundle.c_str());
        return 1;
    }
    return 0;
}
