// Handles a test or a renderer turns on the soft platform: the pointer, the
// keys and buttons, the clock, the system's answers that decide how
// transparent copies are made.
#pragma once

#include <cstdint>
#include <string>

#include "gui/platform/Platform.h"

namespace platform::soft {

// Bit masks of keys held down, by virtual key number.
constexpr uint32_t heldLButton = 1u << keyLButton;
constexpr uint32_t heldRButton = 1u << keyRButton;
constexpr uint32_t heldMButton = 1u << keyMButton;
constexpr uint32_t heldShift = 1u << keyShift;
constexpr uint32_t heldControl = 1u << keyControl;
constexpr uint32_t heldAlt = 1u << keyMenu;

// Puts the pointer, buttons and modifiers, the clock and the system answers
// back to their defaults (real clock, imaging library present, NT platform).
void resetControls();

void setCursor(int x, int y);
void setHeldKeys(uint32_t keys);
// From `tick` on (by the soft clock), the pointer is at (x, y) with `keys` held.
void scheduleInput(uint32_t tick, int x, int y, uint32_t keys);

// A clock that only moves when told to, or when the program sleeps.
void useManualClock(uint32_t start);
void advanceClock(uint32_t milliseconds);
uint32_t sleptMilliseconds();

void setSwappedButtons(bool swapped);
void setImagingLibraryPresent(bool present);
void setPlatformId(uint32_t id);

int oleInitializations();
int loadedLibraries();

// The host made this thread multi-threaded before any editor: OLE is
// refused on it until the controls are reset.
void enterMultithreadedApartment();

// A shortcut file whose resolution gives `target`; and a file name that the
// dropped file list cannot hand out.
void makeShortcut(const std::string& link, const std::string& target);
void makeUnreadable(const std::string& file);
int liveDropTargets();

}  // namespace platform::soft
