// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt back end's event handling, yields, dialogs and pictures.
#include "qt_platform.h"

#include "machine_look.h"
#include "message_box_frame.h"
#include "platform/key_routing.h"
#include "platform/machine_look.h"
#include "qt_window_view.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <utility>

namespace zem::platform::qt {

namespace {

// The longest the idle loop waits before it looks at the timers again, in case one was started outside a
// handler.
constexpr int kIdleCheckMs = 50;

int buttonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 1;
    }
}

int buttonsOf(Qt::MouseButtons buttons) {
    int result = 0;
    if (buttons & Qt::LeftButton) result |= 1;
    if (buttons & Qt::RightButton) result |= 2;
    if (buttons & Qt::MiddleButton) result |= 4;
    return result;
}

int shiftOf(Qt::KeyboardModifiers modifiers) {
    int result = 0;
    if (modifiers & Qt::ShiftModifier) result |= 1;
    if (modifiers & Qt::ControlModifier) result |= 2;
    if (modifiers & Qt::AltModifier) result |= 4;
    return result;
}

MouseEvent mouseEventAt(const QPointF& position, int button, Qt::KeyboardModifiers modifiers,
                        double scale = 1.0) {
    MouseEvent event;
    event.button = button;
    event.shift = shiftOf(modifiers);
    event.x = static_cast<int>(std::lround(position.x() * 15.0 / scale));
    event.y = static_cast<int>(std::lround(position.y() * 15.0 / scale));
    return event;
}

// A white mask colour made transparent: the overlay of a composite.
QImage whiteTransparent(QImage image) {
    if (image.isNull()) return image;
    const qreal ratio = image.devicePixelRatio();
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == 0x00FFFFFFu) line[x] = 0;
        }
    }
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    return image;
}

int thousandths(double value) { return static_cast<int>(std::lround(value * 1000.0)); }

// The character a key press types, as the game's key handlers see it: printable characters and the space as
// their codes, Enter as 13, Backspace as 8; 0 for keys that type nothing of the kind.
int typedCharacter(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return 13;
    if (event.key() == Qt::Key_Backspace) return 8;
    const QString text = event.text();
    if (text.size() != 1) return 0;
    const QChar ch = text.at(0);
    if (ch.unicode() < 32 || ch.unicode() == 127 || !ch.isPrint()) return 0;
    return ch.unicode();
}

// The key as the windows' own keys name it: a typed character, or one of the keys that type nothing.
int keyCode(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_F1:
            return keys::kF1;
        case Qt::Key_Left:
            return keys::kLeft;
        case Qt::Key_Right:
            return keys::kRight;
        case Qt::Key_Up:
            return keys::kUp;
        case Qt::Key_Down:
            return keys::kDown;
        default:
            return typedCharacter(event);
    }
}

bool isPictureKind(ControlKind kind) {
    return kind == ControlKind::Image || kind == ControlKind::PictureBox || kind == ControlKind::Label;
}

// Whether every pixel of the picture is fully opaque.
bool opaque(const QImage& image) {
    if (!image.hasAlphaChannel()) return true;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) != 255) return false;
        }
    }
    return true;
}

// The picture in the format the raster engine draws fastest. A picture with an alpha channel that it does not
// use loses it: such a picture then covers what lies beneath it, and Qt need not paint that on every frame.
QImage forDrawing(const QImage& image) {
    if (image.isNull()) return image;
    const QImage::Format format = opaque(image) ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    return image.format() == format ? image : image.convertToFormat(format);
}

}  // namespace

// Sees every mouse and key event of the application before the widgets do, and hands those of the attached
// windows to the model.
class QtPlatform::InputFilter final : public QObject {
  public:
    explicit InputFilter(QtPlatform& platform) : platform_(platform) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseButtonRelease:
                // The window system hands every press and release to a top-level window first, and only
                // then does Qt pick a widget for it; a release whose pressed widget was hidden meanwhile
                // never reaches a widget at all. So the press's owner gets its release here.
                if (watched->isWindowType()) {
                    platform_.windowMouse(watched, event);
                    return false;
                }
                [[fallthrough]];
            case QEvent::MouseMove:
                if (!watched->isWidgetType()) return false;
                return platform_.filterMouse(static_cast<QWidget*>(watched), event);
            case QEvent::KeyPress:
                if (!watched->isWidgetType()) return false;
                return platform_.filterKey(static_cast<QWidget*>(watched), event);
            case QEvent::WindowActivate:
                if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
                    platform_.handActivationToModal(static_cast<QWidget*>(watched));
                }
                return false;
            default:
                return false;
        }
    }

  private:
    QtPlatform& platform_;
};

QtPlatform::QtPlatform(PictureResolver pictures) : QtPlatform(Options{std::move(pictures), {}, {}}) {}

QtPlatform::QtPlatform(Options options)
    : loop_(clock_),
      store_(options.settingsFile),
      sound_(options.sound),
      resolver_(std::move(options.pictures)),
      scaledResolver_(std::move(options.scaledPictures)) {
    if (options.paintAhead && scaledResolver_) {
        supply_ = std::make_shared<PictureSupply>(
            [paint = scaledResolver_](const PictureRef& ref, double device) {
                return forDrawing(paint(ref, device));
            },
            [folder = options.pictureCache,
             edition = options.pictureEdition]() -> std::unique_ptr<PictureCache> {
                if (folder.isEmpty() || !edition) return nullptr;
                return std::make_unique<PictureCache>(folder, edition());
            });
    }
    // The program decides when it ends: closing or hiding its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    auto filter = std::make_unique<InputFilter>(*this);
    qApp->installEventFilter(filter.get());
    QObject::connect(qApp, &QApplication::focusChanged, filter.get(),
                     [this](QWidget*, QWidget* now) { focusChanged(now); });
    idle_ = new QTimer(filter.get());
    idle_->setSingleShot(true);
    idle_->setTimerType(Qt::PreciseTimer);
    QObject::connect(idle_, &QTimer::timeout, filter.get(), [this] { pump(); });
    filter_ = std::move(filter);
    scheduleIdle();
}

QtPlatform::~QtPlatform() {
    if (waitCursor_) QApplication::restoreOverrideCursor();
    filter_.reset();  // stops the idle loop and the input filter first
    views_.clear();
    // The views hand their widgets to deleteLater; nothing of theirs may be left to a loop that no longer
    // runs.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// --- yields ---

void QtPlatform::doEvents() {
    sync();
    // Qt's own events first (input, paints). The idle loop's pass over the game's timers waits for the one
    // pass below: a yield ticks each due timer once, never twice (a line flash ticking twice in one yield of
    // the win meter held the meter back for whole seconds).
    const bool outer = yielding_;
    yielding_ = true;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    yielding_ = outer;
    loop_.processPending();
    sync();
    scheduleIdle();
}

void QtPlatform::paint() {
    sync();
    repaintNow();
}

void QtPlatform::sleep(int ms) {
    paint();
    if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

void QtPlatform::repaintNow() {
    // The widgets' changes wait as update requests of their top-level windows; handling just those paints
    // the changed parts into the backing store and puts them on screen, and runs nothing else.
    for (const auto& view : views_) {
        if (view->top()->isVisible()) QCoreApplication::sendPostedEvents(view->top(), QEvent::UpdateRequest);
    }
}

void QtPlatform::pump() {
    if (quitRequested_ || yielding_) return;
    loop_.processPending();
    sync();
    scheduleIdle();
}

void QtPlatform::scheduleIdle() {
    if (idle_ == nullptr || quitRequested_) return;
    int64_t wait = kIdleCheckMs;
    if (loop_.hasPendingInput()) {
        wait = 0;
    } else {
        const int64_t next = loop_.nextDue();
        if (next != std::numeric_limits<int64_t>::max())
            wait = std::clamp<int64_t>(next - loop_.now(), 0, wait);
    }
    idle_->start(static_cast<int>(wait));
}

void QtPlatform::deliver(const std::function<void()>& handler) {
    if (quitRequested_) return;
    try {
        handler();
    } catch (const std::exception& e) {
        // A handler must not take the event loop down with it.
        qWarning("zem: a handler failed: %s", e.what());
    } catch (...) {
        qWarning("zem: a handler failed");
    }
    sync();
    scheduleIdle();
}

// --- windows ---

void QtPlatform::attach(Window& window) {
    if (viewOf(&window) != nullptr) return;
    views_.push_back(std::make_unique<WindowView>(*this, window));
}

void QtPlatform::detach(Window& window) {
    auto it =
        std::find_if(views_.begin(), views_.end(), [&](const auto& v) { return &v->window() == &window; });
    if (it == views_.end()) return;
    presses_.forget(window);
    views_.erase(it);
}

void QtPlatform::sync() {
    if (syncing_) return;
    syncing_ = true;
    for (size_t i = 0; i < views_.size(); ++i) views_[i]->sync();
    syncing_ = false;
}

QImage QtPlatform::grab(Window& window, bool withMenuBar) {
    sync();
    WindowView* view = viewOf(&window);
    if (view == nullptr) return {};
    QWidget* widget = withMenuBar ? view->top() : view->client();
    return widget->grab().toImage();
}

WindowView* QtPlatform::viewOf(const Window* window) const {
    for (const auto& view : views_) {
        if (&view->window() == window) return view.get();
    }
    return nullptr;
}

WindowView* QtPlatform::viewOfWidget(const QWidget* widget) const {
    if (widget == nullptr) return nullptr;
    const QWidget* top = widget->window();
    for (const auto& view : views_) {
        if (view->top() == top) return view.get();
    }
    return nullptr;
}

QWidget* QtPlatform::widgetOf(const Control& control) const {
    WindowView* view = viewOf(control.window);
    return view != nullptr ? view->widgetOf(control) : nullptr;
}

double QtPlatform::scaleOf(const Window& window) const {
    WindowView* view = viewOf(&window);
    return view != nullptr ? view->scale() : 1.0;
}

QWidget* QtPlatform::clientOf(const Window& window) const {
    WindowView* view = viewOf(&window);
    return view != nullptr ? view->client() : nullptr;
}

QAction* QtPlatform::actionOf(const Control& control) const {
    WindowView* view = viewOf(control.window);
    return view != nullptr ? view->actionOf(control) : nullptr;
}

// --- input ---

void QtPlatform::windowMouse(QObject* window, QEvent* event) {
    // The window hears of every press of the player's on it before the press goes anywhere.
    if (event->type() != QEvent::MouseButtonRelease) {
        for (const auto& view : views_) {
            Window* pressed = &view->window();
            if (view->top()->windowHandle() != window || !pressed->onPlayerPress) continue;
            deliver([pressed] {
                if (pressed->visible && pressed->enabled && pressed->onPlayerPress) pressed->onPlayerPress();
            });
            break;
        }
    }
    // A release goes to the press that waits for it. So does a new press: when one arrives while an old press
    // still waits, the window system dropped that release (a message box opened by the press took the
    // pointer, say), and the old press gets it now.
    auto* mouse = static_cast<QMouseEvent*>(event);
    releasePressed(mouse->globalPosition(), buttonOf(mouse->button()), mouse->modifiers());
}

void QtPlatform::releasePressed(const QPointF& globalPosition, int button, Qt::KeyboardModifiers modifiers) {
    Control* control = presses_.waiting();
    if (control == nullptr) return;
    WindowView* view = viewOf(control->window);
    QWidget* widget = view != nullptr ? view->widgetOf(*control) : nullptr;
    const QPointF at = widget != nullptr ? widget->mapFromGlobal(globalPosition) : globalPosition;
    const MouseEvent me = mouseEventAt(at, button, modifiers, view != nullptr ? view->scale() : 1.0);
    // Taken out of the routing before the handler runs: a handler that lets events in cannot see it twice.
    if (quitRequested_) {
        presses_.forget(*control->window);
        return;
    }
    deliver([this, me] { presses_.release(me); });
}

bool QtPlatform::filterMouse(QWidget* receiver, QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    WindowView* view = viewOfWidget(receiver);
    BoundControl* bound = view != nullptr ? view->boundOf(receiver) : nullptr;
    const bool picture = bound != nullptr && isPictureKind(bound->control->kind);
    if (event->type() == QEvent::MouseButtonRelease) {
        // The release goes to the control that took the press, wherever the pointer is now and even if the
        // press hid it. (Usually the top-level window's release has already delivered it.) A release
        // without a press it belongs to (the press was refused, or is already released): a picture takes
        // it silently.
        if (presses_.waiting() == nullptr) return picture;
        releasePressed(mouse->globalPosition(), buttonOf(mouse->button()), mouse->modifiers());
        return true;
    }
    if (event->type() != QEvent::MouseMove) {
        // A press that reaches a widget straight (not through its top-level window) ends an old press too.
        releasePressed(mouse->globalPosition(), buttonOf(mouse->button()), mouse->modifiers());
    }
    if (!picture) return false;
    Control* control = bound->control;
    if (event->type() == QEvent::MouseMove) {
        const MouseEvent me =
            mouseEventAt(mouse->position(), buttonsOf(mouse->buttons()), mouse->modifiers(), view->scale());
        if (control->onMove) {
            deliver([control, me] {
                if (control->acceptsInput() && control->onMove) control->onMove(me);
            });
        }
        return true;
    }
    // A press, or the second press of a double click (Qt sends that one instead of a second press).
    const MouseEvent me =
        mouseEventAt(mouse->position(), buttonOf(mouse->button()), mouse->modifiers(), view->scale());
    deliver([this, control, me] { presses_.press(*control, me); });
    return true;
}

bool QtPlatform::filterKey(QWidget* receiver, QEvent* event) {
    WindowView* view = viewOfWidget(receiver);
    if (view == nullptr) return false;
    // Only the widget that has the keyboard: a key it leaves unused travels on to its parents, and those
    // steps are the same keystroke.
    QWidget* focus = receiver->window()->focusWidget();
    if (receiver != (focus != nullptr ? focus : receiver->window())) return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    Window& window = view->window();
    if (keyEvent->key() == Qt::Key_Escape && window.onEscape) {
        Window* escaping = &window;
        deliver([escaping] {
            if (escaping->visible && escaping->enabled && escaping->onEscape) escaping->onEscape();
        });
        return true;
    }
    // A key the window carries for a control stands for a click on it; its repeats while held are dropped.
    const int code = keyCode(*keyEvent);
    if (carriesKey(window, code)) {
        if (!keyEvent->isAutoRepeat())
            deliver([this, &window, code] { routeShortcut(window, code, presses_); });
        return true;
    }
    const int typed = typedCharacter(*keyEvent);
    if (typed == 0) return false;
    if (!window.visible || !window.enabled) return true;
    // The control that has the keyboard: the receiver, or the control it belongs to (a text box's parts).
    Control* target = nullptr;
    for (const QWidget* w = receiver; w != nullptr && target == nullptr; w = w->parentWidget()) {
        target = view->controlOf(w);
    }
    if (target == &window) target = nullptr;
    const bool previewed = window.keyPreview && window.onKeyPreview;
    const bool handled = target != nullptr && target->onKey;
    if (!previewed && !handled) return false;

    int key = typed;
    QPointer<QWidget> alive(receiver);
    deliver([&] {
        if (window.keyPreview && window.onKeyPreview) window.onKeyPreview(key);
        if (key != 0 && target != nullptr && target->acceptsInput() && target->onKey) target->onKey(key);
    });
    if (key == 0) return true;
    if (key == typed) return false;  // the widget takes the key as typed
    // The handlers replaced the character: a text box takes the new one; other controls have no use for it.
    // (The handlers may have taken the window down meanwhile: look it up again.)
    if (alive.isNull() || (view = viewOfWidget(receiver)) == nullptr) return true;
    if (auto* line = qobject_cast<QLineEdit*>(receiver)) {
        if (key == 8) {
            line->backspace();
        } else if (key >= 32) {
            line->insert(QString(QChar(key)));
        }
        if (BoundControl* bound = view->boundOf(line)) view->takeText(*bound, line->text().toStdString());
    } else {
        QPlainTextEdit* edit = nullptr;
        for (QWidget* w = receiver; w != nullptr && edit == nullptr; w = w->parentWidget()) {
            edit = qobject_cast<QPlainTextEdit*>(w);
        }
        if (edit != nullptr && key == 8) {
            edit->textCursor().deletePreviousChar();
        } else if (edit != nullptr && (key >= 32 || key == 13)) {
            edit->insertPlainText(key == 13 ? QString("\n") : QString(QChar(key)));
        }
    }
    return true;
}

void QtPlatform::focusChanged(QWidget* now) {
    WindowView* view = viewOfWidget(now);
    if (view == nullptr) return;
    for (const QWidget* w = now; w != nullptr; w = w->parentWidget()) {
        if (Control* control = view->controlOf(w)) {
            view->window().focus = control;
            return;
        }
    }
}

// A click on a window that another of the game's windows stands over (a modal one) gives that window the
// desktop's focus, and the window on top takes it on: the keys the player types next (Escape, Enter) are for
// it.
void QtPlatform::handActivationToModal(QWidget* activated) {
    QWindow* modal = QGuiApplication::modalWindow();
    QWindow* window = activated->windowHandle();
    if (modal == nullptr || window == nullptr || window == modal) return;
    for (QWindow* over = modal->transientParent(); over != nullptr; over = over->transientParent()) {
        if (over == window) {
            modal->requestActivate();
            return;
        }
    }
}

void QtPlatform::setFocus(Control& control) {
    Window* window = control.window;
    if (window == nullptr) return;
    window->focus = &control;
    WindowView* view = viewOf(window);
    if (view == nullptr) return;
    sync();
    if (&control == window) {
        if (QWidget* focused = view->top()->focusWidget()) focused->clearFocus();
        // The window comes to the front only when the program has the desktop's focus: a timer's handler
        // must not take it from another program.
        if (QApplication::activeWindow() != nullptr) view->top()->activateWindow();
        return;
    }
    if (QWidget* widget = view->widgetOf(control)) widget->setFocus(Qt::OtherFocusReason);
}

// --- dialogs and the desktop ---

MessageResult QtPlatform::messageBox(const MessageBoxRequest& request) {
    paint();
    QWidget* parent = QApplication::activeWindow();
    if (viewOfWidget(parent) == nullptr) parent = nullptr;
    const double ratio = parent != nullptr ? parent->devicePixelRatioF() : qApp->devicePixelRatio();
    MachineMessageBox box(
        request.icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Information,
        QString::fromStdString(request.title), QString::fromStdString(request.text).replace("\r\n", "\n"),
        parent, picture(PictureRef{look::kMessageBoxPicture, 0}, 1.0, ratio));
    box.setTextFormat(Qt::PlainText);
    frameAsMessageBox(box);
    if (request.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(request.defaultButton == MessageResult::No ? QMessageBox::No : QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
    }
    // The timers go on ticking while the box waits, also when it opened inside a yield.
    const bool yielding = std::exchange(yielding_, false);
    const int answer = box.exec();
    yielding_ = yielding;
    // The box took the pointer: a picture pressed before it opened (its press opened it) lost its release
    // to the box and gets it now that the button is up.
    if (QGuiApplication::mouseButtons() == Qt::NoButton) {
        releasePressed(QCursor::pos(), 1, QGuiApplication::keyboardModifiers());
    }
    sync();
    scheduleIdle();
    if (request.buttons == MessageButtons::Ok) return MessageResult::Ok;
    if (answer == QMessageBox::Yes) return MessageResult::Yes;
    if (answer == QMessageBox::No) return MessageResult::No;
    return request.defaultButton == MessageResult::Yes ? MessageResult::Yes : MessageResult::No;
}

void QtPlatform::setPointer(Pointer pointer) {
    const bool wait = pointer == Pointer::Hourglass;
    if (wait == waitCursor_) return;
    waitCursor_ = wait;
    if (wait) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

bool QtPlatform::openLink(const std::string& address, long& error) {
    const QUrl url = QUrl::fromUserInput(QString::fromStdString(address));
    if (address.empty() || !url.isValid()) {
        error = EINVAL;
        return false;
    }
    // A browser starts even for a file that is not there; the missing file is the failure to report.
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) {
        error = ENOENT;
        return false;
    }
    errno = 0;
    if (QDesktopServices::openUrl(url)) return true;
    error = errno != 0 ? errno : ENOENT;
    return false;
}

void QtPlatform::quit() {
    if (quitRequested_) return;
    quitRequested_ = true;
    if (idle_ != nullptr) idle_->stop();
    // Queued: the loop ends when control is back in it, after the handler that asked has returned.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
}

// --- pictures ---

QImage QtPlatform::picture(const PictureRef& ref) {
    if (ref.empty()) return {};
    const auto key = std::make_pair(ref.name, ref.index);
    auto it = pictures_.find(key);
    if (it == pictures_.end()) {
        it = pictures_.emplace(key, forDrawing(resolver_ ? resolver_(ref) : QImage())).first;
    }
    return it->second;
}

QImage QtPlatform::composite(const PictureRef& base, const PictureRef& overlay) {
    if (overlay.empty()) return picture(base);
    const auto key = std::make_tuple(base.name, base.index, overlay.name, overlay.index);
    auto it = composites_.find(key);
    if (it != composites_.end()) return it->second;

    // The overlay with its white pixels see-through.
    const auto maskKey = std::make_pair(overlay.name, overlay.index);
    auto mask = masks_.find(maskKey);
    if (mask == masks_.end()) {
        QImage image = picture(overlay);
        if (!image.isNull()) {
            image = image.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < image.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x) {
                    if ((line[x] & 0x00FFFFFFu) == 0x00FFFFFFu) line[x] = 0;
                }
            }
            image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
        mask = masks_.emplace(maskKey, image).first;
    }
    QImage result = picture(base);
    if (result.isNull()) {
        result = mask->second;
    } else if (!mask->second.isNull()) {
        result = result.copy();
        QPainter painter(&result);
        painter.drawImage(0, 0, mask->second);
    }
    composites_.emplace(key, result);
    return result;
}

QImage QtPlatform::picture(const PictureRef& ref, double scale, double ratio) {
    const double device = scale * ratio;
    if (ref.empty()) return {};
    if (device == 1.0) return picture(ref);
    const auto key = std::make_tuple(ref.name, ref.index, thousandths(scale), thousandths(ratio));
    auto it = scaledPictures_.find(key);
    if (it != scaledPictures_.end()) return it->second;
    QImage image = supply_           ? supply_->take(ref, device)
                   : scaledResolver_ ? scaledResolver_(ref, device)
                                     : QImage();
    if (image.isNull()) {
        // Without a painter for the scale, the picture of the own size scaled smoothly.
        const QImage own = picture(ref);
        if (!own.isNull()) {
            image = own.scaled(static_cast<int>(std::ceil(own.width() * device - 0.001)),
                               static_cast<int>(std::ceil(own.height() * device - 0.001)),
                               Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
    }
    image = forDrawing(image);
    if (!image.isNull()) image.setDevicePixelRatio(ratio);
    return scaledPictures_.emplace(key, image).first->second;
}

void QtPlatform::prepare(const std::vector<PictureRef>& refs, double scale, double ratio, bool ahead) {
    if (!supply_ || scale * ratio == 1.0) return;
    // What this back end keeps already is not painted again.
    std::vector<PictureRef> wanted;
    for (const PictureRef& ref : refs) {
        if (scaledPictures_.count(
                std::make_tuple(ref.name, ref.index, thousandths(scale), thousandths(ratio))) == 0)
            wanted.push_back(ref);
    }
    supply_->prepare(wanted, scale * ratio, ahead);
}

QImage QtPlatform::composite(const PictureRef& base, const PictureRef& overlay, double scale, double ratio) {
    if (scale * ratio == 1.0) return composite(base, overlay);
    if (overlay.empty()) return picture(base, scale, ratio);
    const auto key = std::make_tuple(base.name, base.index, overlay.name, overlay.index, thousandths(scale),
                                     thousandths(ratio));
    auto it = scaledComposites_.find(key);
    if (it != scaledComposites_.end()) return it->second;
    const QImage mask = whiteTransparent(picture(overlay, scale, ratio));
    QImage result = picture(base, scale, ratio);
    if (result.isNull()) {
        result = mask;
    } else if (!mask.isNull()) {
        result = result.copy();
        QPainter painter(&result);
        painter.drawImage(QPointF(0, 0), mask);
    }
    return scaledComposites_.emplace(key, result).first->second;
}

}  // namespace zem::platform::qt
