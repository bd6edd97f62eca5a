// SPDX-License-Identifier: GPL-3.0-or-later
// The window of the last games: its layout in the machine's look, and moving from game to game.
#include "history_window.h"

#include "core/reels.h"
#include "core/symbols.h"
#include "payline_drawing.h"
#include "platform/machine_look.h"
#include "play/machine.h"
#include "ui/layout.h"
#include "ui/machine_window.h"

#include <algorithm>
#include <ctime>

namespace zem::presentation {

namespace {

namespace look = platform::look;
using platform::ControlKind;
using platform::PictureRef;

constexpr int kColumnLeft = 10650;
constexpr int kColumnWidth = 3900;
constexpr int kRowTwips = 270;
constexpr int kLinesTop = 3000;

// Placed as every layout places a control, lettered as the window's text.
void place(platform::Control& c, ControlKind kind, const char* name, int index, int left, int top, int width,
           int height) {
    ui::place(c, kind, name, index, left, top, width, height);
    c.fontFamily = look::kSansFace;
    c.fontPoints = 8;
    if (kind == ControlKind::Label) c.foreground = look::kCream;
    if (kind == ControlKind::PushButton) c.bold = true;
}

// The local date and time of a game, to the minute.
std::string localTime(int64_t seconds) {
    const auto t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) return {};
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%d  %H:%M:%S", &local);
    return text;
}

}  // namespace

std::string lineWinText(const play::LineWinRecord& win) {
    return "Line " + std::to_string(win.line) + ": " + std::to_string(win.run) + " " +
           std::string(core::symbolName(win.symbol)) + " pays " + std::to_string(win.pay);
}

std::string gambleText(const play::GameRecord& game) {
    if (game.cards.empty()) return {};
    std::string text = "Gamble:";
    for (size_t i = 0; i < game.cards.size(); ++i) {
        const play::CardRecord& c = game.cards[i];
        text += std::string(i == 0 ? " " : "; ") + play::betName(c.bet) + " - " + play::suitName(c.card) + ", " +
                (c.right ? std::to_string(c.amount) : std::string("lost"));
    }
    return text;
}

std::string freeSpinsText(const play::GameRecord& game) {
    if (game.freeSpinsAwarded == 0 && game.freeSpins.empty()) return {};
    int64_t won = 0;
    int16_t best = 1;
    for (const play::FreeSpinRecord& f : game.freeSpins) {
        won += f.win;
        if (f.multiplier > best) best = f.multiplier;
    }
    std::string text = std::to_string(game.freeSpinsAwarded) + " free spins awarded: " +
                       std::to_string(game.freeSpins.size()) + " played, won " + std::to_string(won);
    if (best > 1) text += " (up to x" + std::to_string(best) + ")";
    return text;
}

HistoryWindowLayout::HistoryWindowLayout() {
    platform::Window& w = frmhistory;
    w.caption = kHistoryCaption;
    w.clientWidth = w.width = kHistoryWidthTwips;
    w.clientHeight = w.height = kHistoryHeightTwips;
    w.look = platform::WindowLook::Machine;
    w.background = look::kWood;
    w.icon = PictureRef{"icon", 0};

    // The paylines first: the window's surface draws them beneath the reels, between and beside them.
    for (int line = 1; line <= core::kLines; ++line) {
        for (int s = 1; s <= kSegments; ++s) {
            platform::Control& c = segment[line][s];
            place(c, ControlKind::LineSegment, "segment", line * 10 + s, 0, 0, 0, 0);
            c.lineWidth = 10;
            c.visible = false;
            w.add(c);
        }
    }
    for (int r = 1; r <= core::kReels; ++r) {
        place(reelbox[r], ControlKind::PictureBox, "reelbox", r, ui::kReelLeft[r] - kHistoryReelShift,
              ui::kReelWindowTop, core::kCellTwips, core::kRows * core::kCellTwips);
        reelbox[r].transparentBackground = false;
        reelbox[r].background = look::kWood;
        w.add(reelbox[r]);
        place(reel[r], ControlKind::Image, "reel", r, 0, core::reelTopFor(1), core::kCellTwips,
              core::kStripCells * core::kCellTwips);
        reel[r].picture = PictureRef{"reel" + std::to_string(r), 0};
        w.add(reel[r], &reelbox[r]);
    }

    place(lbltitle, ControlKind::Label, "lbltitle", 0, 300, 200, 10100, 600);
    lbltitle.fontFamily = look::kSerifFace;
    lbltitle.fontPoints = 16;
    lbltitle.bold = true;
    lbltitle.lettered = true;
    lbltitle.foreground = look::kGoldLight;
    lbltitle.shade = look::kGold;
    lbltitle.outline = look::kWood;
    lbltitle.alignment = 2;
    w.add(lbltitle);

    place(lblnone, ControlKind::Label, "lblnone", 0, 300, 3400, 10100, 500);
    lblnone.caption = kNoGamesText;
    lblnone.fontPoints = 14;
    lblnone.alignment = 2;
    lblnone.foreground = look::kGoldLight;
    lblnone.visible = false;
    w.add(lblnone);

    platform::Control* figures[] = {&lbltime, &lblbet, &lblcredit, &lblwin, &lblscatter};
    const char* names[] = {"lbltime", "lblbet", "lblcredit", "lblwin", "lblscatter"};
    for (int k = 0; k < 5; ++k) {
        place(*figures[k], ControlKind::Label, names[k], 0, kColumnLeft, 1025 + k * kRowTwips, kColumnWidth,
              kRowTwips);
        w.add(*figures[k]);
    }
    lblwin.bold = true;
    lblwin.foreground = look::kGoldLight;
    place(lblfree, ControlKind::Label, "lblfree", 0, kColumnLeft, 1025 + 5 * kRowTwips, kColumnWidth,
          2 * kRowTwips);
    lblfree.wordWrap = true;
    w.add(lblfree);
    place(lblgamble, ControlKind::Label, "lblgamble", 0, kColumnLeft, 1025 + 7 * kRowTwips, kColumnWidth,
          3 * kRowTwips);
    lblgamble.wordWrap = true;
    w.add(lblgamble);
    // The winning lines in two columns under the figures, each in its line's colour.
    for (int k = 1; k <= kHistoryLineLabels; ++k) {
        const int column = (k - 1) / 13, row = (k - 1) % 13;
        place(lblline[k], ControlKind::Label, "lblline", k, kColumnLeft + column * (kColumnWidth / 2),
              kLinesTop + 300 + row * 260, kColumnWidth / 2, 260);
        lblline[k].fontPoints = 8;
        lblline[k].bold = true;
        lblline[k].visible = false;
        w.add(lblline[k]);
    }

    place(btnprevious, ControlKind::PushButton, "btnprevious", 0, 2300, 6950, 2000, 450);
    btnprevious.caption = "< Previous";
    btnprevious.hint = "The game before this one";
    ui::bindKey(btnprevious, platform::keys::kLeft, "Previous", "shows the game before this one");
    w.add(btnprevious);
    place(btnnext, ControlKind::PushButton, "btnnext", 0, 6100, 6950, 2000, 450);
    btnnext.caption = "Next >";
    btnnext.hint = "The game after this one";
    ui::bindKey(btnnext, platform::keys::kRight, "Next", "shows the game after this one");
    w.add(btnnext);
    place(btnclose, ControlKind::PushButton, "btnclose", 0, kColumnLeft + 1400, 6950, 1500, 450);
    btnclose.caption = "Close";
    btnclose.hint = "Back to the machine (key Escape)";
    btnclose.accessibleName = "Close";
    btnclose.accessibleDescription = "closes the last games and goes back to the machine";
    w.add(btnclose);
}

HistoryWindow::HistoryWindow(play::Machine& machine) : m_(machine) {
    platform::Window& w = l.frmhistory;
    w.owner = &machine.w.orvelle;
    w.onCloseRequest = [this] { close(); };
    w.onEscape = [this] { close(); };
    l.btnprevious.onClick = [this] { previous(); };
    l.btnnext.onClick = [this] { next(); };
    l.btnclose.onClick = [this] { close(); };
}

HistoryWindow::~HistoryWindow() {
    if (m_.openers.history) m_.openers.history = {};
    // The real window must not outlive the model it shows.
    if (onUnload && open_) onUnload(l.frmhistory);
}

void HistoryWindow::installOpener() {
    m_.openers.history = [this] { open(); };
}

void HistoryWindow::open() {
    if (open_) return;
    open_ = true;
    platform::Window& w = l.frmhistory;
    w.state = platform::WindowState::Normal;
    // A fresh window stands in the middle of the screen.
    const platform::ScreenSize screen = m_.p.display().screen();
    w.left = std::max(0, (screen.width * 15 - kHistoryWidthTwips) / 2);
    w.top = std::max(0, (screen.height * 15 - kHistoryHeightTwips) / 2);
    show(static_cast<int>(m_.history.games().size()) - 1);
    if (onLoad) onLoad(w);
    w.visible = true;
    w.focus = &l.btnclose;
    m_.p.setFocus(l.btnclose);
}

void HistoryWindow::close() {
    if (!open_) return;
    l.frmhistory.visible = false;
    open_ = false;
    if (onUnload) onUnload(l.frmhistory);
    m_.w.orvelle.enabled = true;
    m_.p.setFocus(m_.w.orvelle);
}

void HistoryWindow::previous() {
    if (open_ && shown_ > 0) show(shown_ - 1);
}

void HistoryWindow::next() {
    if (open_ && shown_ + 1 < static_cast<int>(m_.history.games().size())) show(shown_ + 1);
}

void HistoryWindow::show(int index) {
    const auto& games = m_.history.games();
    const int count = static_cast<int>(games.size());
    shown_ = index >= 0 && index < count ? index : -1;
    const bool any = shown_ >= 0;
    l.lblnone.visible = !any;
    for (int r = 1; r <= core::kReels; ++r) l.reelbox[r].visible = any;
    l.btnprevious.enabled = any && shown_ > 0;
    l.btnnext.enabled = any && shown_ + 1 < count;
    for (int line = 1; line <= core::kLines; ++line) {
        for (int s = 1; s <= kSegments; ++s) l.segment[line][s].visible = false;
    }
    for (int k = 1; k <= kHistoryLineLabels; ++k) l.lblline[k].visible = false;
    for (platform::Control* c : {&l.lbltime, &l.lblbet, &l.lblcredit, &l.lblwin, &l.lblscatter, &l.lblfree,
                                 &l.lblgamble})
        c->caption.clear();
    if (!any) {
        l.lbltitle.caption = kHistoryCaption;
        return;
    }

    const play::GameRecord& g = games[static_cast<size_t>(shown_)];
    l.lbltitle.caption = "Game " + std::to_string(shown_ + 1) + " of " + std::to_string(count) +
                         (shown_ + 1 == count ? " - the last" : "");
    for (int r = 1; r <= core::kReels; ++r) l.reel[r].top = core::reelTopFor(g.stops[r - 1]);
    l.lbltime.caption = localTime(g.time);
    l.lblbet.caption = std::to_string(g.lines) + (g.lines == 1 ? " line x " : " lines x ") +
                       std::to_string(g.coins) + (g.coins == 1 ? " coin" : " coins") + " = bet " +
                       std::to_string(g.bet);
    l.lblcredit.caption = "Credit " + std::to_string(g.creditBefore) + " -> " + std::to_string(g.creditAfter);
    l.lblwin.caption = g.win > 0 ? "Won " + std::to_string(g.win) : "No Win";
    if (g.scatterPay > 0)
        l.lblscatter.caption = std::to_string(g.scatters) + " Scatters pay " + std::to_string(g.scatterPay);
    l.lblfree.caption = freeSpinsText(g);
    l.lblgamble.caption = gambleText(g);

    int k = 0;
    for (const play::LineWinRecord& win : g.lineWins) {
        if (win.line < 1 || win.line > core::kLines) continue;
        const LineDrawing& d = lineDrawing(win.line);
        for (int s = 1; s <= d.segmentCount; ++s) {
            platform::Control& c = l.segment[win.line][s];
            const Segment& from = d.segment[static_cast<size_t>(s - 1)];
            c.x1 = from.x1 - kHistoryReelShift;
            c.y1 = from.y1;
            c.x2 = from.x2 - kHistoryReelShift;
            c.y2 = from.y2;
            c.foreground = d.colour;
            c.visible = true;
        }
        if (++k <= kHistoryLineLabels) {
            l.lblline[k].caption = lineWinText(win);
            l.lblline[k].foreground = d.colour;
            l.lblline[k].visible = true;
        }
    }
}

}  // namespace zem::presentation
