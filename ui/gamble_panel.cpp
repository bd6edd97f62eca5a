// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the gamble panel: positions and sizes in twips inside `pandouble`, texts, colours, hints and
// pictures.
#include "gamble_panel.h"
#include "layout.h"
#include "picture_lists.h"

#include "machine_window.h"
#include "platform/key_routing.h"

namespace zem::ui {

namespace {

using platform::Color;
using platform::Control;
using platform::ControlKind;
using platform::PictureRef;

constexpr Color kYellow{255, 255, 0};
constexpr Color kWhite{255, 255, 255};

void label(Control& c, const char* name, int left, int top, int width, int height, Color colour, int points) {
    place(c, ControlKind::Label, name, 0, left, top, width, height);
    c.foreground = colour;
    c.fontPoints = points;
    c.bold = true;
}

// The suits' keys stand on the keyboard as their buttons stand on the panel, two over two.
struct SuitButton {
    int left, top;
    const char* hint;
    int key;
    const char* name;
};
constexpr SuitButton kSuitButtons[5] = {{},
                                        {240, 1080, "Bet on Hearts, pays 4:1", 'u', "HEARTS"},
                                        {2680, 1080, "Bet on Clubs, pays 4:1", 'i', "CLUBS"},
                                        {240, 2640, "Bet on Diamonds, pays 4:1", 'j', "DIAMONDS"},
                                        {2680, 2640, "Bet on Spades, pays 4:1", 'k', "SPADES"}};

}  // namespace

void GamblePanel::layOut(platform::Window& window, Control& pandouble) {
    label(risklab, "risklab", 480, 45, 2895, 540, kWhite, 16);
    label(lblblackred, "lblblackred", 240, 450, 0, 300, kWhite, 11);
    lblblackred.autoSize = true;
    label(lblsuit, "lblsuit", 240, 750, 0, 300, kYellow, 11);
    lblsuit.autoSize = true;

    place(piccardholder, ControlKind::Image, "piccardholder", 0, 1080, 1080, 1605, 2400);
    piccardholder.picture = picture(CardPicture::Back);

    for (int k = 1; k <= 4; ++k) {
        const SuitButton& b = kSuitButtons[k];
        place(suitbet[k], ControlKind::PushButton, "suitbet", k, b.left, b.top, 810, 810);
        suitbet[k].picture = suitIcon(k);
        suitbet[k].hint = b.hint;
        bindKey(suitbet[k], b.key, b.name, std::string("bets on ") + b.name + ", pays 4 to 1");
    }

    place(betred, ControlKind::PushButton, "betred", 0, 60, 3480, 1020, 450);
    betred.picture = PictureRef{"betred", 0};
    betred.hint = "Bet Red, pays 2:1";
    place(cancelbet, ControlKind::PushButton, "cancelbet", 0, 1100, 3480, 1560, 450);
    cancelbet.picture = PictureRef{"cancelbet", 0};
    cancelbet.hint = "Chicken out and take current win";
    place(betblack, ControlKind::PushButton, "betblack", 0, 2680, 3480, 1020, 450);
    betblack.picture = PictureRef{"betblack", 0};
    betblack.hint = "Bet Black, pays 2:1";
    bindKey(betred, platform::keys::kLeft, "RED", "bets on a red card, pays 2 to 1");
    bindKey(cancelbet, platform::keys::kReturn, "TAKE WIN",
            "ends the gamble and puts the amount at risk into the credit");
    bindKey(betblack, platform::keys::kRight, "BLACK", "bets on a black card, pays 2 to 1");

    // The history slots show a suit icon scaled to their size; they take no action.
    for (int k = 1; k <= 5; ++k) {
        place(historypic[k], ControlKind::Image, "historypic", k, historyLeft(k), kHistoryTop, 495, 495);
        historypic[k].stretch = true;
        historypic[k].visible = false;
    }
    label(Lblpasthistory, "Lblpasthistory", 600, 4440, 2535, 300, kYellow, 9);
    Lblpasthistory.caption = "past history";
    Lblpasthistory.alignment = 2;

    place(gamblewin, ControlKind::Image, "gamblewin", 0, 705, 5000, 2250, 450);
    gamblewin.picture = PictureRef{"gamblewin", 0};
    gamblewin.visible = false;
    place(gamblelose, ControlKind::Image, "gamblelose", 0, 720, 5000, 2250, 450);
    gamblelose.picture = PictureRef{"gamblelose", 0};
    gamblelose.visible = false;

    for (Control* c : {&risklab, &lblblackred, &lblsuit, &piccardholder}) window.add(*c, &pandouble);
    for (int k = 1; k <= 4; ++k) window.add(suitbet[k], &pandouble);
    for (Control* c : {&betred, &cancelbet, &betblack}) window.add(*c, &pandouble);
    for (int k = 1; k <= 5; ++k) window.add(historypic[k], &pandouble);
    for (Control* c : {&Lblpasthistory, &gamblewin, &gamblelose}) window.add(*c, &pandouble);
}

}  // namespace zem::ui
