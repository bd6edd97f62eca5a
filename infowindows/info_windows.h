// SPDX-License-Identifier: GPL-3.0-or-later
// The information windows' handlers: the pay table with the machine's return, the about window with its web
// button, and the two routines they share, `placewindow` and `openlink`.
#pragma once

#include "platform/platform.h"
#include "ui/info_windows.h"

#include <functional>
#include <string>

namespace zem::play {
class Machine;
}

namespace zem::infowindows {

// The player's manual that the about window's web button opens, found from the folder the program runs from:
// the installed copy in the documentation folder beside the program's own, or in a build tree the build's
// copy at the same place. An absolute path, normalised.
std::string manualPath(const std::string& programFolder);

// Places `window` right after it is shown: at the screen's top-left corner when `deciding` is in its normal
// state; left where it is while `deciding` is minimised or maximised.
void placewindow(platform::Window& window, const platform::Window& deciding);

// Opens `address` with the user's default browser, showing the hourglass meanwhile. Any failure to start the
// browser is reported in the "ExecuteLink" message with the address and the error number.
void openlink(platform::Platform& p, const std::string& address);

// "Return to player at this setting: 108.6 %": the return at a payout setting and number of lines, one
// decimal, from the machine's exact figures.
std::string returnText(int16_t payout, int16_t lines);

class InfoWindows {
  public:
    explicit InfoWindows(play::Machine& machine);
    ~InfoWindows();
    InfoWindows(const InfoWindows&) = delete;
    InfoWindows& operator=(const InfoWindows&) = delete;

    // Puts the two windows behind the machine's menu entries "&Paytable" and "&about".
    void installOpeners();

    // The pay-table window: opened with the main window already disabled; closed by Exit or its close box.
    void openPaytable();
    void closePaytable();
    // The about window: opened with the main window already disabled; closed by OK or its close box.
    void openAbout();
    void closeAbout();
    void webPress();

    // What the web button opens: the manual's path, set by the front end (see manualPath).
    std::string manualPage;

    bool paytableOpen() const { return paytableLoaded_; }
    bool aboutOpen() const { return aboutLoaded_; }

    // Called when a window is loaded (before it is first shown) and when it is unloaded; the Qt front end
    // creates and takes down its real widgets here. Empty on the headless back end.
    std::function<void(platform::Window&)> onLoad, onUnload;

    ui::PaytableWindow paytable;
    ui::AboutWindow about;

  private:
    play::Machine& m_;
    bool paytableLoaded_ = false;
    bool aboutLoaded_ = false;
};

}  // namespace zem::infowindows
