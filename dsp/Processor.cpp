#include "dsp/Processor.h"

namespace dsp {

SharedFloat sampleRate(44100.0f);

}  // namespace dsp
