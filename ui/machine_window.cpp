// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the machine window: positions and sizes in twips, captions, hints, colours and pictures.
#include "machine_window.h"

#include "core/reels.h"
#include "layout.h"
#include "picture_lists.h"
#include "platform/key_routing.h"

#include <string>

namespace zem::ui {

namespace {

using platform::Color;
using platform::PictureRef;

constexpr Color kYellow{255, 255, 0};
constexpr Color kWhite{255, 255, 255};

void meter(Control& c, const std::string& name, int left, int top, int width, int height, Color colour,
           int points, bool autoSize) {
    place(c, ControlKind::Label, name, 0, left, top, width, height);
    c.foreground = colour;
    c.fontPoints = points;
    c.bold = true;
    c.autoSize = autoSize;
}

void pictureButton(Control& c, const std::string& name, int index, int left, int top, int width, int height,
                   const char* hint) {
    place(c, ControlKind::Image, name, index, left, top, width, height);
    c.picture = PictureRef{name, index};
    c.hint = hint;
    c.dimsWhenDisabled = true;
}

// Lettering in the machine's gold, as the pictures' words are painted.
void gildLettering(Control& c) {
    c.lettered = true;
    c.foreground = Color{255, 246, 200};
    c.shade = Color{232, 166, 36};
    c.outline = Color{60, 22, 0};
}

struct ButtonRow {
    int left, top, width, height;
    const char* hint;
};

constexpr ButtonRow kPaylineButtons[6] = {{},
                                          {630, 180, 930, 630, "Play 1 line"},
                                          {1580, 180, 915, 615, "play 5 lines"},
                                          {2510, 180, 930, 630, "play 10 lines"},
                                          {3460, 180, 915, 645, "play 15 lines"},
                                          {4440, 180, 930, 645, "play ALL lines"}};

constexpr ButtonRow kPlayButtons[7] = {{},
                                       {440, 800, 975, 660, "Bet 1 coin per line"},
                                       {1440, 800, 975, 675, "Bet 2 coins per line"},
                                       {2430, 800, 960, 675, "Bet 3 coins per line"},
                                       {3380, 800, 975, 705, "Bet 5 coins per line"},
                                       {4400, 800, 990, 705, "Bet 10 coins per line"},
                                       {5390, 800, 945, 705, "Bet 20 coins per line"}};

// The keys of the button panel: its top row on the digit keys and the row beneath on the letters beneath
// them, each key where its button stands.
constexpr int kPaylineKeys[6] = {0, '1', '2', '3', '4', '5'};
constexpr int kPlayKeys[7] = {0, 'q', 'w', 'e', 'r', 't', 'y'};
constexpr int kLinesOfButton[6] = {0, 1, 5, 10, 15, 25};
constexpr int kCoinsOfButton[7] = {0, 1, 2, 3, 5, 10, 20};

std::string plural(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Tops of the line markers: left column lin(k) at x 70, right column at x 11100.
struct MarkerPlace {
    int line, left, top;
};
constexpr MarkerPlace kMarkers[26] = {
    {4, 70, 980},      {6, 70, 1420},     {2, 70, 1860},     {12, 70, 2300},    {8, 70, 2740},
    {10, 70, 3180},    {1, 70, 3615},     {11, 70, 4060},    {9, 70, 4500},     {13, 70, 4940},
    {3, 70, 5380},     {7, 70, 5820},     {5, 70, 6260},     {25, 11100, 980},  {14, 11100, 1420},
    {18, 11100, 1860}, {15, 11100, 2300}, {22, 11100, 2740}, {21, 11100, 3180}, {26, 11100, 3615},
    {20, 11100, 4065}, {23, 11100, 4500}, {17, 11100, 4940}, {16, 11100, 5380}, {19, 11100, 5820},
    {24, 11100, 6260}};

// Stops the reels show before the first spin.
constexpr int kOpeningStops[6] = {0, 21, 20, 16, 17, 7};

}  // namespace

void bindKey(Control& c, int key, const std::string& name, const std::string& description) {
    c.shortcut = key;
    c.accessibleName = name;
    c.accessibleDescription = description;
    const std::string keyText = platform::keyName(key);
    if (!keyText.empty()) c.hint += (c.hint.empty() ? "" : " ") + std::string("(key ") + keyText + ")";
}

MachineWindow::MachineWindow() {
    Window& w = orvelle;
    w.clientWidth = kMachineWidthTwips;
    w.clientHeight = kMachineHeightTwips;
    w.width = kMachineWidthTwips;
    w.height = kMachineHeightTwips;
    w.caption = kCaptionPrefix;
    w.picture = PictureRef{"background", 0};
    w.icon = PictureRef{"icon", 0};
    w.keyPreview = true;
    w.offersLargeSize = true;

    // Line segments are drawn on the window's surface, beneath everything standing on it.
    for (int i = 1; i <= 6; ++i) {
        place(Lineflash[i], ControlKind::LineSegment, "Lineflash", i, 0, 0, 0, 0);
        Lineflash[i].lineWidth = 10;
        Lineflash[i].visible = false;
        w.add(Lineflash[i]);
    }

    for (const MarkerPlace& m : kMarkers) {
        Control& c = lin[m.line];
        place(c, ControlKind::Image, "lin", m.line, m.left, m.top, 675, 375);
        c.picture = lineMarker(m.line == 26 ? 1 : m.line, true);
        c.enabled = false;
        const int line = m.line == 26 ? 1 : m.line;
        c.accessibleName = "LINE " + std::to_string(line);
        c.accessibleDescription =
            "the marker of line " + std::to_string(line) + "; in the payline viewer it shows the line";
        w.add(c);
    }

    for (int r = 1; r <= 5; ++r) {
        place(Picture[r], ControlKind::PictureBox, "Picture", r, kReelLeft[r], kReelWindowTop,
              core::kCellTwips, 3 * core::kCellTwips);
        w.add(Picture[r]);
        place(reel[r], ControlKind::Image, "reel", r, 0, core::reelTopFor(kOpeningStops[r]), core::kCellTwips,
              core::kStripCells * core::kCellTwips);
        reel[r].picture = PictureRef{"reel" + std::to_string(r), 0};
        w.add(reel[r], &Picture[r]);
        for (int row = 1; row <= 3; ++row) {
            const int cell = core::cellNumber(r, row);
            Control& f = flasher[cell];
            place(f, ControlKind::PictureBox, "flasher", cell, 0, (row - 1) * core::kCellTwips,
                  core::kCellTwips, core::kCellTwips);
            f.picture = picture(ScatterPicture::Highlight);
            f.visible = false;
            w.add(f, &Picture[r]);
        }
        if (r >= 2 && r <= 4) {
            Control& held = picheld[r];
            place(held, ControlKind::Image, "picheld", r, 0, 3 * core::kCellTwips - kHeldMarkHeight,
                  core::kCellTwips, kHeldMarkHeight);
            held.picture = PictureRef{"picheld", 0};
            held.visible = false;
            w.add(held, &Picture[r]);
        }
    }

    // The pays stand beside the reels, never over a symbol: a line's over its marker (which is off while its
    // line shines), the Scatters' in the corner right of the meters.
    place(lbllinepay, ControlKind::Label, "lbllinepay", 0, 0, 0, 675, 375);
    place(lblscatterpay, ControlKind::Label, "lblscatterpay", 0, 11220, 120, 660, 690);
    for (Control* c : {&lbllinepay, &lblscatterpay}) {
        gildLettering(*c);
        c->fontPoints = 13;
        c->bold = true;
        c->fontFamily = "DejaVu Sans";
        c->alignment = 2;
        c->visible = false;
        w.add(*c);
    }

    // The celebration stands over the middle of the reels, beneath the panels that may cover them.
    place(picbigwin, ControlKind::Image, "picbigwin", 0, 3007, 2712, 6000, 2250);
    picbigwin.picture = picture(Plaque::BigWin);
    picbigwin.visible = false;
    w.add(picbigwin);
    place(lblbigwin, ControlKind::Label, "lblbigwin", 0, 3607, 3840, 4800, 600);
    gildLettering(lblbigwin);
    lblbigwin.fontPoints = 22;
    lblbigwin.bold = true;
    lblbigwin.fontFamily = "DejaVu Serif";
    lblbigwin.alignment = 2;
    lblbigwin.visible = false;
    w.add(lblbigwin);

    meter(PANELBANK, "PANELBANK", 1600, 480, 1500, 390, kYellow, 16, true);
    // The dollar labels reach to the right edge of their meter's box, so that a credit or win of ten digits
    // still shows whole at a readable size (the label draws a longer text smaller rather than cut it).
    meter(Lblcredit, "Lblcredit", 3000, 150, 1425, 240, kWhite, 10, false);
    meter(LABWIN, "LABWIN", 5800, 480, 1500, 390, kYellow, 16, true);
    meter(lblwin, "lblwin", 6400, 150, 2040, 255, kWhite, 10, false);
    place(LABLASTBET, ControlKind::Image, "LABLASTBET", 0, 8880, 160, 1650, 390);
    LABLASTBET.picture = PictureRef{"LABLASTBET", 0};
    place(LABTHISWIN, ControlKind::Image, "LABTHISWIN", 0, 8880, 160, 1755, 375);
    LABTHISWIN.picture = PictureRef{"LABTHISWIN", 0};
    LABTHISWIN.visible = false;
    meter(lbllast, "lbllast", 9100, 480, 1200, 390, kYellow, 16, true);
    meter(Lblcurrentwin, "Lblcurrentwin", 9300, 480, 1200, 390, kYellow, 16, true);
    Lblcurrentwin.visible = false;
    for (Control* c :
         {&PANELBANK, &Lblcredit, &LABWIN, &lblwin, &LABLASTBET, &LABTHISWIN, &lbllast, &Lblcurrentwin}) {
        w.add(*c);
    }

    place(pannomoney, ControlKind::Panel, "pannomoney", 0, 1440, 2880, 9405, 2220);
    pannomoney.caption = kNoMoneyText;
    pannomoney.wordWrap = true;
    pannomoney.fontPoints = 14;
    pannomoney.bold = true;
    pannomoney.foreground = Color{128, 0, 0};
    pannomoney.background = Color{255, 236, 170};
    pannomoney.transparentBackground = false;
    pannomoney.visible = false;
    w.add(pannomoney);

    place(pandouble, ControlKind::PictureBox, "pandouble", 0, 3780, 850, 3780, 5580);
    pandouble.picture = PictureRef{"pandouble", 0};
    pandouble.visible = false;
    w.add(pandouble);
    gamble.layOut(w, pandouble);

    place(panfreespin, ControlKind::PictureBox, "panfreespin", 0, 0, 6720, 12060, 2085);
    panfreespin.picture = PictureRef{"panfreespin", 0};
    w.add(panfreespin);
    for (int i = 1; i <= 5; ++i) {
        const ButtonRow& b = kPaylineButtons[i];
        pictureButton(payline[i], "payline", i, b.left, b.top, b.width, b.height, b.hint);
        bindKey(payline[i], kPaylineKeys[i],
                i == 5 ? "ALL LINES" : "LINES " + std::to_string(kLinesOfButton[i]),
                "plays " + plural(kLinesOfButton[i], "line", "lines"));
        w.add(payline[i], &panfreespin);
    }
    pictureButton(autoplayon, "autoplayon", 0, 5400, 180, 900, 630, "Turn autoplay ON");
    pictureButton(autoplayoff, "autoplayoff", 0, 6360, 180, 975, 645, "Turn autoplay OFF");
    pictureButton(btnoptions, "btnoptions", 0, 7320, 180, 1185, 615, "Access game OPTIONS");
    pictureButton(doublebutton, "doublebutton", 0, 8530, 180, 1575, 1395, "Gamble your win");
    doublebutton.enabled = false;
    bindKey(autoplayon, 'a', "AUTO ON", "turns autoplay on");
    bindKey(autoplayoff, 'a', "AUTO OFF", "turns autoplay off");
    bindKey(btnoptions, 'o', "OPTIONS", "opens the options window");
    bindKey(doublebutton, 'g', "GAMBLE", "gambles the win on the colour or suit of a card");
    for (Control* c : {&autoplayon, &autoplayoff, &btnoptions, &doublebutton}) w.add(*c, &panfreespin);
    for (int i = 1; i <= 6; ++i) {
        const ButtonRow& b = kPlayButtons[i];
        pictureButton(pplay[i], "pplay", i, b.left, b.top, b.width, b.height, b.hint);
        bindKey(pplay[i], kPlayKeys[i], "BET " + std::to_string(kCoinsOfButton[i]),
                "spins at " + plural(kCoinsOfButton[i], "coin", "coins") + " a line");
        w.add(pplay[i], &panfreespin);
    }
    pictureButton(coinsin, "coinsin", 0, 6370, 800, 960, 660, "Insert COINS");
    bindKey(coinsin, 'c', "COINS", "puts a coin into the credit");
    pictureButton(notes, "notes", 0, 7350, 800, 1230, 675, "Insert NOTES");
    bindKey(notes, 'n', "NOTES", "puts a note into the credit");
    place(dollar1, ControlKind::Image, "dollar1", 0, 10680, 0, 615, 615);
    dollar1.picture = PictureRef{"dollar1", 0};
    dollar1.visible = false;
    place(halfcoin1, ControlKind::Image, "halfcoin1", 0, 10600, 550, 855, 615);
    halfcoin1.picture = PictureRef{"halfcoin1", 0};
    halfcoin1.visible = false;
    for (Control* c : {&coinsin, &notes, &dollar1, &halfcoin1}) w.add(*c, &panfreespin);

    for (int i = 1; i <= 6; ++i) {
        place(play[i], ControlKind::PushButton, "play", i, 0, 0, 0, 0);
        play[i].visible = false;
        w.add(play[i]);
    }

    // The free-spin counter is lettered in the machine's gold, centred in the band along the window's foot.
    meter(spinsleft, "spinsleft", kFootBandLeft, 7005, kFootBandWidth, 480, kWhite, 16, false);
    gildLettering(spinsleft);
    spinsleft.fontFamily = "DejaVu Serif";
    spinsleft.alignment = 2;
    spinsleft.visible = false;
    w.add(spinsleft);
    place(takewin, ControlKind::PushButton, "takewin", 0, 9000, 7500, 1815, 855);
    takewin.picture = PictureRef{"takewin", 0};
    takewin.dimsWhenDisabled = true;
    takewin.caption = "TAKE WIN";
    takewin.fontPoints = 12;
    takewin.bold = true;
    takewin.visible = false;
    takewin.hint = "Take the free spins' win";
    bindKey(takewin, platform::keys::kReturn, "TAKE WIN", "puts the free spins' win into the credit");
    w.add(takewin);

    struct Announcement {
        Control* control;
        const char* name;
        int left, top, width, height;
    };
    const Announcement announcement[] = {{&stockade1, "stockade1", 0, 6420, 3135, 2415},
                                         {&flame11, "flame11", 1200, 6500, 735, 1455},
                                         {&flame21, "flame21", 1200, 6500, 855, 1455},
                                         {&flame31, "flame31", 1200, 6500, 735, 1575},
                                         {&flame41, "flame41", 1200, 6500, 615, 1455},
                                         {&flamingarrow1, "flamingarrow1", 10000, 7700, 4935, 375},
                                         {&noflamearrow1, "noflamearrow1", 1400, 7700, 3015, 375}};
    for (const Announcement& a : announcement) {
        place(*a.control, ControlKind::Image, a.name, 0, a.left, a.top, a.width, a.height);
        a.control->picture = PictureRef{a.name, 0};
        a.control->visible = false;
        w.add(*a.control);
    }

    place(Btnreturn2game, ControlKind::PushButton, "Btnreturn2game", 0, 840, 6840, 10995, 405);
    Btnreturn2game.caption = kReturnToGameText;
    Btnreturn2game.fontFamily = "Times New Roman";
    Btnreturn2game.visible = false;
    Btnreturn2game.hint = "Back to the game (key Esc)";
    Btnreturn2game.accessibleName = "RETURN TO GAME";
    Btnreturn2game.accessibleDescription = "leaves the paylines and shows the reels again";
    w.add(Btnreturn2game);

    place(mnuexit, ControlKind::MenuEntry, "mnuexit", 0, 0, 0, 0, 0);
    mnuexit.caption = "&exit";
    place(Mnupaylines, ControlKind::MenuEntry, "Mnupaylines", 0, 0, 0, 0, 0);
    Mnupaylines.caption = "PayLines";
    place(mnuabout, ControlKind::MenuEntry, "mnuabout", 0, 0, 0, 0, 0);
    mnuabout.caption = "&about";
    place(mnuptble, ControlKind::MenuEntry, "mnuptble", 0, 0, 0, 0, 0);
    mnuptble.caption = "&Paytable";
    bindKey(mnuptble, platform::keys::kF1, "Paytable", "opens the pay table");
    bindKey(Mnupaylines, 'p', "PayLines", "shows the paylines in place of the reels");
    place(mnuhistory, ControlKind::MenuEntry, "mnuhistory", 0, 0, 0, 0, 0);
    mnuhistory.caption = "&History";
    bindKey(mnuhistory, 'h', "History", "shows the last ten games");
    for (Control* c : {&mnuexit, &Mnupaylines, &mnuabout, &mnuptble, &mnuhistory}) w.add(*c);
    // The sound switch has no control of its own on the machine window.
    w.ownKeys.push_back(kSoundKey);
}

}  // namespace zem::ui
