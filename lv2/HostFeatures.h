// What an LV2 host hands an instance at its making: the feature list and,
// through the URID map, the options in it. Read at instantiation only; every
// answer is a neutral "not offered" when the host gave nothing, which it may.
#pragma once

#include <cstdint>

#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

class HostFeatures final {
public:
    explicit HostFeatures(const LV2_Feature* const* features);

    // The data of the feature with this URI; null when not offered.
    void* find(const char* uri) const;
    // An option the host set, as a real number; false when not offered or
    // of a type that is no number.
    bool realOption(const char* key, double& value) const;

private:
    const LV2_Options_Option* option(const char* key) const;

    const LV2_Feature* const* list;
    const LV2_URID_Map* map = nullptr;
    const LV2_Options_Option* options = nullptr;
};
