// A key as the panel's views take it: the character typed, a virtual key for
// the keys that type none, and the modifiers held. The toolkit knows no
// plug-in format; whoever hosts the panel translates its host's key record.
#pragma once

#include <cstdint>

struct KeyCode {
    int32_t character;
    uint8_t virt;
    uint8_t modifier;
};

enum VirtualKey : uint8_t { vkeyLeft = 11, vkeyUp = 12, vkeyRight = 13, vkeyDown = 14 };
enum ModifierKey : uint8_t { modifierShift = 1 };
