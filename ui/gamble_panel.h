// SPDX-License-Identifier: GPL-3.0-or-later
// The gamble's panel `pandouble` in the machine window: the amount lines, the card with its four suit
// buttons, the colour and take-win buttons, the history row and the two banners.
#pragma once

#include "platform/controls.h"

#include <array>

namespace zem::ui {

// Twips inside the panel.
inline constexpr int kHistoryLeft = 360;  // left of history slot 1
inline constexpr int kHistoryStep = 600;  // from one slot to the next
inline constexpr int kHistoryTop = 3960;
inline constexpr int kBannerLeft = 700;  // where a falling banner stands
inline constexpr int kBannerStartTop = 10;
inline constexpr int kBannerEndTop = 4800;

struct GamblePanel {
    GamblePanel() = default;
    GamblePanel(const GamblePanel&) = delete;
    GamblePanel& operator=(const GamblePanel&) = delete;

    // Lays the controls out inside `pandouble` and registers them with its window.
    void layOut(platform::Window& window, platform::Control& pandouble);

    platform::Control risklab, lblblackred, lblsuit, piccardholder;
    std::array<platform::Control, 5> suitbet;  // 1 hearts, 2 clubs, 3 diamonds, 4 spades
    platform::Control betred, cancelbet, betblack;
    std::array<platform::Control, 6> historypic;  // 1..5
    platform::Control Lblpasthistory, gamblewin, gamblelose;
};

// The left of history slot k (1..5) at its own place.
constexpr int historyLeft(int k) { return kHistoryLeft + kHistoryStep * (k - 1); }

}  // namespace zem::ui
