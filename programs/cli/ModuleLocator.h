// Which module file the host loads: the one named by --module, else by
// BRELLIVAUNT_MODULE, else the one built, installed or unpacked with the
// host, else the user's ~/.vst.
#pragma once

#include <string>

// A name given without a slash is a file in the current folder, as a user
// who types it means, not a library for the loader to search its path for.
std::string asFilePath(const std::string& name);

// False, with every place looked in, when no module was found.
bool locateModule(const std::string& named, std::string& path, std::string& error);
