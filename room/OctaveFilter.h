// Octave-band filters for measuring decay times: sixth-order Butterworth
// band-passes (a third-order low-pass prototype moved to the band), whose
// edges sit half an octave either side of the centre, as IEC 61260 octave
// filters of class 1 have them. The taps are computed in double: at 125 Hz
// and 96 kHz the poles lie very close to the unit circle.
#pragma once

#include <array>
#include <vector>

namespace room {

// The octave bands ISO 3382 reports, by nominal centre: 125 Hz to 8 kHz.
constexpr int bandCount = 7;
extern const std::array<double, bandCount> nominalCentres;

// The exact base-ten centre of band k: 1000 Hz × 10^(3(k − 3)/10).
double exactCentre(int band);

class OctaveFilter final {
public:
    // A band whose upper edge reaches the Nyquist frequency cannot be built;
    // usable() then answers false and apply() leaves the signal at zero.
    OctaveFilter(double centreHz, double sampleRate);

    bool usable() const { return built; }

    // Filters the signal backwards in time: the filter's own ringing then lies
    // before the first arrival, where the decay analysis cuts it off, instead
    // of lengthening the decay. Octave filters ring for about 2/bandwidth, which
    // at 125 Hz would otherwise colour decay times below a few tenths of a second.
    void applyReversed(const std::vector<float>& in, std::vector<double>& out) const;

    // The filter's gain at a frequency, for checking the band's shape.
    double magnitudeAt(double hz) const;

private:
    struct Section {
        // Numerator b0 (1 − z^−2); denominator 1 + a1 z^−1 + a2 z^−2.
        double b0, a1, a2;
    };
    std::array<Section, 3> sections{};
    double rate;
    bool built = false;
};

}  // namespace room
