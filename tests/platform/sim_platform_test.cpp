// SPDX-License-Identifier: GPL-3.0-or-later
// The headless back end's clock, timers, event delivery and input rules, which every scenario test relies on.
#include "platform/sim/sim_platform.h"

#include "platform/key_routing.h"

#include <gtest/gtest.h>
#include <memory>

namespace zem::platform {
namespace {

TEST(Timers, TickOnlyWhileEnabledAndNeverMakeUpMissedTicks) {
    sim::SimPlatform p;
    std::vector<int64_t> ticks;
    Timer t(p.loop(), "t", 100, [&] { ticks.push_back(p.now()); });
    p.advance(1000);
    EXPECT_TRUE(ticks.empty()) << "a stopped timer never ticks";
    t.start();
    p.advance(350);
    EXPECT_EQ(ticks, (std::vector<int64_t>{1100, 1200, 1300}));
    // A handler that blocks for 450 ms: the ticks that fell due meanwhile come once, not four times.
    ticks.clear();
    p.loop().post([&] { p.sleep(450); });
    p.advance(1);
    EXPECT_EQ(p.now(), 1350 + 450);
    EXPECT_EQ(ticks, (std::vector<int64_t>{1800})) << "delivered once, as soon as the thread is free";
    p.advance(99);
    EXPECT_EQ(ticks.size(), 1u);
    p.advance(1);
    EXPECT_EQ(ticks.size(), 2u) << "the period runs on from the late tick";
    t.stop();
    p.advance(1000);
    EXPECT_EQ(ticks.size(), 2u);
}

TEST(Timers, EnablingARunningTimerKeepsItsPeriodAndRestartingBeginsANewOne) {
    sim::SimPlatform p;
    int ticks = 0;
    Timer t(p.loop(), "t", 100, [&] { ++ticks; });
    t.start();
    p.advance(90);
    t.start();  // already running: no reset
    p.advance(10);
    EXPECT_EQ(ticks, 1);
    t.stop();
    p.advance(50);
    t.start();
    p.advance(99);
    EXPECT_EQ(ticks, 1);
    p.advance(1);
    EXPECT_EQ(ticks, 2);
}

TEST(Timers, ATimerNeverReentersItsOwnHandler) {
    sim::SimPlatform p;
    int depth = 0, deepest = 0, ticks = 0;
    Timer t(p.loop(), "t", 10, nullptr);
    t.onTick = [&] {
        ++ticks;
        ++depth;
        deepest = std::max(deepest, depth);
        p.sleep(25);
        p.doEvents();  // the tick that fell due meanwhile is not delivered inside itself
        --depth;
    };
    t.start();
    p.advance(200);
    EXPECT_EQ(deepest, 1);
    EXPECT_GT(ticks, 3);
}

TEST(Timers, HandlersMayMakeDestroyAndStartTimersInThePassThatRunsThem) {
    sim::SimPlatform p;
    std::vector<std::string> log;
    auto logged = [&](std::string name) {
        return [&log, &p, name] { log.push_back(name + "@" + std::to_string(p.now())); };
    };
    Timer a(p.loop(), "a", 100, nullptr);
    auto b = std::make_unique<Timer>(p.loop(), "b", 100, logged("b"));
    Timer c(p.loop(), "c", 100, logged("c"));
    std::unique_ptr<Timer> d;
    a.onTick = [&] {
        log.push_back("a@" + std::to_string(p.now()));
        if (!b) return;
        b.reset();  // destroyed before its turn in this pass: it never ticks
        d = std::make_unique<Timer>(p.loop(), "d", 30, logged("d"));
        d->start();  // made in this pass: it waits for a later one
        p.sleep(40);
        p.doEvents();  // c is due: it ticks here, once, and not again when the outer pass reaches it
    };
    a.start();
    b->start();
    c.start();
    p.advance(100);
    EXPECT_EQ(log, (std::vector<std::string>{"a@100", "c@140", "d@140"}));
    log.clear();
    p.advance(100);
    EXPECT_EQ(log, (std::vector<std::string>{"d@170", "a@200", "d@200", "d@230", "c@240"}));
    EXPECT_EQ(p.loop().timers().size(), 3u);

    // A timer started by input and then a pause: the next pass finds it due.
    Timer e(p.loop(), "e", 10, logged("e"));
    a.stop();
    c.stop();
    d->stop();
    log.clear();
    p.loop().post([&] {
        e.start();
        p.sleep(15);
        p.doEvents();
    });
    p.doEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"e@255"}));
}

TEST(Events, DoEventsRunsQueuedInputAndDueTicksOnceAndSleepRunsNothing) {
    sim::SimPlatform p;
    std::vector<std::string> log;
    Timer t(p.loop(), "t", 100, [&] { log.push_back("tick"); });
    t.start();
    p.loop().post([&] { log.push_back("click"); });
    p.sleep(250);
    EXPECT_TRUE(log.empty()) << "a pause handles no events";
    p.doEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"click", "tick"}));
    p.doEvents();
    EXPECT_EQ(log.size(), 2u) << "nothing more is due";
}

TEST(Input, DisabledOrHiddenControlsGetNoInputButProgramPressesAlwaysRun) {
    sim::SimPlatform p;
    Window w("w");
    w.visible = true;
    Control panel(ControlKind::PictureBox, "panel");
    Control button(ControlKind::Image, "button");
    w.add(panel);
    w.add(button, &panel);
    int clicks = 0, presses = 0;
    button.onClick = [&] { ++clicks; };
    button.onPress = [&](const MouseEvent&) { ++presses; };
    p.click(button);
    p.mouseDown(button);
    p.advance(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(presses, 1);
    button.enabled = false;
    p.click(button);
    p.advance(1);
    EXPECT_EQ(clicks, 1);
    button.enabled = true;
    panel.visible = false;
    p.mouseDown(button);
    p.advance(1);
    EXPECT_EQ(presses, 1) << "a control in a hidden panel cannot be reached";
    w.enabled = false;
    panel.visible = true;
    p.click(button);
    p.advance(1);
    EXPECT_EQ(clicks, 1) << "a disabled window takes no input";
    button.visible = false;
    button.press();
    EXPECT_EQ(clicks, 2) << "a program press runs whatever the control's state";
}

TEST(Input, TheReleaseReachesTheControlThatTookThePressWhateverThePressDidToIt) {
    sim::SimPlatform p;
    Window w("w");
    w.visible = true;
    Control panel(ControlKind::PictureBox, "panel");
    Control coins(ControlKind::Image, "coins");
    w.add(panel);
    w.add(coins, &panel);
    std::vector<std::string> log;
    panel.onPress = [&](const MouseEvent&) { log.push_back("panel press"); };
    panel.onRelease = [&](const MouseEvent&) { log.push_back("panel release"); };
    // The pressed look: the press hides the picture and disables it; the release shows it again.
    coins.onPress = [&](const MouseEvent&) {
        log.push_back("coins press");
        coins.visible = false;
        coins.enabled = false;
    };
    coins.onRelease = [&](const MouseEvent&) {
        log.push_back("coins release");
        coins.visible = true;
        coins.enabled = true;
    };
    for (int i = 0; i < 3; ++i) {
        p.mouseDown(coins);
        p.mouseUp(panel);  // the pointer is over the panel now that the picture is hidden
        p.advance(1);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"coins press", "coins release", "coins press", "coins release",
                                             "coins press", "coins release"}));
    EXPECT_TRUE(coins.visible);

    // A release with no press waiting goes nowhere; so does the release of a refused press.
    log.clear();
    p.mouseUp(coins);
    coins.enabled = false;
    p.mouseDown(coins);
    p.mouseUp(coins);
    p.advance(1);
    EXPECT_TRUE(log.empty());

    // A press whose release never came (the window system dropped it) gets it when the next press starts.
    coins.enabled = true;
    p.mouseDown(coins);
    p.advance(1);
    p.mouseDown(panel);
    p.mouseUp(panel);
    p.advance(1);
    EXPECT_EQ(log,
              (std::vector<std::string>{"coins press", "coins release", "panel press", "panel release"}));
}

TEST(Input, KeyPreviewSeesKeysFirstAndMayConsumeThem) {
    sim::SimPlatform p;
    Window w("w");
    w.visible = true;
    Control box(ControlKind::TextBox, "box");
    w.add(box);
    w.focus = &box;
    std::string typed;
    box.onKey = [&](int& k) { typed += static_cast<char>(k); };
    w.keyPreview = true;
    w.onKeyPreview = [&](int& k) {
        if (k == 'x') k = 0;
    };
    p.typeKey(w, 'a');
    p.typeKey(w, 'x');
    p.typeKey(w, 'b');
    p.advance(1);
    EXPECT_EQ(typed, "ab");
}

TEST(Input, AKeyClicksItsControlOnlyWhileTheControlCouldTakeAClick) {
    sim::SimPlatform p;
    Window w("w");
    w.visible = true;
    Control panel(ControlKind::PictureBox, "panel");
    Control coins(ControlKind::Image, "coins"), take(ControlKind::PushButton, "take"),
        other(ControlKind::PushButton, "other"), box(ControlKind::TextBox, "box");
    w.add(panel);
    w.add(coins, &panel);
    w.add(take);
    w.add(other);
    w.add(box);
    coins.shortcut = 'c';
    take.shortcut = keys::kReturn;
    other.shortcut = keys::kReturn;  // shares its key with `take`: the one that can take the click gets it
    std::vector<std::string> log;
    coins.onPress = [&](const MouseEvent&) { log.push_back("coins press"); };
    coins.onRelease = [&](const MouseEvent&) { log.push_back("coins release"); };
    take.onClick = [&] { log.push_back("take"); };
    other.onClick = [&] { log.push_back("other"); };
    w.onPlayerPress = [&] { log.push_back("window"); };
    w.keyPreview = true;
    w.onKeyPreview = [&](int& k) { log.push_back("preview " + std::string(1, static_cast<char>(k))); };
    w.ownKeys = {'m'};
    w.onShortcut = [&](int k) { log.push_back("own " + std::string(1, static_cast<char>(k))); };

    auto typed = [&](int key) {
        log.clear();
        p.typeKey(w, key);
        p.advance(1);
        return log;
    };
    using Log = std::vector<std::string>;
    EXPECT_EQ(typed('c'), (Log{"window", "coins press", "coins release"}))
        << "a picture is pressed and released";
    EXPECT_EQ(typed('C'), (Log{"window", "coins press", "coins release"})) << "letters match in either case";
    EXPECT_EQ(typed(keys::kReturn), (Log{"window", "take"}));
    take.enabled = false;
    EXPECT_EQ(typed(keys::kReturn), (Log{"window", "other"}));
    other.visible = false;
    EXPECT_EQ(typed(keys::kReturn), Log{}) << "both hidden or disabled: nothing, not even the preview";
    panel.enabled = false;
    EXPECT_EQ(typed('c'), Log{}) << "a control in a disabled container takes no key";
    panel.enabled = true;
    EXPECT_EQ(typed('m'), (Log{"own m"}));
    EXPECT_EQ(typed('x'), (Log{"preview x"})) << "a key nobody carries travels on as before";
    EXPECT_EQ(typed(keys::kF1), Log{}) << "a key that types nothing reaches no preview";

    // While a text box has the keyboard, letters are typed into it.
    std::string text;
    box.onKey = [&](int& k) { text += static_cast<char>(k); };
    w.focus = &box;
    w.keyPreview = false;
    EXPECT_EQ(typed('c'), Log{});
    EXPECT_EQ(text, "c");

    // A window that is disabled (another window is open over it) takes no key at all.
    w.focus = nullptr;
    w.enabled = false;
    EXPECT_EQ(typed('c'), Log{});
    EXPECT_EQ(typed('m'), Log{});
    EXPECT_EQ(keyName('q'), "Q");
    EXPECT_EQ(keyName(keys::kF1), "F1");
    EXPECT_EQ(keyName(keys::kReturn), "Enter");
}

TEST(Input, OptionButtonsMarkOnePerGroupAndRunTheirClick) {
    Window w("w");
    Control a(ControlKind::OptionButton, "opt", 1), b(ControlKind::OptionButton, "opt", 2);
    w.add(a);
    w.add(b);
    int clicked = 0;
    b.onClick = [&] { ++clicked; };
    a.mark();
    b.mark();
    EXPECT_FALSE(a.marked);
    EXPECT_TRUE(b.marked);
    b.mark();
    EXPECT_EQ(clicked, 2) << "marking an already marked option runs its click again";
}

TEST(Services, StoreSoundAndRandomAreScriptable) {
    sim::SimPlatform p;
    EXPECT_FALSE(p.store().read("zem", "player1", "bank"));
    p.store().write("zem", "player1", "bank", " 12 ");
    EXPECT_EQ(p.store().read("zem", "player1", "bank"), " 12 ");
    p.memoryStore().failWrites = true;
    EXPECT_FALSE(p.store().write("zem", "player1", "bank", "1"));
    EXPECT_EQ(p.store().read("zem", "player1", "bank"), " 12 ");

    p.sound().load(101, {1});
    p.sound().load(102, {});
    p.sound().play(101, false);
    EXPECT_EQ(p.recorder().current(), 101);
    p.sound().play(102, false);
    EXPECT_EQ(p.recorder().current(), 0) << "an empty recording is silent and still cuts the last one";
    p.sound().play(101, true);
    EXPECT_TRUE(p.recorder().currentLooped());
    p.sound().stop();
    EXPECT_EQ(p.recorder().current(), 0);

    p.scripted().pushStop(22);
    p.scripted().pushChoice(3, 5);
    EXPECT_EQ(static_cast<int>(22 * p.random().uniform()) + 1, 22);
    EXPECT_EQ(static_cast<int>(5 * p.random().uniform()) + 1, 3);
    const double fallback = p.random().uniform();
    EXPECT_GE(fallback, 0.0);
    EXPECT_LT(fallback, 1.0);
}

}  // namespace
}  // namespace zem::platform
