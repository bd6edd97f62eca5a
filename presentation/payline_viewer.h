// SPDX-License-Identifier: GPL-3.0-or-later
// The payline viewer: a mode of the machine window in which the reels give way and moving the mouse over a
// line marker draws that payline whole, until the return button brings the game back.
#pragma once

namespace zem::play {
class Machine;
}

namespace zem::presentation {

class LineFlash;

class PaylineViewer {
  public:
    // Takes the machine's "PayLines" menu hook, the markers' mouse moves and the return button's click; the
    // viewer stops `flash` and lets it go on.
    PaylineViewer(play::Machine& m, LineFlash& flash);
    PaylineViewer(const PaylineViewer&) = delete;
    PaylineViewer& operator=(const PaylineViewer&) = delete;

    // "PayLines": stops the flash and autoplay's timer, hides the reels, makes the markers live.
    void enter();
    // A mouse move over marker `k` (1..26) draws its line steadily; lin(26) is line 1's.
    void hover(int k);
    // `Btnreturn2game`: brings the game screen back and resumes the flash (and autoplay, when it was on).
    void returnToGame();

    // Whether the window is in the viewer (its return button is on show).
    bool active() const;

  private:
    play::Machine& m_;
    LineFlash& flash_;
};

}  // namespace zem::presentation
