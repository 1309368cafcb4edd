// The bundle's description, written from the parameter table and the port
// layout at build time, so the LV2 ports cannot drift from what the effect
// and the VST 2 module say of each parameter.
#pragma once

#include <string>

struct BundleFacts {
    std::string dspBinary;  // file names inside the bundle
    std::string uiBinary;
    std::string description;  // the file holding the plug-in and its UI
    int minorVersion = 0;
    int microVersion = 0;
};

// manifest.ttl: what a host reads first, to find the binaries.
std::string manifestTurtle(const BundleFacts& facts);
// The plug-in with its ports, and its UI.
std::string descriptionTurtle(const BundleFacts& facts);
