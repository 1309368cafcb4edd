#include "room/OctaveFilter.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace room {

const std::array<double, bandCount> nominalCentres = {125, 250, 500, 1000, 2000, 4000, 8000};

double exactCentre(int band) { return 1000.0 * std::pow(10.0, 0.3 * (band - 3)); }

namespace {

constexpr double pi = 3.14159265358979323846;

}  // namespace

// The low-pass prototype's poles −1 and −½ ± j√3/2 each become a pair of
// band-pass poles through s → (s² + ω0²)/(B s); the bilinear transform, with
// both edges prewarped, puts the band's −3 dB points exactly on the digital
// edges. Every section gets zeros at z = 1 and z = −1.
OctaveFilter::OctaveFilter(double centreHz, double sampleRate) : rate(sampleRate) {
    const double halfOctave = std::pow(10.0, 0.15);
    const double lower = centreHz / halfOctave;
    const double upper = centreHz * halfOctave;
    if (!(sampleRate > 0.0) || upper >= 0.48 * sampleRate) return;
    const double k = 2.0 * sampleRate;
    const double wl = k * std::tan(pi * lower / sampleRate);
    const double wu = k * std::tan(pi * upper / sampleRate);
    const double w0squared = wl * wu;
    const double bandwidth = wu - wl;

    using Complex = std::complex<double>;
    const Complex prototype[2] = {Complex(-1.0, 0.0), Complex(-0.5, std::sqrt(3.0) / 2.0)};
    Complex poles[3];
    const Complex root0 =
        std::sqrt(prototype[0] * prototype[0] * bandwidth * bandwidth - 4.0 * w0squared);
    poles[0] = (prototype[0] * bandwidth + root0) / 2.0;
    const Complex root1 =
        std::sqrt(prototype[1] * prototype[1] * bandwidth * bandwidth - 4.0 * w0squared);
    poles[1] = (prototype[1] * bandwidth + root1) / 2.0;
    poles[2] = (prototype[1] * bandwidth - root1) / 2.0;

    for (int i = 0; i < 3; ++i) {
        const double re = poles[i].real();
        const double mag2 = std::norm(poles[i]);
        const double a0 = k * k - 2.0 * re * k + mag2;
        sections[i].a1 = (2.0 * mag2 - 2.0 * k * k) / a0;
        sections[i].a2 = (k * k + 2.0 * re * k + mag2) / a0;
        sections[i].b0 = bandwidth * k / a0;
    }
    built = true;
    // Exactly unity at the centre, whatever the rounding above left.
    sections[0].b0 /= magnitudeAt(centreHz);
}

double OctaveFilter::magnitudeAt(double hz) const {
    if (!built) return 0.0;
    const std::complex<double> z1 = std::polar(1.0, -2.0 * pi * hz / rate);
    const std::complex<double> z2 = z1 * z1;
    std::complex<double> h = 1.0;
    for (const Section& s : sections) h *= s.b0 * (1.0 - z2) / (1.0 + s.a1 * z1 + s.a2 * z2);
    return std::abs(h);
}

void OctaveFilter::applyReversed(const std::vector<float>& in, std::vector<double>& out) const {
    out.assign(in.size(), 0.0);
    if (!built) return;
    std::copy(in.rbegin(), in.rend(), out.begin());
    for (const Section& s : sections) {
        // Transposed direct form II.
        double z1 = 0.0, z2 = 0.0;
        for (double& x : out) {
            const double y = s.b0 * x + z1;
            z1 = -s.a1 * y + z2;
            z2 = -s.b0 * x - s.a2 * y;
            x = y;
        }
    }
    std::reverse(out.begin(), out.end());
}

}  // namespace room
