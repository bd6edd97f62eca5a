// SPDX-License-Identifier: GPL-3.0-or-later
// The machine window's keys: each does what a click on its control does at that moment, and nothing while the
// control is hidden or disabled. Two machines play the same steps, one with the mouse and one with the keys.
#include "platform/key_routing.h"
#include "support/game_fixture.h"

#include <map>
#include <sstream>

namespace zem::testing {
namespace {

using platform::Control;
namespace keys = platform::keys;

// Everything a step can change that a player or the store could see.
std::string snapshot(Game& g) {
    std::ostringstream out;
    const auto& s = g.m.s;
    out << "bank " << s.bank << " lines " << s.linesplayed << " coins " << s.coinsperline << " games "
        << s.games << " wager " << s.wager << " total " << s.total << " sound " << s.soundonoff << " auto "
        << g.m.autoplaymode << "\n";
    for (const Control* c : g.m.w.orvelle.controls()) {
        out << c->name << c->index << (c->visible ? " v" : " -") << (c->enabled ? "e " : "- ") << c->caption
            << "|" << c->picture.name << c->picture.index << "\n";
    }
    for (const auto& [key, value] : g.p.memoryStore().values) out << std::get<2>(key) << "=" << value << "\n";
    for (int n : g.p.recorder().played()) out << n << " ";
    return out.str();
}

struct Twins {
    Game mouse, keyboard;
    std::map<std::string, int> opened;  // the keyboard machine's window openers that ran

    Twins() {
        for (Game* g : {&mouse, &keyboard}) {
            g->m.openers.options = [this, g] { opened["options"] += g == &keyboard; };
            g->m.openers.paytable = [this, g] { opened["paytable"] += g == &keyboard; };
            g->m.openers.paylineViewer = [this, g] { opened["viewer"] += g == &keyboard; };
            g->m.openers.gamble = [this, g] { opened["gamble"] += g == &keyboard; };
            g->start(100);
        }
    }
    // The mouse machine clicks the control, the other presses the key; both then run for `ms`.
    void step(Control& (*control)(play::Machine&), int key, int64_t ms = 500) {
        Control& c = control(mouse.m);
        if (c.kind == platform::ControlKind::Image) {
            mouse.p.tap(c);
        } else {
            mouse.p.click(c);
        }
        keyboard.p.typeKey(keyboard.m.w.orvelle, key);
        mouse.p.advance(ms);
        keyboard.p.advance(ms);
    }
    void script(const Stops& stops) {
        mouse.script(stops);
        keyboard.script(stops);
    }
    void expectAlike(const char* what) { EXPECT_EQ(snapshot(mouse), snapshot(keyboard)) << what; }
};

TEST(Keys, EachKeyOfThePanelDoesWhatItsClickDoes) {
    Twins t;
    t.step([](play::Machine& m) -> Control& { return m.w.coinsin; }, 'c');
    EXPECT_EQ(t.keyboard.m.s.bank, 125) << "C puts in coins";
    t.expectAlike("C");
    t.step([](play::Machine& m) -> Control& { return m.w.notes; }, 'N');
    EXPECT_EQ(t.keyboard.m.s.bank, 5125) << "N puts in a note";
    t.expectAlike("N");
    t.step([](play::Machine& m) -> Control& { return m.w.payline[3]; }, '3');
    EXPECT_EQ(t.keyboard.m.s.linesplayed, 10);
    t.expectAlike("3");
    t.step([](play::Machine& m) -> Control& { return m.w.payline[5]; }, '5');
    EXPECT_EQ(t.keyboard.m.s.linesplayed, 25);
    t.expectAlike("5");

    t.script(blankStops());
    t.step([](play::Machine& m) -> Control& { return m.w.pplay[2]; }, 'w', 3000);
    EXPECT_EQ(t.keyboard.m.s.games, 1) << "W spins at 2 coins a line";
    EXPECT_EQ(t.keyboard.m.s.coinsperline, 2);
    t.expectAlike("W");
    const Stops win = *findStops(
        [](const core::MachineState& s) { return s.spinwin > 0 && noWild(s) && s.scattercount < 3; }, 25, 20);
    t.script(win);
    t.step([](play::Machine& m) -> Control& { return m.w.pplay[6]; }, 'y', 6000);
    EXPECT_EQ(t.keyboard.m.s.coinsperline, 20);
    EXPECT_GT(t.keyboard.m.s.spinwin, 0);
    t.expectAlike("Y");

    t.step([](play::Machine& m) -> Control& { return m.w.doublebutton; }, 'g');
    EXPECT_EQ(t.opened["gamble"], 1) << "G opens the gamble after a win";
    t.expectAlike("G");
    t.step([](play::Machine& m) -> Control& { return m.w.mnuptble; }, keys::kF1);
    EXPECT_EQ(t.opened["paytable"], 1);
    t.expectAlike("F1");
    // The pay table stands over the machine, which takes no key meanwhile; it comes back as the table closes.
    t.step([](play::Machine& m) -> Control& { return m.w.coinsin; }, 'c');
    EXPECT_EQ(t.keyboard.m.s.bank, t.mouse.m.s.bank);
    t.expectAlike("C under the pay table");
    for (Game* g : {&t.mouse, &t.keyboard}) g->m.w.orvelle.enabled = true;
    t.step([](play::Machine& m) -> Control& { return m.w.Mnupaylines; }, 'p');
    EXPECT_EQ(t.opened["viewer"], 1);
    t.step([](play::Machine& m) -> Control& { return m.w.btnoptions; }, 'o');
    EXPECT_EQ(t.opened["options"], 1);
    t.expectAlike("O");
    for (Game* g : {&t.mouse, &t.keyboard}) g->m.w.orvelle.enabled = true;

    // AUTO ON and AUTO OFF share the A key: it goes to whichever of the two can take a click.
    for (Game* g : {&t.mouse, &t.keyboard}) g->p.useSeededRandom(11);
    t.step([](play::Machine& m) -> Control& { return m.w.autoplayon; }, 'a', 2500);
    EXPECT_GT(t.keyboard.m.autoplaymode, 0) << "A turns autoplay on";
    EXPECT_GT(t.keyboard.m.s.games, 2);
    t.expectAlike("A on");
    t.step([](play::Machine& m) -> Control& { return m.w.autoplayoff; }, 'a', 6000);
    EXPECT_EQ(t.keyboard.m.autoplaymode, 0) << "A again turns it off";
    t.expectAlike("A off");
}

TEST(Keys, AKeyDoesNothingWhileItsControlIsDisabledOrHidden) {
    Game g;
    g.start(1000);
    int gambles = 0;
    g.m.openers.gamble = [&] { ++gambles; };
    ASSERT_FALSE(g.m.w.doublebutton.enabled);
    g.p.typeKey(g.m.w.orvelle, 'g');
    g.p.advance(10);
    EXPECT_EQ(gambles, 0) << "no win to gamble: the button is disabled";
    EXPECT_TRUE(g.m.w.autoplayon.enabled) << "a control's key never reaches the window's letter handling";

    // A spin that lets events in finds the coins and bet buttons locked: their keys do nothing.
    g.script(blankStops());
    bool sent = false;
    g.p.onDoEvents = [&] {
        if (sent || g.m.w.coinsin.enabled) return;
        sent = true;
        g.p.typeKey(g.m.w.orvelle, 'c');
        g.p.typeKey(g.m.w.orvelle, 'q');
    };
    g.p.typeKey(g.m.w.orvelle, 'q');
    g.p.advance(5000);
    g.p.onDoEvents = {};
    ASSERT_TRUE(sent);
    EXPECT_EQ(g.m.s.games, 1) << "one spin: the second BET key came while its button was locked";
    EXPECT_EQ(g.m.s.bank, 1000 - 25) << "no coins went in";

    // With the button panel hidden by the payline viewer the panel's keys do nothing.
    g.m.w.panfreespin.visible = false;
    g.p.typeKey(g.m.w.orvelle, 'n');
    g.p.advance(10);
    EXPECT_EQ(g.m.s.bank, 1000 - 25);
}

TEST(Keys, TheSoundKeySwitchesThePlayersSoundAndSavesItAsTheOptionsDo) {
    Game g;
    g.start(1000, 1, -1);
    g.m.sounds.playLooped(121);
    g.p.typeKey(g.m.w.orvelle, 'm');
    g.p.advance(10);
    EXPECT_EQ(g.m.s.soundonoff, 0);
    EXPECT_EQ(g.stored("soundonoff"), "0");
    EXPECT_EQ(g.p.recorder().current(), 0) << "what played falls silent";
    g.p.typeKey(g.m.w.orvelle, 'M');
    g.p.advance(10);
    EXPECT_EQ(g.m.s.soundonoff, -1);
    EXPECT_EQ(g.stored("soundonoff"), "-1");
    // Not while a window of the machine's stands over it.
    g.m.w.orvelle.enabled = false;
    g.p.typeKey(g.m.w.orvelle, 'm');
    g.p.advance(10);
    EXPECT_EQ(g.m.s.soundonoff, -1);
}

TEST(Keys, EveryControlThePlayerUsesHasAKeyNamedInItsHintAndANameForScreenReaders) {
    Game g;
    std::map<int, std::vector<std::string>> owners;
    for (const Control* c : g.m.w.orvelle.controls()) {
        const bool usable = c->onPress || c->onClick;
        if (!usable || c->name == "play" || c->name == "mnuexit" || c->name == "mnuabout") continue;
        SCOPED_TRACE(c->name + std::to_string(c->index));
        EXPECT_FALSE(c->accessibleName.empty());
        EXPECT_FALSE(c->accessibleDescription.empty());
        if (c->name == "Btnreturn2game") continue;  // left with Escape
        ASSERT_NE(c->shortcut, 0);
        if (c->kind != platform::ControlKind::MenuEntry) {
            EXPECT_NE(c->hint.find("(key " + platform::keyName(c->shortcut) + ")"), std::string::npos)
                << c->hint;
        }
        owners[c->shortcut].push_back(c->name);
    }
    // Only the two autoplay buttons and the two take-win buttons share a key.
    for (const auto& [key, names] : owners) {
        if (names.size() > 1) {
            EXPECT_TRUE(key == 'a' || key == keys::kReturn) << platform::keyName(key);
        }
    }
    EXPECT_EQ(g.m.w.pplay[4].accessibleName, "BET 5");
    EXPECT_EQ(g.m.w.pplay[4].accessibleDescription, "spins at 5 coins a line");
    EXPECT_EQ(g.m.w.pplay[4].hint, "Bet 5 coins per line (key R)");
}

}  // namespace
}  // namespace zem::testing
