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

namespace {

// A number stored as either of two atom types, the narrow or the wide one.
template <typename Narrow, typename Wide, typename Out>
bool readNumber(const LV2_URID_Map* map, const LV2_Options_Option* o, const char* narrowType,
                const char* wideType, Out& value) {
    if (!o) return false;
    if (o->type == map->map(map->handle, narrowType) && o->size == sizeof(Narrow)) {
        value = *static_cast<const Narrow*>(o->value);
        return true;
    }
    if (o->type == map->map(map->handle, wideType) && o->size == sizeof(Wide)) {
        value = *static_cast<const Wide*>(o->value);
        return true;
    }
    return false;
}

}  // namespace

bool HostFeatures::realOption(const char* key, double& value) const {
    return readNumber<float, double>(map, option(key), LV2_ATOM__Float, LV2_ATOM__Double, value);
}
