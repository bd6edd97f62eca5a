// SPDX-License-Identifier: GPL-3.0-or-later
// The picture lists of the machine window and the gamble panel: each list's pictures by what they show, every
// value being the picture's index in its list.
#pragma once

#include "platform/controls.h"

namespace zem::ui {

// "ImageList1": the frames of the Scatter's animation, then the plain light-cyan highlight of a cell.
enum class ScatterPicture : int { FirstFrame = 1, LastFrame = 20, Highlight = 21 };
inline constexpr const char* kScatterList = "ImageList1";
inline platform::PictureRef picture(ScatterPicture p) { return {kScatterList, static_cast<int>(p)}; }
// Frame 1..20 of the Scatter's animation.
inline platform::PictureRef scatterFrame(int frame) { return {kScatterList, frame}; }

// "ImageList2": the frames of the Wild's animation, then four frames of each multiplier, to be laid over a
// Wild frame with their white transparent.
enum class WildPicture : int {
    FirstFrame = 1,
    LastFrame = 8,
    TimesTwo = 9,  // ×2: 9 .. 12
    TimesThree = 13,
    TimesFive = 17,
    TimesTen = 21,
    LastOfTimesTen = 24,
};
inline constexpr const char* kWildList = "ImageList2";
// Frame 1..8 of the Wild's animation, or multiplier picture 9..24.
inline platform::PictureRef wildPicture(int index) { return {kWildList, index}; }

// "imagelistcards": the faces of the four aces (hearts, clubs, diamonds, spades: the card's number), a spare
// back, the four suits' icons in the same order, the whole back and then the back peeled away step by step.
enum class CardPicture : int {
    HeartsAce = 1,
    SpadesAce = 4,
    SpareBack = 5,
    HeartIcon = 6,
    SpadeIcon = 9,
    Back = 10,  // the first frame of the reveal
    LastPeel = 24,
};
inline constexpr const char* kCardList = "imagelistcards";
inline platform::PictureRef picture(CardPicture p) { return {kCardList, static_cast<int>(p)}; }
// The face of card 1..4, or a frame of the reveal from the whole back on.
inline platform::PictureRef cardPicture(int index) { return {kCardList, index}; }
// The icon of suit 1..4.
inline platform::PictureRef suitIcon(int suit) {
    return {kCardList, static_cast<int>(CardPicture::HeartIcon) + suit - 1};
}

// "picbigwin": the plaques celebrating a big moment over the reels.
enum class Plaque : int { None = 0, BigWin = 1, MegaWin = 2, SeriesTotal = 3 };
inline platform::PictureRef picture(Plaque p) { return {"picbigwin", static_cast<int>(p)}; }

// "linepics": the marker of line 1..25, coloured while the line is played and grey while it is not.
inline platform::PictureRef lineMarker(int line, bool played) { return {"linepics", played ? line : line + 25}; }

}  // namespace zem::ui
