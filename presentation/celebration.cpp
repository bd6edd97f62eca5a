// SPDX-License-Identifier: GPL-3.0-or-later
// The celebration plaque over the reels: when it comes, what it says and what takes it away.
#include "celebration.h"

#include "play/machine.h"

namespace zem::presentation {

namespace {
constexpr int kTotalWinPlaque = 3;  // a series' total below the big-win mark
}  // namespace

Celebration::Celebration(play::Machine& m) : m_(m) {
    m_.w.orvelle.onPlayerPress = [this] { end(); };
}

Celebration::~Celebration() { m_.w.orvelle.onPlayerPress = {}; }

int Celebration::plaqueFor(int64_t win, int64_t bet) {
    if (bet < 1) return 0;
    if (win >= kMegaWinTimes * bet) return 2;
    if (win >= kBigWinTimes * bet) return 1;
    return 0;
}

void Celebration::winCredited() {
    const int plaque = plaqueFor(m_.s.spinwin, m_.s.totalBet());
    if (plaque != 0) show(plaque, std::to_string(m_.s.spinwin));
}

void Celebration::seriesTotal() {
    // The triggering spin counts among the series' spins; the free spins are the others.
    const int spins = m_.s.freespinsplayed - 1;
    const int plaque = plaqueFor(m_.s.freespinwin, m_.s.totalBet());
    show(plaque != 0 ? plaque : kTotalWinPlaque, std::to_string(spins) +
                                                     (spins == 1 ? " FREE SPIN" : " FREE SPINS") + "  WON " +
                                                     std::to_string(m_.s.freespinwin));
}

void Celebration::show(int plaque, const std::string& text) {
    m_.w.picbigwin.picture = {"picbigwin", plaque};
    m_.w.lblbigwin.caption = text;
    m_.w.picbigwin.visible = true;
    m_.w.lblbigwin.visible = true;
}

void Celebration::end() {
    m_.w.picbigwin.visible = false;
    m_.w.lblbigwin.visible = false;
}

bool Celebration::shown() const { return m_.w.picbigwin.visible; }

}  // namespace zem::presentation
