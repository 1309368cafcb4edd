// The sixteen named parameter sets the host switches among.
#pragma once

#include <cstdint>

#include "params/Parameters.h"

struct ReverbProgram final {
    float values[paramCount];
    char name[24];
};

class ProgramStore final {
public:
    static constexpr int32_t programCount = 16;

    ProgramStore();

    ReverbProgram& operator[](int32_t program) { return programs[program]; }
    const ReverbProgram& operator[](int32_t program) const { return programs[program]; }
    static bool contains(int32_t program) { return program >= 0 && program < programCount; }

private:
    ReverbProgram programs[programCount];
};
