// A picture of the effect's panel without a screen: our own request beyond
// the published interface, sent as effVendorSpecific with the two codes
// below and the record in ptr. Our command-line host uses it to show a user
// the panel; a host that never sends it loses nothing.
//
// Ask with pixels null to learn the panel's size; then ask again with a
// buffer of width x height pixels and the same size in the record. The answer
// is 1 when the record was filled, 0 otherwise (no panel, a size that does
// not match, or the panel open on screen at the time).
#pragma once

#include <cstdint>

#include "vst2/vst2.h"

struct PanelSnapshot {
    int32_t width;
    int32_t height;
    uint32_t* pixels;  // rows from the top, each pixel 0x00RRGGBB
};

constexpr int32_t panelSnapshotIndex = fourCharCode('B', 'r', 'v', 'l');
constexpr intptr_t panelSnapshotValue = fourCharCode('P', 'n', 'l', 'S');
