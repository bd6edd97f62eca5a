// Long runs of the whole game: no coin is ever created or lost, counters stay in range, and no spin ever
// starts inside another. One soak drives autoplay alone; the other plays as a restless player does, through
// the window's own input, with every feature the machine has.
#include "core/random.h"
#include "platform/sim/sim_platform.h"
#include "play/machine.h"
#include "play/player_record.h"
#include "play/simulation.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace zem::testing {
namespace {

TEST(Soak, HundredThousandSpinsAtEachPayoutSettingKeepEveryCoin) {
    for (int16_t payout : {5, 2, 1}) {
        int64_t checks = 0, badCounters = 0, nested = 0, ledgerBreaks = 0;
        play::SimulationOptions options;
        options.payout = payout;
        options.spins = 100000;
        options.seed = 1000 + payout;
        const play::SimulationResult r =
            play::simulate(options, [&](const play::Machine& m, const play::SimulationResult& sofar) {
                ++checks;
                const auto& s = m.s;
                // Credit = inserted - wagered + won; a series total still running or waiting is won but not
                // yet in the credit.
                const int64_t pending = s.freespinwin;
                if (s.bank != sofar.inserted - sofar.wagered + sofar.won - pending) ++ledgerBreaks;
                if (m.spinDepth() != 1) ++nested;  // the hook runs inside the spin that just ended
                if (s.freespinsplayed > s.freespinstotal || s.tickcount < 0 || s.bank < 0 ||
                    (s.freespinmode != 0 && s.freespinmode != -1) || s.scattercount < 0 ||
                    s.scattercount > 5 || s.spinwin < 0) {
                    ++badCounters;
                }
                for (int reel = 1; reel <= 5; ++reel) {
                    if (s.reelstop[reel] < 1 || s.reelstop[reel] > 22) ++badCounters;
                }
                for (int line = 1; line <= 25; ++line) {
                    const int c = s.linecount[line];
                    if (c != 0 && (c < 2 || c > 5)) ++badCounters;
                }
            });
        EXPECT_EQ(r.spins, 100000) << "payout " << payout;
        EXPECT_EQ(checks, r.spins + r.freeSpins);
        EXPECT_EQ(ledgerBreaks, 0) << "payout " << payout;
        EXPECT_EQ(badCounters, 0) << "payout " << payout;
        EXPECT_EQ(nested, 0);
        EXPECT_GT(r.freeSeries, 0);
        std::printf("payout %d: %lld spins, %lld free spins in %lld series, rtp %.4f, %.0f spins/s\n", payout,
                    static_cast<long long>(r.spins), static_cast<long long>(r.freeSpins),
                    static_cast<long long>(r.freeSeries), static_cast<double>(r.won) / r.wagered,
                    static_cast<double>(r.spins) / r.seconds);
    }
}

// A player who switches between autoplay and playing by hand, changes the lines, the bet and the settings,
// puts money in with COINS and NOTES whenever the credit runs short (and now and then for no reason),
// collects free-spin series with TAKE WIN, closes the game and starts it again, and takes money out of the
// stored credit between sessions so that it never reaches the top of its range. Every input goes through the
// window's own input rules (a control that cannot take input refuses it). After every spin and every step the
// credit must balance: credit = inserted - wagered + won - taken out - a series total not yet collected.
class RestlessPlayer {
  public:
    explicit RestlessPlayer(uint64_t seed) : choice_(seed) {
        p_.useSeededRandom(seed * 7919 + 1);
        auto& values = p_.memoryStore().values;
        values[{play::kApplication, play::playerSection(1), "bank"}] = "0";
        p_.memoryStore().keepWrites = false;
        p_.recorder().keepEvents = false;
        start();
    }

    void play(int64_t paidSpins) {
        while (paid_ < paidSpins && !failed()) {
            const int what = draw(100);
            if (what <= 45) {
                autoplayStint(paid_ + draw(400));
            } else if (what <= 85) {
                handStint(paid_ + draw(30));
            } else if (what <= 95) {
                changeSettings();
            } else {
                restart();
            }
        }
        settle();
        check("end");
    }

    int64_t paid_ = 0, series_ = 0, restarts_ = 0, notes_ = 0, coins_ = 0, refusedBets_ = 0;
    int64_t checks_ = 0, ledgerBreaks_ = 0, badCounters_ = 0, nested_ = 0, stuck_ = 0, takeOuts_ = 0;
    std::string firstBreak_, firstStuck_;

  private:
    int draw(int n) { return core::drawOneTo(n, choice_.uniform()); }
    bool failed() const { return ledgerBreaks_ + badCounters_ + nested_ + stuck_ > 0; }

    void start() {
        m_ = std::make_unique<play::Machine>(p_, [](int) {
            return std::vector<uint8_t>{'R', 'I', 'F', 'F'};
        });
        m_->startup();
        takeStatistics();
        m_->onSpinDone = [this] {
            if (m_->spinDepth() != 1) ++nested_;
            takeStatistics();
            check("spin");
        };
        // Money put in, as the player sees it land: every accepted note, every coin of the coin animation.
        auto notes = m_->w.notes.onPress;
        m_->w.notes.onPress = [this, notes](const platform::MouseEvent& e) {
            const bool accepted = m_->s.freespinmode == 0 && m_->s.freespinstotal == 0;
            notes(e);
            if (accepted) {
                ++notes_;
                inserted_ += 5000;
            }
            check("notes");
        };
        auto coinTick = m_->tmrcoins.onTick;
        m_->tmrcoins.onTick = [this, coinTick] {
            const int32_t before = m_->s.bank;
            coinTick();
            if (m_->s.bank != before) {
                ++coins_;
                inserted_ += 25;
            }
            check("coins");
        };
    }

    // Reads the statistics into the ledger and zeroes them, so that a run of any length never meets their
    // 32-bit limits. Whatever the machine adds to them it must also have added to the credit.
    void takeStatistics() {
        auto& s = m_->s;
        wagered_ += s.wager;
        won_ += s.total;
        invested_ += s.amountinvested;
        if (s.wager > 0) ++paid_;
        s.wager = s.total = s.amountinvested = s.games = 0;
    }

    void check(const char* where) {
        ++checks_;
        const auto& s = m_->s;
        const int64_t pending = s.freespinwin;
        const int64_t expected = inserted_ - (wagered_ + s.wager) + (won_ + s.total) - takenOut_ - pending;
        // Inside a spin (a coin landing while the reels turn) the bet is booked before the win is shown and
        // credited, so the credit balances only between spins and at a spin's end.
        const bool between = !m_->spinning() || std::string(where) == "spin";
        if (between && (s.bank != expected || invested_ + s.amountinvested != inserted_)) {
            if (ledgerBreaks_++ == 0) {
                firstBreak_ = std::string(where) + ": credit " + std::to_string(s.bank) + ", expected " +
                              std::to_string(expected) + ", invested " +
                              std::to_string(invested_ + s.amountinvested) + ", inserted " +
                              std::to_string(inserted_);
            }
        }
        if (s.freespinsplayed > s.freespinstotal || s.tickcount < 0 || s.bank < 0 || s.freespinwin < 0 ||
            (s.freespinmode != 0 && s.freespinmode != -1) || s.scattercount < 0 || s.scattercount > 5 ||
            s.spinwin < 0 || m_->spinDepth() > 1) {
            ++badCounters_;
        }
        for (int reel = 1; std::string(where) == "spin" && reel <= 5; ++reel) {
            if (s.reelstop[reel] < 1 || s.reelstop[reel] > 22) ++badCounters_;
        }
    }

    // Runs the idle loop until the condition holds; a game that never gets there is stuck.
    void waitFor(const char* what, const std::function<bool()>& done, int64_t ms = 30 * 60 * 1000) {
        if (!p_.runUntil(done, ms) && stuck_++ == 0) {
            const auto& s = m_->s;
            firstStuck_ =
                std::string(what) + " after " + std::to_string(paid_) + " paid spins: autoplay " +
                std::to_string(m_->autoplaymode) + ", spinning " + std::to_string(m_->spinning()) +
                ", series " + std::to_string(s.freespinsplayed) + "/" + std::to_string(s.freespinstotal) +
                " mode " + std::to_string(s.freespinmode) + ", credit " + std::to_string(s.bank) + ", bet " +
                std::to_string(s.totalBet()) + ", tickcount " + std::to_string(s.tickcount) + ", autodelay " +
                std::to_string(s.autodelay) + ", quit " + std::to_string(p_.quitRequested) + ", closed " +
                std::to_string(m_->closed()) + ", time " + std::to_string(p_.now()) + ", timers on:";
            for (const platform::Timer* timer : p_.loop().timers()) {
                if (timer->enabled()) firstStuck_ += " " + timer->name();
            }
        }
        check("idle");
    }

    bool idle() const { return !m_->spinning() && m_->autoplaymode == 0; }
    bool inSeries() const { return m_->s.freespinmode == -1 || m_->s.freespinstotal > 0; }

    // Plays out a running free-spin series and collects its total with TAKE WIN.
    void finishSeries() {
        if (!inSeries()) return;
        ++series_;
        waitFor(
            "series to its end", [this] { return m_->seriesWaiting() || !inSeries(); }, 4 * 60 * 60 * 1000);
        if (m_->seriesWaiting()) {
            p_.click(m_->w.takewin);
            waitFor("take win", [this] { return !inSeries(); });
        }
    }

    void settle() {
        waitFor("spin to its end", [this] { return !m_->spinning(); });
        finishSeries();
        waitFor(
            "coins and roll-up", [this] { return !m_->tmrcoins.enabled() && !m_->Timerwincounter.enabled(); },
            60 * 1000);
    }

    // Puts money in when the bet cannot be paid, and now and then when it can.
    void topUp() {
        const int32_t bet = m_->s.totalBet();
        if (m_->s.bank >= 3 * bet && draw(20) > 1) return;
        if (bet <= 100 && draw(2) == 1) {
            for (int i = draw(4); i > 0; --i) {
                p_.tap(m_->w.coinsin);
                waitFor(
                    "coin animation", [this] { return !m_->tmrcoins.enabled(); }, 10 * 1000);
            }
        }
        if (m_->s.bank < 3 * bet) p_.tap(m_->w.notes);
        p_.advance(1);
    }

    void autoplayStint(int64_t until) {
        settle();
        topUp();
        p_.tap(m_->w.autoplayon);
        p_.advance(1);
        while (m_->autoplaymode != 0 && paid_ < until && !failed()) {
            // One paid spin at a time: with a long pause after a big win and a free-spin series on top it
            // can take many minutes of game time, but never hours.
            const int64_t before = paid_;
            waitFor(
                "autoplay spin", [&] { return paid_ > before || m_->autoplaymode == 0; }, 4 * 60 * 60 * 1000);
        }
        if (m_->autoplaymode == 0) ++refusedBets_;  // autoplay stopped by itself: the bet could not be paid
        // The player switches autoplay off, possibly in the middle of a spin; through a free-spin series the
        // button is hidden with its panel, and the player clicks again until it takes.
        for (int tries = 0; m_->autoplaymode != 0 && tries < 1000; ++tries) {
            p_.tap(m_->w.autoplayoff);
            p_.advance(draw(2000));
        }
        waitFor("autoplay off", [this] { return idle(); });
        settle();
    }

    void handStint(int64_t until) {
        settle();
        if (draw(3) == 1) {
            p_.tap(m_->w.payline[draw(5)]);
            p_.advance(1);
        }
        while (paid_ < until && !failed()) {
            topUp();
            const int64_t before = paid_;
            if (draw(3) == 1) {
                p_.typeKey(m_->w.orvelle, ' ');
            } else {
                p_.tap(m_->w.pplay[draw(6)]);
            }
            waitFor(
                "spin by hand", [&] { return paid_ > before && !m_->spinning(); }, 10 * 60 * 1000);
            // Sometimes the next bet comes before the win has rolled up, sometimes after.
            if (draw(2) == 1) p_.advance(draw(3000));
            finishSeries();
        }
        settle();
    }

    void changeSettings() {
        settle();
        auto& s = m_->s;
        static constexpr int16_t kPayouts[] = {5, 2, 1};
        static constexpr int16_t kSpeeds[] = {1, 2, 4, 8, 10};
        s.machinepay = kPayouts[draw(3) - 1];
        s.reelspeed = kSpeeds[draw(5) - 1];
        s.winroll = static_cast<int16_t>(draw(2) - 1);
        s.soundonoff = draw(2) == 1 ? -1 : 0;
        check("settings");
    }

    // Closes the game with the close box (mid-spin now and then) and starts it again on the same store. Coins
    // beyond a million are taken out of the stored credit in between, as a cashier would pay them out.
    void restart() {
        if (draw(2) == 1) {
            topUp();
            p_.tap(m_->w.pplay[1]);
            p_.advance(draw(500));
        }
        p_.closeWindow(m_->w.orvelle);
        waitFor("close", [this] { return m_->closed(); });
        takeStatistics();
        check("closed");
        m_.reset();
        p_.quitRequested = false;
        auto& store = p_.memoryStore();
        const auto bankText = store.read(play::kApplication, play::playerSection(1), "bank");
        const int64_t bank = bankText ? std::stoll(*bankText) : -1;
        if (bank > 1000000) {
            ++takeOuts_;
            takenOut_ += bank - 1000000;
            store.write(play::kApplication, play::playerSection(1), "bank", "1000000");
        }
        ++restarts_;
        start();
        check("started");
    }

    platform::sim::SimPlatform p_;
    std::unique_ptr<play::Machine> m_;
    core::SystemRandom choice_;
    int64_t inserted_ = 0, invested_ = 0, wagered_ = 0, won_ = 0, takenOut_ = 0;
};

// ZEM_SOAK_SPINS sets the paid spins of the long form (10000000 for the full soak); the default keeps the
// test and its sanitizer build short.
TEST(Soak, ARestlessPlayerUsingEveryFeatureNeverGainsOrLosesACoin) {
    const char* env = std::getenv("ZEM_SOAK_SPINS");
    const int64_t spins = env != nullptr ? std::atoll(env) : 100000;
    RestlessPlayer player(env != nullptr ? 20261209 : 4242);
    player.play(spins);
    EXPECT_GE(player.paid_, spins);
    EXPECT_EQ(player.ledgerBreaks_, 0) << player.firstBreak_;
    EXPECT_EQ(player.badCounters_, 0);
    EXPECT_EQ(player.nested_, 0);
    EXPECT_EQ(player.stuck_, 0) << player.firstStuck_;
    // The run went everywhere it was meant to go.
    EXPECT_GT(player.series_, 0);
    EXPECT_GT(player.notes_, 0);
    EXPECT_GT(player.coins_, 0);
    EXPECT_GT(player.restarts_, 0);
    EXPECT_GT(player.refusedBets_, 0);
    std::printf(
        "%lld paid spins, %lld series collected by hand, %lld notes, %lld coins, %lld restarts, "
        "%lld take-outs, %lld checks\n",
        static_cast<long long>(player.paid_), static_cast<long long>(player.series_),
        static_cast<long long>(player.notes_), static_cast<long long>(player.coins_),
        static_cast<long long>(player.restarts_), static_cast<long long>(player.takeOuts_),
        static_cast<long long>(player.checks_));
}

}  // namespace
}  // namespace zem::testing
