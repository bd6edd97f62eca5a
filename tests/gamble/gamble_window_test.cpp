// SPDX-License-Identifier: GPL-3.0-or-later
// The real machine window, offscreen, with the gamble open after a right guess: it is grabbed for a look.
#include "gamble/gamble.h"
#include "support/real_window.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

using zem::platform::qt::QtPlatform;

struct RealMachine : zem::testing::RealWindow {
    zem::gamble::Gamble gamble{machine};

    // Spins at one coin a line until a win may be gambled (a free-spin series is played out and collected).
    bool winSomething() {
        auto& m = machine;
        for (int spin = 0; spin < 200; ++spin) {
            m.playAction(1);
            run(20 * 60 * 1000, [&] {
                return !m.Timerwincounter.enabled() && m.s.freespinmode == 0 &&
                       (m.s.freespinstotal == 0 || m.w.takewin.enabled);
            });
            if (m.w.takewin.visible && m.w.takewin.enabled) m.w.takewin.press();
            if (m.w.doublebutton.enabled) return true;
        }
        return false;
    }
};

// Twips to pixels as the window places its controls, to the nearest pixel.
int px(int twips) { return (twips + 7) / 15; }

QString text(QtPlatform& p, const zem::platform::Control& c) {
    auto* label = qobject_cast<QLabel*>(p.widgetOf(c));
    return label != nullptr ? label->text() : QString();
}

TEST(GambleWindow, OpensOnAWinShowsARightGuessAndIsGrabbed) {
    RealMachine r;
    auto& p = r.platform;
    auto& m = r.machine;
    auto& g = m.w.gamble;
    p.store().write("zem", "player1", "bank", "100000");
    p.store().write("zem", "player1", "reelspeed", "1");
    p.attach(m.w.orvelle);
    m.startup();
    p.sync();

    // The card is the machine's own random draw: gamble on red until a guess is right.
    bool right = false;
    for (int attempt = 0; attempt < 20 && !right; ++attempt) {
        ASSERT_TRUE(r.winSomething());
        m.w.doublebutton.onPress({});
        ASSERT_TRUE(m.w.pandouble.visible);
        const int32_t stake = r.gamble.atrisk;
        EXPECT_EQ(text(p, g.risklab).toStdString(), "At Risk  " + std::to_string(stake));
        EXPECT_EQ(p.widgetOf(m.w.pandouble)->geometry(), QRect(px(3780), px(850), px(3780), px(5580)));
        r.gamble.bet(zem::gamble::Bet::Red);
        right = m.w.pandouble.visible;
        if (right) {
            EXPECT_EQ(r.gamble.atrisk, 2 * stake);
        }
    }
    ASSERT_TRUE(right);
    p.sync();
    EXPECT_EQ(text(p, g.risklab).toStdString(), "At Risk  " + std::to_string(r.gamble.atrisk));
    EXPECT_EQ(text(p, g.lblblackred).toStdString(), "Black/Red Win = " + std::to_string(2 * r.gamble.atrisk));
    // Labels sized to their text.
    EXPECT_EQ(p.widgetOf(g.lblsuit)->size(), p.widgetOf(g.lblsuit)->sizeHint());
    EXPECT_EQ(p.widgetOf(g.gamblewin)->geometry().topLeft(), QPoint(px(700), px(4800)));

    const QImage shot = p.grab(m.w.orvelle, false);
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(zem::testing::outputPath("gamble_window.png")));
    // The revealed card is a white face in the card holder: its middle column is mostly near white.
    const QPoint card = QPoint(px(3780) + px(1080), px(850) + px(1080));
    int whiteish = 0;
    for (int y = 10; y < 150; y += 2) {
        const QColor c = shot.pixelColor(card.x() + 8, card.y() + y);
        if (c.red() > 220 && c.green() > 220 && c.blue() > 210) ++whiteish;
    }
    EXPECT_GT(whiteish, 50);
    // The red card that won: red ink in the middle of the face.
    int red = 0;
    for (int y = 40; y < 120; ++y) {
        const QColor c = shot.pixelColor(card.x() + 51, card.y() + y);
        if (c.red() > 150 && c.green() < 90 && c.blue() < 90) ++red;
    }
    EXPECT_GT(red, 10);

    m.requestClose();
    EXPECT_TRUE(m.closed());
    EXPECT_EQ(p.store().read("zem", "player1", "bank"), std::to_string(m.s.bank));
}

}  // namespace
