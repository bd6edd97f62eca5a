// SPDX-License-Identifier: GPL-3.0-or-later
// The real options window and the large size, offscreen on a 1920 x 1080 screen (and at device pixel ratio 2
// when ZEM_TEST_SCALE_FACTOR=2): the window as it looks, the machine window scaled up to fill the screen with
// its pictures painted at that scale, and mouse input mapped back through the scale.
#include "options/options_window.h"

#include "assets/painted_pictures.h"
#include "platform/qt/qt_window_view.h"
#include "support/look_checks.h"
#include "support/real_window.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

using zem::platform::PictureRef;

QString outputFile(const QString& name) {
    const QString ratio = qEnvironmentVariable("ZEM_TEST_SCALE_FACTOR", "1");
    return zem::testing::outputPath(name + "_dpr" + ratio + ".png");
}

// The real window with its pictures painted at the window's scale, the options window on it, and a player
// with some statistics (and a second one in slot 3).
struct RealGame : zem::testing::RealWindow {
    zem::options::OptionsWindow options{machine};

    RealGame()
        : RealWindow{{.scaledPictures = [](const PictureRef& ref, double scale) {
              return zem::assets::paintedPicture(ref.name, ref.index, scale);
          }}} {
        // The same reels every run: a spin that started a free-spin series would keep the options shut.
        platform.seedRandom(1);
        store("bank", "1250");
        store("currentplayer", "Grace");
        store("games", "3");
        store("wager", "300");
        store("total", "287");
        store("amountinvested", "400");
        store("currentplayer", "Bob", 3);
        platform.attach(machine.w.orvelle);
        platform.attach(options.w.frmorvelleoptions);
        machine.startup();
        platform.sync();
    }
    void settle() {
        for (int i = 0; i < 5; ++i) platform.doEvents();
    }
    // Opens the options window with the OPTIONS button, as the player does.
    zem::ui::OptionsWindowLayout& openOptions() {
        machine.optionsPress();
        settle();
        return options.w;
    }
};

// How sharp a picture's edges are: the mean of the largest 1 % of the differences between neighbouring
// pixels' green values (an edge stretched from a smaller picture spreads over several pixels).
double sharpness(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::vector<int> steps;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 1; x < rgb.width(); ++x)
            steps.push_back(std::abs(qGreen(rgb.pixel(x, y)) - qGreen(rgb.pixel(x - 1, y))));
    std::sort(steps.begin(), steps.end(), std::greater<int>());
    const size_t top = std::max<size_t>(1, steps.size() / 100);
    double sum = 0;
    for (size_t i = 0; i < top; ++i) sum += steps[i];
    return sum / static_cast<double>(top);
}

TEST(OptionsWindowOnScreen, OpensShowsThePlayerAndItsClicksReachTheModel) {
    RealGame g;
    auto& p = g.platform;
    g.machine.optionsPress();
    g.settle();
    QWidget* top = p.widgetOf(g.options.w.frmorvelleoptions);
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(top->isVisible());
    EXPECT_EQ(top->windowTitle().toStdString(), "Orvelle Options");
    EXPECT_FALSE(p.widgetOf(g.machine.w.orvelle)->isEnabled());
    auto* games = qobject_cast<QLabel*>(p.widgetOf(g.options.w.lblgames));
    ASSERT_NE(games, nullptr);
    EXPECT_EQ(games->text().toStdString(), "Games Played            3");
    QWidget* slot3 = p.widgetOf(g.options.w.machine[3]);
    EXPECT_EQ(slot3->geometry(), QRect(7, 128, 100, 20)) << "at its twips inside the main frame";
    const QImage shot = p.grab(g.options.w.frmorvelleoptions);
    EXPECT_TRUE(shot.save(outputFile("options_window")));
    EXPECT_TRUE(p.grab(g.machine.w.orvelle).save(outputFile("machine_own_size")));

    // A click on the third slot selects Bob; the credit meter follows.
    QTest::mouseClick(slot3, Qt::LeftButton);
    g.settle();
    EXPECT_EQ(g.machine.playerslot, "3");
    EXPECT_TRUE(qobject_cast<QRadioButton*>(slot3)->isChecked());
    EXPECT_EQ(qobject_cast<QLabel*>(p.widgetOf(g.machine.w.PANELBANK))->text().toStdString(), "0");
    EXPECT_EQ(p.widgetOf(g.machine.w.orvelle)->windowTitle().toStdString(), "Current Player       BOB");

    QTest::mouseClick(p.widgetOf(g.options.w.btnokplayer), Qt::LeftButton);
    g.settle();
    EXPECT_FALSE(top->isVisible());
    EXPECT_TRUE(p.widgetOf(g.machine.w.orvelle)->isEnabled());
    EXPECT_EQ(p.store().read("zem", "player3", "currentplayer"), "Bob");
}

// Where an option button draws its caption: from the left of its contents, as wide as the text and as high as
// a line, centred in the contents' height; in the option's parent's coordinates.
QRect captionRect(QRadioButton* option) {
    QStyleOptionButton o;
    o.initFrom(option);
    o.text = option->text();
    const QRect contents = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &o, option);
    const QFontMetrics metrics = option->fontMetrics();
    const QSize text(metrics.horizontalAdvance(option->text()), metrics.height());
    const QPoint corner(contents.left(), contents.top() + (contents.height() - text.height()) / 2);
    return QRect(option->mapToParent(corner), text);
}

// Every option of the window shows its whole caption in a readable font: inside its own control, right of its
// circle, and clear of the options drawn over it (the reel speeds have 25 pixels each, "Loose" ends under the
// next option's edge).
TEST(OptionsWindowOnScreen, EveryOptionShowsItsWholeCaption) {
    RealGame g;
    auto& p = g.platform;
    auto& w = g.openOptions();
    std::vector<zem::platform::Control*> options = {&w.wincounter[1], &w.sounds[1], &w.sounds[2]};
    for (int k = 1; k <= 6; ++k) options.push_back(&w.machine[k]);
    for (auto& c : w.setspeed) options.push_back(&c);
    for (auto& c : w.Amtpayout) options.push_back(&c);
    w.wincounter[2].mark();  // " OFF" as the option shows it when clicked
    g.settle();
    options.push_back(&w.wincounter[2]);

    for (zem::platform::Control* c : options) {
        auto* option = qobject_cast<QRadioButton*>(p.widgetOf(*c));
        ASSERT_NE(option, nullptr) << c->name;
        const std::string name = c->name + "(" + std::to_string(c->index) + ") \"" + c->caption + "\"";
        EXPECT_EQ(option->text().toStdString(), c->caption) << name;
        EXPECT_GE(option->font().pixelSize(), 10) << name << ": too small to read";
        const QRect caption = captionRect(option);
        EXPECT_LE(caption.right(), option->geometry().right()) << name << ": cut at its right edge";
        // Siblings made later stand over it.
        const QObjectList& siblings = option->parentWidget()->children();
        for (qsizetype i = siblings.indexOf(option) + 1; i < siblings.size(); ++i) {
            auto* over = qobject_cast<QWidget*>(siblings[i]);
            if (over == nullptr || !over->isVisible()) continue;
            EXPECT_FALSE(over->geometry().intersects(caption))
                << name << ": covered by " << over->objectName().toStdString();
        }
    }
}

// The window stands on the painted wood, not on a desktop form: the wood shows between the controls, every
// control's text is in the machine's type and reads on what lies behind it, and the lamps fit their captions.
TEST(OptionsWindowOnScreen, StandsOnThePaintedWoodInTheMachinesType) {
    RealGame g;
    auto& p = g.platform;
    auto& w = g.openOptions();
    const QImage shot = p.grab(w.frmorvelleoptions, false);
    const double scale = p.scaleOf(w.frmorvelleoptions);
    auto at = [&](const zem::platform::Control& c) {
        QWidget* widget = p.widgetOf(c);
        const qreal ratio = shot.devicePixelRatio();
        const QPoint corner = widget->mapTo(p.clientOf(w.frmorvelleoptions), QPoint(0, 0));
        return QRect(QPointF(corner * ratio).toPoint(), QSizeF(QSizeF(widget->size()) * ratio).toSize());
    };
    // Gaps where only the main frame stands (twips of the window): between the slots and the statistics,
    // between the statistics and the setting groups, under the payout group.
    for (const QRect twips :
         {QRect(1650, 1400, 300, 1900), QRect(4530, 1400, 150, 2200), QRect(4800, 4620, 3400, 250)}) {
        const qreal k = scale * shot.devicePixelRatio() / 15.0;
        const QRect gap(QPointF(twips.topLeft() * k).toPoint(), QSizeF(QSizeF(twips.size()) * k).toSize());
        const QColor behind = zem::testing::medianColour(shot, gap);
        EXPECT_TRUE(zem::testing::isWood(behind))
            << "at " << twips.x() << "," << twips.y() << " twips " << behind.name().toStdString();
    }

    std::vector<zem::platform::Control*> texts = {
        &w.lblplayername, &w.lblcurrentplayer, &w.lblgames,         &w.lblfreespins,   &w.fastslow,
        &w.speedlab,      &w.btnokplayer,      &w.Btndeletedetails, &w.cmdlargescreen, &w.cmdorigonal,
        &w.Text1,         &w.player1,          &w.machine[1],       &w.Amtpayout[2],   &w.setspeed[0]};
    for (zem::platform::Control* c : texts) {
        QWidget* widget = p.widgetOf(*c);
        const std::string name = c->name + "(" + std::to_string(c->index) + ")";
        EXPECT_EQ(widget->font().family().toStdString(), "DejaVu Sans") << name;
        const QColor background = zem::testing::medianColour(shot, at(*c));
        const QColor text = widget->palette().color(widget->foregroundRole());
        EXPECT_GE(zem::testing::contrast(text, background), 4.5)
            << name << ": " << text.name().toStdString() << " on " << background.name().toStdString();
        if (auto* lamp = qobject_cast<QPushButton*>(widget)) {
            EXPECT_GT(background.red(), background.green() + 60) << name << ": not a lamp";
            EXPECT_LE(lamp->fontMetrics().horizontalAdvance(lamp->text()), lamp->width() - 12) << name;
        }
    }
    // The note's three lines whole, with nothing to scroll.
    auto* note = qobject_cast<QPlainTextEdit*>(p.widgetOf(w.Text1));
    EXPECT_FALSE(note->verticalScrollBar()->isVisible()) << "the note's lines are broken";
    // The frames' titles in the serif of the name plate.
    for (zem::platform::Control* c : {&w.Framemain, &w.Framecounter, &w.Framescreen}) {
        EXPECT_EQ(qobject_cast<QGroupBox*>(p.widgetOf(*c))->font().family().toStdString(), "DejaVu Serif");
    }
}

TEST(OptionsWindowOnScreen, ANameTypedInTheBoxReadsBackExactlyFromTheStoreFile) {
    RealGame g;
    auto& p = g.platform;
    g.machine.optionsPress();
    g.settle();
    auto* box = qobject_cast<QLineEdit*>(p.widgetOf(g.options.w.player1));
    ASSERT_NE(box, nullptr);
    // Characters the store file's own syntax uses, and letters beyond ASCII: twelve in all.
    const QString name = QStringLiteral("a=b]c;#, \"Zö");
    QTest::keyClicks(box, name.left(11));  // the test library types ASCII only
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Odiaeresis, name.right(1), Qt::NoModifier);
    QTest::keyClick(box, Qt::Key_Return);
    g.settle();
    EXPECT_EQ(g.machine.s.currentplayer, name.toStdString());
    EXPECT_TRUE(box->text().isEmpty());
    zem::platform::qt::QtSettingsStore fresh(g.dir.filePath("zem.ini"));
    EXPECT_EQ(fresh.read("zem", "player1", "currentplayer"), name.toStdString());
    EXPECT_EQ(p.widgetOf(g.machine.w.orvelle)->windowTitle(),
              QStringLiteral("Current Player       A=B]C;#, \"ZÖ"));
}

TEST(OptionsWindowOnScreen, LargeSizeFillsTheScreenWithCrispPicturesAndClicksLandOnTheButtons) {
    RealGame g;
    auto& p = g.platform;
    QWidget* client = p.clientOf(g.machine.w.orvelle);
    ASSERT_EQ(client->size(), QSize(794, 588));
    g.machine.optionsPress();
    g.settle();
    QTest::mouseClick(p.widgetOf(g.options.w.cmdlargescreen), Qt::LeftButton);
    g.settle();
    EXPECT_FALSE(g.options.isOpen());
    EXPECT_TRUE(g.machine.w.orvelle.fillScreen) << "the desktop keeps its mode: the window is scaled instead";
    const double scale = p.scaleOf(g.machine.w.orvelle);
    EXPECT_GT(scale, 1.7);
    QWidget* top = p.widgetOf(g.machine.w.orvelle);
    EXPECT_LE(top->height(), 1080);
    EXPECT_LE(top->width(), 1920);
    EXPECT_NEAR(client->width() / 794.0, client->height() / 588.0, 0.01) << "proportions kept";
    EXPECT_GT(client->height(), 1000);

    const QImage shot = p.grab(g.machine.w.orvelle);
    EXPECT_TRUE(shot.save(outputFile("machine_large")));

    // The reel strip is painted at the scale (and the pixel ratio), not stretched: as many device pixels as
    // the screen shows, and sharper than the picture of its own size scaled up.
    const double ratio = top->devicePixelRatioF();
    const QImage painted = p.picture(PictureRef{"pplay", 1}, scale, ratio);
    const QImage own = zem::assets::picture("pplay", 1);
    EXPECT_NEAR(painted.width(), own.width() * scale * ratio, 1.0);
    EXPECT_DOUBLE_EQ(painted.devicePixelRatio(), ratio);
    const QImage stretched = own.scaled(painted.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    std::printf("sharpness painted %.1f, stretched %.1f\n", sharpness(painted), sharpness(stretched));
    EXPECT_GT(sharpness(painted), sharpness(stretched) * 1.2);

    // A click on the scaled bet button reaches it, at its own twips.
    zem::platform::MouseEvent seen{};
    auto original = g.machine.w.pplay[1].onPress;
    g.machine.w.pplay[1].onPress = [&](const zem::platform::MouseEvent& e) {
        seen = e;
        original(e);
    };
    QWidget* bet1 = p.widgetOf(g.machine.w.pplay[1]);
    ASSERT_NEAR(bet1->width(), 975 * scale / 15, 1.5);
    QTest::mousePress(bet1, Qt::LeftButton, {}, QPoint(bet1->width() / 2, bet1->height() / 2));
    QTest::mouseRelease(bet1, Qt::LeftButton, {}, QPoint(bet1->width() / 2, bet1->height() / 2));
    g.settle();
    EXPECT_EQ(g.machine.s.games, 4) << "the bet button played a spin";
    EXPECT_NEAR(seen.x, 975 / 2, 15);
    EXPECT_NEAR(seen.y, 660 / 2, 15);

    // The original size comes back.
    const int64_t until = p.loop().now() + 10000;
    while ((g.machine.spinning() || g.machine.Timerwincounter.enabled()) && p.loop().now() < until)
        p.doEvents();
    g.machine.optionsPress();
    g.settle();
    QTest::mouseClick(p.widgetOf(g.options.w.cmdorigonal), Qt::LeftButton);
    g.settle();
    EXPECT_FALSE(g.machine.w.orvelle.fillScreen);
    EXPECT_EQ(client->size(), QSize(794, 588));
    EXPECT_EQ(bet1->width(), 65);
}

}  // namespace

int main(int argc, char** argv) {
    // A screen of 1920 x 1080 device-independent pixels: at a pixel ratio of 2, one of 3840 x 2160 pixels.
    const QByteArray factor = qgetenv("ZEM_TEST_SCALE_FACTOR");
    const int ratio = factor == "2" ? 2 : 1;
    if (ratio != 1) qputenv("QT_SCALE_FACTOR", factor);
    QTemporaryDir dir;
    const QString config = dir.filePath("screens.json");
    QFile file(config);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QStringLiteral(R"({"screens": [{"name": "big", "x": 0, "y": 0, "width": %1, "height": %2,
                       "logicalDpi": 96, "logicalBaseDpi": 96}]})")
                       .arg(1920 * ratio)
                       .arg(1080 * ratio)
                       .toUtf8());
        file.close();
    }
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
