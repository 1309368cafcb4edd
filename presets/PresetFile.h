// VST 2 program (.fxp) and bank (.fxb) files holding parameter values, in
// the published big-endian layout that hosts import and export:
//   program: 'CcnK', size, 'FxCk', version, id, fxVersion, numParams,
//            name[28], numParams floats
//   bank:    'CcnK', size, 'FxBk', version, id, fxVersion, numPrograms,
//            128 reserved bytes, numPrograms program records
// Reading is strict, since the values go straight into the effect: a file
// is taken whole or refused with one sentence, never in part.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "presets/PresetList.h"

namespace presetfile {

constexpr int32_t brellivauntId = 0x54577276;  // 'TWrv', the module's unique id
constexpr size_t programHeaderBytes = 56;
constexpr size_t programBytes = programHeaderBytes + 4 * paramCount;
constexpr size_t bankHeaderBytes = 156;
constexpr int32_t bankPrograms = 16;  // the module's program count

std::vector<uint8_t> writeProgram(const NamedPreset& preset);
// The first bankPrograms presets; fewer leave the rest at the defaults, named "Init".
std::vector<uint8_t> writeBank(const std::vector<NamedPreset>& presets);

// False with the reason in `error` for anything but a Brellivaunt program
// or bank of nine values each from 0 to 1.
bool readProgram(const std::vector<uint8_t>& bytes, NamedPreset& preset, std::string& error);
bool readBank(const std::vector<uint8_t>& bytes, std::vector<NamedPreset>& programs,
              std::string& error);

bool loadBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);
// Writes the file completely (through PATH.partial) or not at all.
bool saveBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

}  // namespace presetfile
