#include "programs/cli/ModuleLocator.h"

#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace {

bool readable(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

std::vector<std::string> placesBesideHost() {
    std::vector<std::string> places;
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    if (n > 0) {
        self[n] = 0;
        const std::string exe(self);
        const std::string dir = exe.substr(0, exe.find_last_of('/'));
        places.push_back(dir + "/Brellivaunt.so");             // the release archive
        places.push_back(dir + "/../module/Brellivaunt.so");   // the build tree
        places.push_back(dir + "/../lib/vst/Brellivaunt.so");  // an installation
    }
    if (const char* home = std::getenv("HOME"); home && *home)
        places.push_back(std::string(home) + "/.vst/Brellivaunt.so");
    return places;
}

}  // namespace

std::string asFilePath(const std::string& name) {
    return name.find('/') == std::string::npos ? "./" + name : name;
}

bool locateModule(const std::string& named, std::string& path, std::string& error) {
    std::vector<std::string> places;
    if (!named.empty()) {
        places.push_back(asFilePath(named));
    } else if (const char* fromEnvironment = std::getenv("BRELLIVAUNT_MODULE");
               fromEnvironment && *fromEnvironment) {
        places.push_back(asFilePath(fromEnvironment));
    } else {
        places = placesBesideHost();
    }
    for (const std::string& place : places) {
        if (readable(place)) {
            path = place;
            return true;
        }
    }
    error = "no module found; looked for";
    for (size_t i = 0; i < places.size(); ++i) error += (i ? ", " : " ") + places[i];
    if (places.empty()) error += " nothing (no HOME and no path of this program)";
    return false;
}
