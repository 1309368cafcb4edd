#include "tools/AudioFile.h"

#include <sndfile.h>

#include <cstdio>
#include <vector>

bool readAudioFile(const std::string& path, StereoSignal& signal, AudioFormat& format,
                   std::string& error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        std::FILE* probe = std::fopen(path.c_str(), "rb");
        if (!probe) {
            error = "cannot open " + path;
        } else {
            std::fclose(probe);
            error = path + " is not an audio file this host can read (" + sf_strerror(nullptr) + ")";
        }
        return false;
    }
    if (info.channels < 1 || info.channels > 2) {
        sf_close(file);
        error = path + " has " + std::to_string(info.channels) + " channels; only mono and stereo are taken";
        return false;
    }
    std::vector<float> interleaved(static_cast<size_t>(info.frames) * info.channels);
    const sf_count_t got = sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    if (got != info.frames) {
        error = "cannot read all of " + path;
        return false;
    }
    signal.sampleRate = static_cast<float>(info.samplerate);
    signal.left.resize(static_cast<size_t>(got));
    signal.right.resize(static_cast<size_t>(got));
    for (sf_count_t i = 0; i < got; ++i) {
        signal.left[i] = interleaved[i * info.channels];
        signal.right[i] = interleaved[i * info.channels + info.channels - 1];
    }
    format.sndfileFormat = info.format;
    return true;
}

AudioFormat floatFormatLike(const AudioFormat& format) {
    int major = format.sndfileFormat & SF_FORMAT_TYPEMASK;
    if (major != SF_FORMAT_WAV && major != SF_FORMAT_AIFF && major != SF_FORMAT_CAF &&
        major != SF_FORMAT_W64 && major != SF_FORMAT_RF64)
        major = SF_FORMAT_WAV;
    return AudioFormat{major | SF_FORMAT_FLOAT};
}

bool writeAudioFile(const std::string& path, const StereoSignal& signal, const AudioFormat& format,
                    std::string& error) {
    SF_INFO info{};
    info.samplerate = static_cast<int>(signal.sampleRate);
    info.channels = 2;
    info.format = format.sndfileFormat;
    if (!sf_format_check(&info)) {
        error = "cannot write this sample format to " + path;
        return false;
    }
    const std::string partial = path + ".partial";
    SNDFILE* file = sf_open(partial.c_str(), SFM_WRITE, &info);
    if (!file) {
        error = "cannot create " + path + " (" + sf_strerror(nullptr) + ")";
        return false;
    }
    // Integer formats clip instead of wrapping.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const size_t frames = signal.left.size();
    std::vector<float> interleaved(frames * 2);
    for (size_t i = 0; i < frames; ++i) {
        interleaved[2 * i] = signal.left[i];
        interleaved[2 * i + 1] = signal.right[i];
    }
    const sf_count_t written =
        sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(frames));
    const bool closed = sf_close(file) == 0;
    if (written != static_cast<sf_count_t>(frames) || !closed ||
        std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        error = "cannot write " + path;
        return false;
    }
    return true;
}
