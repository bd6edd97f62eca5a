// SPDX-License-Identifier: GPL-3.0-or-later
// The real pay-table and about windows, offscreen: opened from the menu, their sizes and texts on screen,
// grabbed, closed by their buttons; and the main window's minimised state as the model sees it.
#include "infowindows/info_windows.h"

#include "support/real_window.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using zem::testing::outputPath;

struct RealMachine : zem::testing::RealWindow {
    zem::infowindows::InfoWindows infos{machine};
    RealMachine() {
        infos.onLoad = [this](zem::platform::Window& w) { platform.attach(w); };
        infos.onUnload = [this](zem::platform::Window& w) { platform.detach(w); };
        infos.installOpeners();
        start();
    }
};

TEST(InfoWindowsOnScreen, PaytableShowsThePictureAndTheReturnAndExitTakesItDown) {
    RealMachine r;
    auto& p = r.platform;
    auto& pays = r.infos.paytable;
    r.machine.w.mnuptble.press();
    p.doEvents();
    QWidget* window = p.widgetOf(pays.orvellepays);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle().toStdString(), "ORVELLE PAYTABLE");
    EXPECT_FALSE(p.widgetOf(r.machine.w.orvelle)->isEnabled());
    QWidget* client = p.clientOf(pays.orvellepays);
    EXPECT_EQ(client->size(), QSize(500, 376));
    auto* label = qobject_cast<QLabel*>(p.widgetOf(pays.lblreturn));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text().toStdString(), "Return to player at this setting: 108.6 %");
    // The text sits in the band the picture leaves for it.
    EXPECT_EQ(label->geometry(), QRect(8, 354, 484, 20));
    auto* exit = qobject_cast<QPushButton*>(p.widgetOf(pays.btnunloadpays));
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->text().toStdString(), "Exit");
    EXPECT_GT(exit->x(), 400);
    EXPECT_LT(exit->y(), 20);

    const QImage shot = p.grab(pays.orvellepays);
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(outputPath("paytable_window.png")));
    // The picture fills the client area: the gold heading at the top, not the bare background.
    EXPECT_NE(shot.pixelColor(250, 18), QColor(30, 10, 6));

    exit->click();
    p.doEvents();
    EXPECT_FALSE(r.infos.paytableOpen());
    EXPECT_EQ(p.widgetOf(pays.orvellepays), nullptr) << "the window is unloaded";
    EXPECT_TRUE(p.widgetOf(r.machine.w.orvelle)->isEnabled());
}

TEST(InfoWindowsOnScreen, AboutShowsTitleIconAndButtonsAndOkTakesItDown) {
    RealMachine r;
    auto& p = r.platform;
    auto& about = r.infos.about;
    r.machine.w.mnuabout.press();
    p.doEvents();
    QWidget* window = p.widgetOf(about.aboutorvelle);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle().toStdString(), "About slots_orvelle");
    EXPECT_EQ(p.clientOf(about.aboutorvelle)->height(), 121);
    EXPECT_EQ(window->pos(), QPoint(0, 0)) << "placed at the screen's corner while the main window is normal";
    auto* title = qobject_cast<QLabel*>(p.widgetOf(about.lblTitle));
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->isVisible());
    EXPECT_EQ(title->text().count('\n'), 2) << "three lines";
    EXPECT_EQ(p.widgetOf(about.picIcon)->size(), QSize(35, 35));
    auto* web = qobject_cast<QPushButton*>(p.widgetOf(about.cmdkestrow));
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(web->text().toStdString(), "Kestrow-Video-Vived");
    const QImage shot = p.grab(about.aboutorvelle);
    EXPECT_TRUE(shot.save(outputPath("about_window.png")));

    qobject_cast<QPushButton*>(p.widgetOf(about.cmdOK))->click();
    p.doEvents();
    EXPECT_FALSE(r.infos.aboutOpen());
    EXPECT_TRUE(p.widgetOf(r.machine.w.orvelle)->isEnabled());
}

TEST(InfoWindowsOnScreen, TheModelFollowsTheMainWindowMinimisedAndRestored) {
    RealMachine r;
    auto& p = r.platform;
    QWidget* main = p.widgetOf(r.machine.w.orvelle);
    main->showMinimized();
    QApplication::processEvents();
    EXPECT_EQ(r.machine.w.orvelle.state, zem::platform::WindowState::Minimised);
    main->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(r.machine.w.orvelle.state, zem::platform::WindowState::Maximised);
    main->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(r.machine.w.orvelle.state, zem::platform::WindowState::Normal);
}

}  // namespace
