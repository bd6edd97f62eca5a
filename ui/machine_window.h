// SPDX-License-Identifier: GPL-3.0-or-later
// The machine window `orvelle`: every control it holds, where it stands and what it says.
#pragma once

#include "gamble_panel.h"
#include "platform/controls.h"

#include <array>
#include <string>

namespace zem::ui {

using platform::Control;
using platform::ControlKind;
using platform::Window;

// Window texts.
inline constexpr const char* kCaptionPrefix = "Current Player       ";
inline constexpr const char* kNoMoneyText =
    "Not enough credit for this bet !, reduce your bet or click the \"Coins  or Notes Button \" for more "
    "credit.";
inline constexpr const char* kReturnToGameText =
    "Move Mouse Curser Over Line Markers To View PayLines ( CLICK TO RETURN TO GAME )";

// Arrays indexed from 1 keep a spare slot 0.
template <size_t N>
using Controls = std::array<Control, N + 1>;

struct MachineWindow {
    MachineWindow();
    MachineWindow(const MachineWindow&) = delete;
    MachineWindow& operator=(const MachineWindow&) = delete;

    Window orvelle{"orvelle"};

    // The reels: five windows, each with its tall reel picture and the three cell overlays of its reel.
    Controls<5> Picture;
    Controls<5> reel;
    Controls<15> flasher;
    // The HELD ribbon over reels 2 to 4, shown while a Wild holds its reel for the next spin (slots 1 and 5
    // stay unused: those reels never hold).
    Controls<5> picheld;

    // What the win show tells beside the reels: the pay of the line on show, lettered over its marker in the
    // line's colour, and the Scatters' pay in the top right corner while they animate.
    Control lbllinepay, lblscatterpay;

    // The celebration of a big win over the reels: its plaque and the amount lettered on it.
    Control picbigwin, lblbigwin;

    // Meters along the top.
    Control PANELBANK, Lblcredit, LABWIN, lblwin, LABLASTBET, LABTHISWIN, lbllast, Lblcurrentwin;

    // Line markers and the six payline segments.
    Controls<26> lin;
    Controls<6> Lineflash;

    // Panels over the reels.
    Control pannomoney, pandouble;
    GamblePanel gamble;  // the controls on `pandouble`

    // The button panel and its picture buttons.
    Control panfreespin;
    Controls<5> payline;
    Control autoplayon, autoplayoff, btnoptions, doublebutton;
    Controls<6> pplay;
    Control coinsin, notes, dollar1, halfcoin1;

    // The six invisible play actions, pressed only by program.
    Controls<6> play;

    // Free-spin counter, collect button and the announcement pictures.
    Control spinsleft, takewin, stockade1, flame11, flame21, flame31, flame41, flamingarrow1, noflamearrow1;

    // The payline viewer's return button.
    Control Btnreturn2game;

    // Menu.
    Control mnuexit, Mnupaylines, mnuabout, mnuptble, mnuhistory;
};

// Gives a control the key that clicks it, with the name and description a screen reader says of it; the
// control's hint names the key.
void bindKey(Control& c, int key, const std::string& name, const std::string& description);

// The key that turns the player's sound on and off.
inline constexpr int kSoundKey = 'm';

// Client area of the machine window, in twips.
inline constexpr int kMachineWidthTwips = 11910;
inline constexpr int kMachineHeightTwips = 8820;
inline constexpr int kReelLeft[6] = {0, 990, 3010, 5070, 7110, 9150};
inline constexpr int kReelWindowTop = 1025;
// The HELD ribbon, inside its reel window.
inline constexpr int kHeldMarkHeight = 420;
// The band along the foot of the window where the free-spin counter stands while the button panel is hidden.
inline constexpr int kFootBandLeft = 15;
inline constexpr int kFootBandWidth = 11880;

}  // namespace zem::ui
