#include "effect/ReverbProgram.h"

#include <cstring>

ProgramStore::ProgramStore() {
    for (ReverbProgram& program : programs) {
        for (int32_t i = 0; i < paramCount; ++i) program.values[i] = i <= paramDryWet ? 0.5f : 0.0f;
        std::memset(program.name, 0, sizeof(program.name));
        std::strcpy(program.name, "Init");
    }
}
