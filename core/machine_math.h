// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's exact figures, computed from its own rules: the single spin by enumeration of all 22^5
// outcomes, and the long run of the whole game per payout setting (held Wilds, voids and re-spins, free-spin
// series with multipliers and retriggers) as a Markov chain over the held-reel states.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <utility>
#include <vector>

namespace zem::core {

// One paid spin on its own: uniform stops, nothing held, nothing voided, no free spins.
struct BaseFigures {
    int64_t outcomes = 0;           // 22^5
    double rtp = 0;                 // mean win / bet
    double hitFrequency = 0;        // share of outcomes that win something
    double sd = 0;                  // standard deviation of win / bet
    int64_t scatterCounts[6] = {};  // outcomes with 0..5 Scatters in view
    std::vector<std::pair<int32_t, int64_t>>
        wins;  // (win in coins, outcomes), every win that occurs, 0 first
};

// The long run at one payout setting, per paid spin; a paid spin's return includes the free-spin series it
// starts.
struct SettingFigures {
    int16_t payout = 0;
    double rtp = 0;                // coins won / coins bet
    double hitFrequency = 0;       // share of paid spins whose standing outcome wins
    double freeSeriesPerSpin = 0;  // series started per paid spin
    double freeSpinsPerSpin = 0;   // free spins played per paid spin
    double meanSeriesWin = 0;      // mean total of a series, in bets
    double sd = 0;                 // standard deviation of one paid spin's return (win / bet)
    double sdLongRun = 0;          // the same with the correlation of neighbouring spins by held Wilds: the
                                   // standard error of an n-spin return is sdLongRun / sqrt(n)
    double heldShare = 0;          // share of paid spins with a reel held by a Wild
    double voidsPerSpin = 0;       // voided outcomes per paid spin
};

struct MachineFigures {
    int16_t lines = 0;
    int16_t coins = 0;
    BaseFigures base;
    std::vector<SettingFigures> settings;  // one per payout setting asked for
};

// The payout settings the player can choose.
inline constexpr int16_t kPayoutSettings[] = {5, 2, 1};

// Chance that a winning outcome without a held reel stands at payout setting `payout` (draws 1 and 3 of
// 1..payout let it stand).
double standingChance(int16_t payout);

// Everything for `lines` lines at `coins` coins per line, for each of `payouts`.
MachineFigures machineFigures(int16_t lines, int16_t coins, const std::vector<int16_t>& payouts);

// The theoretical return (coins won per coin bet, e.g. 1.086) at a payout setting and number of lines.
// Computed once per number of lines and kept; safe to call from any thread. A figure another thread is
// computing is waited for, not computed twice.
double returnToPlayer(int16_t payout, int16_t lines = 25);

// Computes the returns of the payout settings for each number of lines given, in that order, on a thread of
// its own, so that returnToPlayer answers at once when a window asks. A number of lines already known or
// being computed elsewhere is passed over. Destroying it stops the work where it is (within a few
// milliseconds) and waits for the thread; a figure it did not finish is computed by the first caller that
// asks for it.
class ReturnsWarmUp {
  public:
    explicit ReturnsWarmUp(std::vector<int16_t> lines);
    ~ReturnsWarmUp();
    ReturnsWarmUp(const ReturnsWarmUp&) = delete;
    ReturnsWarmUp& operator=(const ReturnsWarmUp&) = delete;

    // Waits until the thread has gone through every number of lines given.
    void finish();

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace zem::core
