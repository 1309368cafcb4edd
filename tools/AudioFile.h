// Reading and writing audio files through libsndfile.
#pragma once

#include <string>

#include "tools/DemoPhrase.h"

struct AudioFormat {
    int sndfileFormat = 0;  // libsndfile's major format and subtype
};

// Reads a mono or stereo file; mono is duplicated to both channels.
bool readAudioFile(const std::string& path, StereoSignal& signal, AudioFormat& format,
                   std::string& error);

// Writes the signal completely or not at all: the file appears under its
// name only once every sample is written.
bool writeAudioFile(const std::string& path, const StereoSignal& signal, const AudioFormat& format,
                    std::string& error);

// The input's container with 32-bit float samples (WAV for containers
// that cannot hold floats).
AudioFormat floatFormatLike(const AudioFormat& format);
