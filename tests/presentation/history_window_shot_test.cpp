// SPDX-License-Identifier: GPL-3.0-or-later
// The real window of the last games, offscreen, on a game with winning lines: grabbed for a look, its lines
// seen in their colours beside the reels.
#include "presentation/history_window.h"
#include "presentation/payline_drawing.h"
#include "support/real_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace zem::testing {
namespace {

bool near(const QColor& a, const zem::platform::Color& b) {
    return std::abs(a.red() - b.r) < 40 && std::abs(a.green() - b.g) < 40 && std::abs(a.blue() - b.b) < 40;
}

TEST(HistoryWindowShot, AGameWithWinningLinesIsDrawnAndGrabbed) {
    RealWindow r;
    platform::qt::QtPlatform& p = r.platform;
    play::Machine& m = r.machine;
    presentation::HistoryWindow history{m};
    history.onLoad = [&p](platform::Window& w) { p.attach(w); };
    history.onUnload = [&p](platform::Window& w) { p.detach(w); };
    history.installOpener();
    p.seedRandom(11);
    r.store("bank", "100000");
    r.store("reelspeed", "10");
    r.store("machinepay", "1");
    r.start();
    auto run = [&r](int64_t ms, const std::function<bool()>& done) { r.run(ms, done); };
    // Spins until a game wins on two lines or more, outside a series.
    bool found = false;
    for (int spin = 0; spin < 300 && !found; ++spin) {
        m.playAction(1);
        run(20 * 60 * 1000, [&] { return !m.spinning() && m.s.freespinmode == 0 && !m.Timerwincounter.enabled(); });
        if (m.w.takewin.visible && m.w.takewin.enabled) m.w.takewin.press();
        const auto& games = m.history.games();
        found = !games.empty() && games.back().lineWins.size() >= 2 && games.back().freeSpins.empty();
    }
    ASSERT_TRUE(found);

    m.historyChosen();
    ASSERT_TRUE(history.isOpen());
    p.sync();
    run(300, [] { return false; });
    const QImage shot = p.grab(history.l.frmhistory, false);
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(outputPath("history_window.png")));

    // The window is drawn smaller on a screen too small for it: twips to the picture's pixels.
    const double scale = shot.width() / (presentation::kHistoryWidthTwips / 15.0);
    auto at = [scale](int twips) { return static_cast<int>(twips / 15.0 * scale + 0.5); };
    // Each winning line shows in its colour along its first segment, beside and between the reels.
    for (const play::LineWinRecord& line : m.history.games().back().lineWins) {
        const presentation::LineDrawing& d = presentation::lineDrawing(line.line);
        const auto& s = d.segment[0];
        int seen = 0;
        const int steps = std::max(std::abs(s.x2 - s.x1), std::abs(s.y2 - s.y1)) / 15 + 1;
        for (int k = 0; k <= steps; ++k) {
            const int x = at(s.x1 - presentation::kHistoryReelShift + (s.x2 - s.x1) * k / steps);
            const int y = at(s.y1 + (s.y2 - s.y1) * k / steps);
            if (x >= 0 && y >= 0 && x < shot.width() && y < shot.height() && near(shot.pixelColor(x, y), d.colour))
                ++seen;
        }
        EXPECT_GT(seen, 0) << "line " << line.line;
    }
    m.w.orvelle.enabled = true;
    history.close();
    m.requestClose();
}

}  // namespace
}  // namespace zem::testing
