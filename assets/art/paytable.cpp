// SPDX-License-Identifier: GPL-3.0-or-later
// The pay-table picture, drawn from the machine's own pays, and the program's icon.
#include "art.h"
#include "core/free_spins.h"
#include "core/symbols.h"
#include "painting.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <vector>

namespace zem::assets::art {

namespace {

const QColor kGoldLight(255, 236, 160);
const QColor kGold(226, 172, 50);
const QColor kGoldDark(120, 76, 10);
const QColor kText(250, 240, 220);

// Where the texts of the pay table go, when someone asks to see them.
std::vector<DrawnText>* drawnTexts = nullptr;
int boxSymbol = 0;  // the symbol whose box is being drawn

// Small text with a dark drop under it, for legibility on leather.
void say(QPainter& p, const QRectF& box, const QString& text, const QFont& f, const QColor& colour,
         int flags = Qt::AlignLeft | Qt::AlignVCenter) {
    if (drawnTexts != nullptr) drawnTexts->push_back({text, box, boxSymbol});
    p.setFont(f);
    p.setPen(QColor(0, 0, 0, 200));
    p.drawText(box.translated(1, 1), flags, text);
    p.setPen(colour);
    p.drawText(box, flags, text);
}

void panelBox(QPainter& p, const QRectF& box) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0.0, QColor(70, 26, 14, 230));
    fill.setColorAt(1.0, QColor(30, 10, 6, 230));
    p.setPen(QPen(kGold, 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(box, 6, 6);
    p.restore();
}

void drawTile(QPainter& p, const QImage& tile, const QRectF& at) {
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(at, tile.scaled((at.size() * tile.devicePixelRatio()).toSize(), Qt::IgnoreAspectRatio,
                                Qt::SmoothTransformation));
    p.setPen(QPen(QColor(20, 8, 2), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(at.adjusted(-0.5, -0.5, 0.5, 0.5));
    p.restore();
}

}  // namespace

QImage paintPaytable(Studio& s, std::vector<DrawnText>* texts) {
    drawnTexts = texts;
    const int w = 500, h = 378;
    QImage image = canvas(w, h);
    {
        QPainter p(&image);
        QLinearGradient leather(0, 0, 0, h);
        leather.setColorAt(0.0, QColor(66, 26, 14));
        leather.setColorAt(1.0, QColor(30, 10, 6));
        p.fillRect(image.rect(), leather);
    }
    addGrain(image, 404, 5);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // Gold frame.
    QLinearGradient rim(0, 0, w, h);
    rim.setColorAt(0.0, kGoldLight);
    rim.setColorAt(0.5, kGold);
    rim.setColorAt(1.0, kGoldDark);
    p.setPen(QPen(QBrush(rim), 3.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, w - 3, h - 3), 6, 6);

    // Heading.
    Lettering title;
    title.top = kGoldLight;
    title.bottom = QColor(214, 150, 30);
    title.outline = QColor(40, 14, 0);
    title.outlineWidth = 1.6;
    drawLettering(
        p, textPath(QStringLiteral("ZEM  PAYTABLE"), font(Face::SerifBold, 26), QRectF(100, 6, 300, 24)),
        title);

    const QFont body = font(Face::Sans, 10);
    const QFont bold = font(Face::SansBold, 10);
    const QFont head = font(Face::SansBold, 12);

    // The Wild's rule and the free spins.
    const QRectF wildBox(8, 36, 240, 82), scatterBox(252, 36, 240, 82);
    panelBox(p, wildBox);
    panelBox(p, scatterBox);
    drawTile(p, s.symbol(core::Wild), QRectF(wildBox.left() + 6, wildBox.top() + 6, 70, 70));
    drawTile(p, s.symbol(core::Scatter), QRectF(scatterBox.left() + 6, scatterBox.top() + 6, 70, 70));
    say(p, QRectF(wildBox.left() + 84, wildBox.top() + 4, 150, 16), QStringLiteral("WILD"), head, kGoldLight);
    const QStringList wildRule = {
        QStringLiteral("Substitutes for all symbols"), QStringLiteral("except the Scatter."),
        QStringLiteral("A Wild on a reel is held over"), QStringLiteral("for the next spin, also in"),
        QStringLiteral("free spins.")};
    for (int i = 0; i < wildRule.size(); ++i)
        say(p, QRectF(wildBox.left() + 84, wildBox.top() + 20 + i * 11.5, 154, 12), wildRule[i], body, kText);
    const core::FreeSpinAward three = core::freeSpinAward(3), four = core::freeSpinAward(4),
                              five = core::freeSpinAward(5);
    say(p, QRectF(scatterBox.left() + 84, scatterBox.top() + 4, 150, 16), QStringLiteral("FREE SPINS"), head,
        kGoldLight);
    const QStringList freeRule = {QStringLiteral("3, 4 or 5 Scatters anywhere"),
                                  QStringLiteral("start %1, %2 or %3 free spins.")
                                      .arg(three.announced)
                                      .arg(four.announced)
                                      .arg(five.announced),
                                  QStringLiteral("Free-spin wins with a Wild"),
                                  QStringLiteral("pay x2, x3, x5 or x10."),
                                  QStringLiteral("3+ in free spins add spins.")};
    for (int i = 0; i < freeRule.size(); ++i)
        say(p, QRectF(scatterBox.left() + 84, scatterBox.top() + 20 + i * 11.5, 154, 12), freeRule[i], body,
            kText);

    // The pays heading and one box per paying symbol, the highest pays first.
    drawLettering(p,
                  textPath(QStringLiteral("PAYS PER CREDIT BET ON A LINE"), font(Face::SansBold, 13),
                           QRectF(60, 122, 380, 13)),
                  title);
    std::vector<int> order;
    for (int id = core::Chief; id <= core::Tomahawk; ++id) order.push_back(id);
    std::stable_sort(order.begin(), order.end(),
                     [](int a, int b) { return core::linePay(a, 5) > core::linePay(b, 5); });
    for (std::size_t i = 0; i < order.size(); ++i) {
        const int id = order[i];
        boxSymbol = id;
        const QRectF box(8 + (i % 5) * 97.2, 141 + (i / 5) * 92, 92, 88);
        panelBox(p, box);
        drawTile(p, s.symbol(id), QRectF(box.left() + 24, box.top() + 4, 44, 44));
        int rows = 0;
        for (int run = 5; run >= 2; --run)
            if (core::linePay(id, run) > 0) ++rows;
        int row = 0;
        const double top = box.top() + 50 + (4 - rows) * 4.5;
        for (int run = 5; run >= 2; --run) {
            const int pay = core::linePay(id, run);
            if (pay <= 0) continue;
            const QRectF line(box.left() + 16, top + row * 9.5, box.width() - 32, 10);
            say(p, line, QString::number(run), bold, kGoldLight, Qt::AlignLeft | Qt::AlignVCenter);
            say(p, line, QString::number(pay), bold, kText, Qt::AlignRight | Qt::AlignVCenter);
            ++row;
        }
    }

    boxSymbol = 0;

    // The Scatter pays, as multiples of the total bet.
    const QRectF strip(8, 326, 484, 24);
    panelBox(p, strip);
    drawTile(p, s.symbol(core::Scatter), QRectF(strip.left() + 5, strip.top() + 2, 20, 20));
    QString pays = QStringLiteral("SCATTER PAYS ");
    for (int n = 2; n <= 5; ++n) pays += QStringLiteral("   %1 = %2x").arg(n).arg(core::scatterFactor(n));
    pays += QStringLiteral("   TOTAL BET");
    say(p, QRectF(strip.left() + 34, strip.top(), strip.width() - 40, strip.height()), pays, bold,
        kGoldLight);
    // The band at the foot where the window writes the machine's return at the player's setting.
    panelBox(p, kPaytableReturnBand);
    drawnTexts = nullptr;
    return image;
}

// The icon is drawn from shapes alone (no clipping, no pictures), so the same drawing serves the PNG sizes
// and the scalable SVG of the desktop theme.
void drawIcon(QPainter& p, Studio& s, double size) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double k = size / 256.0;
    const QRectF tile(4 * k, 4 * k, size - 8 * k, size - 8 * k);
    QRadialGradient red(tile.center() + QPointF(-30 * k, -40 * k), size * 0.8);
    red.setColorAt(0.0, QColor(200, 40, 30));
    red.setColorAt(1.0, QColor(70, 8, 6));
    QLinearGradient rim(tile.topLeft(), tile.bottomRight());
    rim.setColorAt(0.0, kGoldLight);
    rim.setColorAt(0.5, kGold);
    rim.setColorAt(1.0, kGoldDark);
    // The gold rim is a filled ring rather than a gradient pen, which the SVG output cannot carry.
    const double rimWidth = std::max(1.5, 10 * k);
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawRoundedRect(tile, 40 * k, 40 * k);
    const double half = rimWidth / 2;
    QPainterPath ring;
    ring.addRoundedRect(tile.adjusted(-half, -half, half, half), 40 * k + half, 40 * k + half);
    QPainterPath hole;
    hole.addRoundedRect(tile.adjusted(half, half, -half, -half), 40 * k - half, 40 * k - half);
    p.setBrush(rim);
    p.drawPath(ring.subtracted(hole));
    // Sun rays behind the shield, cut to the inside of the rim.
    QPainterPath rays;
    rays.setFillRule(Qt::WindingFill);
    for (int i = 1; i <= 12; ++i) {
        QTransform turn;
        turn.translate(tile.center().x(), tile.center().y());
        turn.rotate(30.0 * i);
        QPolygonF ray;
        ray << QPointF(0, 0) << QPointF(-22 * k, -140 * k) << QPointF(22 * k, -140 * k);
        rays.addPolygon(turn.map(ray));
        rays.closeSubpath();
    }
    QPainterPath inside;
    inside.addRect(tile.adjusted(8 * k, 8 * k, -8 * k, -8 * k));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 200, 80, 90));
    p.drawPath(rays.simplified().intersected(inside));
    paintShield(p, s, tile.center(), size * 0.34, 0.0);
    p.restore();
}

QImage paintIcon(Studio& s, int size) {
    QImage image = canvas(size, size);
    QPainter p(&image);
    drawIcon(p, s, size);
    return image;
}

}  // namespace zem::assets::art
