// SPDX-License-Identifier: GPL-3.0-or-later
// The last games of each player slot, kept for recall: what a game was (a paid spin with its free-spin
// series and its gamble), its text form in the store, and the recorder that follows play as it happens.
#pragma once

#include "core/machine_state.h"
#include "platform/settings_store.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zem::play {

// How many games a slot keeps.
inline constexpr int kHistoryGames = 10;
// The games are kept under these keys of the slot's section, beside its record: game n goes under key
// n % 10, so that a new game replaces only the oldest one. The number inside each entry orders them.
inline constexpr const char* kHistoryKeys[kHistoryGames] = {"game0", "game1", "game2", "game3", "game4",
                                                            "game5", "game6", "game7", "game8", "game9"};
// A series longer than this keeps its first spins only (its win still counts whole).
inline constexpr int kHistoryFreeSpins = 250;
// A gamble keeps at most this many cards (a right guess at least doubles the amount: far fewer fit).
inline constexpr int kHistoryCards = 64;

struct LineWinRecord {
    int16_t line = 0;    // 1..25
    int16_t symbol = 0;  // the paying symbol
    int16_t run = 0;     // 2..5 symbols from the left
    int32_t pay = 0;     // coins, at the game's coins per line
    bool operator==(const LineWinRecord&) const = default;
};

struct FreeSpinRecord {
    std::array<int16_t, core::kReels> stops{};
    int32_t win = 0;  // the spin's win, multiplier applied
    int16_t multiplier = 1;
    bool operator==(const FreeSpinRecord&) const = default;
};

struct CardRecord {
    char bet = 'R';   // R red, B black, H hearts, C clubs, D diamonds, S spades
    int16_t card = 0; // 1 hearts, 2 clubs, 3 diamonds, 4 spades
    bool right = false;
    int32_t amount = 0;  // what the player held after this card (0 once lost)
    bool operator==(const CardRecord&) const = default;
};

struct GameRecord {
    int64_t number = 0;  // the slot's count of recorded games: the newest has the highest
    int64_t time = 0;    // seconds since 1970-01-01 UTC
    int16_t lines = 0, coins = 0;
    int32_t bet = 0;
    std::array<int16_t, core::kReels> stops{};
    std::array<int16_t, core::kVisibleCells> window{};  // symbols, reel by reel, top row first
    std::vector<LineWinRecord> lineWins;
    int16_t scatters = 0;
    int32_t scatterPay = 0;
    int16_t freeSpinsAwarded = 0;  // announced by the trigger and every retrigger
    std::vector<FreeSpinRecord> freeSpins;
    std::vector<CardRecord> cards;
    int32_t creditBefore = 0, creditAfter = 0;
    // Everything the game paid into the credit: its spin, its series and the gamble's gain (a lost card takes
    // back nothing of the won statistic, so a lost gamble adds nothing here either).
    int32_t win = 0;

    int16_t symbolAt(int reel, int row) const { return window[static_cast<size_t>((reel - 1) * 3 + row - 1)]; }
    bool operator==(const GameRecord&) const = default;
};

// The stored text of a game, and back; nothing when the text is not a whole, consistent game.
std::string formatGame(const GameRecord& game);
std::optional<GameRecord> parseGame(const std::string& text);

// The games stored in `slot`, oldest first; a missing or damaged entry is left out.
std::vector<GameRecord> readHistory(platform::SettingsStore& store, int slot);

// "2026-12-10T11:22:34Z" for a time in seconds since 1970 (UTC).
std::string gameTimeText(int64_t seconds);

// The name of a gamble bet ("red" .. "spades") and of a card's suit ("hearts" .. "spades").
const char* betName(char bet);
const char* suitName(int card);

// Follows the current slot's play and keeps its last games; the newest is the game in flight until the next
// paid spin stands. What it holds goes into the store with every save of the record.
class GameHistory {
  public:
    GameHistory();

    // The games of `slot`, as stored; the newest is taken as the game in flight (a series resumed after a
    // restart goes on in it).
    void load(platform::SettingsStore& store, int slot);
    const std::vector<GameRecord>& games() const { return games_; }

    // The outcome of a paid spin stands (its bet taken, its win in `spinwin`): a new game begins.
    void paidSpin(const core::MachineState& s);
    // The outcome of a free spin stands.
    void freeSpin(const core::MachineState& s);
    // A series' total went into the credit.
    void collected(int32_t amount);
    // The gamble opened on `stake`, a card was decided, the amount held was taken.
    void gambleOpened(int32_t stake);
    void gambleCard(char bet, int card, bool right, int32_t held);
    void gambleTaken(int32_t amount);

    // Writes the game in flight into the store when it changed since the last write (no flush: the record's
    // save puts it on disk with the record). Returns whether the write succeeded.
    bool write(platform::SettingsStore& store, int slot);

    // Forgets the slot's games, in memory and in the store (no flush: the record's save puts it on disk).
    bool clear(platform::SettingsStore& store, int slot);

    // The clock that dates the games (seconds since 1970); the system clock unless replaced.
    std::function<int64_t()> clock;

  private:
    GameRecord* current() { return games_.empty() ? nullptr : &games_.back(); }

    std::vector<GameRecord> games_;
    bool dirty_ = false;
    // The game as the gamble found it: what it then held and had won.
    int32_t stake_ = 0, creditBeforeGamble_ = 0, winBeforeGamble_ = 0;
};

}  // namespace zem::play
