// SPDX-License-Identifier: GPL-3.0-or-later
// Listing and changing the display mode, and knowing the screen size.
#pragma once

namespace zem::platform {

struct ScreenSize {
    int width = 0;  // pixels
    int height = 0;
};

class DisplayMode {
public:
    virtual ~DisplayMode() = default;
    virtual ScreenSize screen() = 0;
    // Asks for a mode of width x height pixels; 0 x 0 brings back the mode in force before the first change.
    // Returns whether the display took it; a display that cannot change modes stays as it is.
    virtual bool setMode(int width, int height) = 0;
};

}  // namespace zem::platform
