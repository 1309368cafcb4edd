// What the two kinds of delay line share, over the lanes they run on: their
// memory, each channel's time and the rate they run at, which the line
// converts (in retune) when either is set, instead of at every sample.
#pragma once

#include "dsp/DspMath.h"
#include "dsp/LaneMemory.h"

namespace dsp {

template <class Line, class T>
class LaneLine {
public:
    static constexpr int channels = LaneMemory<T>::channels;

    float* attach(float* block) { return memory.attach(block); }

    // The same times again (as the pre-delay's settled glide and every
    // block's settings give) need no conversion.
    void setTimes(float left, float right) {
        static_assert(channels == 2, "a stereo line has two times");
        if (sameBits(left, time[0]) && sameBits(right, time[1])) return;
        time[0] = left;
        time[1] = right;
        static_cast<Line*>(this)->retune();
    }
    void setTime(float seconds) {
        static_assert(channels == 1, "a one-channel line has one time");
        if (sameBits(seconds, time[0])) return;
        time[0] = seconds;
        static_cast<Line*>(this)->retune();
    }
    float getTime(int channel) const { return time[channel]; }

    // Converts every time again at the new rate.
    void setRate(float sr) {
        rate = sr;
        static_cast<Line*>(this)->retune();
    }

protected:
    // Every line starts at half a second.
    LaneLine() {
        for (float& t : time) t = 0.5f;
    }

    LaneMemory<T> memory;
    float time[channels];
    float rate = initialSampleRate;
};

}  // namespace dsp
