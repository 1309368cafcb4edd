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

// The interface's own numbers, which the plug-in formats' key records share.
enum VirtualKey : uint8_t {
    vkeyReturn = 4,
    vkeyEscape = 6,
    vkeyLeft = 11,
    vkeyUp = 12,
    vkeyRight = 13,
    vkeyDown = 14,
    vkeyEnter = 19,
};
enum ModifierKey : uint8_t { modifierShift = 1 };
