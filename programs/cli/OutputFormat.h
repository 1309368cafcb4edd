// The file format an output's name asks for: its extension names the
// container (any that libsndfile writes), and the samples keep the input's
// format where that container can hold it.
#pragma once

#include <string>

#include "programs/cli/AudioFile.h"

struct SampleRequest {
    bool hasInput = false;  // false: the demo phrase, rendered in floats
    AudioFormat input;      // the input file's format
    bool forceFloat = false;
};

// False, with the reason, where the extension names no format this host
// writes, or the format cannot hold the samples asked for.
bool outputFormatFor(const std::string& path, const SampleRequest& request, float sampleRate,
                     AudioFormat& format, std::string& why);
