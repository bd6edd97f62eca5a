// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt back end's windows: widgets made from a window model, kept in line with it, painted before pauses,
// and player input handed to the model as the toolkit contract says.
#include "platform/qt/qt_platform.h"

#include "platform/qt/message_box_frame.h"
#include "platform/qt/qt_window_view.h"
#include "support/look_checks.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace zem::platform::qt {
namespace {

constexpr int T = 15;  // twips per pixel

// Solid pictures by name: "<colour>" or "<colour>:<w>x<h>"; "mark" is white with a black square in the
// middle.
QImage testPicture(const PictureRef& ref) {
    static const std::map<std::string, std::pair<QColor, QSize>> known = {
        {"yellow", {Qt::yellow, {60, 60}}},    {"red", {Qt::red, {30, 30}}},
        {"blue", {Qt::blue, {60, 60}}},        {"green", {Qt::green, {20, 20}}},
        {"strip", {Qt::magenta, {125, 3625}}},
    };
    if (ref.name == "mark") {
        QImage image(60, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int y = 25; y < 35; ++y) {
            for (int x = 25; x < 35; ++x) image.setPixel(x, y, qRgb(0, 0, 0));
        }
        return image;
    }
    auto it = known.find(ref.name);
    if (it == known.end()) return {};
    QImage image(it->second.second, QImage::Format_RGB32);
    image.fill(it->second.first);
    return image;
}

struct Recorder {
    std::vector<std::string> events;
    std::vector<MouseEvent> mice;
    std::vector<int> previewKeys;
    std::vector<int> textKeys;
};

// A small window: labels, a picture box with a picture inside it, a line segment beneath it, a menu entry, a
// text box, a frame with two option buttons and a push button.
class TestWindow {
  public:
    TestWindow() : window("frmtest") {
        window.caption = "Test window";
        window.clientWidth = 300 * T;
        window.clientHeight = 200 * T;
        window.background = {0, 0, 0};
        window.visible = true;

        place(label, 10, 20, 100, 20);
        label.caption = "No Win";
        label.foreground = {255, 255, 0};
        window.add(label);

        place(autoLabel, 10, 160, 10, 10);
        autoLabel.caption = "1";
        autoLabel.autoSize = true;
        window.add(autoLabel);

        line.x1 = 0, line.y1 = 80 * T, line.x2 = 300 * T, line.y2 = 80 * T;
        line.foreground = {0, 255, 255};
        line.lineWidth = 6;
        window.add(line);

        place(box, 100, 50, 60, 60);
        box.picture = {"yellow", 0};
        window.add(box);

        place(image, 10, 10, 30, 30);
        image.picture = {"red", 0};
        image.hint = "Bet 1 coin per line";
        image.onPress = [this](const MouseEvent& e) {
            rec.events.push_back("press");
            rec.mice.push_back(e);
        };
        image.onRelease = [this](const MouseEvent& e) {
            rec.events.push_back("release");
            rec.mice.push_back(e);
        };
        window.add(image, &box);

        box.onPress = [this](const MouseEvent&) { rec.events.push_back("box press"); };

        exitEntry.caption = "&exit";
        exitEntry.onClick = [this] { rec.events.push_back("exit"); };
        window.add(exitEntry);

        place(text, 180, 10, 100, 20);
        text.caption = "abc";
        text.onKey = [this](int& key) { rec.textKeys.push_back(key); };
        window.add(text);

        place(frame, 180, 120, 110, 70);
        frame.caption = "Reel Speed";
        window.add(frame);
        place(slow, 5, 20, 100, 20);
        slow.caption = "1";
        slow.group = 1;
        slow.marked = true;
        slow.onClick = [this] { rec.events.push_back("slow"); };
        window.add(slow, &frame);
        place(fast, 5, 45, 100, 20);
        fast.caption = "2";
        fast.group = 1;
        fast.onClick = [this] { rec.events.push_back("fast"); };
        window.add(fast, &frame);

        place(button, 180, 40, 80, 25);
        button.caption = "OK";
        button.onClick = [this] { rec.events.push_back("ok"); };
        window.add(button);

        place(panel, 10, 115, 80, 35);
        panel.caption = "Not enough credit for this bet !, reduce your bet";
        window.add(panel);

        gameMenu.caption = "&Game";
        window.add(gameMenu);
        payEntry.caption = "&Paytable";
        payEntry.onClick = [this] { rec.events.push_back("paytable"); };
        window.add(payEntry, &gameMenu);
        separator.caption = "-";
        window.add(separator, &gameMenu);
        aboutEntry.caption = "&about";
        window.add(aboutEntry, &gameMenu);
    }

    static void place(Control& c, int x, int y, int w, int h) {
        c.left = x * T;
        c.top = y * T;
        c.width = w * T;
        c.height = h * T;
    }

    Window window;
    Control label{ControlKind::Label, "LABWIN"};
    Control autoLabel{ControlKind::Label, "PANELBANK"};
    Control line{ControlKind::LineSegment, "Lineflash", 1};
    Control box{ControlKind::PictureBox, "Picture1"};
    Control image{ControlKind::Image, "pplay", 1};
    Control exitEntry{ControlKind::MenuEntry, "mnuexit"};
    Control text{ControlKind::TextBox, "txtname"};
    Control frame{ControlKind::Frame, "Framespeed"};
    Control slow{ControlKind::OptionButton, "setspeed", 0};
    Control fast{ControlKind::OptionButton, "setspeed", 1};
    Control button{ControlKind::PushButton, "cmdOK"};
    Control panel{ControlKind::Panel, "pannomoney"};
    Control gameMenu{ControlKind::MenuEntry, "mnugame"};
    Control payEntry{ControlKind::MenuEntry, "mnuptble"};
    Control separator{ControlKind::MenuEntry, "mnusep"};
    Control aboutEntry{ControlKind::MenuEntry, "mnuabout"};
    Recorder rec;
};

class QtWindowTest : public ::testing::Test {
  protected:
    QtWindowTest() : platform(QtPlatform::Options{testPicture, QtSoundOutput::Device::None, {}}) {
        platform.attach(w.window);
        platform.doEvents();
    }
    template <typename T>
    T* widget(const Control& c) {
        return qobject_cast<T*>(platform.widgetOf(c));
    }
    QColor clientPixel(int x, int y) { return platform.grab(w.window, false).pixelColor(x, y); }

    TestWindow w;
    QtPlatform platform;
};

TEST_F(QtWindowTest, WidgetsFollowTheModelsGeometryCaptionsAndStates) {
    QWidget* top = platform.widgetOf(w.window);
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(top->isVisible());
    EXPECT_EQ(top->windowTitle(), "Test window");
    EXPECT_EQ(platform.clientOf(w.window)->size(), QSize(300, 200));

    auto* label = widget<QLabel>(w.label);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), QRect(10, 20, 100, 20));
    EXPECT_EQ(label->text(), "No Win");
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 255, 0));

    QWidget* box = platform.widgetOf(w.box);
    QWidget* image = platform.widgetOf(w.image);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(box->geometry(), QRect(100, 50, 60, 60));
    EXPECT_EQ(image->parentWidget(), box);  // placed inside the picture box, and clipped by it
    EXPECT_EQ(image->geometry(), QRect(10, 10, 30, 30));
    EXPECT_EQ(image->toolTip(), "Bet 1 coin per line");

    QAction* exitAction = platform.actionOf(w.exitEntry);
    ASSERT_NE(exitAction, nullptr);
    EXPECT_EQ(exitAction->text(), "&exit");
    ASSERT_NE(top->findChild<QMenuBar*>(), nullptr);
    EXPECT_TRUE(top->findChild<QMenuBar*>()->actions().contains(exitAction));

    EXPECT_EQ(widget<QLineEdit>(w.text)->text(), "abc");
    EXPECT_EQ(widget<QGroupBox>(w.frame)->title(), "Reel Speed");
    EXPECT_TRUE(widget<QRadioButton>(w.slow)->isChecked());
    EXPECT_FALSE(widget<QRadioButton>(w.fast)->isChecked());
    EXPECT_EQ(widget<QRadioButton>(w.fast)->parentWidget(), platform.widgetOf(w.frame));
    EXPECT_EQ(widget<QPushButton>(w.button)->text(), "OK");
    EXPECT_TRUE(platform.widgetOf(w.button)->isEnabled());

    // Twips that are not whole pixels round to the nearest pixel.
    w.label.left = 1025;
    w.label.top = 7;
    platform.sync();
    EXPECT_EQ(label->pos(), QPoint(68, 0));

    // Stacking follows creation order: the picture box stands above the label created before it.
    const QObjectList children = platform.clientOf(w.window)->children();
    EXPECT_LT(children.indexOf(label), children.indexOf(box));
}

TEST_F(QtWindowTest, TextControlsTakeFontsColoursPicturesAndMenus) {
    // Fonts in points at 15 twips to the pixel: 12 points are 16 pixels.
    w.label.fontFamily = "DejaVu Sans";
    w.label.fontPoints = 12;
    w.label.bold = true;
    w.label.transparentBackground = false;
    w.label.background = {255, 0, 0};
    platform.doEvents();
    auto* label = widget<QLabel>(w.label);
    EXPECT_EQ(label->font().pixelSize(), 16);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().family(), "DejaVu Sans");
    EXPECT_TRUE(label->autoFillBackground());
    EXPECT_EQ(clientPixel(107, 38), QColor(255, 0, 0));
    w.label.transparentBackground = true;
    platform.doEvents();
    EXPECT_FALSE(label->autoFillBackground());
    EXPECT_EQ(clientPixel(107, 38), QColor(0, 0, 0));

    // The panel: raised, its caption centred and wrapped.
    auto* panel = widget<QLabel>(w.panel);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->text(), "Not enough credit for this bet !, reduce your bet");
    EXPECT_TRUE(panel->wordWrap());
    EXPECT_EQ(panel->alignment(), Qt::AlignCenter);
    EXPECT_EQ(panel->frameStyle(), QFrame::Panel | QFrame::Raised);
    EXPECT_EQ(panel->geometry(), QRect(10, 115, 80, 35));

    // A button with a picture shows the picture instead of its caption, drawn as a picture button: the
    // picture in the middle, no desktop frame round it, dimmed while disabled.
    w.button.picture = {"green", 0};
    platform.doEvents();
    auto* button = widget<QPushButton>(w.button);
    const QImage drawn = button->grab().toImage();
    const QPoint middle(drawn.width() / 2, drawn.height() / 2);
    EXPECT_EQ(QColor(drawn.pixel(middle)), QColor(Qt::green));
    QSet<QRgb> colours;
    for (int x = middle.x() - 9; x <= middle.x() + 9; ++x) colours.insert(drawn.pixel(x, middle.y()));
    EXPECT_EQ(colours.size(), 1) << "a caption drawn over the picture";
    w.button.enabled = false;
    platform.doEvents();
    EXPECT_NE(QColor(button->grab().toImage().pixel(middle)), QColor(Qt::green));
    w.button.enabled = true;
    w.button.picture = {};
    platform.doEvents();
    EXPECT_NE(QColor(button->grab().toImage().pixel(middle)), QColor(Qt::green));
    EXPECT_EQ(button->text(), "OK");

    // A menu entry with entries under it opens a menu; the entries under it click as entries do.
    QAction* game = platform.actionOf(w.gameMenu);
    ASSERT_NE(game, nullptr);
    ASSERT_NE(game->menu(), nullptr);
    EXPECT_EQ(game->text(), "&Game");
    const QList<QAction*> entries = game->menu()->actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0]->text(), "&Paytable");
    EXPECT_TRUE(entries[1]->isSeparator());
    entries[0]->trigger();
    EXPECT_EQ(w.rec.events, std::vector<std::string>{"paytable"});

    // The window's icon.
    w.window.icon = {"yellow", 0};
    platform.doEvents();
    EXPECT_FALSE(platform.widgetOf(w.window)->windowIcon().isNull());
}

TEST_F(QtWindowTest, ProgramChangesShowAfterDoEventsAndSleep) {
    auto* label = widget<QLabel>(w.label);
    QWidget* image = platform.widgetOf(w.image);

    w.label.caption = "1250";
    w.image.top = -5 * T;
    w.button.enabled = false;
    w.exitEntry.visible = false;
    w.window.caption = "Current Player       Ann";
    EXPECT_EQ(label->text(), "No Win");  // nothing moves before a yield
    platform.doEvents();
    EXPECT_EQ(label->text(), "1250");
    EXPECT_EQ(image->pos(), QPoint(10, -5));
    EXPECT_FALSE(platform.widgetOf(w.button)->isEnabled());
    EXPECT_FALSE(platform.actionOf(w.exitEntry)->isVisible());
    EXPECT_EQ(platform.widgetOf(w.window)->windowTitle(), "Current Player       Ann");

    w.label.visible = false;
    w.slow.mark();  // by program: marks it again and runs its click
    w.fast.marked = true;
    w.slow.marked = false;
    w.text.caption = "Zoe";
    platform.sleep(1);
    EXPECT_FALSE(label->isVisible());
    EXPECT_TRUE(widget<QRadioButton>(w.fast)->isChecked());
    EXPECT_FALSE(widget<QRadioButton>(w.slow)->isChecked());
    EXPECT_EQ(widget<QLineEdit>(w.text)->text(), "Zoe");

    // A label sized to its text grows with it.
    const int narrow = platform.widgetOf(w.autoLabel)->width();
    w.autoLabel.caption = "2147483647";
    platform.doEvents();
    EXPECT_GT(platform.widgetOf(w.autoLabel)->width(), narrow);
    EXPECT_EQ(platform.widgetOf(w.autoLabel)->size(), widget<QLabel>(w.autoLabel)->sizeHint());

    w.window.visible = false;
    platform.doEvents();
    EXPECT_FALSE(platform.widgetOf(w.window)->isVisible());
}

TEST_F(QtWindowTest, AFixedLabelShowsItsWholeTextInASmallerFontWhenItIsTooLong) {
    // The dollar label of a large credit: 73 pixels wide, ten digits and more.
    Control dollars(ControlKind::Label, "Lblcredit");
    TestWindow::place(dollars, 10, 100, 73, 16);
    dollars.caption = "$ 124.6";
    dollars.bold = true;
    w.window.add(dollars);
    platform.detach(w.window);
    platform.attach(w.window);
    platform.doEvents();
    auto* label = widget<QLabel>(dollars);
    ASSERT_NE(label, nullptr);
    const int fullSize = label->font().pixelSize();
    EXPECT_EQ(fullSize, 13) << "a short amount keeps the label's own font";
    for (const char* text : {"$ 12345.67", "$ 21474836.47", "-$ 21474836.48"}) {
        dollars.caption = text;
        platform.doEvents();
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width()) << text;
        EXPECT_LT(label->font().pixelSize(), fullSize) << text;
        EXPECT_EQ(label->width(), 73);
    }
    dollars.caption = "$ 0.25";
    platform.doEvents();
    EXPECT_EQ(label->font().pixelSize(), fullSize) << "the font grows back for a short text";
}

TEST_F(QtWindowTest, DisabledControlsGetNoInput) {
    auto* button = widget<QPushButton>(w.button);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(w.rec.events, std::vector<std::string>{"ok"});

    // Disabled in the model and not yet synced: the click reaches Qt but not the handler.
    w.rec.events.clear();
    w.button.enabled = false;
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(w.rec.events.empty());
    platform.doEvents();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(w.rec.events.empty());

    // A picture in a disabled picture box takes no press, and the press goes to nobody else.
    QWidget* image = platform.widgetOf(w.image);
    w.box.enabled = false;
    QTest::mousePress(image, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(5, 5));
    platform.doEvents();
    QTest::mousePress(image, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(w.rec.events.empty());

    // A menu entry of a window disabled in the model (not yet synced) ignores its action.
    w.window.enabled = false;
    platform.actionOf(w.exitEntry)->trigger();
    EXPECT_TRUE(w.rec.events.empty());
    w.window.enabled = true;
    platform.sync();
    platform.actionOf(w.exitEntry)->trigger();
    EXPECT_EQ(w.rec.events, std::vector<std::string>{"exit"});
    w.exitEntry.enabled = false;
    platform.actionOf(w.exitEntry)->trigger();
    EXPECT_EQ(w.rec.events, std::vector<std::string>{"exit"});
    EXPECT_FALSE(platform.actionOf(w.exitEntry)->isEnabled());  // and the sync after it disabled the action
}

TEST_F(QtWindowTest, EscapeReachesTheWindowOnlyWhileItTakesInput) {
    w.window.onEscape = [this] { w.rec.events.push_back("escape"); };
    // The key goes to the widget that has the keyboard, as the window system sends it.
    QWidget* top = platform.widgetOf(w.window);
    const auto keyboard = [top] { return top->focusWidget() != nullptr ? top->focusWidget() : top; };
    QTest::keyClick(keyboard(), Qt::Key_Escape);
    EXPECT_EQ(w.rec.events, std::vector<std::string>{"escape"});
    w.window.enabled = false;
    platform.sync();
    QTest::keyClick(keyboard(), Qt::Key_Escape);
    EXPECT_EQ(w.rec.events, std::vector<std::string>{"escape"}) << "a disabled window took Escape";
}

// No window is larger than the screen's work area with its frame and menu bar, on any screen a player has; a
// window keeps its own size whenever that fits, and the large size fills the work area as far as it can.
TEST(WindowScale, EveryWindowFitsTheWorkAreaAndKeepsItsOwnSizeWhenItCan) {
    const QSize machine(794, 588), chrome(2, 21 + 19);
    const QSize screens[] = {{640, 360}, {640, 480}, {800, 600}, {960, 540}, {1024, 768}, {1920, 1080}};
    const auto drawn = [&](double scale) {
        return QSize(static_cast<int>(std::lround(machine.width() * scale)),
                     static_cast<int>(std::lround(machine.height() * scale))) +
               chrome;
    };
    const auto fits = [](QSize size, QSize area) {
        return size.width() <= area.width() && size.height() <= area.height();
    };
    for (const QSize& screen : screens) {
        for (const bool fill : {false, true}) {
            const double scale = windowScale(machine, chrome, screen, fill);
            EXPECT_TRUE(fits(drawn(scale), screen))
                << screen.width() << "x" << screen.height() << " at " << scale;
            if (!fill && fits(machine + chrome, screen)) {
                EXPECT_EQ(scale, 1.0);
            }
            // As large as it may be: a hundredth more would not fit.
            if (fill || scale < 1.0) {
                EXPECT_FALSE(fits(drawn(scale + 0.011), screen)) << scale;
            }
        }
    }
}

TEST_F(QtWindowTest, MouseOnPicturesReportsButtonShiftAndTwipsAndTheReleaseFollowsThePress) {
    QWidget* image = platform.widgetOf(w.image);
    QWidget* top = platform.widgetOf(w.window);
    QWindow* handle = top->windowHandle();
    ASSERT_NE(handle, nullptr);
    // Input enters as the window system delivers it: to the top-level window, where Qt picks the widget.
    // The press hides the picture (the pressed look); Qt then has no widget for the release, which must
    // still reach the picture, and the picture must come back for the next press, every time.
    w.image.onPress = [this](const MouseEvent& e) {
        w.rec.events.push_back("press");
        w.rec.mice.push_back(e);
        w.image.visible = false;
    };
    w.image.onRelease = [this](const MouseEvent& e) {
        w.rec.events.push_back("release");
        w.rec.mice.push_back(e);
        w.image.visible = true;
    };
    const QPoint onImage = image->mapTo(top, QPoint(4, 7));
    const QPoint onBox = platform.widgetOf(w.box)->mapTo(top, QPoint(20, 20));
    QTest::mousePress(handle, Qt::RightButton, Qt::ShiftModifier, onImage);
    EXPECT_FALSE(image->isVisible());
    QTest::mouseRelease(handle, Qt::RightButton, {}, onBox);
    ASSERT_EQ(w.rec.events, (std::vector<std::string>{"press", "release"}));
    EXPECT_TRUE(image->isVisible());
    EXPECT_EQ(w.rec.mice[0].button, 2);
    EXPECT_EQ(w.rec.mice[0].shift, 1);
    EXPECT_EQ(w.rec.mice[0].x, 4 * T);
    EXPECT_EQ(w.rec.mice[0].y, 7 * T);
    EXPECT_EQ(w.rec.mice[1].button, 2);
    EXPECT_EQ(w.rec.mice[1].x, 10 * T);  // in the picture's own coordinates (the box's 20 less its 10)
    EXPECT_EQ(w.rec.mice[1].y, 10 * T);
    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(handle, Qt::LeftButton, {}, onImage);
    }
    EXPECT_EQ(w.rec.events,
              (std::vector<std::string>{"press", "release", "press", "release", "press", "release"}));

    // A menu entry takes one click after a picture's press, and a release on the menu goes to the menu.
    w.rec.events.clear();
    QTest::mousePress(handle, Qt::LeftButton, {}, onImage);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, onImage);
    platform.actionOf(w.exitEntry)->trigger();
    EXPECT_EQ(w.rec.events, (std::vector<std::string>{"press", "release", "exit"}));

    // A press on the picture box outside the picture is the box's.
    w.rec.events.clear();
    QTest::mousePress(platform.widgetOf(w.box), Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseRelease(platform.widgetOf(w.box), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(w.rec.events, std::vector<std::string>{"box press"});
}

TEST_F(QtWindowTest, MouseMovesOverPicturesReachTheModel) {
    std::vector<MouseEvent> moves;
    w.image.onMove = [&](const MouseEvent& e) { moves.push_back(e); };
    QWidget* image = platform.widgetOf(w.image);
    QTest::mouseMove(image, QPoint(3, 4));
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back().x, 3 * T);
    EXPECT_EQ(moves.back().y, 4 * T);
    moves.clear();
    w.image.enabled = false;
    platform.sync();
    QTest::mouseMove(image, QPoint(6, 6));
    EXPECT_TRUE(moves.empty());
}

TEST_F(QtWindowTest, AMultiLineTextBoxKeepsItsLineEndsAndTakesTypedText) {
    Control note(ControlKind::TextBox, "Text1");
    TestWindow::place(note, 10, 60, 80, 50);
    note.wordWrap = true;
    note.caption = "Note :- Some machines \r\nmay not support this \r\noption.";
    w.window.add(note);
    platform.doEvents();
    auto* edit = qobject_cast<QPlainTextEdit*>(platform.widgetOf(note));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->toPlainText(), "Note :- Some machines \nmay not support this \noption.");
    platform.setFocus(note);
    QTest::keyClick(edit, Qt::Key_Exclam, Qt::ShiftModifier);
    EXPECT_EQ(note.caption, "Note :- Some machines \r\nmay not support this \r\noption.!");
}

TEST_F(QtWindowTest, TheLineSegmentIsPaintedBeneathThePictureBox) {
    // The line runs across the window at y = 80 px; the picture box covers x = 100 .. 159 there.
    EXPECT_EQ(clientPixel(20, 80), QColor(0, 255, 255));
    EXPECT_EQ(clientPixel(150, 80), QColor(Qt::yellow));
    EXPECT_EQ(clientPixel(200, 80), QColor(0, 255, 255));
    EXPECT_EQ(clientPixel(20, 70), QColor(0, 0, 0));  // 6 px wide: y 77 .. 82

    w.box.visible = false;
    platform.doEvents();
    EXPECT_EQ(clientPixel(150, 80), QColor(0, 255, 255));

    w.line.visible = false;
    platform.doEvents();
    EXPECT_EQ(clientPixel(20, 80), QColor(0, 0, 0));

    // End points move the line.
    w.line.visible = true;
    w.line.y1 = w.line.y2 = 30 * T;
    platform.doEvents();
    EXPECT_EQ(clientPixel(20, 80), QColor(0, 0, 0));
    EXPECT_EQ(clientPixel(60, 30), QColor(0, 255, 255));
}

TEST_F(QtWindowTest, PicturesDrawAtTheirSizeClippedOrStretchedWithTheOverlayOverThem) {
    // The red 30 x 30 picture stands at 10,10 inside the box at 100,50.
    EXPECT_EQ(clientPixel(115, 65), QColor(Qt::red));
    EXPECT_EQ(clientPixel(145, 95), QColor(Qt::yellow));

    // A picture larger than its control is clipped to it; a picture inside a box is clipped by the box.
    w.image.width = 60 * T;
    w.image.height = 60 * T;
    w.image.picture = {"strip", 0};
    platform.doEvents();
    EXPECT_EQ(clientPixel(155, 105), QColor(Qt::magenta));
    EXPECT_EQ(clientPixel(165, 105), QColor(0, 0, 0));  // outside the box: the window's background

    // Stretched: a 20 x 20 picture fills the 60 x 60 control.
    w.image.picture = {"green", 0};
    w.image.stretch = true;
    platform.doEvents();
    EXPECT_EQ(clientPixel(155, 105), QColor(Qt::green));

    // The overlay is drawn over the picture with its white see-through.
    w.image.visible = false;
    w.box.overlay = {"mark", 0};
    platform.doEvents();
    EXPECT_EQ(clientPixel(130, 80), QColor(0, 0, 0));     // the black middle of the overlay
    EXPECT_EQ(clientPixel(103, 53), QColor(Qt::yellow));  // white of the overlay: the picture shows
}

TEST_F(QtWindowTest, AGrabShowsTheWholeWindowWithItsMenuBar) {
    const QImage whole = platform.grab(w.window);
    const QImage client = platform.grab(w.window, false);
    EXPECT_EQ(client.size(), QSize(300, 200));
    const int menuHeight = platform.widgetOf(w.window)->findChild<QMenuBar*>()->height();
    EXPECT_GT(menuHeight, 0);
    EXPECT_EQ(whole.size(), QSize(300, 200 + menuHeight));
    EXPECT_EQ(whole.pixelColor(20, 80 + menuHeight), QColor(0, 255, 255));
    EXPECT_TRUE(whole.save(QStringLiteral(ZEM_TEST_OUTPUT_DIR "/qt_test_window.png")));
}

TEST_F(QtWindowTest, SleepPutsTheFrameOnScreenBeforeThePause) {
    QWidget* top = platform.widgetOf(w.window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
    platform.doEvents();
    const QPoint inBox = platform.clientOf(w.window)->mapTo(top, QPoint(145, 95));
    auto screenPixel = [&] { return top->screen()->grabWindow(top->winId()).toImage().pixelColor(inBox); };
    ASSERT_EQ(screenPixel(), QColor(Qt::yellow));
    // No event runs between the change and the look at the screen: only the sleep can have painted it.
    w.box.picture = {"blue", 0};
    platform.sleep(1);
    EXPECT_EQ(screenPixel(), QColor(Qt::blue));
    w.box.picture = {"yellow", 0};
    platform.paint();
    EXPECT_EQ(screenPixel(), QColor(Qt::yellow));
}

TEST_F(QtWindowTest, KeyPreviewSeesTypedCharactersFirst) {
    auto* edit = widget<QLineEdit>(w.text);
    platform.setFocus(w.text);
    EXPECT_EQ(w.window.focus, &w.text);
    w.window.keyPreview = true;
    w.window.onKeyPreview = [this](int& key) {
        w.rec.previewKeys.push_back(key);
        if (key == 'x') key = 0;    // consumed
        if (key == 'a') key = 'b';  // replaced
    };

    QTest::keyClick(edit, Qt::Key_X, Qt::NoModifier);
    QTest::keyClick(edit, Qt::Key_A, Qt::NoModifier);
    QTest::keyClick(edit, Qt::Key_Space, Qt::NoModifier);
    QTest::keyClick(edit, Qt::Key_Return, Qt::NoModifier);
    QTest::keyClick(edit, Qt::Key_Backspace, Qt::NoModifier);
    EXPECT_EQ(w.rec.previewKeys, (std::vector<int>{'x', 'a', ' ', 13, 8}));
    EXPECT_EQ(w.rec.textKeys, (std::vector<int>{'b', ' ', 13, 8}));
    // "abc" + "b" + " " - the backspace: the model holds what the box shows.
    EXPECT_EQ(edit->text(), "abcb");
    EXPECT_EQ(w.text.caption, "abcb");

    // The text box's own handler may take a key too.
    w.text.onKey = [this](int& key) {
        w.rec.textKeys.push_back(key);
        if (key == 13) key = 0;
    };
    w.rec.textKeys.clear();
    QTest::keyClick(edit, Qt::Key_Enter, Qt::NoModifier);
    EXPECT_EQ(w.rec.textKeys, std::vector<int>{13});

    // Without key preview the window's handler sees nothing.
    w.window.keyPreview = false;
    w.rec.previewKeys.clear();
    QTest::keyClick(edit, Qt::Key_Q, Qt::NoModifier);
    EXPECT_TRUE(w.rec.previewKeys.empty());
    EXPECT_EQ(w.text.caption, "abcbq");

    // Keys typed on the window itself reach the preview; a disabled window takes none.
    w.window.keyPreview = true;
    platform.setFocus(w.window);
    EXPECT_EQ(w.window.focus, &w.window);
    QWidget* top = platform.widgetOf(w.window);
    QTest::keyClick(top, Qt::Key_Space, Qt::NoModifier);
    EXPECT_EQ(w.rec.previewKeys, std::vector<int>{' '});
    w.window.enabled = false;
    QTest::keyClick(top, Qt::Key_Space, Qt::NoModifier);
    EXPECT_EQ(w.rec.previewKeys, std::vector<int>{' '});
}

TEST_F(QtWindowTest, OptionButtonsFollowTheModelsMarks) {
    auto* slow = widget<QRadioButton>(w.slow);
    auto* fast = widget<QRadioButton>(w.fast);
    QTest::mouseClick(fast, Qt::LeftButton);
    EXPECT_TRUE(w.fast.marked);
    EXPECT_FALSE(w.slow.marked);
    EXPECT_EQ(w.rec.events, std::vector<std::string>{"fast"});
    EXPECT_TRUE(fast->isChecked());
    EXPECT_FALSE(slow->isChecked());

    // A handler that refuses the mark (marks the other again) wins over the click.
    w.slow.onClick = [this] {
        w.rec.events.push_back("slow");
        w.fast.mark();
    };
    QTest::mouseClick(slow, Qt::LeftButton);
    EXPECT_TRUE(w.fast.marked);
    EXPECT_FALSE(slow->isChecked());
    EXPECT_TRUE(fast->isChecked());
}

TEST_F(QtWindowTest, TimersTickInTheIdleLoopAndNeverDuringASleep) {
    int ticks = 0;
    Timer timer(platform.loop(), "tmrtick", 10, [&] { ++ticks; });
    timer.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));

    // A sleep runs nothing; the ticks missed during it come as one.
    const int before = ticks;
    platform.sleep(60);
    EXPECT_EQ(ticks, before);
    platform.doEvents();
    EXPECT_EQ(ticks, before + 1);
    timer.stop();
}

// A yield lets each due timer tick once, as the headless loop's does: Qt's own events, which run first, do
// not tick the game's timers a second time (a line flash that ticked twice in one yield of the win meter held
// the meter back for seconds).
TEST_F(QtWindowTest, AYieldTicksEachDueTimerOnce) {
    int ticks = 0;
    // Its handler outlasts its period: it is due again whenever a tick returns.
    Timer busy(platform.loop(), "tmrlineflash", 1, [&] {
        ++ticks;
        QThread::msleep(3);
    });
    busy.start();
    for (int i = 1; i <= 5; ++i) {
        QThread::msleep(5);  // the timer falls due, and so does the idle loop's own look at the timers
        platform.doEvents();
        EXPECT_EQ(ticks, i) << "yield " << i;
    }
    busy.stop();
}

TEST_F(QtWindowTest, TheCloseBoxAsksTheModel) {
    QWidget* top = platform.widgetOf(w.window);
    int asked = 0;
    w.window.onCloseRequest = [&] {
        ++asked;
        w.window.visible = false;
    };
    QCloseEvent close;
    QApplication::sendEvent(top, &close);  // not spontaneous
    EXPECT_EQ(asked, 0);                   // a close that no player asked for is refused
    EXPECT_TRUE(top->isVisible());

    // The close box: a spontaneous close, which notify delivers as it is.
    QCloseEvent spontaneous;
    QSpontaneKeyEvent::setSpontaneous(&spontaneous);
    qApp->notify(top, &spontaneous);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(top->isVisible());
}

TEST_F(QtWindowTest, MessageBoxesAreModalAndGiveTheButtonChosen) {
    MessageBoxRequest request;
    request.text = "error Opening Link to x\r\n\r\n2";
    request.title = "ExecuteLink";
    request.icon = MessageIcon::Stop;
    request.buttons = MessageButtons::YesNo;
    request.defaultButton = MessageResult::Yes;
    QString seenText, seenTitle;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenText = box->text();
        seenTitle = box->windowTitle();
        seenIcon = box->icon();
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(platform.messageBox(request), MessageResult::No);
    EXPECT_EQ(seenText, "error Opening Link to x\n\n2");
    EXPECT_EQ(seenTitle, "ExecuteLink");
    EXPECT_EQ(seenIcon, QMessageBox::Critical);

    request.buttons = MessageButtons::Ok;
    request.icon = MessageIcon::Information;
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(platform.messageBox(request), MessageResult::Ok);
}

// A message box draws its own frame: no title bar of the window manager's (which may offer to maximise it), a
// strip with its title above the text, and a close box that answers as the box's way out.
TEST_F(QtWindowTest, AMessageBoxHasItsOwnTitleStripAndCloseBox) {
    MessageBoxRequest request;
    request.text = "Turn autoplay on?";
    request.title = "Autoplay";
    request.buttons = MessageButtons::YesNo;
    request.defaultButton = MessageResult::Yes;
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->windowFlags().testFlag(Qt::FramelessWindowHint));
        auto* strip = box->findChild<QWidget*>("messageBoxTitle");
        ASSERT_NE(strip, nullptr);
        EXPECT_EQ(strip->geometry(), QRect(0, 0, box->width(), kMessageBoxStripHeight));
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            if (!label->isVisible()) continue;
            EXPECT_GE(label->geometry().top(), kMessageBoxStripHeight) << label->text().toStdString();
        }
        // Its title is drawn on the strip: the strip's pixels differ where the title stands.
        const QImage drawn = strip->grab().toImage();
        EXPECT_NE(drawn.pixel(10, kMessageBoxStripHeight / 2),
                  drawn.pixel(4, kMessageBoxStripHeight / 2 - 6));
        const QPoint close(box->width() - kMessageBoxStripHeight / 2, kMessageBoxStripHeight / 2);
        QTest::mouseClick(strip, Qt::LeftButton, Qt::NoModifier, close);
    });
    EXPECT_EQ(platform.messageBox(request), MessageResult::No);

    // A press and a release away from the close box drag the box and close nothing.
    request.buttons = MessageButtons::Ok;
    QPoint moved;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        auto* strip = box->findChild<QWidget*>("messageBoxTitle");
        ASSERT_NE(strip, nullptr);
        const QPoint from = box->pos();
        QTest::mousePress(strip, Qt::LeftButton, Qt::NoModifier, QPoint(40, 10));
        QMouseEvent drag(QEvent::MouseMove, QPointF(70, 30), strip->mapToGlobal(QPointF(70, 30)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(strip, &drag);
        QTest::mouseRelease(strip, Qt::LeftButton, Qt::NoModifier, QPoint(70, 30));
        moved = box->pos() - from;
        EXPECT_TRUE(box->isVisible());
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(platform.messageBox(request), MessageResult::Ok);
    EXPECT_EQ(moved, QPoint(30, 20));
}

// The longest notice the game gives: six lines, blanks at their ends.
constexpr const char* kAutoplayNotice =
    " ..............PLEASE READ.................\r When you use this function all other Functions are\r   "
    "unavailable to you until you turn the Autoplay OFF \r To turn Autoplay OFF Click on the Autoplayoff "
    "button.\r  \r  This message will not appear again";

// A message box in the machine's look: on the wood within a gold rim, its whole text in cream, its lamp
// buttons below the text and clear of each other, the default one marked.
TEST_F(QtWindowTest, AMessageBoxWearsTheMachinesLookWithItsWholeTextAndItsButtonsBelow) {
    for (const MessageButtons buttons : {MessageButtons::Ok, MessageButtons::YesNo}) {
        MessageBoxRequest request;
        request.text = kAutoplayNotice;
        request.title = "Slots_orvelle";
        request.buttons = buttons;
        request.defaultButton = buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Ok;
        bool looked = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            // As the box stands once it has settled (it lays itself out again on the events its showing
            // posts).
            for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
            const QImage shot = box->grab().toImage();
            EXPECT_TRUE(shot.save(
                QStringLiteral(ZEM_TEST_OUTPUT_DIR "/message_box_%1.png").arg(box->buttons().size())));
            auto* text = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text->text(), QString::fromLatin1(kAutoplayNotice));
            EXPECT_EQ(text->font().family(), QStringLiteral("DejaVu Sans"));
            // Whole: every line at its full width and every line below the other.
            EXPECT_LE(text->sizeHint().width(), text->width()) << "a line is cut";
            EXPECT_LE(text->sizeHint().height(), text->height()) << "a line is lost";
            EXPECT_TRUE(box->rect().contains(QRect(text->mapTo(box, QPoint(0, 0)), text->size())));

            // The wood round the text, the gold rim at the edge, cream letters that read on it.
            const QColor wood = zem::testing::medianColour(shot, QRect(6, shot.height() - 14, 20, 8));
            EXPECT_TRUE(zem::testing::isWood(wood)) << wood.name().toStdString();
            const QColor rim = shot.pixelColor(0, shot.height() / 2);
            EXPECT_GT(rim.red(), 180) << rim.name().toStdString();
            EXPECT_GT(rim.red(), rim.blue() + 100) << rim.name().toStdString();
            EXPECT_GE(zem::testing::contrast(text->palette().color(QPalette::WindowText), wood), 7.0);

            QList<QAbstractButton*> lamps = box->buttons();
            ASSERT_EQ(lamps.size(), buttons == MessageButtons::YesNo ? 2 : 1);
            const int textBottom = text->mapTo(box, QPoint(0, text->height())).y();
            QRect previous;
            for (QAbstractButton* lamp : lamps) {
                const QRect place(lamp->mapTo(box, QPoint(0, 0)), lamp->size());
                const std::string name = lamp->text().toStdString();
                EXPECT_TRUE(box->rect().contains(place)) << name;
                EXPECT_GE(place.top(), textBottom) << name << " stands over the text";
                EXPECT_FALSE(place.intersects(previous)) << name;
                previous = place;
                EXPECT_TRUE(lamp->font().bold()) << name;
                EXPECT_LE(lamp->fontMetrics().horizontalAdvance(lamp->text()), place.width() - 12) << name;
                // A red lamp, its cream caption readable on it.
                const QColor face = zem::testing::medianColour(shot, place.adjusted(4, 4, -4, -4));
                EXPECT_GT(face.red(), face.green() + 60) << name << " " << face.name().toStdString();
                EXPECT_GE(zem::testing::contrast(lamp->palette().color(QPalette::ButtonText), face), 3.0)
                    << name;
            }
            const QMessageBox::StandardButton wanted =
                buttons == MessageButtons::YesNo ? QMessageBox::No : QMessageBox::Ok;
            EXPECT_EQ(box->defaultButton(), box->button(wanted));
            looked = true;
            box->defaultButton()->click();
        });
        platform.messageBox(request);
        EXPECT_TRUE(looked);
    }
}

TEST_F(QtWindowTest, QuitEndsTheEventLoopAfterTheHandler) {
    bool after = false;
    QTimer::singleShot(0, [&] {
        platform.deliver([&] {
            platform.quit();
            after = true;  // the handler runs to its end
        });
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(after);
    EXPECT_TRUE(platform.quitRequested());
}

TEST_F(QtWindowTest, DetachTakesTheWidgetsAwayAndControlsAddedLaterGetWidgets) {
    Control late(ControlKind::Label, "spinsleft");
    late.caption = "10";
    TestWindow::place(late, 1, 2, 30, 15);
    w.window.add(late);
    platform.doEvents();
    ASSERT_NE(platform.widgetOf(late), nullptr);
    EXPECT_EQ(qobject_cast<QLabel*>(platform.widgetOf(late))->text(), "10");

    QPointer<QWidget> top = platform.widgetOf(w.window);
    platform.detach(w.window);
    EXPECT_EQ(platform.widgetOf(w.window), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(top.isNull());
    EXPECT_EQ(w.label.caption, "No Win");
}

TEST_F(QtWindowTest, PointerAndLinks) {
    platform.setPointer(Pointer::Hourglass);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.setPointer(Pointer::Hourglass);  // not stacked: one arrow brings the default back
    platform.setPointer(Pointer::Arrow);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    long error = 0;
    EXPECT_FALSE(platform.openLink("", error));
    EXPECT_NE(error, 0);
}

}  // namespace
}  // namespace zem::platform::qt
