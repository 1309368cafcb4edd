#include "dsp/Processor.h"

namespace dsp {

float sampleRate = 44100.0f;

}  // namespace dsp
