// SPDX-License-Identifier: GPL-3.0-or-later
// The strip table: which symbol stands on each of the 29 cells of each reel picture.
#include "reels.h"

namespace zem::core {

namespace {

constexpr Symbol kStrips[kReels + 1][kStripCells] = {
    {},  // spare slot 0
    {Tomahawk,  Scatter,  Jack,    King,    Tomahawk,  Skull, Jack,   Totem, Tomahawk, Queen,
     Moccasins, Tomahawk, Scatter, Jack,    Moccasins, Queen, Maiden, Jack,  Hoop,     King,
     Skull,     King,     Chief,   Scatter, Tomahawk,  Totem, Queen,  King,  Skull},  // reel 1
    {King,  Tomahawk, Wild,      King,     Queen,  Tomahawk, Jack,     Queen, Moccasins, Scatter,
     Totem, Hoop,     Queen,     Jack,     Maiden, King,     Tomahawk, Skull, Maiden,    Queen,
     Jack,  Chief,    Moccasins, Tomahawk, Totem,  Wild,     King,     Queen, Jack},  // reel 2
    {Skull, Scatter, Tomahawk, Queen, Skull,    Hoop,  Jack,  Totem, Skull,  Moccasins,
     Hoop,  Wild,    Tomahawk, Skull, Jack,     Queen, Totem, Chief, Maiden, Tomahawk,
     Totem, Jack,    King,     Hoop,  Tomahawk, Totem, Queen, Skull, King},  // reel 3
    {Scatter,  Totem, Hoop,  Moccasins, King,  Tomahawk, Moccasins, Scatter, Totem, Hoop,
     Queen,    Wild,  Jack,  Tomahawk,  King,  Skull,    Tomahawk,  Jack,    Chief, Maiden,
     Tomahawk, Totem, Queen, Skull,     Chief, Wild,     King,      Totem,   Jack},  // reel 4
    {King,      Tomahawk, Skull,     King,     Queen, Hoop,  Totem, Jack,      Chief,  Scatter,
     Totem,     Tomahawk, Moccasins, Queen,    Hoop,  Jack,  Skull, Totem,     Maiden, Chief,
     Moccasins, King,     Jack,      Tomahawk, Skull, Queen, Chief, Moccasins, Queen},  // reel 5
};

}  // namespace

Symbol stripSymbol(int reel, int cell) {
    if (reel < 1 || reel > kReels || cell < 0 || cell >= kStripCells) return Symbol{};
    return kStrips[reel][cell];
}

}  // namespace zem::core
