// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of the big moments: the TAKE WIN button that collects a series, the HELD ribbon over a reel
// whose Wild holds it, and the plaques of a big win laid over the reels.
#include "art.h"
#include "painting.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace zem::assets::art {

namespace {

constexpr double kPi = 3.14159265358979323846;

const QColor kGoldLight(255, 236, 160);
const QColor kGold(224, 170, 50);
const QColor kGoldDark(120, 76, 10);
const QColor kTurquoise(21, 144, 140);

// A band of beads in the machine's colours along `y`, from `left` to `right`.
void beads(QPainter& p, double left, double right, double y, double radius) {
    const QColor colours[] = {QColor(200, 35, 28), QColor(251, 244, 226), kTurquoise, QColor(24, 40, 110),
                              kGold};
    p.setPen(Qt::NoPen);
    int i = 0;
    for (double x = left + radius; x <= right - radius; x += radius * 2.3, ++i) {
        p.setBrush(colours[(i / 2) % 5]);
        p.drawEllipse(QPointF(x, y), radius, radius);
    }
}

}  // namespace

QImage paintTakeWin() {
    ButtonStyle style;
    style.face = QColor(40, 140, 56);
    style.bigLine = -1;
    return button(QSize(121, 57), style, {QStringLiteral("TAKE"), QStringLiteral("WIN")}, false);
}

QImage paintHeldMark() {
    const int w = 125, h = 28;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A red ribbon with swallow-tailed ends, edged in gold, across the reel.
    QPainterPath ribbon;
    ribbon.moveTo(1, 3);
    ribbon.lineTo(w - 1, 3);
    ribbon.lineTo(w - 9, h / 2.0);
    ribbon.lineTo(w - 1, h - 3);
    ribbon.lineTo(1, h - 3);
    ribbon.lineTo(9, h / 2.0);
    ribbon.closeSubpath();
    QLinearGradient cloth(0, 3, 0, h - 3);
    cloth.setColorAt(0.0, QColor(226, 50, 36, 235));
    cloth.setColorAt(0.5, QColor(170, 20, 14, 235));
    cloth.setColorAt(1.0, QColor(110, 8, 6, 235));
    p.setPen(QPen(kGold, 1.5));
    p.setBrush(cloth);
    p.drawPath(ribbon);
    Lettering l;
    l.top = QColor(255, 250, 214);
    l.bottom = QColor(246, 190, 50);
    l.outline = QColor(60, 10, 0);
    l.outlineWidth = 1.5;
    drawLettering(
        p, textPath(QStringLiteral("HELD"), font(Face::SerifBold, 19), QRectF(20, 5, w - 40, h - 10)), l);
    return image;
}

QImage paintCelebration(int picture) {
    const int w = 400, h = 150;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plaque(6, 6, w - 12, h - 12);
    const bool mega = picture == 2;

    // Rays of the rising sun behind the plaque, seen round its edges.
    const QPointF centre(w / 2.0, h / 2.0);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 24; ++i) {
        const double a = i * 2 * kPi / 24, spread = kPi / 48;
        QPolygonF ray;
        ray << centre << centre + QPointF(std::cos(a - spread), std::sin(a - spread)) * w
            << centre + QPointF(std::cos(a + spread), std::sin(a + spread)) * w;
        p.setBrush(i % 2 ? QColor(255, 200, 60, 150) : QColor(200, 40, 20, 130));
        p.drawPolygon(ray);
    }
    p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    QRadialGradient fade(centre, w * 0.42);
    fade.setColorAt(0.0, QColor(0, 0, 0, 255));
    fade.setColorAt(0.6, QColor(0, 0, 0, 160));
    fade.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.fillRect(image.rect(), fade);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);

    // The plaque: dark leather in a gold frame, a band of beads along its foot.
    QLinearGradient rim(plaque.topLeft(), plaque.bottomRight());
    rim.setColorAt(0.0, kGoldLight);
    rim.setColorAt(0.5, kGold);
    rim.setColorAt(1.0, kGoldDark);
    p.setPen(QPen(QColor(30, 12, 2), 1.0));
    p.setBrush(rim);
    p.drawRoundedRect(plaque.adjusted(18, 10, -18, -10), 14, 14);
    const QRectF inner = plaque.adjusted(23, 15, -23, -15);
    QLinearGradient leather(inner.topLeft(), inner.bottomLeft());
    leather.setColorAt(0.0, mega ? QColor(70, 10, 60, 235) : QColor(66, 24, 12, 235));
    leather.setColorAt(1.0, mega ? QColor(24, 4, 30, 235) : QColor(24, 8, 4, 235));
    p.setBrush(leather);
    p.drawRoundedRect(inner, 10, 10);
    beads(p, inner.left() + 10, inner.right() - 10, inner.bottom() - 6, 2.0);

    // The heading over the upper part; the window letters the amount beneath it.
    static const QString headings[] = {QString(), QStringLiteral("BIG WIN"), QStringLiteral("MEGA WIN"),
                                       QStringLiteral("TOTAL WIN")};
    Lettering l;
    l.top = QColor(255, 252, 220);
    l.bottom = mega ? QColor(255, 140, 40) : QColor(236, 170, 30);
    l.outline = QColor(50, 14, 0);
    l.outlineWidth = 2.2;
    const int index = picture >= 1 && picture <= 3 ? picture : 1;
    drawLettering(p,
                  textPath(headings[index], font(Face::SerifBold, 40),
                           QRectF(inner.left() + 14, inner.top() + 5, inner.width() - 28, 40)),
                  l);
    return image;
}

}  // namespace zem::assets::art
