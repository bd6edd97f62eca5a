// SPDX-License-Identifier: GPL-3.0-or-later
// The free-spin announcement: the stockade, four frames of its fire, the burning arrow and the landed arrow.
#include "art.h"
#include "painting.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace zem::assets::art {

namespace {

constexpr double kPi = 3.14159265358979323846;

// One tongue of fire filling `box`: a wavering teardrop whose waves are set by `phase`.
QPainterPath tongue(const QRectF& box, double phase, double lean) {
    QPainterPath path;
    const int n = 28;
    const double cx = box.center().x(), bottom = box.bottom(), h = box.height(), w = box.width() / 2;
    std::vector<QPointF> left, right;
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;  // 0 at the base, 1 at the tip
        const double width =
            w * std::pow(std::sin(kPi * std::min(1.0, 0.15 + t * 0.95)), 0.8) * (1.0 - 0.85 * t);
        const double sway = w * 0.35 * std::sin(phase + t * 5.0) * t + lean * t * t * w;
        const double y = bottom - t * h;
        left.emplace_back(cx + sway - width, y);
        right.emplace_back(cx + sway + width, y);
    }
    path.moveTo(left.front());
    for (std::size_t i = 1; i < left.size(); ++i) path.lineTo(left[i]);
    for (std::size_t i = right.size(); i-- > 0;) path.lineTo(right[i]);
    path.closeSubpath();
    return path;
}

// A fire of several tongues in `box`, layered red, orange, yellow and white-hot.
void paintFire(QPainter& p, const QRectF& box, double phase, int tongues) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    struct Layer {
        double scale;
        QColor colour;
    };
    const Layer layers[] = {{1.0, QColor(200, 30, 10, 230)},
                            {0.8, QColor(250, 110, 20, 240)},
                            {0.58, QColor(255, 200, 40, 250)},
                            {0.34, QColor(255, 250, 200, 255)}};
    for (const auto& layer : layers) {
        for (int k = 0; k < tongues; ++k) {
            const double spread = tongues > 1 ? (k - (tongues - 1) / 2.0) / tongues : 0.0;
            const double height =
                box.height() * layer.scale * (k == tongues / 2 ? 1.0 : 0.72 + 0.1 * std::sin(phase + k));
            const double width = box.width() * layer.scale * (tongues > 1 ? 0.62 : 1.0);
            QRectF t(box.center().x() + spread * box.width() * 0.8 - width / 2, box.bottom() - height, width,
                     height);
            p.setBrush(layer.colour);
            p.drawPath(tongue(t, phase + k * 1.7, 0.3 * std::sin(phase * 0.7 + k)));
        }
    }
    // Sparks above.
    Scatter sparks(static_cast<uint32_t>(phase * 1000) + 11);
    for (int i = 0; i < 5; ++i) {
        const QPointF at(box.left() + box.width() * (0.2 + 0.6 * sparks.next()),
                         box.top() + box.height() * 0.25 * sparks.next());
        p.setBrush(QColor(255, 220, 120, 220));
        p.drawEllipse(at, 1.2, 1.2);
    }
    p.restore();
}

// An arrow pointing left: head at `x0`, fletching at the right end, along the middle of a 25 pixel strip.
void paintArrow(QPainter& p, double x0, double x1, double y, bool charred, bool head) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Shaft.
    QLinearGradient shaft(0, y - 2, 0, y + 2);
    shaft.setColorAt(0.0, QColor(226, 180, 120));
    shaft.setColorAt(0.5, QColor(170, 110, 56));
    shaft.setColorAt(1.0, QColor(90, 50, 20));
    p.setPen(QPen(QColor(40, 20, 6), 0.8));
    p.setBrush(shaft);
    p.drawRoundedRect(QRectF(x0 + 10, y - 2.2, x1 - x0 - 12, 4.4), 2, 2);
    if (charred) {
        QLinearGradient burnt(x0 + 10, 0, x0 + 60, 0);
        burnt.setColorAt(0.0, QColor(20, 10, 6, 255));
        burnt.setColorAt(1.0, QColor(20, 10, 6, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(burnt);
        p.drawRoundedRect(QRectF(x0 + 10, y - 2.2, 50, 4.4), 2, 2);
    }
    // Binding behind the head.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 35, 28));
    p.drawRect(QRectF(x0 + 16, y - 2.8, 5, 5.6));
    p.drawRect(x1 - 44, y - 2.8, 4, 5.6);
    // Fletching: three feathers, red and cream.
    for (int i = 0; i < 2; ++i) {
        const double sign = i == 0 ? -1.0 : 1.0;
        QPainterPath vane;
        vane.moveTo(x1 - 40, y + sign * 1.5);
        vane.cubicTo(x1 - 30, y + sign * 9, x1 - 10, y + sign * 11, x1 - 1, y + sign * 11);
        vane.lineTo(x1 - 8, y + sign * 1.5);
        vane.closeSubpath();
        QLinearGradient g(x1 - 40, 0, x1, 0);
        g.setColorAt(0.0, QColor(251, 244, 226));
        g.setColorAt(0.55, QColor(251, 244, 226));
        g.setColorAt(0.56, QColor(200, 35, 28));
        g.setColorAt(1.0, QColor(140, 20, 14));
        p.setPen(QPen(QColor(50, 20, 10), 0.8));
        p.setBrush(g);
        p.drawPath(vane);
    }
    // Stone head.
    if (head) {
        QPolygonF tip;
        tip << QPointF(x0, y) << QPointF(x0 + 17, y - 6) << QPointF(x0 + 14, y) << QPointF(x0 + 17, y + 6);
        QLinearGradient stone(0, y - 6, 0, y + 6);
        stone.setColorAt(0.0, QColor(200, 206, 214));
        stone.setColorAt(0.5, QColor(110, 116, 126));
        stone.setColorAt(1.0, QColor(50, 54, 60));
        p.setPen(QPen(QColor(20, 20, 24), 0.9));
        p.setBrush(stone);
        p.drawPolygon(tip);
    }
    p.restore();
}

}  // namespace

QImage paintStockade() {
    QImage image = canvas(209, 161);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The mound the palisade stands on.
    QRadialGradient earth(104, 170, 120);
    earth.setColorAt(0.0, QColor(120, 80, 40));
    earth.setColorAt(1.0, QColor(50, 30, 16));
    p.setPen(QPen(QColor(30, 16, 6), 1.2));
    p.setBrush(earth);
    p.drawEllipse(QPointF(104, 168), 112, 22);
    // The logs, each a little different, pointed at the top.
    Scatter vary(41);
    const int logs = 11;
    const double logWidth = 188.0 / logs;
    for (int i = 0; i < logs; ++i) {
        const double x = 10 + i * logWidth;
        const double top = 14 + 16 * vary.next() + (i % 2) * 6;
        const QRectF log(x, top, logWidth - 1.5, 150 - top);
        QLinearGradient wood(log.topLeft(), log.topRight());
        wood.setColorAt(0.0, QColor(70, 40, 18));
        wood.setColorAt(0.35, QColor(176, 120, 66));
        wood.setColorAt(0.7, QColor(130, 84, 40));
        wood.setColorAt(1.0, QColor(56, 30, 12));
        QPainterPath shape;
        shape.moveTo(log.left(), log.bottom());
        shape.lineTo(log.left(), log.top() + 12);
        shape.lineTo(log.center().x(), log.top());
        shape.lineTo(log.right(), log.top() + 12);
        shape.lineTo(log.right(), log.bottom());
        shape.closeSubpath();
        p.setPen(QPen(QColor(30, 14, 4), 1.4));
        p.setBrush(wood);
        p.drawPath(shape);
        // Bark and knots.
        p.setPen(QPen(QColor(60, 30, 10, 150), 0.8));
        for (int k = 0; k < 4; ++k) {
            const double bx = log.left() + 3 + vary.next() * (log.width() - 6);
            const double by = log.top() + 20 + vary.next() * (log.height() - 40);
            p.drawLine(QPointF(bx, by), QPointF(bx + 0.5, by + 10 + vary.next() * 10));
        }
        p.setBrush(QColor(60, 30, 10));
        p.drawEllipse(QPointF(log.center().x() + (vary.next() - 0.5) * 6, log.top() + 40 + vary.next() * 60),
                      1.8, 2.6);
    }
    // Two cross beams lashed with rope.
    for (const double y : {52.0, 112.0}) {
        QLinearGradient beam(0, y, 0, y + 10);
        beam.setColorAt(0.0, QColor(190, 136, 80));
        beam.setColorAt(1.0, QColor(80, 46, 20));
        p.setPen(QPen(QColor(30, 14, 4), 1.3));
        p.setBrush(beam);
        p.drawRoundedRect(QRectF(4, y, 201, 10), 4, 4);
        p.setPen(QPen(QColor(220, 190, 130), 1.6));
        for (int i = 0; i <= logs; i += 2) {
            const double x = 10 + i * logWidth;
            p.drawLine(QPointF(x - 3, y - 1), QPointF(x + 3, y + 11));
            p.drawLine(QPointF(x + 3, y - 1), QPointF(x - 3, y + 11));
        }
    }
    // Grass tufts along the foot.
    p.setPen(QPen(QColor(70, 100, 40), 1.3));
    for (int i = 0; i < 40; ++i) {
        const double x = 2 + i * 5.2;
        const double h = 4 + 5 * vary.next();
        p.drawLine(QPointF(x, 152), QPointF(x - 2 + 4 * vary.next(), 152 - h));
    }
    return image;
}

QImage paintFlame(int frame) {
    static const QSize kSizes[] = {{49, 97}, {57, 97}, {49, 105}, {41, 97}};
    const QSize size = kSizes[std::clamp(frame, 1, 4) - 1];
    QImage image = canvas(size);
    QPainter p(&image);
    paintFire(p, QRectF(2, 4, size.width() - 4, size.height() - 6), frame * 1.9, 3);
    return image;
}

QImage paintFlamingArrow() {
    QImage image = canvas(329, 25);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Smoke trailing far behind.
    QLinearGradient smoke(40, 0, 240, 0);
    smoke.setColorAt(0.0, QColor(90, 80, 80, 120));
    smoke.setColorAt(1.0, QColor(90, 80, 80, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(smoke);
    QPainterPath trail;
    trail.moveTo(40, 12.5);
    trail.cubicTo(100, 2, 170, 20, 240, 8);
    trail.cubicTo(170, 24, 100, 8, 40, 15);
    trail.closeSubpath();
    p.drawPath(trail);
    paintArrow(p, 0, 329, 12.5, true, true);
    // The burning rag behind the head, its flames streaming back as the arrow flies left, in their own glow.
    QImage fire = canvas(329, 25);
    {
        QPainter f(&fire);
        f.translate(24, 12.5);
        f.rotate(90);  // tongues point to the right
        paintFire(f, QRectF(-12, -120, 24, 120), 1.3, 2);
    }
    drawGlow(p, fire, 3, QColor(255, 140, 30, 200), 2);
    p.drawImage(0, 0, fire);
    p.setBrush(QColor(60, 30, 14));
    p.drawEllipse(QPointF(26, 12.5), 5, 4);
    return image;
}

QImage paintLandedArrow() {
    QImage image = canvas(201, 25);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The head is buried in the wood; the shaft is scorched where it burned.
    paintArrow(p, -12, 201, 12.5, true, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 20, 10));
    p.drawEllipse(QPointF(1, 12.5), 3, 5);
    QLinearGradient smoke(0, 12, 0, 0);
    smoke.setColorAt(0.0, QColor(120, 110, 110, 140));
    smoke.setColorAt(1.0, QColor(120, 110, 110, 0));
    p.setBrush(smoke);
    QPainterPath wisp;
    wisp.moveTo(8, 11);
    wisp.cubicTo(14, 6, 4, 4, 12, 0);
    wisp.lineTo(16, 0);
    wisp.cubicTo(8, 4, 18, 6, 12, 11);
    wisp.closeSubpath();
    p.drawPath(wisp);
    return image;
}

}  // namespace zem::assets::art
