// What every torture case gets: the loaded module, the run's generator and
// the verdict, and a way to make instances as a host does.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/VstHost.h"
#include "programs/torture/Random.h"
#include "programs/torture/Verdict.h"

struct Torture {
    const LoadedModule& module;
    Random& random;
    Verdict& verdict;

    // A new instance after effOpen, or null with the failure recorded.
    std::unique_ptr<PluginInstance> create();
};

// Settings a musician might leave: every parameter somewhere in its range,
// the power lamp on so that the engine runs, the mono switch either way.
std::vector<float> randomSettings(Random& random);
void applySettings(PluginInstance& plugin, const std::vector<float>& settings);
std::string describe(const char* what, double number);

// The cases, in the order the run takes them.
void everyRateAndBlockSize(Torture& t);
void automationWhileProcessing(Torture& t);
void hostileParameterValues(Torture& t);
void programsRoundTrip(Torture& t);
void unknownOpcodes(Torture& t);
void instancesComeAndGo(Torture& t);
void panelUnderStress(Torture& t);
