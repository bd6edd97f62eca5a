// SPDX-License-Identifier: GPL-3.0-or-later
// The celebration plaque over the reels: when it comes, what it says and what takes it away.
#include "celebration.h"

#include "play/machine.h"

namespace zem::presentation {

Celebration::Celebration(play::Machine& m) : m_(m) {
    m_.w.orvelle.onPlayerPress = [this] { end(); };
}

Celebration::~Celebration() { m_.w.orvelle.onPlayerPress = {}; }

ui::Plaque Celebration::plaqueFor(int64_t win, int64_t bet) {
    if (bet < 1) return ui::Plaque::None;
    if (win >= kMegaWinTimes * bet) return ui::Plaque::MegaWin;
    if (win >= kBigWinTimes * bet) return ui::Plaque::BigWin;
    return ui::Plaque::None;
}

void Celebration::winCredited() {
    const ui::Plaque plaque = plaqueFor(m_.s.spinwin, m_.s.totalBet());
    if (plaque != ui::Plaque::None) show(plaque, std::to_string(m_.s.spinwin));
}

void Celebration::seriesTotal() {
    // The triggering spin counts among the series' spins; the free spins are the others.
    const int spins = m_.s.freespinsplayed - 1;
    // A total below the big-win mark has a plaque of its own.
    const ui::Plaque plaque = plaqueFor(m_.s.freespinwin, m_.s.totalBet());
    show(plaque != ui::Plaque::None ? plaque : ui::Plaque::SeriesTotal,
         std::to_string(spins) + (spins == 1 ? " FREE SPIN" : " FREE SPINS") + "  WON " +
             std::to_string(m_.s.freespinwin));
}

void Celebration::show(ui::Plaque plaque, const std::string& text) {
    m_.w.picbigwin.picture = ui::picture(plaque);
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
