// SPDX-License-Identifier: GPL-3.0-or-later
// The twelve symbol tiles, the reel strips made of them, and the Scatter and Wild animation frames.
#include "art.h"
#include "core/reels.h"
#include "painting.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace zem::assets::art {

namespace {

constexpr int kTile = 125;
constexpr double kPi = 3.14159265358979323846;

const QColor kRed(200, 35, 28);
const QColor kTurquoise(21, 144, 140);
const QColor kCream(251, 244, 226);
const QColor kGold(242, 194, 48);

QString svgName(int id) {
    switch (id) {
        case 1:
            return QStringLiteral("chief");
        case 2:
            return QStringLiteral("maiden");
        case 4:
            return QStringLiteral("skull");
        case 5:
            return QStringLiteral("totem");
        case 6:
            return QStringLiteral("moccasins");
        case 7:
            return QStringLiteral("king");
        case 8:
            return QStringLiteral("queen");
        case 9:
            return QStringLiteral("jack");
        case 10:
            return QStringLiteral("tomahawk");
        case 12:
            return QStringLiteral("scatter");
        default:
            return {};
    }
}

// The reel's own surface: tanned buckskin, lighter in the middle, with a faint stepped-diamond border motif
// and a soft groove where one cell meets the next.
QImage buckskin() {
    QImage tile = canvas(kTile, kTile);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient hide(58, 52, 96);
    hide.setColorAt(0.0, QColor(255, 249, 234));
    hide.setColorAt(0.55, QColor(244, 226, 190));
    hide.setColorAt(1.0, QColor(212, 176, 126));
    p.fillRect(tile.rect(), hide);
    // Stepped diamonds in the corners, barely there.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 90, 40, 26));
    for (const QPointF corner :
         {QPointF(0, 0), QPointF(kTile, 0), QPointF(0, kTile), QPointF(kTile, kTile)}) {
        for (int r = 22; r >= 6; r -= 8) {
            QPolygonF d;
            d << QPointF(corner.x(), corner.y() - r) << QPointF(corner.x() + r, corner.y())
              << QPointF(corner.x(), corner.y() + r) << QPointF(corner.x() - r, corner.y());
            p.drawPolygon(d);
        }
    }
    p.end();
    addGrain(tile, 0x5EED, 5);
    QPainter q(&tile);
    QLinearGradient top(0, 0, 0, 5);
    top.setColorAt(0.0, QColor(90, 50, 10, 90));
    top.setColorAt(1.0, QColor(90, 50, 10, 0));
    q.fillRect(QRectF(0, 0, kTile, 5), top);
    QLinearGradient bottom(0, kTile - 5, 0, kTile);
    bottom.setColorAt(0.0, QColor(90, 50, 10, 0));
    bottom.setColorAt(1.0, QColor(90, 50, 10, 110));
    q.fillRect(QRectF(0, kTile - 5, kTile, 5), bottom);
    return tile;
}

// Art laid on a tile with a soft shadow, and for the top symbols a warm golden halo.
void layArt(QImage& tile, const QImage& art, bool halo) {
    QPainter p(&tile);
    if (halo) drawGlow(p, art, 4, QColor(255, 206, 80, 200), 2);
    drawShadow(p, art, QPointF(1.5, 2.5), 2, QColor(60, 28, 0, 150));
    p.drawImage(0, 0, art);
}

// A ribbon with a word across the lower part of a tile: the Wild's and the Scatter's name plates.
void nameRibbon(QPainter& p, const QRectF& band, const QString& word, const QColor& cloth) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal fold = band.height() * 0.45;
    // The tails behind the band.
    QPolygonF leftTail, rightTail;
    leftTail << QPointF(band.left() - fold, band.top() + fold * 0.5)
             << QPointF(band.left() + fold, band.top() + fold * 0.5)
             << QPointF(band.left() + fold, band.bottom() + fold * 0.5)
             << QPointF(band.left() - fold, band.bottom() + fold * 0.5)
             << QPointF(band.left() - fold * 0.4, band.center().y() + fold * 0.5);
    rightTail << QPointF(band.right() + fold, band.top() + fold * 0.5)
              << QPointF(band.right() - fold, band.top() + fold * 0.5)
              << QPointF(band.right() - fold, band.bottom() + fold * 0.5)
              << QPointF(band.right() + fold, band.bottom() + fold * 0.5)
              << QPointF(band.right() + fold * 0.4, band.center().y() + fold * 0.5);
    p.setPen(QPen(QColor(40, 8, 4), 1.0));
    p.setBrush(darker(cloth, 0.35));
    p.drawPolygon(leftTail);
    p.drawPolygon(rightTail);
    QLinearGradient g(band.topLeft(), band.bottomLeft());
    g.setColorAt(0.0, lighter(cloth, 0.3));
    g.setColorAt(0.5, cloth);
    g.setColorAt(1.0, darker(cloth, 0.3));
    p.setBrush(g);
    p.setPen(QPen(QColor(255, 214, 90), 1.4));
    p.drawRoundedRect(band, 2, 2);
    p.setPen(QPen(QColor(40, 8, 4), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(band.adjusted(-0.9, -0.9, 0.9, 0.9), 2.5, 2.5);
    Lettering gold;
    gold.outlineWidth = 1.2;
    drawLettering(
        p, textPath(word, font(Face::SerifBold, band.height() * 0.8), band.adjusted(3, 2.5, -3, -2.5)), gold);
    p.restore();
}

QImage scene(Studio& s) { return renderSvg(s.svg(QStringLiteral("scatter")), QSize(kTile, kTile)); }

// Shifts the hue of the night sky's blues and violets by `degrees`, leaving the warm tepee and fire alone.
void shiftSky(QImage& image, double degrees) {
    if (degrees == 0.0) return;
    QImage work = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < work.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(work.scanLine(y));
        for (int x = 0; x < work.width(); ++x) {
            QColor c = QColor::fromRgba(line[x]);
            float h, sat, v, a;
            c.getHsvF(&h, &sat, &v, &a);
            if (h < 0 || sat < 0.15f) continue;
            const double hue = h * 360.0;
            // Weight 1 from 210 to 300 degrees, fading out 30 degrees either side.
            double w = 0.0;
            if (hue >= 210 && hue <= 300)
                w = 1.0;
            else if (hue > 180 && hue < 210)
                w = (hue - 180) / 30.0;
            else if (hue > 300 && hue < 330)
                w = (330 - hue) / 30.0;
            if (w <= 0.0) continue;
            double nh = std::fmod(hue + degrees * w, 360.0);
            if (nh < 0) nh += 360.0;
            c.setHsvF(static_cast<float>(nh / 360.0), std::min(1.0f, sat * 1.1f), v, a);
            line[x] = c.rgba();
        }
    }
    image = work.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The Scatter tile: the night scene in a rounded frame of `frame` colour `width` wide, with a name plate.
QImage scatterTile(Studio& s, double hueShift, const QColor& frame, double width, double glow) {
    QImage tile = scene(s);
    shiftSky(tile, hueShift);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    nameRibbon(p, QRectF(30, 106.5, 65, 15), QStringLiteral("SCATTER"), QColor(120, 30, 150));
    // Inner glow of the frame.
    if (glow > 0.0) {
        for (int i = 0; i < 6; ++i) {
            QColor c = frame;
            c.setAlphaF(static_cast<float>(glow * (6 - i) / 12.0));
            p.setPen(QPen(c, 1.0));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(width + i, width + i, kTile - 2 * (width + i), kTile - 2 * (width + i)),
                              6, 6);
        }
    }
    // The frame: a lit metal band between two dark lines, corners cut round.
    QPainterPath outer, inner;
    outer.addRect(QRectF(0, 0, kTile, kTile));
    inner.addRoundedRect(QRectF(width, width, kTile - 2 * width, kTile - 2 * width), 7, 7);
    QLinearGradient band(0, 0, kTile, kTile);
    band.setColorAt(0.0, lighter(frame, 0.6));
    band.setColorAt(0.5, frame);
    band.setColorAt(1.0, darker(frame, 0.45));
    p.fillPath(outer.subtracted(inner), band);
    p.setPen(QPen(QColor(20, 10, 30), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(width, width, kTile - 2 * width, kTile - 2 * width), 7, 7);
    p.setPen(QPen(darker(frame, 0.6), 1.0));
    p.drawRect(QRectF(0.5, 0.5, kTile - 1, kTile - 1));
    return tile;
}

// One face of the beaded shield, centred on the origin with radius `r`.
void shieldFront(QPainter& p, double r) {
    // Leather rim with stitching.
    QRadialGradient rim(QPointF(-r * 0.3, -r * 0.3), r * 1.3);
    rim.setColorAt(0.0, QColor(150, 96, 52));
    rim.setColorAt(1.0, QColor(60, 30, 12));
    p.setPen(QPen(QColor(30, 14, 4), r * 0.03));
    p.setBrush(rim);
    p.drawEllipse(QPointF(0, 0), r, r);
    QPen stitch(QColor(250, 236, 200, 200), r * 0.025, Qt::DashLine);
    p.setPen(stitch);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), r * 0.95, r * 0.95);

    // Two rows of beads.
    const QColor beadColours[] = {kRed,  kRed, kCream, kTurquoise, kTurquoise, kCream, QColor(30, 60, 140),
                                  kCream};
    for (int row = 0; row < 2; ++row) {
        const double br = r * 0.045;
        const double rr = r * (row == 0 ? 0.86 : 0.765);
        const int count = static_cast<int>(2 * kPi * rr / (br * 2.15));
        for (int i = 0; i < count; ++i) {
            const double a = 2 * kPi * i / count;
            const QPointF c(rr * std::cos(a), rr * std::sin(a));
            const QColor col = beadColours[(i / 2 + row * 4) % 8];
            QRadialGradient bead(c + QPointF(-br * 0.35, -br * 0.35), br * 1.2);
            bead.setColorAt(0.0, lighter(col, 0.55));
            bead.setColorAt(0.6, col);
            bead.setColorAt(1.0, darker(col, 0.4));
            p.setPen(QPen(QColor(20, 10, 4, 180), r * 0.008));
            p.setBrush(bead);
            p.drawEllipse(c, br, br);
        }
    }

    // A ring of teeth, turquoise and cream on deep blue.
    const double tOuter = r * 0.69, tInner = r * 0.47;
    p.setPen(QPen(QColor(10, 14, 30), r * 0.02));
    p.setBrush(QColor(24, 52, 120));
    QPainterPath ring;
    ring.addEllipse(QPointF(0, 0), tOuter, tOuter);
    QPainterPath hole;
    hole.addEllipse(QPointF(0, 0), tInner, tInner);
    p.drawPath(ring.subtracted(hole));
    const int teeth = 16;
    for (int i = 0; i < teeth; ++i) {
        const double a0 = 2 * kPi * i / teeth, a1 = 2 * kPi * (i + 1) / teeth, am = (a0 + a1) / 2;
        QPolygonF tri;
        tri << QPointF(tOuter * 0.97 * std::cos(a0), tOuter * 0.97 * std::sin(a0))
            << QPointF(tOuter * 0.97 * std::cos(a1), tOuter * 0.97 * std::sin(a1))
            << QPointF(tInner * 1.02 * std::cos(am), tInner * 1.02 * std::sin(am));
        p.setBrush(i % 2 ? kCream : QColor(31, 176, 168));
        p.setPen(QPen(QColor(10, 14, 30), r * 0.015));
        p.drawPolygon(tri);
    }

    // The red field with the four directions and the sun.
    QRadialGradient field(QPointF(-r * 0.12, -r * 0.12), tInner * 1.2);
    field.setColorAt(0.0, QColor(236, 76, 46));
    field.setColorAt(1.0, QColor(130, 16, 8));
    p.setPen(QPen(QColor(40, 4, 2), r * 0.02));
    p.setBrush(field);
    p.drawEllipse(QPointF(0, 0), tInner, tInner);
    QPainterPath cross;
    const double arm = r * 0.085;
    cross.addRect(QRectF(-arm, -tInner * 0.9, 2 * arm, tInner * 1.8));
    cross.addRect(QRectF(-tInner * 0.9, -arm, tInner * 1.8, 2 * arm));
    cross.setFillRule(Qt::WindingFill);
    cross = cross.simplified();
    QLinearGradient goldFill(0, -tInner, 0, tInner);
    goldFill.setColorAt(0.0, QColor(255, 236, 140));
    goldFill.setColorAt(1.0, QColor(210, 140, 20));
    p.setPen(QPen(QColor(60, 30, 0), r * 0.025, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(goldFill);
    p.drawPath(cross);
    for (int i = 0; i < 4; ++i) {
        const double a = kPi / 4 + i * kPi / 2;
        const QPointF c(tInner * 0.62 * std::cos(a), tInner * 0.62 * std::sin(a));
        p.setBrush(kCream);
        p.setPen(QPen(QColor(40, 4, 2), r * 0.015));
        p.drawEllipse(c, r * 0.045, r * 0.045);
    }
    QRadialGradient sun(QPointF(-r * 0.04, -r * 0.04), r * 0.2);
    sun.setColorAt(0.0, QColor(255, 250, 200));
    sun.setColorAt(0.5, QColor(255, 200, 40));
    sun.setColorAt(1.0, QColor(220, 100, 10));
    p.setBrush(sun);
    p.setPen(QPen(QColor(60, 20, 0), r * 0.025));
    p.drawEllipse(QPointF(0, 0), r * 0.15, r * 0.15);

    // The shine of a domed hide.
    QRadialGradient gloss(QPointF(-r * 0.35, -r * 0.4), r * 0.75);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 95));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(QPointF(0, 0), r, r);
}

// The back of the shield: bare hide laced to the hoop.
void shieldBack(QPainter& p, double r) {
    QRadialGradient hide(QPointF(r * 0.2, -r * 0.3), r * 1.3);
    hide.setColorAt(0.0, QColor(236, 208, 160));
    hide.setColorAt(1.0, QColor(150, 100, 56));
    p.setPen(QPen(QColor(30, 14, 4), r * 0.03));
    p.setBrush(hide);
    p.drawEllipse(QPointF(0, 0), r, r);
    p.setPen(QPen(QColor(90, 50, 20), r * 0.05));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), r * 0.9, r * 0.9);
    p.setPen(QPen(QColor(80, 40, 16), r * 0.025));
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 8;
        p.drawLine(QPointF(r * 0.88 * std::cos(a), r * 0.88 * std::sin(a)),
                   QPointF(-r * 0.88 * std::cos(a), -r * 0.88 * std::sin(a)));
    }
    p.setBrush(QColor(150, 90, 40));
    p.drawEllipse(QPointF(0, 0), r * 0.12, r * 0.12);
}

// A feather from the sources, hanging from `top`, `length` long, tilted by `angle` degrees.
void hangFeather(QPainter& p, Studio& s, const QPointF& top, double length, double angle) {
    p.save();
    p.translate(top);
    p.rotate(angle);
    paintSvg(p, s.svg(QStringLiteral("feather")), QRectF(-length * 0.125, 0, length * 0.25, length));
    p.restore();
}

// The Wild tile's ground: buckskin with a golden sunburst behind the shield.
QImage sunburst() {
    QImage tile = buckskin();
    QImage rays = canvas(kTile, kTile);
    {
        QPainter r(&rays);
        r.setRenderHint(QPainter::Antialiasing);
        r.setPen(Qt::NoPen);
        const QPointF c(62.5, 50);
        for (int i = 0; i < 24; i += 2) {
            const double a0 = 2 * kPi * i / 24, a1 = 2 * kPi * (i + 1) / 24;
            QPolygonF ray;
            ray << c << c + QPointF(120 * std::cos(a0), 120 * std::sin(a0))
                << c + QPointF(120 * std::cos(a1), 120 * std::sin(a1));
            r.setBrush(QColor(255, 196, 60, 120));
            r.drawPolygon(ray);
        }
        r.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        QRadialGradient fade(c, 80);
        fade.setColorAt(0.0, QColor(0, 0, 0, 255));
        fade.setColorAt(1.0, QColor(0, 0, 0, 0));
        r.fillRect(rays.rect(), fade);
    }
    QPainter p(&tile);
    p.drawImage(0, 0, rays);
    return tile;
}

}  // namespace

void paintShield(QPainter& p, Studio& s, const QPointF& centre, double radius, double turn) {
    (void)s;
    const double cs = std::cos(turn * kPi / 180.0), sn = std::sin(turn * kPi / 180.0);
    const double squash = std::max(0.04, std::fabs(cs));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // The shield's thickness shows at its edge while it turns.
    const double depth = radius * 0.14 * sn;
    if (std::fabs(depth) > 0.3) {
        const int steps = static_cast<int>(std::ceil(std::fabs(depth) * 2));
        for (int i = steps; i >= 1; --i) {
            const double dx = depth * i / steps;
            p.setPen(Qt::NoPen);
            p.setBrush(mix(QColor(70, 36, 14), QColor(30, 14, 4), static_cast<double>(i) / steps));
            p.drawEllipse(QPointF(centre.x() + dx, centre.y()), radius * squash, radius);
        }
    }
    p.translate(centre);
    p.scale(squash, 1.0);
    if (cs >= 0)
        shieldFront(p, radius);
    else
        shieldBack(p, radius);
    p.restore();
}

void paintHoop(QPainter& p, Studio& s, const QRectF& box) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.topLeft());
    p.scale(box.width() / 250.0, box.height() / 250.0);
    const QPointF c(125, 96);
    const double R = 80;

    // Feathers and beaded strings hanging from the bottom of the hoop.
    auto onHoop = [&](double degrees, double rr) {
        const double a = degrees * kPi / 180.0;
        return c + QPointF(rr * std::cos(a), rr * std::sin(a));
    };
    p.setPen(QPen(QColor(90, 56, 26), 2.0));
    const struct {
        double angle, drop, length, tilt;
    } hangers[] = {{128, 30, 90, 6}, {90, 40, 100, 0}, {52, 30, 90, -6}};
    for (const auto& h : hangers) {
        const QPointF a = onHoop(h.angle, R);
        const QPointF end = a + QPointF(0, h.drop);
        p.setPen(QPen(QColor(90, 56, 26), 2.2));
        p.drawLine(a, end);
        p.setPen(QPen(QColor(40, 16, 4), 1.0));
        p.setBrush(kGold);
        p.drawEllipse(a + QPointF(0, h.drop * 0.45), 3.6, 3.6);
        hangFeather(p, s, end - QPointF(0, 10), h.length, h.tilt);
    }
    for (const double angle : {160.0, 20.0}) {
        const QPointF a = onHoop(angle, R + 2);
        p.setPen(QPen(QColor(90, 56, 26), 2.0));
        p.drawLine(a, a + QPointF(0, 40));
        const QColor beads[] = {kRed, kCream, kTurquoise, kCream, kRed};
        for (int i = 0; i < 5; ++i) {
            p.setPen(QPen(QColor(30, 10, 4), 1.0));
            p.setBrush(beads[i]);
            p.drawEllipse(a + QPointF(0, 12 + i * 7), 3.4, 3.4);
        }
    }

    // The woven web: each round is strung between the midpoints of the round before.
    std::vector<QPointF> pts;
    const int anchors = 8;
    for (int i = 0; i < anchors; ++i) pts.push_back(onHoop(-90 + i * 360.0 / anchors, R - 5));
    QRadialGradient inside(c, R);
    inside.setColorAt(0.0, QColor(255, 236, 190, 120));
    inside.setColorAt(1.0, QColor(170, 110, 50, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(inside);
    p.drawEllipse(c, R - 4, R - 4);
    for (int round = 0; round < 7; ++round) {
        QPolygonF poly;
        for (const auto& q : pts) poly << q;
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(70, 36, 12), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolygon(poly);
        p.setPen(QPen(QColor(236, 196, 130), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolygon(poly.translated(-0.4, -0.5));
        std::vector<QPointF> next;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const QPointF mid = (pts[i] + pts[(i + 1) % pts.size()]) / 2.0;
            next.push_back(c + (mid - c) * 0.9);
        }
        if (round == 2) {
            p.setPen(QPen(QColor(40, 4, 2), 1.0));
            p.setBrush(kRed);
            p.drawEllipse(pts[3], 3.4, 3.4);
            p.setBrush(kTurquoise);
            p.drawEllipse(pts[7], 3.4, 3.4);
        }
        pts = next;
    }
    QRadialGradient bead(c + QPointF(-2, -2), 8);
    bead.setColorAt(0.0, QColor(160, 250, 240));
    bead.setColorAt(1.0, QColor(10, 110, 106));
    p.setPen(QPen(QColor(6, 40, 38), 1.2));
    p.setBrush(bead);
    p.drawEllipse(c, 7, 7);

    // The hoop, wrapped in leather.
    QLinearGradient leather(c.x(), c.y() - R, c.x(), c.y() + R);
    leather.setColorAt(0.0, QColor(214, 160, 100));
    leather.setColorAt(0.5, QColor(150, 92, 46));
    leather.setColorAt(1.0, QColor(80, 44, 18));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 18, 4), 15));
    p.drawEllipse(c, R, R);
    p.setPen(QPen(QBrush(leather), 11));
    p.drawEllipse(c, R, R);
    p.setPen(QPen(QColor(70, 36, 12, 200), 1.6));
    for (int i = 0; i < 60; ++i) {
        const double a = 2 * kPi * i / 60.0;
        const double b = a + 0.06;
        p.drawLine(QPointF(c.x() + (R - 5.5) * std::cos(a), c.y() + (R - 5.5) * std::sin(a)),
                   QPointF(c.x() + (R + 5.5) * std::cos(b), c.y() + (R + 5.5) * std::sin(b)));
    }
    p.setPen(QPen(QColor(255, 230, 190, 120), 1.4));
    p.drawArc(QRectF(c.x() - R + 2.5, c.y() - R + 2.5, 2 * R - 5, 2 * R - 5), 40 * 16, 100 * 16);
    // The loop it hangs from, with a red tie.
    p.setPen(QPen(QColor(90, 56, 26), 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(c.x(), c.y() - R - 9), 5, 7);
    p.setPen(QPen(QColor(40, 4, 2), 1.0));
    p.setBrush(kRed);
    p.drawRoundedRect(QRectF(c.x() - 7, c.y() - R - 5, 14, 10), 2, 2);
    p.restore();
}

Studio::Studio(QString svgFolder) : folder_(std::move(svgFolder)) {}

QString Studio::svg(const QString& name) const {
    return folder_ + QLatin1Char('/') + name + QStringLiteral(".svg");
}

const QImage& Studio::symbol(int id) {
    std::lock_guard lock(symbolsLock_);
    auto found = symbols_.find(id);
    if (found == symbols_.end()) found = symbols_.emplace(id, paintSymbol(*this, id)).first;
    return found->second;
}

QImage paintSymbol(Studio& s, int id) {
    if (id == core::Wild) return paintWildFrame(s, 1);
    if (id == core::Scatter) return scatterTile(s, 0.0, QColor(230, 180, 50), 4.0, 0.0);
    QImage tile = buckskin();
    QImage art = canvas(kTile, kTile);
    {
        QPainter a(&art);
        if (id == core::Hoop)
            paintHoop(a, s, QRectF(0, 0, kTile, kTile));
        else
            paintSvg(a, s.svg(svgName(id)), QRectF(0, 0, kTile, kTile));
    }
    layArt(tile, art, id == core::Chief || id == core::Maiden || id == core::Hoop);
    return tile;
}

QImage paintReel(Studio& s, int reel) {
    QImage strip = canvas(kTile, kTile * core::kStripCells);
    QPainter p(&strip);
    for (int cell = 0; cell < core::kStripCells; ++cell)
        p.drawImage(0, cell * kTile, s.symbol(core::stripSymbol(reel, cell)));
    return strip;
}

QImage paintScatterFrame(Studio& s, int frame) {
    // The sky runs once round the colour wheel while the frame changes colour and swells and shrinks.
    const double t = (frame - 1) / 19.0;
    const double hue = std::fmod(45.0 + 360.0 * t, 360.0);
    const QColor border = QColor::fromHsvF(static_cast<float>(hue / 360.0), 0.75f, 1.0f);
    const double width = 3.0 + 3.0 * std::sin(kPi * t * 2.0) * std::sin(kPi * t * 2.0);
    return scatterTile(s, 360.0 * t, border, width, 0.55 + 0.45 * std::sin(kPi * t));
}

QImage paintHighlight() {
    QImage tile = canvas(kTile, kTile);
    tile.fill(QColor(196, 250, 255));
    QPainter p(&tile);
    for (int x = 2; x < kTile; x += 5) p.fillRect(QRectF(x, 0, 1, kTile), QColor(170, 234, 244));
    return tile;
}

QImage paintWildFrame(Studio& s, int frame) {
    QImage tile = sunburst();
    const QPointF centre(62.5, 50.0);
    const double radius = 41.0;
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    // Feathers tied below the shield stay still while it turns.
    QImage feathers = canvas(kTile, kTile);
    {
        QPainter f(&feathers);
        f.setRenderHint(QPainter::Antialiasing);
        hangFeather(f, s, QPointF(35, 70), 48, 14);
        hangFeather(f, s, QPointF(90, 70), 48, -14);
        hangFeather(f, s, QPointF(62.5, 80), 44, 0);
    }
    drawShadow(p, feathers, QPointF(1, 2), 2, QColor(60, 28, 0, 120));
    p.drawImage(0, 0, feathers);
    QImage shield = canvas(kTile, kTile);
    {
        QPainter sh(&shield);
        paintShield(sh, s, centre, radius, (frame - 1) * 45.0);
    }
    drawGlow(p, shield, 4, QColor(255, 220, 110, 220), 2);
    drawShadow(p, shield, QPointF(1.5, 2.5), 2, QColor(40, 20, 0, 160));
    p.drawImage(0, 0, shield);
    nameRibbon(p, QRectF(26, 97, 73, 20), QStringLiteral("WILD"), QColor(190, 26, 20));
    return tile;
}

QImage paintMultiplier(int picture) {
    static const int kValues[] = {2, 3, 5, 10};
    const int group = (picture - 9) / 4;
    const int step = (picture - 9) % 4;
    const QString text = QStringLiteral("x%1").arg(kValues[std::clamp(group, 0, 3)]);
    // Four frames: the figure swells and its light runs from top to bottom.
    const double scale[] = {0.86, 0.95, 1.04, 0.95};
    const QRectF box(4, 24, 117, 78);
    const QPointF centre = box.center();
    QRectF fit(centre.x() - box.width() / 2 * scale[step], centre.y() - box.height() / 2 * scale[step],
               box.width() * scale[step], box.height() * scale[step]);
    const QPainterPath path = textPath(text, font(Face::SansBold, 90), fit, 0.92);
    QImage art = canvas(kTile, kTile);
    QPainter p(&art);
    p.setRenderHint(QPainter::Antialiasing);
    p.strokePath(path, QPen(QColor(255, 236, 120), 11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(path, QPen(QColor(70, 10, 0), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QRectF ink = path.boundingRect();
    QLinearGradient fill(ink.topLeft(), ink.bottomLeft());
    const double light = step / 3.0;
    fill.setColorAt(0.0, QColor(255, 250, 200));
    fill.setColorAt(std::clamp(0.15 + 0.6 * light, 0.05, 0.95), QColor(255, 214, 60));
    fill.setColorAt(1.0, QColor(200, 60, 10));
    p.fillPath(path, fill);
    p.end();
    return flattenOnWhite(art);
}

}  // namespace zem::assets::art
