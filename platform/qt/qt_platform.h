// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt back end: real windows for the control model, a real clock, message boxes, the pointer, links, and
// the machine's services (settings store, sound output, display mode). The application creates the
// QApplication first; everything runs on its thread.
#pragma once

#include "core/random.h"
#include "platform/platform.h"
#include "platform/press_routing.h"
#include "picture_supply.h"
#include "qt_display_mode.h"
#include "qt_settings_store.h"
#include "qt_sound_output.h"
#include "qt_window_view.h"

#include <QElapsedTimer>
#include <QImage>
#include <QSize>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

class QAction;
class QEvent;
class QObject;
class QPointF;
class QTimer;
class QWidget;

namespace zem::platform::qt {


// Milliseconds since the back end started, from the monotonic clock.
class QtClock final : public Clock {
  public:
    QtClock() { timer_.start(); }
    int64_t nowMs() const override { return timer_.elapsed(); }

  private:
    QElapsedTimer timer_;
};

// Turns a picture of the program into an image; a null image for one it does not know.
using PictureResolver = std::function<QImage(const PictureRef&)>;
// The same picture painted `scale` times its own size in device pixels (a window shown larger, a screen of
// high pixel density); a null image when it cannot, and the picture is then scaled smoothly instead.
using ScaledPictureResolver = std::function<QImage(const PictureRef&, double scale)>;

class QtPlatform final : public Platform, public ViewHost {
  public:
    struct Options {
        PictureResolver pictures;
        QtSoundOutput::Device sound = QtSoundOutput::Device::Default;
        QString settingsFile;  // empty: the user's store (~/.config/zem/zem.ini)
        ScaledPictureResolver scaledPictures = {};
        // Paints the scaled pictures in a thread of their own, ahead of need (what a window is about to show,
        // and what it would show at its other size), and keeps them in `pictureCache` (no folder: in memory
        // only) under the edition `pictureEdition` tells, what they depend on (asked when first needed).
        bool paintAhead = false;
        QString pictureCache = {};
        std::function<QString()> pictureEdition = {};
    };
    explicit QtPlatform(Options options);
    explicit QtPlatform(PictureResolver pictures = {});
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    EventLoop& loop() override { return loop_; }
    // Brings the widgets in line, lets Qt deliver what is pending (input, paints), ticks the due timers once
    // and brings the widgets in line again.
    void doEvents() override;
    // Puts the current frame on screen, then blocks the thread without running any event.
    void sleep(int ms) override;
    // Brings the widgets in line and paints what changed, synchronously; runs no event.
    void paint() override;
    MessageResult messageBox(const MessageBoxRequest& request) override;
    void setPointer(Pointer pointer) override;
    void setFocus(Control& control) override;
    bool openLink(const std::string& address, long& error) override;
    void quit() override;

    core::Random& random() override { return random_; }
    // Draws from a generator seeded with the given number instead of the system's entropy.
    void seedRandom(uint64_t seed) { random_ = core::SystemRandom(seed); }
    SettingsStore& store() override { return store_; }
    SoundOutput& sound() override { return sound_; }
    DisplayMode& display() override { return display_; }

    // --- windows ---
    // Creates the real widgets of a window model; from then on they follow the model at every yield point.
    void attach(Window& window);
    // Takes a window's widgets down; the model is left as it is.
    void detach(Window& window);
    // Brings every attached window's widgets in line with its model.
    void sync();
    // The window as it looks now (after a sync): the whole window with its menu bar, or its client area only.
    QImage grab(Window& window, bool withMenuBar = true);

    // The real widget of a control (a window's top-level widget for a Window); null when it has none.
    QWidget* widgetOf(const Control& control) const override;
    QWidget* clientOf(const Window& window) const;
    QAction* actionOf(const Control& control) const;
    bool quitRequested() const override { return quitRequested_; }
    QtSettingsStore& settingsStore() { return store_; }
    QtSoundOutput& soundOutput() { return sound_; }

    // --- used by the window views ---
    // A picture, converted for fast drawing and kept; a null image for an empty or unknown reference.
    QImage picture(const PictureRef& ref) override;
    // A picture with another drawn over it, the other's white pixels transparent.
    QImage composite(const PictureRef& picture, const PictureRef& overlay);
    // The same for a window shown `scale` times its own size on a screen of device pixel ratio `ratio`: drawn
    // at that many device pixels, with the ratio set, so it is as crisp as the screen allows.
    QImage picture(const PictureRef& ref, double scale, double ratio) override;
    QImage composite(const PictureRef& picture, const PictureRef& overlay, double scale, double ratio) override;
    void prepare(const std::vector<PictureRef>& refs, double scale, double ratio, bool ahead) override;
    // The painter of scaled pictures ahead of need (null without it). The program stops it last of all, once
    // everything it saves is written: a painter still inside a picture must not see Qt taken apart.
    const std::shared_ptr<PictureSupply>& pictureSupply() const { return supply_; }
    // Mouse positions in a window shown larger than its own size are mapped back through its scale.
    double scaleOf(const Window& window) const;
    // Runs a handler of player input at once, then brings the widgets in line.
    void deliver(const std::function<void()>& handler) override;
    bool syncing() const override { return syncing_; }

  private:
    class InputFilter;
    friend class InputFilter;

    void pump();
    void scheduleIdle();
    void repaintNow();
    WindowView* viewOf(const Window* window) const;
    WindowView* viewOfWidget(const QWidget* widget) const;
    bool filterMouse(QWidget* receiver, QEvent* event);
    // A press or release as a top-level window receives it, before Qt picks a widget for it.
    void windowMouse(QObject* window, QEvent* event);
    // Hands the release to the control that took the press, if one still waits for it.
    void releasePressed(const QPointF& globalPosition, int button, Qt::KeyboardModifiers modifiers);
    bool filterKey(QWidget* receiver, QEvent* event);
    void focusChanged(QWidget* now);
    void handActivationToModal(QWidget* activated);

    QtClock clock_;
    EventLoop loop_;
    core::SystemRandom random_;
    QtSettingsStore store_;
    QtSoundOutput sound_;
    QtDisplayMode display_;
    PictureResolver resolver_;
    ScaledPictureResolver scaledResolver_;
    std::shared_ptr<PictureSupply> supply_;

    std::vector<std::unique_ptr<WindowView>> views_;
    std::unique_ptr<QObject> filter_;
    QTimer* idle_ = nullptr;
    bool syncing_ = false;
    bool yielding_ = false;  // doEvents is letting Qt's events run; its own pass ticks the timers
    bool quitRequested_ = false;
    bool waitCursor_ = false;
    PressRouting presses_;  // the control that took the mouse press, until the release

    std::map<std::pair<std::string, int>, QImage> pictures_;
    std::map<std::pair<std::string, int>, QImage> masks_;
    std::map<std::tuple<std::string, int, std::string, int>, QImage> composites_;
    // Pictures and composites at a scale, keyed by thousandths of the scale and of the ratio.
    std::map<std::tuple<std::string, int, int, int>, QImage> scaledPictures_;
    std::map<std::tuple<std::string, int, std::string, int, int, int>, QImage> scaledComposites_;
};

}  // namespace zem::platform::qt
