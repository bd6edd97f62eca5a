// SPDX-License-Identifier: GPL-3.0-or-later
#include "message_box_frame.h"

#include <QCursor>
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include <optional>
#include <utility>

namespace zem::platform::qt {
namespace {

// The strip across the top of a message box: the box's title and, at its right end, the close box. A press
// elsewhere on the strip takes hold of the box, which then follows the pointer, as by a title bar.
class TitleStrip final : public QWidget {
  public:
    explicit TitleStrip(QDialog& box) : QWidget(&box), box_(box) {
        setObjectName(QStringLiteral("messageBoxTitle"));
        setAccessibleName(QStringLiteral("Close"));
        setAccessibleDescription(QStringLiteral("Closes the message as its close box does"));
        setMouseTracking(true);
        box.installEventFilter(this);
        box.setContentsMargins(1, kMessageBoxStripHeight, 1, 1);
        setGeometry(0, 0, box.width(), kMessageBoxStripHeight);
    }

    QRect closeBox() const {
        const int inset = (kMessageBoxStripHeight - kMessageBoxCloseSide) / 2;
        return {width() - inset - kMessageBoxCloseSide, inset, kMessageBoxCloseSide, kMessageBoxCloseSide};
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &box_) return false;
        switch (event->type()) {
            case QEvent::Resize:
                setGeometry(0, 0, box_.width(), kMessageBoxStripHeight);
                raise();
                break;
            case QEvent::WindowTitleChange:
                update();
                break;
            default:
                break;
        }
        return false;
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QPalette& colours = palette();
        QLinearGradient shade(0, 0, 0, height());
        shade.setColorAt(0, colours.color(QPalette::Highlight).lighter(125));
        shade.setColorAt(1, colours.color(QPalette::Highlight));
        painter.fillRect(rect(), shade);

        const QRect close = closeBox();
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(colours.color(QPalette::HighlightedText));
        const QRect room(8, 0, close.left() - 12, height());
        painter.drawText(room, Qt::AlignVCenter | Qt::AlignLeft,
                         painter.fontMetrics().elidedText(box_.windowTitle(), Qt::ElideRight, room.width()));

        painter.setRenderHint(QPainter::Antialiasing);
        const bool lit = pressed_ || close.contains(mapFromGlobal(QCursor::pos()));
        painter.setBrush(lit ? colours.color(QPalette::HighlightedText).darker(pressed_ ? 140 : 110)
                             : colours.color(QPalette::HighlightedText));
        painter.setPen(colours.color(QPalette::Highlight).darker(130));
        painter.drawRoundedRect(QRectF(close).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        QPen cross(colours.color(QPalette::Highlight).darker(150), 2, Qt::SolidLine, Qt::RoundCap);
        painter.setPen(cross);
        const QRectF mark = QRectF(close).adjusted(4.5, 4.5, -4.5, -4.5);
        painter.drawLine(mark.topLeft(), mark.bottomRight());
        painter.drawLine(mark.topRight(), mark.bottomLeft());
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        if (closeBox().contains(event->position().toPoint())) {
            pressed_ = true;
            update();
        } else if (QGuiApplication::platformName() == QLatin1String("wayland")) {
            // Only the compositor moves a window there.
            if (QWindow* window = box_.windowHandle()) window->startSystemMove();
        } else {
            dragFrom_ = event->globalPosition().toPoint() - box_.pos();
        }
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) dragFrom_.reset();
        if (event->button() != Qt::LeftButton || !std::exchange(pressed_, false)) return;
        update();
        // A close box closes the box as the window manager's would: a box with a way out takes it.
        if (closeBox().contains(event->position().toPoint())) box_.close();
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        if (dragFrom_ && (event->buttons() & Qt::LeftButton))
            box_.move(event->globalPosition().toPoint() - *dragFrom_);
        update(closeBox());
    }
    void leaveEvent(QEvent*) override { update(closeBox()); }

  private:
    QDialog& box_;
    bool pressed_ = false;
    // Where the pointer took hold of the strip, from the box's corner, while the strip is dragged.
    std::optional<QPoint> dragFrom_;
};

}  // namespace

void frameAsMessageBox(QDialog& box) {
    box.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    new TitleStrip(box);
}

}  // namespace zem::platform::qt
