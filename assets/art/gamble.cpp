// SPDX-License-Identifier: GPL-3.0-or-later
// The gamble: the four aces, the card back and its peel frames, the suit icons, the panel, buttons and
// banners.
#include "art.h"
#include "painting.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace zem::assets::art {

namespace {

constexpr int kCardWidth = 103, kCardHeight = 156;
constexpr double kCardRadius = 8.0;

const QColor kCardRed(206, 22, 26);
const QColor kCardBlack(22, 22, 28);
const QColor kBackRed(150, 18, 26);
const QColor kBackCream(244, 236, 214);
const QColor kGold(232, 184, 60);
const QColor kTurquoise(21, 144, 140);

QRectF cardRect() { return QRectF(0.5, 0.5, kCardWidth - 1, kCardHeight - 1); }

QPainterPath cardShape() {
    QPainterPath path;
    path.addRoundedRect(cardRect(), kCardRadius, kCardRadius);
    return path;
}

// A suit filled with a gentle gradient of its colour and a fine dark edge.
void paintSuit(QPainter& p, int suit, const QRectF& box) {
    const QColor base = suitIsRed(suit) ? kCardRed : kCardBlack;
    QLinearGradient g(box.topLeft(), box.bottomRight());
    g.setColorAt(0.0, lighter(base, suitIsRed(suit) ? 0.3 : 0.35));
    g.setColorAt(1.0, darker(base, 0.25));
    p.setPen(QPen(darker(base, 0.5), std::max(0.8, box.width() / 40.0)));
    p.setBrush(g);
    const QPainterPath shape = suitPath(suit, box);
    p.drawPath(shape);
    // A highlight on the upper left.
    p.save();
    p.setClipPath(shape);
    QRadialGradient shine(box.left() + box.width() * 0.3, box.top() + box.height() * 0.28,
                          box.width() * 0.35);
    shine.setColorAt(0.0, QColor(255, 255, 255, 110));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(box, shine);
    p.restore();
}

QImage paintFace(int suit) {
    QImage image = canvas(kCardWidth, kCardHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient paper(0, 0, 0, kCardHeight);
    paper.setColorAt(0.0, QColor(255, 255, 255));
    paper.setColorAt(1.0, QColor(238, 236, 230));
    p.setPen(QPen(QColor(120, 116, 110), 1.0));
    p.setBrush(paper);
    p.drawPath(cardShape());
    const QColor ink = suitIsRed(suit) ? kCardRed : kCardBlack;
    // Corner indices, the lower one turned round.
    for (int corner = 0; corner < 2; ++corner) {
        p.save();
        if (corner == 1) {
            p.translate(kCardWidth, kCardHeight);
            p.rotate(180);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(textPath(QStringLiteral("A"), font(Face::SerifBold, 20), QRectF(5, 6, 14, 17)));
        paintSuit(p, suit, QRectF(5.5, 26, 13, 14));
        p.restore();
    }
    // The great suit in the middle; the ace of spades gets an ornate frame.
    const QRectF centre(kCardWidth / 2.0 - 26, kCardHeight / 2.0 - 28, 52, 56);
    if (suit == 4) {
        p.setPen(QPen(QColor(200, 160, 60), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre.center(), 38, 42);
        p.setPen(QPen(QColor(22, 22, 28), 0.8));
        p.drawEllipse(centre.center(), 35, 39);
        paintSuit(p, suit, centre.adjusted(-6, -6, 6, 6));
    } else {
        paintSuit(p, suit, centre);
    }
    return image;
}

// The card back: a cream border round a red field with a stepped diamond medallion in gold and turquoise.
QImage paintBack() {
    QImage image = canvas(kCardWidth, kCardHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 70, 50), 1.0));
    p.setBrush(kBackCream);
    p.drawPath(cardShape());
    const QRectF field = cardRect().adjusted(6, 6, -6, -6);
    QRadialGradient red(field.center(), field.height() * 0.6);
    red.setColorAt(0.0, QColor(196, 34, 40));
    red.setColorAt(1.0, QColor(110, 10, 18));
    p.setPen(QPen(QColor(60, 6, 8), 1.0));
    p.setBrush(red);
    p.drawRoundedRect(field, 4, 4);
    p.setPen(QPen(kGold, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(field.adjusted(3, 3, -3, -3), 3, 3);
    // A lattice of small diamonds.
    p.setPen(QPen(QColor(232, 184, 60, 90), 0.8));
    for (double d = -kCardHeight; d < kCardHeight * 2; d += 10) {
        p.drawLine(QPointF(field.left(), field.top() + d),
                   QPointF(field.right(), field.top() + d + field.width()));
        p.drawLine(QPointF(field.left(), field.top() + d + field.width()),
                   QPointF(field.right(), field.top() + d));
    }
    p.setPen(QPen(kGold, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(field.adjusted(3, 3, -3, -3), 3, 3);
    // The medallion: stepped diamonds, gold, turquoise, cream, red.
    const QPointF c = field.center();
    const QColor rings[] = {QColor(40, 20, 10), kGold, kTurquoise, kBackCream, QColor(196, 34, 40), kGold};
    const double sizes[] = {40, 36, 29, 22, 15, 7};
    for (int i = 0; i < 6; ++i) {
        const double s = sizes[i];
        const double st = s / 4.0;
        QPolygonF d;
        // A stepped diamond: four stairs on each side.
        for (int k = 0; k < 4; ++k)
            d << QPointF(c.x() + k * st, c.y() - s + k * st)
              << QPointF(c.x() + (k + 1) * st, c.y() - s + k * st);
        for (int k = 0; k < 4; ++k)
            d << QPointF(c.x() + s - k * st, c.y() + k * st)
              << QPointF(c.x() + s - k * st, c.y() + (k + 1) * st);
        for (int k = 0; k < 4; ++k)
            d << QPointF(c.x() - k * st, c.y() + s - k * st)
              << QPointF(c.x() - (k + 1) * st, c.y() + s - k * st);
        for (int k = 0; k < 4; ++k)
            d << QPointF(c.x() - s + k * st, c.y() - k * st)
              << QPointF(c.x() - s + k * st, c.y() - (k + 1) * st);
        p.setPen(QPen(QColor(40, 10, 6), 0.8));
        p.setBrush(rings[i]);
        p.drawPolygon(d);
    }
    // Arrowheads above and below the medallion.
    for (const double dir : {-1.0, 1.0}) {
        QPolygonF tip;
        tip << QPointF(c.x(), c.y() + dir * 66) << QPointF(c.x() - 8, c.y() + dir * 48)
            << QPointF(c.x(), c.y() + dir * 52) << QPointF(c.x() + 8, c.y() + dir * 48);
        p.setBrush(kGold);
        p.drawPolygon(tip);
    }
    p.end();
    // No pixel of the back may be pure white, which the reveal treats as see-through.
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (qAlpha(line[x]) == 255 && (line[x] & 0xFFFFFFu) == 0xFFFFFFu) line[x] = qRgb(254, 254, 254);
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Frame `step` (1..14) of the back peeled away from the lower right corner: the peeled part pure white, the
// turned-over flap showing the paper's plain underside.
QImage paintPeel(int step) {
    const QImage back = paintBack();
    QImage image = canvas(kCardWidth, kCardHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The fold runs across the card, perpendicular to the diagonal from the corner, a fraction of the way up.
    const QPointF corner(kCardWidth, kCardHeight), far(0, 0);
    const QPointF axis = (far - corner) / std::hypot(kCardWidth, kCardHeight);
    const double length = std::hypot(kCardWidth, kCardHeight);
    const double reach = length * std::pow(step / 14.0, 0.9) * 1.02;
    const QPointF foldPoint = corner + axis * reach;
    const QPointF along(-axis.y(), axis.x());
    // Half-plane beyond the fold (the corner's side): a big polygon.
    QPainterPath peeled;
    peeled.moveTo(foldPoint + along * 400);
    peeled.lineTo(foldPoint - along * 400);
    peeled.lineTo(foldPoint - along * 400 - axis * 400);
    peeled.lineTo(foldPoint + along * 400 - axis * 400);
    peeled.closeSubpath();
    const QPainterPath card = cardShape();
    const QPainterPath gone = card.intersected(peeled);
    const QPainterPath stays = card.subtracted(peeled);
    // What stays of the back.
    p.save();
    p.setClipPath(stays);
    p.drawImage(0, 0, back);
    p.restore();
    // The peeled part is white: the face shows through there.
    p.fillPath(gone, QColor(255, 255, 255));
    // The flap: the peeled part mirrored over the fold, lying on what stays.
    QTransform mirror;
    {
        const double ax = along.x(), ay = along.y();
        // Reflection across the line through foldPoint with direction `along`.
        const double m11 = ax * ax - ay * ay, m12 = 2 * ax * ay, m22 = ay * ay - ax * ax;
        mirror = QTransform(m11, m12, m12, m22, 0, 0);
        const QPointF moved = mirror.map(foldPoint);
        mirror = QTransform(m11, m12, m12, m22, foldPoint.x() - moved.x(), foldPoint.y() - moved.y());
    }
    const QPainterPath flap = mirror.map(gone).intersected(QPainterPath(card));
    if (!flap.isEmpty()) {
        // A shadow beneath the flap.
        p.save();
        p.setClipPath(stays);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawPath(flap.translated(axis * -2.5));
        p.restore();
        QLinearGradient under(foldPoint, foldPoint + axis * 60);
        under.setColorAt(0.0, QColor(200, 192, 176));
        under.setColorAt(0.4, QColor(246, 240, 226));
        under.setColorAt(1.0, QColor(222, 214, 196));
        p.setPen(QPen(QColor(120, 110, 96), 0.9));
        p.setBrush(under);
        p.drawPath(flap);
    }
    p.end();
    // Keep pure white only where the card is peeled: the flap's highlights may not be.
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const qreal ratio = out.devicePixelRatio();
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = line[x];
            if (qAlpha(c) < 128) {
                line[x] = 0;
                continue;
            }
            const QPointF at((x + 0.5) / ratio, (y + 0.5) / ratio);
            const bool inGone = gone.contains(at) && !flap.contains(at);
            if (inGone)
                line[x] = qRgb(255, 255, 255);
            else if ((c & 0xFFFFFFu) == 0xFFFFFFu)
                line[x] = qRgb(254, 254, 254);
            else
                line[x] = qRgb(qRed(c), qGreen(c), qBlue(c));
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A suit icon for the suit buttons and the history row: the suit on a small ivory tile in a gold rim.
QImage paintSuitIcon(int suit) {
    QImage image = canvas(50, 50);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(1, 1, 48, 48);
    QLinearGradient rim(tile.topLeft(), tile.bottomLeft());
    rim.setColorAt(0.0, QColor(255, 236, 160));
    rim.setColorAt(1.0, QColor(150, 96, 16));
    p.setPen(QPen(QColor(40, 20, 0), 1.0));
    p.setBrush(rim);
    p.drawRoundedRect(tile, 9, 9);
    QRadialGradient ivory(QPointF(20, 18), 34);
    ivory.setColorAt(0.0, QColor(255, 252, 240));
    ivory.setColorAt(1.0, QColor(222, 210, 180));
    p.setBrush(ivory);
    p.setPen(QPen(QColor(100, 70, 20), 0.8));
    p.drawRoundedRect(tile.adjusted(3.5, 3.5, -3.5, -3.5), 6, 6);
    paintSuit(p, suit, QRectF(11, 10, 28, 30));
    return image;
}

}  // namespace

QImage paintCard(int entry) {
    if (entry >= 1 && entry <= 4) return paintFace(entry);
    if (entry == 5 || entry == 10) return paintBack();
    if (entry >= 6 && entry <= 9) return paintSuitIcon(entry - 5);
    if (entry >= 11 && entry <= 24) return paintPeel(entry - 10);
    return {};
}

QImage paintGamblePanel() {
    const int w = 252, h = 372;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Gold frame round dark leather.
    QLinearGradient rim(0, 0, w, h);
    rim.setColorAt(0.0, QColor(255, 236, 160));
    rim.setColorAt(0.5, QColor(210, 150, 40));
    rim.setColorAt(1.0, QColor(110, 70, 10));
    p.fillRect(image.rect(), rim);
    const QRectF inner(4, 4, w - 8, h - 8);
    QLinearGradient leather(inner.topLeft(), inner.bottomLeft());
    leather.setColorAt(0.0, QColor(60, 22, 12));
    leather.setColorAt(1.0, QColor(26, 8, 4));
    p.setPen(QPen(QColor(20, 6, 2), 1.0));
    p.setBrush(leather);
    p.drawRoundedRect(inner, 6, 6);
    // Green felt where the card and the suit buttons lie.
    const QRectF felt(8, 66, w - 16, 196);
    QRadialGradient green(felt.center(), felt.width() * 0.7);
    green.setColorAt(0.0, QColor(30, 130, 70));
    green.setColorAt(1.0, QColor(8, 60, 30));
    p.setPen(QPen(QColor(232, 184, 60), 1.5));
    p.setBrush(green);
    p.drawRoundedRect(felt, 8, 8);
    p.end();
    addGrain(image, 303, 4);
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The card's place: a recessed, gold-edged bed.
    const QRectF bed(72, 71, 106.5, 162);
    p.setPen(QPen(QColor(232, 184, 60), 2.0));
    p.setBrush(QColor(4, 36, 18));
    p.drawRoundedRect(bed, 9, 9);
    // Wells under the suit buttons.
    for (const QPointF at : {QPointF(16, 72), QPointF(178.67, 72), QPointF(16, 176), QPointF(178.67, 176)}) {
        p.setPen(QPen(QColor(232, 184, 60, 160), 1.2));
        p.setBrush(QColor(4, 36, 18, 200));
        p.drawRoundedRect(QRectF(at, QSizeF(54, 54)).adjusted(0, -2, 0, 2), 10, 10);
    }
    // "PAYS 4:1" under the suit wells and "PAYS 2:1" above the colour buttons, in small gold letters.
    Lettering small;
    small.top = QColor(255, 236, 160);
    small.bottom = QColor(220, 160, 40);
    small.outline = QColor(20, 10, 0);
    small.outlineWidth = 1.0;
    small.shadow = false;
    small.shine = false;
    drawLettering(p, textPath(QStringLiteral("SUIT 4:1"), font(Face::SansBold, 9), QRectF(12, 150, 62, 10)),
                  small);
    drawLettering(p, textPath(QStringLiteral("SUIT 4:1"), font(Face::SansBold, 9), QRectF(176, 150, 62, 10)),
                  small);
    // The history tray with its five places.
    const QRectF tray(14, 262, w - 28, 54);
    p.setPen(QPen(QColor(232, 184, 60), 1.2));
    p.setBrush(QColor(12, 4, 2));
    p.drawRoundedRect(tray, 6, 6);
    for (int k = 0; k < 5; ++k) {
        p.setPen(QPen(QColor(232, 184, 60, 90), 1.0));
        p.setBrush(QColor(30, 14, 8));
        p.drawRoundedRect(QRectF(24 + 40 * k, 264, 33, 33).adjusted(-0.5, -0.5, 0.5, 0.5), 5, 5);
    }
    // Beadwork along the bottom under the banners' resting place.
    const QColor beads[] = {QColor(200, 35, 28), QColor(251, 244, 226), kTurquoise, QColor(24, 40, 110),
                            kGold};
    for (int i = 0; i < 60; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(beads[(i / 2) % 5]);
        p.drawEllipse(QPointF(10 + i * 3.9, 360), 1.7, 1.7);
    }
    return image;
}

QImage paintGambleButton(const QString& name) {
    ButtonStyle style;
    QStringList label;
    QSize size(68, 30);
    if (name == QLatin1String("betred")) {
        style.face = QColor(214, 28, 28);
        label = {QStringLiteral("RED")};
    } else if (name == QLatin1String("betblack")) {
        style.face = QColor(46, 46, 54);
        label = {QStringLiteral("BLACK")};
    } else if (name == QLatin1String("cancelbet")) {
        style.face = QColor(40, 140, 56);
        label = {QStringLiteral("TAKE WIN")};
        size = QSize(104, 30);
    } else {
        return {};
    }
    return button(size, style, label, false);
}

QImage paintBanner(bool win) {
    QImage image = canvas(150, 30);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF band(1, 1, 148, 28);
    QLinearGradient cloth(band.topLeft(), band.bottomLeft());
    if (win) {
        cloth.setColorAt(0.0, QColor(60, 200, 110));
        cloth.setColorAt(0.5, QColor(20, 130, 60));
        cloth.setColorAt(1.0, QColor(8, 70, 30));
    } else {
        cloth.setColorAt(0.0, QColor(150, 40, 40));
        cloth.setColorAt(0.5, QColor(90, 16, 16));
        cloth.setColorAt(1.0, QColor(40, 6, 6));
    }
    p.setPen(QPen(win ? QColor(255, 220, 90) : QColor(160, 150, 150), 2.0));
    p.setBrush(cloth);
    p.drawRoundedRect(band, 8, 8);
    Lettering l;
    if (win) {
        l.top = QColor(255, 252, 210);
        l.bottom = QColor(255, 190, 40);
        l.outline = QColor(60, 20, 0);
        // Sparkles either side.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 200));
        for (const QPointF at : {QPointF(22, 10), QPointF(128, 10), QPointF(34, 21), QPointF(116, 21)}) {
            QPolygonF star;
            star << at + QPointF(0, -4) << at + QPointF(1, -1) << at + QPointF(4, 0) << at + QPointF(1, 1)
                 << at + QPointF(0, 4) << at + QPointF(-1, 1) << at + QPointF(-4, 0) << at + QPointF(-1, -1);
            p.drawPolygon(star);
        }
    } else {
        l.top = QColor(240, 236, 236);
        l.bottom = QColor(170, 160, 160);
        l.outline = QColor(20, 0, 0);
    }
    l.outlineWidth = 1.6;
    drawLettering(p,
                  textPath(win ? QStringLiteral("WIN") : QStringLiteral("LOSE"), font(Face::SerifBold, 22),
                           band.adjusted(40, 4, -40, -4)),
                  l);
    return image;
}

}  // namespace zem::assets::art
