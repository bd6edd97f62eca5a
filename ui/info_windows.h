// SPDX-License-Identifier: GPL-3.0-or-later
// The pay-table window `orvellepays` and the about window `aboutorvelle`: their controls, places and texts.
#pragma once

#include "platform/controls.h"

namespace zem::ui {

using platform::Control;
using platform::Window;

inline constexpr const char* kPaytableCaption = "ORVELLE PAYTABLE";
inline constexpr const char* kApplicationTitle = "slots_orvelle";
inline constexpr const char* kAboutCaptionPrefix = "About ";
inline constexpr const char* kSeeMoreText = "See More Vived At :-";
inline constexpr const char* kWebButtonText = "Kestrow-Video-Vived";

// Client area of the pay-table window, filled by the pay-table picture, in twips.
inline constexpr int kPaytableWidthTwips = 7500;
inline constexpr int kPaytableHeightTwips = 5640;
// The band at the foot of the pay-table picture that the return is written in (the picture leaves it blank).
inline constexpr int kReturnBandLeft = 120, kReturnBandTop = 5310, kReturnBandWidth = 7260,
                     kReturnBandHeight = 300;

// The about window's client area, in twips: its height is the one it is given when it opens.
inline constexpr int kAboutWidthTwips = 5400;
inline constexpr int kAboutHeightTwips = 1815;

struct PaytableWindow {
    PaytableWindow();
    PaytableWindow(const PaytableWindow&) = delete;
    PaytableWindow& operator=(const PaytableWindow&) = delete;

    Window orvellepays{"orvellepays"};
    Control btnunloadpays;  // "Exit", top right
    Control lblreturn;      // the machine's return at the player's payout setting
};

struct AboutWindow {
    AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    Window aboutorvelle{"aboutorvelle"};
    Control picIcon, lblTitle, Label2, cmdkestrow, cmdOK;
};

// The about window's title: the program's name and version, three lines.
const char* aboutTitle();

}  // namespace zem::ui
