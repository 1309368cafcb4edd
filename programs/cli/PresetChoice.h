// The command-line host's preset options: --list-presets, --preset NAME for
// the factory presets compiled into it, --preset FILE.fxp, and --bank
// FILE.fxb with --bank-program N. A factory preset leaves Dry-Wet as it is,
// so the mix the user set survives; a file sets all nine values, as a host
// importing it would.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "presets/PresetList.h"

class PresetChoice final {
public:
    // Takes argv[i], with its value, when it is one of these options, and
    // moves i past them; false when it is another option. A value missing
    // sets `usageError`.
    bool take(int argc, char** argv, int& i, std::string& usageError);

    // After all options: checks they go together (exit code 2 when not)
    // and reads the file named, whole (exit code 1 when it is refused).
    // Returns 0 when the choice is ready to apply.
    int resolve(std::string& error);

    bool listRequested() const { return listing; }
    std::string list() const;

    // Hands each value the choice sets to `set`; nothing when no preset was asked for.
    void apply(const std::function<void(int32_t, float)>& set) const;
    // The name of the preset or program applied; empty when there is none.
    std::string chosenName() const { return ready ? chosen.name : std::string(); }

private:
    bool listing = false;
    std::string preset;
    std::string bank;
    std::string bankProgram;
    NamedPreset chosen;
    bool chosenFromFile = false;
    bool ready = false;
};
