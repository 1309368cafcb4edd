#include "lv2/HostFeatures.h"

#include <cstring>

#include <lv2/atom/atom.h>

HostFeatures::HostFeatures(const LV2_Feature* const* features) : list(features) {
    map = static_cast<const LV2_URID_Map*>(find(LV2_URID__map));
    options = static_cast<const LV2_Options_Option*>(find(LV2_OPTIONS__options));
    if (map && !map->map) map = nullptr;
}

void* HostFeatures::find(const char* uri) const {
    if (!list) return nullptr;
    for (const LV2_Feature* const* f = list; *f; ++f)
        if ((*f)->URI && std::strcmp((*f)->URI, uri) == 0) return (*f)->data;
    return nullptr;
}

// Options are keyed by URID, so without the host's map there are none to read.
const LV2_Options_Option* HostFeatures::option(const char* key) const {
    if (!map || !options) return nullptr;
    const LV2_URID wanted = map->map(map->handle, key);
    for (const LV2_Options_Option* o = options; o->key || o->value; ++o)
        if (o->key == wanted && o->value) return o;
    return nullptr;
}

// The host may store a real number in either atom type.
bool HostFeatures::realOption(const char* key, double& value) const {
    const LV2_Options_Option* o = option(key);
    if (!o) return false;
    if (o->type == map->map(map->handle, LV2_ATOM__Float) && o->size == sizeof(float)) {
        value = *static_cast<const float*>(o->value);
        return true;
    }
    if (o->type == map->map(map->handle, LV2_ATOM__Double) && o->size == sizeof(double)) {
        value = *static_cast<const double*>(o->value);
        return true;
    }
    return false;
}
