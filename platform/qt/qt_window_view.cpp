// SPDX-License-Identifier: GPL-3.0-or-later
// Widgets for the controls of one window, and their sync with the model.
#include "qt_window_view.h"

#include "machine_look.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace zem::platform::qt {

namespace {

QString toQt(const std::string& text) { return QString::fromStdString(text); }
QColor toQt(Color c) { return QColor(c.r, c.g, c.b); }

// Twips to pixels of a window shown `scale` times its own size.
int scaledPixels(int twips, double scale) {
    if (scale == 1.0) return twipsToPixels(twips);
    return static_cast<int>(std::lround(twips * scale / 15.0));
}

QRect pixelRect(int left, int top, int width, int height, double scale) {
    return QRect(scaledPixels(left, scale), scaledPixels(top, scale), std::max(0, scaledPixels(width, scale)),
                 std::max(0, scaledPixels(height, scale)));
}

// Points at 15 twips to the pixel (96 pixels to the inch); set in pixels, so text keeps to the layout
// whatever the screen's own resolution.
QFont fontFor(const Control& c, double scale) {
    QFont font = QApplication::font();
    if (!c.fontFamily.empty()) font.setFamily(toQt(c.fontFamily));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(c.fontPoints * 96.0 / 72.0 * scale))));
    font.setBold(c.bold);
    return font;
}

// A control of fixed size shows its whole caption: a line wider than the room it has is drawn in a smaller
// font (a credit of ten digits in the dollar label, say), never cut.
void fitTextToWidth(QWidget* widget, const QString& text, const Control& c, int width, double scale) {
    QFont font = fontFor(c, scale);
    int pixels = font.pixelSize();
    constexpr int kSmallest = 6;
    while (pixels > kSmallest && QFontMetrics(font).horizontalAdvance(text) > width) {
        font.setPixelSize(--pixels);
    }
    if (widget->font() != font) widget->setFont(font);
}

// What a push button's frame and a text box's frame, margins and scroll bar take of their width, in pixels.
constexpr double kButtonTextInset = 12;
constexpr double kTextBoxInset = 24;

// A picture button's disabled look: its colours mostly drained to grey and darkened, as an unlit lamp, its
// shape (alpha) kept.
QImage disabledLook(const QImage& image) {
    if (image.isNull()) return image;
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = line[x];
            const int grey = (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
            auto dim = [grey](int channel) { return (grey * 3 + channel) / 4 * 11 / 20 + 12; };
            line[x] = qRgba(dim(qRed(c)), dim(qGreen(c)), dim(qBlue(c)), qAlpha(c));
        }
    }
    out.setDevicePixelRatio(image.devicePixelRatio());
    return out;
}

// A picture button's pressed look: pushed in, darker, with the rim's shadow across its top.
QImage pressedLook(const QImage& image) {
    if (image.isNull()) return image;
    QImage out(image.size(), QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(image.devicePixelRatio());
    out.fill(Qt::transparent);
    QPainter p(&out);
    const QSizeF size = image.deviceIndependentSize();
    p.drawImage(QPointF(1, 1), image);
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    p.fillRect(QRectF(QPointF(0, 0), size), QColor(0, 0, 0, 80));
    QLinearGradient shade(0, 0, 0, size.height() * 0.45);
    shade.setColorAt(0.0, QColor(0, 0, 0, 120));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(QPointF(0, 0), size), shade);
    return out;
}

// Option buttons set their caption closer to the circle than the desktop style does: the layout gives some of
// them little room (a reel speed has 25 pixels for its circle and its digit).
class OptionStyle final : public QProxyStyle {
  public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_RadioButtonLabelSpacing ? std::min(value, kOptionLabelSpacing) : value;
    }
};

QStyle* optionStyle() { return sharedStyle<OptionStyle>(); }

// The room an option button of this size leaves for its caption, right of its circle.
int captionRoom(QRadioButton* option, const QSize& size) {
    QStyleOptionButton o;
    o.initFrom(option);
    o.rect = QRect(QPoint(0, 0), size);
    o.text = option->text();
    return size.width() - option->style()->subElementRect(QStyle::SE_RadioButtonContents, &o, option).left();
}

Qt::Alignment alignmentOf(int alignment) {
    switch (alignment) {
        case 1:
            return Qt::AlignRight | Qt::AlignTop;
        case 2:
            return Qt::AlignHCenter | Qt::AlignTop;
        default:
            return Qt::AlignLeft | Qt::AlignTop;
    }
}

// CR LF as the model keeps line ends; LF as Qt shows them.
QString toDisplayText(const std::string& text) { return toQt(text).replace("\r\n", "\n"); }
std::string fromDisplayText(const QString& text) {
    QString copy = text;
    return copy.replace("\n", "\r\n").toStdString();
}

bool isMultiLine(const Control& c) { return c.wordWrap || c.caption.find('\n') != std::string::npos; }

// What a desktop's frame is taken to add round a window before the window manager has framed one: a title bar
// and thin borders. A window sized with it stands wholly on screen from its first showing.
constexpr QSize kFrameGuess(8, 32);

// What the desktop's frame adds round a shown top-level window; an invalid size while the window manager has
// not framed it (or has taken the frame away for a moment, as it does while it resizes the window).
QSize frameAround(const QWidget& top) {
    const QWindow* window = top.windowHandle();
    if (!top.isVisible() || window == nullptr) return {};
    const QMargins frame = window->frameMargins();
    if (frame.isNull() || frame.left() < 0 || frame.top() < 0 || frame.right() < 0 || frame.bottom() < 0)
        return {};
    return QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

}  // namespace

double windowScale(QSize client, QSize chrome, QSize available, bool fillScreen) {
    if (client.width() <= 0 || client.height() <= 0 || available.isEmpty()) return 1.0;
    double fit = std::min(static_cast<double>(available.width() - chrome.width()) / client.width(),
                          static_cast<double>(available.height() - chrome.height()) / client.height());
    // Whole hundredths, rounded down: the window's pixels, rounded, still fit.
    fit = std::floor(fit * 100.0) / 100.0;
    // A work area smaller than the frame leaves the window a tenth of its size, still usable by keyboard.
    constexpr double kSmallest = 0.1;
    const double fitted = std::max(kSmallest, fit);
    return fillScreen ? fitted : std::min(1.0, fitted);
}

// The window's top-level widget. The close box asks the model; the model's handler decides what goes.
class TopWidget final : public QWidget {
  public:
    TopWidget(ViewHost& platform, Window& window) : platform_(platform), window_(window) {
        setAttribute(Qt::WA_DeleteOnClose, false);
    }
    void release() { released_ = true; }

  protected:
    // The player minimises, maximises or restores the window: the model follows.
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange) {
            const Qt::WindowStates states = windowState();
            window_.state = states.testFlag(Qt::WindowMinimized)                    ? WindowState::Minimised
                            : states & (Qt::WindowMaximized | Qt::WindowFullScreen) ? WindowState::Maximised
                                                                                    : WindowState::Normal;
        }
        QWidget::changeEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (released_ || platform_.quitRequested()) {
            event->accept();
            return;
        }
        event->ignore();
        Window* window = &window_;
        if (!event->spontaneous()) return;
        platform_.deliver([window] {
            if (!window->visible || !window->enabled) return;
            if (window->onCloseRequest) {
                window->onCloseRequest();
            } else {
                window->visible = false;
            }
        });
    }

  private:
    ViewHost& platform_;
    Window& window_;
    bool released_ = false;
};

// A line segment as the window's surface draws it, in pixels.
struct LineShape {
    bool visible = false;
    QLine line;
    QColor colour;
    int width = 1;
    QRect bounds() const {
        const int margin = width / 2 + 2;
        return QRect(line.p1(), line.p2()).normalized().adjusted(-margin, -margin, margin, margin);
    }
    // The pixels the segment covers, with two to spare all round (the pen is not antialiased, its caps are
    // round): a slanting segment's bounding box would take in much of the window.
    QRegion area() const {
        if (line.p1() == line.p2()) return QRegion(bounds());
        QPainterPath path(line.p1());
        path.lineTo(line.p2());
        QPainterPathStroker stroker;
        stroker.setWidth(width + 4);
        stroker.setCapStyle(Qt::RoundCap);
        return QRegion(stroker.createStroke(path).toFillPolygon().toPolygon(), Qt::WindingFill);
    }
};

// The window's client area: its background colour and picture, and the line segments drawn on it beneath
// every control that stands on it.
class ClientWidget final : public QWidget {
  public:
    explicit ClientWidget(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::NoFocus);
    }
    void setBackground(QColor colour, QImage picture) {
        colour_ = colour;
        picture_ = std::move(picture);
        update();
    }
    int addLine() {
        lines_.emplace_back();
        return static_cast<int>(lines_.size()) - 1;
    }
    void setLine(int slot, const LineShape& shape) {
        LineShape& line = lines_[static_cast<size_t>(slot)];
        QRegion changed;
        if (line.visible) changed += line.area();
        line = shape;
        if (line.visible) changed += line.area();
        // Where an opaque control stands over the segment nothing changes on screen: a line flash tick
        // repaints only the parts of its segments seen beside and between the reels, never the reels
        // themselves.
        if (!changed.isEmpty()) update(changed - opaqueCover());
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        // The painter is clipped to the region asked for (a slanting band when a segment changed): the
        // background is drawn once over its bounding rectangle rather than once for each of its many strips.
        QPainter p(this);
        // The damaged part in one go: drawing the region's strips one by one costs more than the few
        // pixels the bounding rectangle adds (the painter clips to the region anyway).
        const QRect rect = event->rect();
        p.fillRect(rect, colour_);
        if (!picture_.isNull()) {
            // A picture painted at the window's scale and pixel ratio is drawn from its own pixels.
            const qreal ratio = picture_.devicePixelRatio();
            if (ratio == 1.0) {
                p.drawImage(rect.topLeft(), picture_, rect);
            } else {
                const QRectF source(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio,
                                    rect.height() * ratio);
                p.drawImage(QRectF(rect), picture_, source);
            }
        }
        for (const LineShape& line : lines_) {
            if (!line.visible || !line.bounds().intersects(event->rect())) continue;
            p.setPen(QPen(line.colour, line.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(line.line);
        }
    }

  private:
    // The part of the surface hidden by shown controls that paint every pixel of their own area.
    QRegion opaqueCover() const {
        QRegion cover;
        addOpaque(this, QRect(QPoint(0, 0), size()), QPoint(0, 0), cover);
        return cover;
    }
    static void addOpaque(const QWidget* parent, const QRect& clip, QPoint origin, QRegion& cover) {
        for (const QObject* child : parent->children()) {
            const auto* w = qobject_cast<const QWidget*>(child);
            if (w == nullptr || w->isWindow() || w->isHidden()) continue;
            const QRect rect = w->geometry().translated(origin).intersected(clip);
            if (rect.isEmpty()) continue;
            if (w->testAttribute(Qt::WA_OpaquePaintEvent)) cover += rect;
            addOpaque(w, rect, origin + w->pos(), cover);
        }
    }

    QColor colour_ = Qt::white;
    QImage picture_;
    std::vector<LineShape> lines_;
};

// A picture box or picture: its picture at its own size (clipped to the control) or stretched to the control,
// over a solid background when it has one. A picture box clips the controls inside it.
class PictureWidget final : public QWidget {
  public:
    explicit PictureWidget(QWidget* parent) : QWidget(parent) {
        setFocusPolicy(Qt::NoFocus);
        setMouseTracking(true);
        // A press on a disabled picture goes nowhere else.
        setAttribute(Qt::WA_NoMousePropagation);
    }
    void setContent(QImage image, bool stretch, QColor fill) {
        image_ = std::move(image);
        dimmedImage_ = dimmed_ ? disabledLook(image_) : QImage();
        stretch_ = stretch;
        fill_ = fill;
        scaled_ = QImage();
        updateOpacity();
        update();
    }
    // A picture button shows its disabled look while it is disabled.
    void setDimmed(bool dimmed) {
        if (dimmed == dimmed_) return;
        dimmed_ = dimmed;
        dimmedImage_ = dimmed_ ? disabledLook(image_) : QImage();
        scaled_ = QImage();
        update();
    }

  protected:
    void resizeEvent(QResizeEvent*) override {
        scaled_ = QImage();
        updateOpacity();
    }
    void paintEvent(QPaintEvent* event) override {
        if (!fill_.isValid() && image_.isNull()) return;
        QPainter p(this);
        if (fill_.isValid()) p.fillRect(event->rect(), fill_);
        if (image_.isNull()) return;
        const QImage& image = dimmed_ ? dimmedImage_ : image_;
        if (stretch_ && image.deviceIndependentSize() != QSizeF(size())) {
            const qreal ratio = image.devicePixelRatio();
            const QSize device(static_cast<int>(std::lround(width() * ratio)),
                               static_cast<int>(std::lround(height() * ratio)));
            if (scaled_.size() != device) {
                scaled_ = image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                scaled_.setDevicePixelRatio(ratio);
            }
            p.drawImage(0, 0, scaled_);
        } else {
            p.drawImage(0, 0, image);
        }
    }

  private:
    // Whether the widget covers everything beneath it, so that Qt need not paint what lies under it.
    void updateOpacity() {
        const QSizeF own = image_.deviceIndependentSize();
        const bool covers = !image_.isNull() && !image_.hasAlphaChannel() &&
                            (stretch_ || (own.width() >= width() && own.height() >= height()));
        setAttribute(Qt::WA_OpaquePaintEvent, fill_.isValid() || covers);
    }

    QImage image_;
    QImage dimmedImage_;
    QImage scaled_;
    bool stretch_ = false;
    bool dimmed_ = false;
    QColor fill_;
};

// A push button with a picture is drawn as one of the machine's picture buttons: the picture itself, pushed
// in while held down and dimmed while disabled, with no frame of the desktop's round it. Without a picture it
// is the desktop's own button.
class PictureButton final : public QPushButton {
  public:
    explicit PictureButton(QWidget* parent) : QPushButton(parent) {}
    void setPicture(const QImage& image) {
        // A picture button is pressed with the mouse, as the machine's others are; a desktop button keeps
        // its place in the keyboard's tab order.
        setFocusPolicy(image.isNull() ? Qt::StrongFocus : Qt::NoFocus);
        up_ = image;
        down_ = pressedLook(image);
        disabled_ = disabledLook(image);
        update();
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        if (up_.isNull()) {
            QPushButton::paintEvent(event);
            return;
        }
        const QImage& image = !isEnabled() ? disabled_ : (isDown() ? down_ : up_);
        const QSizeF own = image.deviceIndependentSize();
        QPainter p(this);
        p.drawImage(
            QPointF(std::floor((width() - own.width()) / 2), std::floor((height() - own.height()) / 2)),
            image);
    }

  private:
    QImage up_, down_, disabled_;
};

// A label that letters its text as the machine's pictures do when asked to (a gradient fill, a dark edge and
// a soft shadow), on one line; otherwise the desktop's plain label.
class LabelWidget final : public QLabel {
  public:
    explicit LabelWidget(QWidget* parent) : QLabel(parent) {}
    void setLettering(bool on, QColor top, QColor bottom, QColor outline) {
        if (on == lettered_ && top == top_ && bottom == bottom_ && outline == outline_) return;
        lettered_ = on;
        top_ = top;
        bottom_ = bottom;
        outline_ = outline;
        updateMargins();
        update();
    }
    bool lettered() const { return lettered_; }

  protected:
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::FontChange) updateMargins();
        QLabel::changeEvent(event);
    }
    void paintEvent(QPaintEvent* event) override {
        if (!lettered_) {
            QLabel::paintEvent(event);
            return;
        }
        // The ink of the text without its leading and trailing blanks, placed as the label's alignment says.
        const QString text = this->text().trimmed();
        if (text.isEmpty()) return;
        QPainterPath path;
        path.addText(0, 0, font(), text);
        const QRectF ink = path.boundingRect();
        const QRect room = contentsRect();
        const QFontMetricsF metrics(font());
        qreal x = room.left() - ink.left();
        if (alignment() & Qt::AlignHCenter) x = room.left() + (room.width() - ink.width()) / 2 - ink.left();
        if (alignment() & Qt::AlignRight) x = room.right() + 1 - ink.right();
        path.translate(x, room.top() + metrics.ascent());
        const qreal edge = edgeWidth();
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        // The shadow, then the dark edge, then the fill lit from above.
        p.setPen(QPen(QColor(0, 0, 0, 110), edge * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(0, 0, 0, 110));
        p.drawPath(path.translated(edge * 0.8, edge * 1.2));
        p.strokePath(path, QPen(outline_, edge * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QRectF lit = path.boundingRect();
        QLinearGradient fill(lit.topLeft(), lit.bottomLeft());
        fill.setColorAt(0.0, top_);
        fill.setColorAt(1.0, bottom_);
        p.fillPath(path, fill);
    }

  private:
    qreal edgeWidth() const { return std::max(1.0, font().pixelSize() / 12.0); }
    // Room round the text for its edge and its shadow, so that a label sized to its text shows them whole.
    void updateMargins() {
        const int m = lettered_ ? static_cast<int>(std::ceil(edgeWidth() * 2.2)) : 0;
        setContentsMargins(m, 0, m, m);
    }

    bool lettered_ = false;
    QColor top_, bottom_, outline_;
};

// An option button whose mark is the model's: a click asks the model, which marks it (or not).
class OptionWidget final : public QRadioButton {
  public:
    explicit OptionWidget(QWidget* parent) : QRadioButton(parent) { setAutoExclusive(false); }

  protected:
    void nextCheckState() override {}
    // The whole control takes the click, not only its circle and text.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

WindowView::WindowView(ViewHost& platform, Window& window)
    : platform_(platform), window_(window), guard_(std::make_unique<QObject>()) {
    top_ = new TopWidget(platform, window);
    top_->setObjectName(toQt(window.name));
    // A window that stands over another is a dialog to the window system (only those are made transient),
    // modal over its owner: a click on the owner gives the keyboard back to it, not to the owner.
    if (window.owner != nullptr) {
        top_->setWindowFlags(Qt::Dialog);
        top_->setWindowModality(Qt::WindowModal);
    }
    auto* layout = new QVBoxLayout(top_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    client_ = new ClientWidget(top_);
    client_->setObjectName(toQt(window.name) + "_client");
    layout->addWidget(client_);
    if (window.look == WindowLook::Machine) {
        // The machine's palette reaches every control through the window; its style is given to each.
        top_->setPalette(machinePalette());
        wearMachineStyle(*top_);
    }
    byWidget_.insert(top_, nullptr);
    sync();
}

WindowView::~WindowView() {
    guard_.reset();  // no signal of these widgets reaches the model any more
    top_->release();
    top_->hide();
    // The widgets may be in the middle of delivering an event: they go when Qt is done with them.
    top_->deleteLater();
}

QWidget* WindowView::top() const { return top_; }
QWidget* WindowView::client() const { return client_; }

QWidget* WindowView::widgetOf(const Control& control) const {
    if (&control == &window_) return top_;
    auto it = byControl_.find(&control);
    return it != byControl_.end() ? it->second->widget : nullptr;
}

QAction* WindowView::actionOf(const Control& control) const {
    auto it = byControl_.find(&control);
    return it != byControl_.end() ? it->second->action : nullptr;
}

BoundControl* WindowView::boundOf(const QWidget* widget) const { return byWidget_.value(widget, nullptr); }

Control* WindowView::controlOf(const QWidget* widget) const {
    if (widget == top_ || widget == client_) return &window_;
    BoundControl* bound = boundOf(widget);
    return bound != nullptr ? bound->control : nullptr;
}

QWidget* WindowView::containerWidget(const Control* container) const {
    if (container == nullptr || container == &window_) return client_;
    auto it = byControl_.find(container);
    if (it == byControl_.end() || it->second->widget == nullptr) return client_;
    return it->second->widget;
}

bool WindowView::hasMenuEntriesUnder(const Control& entry) const {
    for (const Control* c : window_.controls()) {
        if (c->parent == &entry && c->kind == ControlKind::MenuEntry) return true;
    }
    return false;
}

void WindowView::takeText(BoundControl& bound, const std::string& text) {
    bound.control->caption = text;
    bound.caption = text;
}

void WindowView::sync() {
    updateScale();
    applyWindowBeforeControls();
    bindNew();
    for (auto& bound : bound_) apply(*bound);
    applyWindowVisibility();
    fresh_ = false;
    prepareOtherSize();
}

void WindowView::bindNew() {
    const auto& controls = window_.controls();
    while (bound_.size() < controls.size()) {
        auto bound = std::make_unique<BoundControl>();
        bound->control = controls[bound_.size()];
        byControl_[bound->control] = bound.get();
        create(*bound);
        if (bound->widget != nullptr) byWidget_.insert(bound->widget, bound.get());
        bound_.push_back(std::move(bound));
    }
}

void WindowView::create(BoundControl& bound) {
    Control& c = *bound.control;
    Control* control = &c;
    QWidget* parent = containerWidget(c.parent);
    ViewHost* platform = &platform_;
    switch (c.kind) {
        case ControlKind::Window:
            return;
        case ControlKind::LineSegment:
            bound.lineSlot = client_->addLine();
            return;
        case ControlKind::MenuEntry:
            createMenuEntry(bound);
            return;
        case ControlKind::PictureBox:
        case ControlKind::Image:
            bound.widget = new PictureWidget(parent);
            break;
        case ControlKind::Label: {
            auto* label = new LabelWidget(parent);
            label->setTextFormat(Qt::PlainText);
            label->setMouseTracking(true);
            label->setAttribute(Qt::WA_NoMousePropagation);
            bound.widget = label;
            break;
        }
        case ControlKind::Panel: {
            auto* panel = new QLabel(parent);
            panel->setTextFormat(Qt::PlainText);
            panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
            panel->setLineWidth(2);
            panel->setAlignment(Qt::AlignCenter);
            panel->setWordWrap(true);
            panel->setAutoFillBackground(true);
            panel->setMargin(4);
            bound.widget = panel;
            break;
        }
        case ControlKind::Frame:
            bound.widget = new QGroupBox(parent);
            break;
        case ControlKind::PushButton: {
            auto* button = new PictureButton(parent);
            button->setAutoDefault(false);
            QObject::connect(button, &QPushButton::clicked, guard_.get(), [platform, control] {
                platform->deliver([control] {
                    if (control->acceptsInput()) control->press();
                });
            });
            bound.widget = button;
            break;
        }
        case ControlKind::OptionButton: {
            auto* option = new OptionWidget(parent);
            if (window_.look == WindowLook::Desktop) option->setStyle(optionStyle());
            QObject::connect(option, &QRadioButton::clicked, guard_.get(), [platform, control] {
                platform->deliver([control] {
                    if (control->acceptsInput()) control->mark();
                });
            });
            bound.widget = option;
            break;
        }
        case ControlKind::TextBox: {
            BoundControl* b = &bound;
            if (isMultiLine(c)) {
                auto* edit = new QPlainTextEdit(parent);
                edit->setTabChangesFocus(true);
                QObject::connect(edit, &QPlainTextEdit::textChanged, guard_.get(), [this, platform, edit, b] {
                    if (!platform->syncing()) takeText(*b, fromDisplayText(edit->toPlainText()));
                });
                bound.widget = edit;
            } else {
                auto* edit = new QLineEdit(parent);
                QObject::connect(edit, &QLineEdit::textEdited, guard_.get(),
                                 [this, b](const QString& text) { takeText(*b, text.toStdString()); });
                bound.widget = edit;
            }
            break;
        }
    }
    bound.widget->setObjectName(toQt(c.index != 0 ? c.name + "_" + std::to_string(c.index) : c.name));
    if (window_.look == WindowLook::Machine) wearMachineStyle(*bound.widget);
    // Later controls stand above earlier ones.
    bound.widget->raise();
}

void WindowView::createMenuEntry(BoundControl& bound) {
    Control& c = *bound.control;
    Control* control = &c;
    ViewHost* platform = &platform_;
    QWidget* owner = nullptr;
    if (c.parent == &window_) {
        if (menuBar_ == nullptr) {
            menuBar_ = new QMenuBar(top_);
            menuBar_->setObjectName(toQt(window_.name) + "_menu");
            top_->layout()->setMenuBar(menuBar_);
        }
        owner = menuBar_;
    } else {
        auto it = byControl_.find(c.parent);
        if (it == byControl_.end() || it->second->action == nullptr) return;  // not on a menu bar
        BoundControl& parent = *it->second;
        if (parent.menu == nullptr) {
            parent.menu = new QMenu(menuBar_);
            parent.action->setMenu(parent.menu);
        }
        owner = parent.menu;
    }
    if (hasMenuEntriesUnder(c)) {
        bound.menu = new QMenu(owner);
        bound.action = bound.menu->menuAction();
    } else {
        bound.action = new QAction(owner);
        QObject::connect(bound.action, &QAction::triggered, guard_.get(), [platform, control] {
            platform->deliver([control] {
                if (control->acceptsInput()) control->press();
            });
        });
    }
    bound.action->setObjectName(toQt(c.name));
    owner->addAction(bound.action);
}

void WindowView::updateScale() {
    double scale = 1.0;
    QScreen* screen = top_->screen() != nullptr ? top_->screen() : QGuiApplication::primaryScreen();
    const int width = twipsToPixels(window_.clientWidth), height = twipsToPixels(window_.clientHeight);
    if (screen != nullptr) {
        // The whole window, its menu bar and the desktop's frame round it, within the screen's work area. The
        // frame is the one last seen round a window of the game's: the window manager takes it away for a
        // moment whenever the window changes its size, and a window not yet shown has none.
        if (const QSize frame = frameAround(*top_); frame.isValid()) platform_.frameSeen = frame;
        const QSize frame = platform_.frameSeen.isValid() ? platform_.frameSeen : kFrameGuess;
        const int menu = menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
        scale = windowScale(QSize(width, height), frame + QSize(0, menu), screen->availableGeometry().size(),
                            window_.fillScreen);
    }
    const double ratio = top_->devicePixelRatioF();
    if (scale == scale_ && ratio == ratio_) return;
    scale_ = scale;
    ratio_ = ratio;
    // Every control is laid out, lettered and painted again at the new size: its pictures are painted from
    // the last while this thread takes them from the first.
    fresh_ = true;
    for (auto& bound : bound_) bound->fresh = true;
    if (scale_ * ratio_ != 1.0) platform_.prepare(shownPictures(), scale_, ratio_, false);
}

// Once the window is on the screen with its frame, the pictures of its other size are painted ahead, so that
// the switch finds them ready.
void WindowView::prepareOtherSize() {
    if (!window_.offersLargeSize || !top_->isVisible() || !platform_.frameSeen.isValid()) return;
    QScreen* screen = top_->screen() != nullptr ? top_->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const int menu = menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
    const double other = windowScale(
        QSize(twipsToPixels(window_.clientWidth), twipsToPixels(window_.clientHeight)),
        platform_.frameSeen + QSize(0, menu), screen->availableGeometry().size(), !window_.fillScreen);
    if (other == scale_ || other == preparedOther_) return;
    preparedOther_ = other;
    platform_.prepare(shownPictures(), other, ratio_, true);
}

// The pictures the window shows now: its own, those of its visible picture controls and of its buttons.
std::vector<PictureRef> WindowView::shownPictures() const {
    std::vector<PictureRef> refs{window_.picture};
    auto add = [&refs](const PictureRef& ref) {
        if (!ref.empty() && std::find(refs.begin(), refs.end(), ref) == refs.end()) refs.push_back(ref);
    };
    for (const Control* c : window_.controls()) {
        if (((c->kind == ControlKind::PictureBox || c->kind == ControlKind::Image) && c->visible) ||
            c->kind == ControlKind::PushButton) {
            add(c->picture);
            add(c->overlay);
        }
    }
    return refs;
}

void WindowView::applyWindowBeforeControls() {
    Window& w = window_;
    if (fresh_ || w.caption != caption_) {
        caption_ = w.caption;
        top_->setWindowTitle(toQt(caption_));
    }
    if (fresh_ || w.clientWidth != clientWidth_ || w.clientHeight != clientHeight_) {
        clientWidth_ = w.clientWidth;
        clientHeight_ = w.clientHeight;
        client_->setFixedSize(std::max(0, scaledPixels(clientWidth_, scale_)),
                              std::max(0, scaledPixels(clientHeight_, scale_)));
    }
    if (fresh_ || w.left != left_ || w.top != top_px_) {
        left_ = w.left;
        top_px_ = w.top;
        placing_ = true;
    }
    if (placing_) placeFrame();
    if (fresh_ || !(w.icon == icon_)) {
        icon_ = w.icon;
        const QImage icon = platform_.picture(icon_);
        // The window's icon picture joins the program's icon, whose other sizes let the window system pick
        // the one it shows (a taskbar wants more than the picture's few pixels).
        QIcon windowIcon = QApplication::windowIcon();
        if (!icon.isNull()) windowIcon.addPixmap(QPixmap::fromImage(icon));
        top_->setWindowIcon(icon.isNull() ? QIcon() : windowIcon);
    }
    if (fresh_ || !(w.picture == picture_) || !(w.background == background_)) {
        picture_ = w.picture;
        background_ = w.background;
        client_->setBackground(toQt(background_), platform_.picture(picture_, scale_, ratio_));
    }
    if (fresh_ || w.enabled != enabled_) {
        enabled_ = w.enabled;
        top_->setEnabled(enabled_);
    }
}

// A window's place is its frame's: the top-left corner of the screen is the corner of the title bar, not of
// the client area beneath it. A window not yet shown is moved (Qt then asks the window manager to put the
// frame there); a shown one has its client area put beside the frame once the window manager has framed it.
void WindowView::placeFrame() {
    const QPoint wanted(twipsToPixels(left_), twipsToPixels(top_px_));
    if (!top_->isVisible()) {
        if (QWindow* window = top_->windowHandle()) {
            window->setFramePosition(wanted);
        } else {
            top_->move(wanted);
        }
        return;
    }
    const QSize outer = frameAround(*top_);
    if (!outer.isValid()) return;
    // A place that would put part of the window off the screen's work area (a window centred over a larger
    // one near the edge) is moved in until the whole frame is on it.
    QPoint corner = wanted;
    if (const QScreen* screen = top_->screen()) {
        const QRect area = screen->availableGeometry();
        const QSize size = top_->size() + outer;
        corner.setX(std::max(area.left(), std::min(corner.x(), area.right() + 1 - size.width())));
        corner.setY(std::max(area.top(), std::min(corner.y(), area.bottom() + 1 - size.height())));
    }
    const QMargins frame = top_->windowHandle()->frameMargins();
    const QPoint client = corner + QPoint(frame.left(), frame.top());
    if (top_->geometry().topLeft() != client) top_->setGeometry(QRect(client, top_->size()));
    placing_ = false;
}

// A window that stands over another is transient for it: the window manager keeps it above that one, and a
// click on the owner (disabled while this one is open) cannot bury it.
void WindowView::standOverOwner() {
    QWidget* owner = window_.owner != nullptr ? platform_.widgetOf(*window_.owner) : nullptr;
    if (owner == nullptr) return;
    top_->winId();
    owner->winId();
    if (top_->windowHandle()->transientParent() != owner->windowHandle())
        top_->windowHandle()->setTransientParent(owner->windowHandle());
}

void WindowView::applyWindowVisibility() {
    if (!fresh_ && window_.visible == visible_) return;
    visible_ = window_.visible;
    if (visible_) {
        placing_ = true;
        placeFrame();
        standOverOwner();
        top_->show();
    } else {
        top_->hide();
    }
}

void WindowView::apply(BoundControl& b) {
    Control& c = *b.control;
    if (c.kind == ControlKind::Window) return;

    if (c.kind == ControlKind::LineSegment) {
        const bool visible = c.shown();
        if (!b.fresh && visible == b.visible && c.x1 == b.x1 && c.y1 == b.y1 && c.x2 == b.x2 &&
            c.y2 == b.y2 && c.foreground == b.foreground && c.lineWidth == b.lineWidth) {
            return;
        }
        b.visible = visible;
        b.x1 = c.x1, b.y1 = c.y1, b.x2 = c.x2, b.y2 = c.y2;
        b.foreground = c.foreground;
        b.lineWidth = c.lineWidth;
        b.fresh = false;
        LineShape shape;
        shape.visible = visible;
        shape.line = QLine(scaledPixels(c.x1, scale_), scaledPixels(c.y1, scale_), scaledPixels(c.x2, scale_),
                           scaledPixels(c.y2, scale_));
        shape.colour = toQt(c.foreground);
        shape.width = std::max(1, static_cast<int>(std::lround(c.lineWidth * scale_)));
        client_->setLine(b.lineSlot, shape);
        return;
    }

    if (c.kind == ControlKind::MenuEntry) {
        if (b.action == nullptr) return;
        if (b.fresh || c.caption != b.caption) {
            b.caption = c.caption;
            b.action->setSeparator(b.caption == "-");
            b.action->setText(toQt(b.caption));
            if (b.menu != nullptr) b.menu->setTitle(toQt(b.caption));
        }
        if (b.fresh || c.visible != b.visible) b.action->setVisible(b.visible = c.visible);
        if (b.fresh || c.enabled != b.enabled) b.action->setEnabled(b.enabled = c.enabled);
        b.fresh = false;
        return;
    }

    QWidget* w = b.widget;
    if (w == nullptr) return;
    const bool textChanged = b.fresh || c.caption != b.caption || c.fontPoints != b.fontPoints ||
                             c.bold != b.bold || c.fontFamily != b.fontFamily || c.wordWrap != b.wordWrap ||
                             c.width != b.width || c.autoSize != b.autoSize;
    applyFontAndColours(b, c);
    applyText(b, c);

    if (c.kind == ControlKind::PictureBox || c.kind == ControlKind::Image) {
        // A picture painted afresh at a scale is fetched when its control is first shown, so that a window
        // switched to a larger size paints only what it shows.
        const bool wanted = c.visible || (scale_ * ratio_ == 1.0);
        if (b.fresh && !wanted) {
            b.picture = PictureRef{"\x01", -1};  // differs from every picture: fetched once shown
            static_cast<PictureWidget*>(w)->setContent(QImage(), c.stretch, QColor());
        } else if (wanted && (b.fresh || !(c.picture == b.picture) || !(c.overlay == b.overlay) ||
                              c.stretch != b.stretch || c.transparentBackground != b.transparentBackground ||
                              !(c.background == b.background))) {
            b.picture = c.picture;
            b.overlay = c.overlay;
            b.stretch = c.stretch;
            b.transparentBackground = c.transparentBackground;
            b.background = c.background;
            static_cast<PictureWidget*>(w)->setContent(
                platform_.composite(b.picture, b.overlay, scale_, ratio_), b.stretch,
                b.transparentBackground ? QColor() : toQt(b.background));
        }
    }

    if (c.kind == ControlKind::PictureBox || c.kind == ControlKind::Image) {
        static_cast<PictureWidget*>(w)->setDimmed(c.dimsWhenDisabled && !c.enabled);
    }

    QRect rect = pixelRect(c.left, c.top, c.width, c.height, scale_);
    if (c.kind == ControlKind::Label && c.autoSize) {
        // A label sized to its text: its width is kept when it wraps, its height follows the lines.
        if (textChanged) {
            auto* label = static_cast<QLabel*>(w);
            b.textSize =
                c.wordWrap ? QSize(rect.width(), label->heightForWidth(rect.width())) : label->sizeHint();
        }
        rect.setSize(b.textSize);
    }
    if (c.kind == ControlKind::Label && !c.autoSize && !c.wordWrap && textChanged) {
        const QMargins margins = w->contentsMargins();
        fitTextToWidth(w, static_cast<QLabel*>(w)->text(), c, rect.width() - margins.left() - margins.right(),
                       scale_);
    }
    if (c.kind == ControlKind::PushButton && textChanged && c.picture.empty()) {
        // Inside the button's own frame.
        const int frame = static_cast<int>(std::lround(kButtonTextInset * scale_));
        fitTextToWidth(w, toQt(c.caption), c, rect.width() - frame, scale_);
    }
    if (c.kind == ControlKind::TextBox && isMultiLine(c) && textChanged) {
        // A note of a few given lines shows each of them whole, inside the box's frame and margins.
        const QFontMetrics metrics(fontFor(c, scale_));
        QString longest;
        for (const QString& line : toDisplayText(c.caption).split('\n'))
            if (metrics.horizontalAdvance(line) > metrics.horizontalAdvance(longest)) longest = line;
        const int frame = static_cast<int>(std::lround(kTextBoxInset * scale_));
        fitTextToWidth(w, longest, c, rect.width() - frame, scale_);
    }
    if (c.kind == ControlKind::OptionButton && textChanged) {
        auto* option = static_cast<QRadioButton*>(w);
        fitTextToWidth(w, option->text(), c, captionRoom(option, rect.size()), scale_);
    }
    b.autoSize = c.autoSize;
    b.width = c.width;
    if (b.fresh || rect != b.geometry) {
        b.geometry = rect;
        w->setGeometry(rect);
    }

    if (b.fresh || c.hint != b.hint) {
        b.hint = c.hint;
        w->setToolTip(toQt(b.hint));
    }
    if (b.fresh || c.accessibleName != b.accessibleName) {
        b.accessibleName = c.accessibleName;
        w->setAccessibleName(toQt(b.accessibleName));
    }
    if (b.fresh || c.accessibleDescription != b.accessibleDescription) {
        b.accessibleDescription = c.accessibleDescription;
        w->setAccessibleDescription(toQt(b.accessibleDescription));
    }
    // A label that nobody handles lets the mouse through to what lies beneath it.
    if (c.kind == ControlKind::Label) {
        const bool handled = c.onPress || c.onRelease || c.onMove || c.onClick || !c.hint.empty();
        if (w->testAttribute(Qt::WA_TransparentForMouseEvents) == handled) {
            w->setAttribute(Qt::WA_TransparentForMouseEvents, !handled);
        }
    }
    if (b.fresh || c.enabled != b.enabled) w->setEnabled(b.enabled = c.enabled);
    if (b.fresh || c.visible != b.visible) {
        w->setVisible(b.visible = c.visible);
        if (b.visible) {
            // Qt paints a control it shows again only once the event it posts for that has been handled;
            // asked for here, the paint comes with the other changes, before the pause that follows them.
            QCoreApplication::removePostedEvents(w, QEvent::UpdateLater);
            w->update();
        }
    }
    b.fresh = false;
}

void WindowView::applyFontAndColours(BoundControl& b, const Control& c) {
    if (c.kind == ControlKind::PictureBox || c.kind == ControlKind::Image) return;
    QWidget* w = b.widget;
    if (b.fresh || c.fontPoints != b.fontPoints || c.bold != b.bold || c.fontFamily != b.fontFamily) {
        b.fontPoints = c.fontPoints;
        b.bold = c.bold;
        b.fontFamily = c.fontFamily;
        w->setFont(fontFor(c, scale_));
    }
    if (b.fresh || !(c.foreground == b.foreground) || !(c.background == b.background) ||
        c.transparentBackground != b.transparentBackground) {
        b.foreground = c.foreground;
        b.background = c.background;
        b.transparentBackground = c.transparentBackground;
        QPalette palette = w->palette();
        const bool label = c.kind == ControlKind::Label;
        // Labels always take their colours; other controls keep the desktop's own unless given some (black
        // text is the desktop's text, a transparent background the desktop's face).
        if (label || !(c.foreground == Color{0, 0, 0})) {
            palette.setColor(QPalette::WindowText, toQt(c.foreground));
            palette.setColor(QPalette::ButtonText, toQt(c.foreground));
            palette.setColor(QPalette::Text, toQt(c.foreground));
        }
        if (!c.transparentBackground) {
            palette.setColor(QPalette::Window, toQt(c.background));
            palette.setColor(QPalette::Button, toQt(c.background));
            palette.setColor(QPalette::Base, toQt(c.background));
        }
        w->setPalette(palette);
        if (c.kind != ControlKind::Panel) w->setAutoFillBackground(!c.transparentBackground);
    }
}

void WindowView::applyText(BoundControl& b, const Control& c) {
    QWidget* w = b.widget;
    const bool captionChanged = b.fresh || c.caption != b.caption;
    switch (c.kind) {
        case ControlKind::Label: {
            auto* label = static_cast<LabelWidget*>(w);
            label->setLettering(c.lettered, toQt(c.foreground), toQt(c.shade), toQt(c.outline));
            if (captionChanged) label->setText(toDisplayText(c.caption));
            if (b.fresh || c.alignment != b.alignment) label->setAlignment(alignmentOf(c.alignment));
            if (b.fresh || c.wordWrap != b.wordWrap) label->setWordWrap(c.wordWrap);
            break;
        }
        case ControlKind::Panel:
            if (captionChanged) static_cast<QLabel*>(w)->setText(toDisplayText(c.caption));
            break;
        case ControlKind::Frame:
            if (captionChanged) static_cast<QGroupBox*>(w)->setTitle(toQt(c.caption));
            break;
        case ControlKind::PushButton: {
            auto* button = static_cast<PictureButton*>(w);
            if (captionChanged || !(c.picture == b.picture)) {
                b.picture = c.picture;
                const QImage image = platform_.picture(b.picture, scale_, ratio_);
                button->setPicture(image);
                // The caption stays the button's text for the desktop's accessibility, drawn only without
                // a picture.
                button->setText(toQt(c.caption));
            }
            break;
        }
        case ControlKind::OptionButton: {
            auto* option = static_cast<QRadioButton*>(w);
            if (captionChanged) option->setText(toQt(c.caption));
            if (b.fresh || c.marked != b.marked) option->setChecked(b.marked = c.marked);
            break;
        }
        case ControlKind::TextBox:
            if (captionChanged) {
                if (auto* line = qobject_cast<QLineEdit*>(w)) {
                    line->setText(toQt(c.caption));
                } else if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
                    edit->setPlainText(toDisplayText(c.caption));
                    edit->moveCursor(QTextCursor::End);  // as a line edit has it after a new text
                    // ... but a new text is read from its first line.
                    if (!edit->hasFocus()) edit->verticalScrollBar()->setValue(0);
                }
            }
            break;
        default:
            break;
    }
    if (captionChanged) b.caption = c.caption;
    b.alignment = c.alignment;
    b.wordWrap = c.wordWrap;
}

}  // namespace zem::platform::qt
