// SPDX-License-Identifier: GPL-3.0-or-later
// The win presentation in the real machine window, offscreen: the line flash on an on tick, the Scatter
// animation, the multiplier over a Wild in free spins and the payline viewer, each grabbed to a PNG; and the
// flash's repaint kept to what a tick changes.
#include "core/free_spins.h"
#include "presentation/payline_drawing.h"
#include "presentation/win_presentation.h"
#include "support/real_window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QWidget>

#include <cstdio>
#include <gtest/gtest.h>

namespace zem::testing {
namespace {

// The real window with the win presentation, its draws scripted, and a player with credit to spin.
struct RealShow : RealWindow {
    presentation::WinPresentation show{machine};

    RealShow() : RealWindow{{.draws = Draws::Scripted}} {
        store("bank", "100000");
        store("machinepay", "1");
        store("currentplayer", "Ada");
        start();
    }
    ~RealShow() {
        if (!machine.closed()) machine.requestClose();
    }

    void spin(const Stops& stops) {
        scriptedQt.scriptSpin(stops, machine.s);
        machine.w.play[1].press();
    }
    // Runs the real event loop until `done` holds, at most `ms` of real time.
    bool runUntil(const std::function<bool()>& done, int ms = 20000) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < ms) {
            platform.doEvents();
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return done();
    }
};

QColor colourOf(platform::Color c) { return QColor(c.r, c.g, c.b); }

// One winning line of several segments, no Wild, no Scatter; its first segment level across the left margin.
const Stops& oneLongLine() {
    static const Stops stops = *findStops([](const core::MachineState& s) {
        if (!noWild(s) || s.scattercount != 0) return false;
        int won = 0, line = 0;
        for (int k = 1; k <= 25; ++k) {
            if (s.linewin[k] > 0) ++won, line = k;
        }
        return won == 1 && line >= 14 && s.linecount[line] >= 3;
    });
    return stops;
}

TEST(WinPresentationWindow, AWinningLineOnAnOnTick) {
    RealShow r;
    r.spin(oneLongLine());
    int line = 0;
    for (int k = 1; k <= 25; ++k) line = r.machine.s.linewin[k] > 0 ? k : line;
    ASSERT_TRUE(r.show.flash.tmrlineflash.enabled());
    ASSERT_TRUE(
        r.runUntil([&] { return r.show.flash.flashphase == 1 && !r.show.flash.tmrlineflash.ticking(); }));
    const QImage image = r.shot("flash_on_tick.png");
    const presentation::LineDrawing& d = presentation::lineDrawing(line);
    // The first segment shows in the margin left of reel 1, in the line's colour.
    EXPECT_EQ(image.pixelColor(62, d.segment[0].y1 / 15), colourOf(d.colour)) << "line " << line;
    // The marker is off on an on tick, and the cells of the run are lit.
    EXPECT_FALSE(r.platform.widgetOf(r.machine.w.lin[line])->isVisible());
    EXPECT_TRUE(r.platform.widgetOf(r.machine.w.flasher[core::lineCell(line, 1)])->isVisible());
    // In the marker's place the line's pay is lettered in the line's colour.
    const platform::Control& pay = r.machine.w.lbllinepay;
    ASSERT_TRUE(r.platform.widgetOf(pay)->isVisible());
    EXPECT_EQ(pay.caption, std::to_string(r.machine.s.spinwin));
    const QColor colour = colourOf(d.colour);
    int lettered = 0;
    for (int y = pay.top / 15; y < (pay.top + pay.height) / 15; ++y) {
        for (int x = pay.left / 15; x < (pay.left + pay.width) / 15; ++x) {
            const QColor c = image.pixelColor(x, y);
            lettered += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                            std::abs(c.blue() - colour.blue()) <
                        60;
        }
    }
    EXPECT_GT(lettered, 20) << "the pay's figures in the line's colour";
}

TEST(WinPresentationWindow, ScattersAnimating) {
    RealShow r;
    r.spin(Stops{21, 20, 16, 17, 7});
    ASSERT_TRUE(r.show.animations.Timerscatters.enabled());
    ASSERT_TRUE(r.runUntil([&] { return r.show.animations.scatterframe >= 8; }));
    r.shot("scatters_animating.png");
    for (int reel = 1; reel <= 5; ++reel) {
        const int c = r.machine.s.scattercell[reel];
        if (c == 0) continue;
        EXPECT_TRUE(r.platform.widgetOf(r.machine.w.flasher[c])->isVisible());
        EXPECT_EQ(r.machine.w.flasher[c].picture.name, "ImageList1");
    }
}

TEST(WinPresentationWindow, TheMultiplierOverAWildInFreeSpins) {
    const Stops& trigger = threeScatters();
    const Stops wildWin = *findStops([](const core::MachineState& s) {
        return s.scattercount == 0 && core::wildInWinningRun(s) && s.wildcell[3] != 0;
    });
    RealShow r;
    r.spin(trigger);
    ASSERT_EQ(r.machine.s.freespinmode, -1);
    // The first free spin: its stops, then the multiplier draw (×5), then the payout draw.
    for (int reel = 1; reel <= 5; ++reel)
        r.scriptedQt.scripted.pushStop(wildWin[static_cast<size_t>(reel - 1)]);
    r.scriptedQt.scripted.pushChoice(3, 25);
    r.scriptedQt.scripted.pushChoice(1, 5);
    const int wild = [&] {
        core::MachineState s;
        core::placeStops(s, wildWin);
        return static_cast<int>(s.wildcell[3]);
    }();
    ASSERT_TRUE(r.runUntil(
        [&] {
            const auto& f = r.machine.w.flasher[wild];
            return r.machine.s.freespinsplayed >= 2 && r.show.animations.timerwild.ticks() > 2 && f.visible &&
                   f.overlay.name == "ImageList2";
        },
        60000));
    EXPECT_EQ(r.machine.s.winmultiplier, 5);
    const platform::Control& f = r.machine.w.flasher[wild];
    EXPECT_GE(f.overlay.index, 17);
    EXPECT_LE(f.overlay.index, 20);
    r.shot("free_spin_multiplier.png");
    EXPECT_TRUE(r.platform.widgetOf(f)->isVisible());
}

TEST(WinPresentationWindow, TheViewerShowingLineFourteen) {
    RealShow r;
    QAction* entry = r.platform.actionOf(r.machine.w.Mnupaylines);
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(entry->isEnabled());
    entry->trigger();
    r.platform.doEvents();
    ASSERT_TRUE(r.show.viewer.active());
    // A real mouse move over the marker.
    QWidget* marker = r.platform.widgetOf(r.machine.w.lin[14]);
    ASSERT_TRUE(marker->isVisible());
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), marker->mapToGlobal(QPointF(10, 10)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(marker, &move);
    r.platform.doEvents();
    const QImage image = r.shot("payline_viewer_line14.png");
    // Segment 3 of line 14 crosses where reel 2 stands in the game: with the reels away it is seen there.
    const presentation::Segment& s3 = presentation::lineDrawing(14).segment[2];
    const int x = (s3.x1 + s3.x2) / 2 / 15, y = (s3.y1 + s3.y2) / 2 / 15;
    EXPECT_EQ(image.pixelColor(x, y), colourOf(presentation::lineDrawing(14).colour));
    EXPECT_TRUE(r.platform.widgetOf(r.machine.w.Btnreturn2game)->isVisible());

    QWidget* back = r.platform.widgetOf(r.machine.w.Btnreturn2game);
    QMetaObject::invokeMethod(back, "click");
    r.platform.doEvents();
    EXPECT_FALSE(r.show.viewer.active());
    EXPECT_TRUE(r.platform.widgetOf(r.machine.w.reel[2])->isVisible());
}

// Counts the area each widget paints.
class PaintArea final : public QObject {
  public:
    std::map<const QObject*, long> area;
    long total() const {
        long sum = 0;
        for (const auto& [w, a] : area) sum += a;
        return sum;
    }

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            for (const QRect& rect : static_cast<QPaintEvent*>(e)->region())
                area[o] += long{rect.width()} * rect.height();
        }
        return false;
    }
};

TEST(WinPresentationWindow, AFlashTickRepaintsOnlyWhatItChanges) {
    // Lines 4 and 5 cross the whole reel area on the diagonal: the widest repaint a tick can ask for.
    RealShow r;
    r.show.flash.tmrlineflash.stop();
    for (int k = 1; k <= 25; ++k) r.machine.s.linewin[k] = 0;
    r.machine.s.linewin[4] = 4;
    r.machine.s.linewin[5] = 5;
    r.machine.s.linecount[4] = r.machine.s.linecount[5] = 3;
    r.show.flash.flashline = 26;
    r.platform.doEvents();
    QApplication::processEvents();
    // What is on screen after the partial repaints, against a full repaint of the window.
    QWidget* client = r.platform.clientOf(r.machine.w.orvelle);
    QWidget* top = r.platform.widgetOf(r.machine.w.orvelle);
    auto differences = [&] {
        const QPoint at = client->mapTo(top, QPoint(0, 0));
        const QImage onScreen =
            QGuiApplication::primaryScreen()
                ->grabWindow(top->winId(), at.x(), at.y(), client->width(), client->height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        const QImage repainted = client->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int count = 0;
        for (int y = 0; y < repainted.height(); ++y) {
            for (int x = 0; x < repainted.width(); ++x)
                count += onScreen.pixel(x, y) != repainted.pixel(x, y);
        }
        return count;
    };
    PaintArea counter;
    long worstClient = 0, worstAll = 0;
    for (int i = 0; i < 20; ++i) {
        counter.area.clear();
        qApp->installEventFilter(&counter);
        ASSERT_TRUE(r.show.flash.advance());
        r.platform.paint();
        qApp->removeEventFilter(&counter);
        worstClient = std::max(worstClient, counter.area[client]);
        worstAll = std::max(worstAll, counter.total());
        EXPECT_EQ(differences(), 0) << "tick " << i << ": every segment, marker and cell is on screen whole";
    }
    const long window = 794L * 588L;
    std::printf("worst painted area of a tick: surface %ld px, all widgets %ld px\n", worstClient, worstAll);
    RecordProperty("worst_client_area", static_cast<int>(worstClient));
    RecordProperty("worst_total_area", static_cast<int>(worstAll));
    // Three cells of 125 x 125 pixels change, and the segments between and beside the reels.
    EXPECT_LT(worstClient, window / 50) << "the window's surface repaints only round the segments it shows";
    EXPECT_LT(worstAll, window / 6) << "and the reels only where a cell changed";
}

}  // namespace
}  // namespace zem::testing
