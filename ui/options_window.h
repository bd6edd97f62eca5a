// SPDX-License-Identifier: GPL-3.0-or-later
// The options window `frmorvelleoptions`: the player slots, the statistics, the setting groups and the
// screen-size buttons, where they stand and what they say.
#pragma once

#include "platform/controls.h"

#include <array>

namespace zem::ui {

inline constexpr const char* kOptionsCaption = "Orvelle Options";
inline constexpr const char* kOptionsFrameCaption = "Zemra Options";
inline constexpr const char* kPlayerNamePrompt =
    "Input Player Name                                  Then Enter";
inline constexpr const char* kFastSlow = "<<<Faster                       Slower>>>";
inline constexpr const char* kScreenNote = "Note :- Some machines \r\nmay not support this \r\noption.\r\n";

// Client area of the options window, in twips: the main frame and a margin.
inline constexpr int kOptionsWidthTwips = 8715;
inline constexpr int kOptionsHeightTwips = 5055;

struct OptionsWindowLayout {
    OptionsWindowLayout();
    OptionsWindowLayout(const OptionsWindowLayout&) = delete;
    OptionsWindowLayout& operator=(const OptionsWindowLayout&) = delete;

    // Puts every control back as the window shows it before its opening steps run: nothing marked, no
    // statistics, an empty name box. The window is "loaded" afresh each time the options button is used.
    void resetToLoaded();

    platform::Window frmorvelleoptions{"frmorvelleoptions"};
    platform::Control Framemain;

    // The left half: players and statistics.
    platform::Control lblplayername, player1, lblcurrentplayer;
    std::array<platform::Control, 7> machine;  // 1..6
    platform::Control lblgames, lblwager, lbltotalwon, lblwinlose, lblreturned, lblinvested, lblfreespins;
    platform::Control Btndeletedetails, btnokplayer;

    // The right half: the setting groups.
    platform::Control Framecounter, soundonof, Framespeed, Framepayout;
    std::array<platform::Control, 3> wincounter;  // 1..2
    std::array<platform::Control, 3> sounds;      // 1..2
    std::array<platform::Control, 5> setspeed;    // 0..4
    platform::Control fastslow, speedlab;
    std::array<platform::Control, 3> Amtpayout;  // 0..2

    // The screen size.
    platform::Control Framescreen, cmdorigonal, cmdlargescreen, Text1;
};

}  // namespace zem::ui
