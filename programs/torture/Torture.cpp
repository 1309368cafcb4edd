#include "programs/torture/Torture.h"

#include <cstdio>

#include "params/Parameters.h"

std::unique_ptr<PluginInstance> Torture::create() {
    auto plugin = std::make_unique<PluginInstance>();
    std::string error;
    if (!verdict.check(plugin->create(module, error), "create an instance: " + error))
        return nullptr;
    return plugin;
}

std::vector<float> randomSettings(Random& random) {
    std::vector<float> settings(paramCount);
    for (float& value : settings) value = random.unit();
    settings[paramOnOff] = 1.0f;
    settings[paramMonoIn] = random.coin() ? 1.0f : 0.0f;
    return settings;
}

void applySettings(PluginInstance& plugin, const std::vector<float>& settings) {
    for (size_t i = 0; i < settings.size(); ++i)
        plugin.setParameter(static_cast<int32_t>(i), settings[i]);
}

std::string describe(const char* what, double number) {
    char text[160];
    std::snprintf(text, sizeof(text), "%s %g", what, number);
    return text;
}
