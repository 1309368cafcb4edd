#include "effect/ReverbProgram.h"

#include <cstring>

ProgramStore::ProgramStore() {
    for (ReverbProgram& program : programs) {
        for (int32_t i = 0; i < paramCount; ++i) program.values[i] = parameterTable[i].defaultValue;
        std::memset(program.name, 0, sizeof(program.name));
        std::strcpy(program.name, "Init");
    }
}
