// SPDX-License-Identifier: GPL-3.0-or-later
// The Scatter and Wild animations after real spins: their frame sequences from a reset, the multiplier laid
// over the Wild in free spins, and the cases in which they animate nothing.
#include "core/free_spins.h"
#include "support/shown_game.h"

#include <algorithm>

namespace zem::testing {
namespace {

// Frames of an up-and-down animation of `frames` pictures over two of its periods, from a reset.
std::vector<int> upAndDown(int frames) {
    std::vector<int> seq;
    for (int f = 1; f <= frames; ++f) seq.push_back(f);
    for (int f = frames - 1; f >= 1; --f) seq.push_back(f);
    for (int f = 2; f <= frames; ++f) seq.push_back(f);
    seq.push_back(frames);
    for (int f = frames - 1; f >= 1; --f) seq.push_back(f);
    return seq;
}

// Calls `record` after every tick of `timer`.
void watch(platform::Timer& timer, std::function<void()> record) {
    auto tick = timer.onTick;
    timer.onTick = [tick, record] {
        tick();
        record();
    };
}

const Stops& oneScatter() {
    static const Stops stops = *findStops(
        [](const core::MachineState& s) { return s.scattercount == 1 && noWild(s) && s.spinwin == 0; });
    return stops;
}

const Stops& aWild() {
    static const Stops stops = *findStops([](const core::MachineState& s) {
        return s.scattercount == 0 && s.wildcell[2] + s.wildcell[3] + s.wildcell[4] > 0;
    });
    return stops;
}

// A Wild inside a winning run, no Scatter: a free spin that takes the multiplier.
const Stops& wildWin() {
    static const Stops stops = *findStops(
        [](const core::MachineState& s) { return s.scattercount == 0 && core::wildInWinningRun(s); });
    return stops;
}

TEST(SymbolAnimations, ScattersRunUpAndDownOnEveryScatterCell) {
    ShownGame g;
    g.start();
    const Stops twoScatters{21, 20, 16, 17, 7};
    std::vector<int> cells;
    std::vector<int> frames;
    bool allShown = true;
    watch(g.show.animations.Timerscatters, [&] {
        const auto& f = g.m.w.flasher[cells.front()];
        frames.push_back(f.picture.name == "ImageList1" ? f.picture.index : -1);
        for (int c : cells) {
            allShown &= g.m.w.flasher[c].visible && g.m.w.flasher[c].picture == f.picture;
        }
    });
    g.script(twoScatters);
    g.bet(1);
    ASSERT_EQ(g.m.s.scattercount, 2);
    for (int r = 1; r <= 5; ++r) {
        if (g.m.s.scattercell[r] != 0) cells.push_back(g.m.s.scattercell[r]);
    }
    ASSERT_EQ(cells.size(), 2u);
    ASSERT_TRUE(g.show.animations.Timerscatters.enabled());
    const std::vector<int> expected = upAndDown(20);
    ASSERT_EQ(expected.size(), 78u);
    g.p.runUntil([&] { return frames.size() >= expected.size(); }, 60000);
    ASSERT_GE(frames.size(), expected.size());
    frames.resize(expected.size());
    EXPECT_EQ(frames, expected);
    EXPECT_TRUE(allShown) << "both Scatter cells show the same frame on every tick";

    // The Scatters stay on show through the win show; the gamble's opening takes them off for good.
    g.idle(3000);
    EXPECT_TRUE(g.m.w.flasher[cells[0]].visible);
    g.openGamble();
    ASSERT_EQ(g.gamble->phase(), gamble::Gamble::Phase::Open);
    g.idle(3000);
    EXPECT_FALSE(g.m.w.flasher[cells[0]].visible);
    EXPECT_FALSE(g.m.w.flasher[cells[1]].visible);
}

TEST(SymbolAnimations, ASingleScatterAnimatesNothing) {
    ShownGame g;
    g.start();
    g.script(oneScatter());
    g.bet(1);
    EXPECT_FALSE(g.show.animations.Timerscatters.enabled());
    g.idle(3000);
    for (int c = 1; c <= 15; ++c) {
        EXPECT_FALSE(g.m.w.flasher[c].visible);
        EXPECT_EQ(g.m.w.flasher[c].picture, (platform::PictureRef{"ImageList1", 21}));
    }
}

TEST(SymbolAnimations, TheWildTurnsUpAndDownWithoutTouchingItsVisibility) {
    ShownGame g;
    g.start();
    g.script(aWild());
    g.bet(1);
    ASSERT_TRUE(g.show.animations.Timer4.enabled());
    EXPECT_FALSE(g.show.animations.timerwild.enabled()) << "no free spin runs";
    int wild = 0;
    for (int r = 2; r <= 4; ++r) wild = g.m.s.wildcell[r] != 0 ? g.m.s.wildcell[r] : wild;
    const bool lit = g.m.w.flasher[wild].visible;
    std::vector<int> frames;
    bool visibilityKept = true;
    bool plainFrames = true;
    g.show.flash.tmrlineflash.stop();  // the flash alone decides whether a Wild's cell is seen
    watch(g.show.animations.Timer4, [&] {
        const auto& f = g.m.w.flasher[wild];
        frames.push_back(f.picture.name == "ImageList2" ? f.picture.index : -1);
        visibilityKept &= f.visible == lit;
        plainFrames &= f.overlay.empty();
    });
    const std::vector<int> expected = upAndDown(8);
    ASSERT_EQ(expected.size(), 30u);
    g.p.runUntil([&] { return frames.size() >= expected.size(); }, 60000);
    frames.resize(expected.size());
    EXPECT_EQ(frames, expected);
    EXPECT_TRUE(visibilityKept);
    EXPECT_TRUE(plainFrames);
}

TEST(SymbolAnimations, TenTimesStartsAtItsLastPictureOverTheTurningWild) {
    ShownGame g;
    g.start();
    g.script(threeScatters());
    g.bet(1);
    ASSERT_EQ(g.m.s.freespinmode, -1);
    g.scriptFree(wildWin(), 1);  // multiplier draw 1: ×10
    std::vector<int> overlays, discs;
    int wild = 0;
    watch(g.show.animations.timerwild, [&] {
        if (wild == 0) {
            for (int r = 2; r <= 4; ++r) wild = g.m.s.wildcell[r] != 0 ? g.m.s.wildcell[r] : wild;
        }
        const auto& f = g.m.w.flasher[wild];
        overlays.push_back(f.overlay.name == "ImageList2" ? f.overlay.index : -1);
        discs.push_back(f.picture.name == "ImageList2" ? f.picture.index : -1);
    });
    g.p.runUntil([&] { return overlays.size() >= 10; }, 60000);
    ASSERT_EQ(g.m.s.winmultiplier, 10);
    ASSERT_GE(overlays.size(), 10u);
    overlays.resize(10);
    discs.resize(10);
    EXPECT_EQ(overlays, (std::vector<int>{24, 21, 22, 23, 24, 21, 22, 23, 24, 21}));
    EXPECT_EQ(discs, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 1, 2})) << "the Wild turns one way, round";
}

TEST(SymbolAnimations, EachMultiplierCyclesItsOwnFourPictures) {
    const std::pair<int16_t, std::vector<int>> cases[] = {
        {2, {9, 10, 11, 12, 9}}, {3, {13, 14, 15, 16, 13}}, {5, {17, 18, 19, 20, 17}}};
    const int16_t firstPicture[] = {0, 0, 23, 27, 0, 31};
    for (const auto& [multiplier, expected] : cases) {
        ShownGame g;
        g.start();
        g.m.s.spinwin = 10;
        g.m.s.winmultiplier = multiplier;
        g.m.s.multiplierpic = firstPicture[multiplier];
        g.m.s.wildcell[3] = 8;
        std::vector<int> seen;
        for (int i = 0; i < 5; ++i) {
            g.show.animations.multiplierTick();
            seen.push_back(g.m.w.flasher[8].overlay.index);
        }
        EXPECT_EQ(seen, expected) << "×" << multiplier;
    }
}

TEST(SymbolAnimations, TheMultiplierAnimationWaitsForAWinAndAMultiplier) {
    for (const auto& [spinwin, multiplier] : {std::pair<int32_t, int16_t>{0, 5}, {40, 1}}) {
        ShownGame g;
        g.start();
        g.m.s.spinwin = spinwin;
        g.m.s.winmultiplier = multiplier;
        g.m.s.multiplierpic = 31;
        g.m.s.wildcell[2] = 5;
        for (int i = 0; i < 3; ++i) g.show.animations.multiplierTick();
        EXPECT_EQ(g.m.s.multiplierpic, 31);
        EXPECT_EQ(g.show.animations.discframe, 0);
        EXPECT_EQ(g.show.animations.multpiclast, 0);
        EXPECT_EQ(g.m.w.flasher[5].picture, (platform::PictureRef{"ImageList1", 21}));
        EXPECT_TRUE(g.m.w.flasher[5].overlay.empty());
    }
}

TEST(SymbolAnimations, TheWildTimersLookOnlyAtReelsTwoToFourAndTheirOwnCells) {
    ShownGame g;
    g.start();
    // A stray record: a cell of another reel, and a Wild record on reel 1, are not animated.
    g.m.s.wildcell[1] = 2;
    g.m.s.wildcell[2] = 8;  // reel 3's cell on reel 2's record
    g.m.s.scattercell[4] = 3;
    g.m.s.spinwin = 10;
    g.m.s.winmultiplier = 2;
    g.show.animations.wildTick();
    g.show.animations.multiplierTick();
    g.show.animations.scatterTick();
    for (int c = 1; c <= 15; ++c) {
        EXPECT_EQ(g.m.w.flasher[c].picture, (platform::PictureRef{"ImageList1", 21})) << "cell " << c;
        EXPECT_FALSE(g.m.w.flasher[c].visible);
    }
}

}  // namespace
}  // namespace zem::testing

namespace zem::testing {
namespace {

// The frames `timer` shows on `cell` over its next `count` ticks.
std::vector<int> nextFrames(ShownGame& g, platform::Timer& timer, int cell, size_t count) {
    std::vector<int> frames;
    auto tick = timer.onTick;
    timer.onTick = [&, tick] {
        tick();
        frames.push_back(g.m.w.flasher[cell].picture.index);
    };
    g.p.runUntil([&] { return frames.size() >= count; }, 60000);
    timer.onTick = tick;
    frames.resize(std::min(frames.size(), count));
    return frames;
}

int wildCell(const core::MachineState& s) {
    for (int r = 2; r <= 4; ++r) {
        if (s.wildcell[r] != 0) return s.wildcell[r];
    }
    return 0;
}

TEST(SymbolAnimations, EverySpinStartsThemFromTheirFirstFrameAndClosingStopsThemAll) {
    const Stops twoScatters{21, 20, 16, 17, 7};
    ShownGame g;
    g.start();
    for (int spin = 1; spin <= 2; ++spin) {
        // The second spin comes while both animations stand in the middle of their rounds.
        g.script(twoScatters);
        g.bet(1);
        ASSERT_TRUE(g.show.animations.Timerscatters.enabled());
        const int scatter = *std::max_element(&g.m.s.scattercell[1], &g.m.s.scattercell[5] + 1);
        EXPECT_EQ(nextFrames(g, g.show.animations.Timerscatters, scatter, 7),
                  (std::vector<int>{1, 2, 3, 4, 5, 6, 7}))
            << "spin " << spin;
        g.script(aWild());
        g.bet(1);
        ASSERT_TRUE(g.show.animations.Timer4.enabled());
        g.show.flash.tmrlineflash.stop();
        EXPECT_EQ(nextFrames(g, g.show.animations.Timer4, wildCell(g.m.s), 5),
                  (std::vector<int>{1, 2, 3, 4, 5}))
            << "spin " << spin;
    }

    g.script(twoScatters);
    g.bet(1);
    ASSERT_TRUE(g.show.animations.Timerscatters.enabled());
    g.m.requestClose();
    ASSERT_TRUE(g.m.closed());
    for (const platform::Timer* t : {&g.show.flash.tmrlineflash, &g.show.animations.Timerscatters,
                                     &g.show.animations.Timer4, &g.show.animations.timerwild}) {
        EXPECT_FALSE(t->enabled()) << t->name();
    }
}

}  // namespace
}  // namespace zem::testing
