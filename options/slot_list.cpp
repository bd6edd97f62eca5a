// SPDX-License-Identifier: GPL-3.0-or-later
// The slot list and the selection's reading of a slot.
#include "slot_list.h"

#include "options/player_names.h"
#include "play/player_record.h"

namespace zem::options {

std::array<std::string, 7> slotCaptions(platform::SettingsStore& store) {
    std::array<std::string, 7> captions;
    for (int i = 1; i <= 6; ++i) {
        const auto name = store.read(play::kApplication, play::playerSection(i), play::kNameKey);
        captions[static_cast<size_t>(i)] = name && !name->empty() ? shownName(*name) : kVacant;
    }
    return captions;
}

int loadSlot(core::MachineState& s, platform::SettingsStore& store, int slot) {
    for (const play::RecordKey& k : play::kRecord) {
        if (k.scope != play::Scope::Machine) play::resetKey(s, k);
    }
    int failures = 0;
    for (const play::RecordKey& k : play::kRecord) {
        if (!play::readKey(s, store, slot, k)) {
            ++failures;
            s.reelspeed = 1;
        }
    }
    return failures;
}

}  // namespace zem::options
