// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the six player slots for the options window: the slot buttons' captions and one slot's record.
// Plain functions over the settings store, so that any store content can be thrown at them.
#pragma once

#include "core/machine_state.h"
#include "platform/settings_store.h"

#include <array>
#include <string>

namespace zem::options {

inline constexpr const char* kVacant = "Vacant";

// The captions of the slot buttons 1..6 (entry 0 unused): each slot's stored name as shown, or "Vacant" for a
// slot without a name.
std::array<std::string, 7> slotCaptions(platform::SettingsStore& store);

// Loads slot `slot` for a selection: puts the fresh values into every key but the sound switch (payout 5;
// credit, statistics, win counter and reel speed 0; no name; the free-spin count 0, so that a new player
// starts without another's), then reads the keys in order. Every key that is missing or does not convert
// sets the reel speed to 1 at that point of the reading, so a vacant slot ends with reel speed 1. The sound
// switch carries over. Returns how many keys failed.
int loadSlot(core::MachineState& s, platform::SettingsStore& store, int slot);

}  // namespace zem::options
