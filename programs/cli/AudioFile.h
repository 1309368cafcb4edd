// Reading and writing audio files through libsndfile, a block at a time,
// so that a render needs the same memory for a minute as for an hour.
#pragma once

#include <sndfile.h>

#include <cstddef>
#include <string>
#include <vector>

#include "host/DemoPhrase.h"

struct AudioFormat {
    int sndfileFormat = 0;  // libsndfile's major format and subtype
};

// Where the frames of a render come from.
class FrameSource {
public:
    virtual ~FrameSource() = default;
    virtual float sampleRate() const = 0;
    // Frames the source promises; 0 where it does not say.
    virtual size_t promisedFrames() const = 0;
    // Fills up to `count` frames; fewer only at the end.
    virtual size_t read(float* left, float* right, size_t count) = 0;
};

// A signal already in memory (the demo phrase).
class SignalSource final : public FrameSource {
public:
    explicit SignalSource(const StereoSignal& frames) : signal(frames) {}
    float sampleRate() const override { return signal.sampleRate; }
    size_t promisedFrames() const override { return signal.left.size(); }
    size_t read(float* left, float* right, size_t count) override;

private:
    const StereoSignal& signal;
    size_t position = 0;
};

// A mono or stereo file; mono is given to both channels.
class AudioReader final : public FrameSource {
public:
    AudioReader() = default;
    ~AudioReader() override;
    AudioReader(const AudioReader&) = delete;
    AudioReader& operator=(const AudioReader&) = delete;

    // Refuses what cannot be rendered: more than two channels, or a sample
    // rate outside 1000 to 768000 Hz.
    bool open(const std::string& path, std::string& error);
    float sampleRate() const override { return static_cast<float>(info.samplerate); }
    size_t promisedFrames() const override;
    size_t read(float* left, float* right, size_t count) override;
    AudioFormat format() const { return AudioFormat{info.format}; }

private:
    SNDFILE* file = nullptr;
    SF_INFO info{};
    std::vector<float> interleaved;
};

class AudioWriter final {
public:
    AudioWriter() = default;
    ~AudioWriter();
    AudioWriter(const AudioWriter&) = delete;
    AudioWriter& operator=(const AudioWriter&) = delete;

    // `shownName` is the name the user gave, for the message: the file
    // opened is usually its partial name.
    bool open(const std::string& path, const std::string& shownName, const AudioFormat& format,
              float sampleRate, std::string& error);
    bool write(const float* left, const float* right, size_t count);
    // Flushes and closes; false when anything failed on the way.
    bool close();

private:
    SNDFILE* file = nullptr;
    bool failed = false;
    std::vector<float> interleaved;
};

// Writes a whole signal at once (the impulse response).
bool writeAudioFile(const std::string& path, const std::string& shownName,
                    const StereoSignal& signal, const AudioFormat& format, std::string& error);

// The input's container with 32-bit float samples (WAV for containers
// that cannot hold floats).
AudioFormat floatFormatLike(const AudioFormat& format);
