// SPDX-License-Identifier: GPL-3.0-or-later
// Entry to, hover in and return from the payline viewer.
#include "payline_viewer.h"

#include "line_flash.h"
#include "payline_drawing.h"
#include "play/machine.h"

namespace zem::presentation {

PaylineViewer::PaylineViewer(play::Machine& m, LineFlash& flash) : m_(m), flash_(flash) {
    m_.openers.paylineViewer = [this] { enter(); };
    for (int k = 1; k <= kMarkers; ++k) {
        m_.w.lin[k].onMove = [this, k](const platform::MouseEvent&) { hover(k); };
    }
    m_.w.Btnreturn2game.onClick = [this] { returnToGame(); };
    // Escape leaves the viewer as its return button does, and only while that button could be clicked.
    m_.w.orvelle.onEscape = [this] {
        if (m_.w.Btnreturn2game.acceptsInput()) returnToGame();
    };
}

bool PaylineViewer::active() const { return m_.w.Btnreturn2game.visible; }

void PaylineViewer::enter() {
    auto& w = m_.w;
    // A spin that lets a menu click in finishes first: its end would take the markers' life back and start
    // the flash over the viewer.
    if (m_.spinning() || active()) return;
    flash_.stop();
    m_.tmrautospin.stop();
    hideSegments(m_);
    hidePays(m_);
    m_.p.doEvents();
    for (int r = 1; r <= 5; ++r) w.reel[r].visible = false;
    for (int r = 1; r <= 5; ++r) w.Picture[r].visible = false;
    for (int k = 1; k <= kMarkers; ++k) {
        w.lin[k].enabled = true;
        w.lin[k].visible = true;
    }
    m_.p.doEvents();
    w.panfreespin.visible = false;
    for (int c = 1; c <= 15; ++c) w.flasher[c].visible = false;
    m_.setKeyboardPlay(false);
    w.mnuabout.visible = false;
    w.mnuptble.visible = false;
    w.mnuhistory.visible = false;
    w.Mnupaylines.visible = false;
    w.Btnreturn2game.visible = true;
    m_.p.doEvents();
}

void PaylineViewer::hover(int k) {
    if (k < 1 || k > kMarkers) return;
    const int line = k == kMarkers ? 1 : k;
    drawLine(m_, line, true);
    for (int s = lineDrawing(line).segmentCount + 1; s <= kSegments; ++s) m_.w.Lineflash[s].visible = false;
}

void PaylineViewer::returnToGame() {
    auto& w = m_.w;
    // The flash goes on where it stopped (or stops itself at once when no played line won).
    flash_.tmrlineflash.start();
    if (m_.autoplaymode > 0) m_.tmrautospin.start();
    hideSegments(m_);
    for (int r = 1; r <= 5; ++r) w.reel[r].visible = true;
    for (int r = 1; r <= 5; ++r) w.Picture[r].visible = true;
    for (int c = 1; c <= 15; ++c) w.flasher[c].visible = false;
    w.panfreespin.visible = true;
    m_.setKeyboardPlay(true);
    w.notes.enabled = true;
    w.coinsin.enabled = true;
    w.mnuabout.visible = true;
    w.mnuptble.visible = true;
    w.mnuhistory.visible = true;
    w.Mnupaylines.visible = true;
    w.Btnreturn2game.visible = false;
    for (int k = 1; k <= kMarkers; ++k) {
        w.lin[k].enabled = false;
        w.lin[k].visible = true;
    }
}

}  // namespace zem::presentation
