// SPDX-License-Identifier: GPL-3.0-or-later
// The window "Last 10 Games": the current slot's recorded games one at a time, each with its reel window in
// the game's own pictures, its winning lines in their colours and its figures beside it.
#pragma once

#include "platform/controls.h"
#include "play/game_history.h"

#include <functional>
#include <string>

namespace zem::play {
class Machine;
}

namespace zem::presentation {

inline constexpr const char* kHistoryCaption = "Last 10 Games";
inline constexpr const char* kNoGamesText = "No games played yet";
// The window's client area, in twips.
inline constexpr int kHistoryWidthTwips = 14700;
inline constexpr int kHistoryHeightTwips = 7600;
// The reel window stands where the machine's does, moved left by this much: the paylines are drawn from the
// machine's own table.
inline constexpr int kHistoryReelShift = 700;
inline constexpr int kHistoryLineLabels = 25;

struct HistoryWindowLayout {
    HistoryWindowLayout();
    HistoryWindowLayout(const HistoryWindowLayout&) = delete;
    HistoryWindowLayout& operator=(const HistoryWindowLayout&) = delete;

    platform::Window frmhistory{"frmhistory"};
    platform::Control segment[26][7];  // [line 1..25][segment 1..6], drawn beneath the reels
    platform::Control reelbox[6], reel[6];
    platform::Control lbltitle, lbltime, lblbet, lblcredit, lblwin, lblscatter, lblfree, lblgamble, lblnone;
    platform::Control lblline[kHistoryLineLabels + 1];  // the winning lines' figures, each in its colour
    platform::Control btnprevious, btnnext, btnclose;
};

// "Line 3: 3 Totem pays 40"
std::string lineWinText(const play::LineWinRecord& win);
// What the gamble did, e.g. "Gamble: red - hearts, 80; spades - clubs, lost"; empty without a gamble.
std::string gambleText(const play::GameRecord& game);
// The free spins' summary, e.g. "10 free spins awarded: 10 played, won 340"; empty without any.
std::string freeSpinsText(const play::GameRecord& game);

class HistoryWindow {
  public:
    explicit HistoryWindow(play::Machine& machine);
    ~HistoryWindow();
    HistoryWindow(const HistoryWindow&) = delete;
    HistoryWindow& operator=(const HistoryWindow&) = delete;

    // Puts the window behind the machine's "&History" entry and its key.
    void installOpener();

    // Opened with the machine window already disabled, on the newest game; closed by its button, its close
    // box or Escape, which give the machine back.
    void open();
    void close();
    // The older and the newer game; nothing past either end.
    void previous();
    void next();

    bool isOpen() const { return open_; }
    // The game on show, 0 the oldest; -1 when there is none.
    int shown() const { return shown_; }

    // Called when the window is loaded (before it is first shown) and when it is unloaded; the Qt front end
    // creates and takes down its real widgets here. Empty on the headless back end.
    std::function<void(platform::Window&)> onLoad, onUnload;

    HistoryWindowLayout l;

  private:
    void show(int index);

    play::Machine& m_;
    bool open_ = false;
    int shown_ = -1;
};

}  // namespace zem::presentation
