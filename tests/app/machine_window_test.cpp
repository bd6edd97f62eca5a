// SPDX-License-Identifier: GPL-3.0-or-later
// The real machine window, offscreen: it comes up with the player's credit, plays a spin and is grabbed.
#include "assets/pictures.h"
#include "platform/qt/qt_platform.h"
#include "play/machine.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using zem::platform::qt::QtPlatform;

QImage resolve(const zem::platform::PictureRef& ref) { return zem::assets::picture(ref.name, ref.index); }

struct RealMachine {
    QTemporaryDir dir;
    QtPlatform platform{QtPlatform::Options{resolve, zem::platform::qt::QtSoundOutput::Device::None,
                                            dir.filePath("zem.ini")}};
    zem::play::Machine machine{platform, [](int n) { return zem::assets::recordingResource(n); }};
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
    const QString out = QDir(QStringLiteral(ZEM_TEST_OUTPUT_DIR)).filePath("machine_window.png");
    EXPECT_TRUE(shot.save(out));
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
    EXPECT_TRUE(shot.save(QDir(QStringLiteral(ZEM_TEST_OUTPUT_DIR)).filePath("largest_amounts.png")));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
