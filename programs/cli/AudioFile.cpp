#include "programs/cli/AudioFile.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int lowestRate = 1000;
constexpr int highestRate = 768000;

void deinterleave(const float* from, int channels, float* left, float* right, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        left[i] = from[i * channels];
        right[i] = from[i * channels + channels - 1];
    }
}

}  // namespace

size_t SignalSource::read(float* left, float* right, size_t count) {
    const size_t n = std::min(count, signal.left.size() - position);
    std::copy_n(signal.left.data() + position, n, left);
    std::copy_n(signal.right.data() + position, n, right);
    position += n;
    return n;
}

AudioReader::~AudioReader() {
    if (file) sf_close(file);
}

bool AudioReader::open(const std::string& path, std::string& error) {
    file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        std::FILE* probe = std::fopen(path.c_str(), "rb");
        if (!probe) {
            error = "cannot open " + path;
        } else {
            std::fclose(probe);
            error =
                path + " is not an audio file this host can read (" + sf_strerror(nullptr) + ")";
        }
        return false;
    }
    if (info.channels < 1 || info.channels > 2) {
        error = path + " has " + std::to_string(info.channels) +
                " channels; only mono and stereo are taken";
        return false;
    }
    if (info.samplerate < lowestRate || info.samplerate > highestRate) {
        error = path + " says its sample rate is " + std::to_string(info.samplerate) +
                " Hz; only 1000 to 768000 Hz are taken";
        return false;
    }
    return true;
}

// libsndfile gives the largest count it can hold where the header leaves
// the length open (a FLAC stream with no sample count, for one).
size_t AudioReader::promisedFrames() const {
    return info.frames > 0 && info.frames < SF_COUNT_MAX ? static_cast<size_t>(info.frames) : 0;
}

size_t AudioReader::read(float* left, float* right, size_t count) {
    if (!file || count == 0) return 0;
    interleaved.resize(count * static_cast<size_t>(info.channels));
    const sf_count_t got = sf_readf_float(file, interleaved.data(), static_cast<sf_count_t>(count));
    if (got <= 0) return 0;
    deinterleave(interleaved.data(), info.channels, left, right, static_cast<size_t>(got));
    return static_cast<size_t>(got);
}

AudioWriter::~AudioWriter() { close(); }

bool AudioWriter::open(const std::string& path, const std::string& shownName,
                       const AudioFormat& format, float sampleRate, std::string& error) {
    SF_INFO info{};
    info.samplerate = static_cast<int>(sampleRate);
    info.channels = 2;
    info.format = format.sndfileFormat;
    if (!sf_format_check(&info)) {
        error = "cannot write this sample format to " + shownName;
        return false;
    }
    file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        error = "cannot create " + shownName + " (" + sf_strerror(nullptr) + ")";
        return false;
    }
    // Integer formats clip instead of wrapping.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    return true;
}

bool AudioWriter::write(const float* left, const float* right, size_t count) {
    if (!file || failed) return false;
    interleaved.resize(count * 2);
    for (size_t i = 0; i < count; ++i) {
        interleaved[2 * i] = left[i];
        interleaved[2 * i + 1] = right[i];
    }
    failed = sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(count)) !=
             static_cast<sf_count_t>(count);
    return !failed;
}

bool AudioWriter::close() {
    if (!file) return !failed;
    failed = sf_close(file) != 0 || failed;
    file = nullptr;
    return !failed;
}

bool writeAudioFile(const std::string& path, const std::string& shownName,
                    const StereoSignal& signal, const AudioFormat& format, std::string& error) {
    AudioWriter writer;
    if (!writer.open(path, shownName, format, signal.sampleRate, error)) return false;
    if (!writer.write(signal.left.data(), signal.right.data(), signal.left.size()) ||
        !writer.close()) {
        error = "cannot write " + shownName;
        return false;
    }
    return true;
}

AudioFormat floatFormatLike(const AudioFormat& format) {
    int major = format.sndfileFormat & SF_FORMAT_TYPEMASK;
    if (major != SF_FORMAT_WAV && major != SF_FORMAT_AIFF && major != SF_FORMAT_CAF &&
        major != SF_FORMAT_W64 && major != SF_FORMAT_RF64)
        major = SF_FORMAT_WAV;
    return AudioFormat{major | SF_FORMAT_FLOAT};
}
