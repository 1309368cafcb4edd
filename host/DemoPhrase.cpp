#include "host/DemoPhrase.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr double pi = 3.14159265358979323846;

struct Event {
    double start;  // seconds
    double note;   // MIDI note number, or 0 for a noise hit
    double pan;    // 0 left .. 1 right
    double loudness;
};

// A plucked note: a few decaying harmonics with a sharp attack.
double pluck(double t, double frequency) {
    double sum = 0.0;
    for (int h = 1; h <= 6; ++h) {
        const double decay = std::exp(-t * (3.0 + 2.5 * h));
        sum += std::sin(2.0 * pi * frequency * h * t) * decay / h;
    }
    const double attack = t < 0.002 ? t / 0.002 : 1.0;
    return 0.5 * sum * attack;
}

}  // namespace

StereoSignal makeDemoPhrase(float sampleRate) {
    const Event events[] = {
        {0.00, 60, 0.35, 1.0}, {0.25, 0, 0.60, 0.6},  {0.50, 64, 0.65, 0.9}, {1.00, 67, 0.40, 0.9},
        {1.25, 0, 0.55, 0.6},  {1.50, 72, 0.60, 1.0}, {2.00, 0, 0.45, 0.8},  {2.25, 55, 0.50, 0.8},
    };
    const double length = 3.0;
    const size_t frames = static_cast<size_t>(length * sampleRate);
    StereoSignal signal;
    signal.sampleRate = sampleRate;
    signal.left.assign(frames, 0.0f);
    signal.right.assign(frames, 0.0f);
    uint32_t noise = 0x2545F491u;
    for (const Event& event : events) {
        const size_t first = static_cast<size_t>(event.start * sampleRate);
        const double frequency = 440.0 * std::pow(2.0, (event.note - 69.0) / 12.0);
        const double gainLeft = std::cos(event.pan * pi / 2) * event.loudness;
        const double gainRight = std::sin(event.pan * pi / 2) * event.loudness;
        const size_t duration = static_cast<size_t>(0.6 * sampleRate);
        for (size_t i = 0; i < duration && first + i < frames; ++i) {
            const double t = static_cast<double>(i) / sampleRate;
            double x;
            if (event.note > 0) {
                x = pluck(t, frequency);
            } else {
                noise = noise * 1664525u + 1013904223u;
                const double white = static_cast<double>(noise >> 8) / 8388608.0 - 1.0;
                x = 0.5 * white * std::exp(-t * 40.0);
            }
            signal.left[first + i] += static_cast<float>(x * gainLeft);
            signal.right[first + i] += static_cast<float>(x * gainRight);
        }
    }
    return signal;
}
