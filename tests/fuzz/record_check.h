// SPDX-License-Identifier: GPL-3.0-or-later
// The check both fuzz targets make of a store: every player record loads without fault, the next save writes
// a store that reads back whole, and nothing that could be read is lost on the way.
#pragma once

#include "core/machine_state.h"
#include "options/player_names.h"
#include "options/slot_list.h"
#include "platform/settings_store.h"
#include "play/game_history.h"
#include "play/player_record.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace zem::fuzz {

[[noreturn]] inline void fail(const char* what, int slot) {
    std::fprintf(stderr, "record loader: %s (slot %d)\n", what, slot);
    std::abort();
}

// The Wilds holding their reels for the next spin, with the stops they hold.
inline bool sameHolds(const core::MachineState& a, const core::MachineState& b) {
    for (int reel = 2; reel <= 4; ++reel) {
        const int16_t held = reel == 2 ? a.wildhold2 : (reel == 3 ? a.wildhold3 : a.wildhold4);
        const int16_t other = reel == 2 ? b.wildhold2 : (reel == 3 ? b.wildhold3 : b.wildhold4);
        if (held != other || (held > 0 && a.reelstop[reel] != b.reelstop[reel])) return false;
    }
    return true;
}

inline bool sameSeries(const std::optional<play::StoredSeries>& a,
                       const std::optional<play::StoredSeries>& b) {
    if (a.has_value() != b.has_value()) return false;
    if (!a) return true;
    if (a->resumable != b->resumable || a->freespinwin != b->freespinwin) return false;
    if (!a->resumable) return true;
    for (const play::SeriesKey& k : play::kSeries) {
        if (k.stored.of(*a) != k.stored.of(*b)) return false;
    }
    return true;
}

// Whether a text is well-formed UTF-8 without control characters: what a caption may hold.
inline bool showable(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t extra = lead < 0x80             ? 0
                             : (lead & 0xE0) == 0xC0 ? 1
                             : (lead & 0xF0) == 0xE0 ? 2
                             : (lead & 0xF8) == 0xF0 ? 3
                                                     : 4;
        if (extra == 4 || i + extra >= text.size() || lead < 0x20 || lead == 0x7F) return false;
        for (size_t k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += extra + 1;
    }
    return true;
}

// The options window's slot list over the same store: every caption is "Vacant" for a slot without a name, or
// the name as it can be shown (well-formed, no control characters, at most the name box's length); every slot
// loads for a selection with its name as stored. Returns the captions.
inline std::array<std::string, 7> checkSlotList(platform::SettingsStore& store) {
    const std::array<std::string, 7> captions = options::slotCaptions(store);
    for (int slot = 1; slot <= 6; ++slot) {
        const std::string& caption = captions[static_cast<size_t>(slot)];
        const auto name = store.read(play::kApplication, play::playerSection(slot), play::kNameKey);
        const bool named = name && !name->empty();
        if (!named && caption != options::kVacant) fail("a slot without a name is not shown as vacant", slot);
        if (named && (caption.empty() || !showable(caption) ||
                      options::visibleLength(caption) > options::kNameMaxCharacters)) {
            fail("a slot's caption cannot be shown", slot);
        }
        core::MachineState s;
        const int failures = options::loadSlot(s, store, slot);
        if (failures < 0 || failures > play::kRecordSize) fail("a selection counts its failed keys wrongly", slot);
        if (s.currentplayer != (name ? *name : std::string()))
            fail("a selection loses the stored name", slot);
    }
    return captions;
}

// The games kept for recall in a slot: at most ten, oldest first, each of whose texts reads back as itself.
inline std::vector<play::GameRecord> checkHistory(platform::SettingsStore& store, int slot) {
    std::vector<play::GameRecord> games = play::readHistory(store, slot);
    if (games.size() > static_cast<size_t>(play::kHistoryGames)) fail("more than ten games kept", slot);
    for (size_t i = 0; i < games.size(); ++i) {
        if (i > 0 && games[i - 1].number >= games[i].number) fail("the games are out of order", slot);
        if (play::parseGame(play::formatGame(games[i])) != games[i]) fail("a game's text reads back different", slot);
    }
    return games;
}

// What the six slots held as loaded.
struct Loaded {
    core::MachineState record[7];
    std::optional<play::StoredSeries> series[7];
    std::array<std::string, 7> captions;  // the options window's slot list
    std::vector<play::GameRecord> history[7];
};

// Loads every slot as the game does (with the corrections of a load and a resumable series taken up) and
// writes every slot back.
inline Loaded loadAndSave(platform::SettingsStore& store, platform::SettingsStore& flushing) {
    Loaded l;
    l.captions = checkSlotList(store);
    for (int slot = 1; slot <= 6; ++slot) {
        core::MachineState& s = l.record[slot];
        play::readRecord(s, store, slot);
        if (s.machinepay == 0) s.machinepay = 5;
        if (s.reelspeed < 1) s.reelspeed = 1;
        play::readHolds(s, store, slot);
        l.series[slot] = play::readSeries(store, slot);
        if (l.series[slot] && l.series[slot]->resumable) play::applySeries(s, *l.series[slot]);
        if (l.series[slot] && !l.series[slot]->resumable) l.series[slot].reset();  // such a series ends here
        l.history[slot] = checkHistory(store, slot);
        for (const play::GameRecord& game : l.history[slot]) {
            const char* key = play::kHistoryKeys[game.number % play::kHistoryGames];
            if (!store.write(play::kApplication, play::playerSection(slot), key, play::formatGame(game)))
                fail("the save failed", slot);
        }
    }
    for (int slot = 1; slot <= 6; ++slot) {
        if (!play::writeRecord(l.record[slot], store, slot)) fail("the save failed", slot);
    }
    if (!flushing.flush()) fail("the save failed", 0);
    return l;
}

// Reads the saved store back: every key reads, every slot is as it was loaded, and the slot list shows the
// same players.
inline void verifyReload(platform::SettingsStore& store, const Loaded& l) {
    for (int slot = 1; slot <= 6; ++slot) {
        core::MachineState s;
        if (play::readRecord(s, store, slot) != 0) fail("a saved key does not read back", slot);
        if (!play::sameRecord(s, l.record[slot])) fail("a saved record reads back different", slot);
        play::readHolds(s, store, slot);
        if (l.series[slot]) play::applySeries(s, *l.series[slot]);
        if (!sameHolds(s, l.record[slot])) fail("a saved Wild hold reads back different", slot);
        if (!sameSeries(play::readSeries(store, slot), l.series[slot])) fail("a saved series differs", slot);
        if (checkHistory(store, slot) != l.history[slot]) fail("the saved games read back different", slot);
    }
    if (checkSlotList(store) != l.captions) fail("the slot list changed with the save", 0);
}

// Passes reads and writes on, and leaves the putting on disk to one flush at the end.
class OneFlush final : public platform::SettingsStore {
  public:
    explicit OneFlush(platform::SettingsStore& store) : store_(store) {}
    std::optional<std::string> read(const std::string& a, const std::string& s,
                                    const std::string& k) override {
        return store_.read(a, s, k);
    }
    bool write(const std::string& a, const std::string& s, const std::string& k,
               const std::string& v) override {
        return store_.write(a, s, k, v);
    }
    bool flush() override { return true; }

  private:
    platform::SettingsStore& store_;
};

}  // namespace zem::fuzz
