// SPDX-License-Identifier: GPL-3.0-or-later
// Long runs of the whole game: no coin is ever created or lost, counters stay in range, and no spin ever
// starts inside another. One soak drives autoplay alone; the other plays as a restless player does, through
// the window's own input, with every feature the machine has.
#include "core/random.h"
#include "gamble/gamble.h"
#include "options/options_window.h"
#include "options/slot_list.h"
#include "platform/sim/sim_platform.h"
#include "play/machine.h"
#include "play/player_record.h"
#include "play/simulation.h"
#include "support/money_ledger.h"

#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>

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
// collects free-spin series with TAKE WIN, gambles wins and collected series on the colour or the suit of the
// card (taking the win, or losing it), moves between the six player slots through the options window (naming
// a vacant slot as it first comes to it), closes the game and starts it again (now and then with a gamble
// open or a card being revealed), and takes money out of the stored credits between sessions so that they
// never reach the top of their range. Every input goes through the window's own input rules (a control that
// cannot take input refuses it).
//
// The player keeps one ledger per slot, in coins as they come and go: credit = inserted - wagered + won -
// taken out - lost in gambles - a series total not yet collected - a gamble's stake while it is at risk. The
// playing slot is checked after every spin and every step; the others, whose records only a slot switch or a
// restart can touch, after each of those. What a gamble pays the player works out from the cards it shows,
// and the credit and the won statistic must move by exactly that.
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
            if (what <= 42) {
                autoplayStint(paid_ + draw(400));
            } else if (what <= 82) {
                handStint(paid_ + draw(30));
            } else if (what <= 90) {
                changeSettings();
            } else if (what <= 96) {
                switchSlot();
            } else {
                restart(Moment::Idle);
            }
        }
        settle();
        check("end");
        checkEverySlot("end");
    }

    int64_t paid_ = 0, series_ = 0, restarts_ = 0, notes_ = 0, coins_ = 0, refusedBets_ = 0;
    int64_t checks_ = 0, ledgerBreaks_ = 0, badCounters_ = 0, nested_ = 0, stuck_ = 0, takeOuts_ = 0,
            storeBreaks_ = 0, announcementChecks_ = 0;
    int64_t gambles_ = 0, seriesGambled_ = 0, wonBets_ = 0, lostBets_ = 0, taken_ = 0, closedInGamble_ = 0,
            closedInReveal_ = 0, notesInGamble_ = 0, gambleBreaks_ = 0;
    int64_t switches_ = 0, switchesBack_ = 0, named_ = 0, slotBreaks_ = 0, refusedOptions_ = 0,
            pokesInGamble_ = 0, optionsTriedInSeries_ = 0, settingsChosen_ = 0, keysIgnored_ = 0,
            coinsInFlight_ = 0, seriesLeftOnOtherSlots_ = 0, closedInSeries_ = 0, optionsInAutoplay_ = 0;
    std::string firstBreak_, firstStuck_, firstGambleBreak_, firstSlotBreak_, firstStoreBreak_;

  private:
    // The books of one slot. The statistics the machine counts are moved in here (and zeroed) as they come,
    // so that a run of any length never meets their 32-bit limits.
    struct Ledger : MoneyLedger {
        bool visited = false;
    };

    // A gamble as the player follows it: what went at risk, what is at risk now, and where the credit and
    // the won statistic stood before it opened.
    struct OpenGamble {
        bool open = false;
        int64_t stake = 0, atRisk = 0, bankBefore = 0, totalBefore = 0, insertedBefore = 0;
    };

    enum class Moment { Idle, SeriesRunning, GambleOpen, CardRevealing };

    int draw(int n) { return core::drawOneTo(n, choice_.uniform()); }
    bool failed() const {
        return ledgerBreaks_ + badCounters_ + nested_ + stuck_ + gambleBreaks_ + slotBreaks_ + storeBreaks_ >
               0;
    }
    // The slot the machine plays: a coin that lands after another slot was chosen is that player's.
    int playing() const { return m_->slotNumber(); }
    Ledger& ledger() { return ledgers_[static_cast<size_t>(playing())]; }

    void start() {
        m_ = std::make_unique<play::Machine>(p_, [](int) {
            return std::vector<uint8_t>{'R', 'I', 'F', 'F'};
        });
        gamble_ = std::make_unique<gamble::Gamble>(*m_);
        options_ = std::make_unique<options::OptionsWindow>(*m_);
        m_->startup();
        ledger().visited = true;
        takeStatistics();
        m_->onSpinDone = [this] {
            if (m_->spinDepth() != 1) ++nested_;
            lastWin_ = m_->s.spinwin;
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
                ledger().inserted += 5000;
            }
            check("notes");
        };
        // The idle count ticks through a trigger's announcement, inside the spin being shown.
        auto idleTick = m_->tmrtick.onTick;
        m_->tmrtick.onTick = [this, idleTick] {
            if (idleTick) idleTick();
            if (m_->spinning() && m_->w.stockade1.visible) {
                ++announcementChecks_;
                check("announcement");
            }
        };
        auto coinTick = m_->tmrcoins.onTick;
        m_->tmrcoins.onTick = [this, coinTick] {
            const int32_t before = m_->s.bank;
            coinTick();
            if (m_->s.bank != before) {
                ++coins_;
                ledger().inserted += 25;
            }
            check("coins");
        };
    }

    // Takes the game down in the right order: the windows that hook into the machine go first.
    void stop() {
        options_.reset();
        gamble_.reset();
        m_.reset();
    }

    void takeStatistics() {
        auto& s = m_->s;
        Ledger& l = ledger();
        l.wagered += s.wager;
        l.won += s.total;
        l.invested += s.amountinvested;
        if (s.wager > 0) ++paid_;
        // The store's statistics move with the window's, so that the store is always read against the ledger.
        const std::pair<const char*, int32_t> moved[] = {
            {"wager", s.wager}, {"total", s.total}, {"amountinvested", s.amountinvested}};
        for (const auto& [key, amount] : moved) {
            p_.memoryStore().write(play::kApplication, play::playerSection(playing()), key,
                                   std::to_string(stored(playing(), key) - amount));
        }
        s.wager = s.total = s.amountinvested = s.games = 0;
    }

    void check(const char* where) {
        ++checks_;
        const auto& s = m_->s;
        const Ledger& l = ledger();
        const int64_t pending = s.freespinwin;
        const int64_t atRisk = gambleBook_.open ? gambleBook_.stake : 0;
        const int64_t expected = l.credit(s.wager, s.total, pending, atRisk);
        // Inside a spin (a coin landing while the reels turn) the bet is booked before the win is shown and
        // credited, so the credit balances only between spins and at a spin's end.
        const bool between = !m_->spinning() || std::string(where) == "spin";
        if (between && (s.bank != expected || !l.allInvested(s.amountinvested))) {
            if (ledgerBreaks_++ == 0) {
                firstBreak_ = std::string(where) + " on slot " + std::to_string(playing()) + ": credit " +
                              std::to_string(s.bank) + ", expected " + std::to_string(expected) +
                              ", invested " + std::to_string(l.invested + s.amountinvested) + ", inserted " +
                              std::to_string(l.inserted);
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
        checkStore(where);
    }

    // The store holds the playing slot as a kill at this moment would leave it: balanced against the ledger
    // with a spin being shown taken whole and a gamble's coins as if taken, and holding the series the
    // machine plays. While a card is revealed or a lost one shown, the player has not yet read the card.
    void checkStore(const char* where) {
        const auto phase = gamble_->phase();
        if (phase == gamble::Gamble::Phase::Revealing || phase == gamble::Gamble::Phase::Lost) return;
        const int slot = playing();
        const Ledger& l = ledger();
        const auto series = play::readSeries(p_.memoryStore(), slot);
        const int64_t pending = series ? series->freespinwin : 0;
        const int64_t expected = l.credit(stored(slot, "wager"), stored(slot, "total"), pending);
        const bool balanced = stored(slot, "bank") == expected;
        const bool seriesKept = !play::seriesOpen(m_->s) || (series && series->resumable &&
                                                             series->freespinstotal >= m_->s.freespinstotal);
        if ((!balanced || !seriesKept) && storeBreaks_++ == 0) {
            firstStoreBreak_ = std::string(where) + " on slot " + std::to_string(slot) + ": stored credit " +
                               std::to_string(stored(slot, "bank")) + ", expected " +
                               std::to_string(expected) +
                               (seriesKept ? "" : ", the series the machine plays is not in the store");
        }
    }

    int64_t stored(int slot, const char* key) {
        const auto text = p_.memoryStore().read(play::kApplication, play::playerSection(slot), key);
        return text ? std::stoll(*text) : 0;
    }

    // Every slot's record in the store against its ledger. The playing slot is included only when the store
    // holds all of it (after a close); otherwise its credit is in the window.
    void checkEverySlot(const char* where, bool includingPlaying = false) {
        for (int slot = 1; slot <= 6; ++slot) {
            if (slot == playing() && !includingPlaying) continue;
            const Ledger& l = ledgers_[static_cast<size_t>(slot)];
            const auto series = play::readSeries(p_.memoryStore(), slot);
            const int64_t pending = series ? series->freespinwin : 0;
            const int64_t expected = l.credit(stored(slot, "wager"), stored(slot, "total"), pending);
            const int64_t bank = stored(slot, "bank");
            if (bank != expected || !l.allInvested(stored(slot, "amountinvested"))) {
                if (slotBreaks_++ == 0) {
                    firstSlotBreak_ = std::string(where) + ": slot " + std::to_string(slot) +
                                      " stores credit " + std::to_string(bank) + ", expected " +
                                      std::to_string(expected);
                }
            }
        }
    }

    // Runs the idle loop until the condition holds; a game that never gets there is stuck.
    void waitFor(const char* what, const std::function<bool()>& done, int64_t ms = 30 * 60 * 1000,
                 bool thenCheck = true) {
        if (!p_.runUntil(done, ms) && stuck_++ == 0) {
            const auto& s = m_->s;
            firstStuck_ =
                std::string(what) + " after " + std::to_string(paid_) + " paid spins: autoplay " +
                std::to_string(m_->autoplaymode) + ", spinning " + std::to_string(m_->spinning()) +
                ", series " + std::to_string(s.freespinsplayed) + "/" + std::to_string(s.freespinstotal) +
                " mode " + std::to_string(s.freespinmode) + ", credit " + std::to_string(s.bank) + ", bet " +
                std::to_string(s.totalBet()) + ", tickcount " + std::to_string(s.tickcount) + ", autodelay " +
                std::to_string(s.autodelay) + ", quit " + std::to_string(p_.quitRequested) + ", closed " +
                std::to_string(m_->closed()) + ", time " + std::to_string(p_.now()) + ", slot " +
                std::to_string(playing()) + ", gamble panel " + std::to_string(m_->w.pandouble.visible) +
                ", options " + std::to_string(options_->isOpen()) + ", machine enabled " +
                std::to_string(m_->w.orvelle.enabled) + ", keyboard play " +
                std::to_string(m_->keyboardPlay()) + ", play buttons " +
                std::to_string(m_->w.pplay[1].enabled) + std::to_string(m_->w.play[1].enabled) +
                ", timers on:";
            for (const platform::Timer* timer : p_.loop().timers()) {
                if (timer->enabled()) firstStuck_ += " " + timer->name();
            }
        }
        if (thenCheck) check("idle");
    }

    bool idle() const { return !m_->spinning() && m_->autoplaymode == 0; }
    bool inSeries() const { return m_->s.freespinmode == -1 || m_->s.freespinstotal > 0; }

    // Plays out a running free-spin series and collects its total with TAKE WIN.
    void finishSeries() {
        if (!inSeries()) return;
        // Now and then the player closes the game in the middle of the series: it goes on at the next
        // start on the first slot, and a series of another slot when its player is chosen again.
        if (draw(6) == 1) {
            p_.advance(draw(20000));
            ++closedInSeries_;
            restart(Moment::SeriesRunning);
            if (!inSeries()) return;
        }
        ++series_;
        waitFor(
            "series to its end", [this] { return m_->seriesWaiting() || !inSeries(); }, 4 * 60 * 60 * 1000);
        if (m_->seriesWaiting()) {
            // The options (and with them another player's slot) stay out of reach until the total is in.
            if (draw(4) == 1) {
                ++optionsTriedInSeries_;
                p_.tap(m_->w.btnoptions);
                p_.advance(1);
                if (options_->isOpen() && slotBreaks_++ == 0) {
                    firstSlotBreak_ = "the options window opened over a series waiting for its collect";
                }
            }
            const int32_t total = m_->s.freespinwin;
            p_.click(m_->w.takewin);
            waitFor("take win", [this] { return !inSeries(); });
            if (!inSeries()) {
                lastWin_ = total;
                seriesJustCollected_ = true;
            }
        }
    }

    void settle() {
        waitFor("spin to its end", [this] { return !m_->spinning(); });
        finishSeries();
        waitFor(
            "coins and roll-up", [this] { return !m_->tmrcoins.enabled() && !m_->Timerwincounter.enabled(); },
            60 * 1000);
    }

    // Puts money in when the bet cannot be paid, and now and then when it can: the bet at the coins per
    // line shown, or at those of play picture `button` (1..6).
    void topUp(int button = 0) {
        static constexpr int32_t kCoinsByPicture[7] = {0, 1, 2, 3, 5, 10, 20};
        const int32_t bet = button == 0 ? m_->s.totalBet() : kCoinsByPicture[button] * m_->s.linesplayed;
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
        if (m_->autoplaymode != 0 && draw(4) == 1) optionsDuringAutoplay();
        // The player switches autoplay off, possibly in the middle of a spin; through a free-spin series the
        // button is hidden with its panel, and the player clicks again until it takes.
        for (int tries = 0; m_->autoplaymode != 0 && tries < 1000; ++tries) {
            p_.tap(m_->w.autoplayoff);
            p_.advance(draw(2000));
        }
        waitFor("autoplay off", [this] { return idle(); });
        settle();
        maybeGamble();
    }

    void handStint(int64_t until) {
        settle();
        if (draw(3) == 1) {
            p_.tap(m_->w.payline[draw(5)]);
            p_.advance(1);
        }
        while (paid_ < until && !failed()) {
            const int64_t before = paid_;
            seriesJustCollected_ = false;
            // The space key plays at the coins per line shown; a play picture sets its own. Money goes in for
            // the bet the press is about to make, and a picture is pressed once it shows again after the
            // last press.
            const bool byKey = draw(3) == 1;
            const int button = byKey ? 0 : draw(6);
            topUp(button);
            if (byKey) {
                p_.typeKey(m_->w.orvelle, ' ');
            } else {
                waitFor(
                    "play picture shown", [&] { return m_->w.pplay[button].visible; }, 10 * 1000);
                p_.tap(m_->w.pplay[button]);
            }
            // The space key plays only while the machine takes play from the keyboard: not after autoplay
            // has stopped for want of credit until money goes in again, which another player's slot may not
            // need. The player then uses the mouse.
            p_.runUntil([&] { return paid_ > before || m_->spinning(); }, 5 * 1000);
            if (byKey && paid_ == before && !m_->spinning() && !m_->keyboardPlay()) {
                ++keysIgnored_;
                continue;
            }
            waitFor(
                "spin by hand", [&] { return paid_ > before && !m_->spinning(); }, 10 * 60 * 1000);
            // Sometimes the next bet comes before the win has rolled up, sometimes after.
            if (draw(2) == 1) p_.advance(draw(3000));
            finishSeries();
            maybeGamble();
        }
        settle();
    }

    // After a win the player gambles it about a third of the time, a collected series total about half the
    // time; the gamble button must be there to be pressed.
    void maybeGamble() {
        if (failed() || !m_->w.doublebutton.enabled || !m_->w.doublebutton.visible) return;
        if (draw(seriesJustCollected_ ? 2 : 3) != 1) return;
        gamble();
    }

    void gambleBreak(const std::string& what) {
        if (gambleBreaks_++ == 0)
            firstGambleBreak_ = what + " after " + std::to_string(paid_) + " paid spins";
    }

    // The card shown face up in the gamble panel: 1 hearts, 2 clubs, 3 diamonds, 4 spades.
    int shownCard() const { return m_->w.gamble.piccardholder.picture.index; }

    // What a bet on the shown card does to the amount at risk, by the rules on the panel: a colour pays 2:1,
    // a suit 4:1; a right guess whose amount the credit could not hold leaves it as it was.
    bool rightGuess(int button, int card) const {
        const bool red = card == 1 || card == 3;
        if (button == 1) return red;
        if (button == 2) return !red && (card == 2 || card == 4);
        return card == button - 2;
    }
    void payRightGuess(int button) {
        const int64_t more = gambleBook_.atRisk * (button <= 2 ? 2 : 4);
        if (more <= INT32_MAX && m_->s.bank + more <= INT32_MAX) gambleBook_.atRisk = more;
    }

    // The gamble has ended with the player holding `paid` (0 for a lost card): the credit must stand at
    // what it was before the gamble opened, less the stake, plus what is paid and any money put in meanwhile,
    // and the won statistic must have moved by the gain.
    void endGamble(int64_t paid) {
        OpenGamble& g = gambleBook_;
        const auto& s = m_->s;
        const int64_t insertedSince = ledger().inserted - g.insertedBefore;
        if (s.bank != g.bankBefore + insertedSince - g.stake + paid) {
            gambleBreak("credit " + std::to_string(s.bank) + " after a gamble of " + std::to_string(g.stake) +
                        " paying " + std::to_string(paid) + ", expected " +
                        std::to_string(g.bankBefore + insertedSince - g.stake + paid));
        }
        const int64_t gain = paid > 0 ? paid - g.stake : 0;
        if (s.total != g.totalBefore + gain) {
            gambleBreak("won statistic moved by " + std::to_string(s.total - g.totalBefore) +
                        ", the gain was " + std::to_string(gain));
        }
        if (paid == 0) ledger().lost += g.stake;
        g = {};
    }

    // While a gamble runs the store holds the playing slot as if what is at risk had been taken (so that a
    // crash can neither lose it nor undo a lost card); once it has ended, as the window holds it.
    void checkStoredGamble(const char* where) {
        const OpenGamble& g = gambleBook_;
        const int64_t held = g.open ? g.atRisk : 0, gain = g.open ? g.atRisk - g.stake : 0;
        const int64_t bank = stored(playing(), "bank"), total = stored(playing(), "total");
        if (bank != m_->s.bank + held || total != m_->s.total + gain) {
            gambleBreak(std::string(where) + ": the store holds credit " + std::to_string(bank) +
                        " and won " + std::to_string(total) + ", the player owns " +
                        std::to_string(m_->s.bank + held) + " and won " + std::to_string(m_->s.total + gain));
        }
    }

    void gamble() {
        auto& panel = m_->w.gamble;
        OpenGamble& g = gambleBook_;
        g.bankBefore = m_->s.bank;
        g.totalBefore = m_->s.total;
        g.insertedBefore = ledger().inserted;
        p_.tap(m_->w.doublebutton);
        p_.advance(1);
        if (!m_->w.pandouble.visible) {
            gambleBreak("the gamble did not open");
            return;
        }
        ++gambles_;
        if (seriesJustCollected_) ++seriesGambled_;
        seriesJustCollected_ = false;
        g.open = true;
        g.stake = g.atRisk = lastWin_;
        if (gamble_->stake() != lastWin_) {
            gambleBreak("the gamble put " + std::to_string(gamble_->stake()) + " at risk, the win was " +
                        std::to_string(lastWin_));
        }
        check("gamble open");
        checkStoredGamble("gamble open");
        platform::Control* buttons[7] = {nullptr,           &panel.betred,     &panel.betblack,
                                         &panel.suitbet[1], &panel.suitbet[2], &panel.suitbet[3],
                                         &panel.suitbet[4]};
        const int most = draw(5);
        for (int bets = 0; g.open && !failed(); ++bets) {
            const int what = draw(40);
            if (what == 1) {
                // Money put in while the win is at risk goes into the credit at once.
                ++notesInGamble_;
                p_.tap(m_->w.notes);
                p_.advance(1);
                check("notes in gamble");
                checkStoredGamble("notes in gamble");
            } else if (what == 2) {
                ++closedInGamble_;
                restart(Moment::GambleOpen);
                return;
            } else if (what == 3) {
                ++closedInReveal_;
                lastButton_ = draw(6);
                p_.click(*buttons[lastButton_]);
                restart(Moment::CardRevealing);
                return;
            } else if (what == 4) {
                pokeDuringGamble();
            } else if (bets > 0 && (bets >= most || what <= 12)) {
                p_.click(panel.cancelbet);
                p_.advance(1);
                if (m_->w.pandouble.visible) {
                    gambleBreak("TAKE WIN left the gamble open");
                    return;
                }
                ++taken_;
                endGamble(g.atRisk);
                check("gamble taken");
                checkStoredGamble("gamble taken");
            } else {
                const int button = draw(6);
                p_.click(*buttons[button]);
                p_.advance(1);
                settleBet(button);
                check("gamble bet");
                checkStoredGamble("gamble bet");
            }
        }
    }

    // The player presses something of the machine while the win is at risk: a spin by hand or by key,
    // autoplay, COINS, OPTIONS. None of it may start a spin, open a window or touch the amount at risk.
    void pokeDuringGamble() {
        ++pokesInGamble_;
        const int64_t before = paid_;
        switch (draw(5)) {
            case 1:
                p_.tap(m_->w.pplay[draw(6)]);
                break;
            case 2:
                p_.typeKey(m_->w.orvelle, ' ');
                break;
            case 3:
                p_.tap(m_->w.autoplayon);
                break;
            case 4:
                p_.tap(m_->w.coinsin);
                break;
            default:
                p_.tap(m_->w.btnoptions);
                break;
        }
        p_.advance(draw(2000));
        if (paid_ != before || m_->spinning() || m_->autoplaymode != 0 || options_->isOpen() ||
            !m_->w.pandouble.visible || gamble_->atrisk != gambleBook_.atRisk) {
            gambleBreak("a press on the machine acted while the gamble was open");
        }
        check("poke in gamble");
    }

    // Reads the card a bet revealed and follows it: a right guess raises what is at risk, a wrong one loses
    // it and closes the gamble.
    void settleBet(int button) {
        const int card = shownCard();
        if (card < 1 || card > 4) {
            gambleBreak("no card face up after a bet");
            return;
        }
        if (rightGuess(button, card)) {
            ++wonBets_;
            payRightGuess(button);
            // The gamble stays open for the next bet, unless the game has closed meanwhile and taken it.
            if (m_->w.pandouble.visible == m_->closed() || gamble_->atrisk != gambleBook_.atRisk) {
                gambleBreak("a right guess shows " + std::to_string(gamble_->atrisk) + " at risk, expected " +
                            std::to_string(gambleBook_.atRisk));
            }
        } else {
            ++lostBets_;
            if (m_->w.pandouble.visible) gambleBreak("a lost card left the gamble open");
            endGamble(0);
        }
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

    // Opens the options window with its button, picks another slot (giving a vacant one a name first, as a
    // player must to have the machine show it), and closes the window with OK or its close box.
    void switchSlot() {
        settle();
        takeStatistics();
        // Now and then a coin is still on its way in as the options window opens.
        if (draw(4) == 1) {
            ++coinsInFlight_;
            p_.tap(m_->w.coinsin);
        }
        p_.tap(m_->w.btnoptions);
        p_.advance(1);
        if (!options_->isOpen()) {
            ++refusedOptions_;
            return;
        }
        pickAnotherSlot();
    }

    // With autoplay running the player presses OPTIONS at any moment, in a spin or between two, until the
    // window opens (or autoplay has stopped by itself). The window ends autoplay, nothing spins behind it,
    // and the player picks another slot there.
    void optionsDuringAutoplay() {
        for (int tries = 0; m_->autoplaymode != 0 && !options_->isOpen() && tries < 1000; ++tries) {
            p_.tap(m_->w.btnoptions);
            p_.advance(draw(1500));
        }
        if (!options_->isOpen()) return;
        ++optionsInAutoplay_;
        const int64_t before = paid_;
        const int32_t games = m_->s.games;
        p_.advance(draw(5000));
        if ((m_->autoplaymode != 0 || m_->spinning() || paid_ != before || m_->s.games != games) &&
            slotBreaks_++ == 0) {
            firstSlotBreak_ = "a spin ran behind the options window opened during autoplay";
        }
        takeStatistics();
        pickAnotherSlot();
    }

    // In the open options window: another slot, a name for a vacant one, perhaps settings, then OK or the
    // close box.
    void pickAnotherSlot() {
        int target = draw(5);
        if (target >= playing()) ++target;
        const bool vacant = options_->w.machine[target].caption == options::kVacant;
        p_.click(options_->w.machine[target]);
        p_.advance(1);
        if (m_->slotNumber() != target) {
            if (slotBreaks_++ == 0) firstSlotBreak_ = "slot " + std::to_string(target) + " was not selected";
            return;
        }
        ++switches_;
        if (ledger().visited) ++switchesBack_;
        ledger().visited = true;
        check("slot selected");
        takeStatistics();
        if (vacant) {
            static constexpr const char* kNames[] = {"", "Ada", "Bram", "Cleo", "Dov", "Esme", "Fynn"};
            options_->w.player1.caption = kNames[target];
            p_.typeKey(options_->w.frmorvelleoptions, 13);
            p_.advance(1);
            if (m_->s.currentplayer == kNames[target]) ++named_;
        }
        if (draw(2) == 1) chooseSettings();
        if (draw(2) == 1) {
            p_.click(options_->w.btnokplayer);
        } else {
            p_.closeWindow(options_->w.frmorvelleoptions);
        }
        p_.advance(1);
        if (options_->isOpen() && slotBreaks_++ == 0) firstSlotBreak_ = "the options window did not close";
        check("options closed");
        checkEverySlot("slot switch");
    }

    // In the open options window: the payout (which decides how often a winning outcome is voided and
    // drawn again), the reel speed, the win counter and the sound, each with its own option buttons.
    void chooseSettings() {
        static constexpr int16_t kPayouts[] = {5, 2, 1};
        static constexpr int16_t kSpeeds[] = {1, 2, 4, 8, 10};
        auto& o = options_->w;
        const int payout = draw(3) - 1, speed = draw(5) - 1, counter = draw(2), sound = draw(2);
        for (platform::Control* c :
             {&o.Amtpayout[static_cast<size_t>(payout)], &o.setspeed[static_cast<size_t>(speed)],
              &o.wincounter[static_cast<size_t>(counter)], &o.sounds[static_cast<size_t>(sound)]}) {
            p_.click(*c);
            p_.advance(1);
        }
        const auto& s = m_->s;
        if (s.machinepay != kPayouts[payout] || s.reelspeed != kSpeeds[speed] ||
            s.winroll != (counter == 1) || s.soundonoff != (sound == 1 ? -1 : 0)) {
            if (slotBreaks_++ == 0) firstSlotBreak_ = "a setting chosen in the options window did not take";
        }
        ++settingsChosen_;
        check("options settings");
    }

    // Closes the game with the close box (mid-spin, with a gamble open or a card being revealed now and then)
    // and starts it again on the same store. Coins beyond a million are taken out of each stored credit in
    // between, as a cashier would pay them out.
    void restart(Moment moment) {
        if (moment == Moment::Idle && draw(2) == 1) {
            topUp();
            p_.tap(m_->w.pplay[1]);
            p_.advance(draw(500));
        }
        p_.closeWindow(m_->w.orvelle);
        // The ledger is checked once the player has followed what the close did to a gamble.
        waitFor(
            "close", [this] { return m_->closed(); }, 30 * 60 * 1000, false);
        if (moment == Moment::CardRevealing) settleBet(lastButton_);
        // A gamble still open when the game closed is taken for the player: the amount at risk goes in.
        if (gambleBook_.open) endGamble(gambleBook_.atRisk);
        check("closed");
        checkEverySlot("closed", true);
        stop();
        p_.quitRequested = false;
        p_.messages.clear();
        p_.pointers.clear();
        auto& store = p_.memoryStore();
        for (int slot = 1; slot <= 6; ++slot) {
            const int64_t bank = stored(slot, "bank");
            if (bank > 1000000) {
                ++takeOuts_;
                ledgers_[static_cast<size_t>(slot)].takenOut += bank - 1000000;
                store.write(play::kApplication, play::playerSection(slot), "bank", "1000000");
            }
        }
        // A series left running on another slot than the first waits in the store for its player.
        for (int slot = 2; slot <= 6; ++slot) {
            if (play::readSeries(store, slot)) ++seriesLeftOnOtherSlots_;
        }
        ++restarts_;
        start();
        check("started");
        checkEverySlot("started");
    }

    platform::sim::SimPlatform p_;
    std::unique_ptr<play::Machine> m_;
    std::unique_ptr<gamble::Gamble> gamble_;
    std::unique_ptr<options::OptionsWindow> options_;
    core::SystemRandom choice_;
    std::array<Ledger, 7> ledgers_{};  // by slot, 1..6
    OpenGamble gambleBook_;
    int64_t lastWin_ = 0;  // the last win the player saw: a spin's, or a series total just collected
    bool seriesJustCollected_ = false;
    int lastButton_ = 0;
};

// ZEM_SOAK_SPINS sets the paid spins of the long form (10000000 for the full soak); the default keeps the
// test and its sanitizer build short. ZEM_SOAK_SEED plays another player.
TEST(Soak, ARestlessPlayerUsingEveryFeatureNeverGainsOrLosesACoin) {
    const char* env = std::getenv("ZEM_SOAK_SPINS");
    const int64_t spins = env != nullptr ? std::atoll(env) : 100000;
    const char* seed = std::getenv("ZEM_SOAK_SEED");
    RestlessPlayer player(seed != nullptr  ? std::strtoull(seed, nullptr, 10)
                          : env != nullptr ? 20261209
                                           : 4242);
    player.play(spins);
    EXPECT_GE(player.paid_, spins);
    EXPECT_EQ(player.ledgerBreaks_, 0) << player.firstBreak_;
    EXPECT_EQ(player.gambleBreaks_, 0) << player.firstGambleBreak_;
    EXPECT_EQ(player.slotBreaks_, 0) << player.firstSlotBreak_;
    EXPECT_EQ(player.storeBreaks_, 0) << player.firstStoreBreak_;
    EXPECT_GT(player.announcementChecks_, 0);
    EXPECT_EQ(player.badCounters_, 0);
    EXPECT_EQ(player.nested_, 0);
    EXPECT_EQ(player.stuck_, 0) << player.firstStuck_;
    // The run went everywhere it was meant to go.
    EXPECT_GT(player.series_, 0);
    EXPECT_GT(player.notes_, 0);
    EXPECT_GT(player.coins_, 0);
    EXPECT_GT(player.restarts_, 0);
    EXPECT_GT(player.closedInSeries_, 0);
    EXPECT_GT(player.seriesLeftOnOtherSlots_, 0);
    EXPECT_GT(player.refusedBets_, 0);
    EXPECT_GT(player.gambles_, 0);
    EXPECT_GT(player.seriesGambled_, 0);
    EXPECT_GT(player.wonBets_, 0);
    EXPECT_GT(player.lostBets_, 0);
    EXPECT_GT(player.taken_, 0);
    EXPECT_GT(player.closedInGamble_, 0);
    EXPECT_GT(player.closedInReveal_, 0);
    EXPECT_GT(player.notesInGamble_, 0);
    EXPECT_GT(player.pokesInGamble_, 0);
    EXPECT_GT(player.switches_, 0);
    EXPECT_GT(player.switchesBack_, 0);
    EXPECT_GT(player.named_, 0);
    EXPECT_GT(player.settingsChosen_, 0);
    EXPECT_GT(player.optionsTriedInSeries_, 0);
    EXPECT_GT(player.optionsInAutoplay_, 0);
    const std::pair<const char*, int64_t> counts[] = {
        {"paid spins", player.paid_},
        {"series collected by hand", player.series_},
        {"notes", player.notes_},
        {"coins", player.coins_},
        {"restarts", player.restarts_},
        {"closes during a series", player.closedInSeries_},
        {"restarts with a series left on another slot than the first", player.seriesLeftOnOtherSlots_},
        {"take-outs", player.takeOuts_},
        {"checks", player.checks_},
        {"of them during a free-spin announcement", player.announcementChecks_},
        {"gambles opened", player.gambles_},
        {"of them on a collected series", player.seriesGambled_},
        {"won bets", player.wonBets_},
        {"lost bets", player.lostBets_},
        {"wins taken", player.taken_},
        {"closes with a gamble open", player.closedInGamble_},
        {"closes during a reveal", player.closedInReveal_},
        {"notes in a gamble", player.notesInGamble_},
        {"other presses in a gamble", player.pokesInGamble_},
        {"slot switches", player.switches_},
        {"of them with a coin on its way in", player.coinsInFlight_},
        {"of them back to a slot played before", player.switchesBack_},
        {"slots named", player.named_},
        {"settings chosen in the options window", player.settingsChosen_},
        {"options refused", player.refusedOptions_},
        {"space keys the machine did not take", player.keysIgnored_},
        {"options tried over a waiting series", player.optionsTriedInSeries_},
        {"options opened during autoplay, with a slot switch", player.optionsInAutoplay_},
    };
    for (const auto& [what, count] : counts) std::printf("%12lld %s\n", static_cast<long long>(count), what);
}

}  // namespace
}  // namespace zem::testing
