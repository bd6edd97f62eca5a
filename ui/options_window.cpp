// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the options window: positions and sizes in twips, captions and hints.
#include "options_window.h"

#include "layout.h"
#include "platform/machine_look.h"

#include <string>

namespace zem::ui {

namespace {

using platform::Control;
using platform::ControlKind;

namespace look = platform::look;

// A control placed as every layout places it, then lettered for the painted wood.
void placeOnWood(Control& c, ControlKind kind, const std::string& name, int index, int left, int top,
                 int width, int height, const char* caption = "") {
    ui::place(c, kind, name, index, left, top, width, height);
    c.caption = caption;
    c.fontPoints = 8;
    c.fontFamily = look::kSansFace;
    // Text stands on the painted wood in the machine's cream; buttons and frames letter themselves.
    if (kind == ControlKind::Label) c.foreground = look::kCream;
    // A frame's title in the serif of the machine's name plate; a button's caption in bold, as on its lamps.
    if (kind == ControlKind::Frame) {
        c.fontFamily = look::kSerifFace;
        c.fontPoints = 9;
        c.bold = true;
    }
    if (kind == ControlKind::PushButton) c.bold = true;
    // What the player types, and the note, on parchment.
    if (kind == ControlKind::TextBox) {
        c.transparentBackground = false;
        c.background = look::kParchment;
        c.foreground = look::kInk;
    }
}

void option(Control& c, const std::string& name, int index, int group, int left, int top, int width,
            int height, const char* caption) {
    placeOnWood(c, ControlKind::OptionButton, name, index, left, top, width, height, caption);
    c.group = group;
}

// Option-button groups: each array is one group.
enum Group { kSlots = 1, kWinCounter, kSound, kSpeed, kPayout };

constexpr int kStatisticsTop[7] = {1200, 1560, 1920, 2280, 2640, 3000, 3360};

}  // namespace

OptionsWindowLayout::OptionsWindowLayout() {
    platform::Window& w = frmorvelleoptions;
    w.caption = kOptionsCaption;
    w.clientWidth = kOptionsWidthTwips;
    w.clientHeight = kOptionsHeightTwips;
    w.width = kOptionsWidthTwips;
    w.height = kOptionsHeightTwips;
    // The machine's look: its palette and type over the painted wood.
    w.look = platform::WindowLook::Machine;
    w.picture = platform::PictureRef{"optionsback", 0};
    w.background = look::kWood;
    w.icon = platform::PictureRef{"icon", 0};

    placeOnWood(Framemain, ControlKind::Frame, "Framemain", 0, 0, 120, 8595, 4815, kOptionsFrameCaption);
    w.add(Framemain);

    placeOnWood(lblplayername, ControlKind::Label, "lblplayername", 0, 240, 360, 4200, 255,
                kPlayerNamePrompt);
    w.add(lblplayername, &Framemain);
    placeOnWood(player1, ControlKind::TextBox, "player1", 0, 1750, 240, 1455, 375);
    w.add(player1, &Framemain);
    placeOnWood(lblcurrentplayer, ControlKind::Label, "lblcurrentplayer", 0, 100, 720, 3375, 300);
    lblcurrentplayer.bold = true;
    lblcurrentplayer.foreground = look::kGoldLight;
    w.add(lblcurrentplayer, &Framemain);

    for (int i = 1; i <= 6; ++i) {
        option(machine[i], "machine", i, kSlots, 100, 1200 + 360 * (i - 1), 1500, 300, "");
        w.add(machine[i], &Framemain);
    }
    Control* statistics[7] = {&lblgames,    &lblwager,    &lbltotalwon, &lblwinlose,
                              &lblreturned, &lblinvested, &lblfreespins};
    const char* statisticNames[7] = {"lblgames",    "lblwager",    "lbltotalwon", "lblwinlose",
                                     "lblreturned", "lblinvested", "lblfreespins"};
    for (int k = 0; k < 7; ++k) {
        placeOnWood(*statistics[k], ControlKind::Label, statisticNames[k], 0, k == 6 ? 2010 : 2000,
                    kStatisticsTop[k], 2500, 300);
        w.add(*statistics[k], &Framemain);
    }

    placeOnWood(Btndeletedetails, ControlKind::PushButton, "Btndeletedetails", 0, 195, 3750, 4335, 430,
                "Delete Current Player");
    Btndeletedetails.hint = "This Button Will Delete All Current Players Details.";
    w.add(Btndeletedetails, &Framemain);
    placeOnWood(btnokplayer, ControlKind::PushButton, "btnokplayer", 0, 180, 4280, 4335, 430,
                "O.K. Close and save changes");
    btnokplayer.hint = "Close and Save Your Changes";
    w.add(btnokplayer, &Framemain);

    placeOnWood(Framecounter, ControlKind::Frame, "Framecounter", 0, 4710, 330, 1600, 930, "Win Counter");
    w.add(Framecounter, &Framemain);
    option(wincounter[1], "wincounter", 1, kWinCounter, 105, 285, 1200, 250, "");
    option(wincounter[2], "wincounter", 2, kWinCounter, 105, 600, 1200, 250, "");
    for (int k = 1; k <= 2; ++k) w.add(wincounter[k], &Framecounter);

    placeOnWood(soundonof, ControlKind::Frame, "soundonof", 0, 4710, 1380, 1600, 1020, "toggle sound");
    w.add(soundonof, &Framemain);
    option(sounds[1], "sounds", 1, kSound, 105, 375, 1200, 300, " ON");
    option(sounds[2], "sounds", 2, kSound, 120, 630, 1300, 300, " OFF");
    for (int k = 1; k <= 2; ++k) w.add(sounds[k], &soundonof);

    placeOnWood(Framespeed, ControlKind::Frame, "Framespeed", 0, 4710, 2350, 3690, 1335, "Reel Speed");
    w.add(Framespeed, &Framemain);
    for (int k = 0; k <= 4; ++k) {
        const std::string caption = std::to_string(k + 1);
        option(setspeed[k], "setspeed", k, kSpeed, 120 + 600 * k, 360, 375, 300, caption.c_str());
        w.add(setspeed[k], &Framespeed);
    }
    placeOnWood(fastslow, ControlKind::Label, "fastslow", 0, 120, 720, 3450, 255, kFastSlow);
    w.add(fastslow, &Framespeed);
    placeOnWood(speedlab, ControlKind::Label, "speedlab", 0, 135, 960, 3450, 255);
    w.add(speedlab, &Framespeed);

    placeOnWood(Framepayout, ControlKind::Frame, "Framepayout", 0, 4740, 3700, 3660, 735, "Payout %");
    w.add(Framepayout, &Framemain);
    option(Amtpayout[0], "Amtpayout", 0, kPayout, 120, 360, 1000, 300, "Realistic");
    option(Amtpayout[1], "Amtpayout", 1, kPayout, 1200, 360, 735, 300, "Loose");
    option(Amtpayout[2], "Amtpayout", 2, kPayout, 1920, 360, 1635, 300, "Orvelle Machine !!");
    for (Control& c : Amtpayout) {
        c.hint = "Set Payout Percentages";
        w.add(c, &Framepayout);
    }

    // The screen-size frame stands on the window itself, at the right.
    placeOnWood(Framescreen, ControlKind::Frame, "Framescreen", 0, 6400, 455, 1980, 2070, "Screen Size");
    w.add(Framescreen);
    placeOnWood(cmdorigonal, ControlKind::PushButton, "cmdorigonal", 0, 50, 300, 1900, 300,
                "Origonal Screen Size");
    cmdorigonal.hint = "Set Screen Size To SMALL";
    placeOnWood(cmdlargescreen, ControlKind::PushButton, "cmdlargescreen", 0, 50, 800, 1900, 300,
                "Large Size 800X600");
    cmdlargescreen.hint = "Set Screen Size To LARGE";
    placeOnWood(Text1, ControlKind::TextBox, "Text1", 0, 100, 1200, 1750, 705, kScreenNote);
    Text1.wordWrap = true;
    for (Control* c : {&cmdorigonal, &cmdlargescreen, &Text1}) w.add(*c, &Framescreen);

    // What a screen reader says of each control the player can use (some show no text of their own).
    auto name = [](Control& c, const std::string& accessibleName, const std::string& description) {
        c.accessibleName = accessibleName;
        c.accessibleDescription = description;
    };
    name(player1, "PLAYER NAME", "the name of the player in the chosen slot; Enter keeps it");
    for (int i = 1; i <= 6; ++i) {
        name(machine[i], "PLAYER SLOT " + std::to_string(i),
             "plays as the player of slot " + std::to_string(i));
    }
    name(Btndeletedetails, "DELETE PLAYER", "deletes every detail of the current player");
    name(btnokplayer, "OK", "closes the window and saves the changes");
    name(wincounter[1], "WIN COUNTER ON", "counts a win up on the win meter");
    name(wincounter[2], "WIN COUNTER OFF", "shows a win on the win meter at once");
    name(sounds[1], "SOUND ON", "plays the machine's sounds");
    name(sounds[2], "SOUND OFF", "silences the machine");
    for (int k = 0; k <= 4; ++k) {
        name(setspeed[k], "REEL SPEED " + std::to_string(k + 1), "1 is the fastest, 5 the slowest");
    }
    name(Amtpayout[0], "PAYOUT REALISTIC", "the lowest of the three payout settings");
    name(Amtpayout[1], "PAYOUT LOOSE", "the middle payout setting");
    name(Amtpayout[2], "PAYOUT ORVELLE MACHINE", "the highest payout setting");
    name(cmdorigonal, "ORIGINAL SIZE", "shows the machine at its own size");
    name(cmdlargescreen, "LARGE SIZE", "shows the machine scaled up to fill the screen");
    name(Text1, "SCREEN SIZE NOTE", "what the two screen sizes do");

    resetToLoaded();
}

void OptionsWindowLayout::resetToLoaded() {
    frmorvelleoptions.visible = false;
    frmorvelleoptions.enabled = true;
    player1.caption.clear();
    lblcurrentplayer.caption.clear();
    for (Control* c : {&lblgames, &lblwager, &lbltotalwon, &lblwinlose, &lblreturned, &lblinvested,
                       &lblfreespins, &speedlab}) {
        c->caption.clear();
    }
    for (int i = 1; i <= 6; ++i) {
        machine[i].caption.clear();
        machine[i].marked = false;
    }
    for (int k = 1; k <= 2; ++k) {
        wincounter[k].caption.clear();
        wincounter[k].marked = false;
        sounds[k].marked = false;
    }
    for (Control& c : setspeed) c.marked = false;
    for (Control& c : Amtpayout) c.marked = false;
    Text1.caption = kScreenNote;
}

}  // namespace zem::ui
