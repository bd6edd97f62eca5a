// SPDX-License-Identifier: GPL-3.0-or-later
// The tables of win bands, roll-up steps and reel animation settings.
#include "win_bands.h"

#include <cstdlib>

namespace zem::play {

namespace {

struct Band {
    int32_t upTo;
    WinBand band;
};

constexpr Band kBands[] = {
    {5, {20, Sound::Welcome}},
    {10, {20, Sound::WinSmall}},
    {21, {20, Sound::WinBlack}},
    {30, {25, Sound::WinModest}},
    {40, {25, Sound::WinBlack}},
    {50, {30, Sound::WinMedium}},
    {100, {35, Sound::WinMedium}},
    {120, {35, Sound::WinSpades}},
    {150, {40, Sound::WinRed}},
    {200, {45, Sound::WinGood}},
    {300, {45, Sound::WinClubsOrDiamonds}},
    {450, {50, Sound::Collect}},
    {600, {50, Sound::WinLarge}},
    {750, {50, Sound::WinHuge}},
};

struct Step {
    int32_t upTo;
    int16_t step;
};

constexpr Step kRollSteps[] = {{100, 10}, {120, 20}, {150, 30},  {200, 40},   {300, 50},
                               {450, 80}, {600, 60}, {700, 100}, {1000, 150}, {1500, 200}};

}  // namespace

WinBand winBand(int32_t spinwin) {
    if (spinwin <= 0) return {5, Sound::None};
    for (const Band& b : kBands) {
        if (spinwin <= b.upTo) return b.band;
    }
    return {90, Sound::WinBiggest};
}

int16_t nextRollStep(int32_t rollcount) {
    if (rollcount <= 0) return 0;
    for (const Step& s : kRollSteps) {
        if (rollcount <= s.upTo) return s.step;
    }
    return 500;
}

ReelAnimation reelAnimation(int16_t reelspeed) {
    struct Speed {
        int16_t speed;
        ReelAnimation animation;
    };
    static constexpr Speed kSpeeds[] = {{1, {1875, 10, 1 + 1}},
                                        {2, {1000, 6, 2 + 2}},
                                        {4, {800, 6, 4 + 3}},
                                        {8, {600, 7, 8 + 4}},
                                        {10, {400, 3, 10 + 5}}};
    // The nearest defined speed; between two equally near, the faster (lower) one.
    const Speed* best = &kSpeeds[0];
    for (const Speed& s : kSpeeds) {
        if (std::abs(s.speed - reelspeed) < std::abs(best->speed - reelspeed)) best = &s;
    }
    return best->animation;
}

}  // namespace zem::play
