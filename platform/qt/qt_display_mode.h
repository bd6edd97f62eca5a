// SPDX-License-Identifier: GPL-3.0-or-later
// The display on Qt: the screen's size from QScreen. The mode itself is left as the desktop has it.
#pragma once

#include "platform/display_mode.h"

namespace zem::platform::qt {

// Changing the resolution of a modern desktop belongs to the desktop: with several monitors, a compositor or
// a Wayland session a program cannot do it soundly, and a mode left behind by a crash would outlive the game.
// So a request for a new mode leaves the display as it is and reports that it was not taken, unless the
// screen already has the size asked for; the request for the original mode (0 x 0) is always met.
class QtDisplayMode final : public DisplayMode {
  public:
    // The primary screen's size in device-independent pixels, the unit the windows are laid out in; 0 x 0
    // when there is no screen.
    ScreenSize screen() override;
    bool setMode(int width, int height) override;
};

}  // namespace zem::platform::qt
