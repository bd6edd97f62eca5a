// SPDX-License-Identifier: GPL-3.0-or-later
// The options window played as a person plays it on the headless back end: slots, names, deletion, closing,
// the statistics texts, the setting groups and the screen size.
#include "core/machine_math.h"
#include "options/options_window.h"
#include "options/player_names.h"
#include "options/slot_list.h"
#include "play/game_history.h"
#include "support/game_fixture.h"

#include <cstdio>
#include <map>

namespace zem::testing {
namespace {

using options::OptionsWindow;
using platform::MessageIcon;
using platform::MessageResult;

struct OptionsGame : Game {
    OptionsWindow o{m};

    // The OPTIONS picture pressed and released, as the player does.
    void openOptions() {
        p.tap(m.w.btnoptions);
        p.advance(1);
        ASSERT_TRUE(o.isOpen());
    }
    void pick(int slot) {
        p.click(o.w.machine[slot]);
        p.advance(1);
    }
    // Types a name into the name box and presses Enter.
    void enterName(const std::string& name) {
        o.w.player1.caption = name;
        p.typeKey(o.w.frmorvelleoptions, 13);
        p.advance(1);
    }
    void ok() {
        p.click(o.w.btnokplayer);
        p.advance(1);
    }
    std::string label(platform::Control& c) const { return c.caption; }
};

TEST(OptionsWindow, OpensOverADisabledMachineAndClosesEveryWayWithTheSameSteps) {
    OptionsGame g;
    g.store("currentplayer", "Mo");
    g.store("games", "2");
    g.store("wager", "50");
    g.store("total", "30");
    g.store("amountinvested", "100");
    g.start(70);
    g.openOptions();
    EXPECT_TRUE(g.o.w.frmorvelleoptions.visible);
    EXPECT_EQ(g.o.w.frmorvelleoptions.caption, "Orvelle Options");
    EXPECT_EQ(g.o.w.Framemain.caption, "Zemra Options");
    EXPECT_FALSE(g.m.w.orvelle.enabled) << "the machine is disabled while the options are open";
    EXPECT_FALSE(g.m.w.doublebutton.enabled);
    EXPECT_EQ(g.p.recorder().played(), (std::vector<int>{124, 124}))
        << "the options button's and the window's";
    // The opening saved the record before anything else read it.
    ASSERT_FALSE(g.p.memoryStore().writes.empty());
    EXPECT_EQ(g.p.memoryStore().writes.front().key, "howmanyspins");
    EXPECT_TRUE(g.o.w.machine[1].marked);
    EXPECT_EQ(g.o.w.machine[1].caption, "MO");
    for (int i = 2; i <= 6; ++i) EXPECT_EQ(g.o.w.machine[i].caption, "Vacant");
    EXPECT_EQ(g.p.focused, &g.o.w.player1);
    EXPECT_EQ(g.o.w.lblgames.caption, "Games Played            2");
    EXPECT_EQ(g.o.w.lblfreespins.caption, "Freespins Won            0") << "the opening's own text";
    EXPECT_EQ(g.o.w.lblcurrentplayer.caption, "Current Player    MO");
    EXPECT_EQ(g.o.w.lblwinlose.caption, "Winning/Losing           -30");
    EXPECT_EQ(g.o.w.lblreturned.caption, "Returned To Player     % 60");
    EXPECT_EQ(g.m.w.orvelle.caption, "Current Player       MO");

    // A click on the disabled machine does nothing while the options are open.
    g.p.tap(g.m.w.pplay[1]);
    g.p.advance(10);
    EXPECT_EQ(g.m.s.games, 2);

    g.ok();
    EXPECT_FALSE(g.o.isOpen());
    EXPECT_TRUE(g.m.w.orvelle.enabled);
    EXPECT_TRUE(g.m.w.orvelle.visible);
    EXPECT_FALSE(g.m.w.doublebutton.enabled);
    EXPECT_EQ(g.p.focused, &g.m.w.orvelle) << "the space key plays again";

    // Every way of closing ends alike: the close box, the delete question answered No.
    g.openOptions();
    g.p.closeWindow(g.o.w.frmorvelleoptions);
    g.p.advance(1);
    EXPECT_FALSE(g.o.isOpen());
    EXPECT_TRUE(g.m.w.orvelle.enabled);
    g.openOptions();
    g.p.answers.push_back(MessageResult::No);
    g.p.click(g.o.w.Btndeletedetails);
    g.p.advance(1);
    EXPECT_FALSE(g.o.isOpen());
    EXPECT_TRUE(g.m.w.orvelle.enabled);
    EXPECT_EQ(g.m.s.bank, 70) << "No deletes nothing";
    EXPECT_EQ(g.stored("bank"), "70");

    // The machine plays again.
    g.script(blankStops());
    g.bet(1);
    EXPECT_EQ(g.m.s.games, 3);
}

TEST(OptionsWindow, TheCloseBoxAndEscapeStoreExactlyWhatTheOkButtonStores) {
    std::map<std::string, std::string> stored[3];
    for (int way = 0; way < 3; ++way) {
        OptionsGame g;
        for (const char* key : play::kRecordKeys) g.store(key, "0", 3);
        g.store("currentplayer", "Ida", 3);
        g.store("bank", "900", 3);
        g.start(500);
        g.openOptions();
        g.pick(3);
        EXPECT_EQ(g.m.s.reelspeed, 0);
        g.p.click(g.o.w.sounds[2]);
        g.p.click(g.o.w.Amtpayout[1]);
        g.p.advance(1);
        g.p.memoryStore().writes.clear();
        if (way == 0) {
            g.ok();
        } else {
            if (way == 1) g.p.closeWindow(g.o.w.frmorvelleoptions);
            if (way == 2) g.p.pressEscape(g.o.w.frmorvelleoptions);
            g.p.advance(1);
        }
        EXPECT_FALSE(g.o.isOpen());
        for (const char* key : play::kRecordKeys) stored[way][key] = g.stored(key, 3).value_or("<missing>");
        EXPECT_EQ(g.stored("reelspeed", 3), "1") << "a reel speed of 0 is stored as 1";
        EXPECT_EQ(g.stored("soundonoff", 3), "0");
        EXPECT_EQ(g.stored("machinepay", 3), "2");
        ASSERT_GE(g.p.memoryStore().writes.size(), 11u);
        EXPECT_EQ(g.p.memoryStore().writes.back().section, "player3");
        EXPECT_EQ(g.p.memoryStore().writes.back().key, "currentplayer");
    }
    EXPECT_EQ(stored[0], stored[1]);
    EXPECT_EQ(stored[0], stored[2]);
}

TEST(OptionsWindow, NamesAreEnteredWithEnterCheckedForLengthAndShownInUpperCase) {
    OptionsGame g;
    g.store("currentplayer", "Old");
    g.start(300);
    g.openOptions();

    // Other keys go into the box; only Enter acts.
    int key = 'a';
    g.o.nameKey(key);
    EXPECT_EQ(key, 'a');

    g.enterName("");
    ASSERT_EQ(g.p.messages.size(), 1u);
    EXPECT_EQ(g.p.messages[0].text, "Nothing Entered");
    EXPECT_EQ(g.p.messages[0].title, "Slots_orvelle");
    EXPECT_EQ(g.p.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(g.o.w.lblcurrentplayer.caption, "Current Player  OLD");

    g.enterName("Abcdefghijklm");  // 13
    ASSERT_EQ(g.p.messages.size(), 2u);
    EXPECT_EQ(g.p.messages[1].text, "Name Too Long");
    EXPECT_EQ(g.o.w.player1.caption, "");
    EXPECT_EQ(g.stored("currentplayer"), "Old") << "a refused name stores nothing";
    EXPECT_EQ(g.m.s.currentplayer, "Old");

    g.enterName("MaRy-Jo Smit");  // 12, mixed case
    EXPECT_EQ(g.p.messages.size(), 2u);
    EXPECT_EQ(g.stored("currentplayer"), "MaRy-Jo Smit") << "stored as typed, right away";
    EXPECT_EQ(g.o.w.player1.caption, "");
    EXPECT_EQ(g.o.w.lblcurrentplayer.caption, "Current Player  MARY-JO SMIT");
    EXPECT_EQ(g.o.w.machine[1].caption, "MARY-JO SMIT");
    EXPECT_EQ(g.m.w.orvelle.caption, "Current Player       MARY-JO SMIT");
    EXPECT_EQ(g.m.w.PANELBANK.caption, "300");

    // Twelve characters a person sees, however many bytes: accepted; thirteen are not.
    g.enterName("Zoë Łukasiewi");  // 13 letters, more bytes
    EXPECT_EQ(g.p.messages.size(), 3u);
    g.enterName("Zoë Łukasiew");  // 12
    EXPECT_EQ(g.p.messages.size(), 3u);
    EXPECT_EQ(g.stored("currentplayer"), "Zoë Łukasiew");
    EXPECT_EQ(g.o.w.machine[1].caption, "ZOË ŁUKASIEW");
    g.enterName(
        "e\xCC\x81"
        "abcdefghijk");  // an e with a combining accent and 11 letters: 12 seen
    EXPECT_EQ(g.p.messages.size(), 3u);
    g.ok();
    EXPECT_EQ(g.stored("currentplayer"),
              "e\xCC\x81"
              "abcdefghijk");
}

TEST(OptionsWindow, ANeverUsedSlotIsVacantWithNoCreditAndKeepsThePreviousSoundSetting) {
    OptionsGame g;
    g.store("currentplayer", "Ann");
    g.store("howmanyspins", "7");
    g.store("games", "4");
    g.store("wager", "100");
    g.store("reelspeed", "8");
    g.store("winroll", "1");
    g.start(2500, 2, -1, 1);
    g.m.s.reelspeed = 8;
    g.openOptions();
    EXPECT_TRUE(g.o.w.setspeed[3].marked);
    EXPECT_EQ(g.o.w.speedlab.caption, "Current Speed =   4");
    EXPECT_TRUE(g.o.w.wincounter[1].marked);
    EXPECT_EQ(g.o.w.wincounter[1].caption, " ON");
    EXPECT_TRUE(g.o.w.sounds[1].marked);
    EXPECT_TRUE(g.o.w.Amtpayout[1].marked);

    g.pick(5);
    EXPECT_EQ(g.m.playerslot, "5");
    EXPECT_EQ(g.o.w.machine[5].caption, "Vacant");
    EXPECT_EQ(g.m.s.bank, 0);
    EXPECT_EQ(g.m.w.PANELBANK.caption, "0") << "the credit meter follows the new player at once";
    EXPECT_EQ(g.m.w.Lblcredit.caption, "$ 0");
    EXPECT_EQ(g.m.w.orvelle.caption, "Current Player       ");
    EXPECT_EQ(g.m.s.reelspeed, 1);
    EXPECT_EQ(g.m.s.machinepay, 5);
    EXPECT_EQ(g.m.s.winroll, 0);
    EXPECT_EQ(g.m.s.howmanyspins, 0) << "a new player does not inherit another's free-spin features";
    EXPECT_EQ(g.m.s.soundonoff, -1) << "the sound setting carries over";
    EXPECT_EQ(g.o.w.lblgames.caption, "Games Played          ");
    EXPECT_EQ(g.o.w.lblreturned.caption, "Returned To Player ");
    EXPECT_EQ(g.o.w.lblcurrentplayer.caption, "Current Player    ");
    EXPECT_TRUE(g.o.w.setspeed[0].marked);
    EXPECT_EQ(g.o.w.speedlab.caption, "Current Speed =   1");
    EXPECT_TRUE(g.o.w.wincounter[2].marked);
    EXPECT_FALSE(g.o.w.wincounter[1].marked);
    EXPECT_EQ(g.o.w.wincounter[2].caption, " OFF");
    EXPECT_EQ(g.o.w.wincounter[1].caption, "");
    EXPECT_TRUE(g.o.w.Amtpayout[0].marked) << "the payout mark follows the new player's setting";
    EXPECT_FALSE(g.o.w.Amtpayout[1].marked);
    EXPECT_TRUE(g.o.w.sounds[1].marked) << "and the sound mark the setting carried over";
    // Ann's record was in the store before slot 5 was read.
    EXPECT_EQ(g.stored("bank", 1), "2500");
    EXPECT_EQ(g.stored("howmanyspins", 1), "7");

    g.ok();
    EXPECT_EQ(g.stored("soundonoff", 5), "-1") << "stored with the new slot";
    EXPECT_EQ(g.stored("howmanyspins", 5), "0");
    EXPECT_EQ(g.stored("reelspeed", 5), "1");
    EXPECT_EQ(g.stored("currentplayer", 5), "");
    EXPECT_EQ(g.m.playerslot, "5") << "the slot stays in force after closing";
}

TEST(OptionsWindow, DeletingKeepsNameAndSettingsZeroesCreditAndStatisticsOnYes) {
    OptionsGame g;
    g.store("currentplayer", "Kim");
    g.store("games", "3");
    g.store("wager", "300");
    g.store("total", "287");
    g.store("amountinvested", "400");
    g.store("howmanyspins", "2");
    play::GameRecord kept;
    kept.number = kept.lines = kept.coins = 1;
    kept.stops = {1, 1, 1, 1, 1};
    kept.window.fill(1);
    g.store("game1", play::formatGame(kept));
    g.start(150, 1, 0, 1);
    g.m.s.reelspeed = 4;
    ASSERT_EQ(g.m.history.games().size(), 1u);
    g.openOptions();
    EXPECT_EQ(g.o.w.lblreturned.caption, "Returned To Player     % 95");
    EXPECT_EQ(g.o.w.lblwinlose.caption, "Winning/Losing           -250");

    g.p.answers.push_back(MessageResult::Yes);
    g.p.click(g.o.w.Btndeletedetails);
    g.p.advance(1);
    ASSERT_EQ(g.p.messages.size(), 1u);
    EXPECT_EQ(g.p.messages[0].text, "Are you sure you want to Delete Current Player's Details ?");
    EXPECT_EQ(g.p.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(g.p.messages[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(g.p.messages[0].defaultButton, MessageResult::No);
    EXPECT_EQ(g.p.messages[0].title, "Slots_orvelle");
    EXPECT_FALSE(g.o.isOpen());
    EXPECT_EQ(g.m.s.currentplayer, "Kim");
    EXPECT_EQ(g.m.s.soundonoff, 0);
    EXPECT_EQ(g.m.s.winroll, 1);
    EXPECT_EQ(g.m.s.reelspeed, 4);
    EXPECT_EQ(g.m.s.machinepay, 5);
    for (int32_t v : {g.m.s.bank, g.m.s.games, g.m.s.wager, g.m.s.total, g.m.s.amountinvested})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(g.m.s.howmanyspins, 0);
    EXPECT_EQ(g.stored("bank"), "0");
    EXPECT_EQ(g.stored("machinepay"), "5");
    EXPECT_EQ(g.stored("currentplayer"), "Kim");
    EXPECT_EQ(g.stored("reelspeed"), "4");
    EXPECT_TRUE(g.m.history.games().empty()) << "the games kept for recall go too";
    EXPECT_EQ(g.stored("game1"), "");
    EXPECT_TRUE(play::readHistory(g.p.store(), 1).empty());
    EXPECT_EQ(g.m.w.PANELBANK.caption, "") << "the credit labels are emptied";
    EXPECT_EQ(g.m.w.Lblcredit.caption, "");
    EXPECT_EQ(g.o.w.lblreturned.caption, "Returned To Player     % ");
    EXPECT_EQ(g.o.w.lblgames.caption, "Games Played            0");
    EXPECT_EQ(g.o.w.lblfreespins.caption, "Freespins Won     0");
    EXPECT_EQ(g.o.w.lblcurrentplayer.caption, "Current Player   KIM");
    EXPECT_EQ(g.o.w.machine[1].caption, "KIM") << "the slot's button keeps its caption";
    EXPECT_TRUE(g.m.w.orvelle.enabled);
}

TEST(OptionsWindow, SettingGroupsChangeTheSettingsAtOnce) {
    OptionsGame g;
    for (const char* key : play::kRecordKeys) g.store(key, "0", 2);
    g.store("currentplayer", "Sal", 2);
    g.start(100);
    g.openOptions();
    g.p.click(g.o.w.setspeed[2]);
    g.p.advance(1);
    EXPECT_EQ(g.m.s.reelspeed, 4);
    EXPECT_EQ(g.o.w.speedlab.caption, "Current Speed =   3");
    EXPECT_TRUE(g.o.w.setspeed[2].marked);
    EXPECT_FALSE(g.o.w.setspeed[0].marked);

    g.p.click(g.o.w.wincounter[1]);
    g.p.advance(1);
    EXPECT_EQ(g.m.s.winroll, 1);
    EXPECT_EQ(g.o.w.wincounter[1].caption, " ON");
    g.p.click(g.o.w.wincounter[2]);
    g.p.advance(1);
    EXPECT_EQ(g.m.s.winroll, 0);
    EXPECT_EQ(g.o.w.wincounter[2].caption, " OFF");
    EXPECT_EQ(g.o.w.wincounter[1].caption, "") << "the first option's caption is cleared";

    g.p.click(g.o.w.sounds[2]);
    g.p.advance(1);
    EXPECT_EQ(g.m.s.soundonoff, 0);
    g.p.click(g.o.w.sounds[1]);
    g.p.advance(1);
    EXPECT_EQ(g.m.s.soundonoff, -1);
    const int16_t pays[3] = {5, 2, 1};
    for (int k = 0; k <= 2; ++k) {
        g.p.click(g.o.w.Amtpayout[k]);
        g.p.advance(1);
        EXPECT_EQ(g.m.s.machinepay, pays[k]);
    }
    // The given hint, followed by what the setting returns.
    for (const auto& c : g.o.w.Amtpayout)
        EXPECT_EQ(c.hint.rfind("Set Payout Percentages: ", 0), 0u) << c.hint;

    // A slot stored with reel speed 0 marks no speed option, and 1 is stored for it at closing.
    g.pick(2);
    EXPECT_EQ(g.m.s.reelspeed, 0);
    for (const auto& c : g.o.w.setspeed) EXPECT_FALSE(c.marked);
    EXPECT_EQ(g.o.w.speedlab.caption, "") << "no speed is in force until the window closes";
    g.ok();
    EXPECT_EQ(g.m.s.reelspeed, 1);
    EXPECT_EQ(g.stored("reelspeed", 2), "1");
    // Slot 1 was saved with the settings chosen for it before slot 2 was read.
    EXPECT_EQ(g.stored("reelspeed", 1), "4");
    EXPECT_EQ(g.stored("machinepay", 1), "1");
}

TEST(OptionsWindow, EachPayoutHintSaysTheReturnOfItsSettingForTheLinesPlayed) {
    OptionsGame g;
    g.start(100);
    g.openOptions();
    EXPECT_EQ(g.o.w.Amtpayout[0].hint, "Set Payout Percentages: this setting returns 108.6 % of the bets");
    EXPECT_EQ(g.o.w.Amtpayout[1].hint, "Set Payout Percentages: this setting returns 121.9 % of the bets");
    EXPECT_EQ(g.o.w.Amtpayout[2].hint, "Set Payout Percentages: this setting returns 172.1 % of the bets");
    g.ok();
    // One line played: the figures of one line.
    g.p.tap(g.m.w.payline[1]);
    g.p.advance(1);
    g.openOptions();
    char expected[96];
    std::snprintf(expected, sizeof expected,
                  "Set Payout Percentages: this setting returns %.1f %% of the bets",
                  core::returnToPlayer(5, 1) * 100.0);
    EXPECT_EQ(g.o.w.Amtpayout[0].hint, expected);
}

TEST(OptionsWindow, StoredNamesOfAnyContentNeverBreakTheWindowAndAreCutToFit) {
    OptionsGame g;
    g.store("currentplayer", std::string(10000, 'x'), 1);
    g.store("currentplayer", "a=b]c\r\n[player1]\nbank=99", 2);
    g.store("currentplayer", std::string("\xFF\xFE\xC3") + "ok\x80", 3);
    g.store("currentplayer", "\t", 4);
    g.start(10);
    g.openOptions();
    EXPECT_EQ(g.o.w.machine[1].caption, std::string(12, 'X'));
    EXPECT_EQ(g.m.w.orvelle.caption, "Current Player       " + std::string(12, 'X'));
    EXPECT_EQ(g.o.w.machine[2].caption, "A=B]C  [PLAY") << "line ends shown as blanks";
    EXPECT_EQ(g.o.w.machine[3].caption, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDOK\xEF\xBF\xBD");
    EXPECT_EQ(g.o.w.machine[4].caption, " ");
    g.pick(2);
    EXPECT_EQ(g.m.s.currentplayer, "a=b]c\r\n[player1]\nbank=99") << "the record keeps what was stored";
    g.ok();
    EXPECT_EQ(g.stored("currentplayer", 2), "a=b]c\r\n[player1]\nbank=99");
    EXPECT_EQ(g.stored("bank", 1), "10");
}

// Three named players take turns at the machine; after a restart each finds the credit and statistics they
// left.
TEST(OptionsWindow, ThreePlayersTakeTurnsAndFindTheirRecordsAfterARestart) {
    platform::sim::MemoryStore saved;
    struct Expect {
        int32_t bank, games, wager;
    };
    std::map<int, Expect> expected;
    {
        OptionsGame g;
        g.start(1000);
        const std::pair<int, const char*> players[] = {{1, "Ada"}, {3, "Bea"}, {6, "Cy"}};
        int round = 0;
        for (int turn = 0; turn < 2; ++turn) {
            for (const auto& [slot, name] : players) {
                g.openOptions();
                g.pick(slot);
                if (turn == 0) g.enterName(name);
                g.ok();
                if (g.m.s.bank < 100) {
                    g.p.tap(g.m.w.notes);
                    g.p.advance(1);
                }
                for (int spin = 0; spin <= round % 3; ++spin) {
                    g.script(blankStops());
                    g.bet(1);
                    g.idle(3000);
                }
                ++round;
                expected[slot] = {g.m.s.bank, g.m.s.games, g.m.s.wager};
                EXPECT_EQ(g.m.w.PANELBANK.caption, std::to_string(g.m.s.bank));
            }
        }
        g.m.requestClose();
        ASSERT_TRUE(g.m.closed());
        saved.values = g.p.memoryStore().values;
    }
    OptionsGame h;
    h.p.memoryStore().values = saved.values;
    h.m.startup();
    const std::map<int, std::string> names = {{1, "ADA"}, {3, "BEA"}, {6, "CY"}};
    for (const auto& [slot, e] : expected) {
        h.openOptions();
        h.pick(slot);
        EXPECT_EQ(h.m.s.bank, e.bank) << "slot " << slot;
        EXPECT_EQ(h.m.s.games, e.games) << "slot " << slot;
        EXPECT_EQ(h.m.s.wager, e.wager) << "slot " << slot;
        EXPECT_GT(h.m.s.games, 0);
        EXPECT_EQ(h.m.w.orvelle.caption, "Current Player       " + names.at(slot));
        EXPECT_EQ(h.o.w.lblgames.caption, "Games Played            " + std::to_string(e.games));
        h.ok();
    }
}

TEST(OptionsWindow, ASeriesLeftOnAnotherSlotGoesOnWhenItsPlayerIsChosen) {
    // Slot 3's player was in a series when the game ended: 4 of 11 spins played, 300 won so far.
    OptionsGame g;
    const std::map<std::string, std::string> series = {
        {"bank", "1000"},         {"amountinvested", "1000"}, {"wager", "25"},        {"total", "325"},
        {"games", "1"},           {"currentplayer", "Cy"},    {"reelspeed", "1"},     {"machinepay", "1"},
        {"freespinstotal", "11"}, {"freespinsplayed", "4"},   {"freespinwin", "300"}, {"winmultiplier", "1"},
        {"linesplayed", "10"},    {"coinsperline", "2"},      {"reelstop1", "3"},     {"reelstop2", "7"},
        {"reelstop3", "11"},      {"reelstop4", "2"},         {"reelstop5", "20"},    {"wildhold2", "0"},
        {"wildhold3", "0"},       {"wildhold4", "0"}};
    for (const auto& [key, value] : series) g.store(key, value, 3);
    g.start(5000);
    EXPECT_EQ(g.stored("bank", 3), "1000") << "the start leaves another player's series alone";
    EXPECT_EQ(g.stored("freespinwin", 3), "300");

    g.openOptions();
    g.pick(3);
    EXPECT_EQ(g.m.s.freespinstotal, 11);
    EXPECT_EQ(g.m.s.freespinsplayed, 4);
    EXPECT_EQ(g.m.s.freespinwin, 300);
    EXPECT_FALSE(g.m.Timerrespin.enabled()) << "no free spin while the options window is open";
    g.ok();
    EXPECT_EQ(g.m.s.freespinmode, -1);
    EXPECT_EQ(g.m.s.totalBet(), 20) << "the series keeps the bet that started it";
    EXPECT_EQ(g.m.w.spinsleft.caption, "     Freespins Remaining  7");
    EXPECT_EQ(g.p.recorder().current(), 117);
    EXPECT_FALSE(g.m.w.pplay[1].enabled);

    for (int spin = 5; spin <= 11; ++spin) g.scriptFree(blankStops());
    ASSERT_TRUE(g.p.runUntil([&] { return g.m.w.takewin.visible && g.m.w.takewin.enabled; }, 20 * 60 * 1000));
    EXPECT_EQ(g.m.s.freespinsplayed, 11);
    g.p.click(g.m.w.takewin);
    g.p.advance(1);
    EXPECT_EQ(g.m.s.bank, 1300);
    EXPECT_EQ(g.stored("bank", 3), "1300");
    EXPECT_EQ(g.stored("freespinwin", 3), "0");
    EXPECT_EQ(g.stored("bank", 1), "5000") << "slot 1 played none of it";
}

TEST(OptionsWindow, TheScreenButtonsAskForTheModeMoveTheMachineAndClose) {
    OptionsGame g;
    g.start(100);
    g.m.w.orvelle.left = 300;
    g.p.simDisplay().size = {800, 600};
    g.openOptions();
    g.p.click(g.o.w.cmdlargescreen);
    g.p.advance(1);
    ASSERT_EQ(g.p.messages.size(), 1u);
    EXPECT_EQ(g.p.messages[0].text, "Already 800 X 600 resolution !!\r\n");
    EXPECT_EQ(g.p.messages[0].title, "Slots_orvelle");
    EXPECT_TRUE(g.p.simDisplay().requests.empty()) << "no mode is asked for";
    EXPECT_FALSE(g.o.isOpen());
    EXPECT_TRUE(g.m.w.orvelle.enabled);

    for (platform::ScreenSize size : {platform::ScreenSize{1024, 768}, platform::ScreenSize{1024, 600}}) {
        OptionsGame h;
        h.start(100);
        h.p.simDisplay().size = size;
        h.p.simDisplay().original = size;
        h.m.w.orvelle.left = 300;
        h.m.w.orvelle.top = 200;
        h.openOptions();
        h.p.click(h.o.w.cmdlargescreen);
        h.p.advance(1);
        ASSERT_EQ(h.p.simDisplay().requests.size(), 1u);
        EXPECT_EQ(h.p.simDisplay().requests[0].width, 800);
        EXPECT_EQ(h.p.simDisplay().requests[0].height, 600);
        EXPECT_EQ(h.m.w.orvelle.left, 0);
        EXPECT_EQ(h.m.w.orvelle.top, 0);
        EXPECT_FALSE(h.m.w.orvelle.fillScreen) << "the display took the mode";
        EXPECT_FALSE(h.o.isOpen());
        EXPECT_TRUE(h.p.messages.empty());

        h.openOptions();
        h.p.click(h.o.w.cmdorigonal);
        h.p.advance(1);
        ASSERT_EQ(h.p.simDisplay().requests.size(), 2u);
        EXPECT_EQ(h.p.simDisplay().requests[1].width, 0);
        EXPECT_EQ(h.p.simDisplay().screen().width, size.width);
        EXPECT_FALSE(h.o.isOpen());
    }

    // A display that does not switch modes: the machine window is shown scaled up instead, and back.
    OptionsGame k;
    k.start(100);
    k.p.simDisplay().changeable = false;
    k.openOptions();
    k.p.click(k.o.w.cmdlargescreen);
    k.p.advance(1);
    EXPECT_TRUE(k.m.w.orvelle.fillScreen);
    EXPECT_FALSE(k.o.isOpen());
    k.openOptions();
    k.p.click(k.o.w.cmdorigonal);
    k.p.advance(1);
    EXPECT_FALSE(k.m.w.orvelle.fillScreen);
}

TEST(OptionsWindow, ReturnedToPlayerWithNothingWageredShowsNoNumber) {
    OptionsGame g;
    g.store("games", "5");
    g.store("wager", "0");
    g.store("total", "40");
    g.start(100);
    g.openOptions();
    EXPECT_EQ(g.o.w.lblreturned.caption, "Returned To Player     % ");
    EXPECT_EQ(g.o.w.lblgames.caption, "Games Played            5");
}

TEST(OptionsWindow, ChoosingTheChosenSlotKeepsWhatIsInForceAndAFailingStoreNeverTakesItBack) {
    OptionsGame g;
    g.store("bank", "700", 2);
    g.start(1000);
    g.openOptions();
    g.p.click(g.o.w.setspeed[3]);
    g.p.click(g.o.w.Amtpayout[2]);
    g.p.click(g.o.w.wincounter[1]);
    g.pick(1);  // the slot already marked
    EXPECT_EQ(g.m.s.reelspeed, 8);
    EXPECT_EQ(g.m.s.machinepay, 1);
    EXPECT_EQ(g.m.s.winroll, 1);
    EXPECT_TRUE(g.o.w.setspeed[3].marked);
    EXPECT_TRUE(g.o.w.Amtpayout[2].marked);
    EXPECT_EQ(g.o.w.speedlab.caption, "Current Speed =   4");
    g.ok();

    // The store stops taking writes: the credit won since stays in play through the options window, and
    // the player cannot leave it behind for another slot.
    g.p.memoryStore().failWrites = true;
    g.script(Stops{21, 20, 16, 17, 7});  // 1525
    g.bet(1);
    const int32_t bank = 1000 - 25 + 1525;
    ASSERT_EQ(g.m.s.bank, bank);
    ASSERT_EQ(g.p.messages.size(), 1u) << "told once that progress is not saved";
    g.openOptions();
    EXPECT_EQ(g.m.s.bank, bank);
    EXPECT_EQ(g.m.s.games, 1);
    g.pick(2);
    EXPECT_EQ(g.m.playerslot, "1");
    EXPECT_TRUE(g.o.w.machine[1].marked);
    EXPECT_FALSE(g.o.w.machine[2].marked);
    g.ok();
    EXPECT_EQ(g.m.s.bank, bank);
    EXPECT_EQ(g.m.w.PANELBANK.caption, std::to_string(bank));
    EXPECT_EQ(g.p.messages.size(), 1u);
}

// Autoplay runs for player 1; player 2 has a credit of 700 in the store.
struct AutoplayGame : OptionsGame {
    AutoplayGame() {
        p.memoryStore().values[{"zem", "notice", "autoplay"}] = "-1";
        store("bank", "700", 2);
        start(10000);
        for (int i = 0; i < 50; ++i) script(blankStops());
        p.tap(m.w.autoplayon);
        p.advance(1);
    }
};

TEST(OptionsInPlay, OpeningTheOptionsEndsAutoplayAndNothingSpinsBehindTheWindow) {
    AutoplayGame g;
    ASSERT_TRUE(g.p.runUntil([&] { return g.m.s.games == 3 && !g.m.spinning(); }, 60000));
    g.openOptions();
    EXPECT_EQ(g.m.autoplaymode, 0);
    g.p.advance(4000);
    EXPECT_EQ(g.m.s.games, 3);
    g.pick(2);
    g.p.advance(4000);
    EXPECT_EQ(g.m.s.games, 0);
    g.ok();
    g.p.advance(4000);
    EXPECT_EQ(g.m.s.bank, 700) << "the new player's credit is not played by the old player's autoplay";
    EXPECT_EQ(g.stored("games", 1), "3");
    EXPECT_EQ(g.stored("bank", 1), std::to_string(10000 - 3 * 25));
    // The machine stands as after AUTO OFF.
    EXPECT_TRUE(g.m.w.pplay[1].enabled);
    EXPECT_TRUE(g.m.w.autoplayon.enabled);
    EXPECT_TRUE(g.m.w.mnuabout.enabled || !g.m.openers.about);
    EXPECT_TRUE(g.m.keyboardPlay());
}

TEST(OptionsInPlay, NoSwitchOrDeleteAtAnyEventStepOfASpinMovesACoin) {
    const int32_t bank = 1000 - 25 + 1525;
    for (const bool deleting : {false, true}) {
        int step = 1;
        for (; step < 100; ++step) {
            OptionsGame g;
            g.store("bank", "700", 2);
            g.start(1000);
            g.script(Stops{21, 20, 16, 17, 7});  // 1525
            int calls = 0;
            // At the chosen step of the spin the player presses OPTIONS and, in the window, another slot or
            // the delete button.
            g.p.onDoEvents = [&] {
                if (!g.m.spinning() || ++calls != step) return;
                g.p.tap(g.m.w.btnoptions);
                if (deleting) {
                    g.p.answers.push_back(MessageResult::Yes);
                    g.p.click(g.o.w.Btndeletedetails);
                } else {
                    g.p.click(g.o.w.machine[2]);
                }
            };
            g.bet(1);
            g.p.onDoEvents = {};
            g.p.advance(3000);
            if (calls < step) break;  // every step of the spin has been tried
            if (g.o.isOpen()) g.ok();
            EXPECT_EQ(g.m.s.games, 1) << "step " << step;
            EXPECT_EQ(g.stored("bank", 1), std::to_string(bank))
                << "step " << step << (deleting ? " delete" : "");
            EXPECT_EQ(g.stored("games", 1), "1") << "step " << step;
            EXPECT_EQ(g.stored("bank", 2), "700") << "step " << step << (deleting ? " delete" : "");
        }
        // Every step was tried: the spin lets events in at its start, its first reel and in its evaluation.
        EXPECT_GE(step, 5);
    }
}

TEST(OptionsInPlay, AFreeSpinSeriesStaysWithThePlayerWhoWonIt) {
    OptionsGame g;
    g.store("bank", "700", 2);
    g.start(10000);
    g.script(threeScatters());
    for (int i = 0; i < 10; ++i) g.scriptFree(blankStops());
    g.bet(1);
    ASSERT_TRUE(g.p.runUntil([&] { return g.m.w.takewin.visible && g.m.w.takewin.enabled; }, 600000));
    const int32_t total = g.m.s.freespinwin;
    ASSERT_GT(total, 0);
    // AUTO OFF makes OPTIONS pressable while the total waits; it still does not open.
    g.p.tap(g.m.w.autoplayoff);
    g.p.tap(g.m.w.btnoptions);
    g.p.advance(1);
    EXPECT_FALSE(g.o.isOpen());
    // Nor does a window that is open anyway switch or clear the player.
    g.o.open();
    g.pick(2);
    g.p.answers.push_back(MessageResult::Yes);
    g.p.click(g.o.w.Btndeletedetails);
    g.p.advance(1);
    EXPECT_EQ(g.m.playerslot, "1");
    EXPECT_TRUE(g.o.w.machine[1].marked);
    EXPECT_EQ(g.m.s.bank, 10000 - 25);
    g.ok();
    g.p.click(g.m.w.takewin);
    g.p.advance(1);
    EXPECT_EQ(g.stored("bank", 1), std::to_string(10000 - 25 + total));
    EXPECT_EQ(g.stored("bank", 2), "700");
    EXPECT_FALSE(g.stored("freespinwin", 2));
}

TEST(SlotList, CaptionsOfEveryStoreContent) {
    platform::sim::MemoryStore store;
    auto captions = options::slotCaptions(store);
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(captions[static_cast<size_t>(i)], "Vacant");
    store.values[{"zem", "player2", "currentplayer"}] = "bo";
    store.values[{"zem", "player4", "currentplayer"}] = "";
    captions = options::slotCaptions(store);
    EXPECT_EQ(captions[2], "BO");
    EXPECT_EQ(captions[4], "Vacant");
}

TEST(SlotList, EveryFailedKeySetsTheReelSpeedToOneWhereItFalls) {
    platform::sim::MemoryStore store;
    core::MachineState s;
    s.soundonoff = -1;
    s.howmanyspins = 9;
    s.bank = 77;
    EXPECT_EQ(options::loadSlot(s, store, 3), 11);
    EXPECT_EQ(s.reelspeed, 1);
    EXPECT_EQ(s.bank, 0);
    EXPECT_EQ(s.howmanyspins, 0);
    EXPECT_EQ(s.soundonoff, -1);
    EXPECT_EQ(s.machinepay, 5);

    for (const char* key : play::kRecordKeys) store.values[{"zem", "player3", key}] = "8";
    store.values[{"zem", "player3", "currentplayer"}] = "Al";
    EXPECT_EQ(options::loadSlot(s, store, 3), 0);
    EXPECT_EQ(s.reelspeed, 8);
    store.values[{"zem", "player3", "howmanyspins"}] = "x";  // fails before the reel speed is read
    EXPECT_EQ(options::loadSlot(s, store, 3), 1);
    EXPECT_EQ(s.reelspeed, 8);
    store.values[{"zem", "player3", "games"}] = "99999999999";  // fails after it
    EXPECT_EQ(options::loadSlot(s, store, 3), 2);
    EXPECT_EQ(s.reelspeed, 1);
    EXPECT_EQ(s.games, 0);
}

}  // namespace
}  // namespace zem::testing
