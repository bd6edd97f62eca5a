// SPDX-License-Identifier: GPL-3.0-or-later
// The real machine window, offscreen: it comes up with the player's credit, plays a spin and is grabbed.
#include "support/real_window.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using zem::platform::qt::QtPlatform;

struct RealMachine : zem::testing::RealWindow {
    // The same reels every run (a spin that started a free-spin series would keep its win out of the credit).
    RealMachine() { platform.seedRandom(1); }
};

TEST(MachineWindow, ComesUpPlaysASpinAndIsGrabbed) {
    RealMachine r;
    auto& p = r.platform;
    auto& m = r.machine;
    p.store().write("zem", "player1", "bank", "1000");
    p.store().write("zem", "player1", "currentplayer", "Grace");
    p.attach(m.w.orvelle);
    m.startup();
    p.sync();

    QWidget* window = p.widgetOf(m.w.orvelle);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle().toStdString(), "Current Player       Grace");
    QWidget* client = p.clientOf(m.w.orvelle);
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->width(), 794);
    EXPECT_EQ(client->height(), 588);
    auto* credit = qobject_cast<QLabel*>(p.widgetOf(m.w.PANELBANK));
    ASSERT_NE(credit, nullptr);
    EXPECT_EQ(credit->text().toStdString(), "1000");

    m.playAction(1);
    p.doEvents();
    EXPECT_EQ(m.s.games, 1);
    EXPECT_EQ(m.s.bank, 1000 - 25 + m.s.spinwin);
    for (int r1 = 1; r1 <= 5; ++r1) {
        EXPECT_EQ(p.widgetOf(m.w.reel[r1])->y(), m.s.reeltop[r1] / 15)
            << "reel " << r1 << " rests on its stop";
    }
    // Let the roll-up finish, then look at the window.
    const int64_t until = p.loop().now() + 10000;
    while (m.Timerwincounter.enabled() && p.loop().now() < until) p.doEvents();
    p.doEvents();
    EXPECT_EQ(credit->text().toStdString(), std::to_string(m.s.bank));

    const QImage shot = p.grab(m.w.orvelle, false);
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), QSize(794, 588));
    EXPECT_TRUE(shot.save(zem::testing::outputPath("machine_window.png")));
    // The reel windows show symbols, not the plain red fields beneath them: many colours in a reel window.
    QSet<QRgb> colours;
    for (int y = 68; y < 68 + 375; y += 3) colours.insert(shot.pixel(66 + 62, y));
    EXPECT_GT(colours.size(), 20);

    m.requestClose();
    EXPECT_TRUE(m.closed());
    EXPECT_EQ(p.store().read("zem", "player1", "bank"), std::to_string(m.s.bank));
}

TEST(MachineWindow, TheLargestCreditAndWinShowWholeInTheirBoxes) {
    RealMachine r;
    auto& p = r.platform;
    auto& m = r.machine;
    p.store().write("zem", "player1", "bank", "2147483647");
    p.attach(m.w.orvelle);
    m.startup();
    m.w.LABWIN.caption = "2147483647";
    m.w.lblwin.caption = "$ 21474836.47";
    m.w.lbllast.caption = "500";
    p.sync();
    EXPECT_EQ(m.w.Lblcredit.caption, "$ 21474836.47");
    for (const auto* c : {&m.w.PANELBANK, &m.w.Lblcredit, &m.w.LABWIN, &m.w.lblwin, &m.w.lbllast}) {
        auto* label = qobject_cast<QLabel*>(p.widgetOf(*c));
        ASSERT_NE(label, nullptr) << c->name;
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width()) << c->name;
        EXPECT_LE(label->geometry().right(), 794) << c->name;
    }
    const QImage shot = p.grab(m.w.orvelle, false);
    EXPECT_TRUE(shot.save(zem::testing::outputPath("largest_amounts.png")));
}

// The window's pixels over a control's place, as the window shows it now.
QImage look(QtPlatform& p, const zem::platform::Control& c) {
    const QImage shot = p.grab(*c.window, false);
    return shot.copy(c.windowLeft() / 15, c.windowTop() / 15, c.width / 15, c.height / 15)
        .convertToFormat(QImage::Format_RGB32);
}

double meanLightness(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) sum += QColor(image.pixel(x, y)).lightness();
    return sum / (image.width() * image.height());
}

// Every kind of button the player presses looks dimmed exactly while it is disabled: the picture buttons of
// the panel, the gamble's picture push buttons and TAKE WIN, which is drawn as a picture button (pressed in
// while held down), not as the desktop's plain white button.
TEST(MachineWindow, DisabledButtonsLookDimmedAndTakeWinIsAPictureButton) {
    RealMachine r;
    auto& p = r.platform;
    auto& m = r.machine;
    r.start();
    m.w.pandouble.visible = true;
    m.w.takewin.visible = true;
    for (zem::platform::Control* c :
         {&m.w.doublebutton, &m.w.pplay[3], &m.w.gamble.betred, &m.w.gamble.suitbet[2], &m.w.takewin}) {
        c->enabled = true;
        p.sync();
        const QImage live = look(p, *c);
        c->enabled = false;
        p.sync();
        const QImage dimmed = look(p, *c);
        EXPECT_NE(live, dimmed) << c->name << " looks the same disabled";
        EXPECT_LT(meanLightness(dimmed), meanLightness(live) - 10) << c->name;
        c->enabled = true;
        p.sync();
        EXPECT_EQ(look(p, *c), live) << c->name << " does not come back lit";
    }

    const QImage up = look(p, m.w.takewin);
    EXPECT_LT(meanLightness(up), 150) << "TAKE WIN is a plain white button";
    auto* button = qobject_cast<QPushButton*>(p.widgetOf(m.w.takewin));
    ASSERT_NE(button, nullptr);
    button->setDown(true);
    EXPECT_LT(meanLightness(look(p, m.w.takewin)), meanLightness(up) - 10) << "TAKE WIN has no pressed look";
}

// The free-spin counter's texts stand whole in the band along the window's foot, centred in it, clear of TAKE
// WIN, at their own size (not shrunk to fit).
TEST(MachineWindow, TheFreeSpinTextsFitTheirBandCentred) {
    RealMachine r;
    auto& p = r.platform;
    auto& m = r.machine;
    r.start();
    m.w.panfreespin.visible = false;
    m.w.takewin.visible = true;
    p.sync();
    const QImage bare = p.grab(m.w.orvelle, false);
    const QRect band(0, 6720 / 15, 794, 588 - 6720 / 15);
    const QRect takewin = p.widgetOf(m.w.takewin)->geometry();
    auto* label = qobject_cast<QLabel*>(p.widgetOf(m.w.spinsleft));
    ASSERT_NE(label, nullptr);
    const int ownSize = label->font().pixelSize();
    for (const char* text :
         {"     Freespins Awarded = 20", "     Freespins Remaining  25", "Freespins Completed          "}) {
        SCOPED_TRACE(text);
        m.w.spinsleft.caption = text;
        m.w.spinsleft.visible = true;
        p.sync();
        EXPECT_EQ(label->font().pixelSize(), ownSize) << "shrunk to fit";
        // The ink: every pixel the text changed.
        const QImage shown = p.grab(m.w.orvelle, false);
        QRect ink;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) != bare.pixel(x, y)) ink |= QRect(x, y, 1, 1);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(band.contains(ink))
            << "ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
        EXPECT_FALSE(ink.intersects(takewin));
        EXPECT_NEAR(ink.center().x(), band.center().x(), 4) << "not centred";
        m.w.spinsleft.visible = false;
    }
}

}  // namespace
