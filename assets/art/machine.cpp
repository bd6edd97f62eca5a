// SPDX-License-Identifier: GPL-3.0-or-later
// The machine window's background, the button panel with every button's pressed look, the picture buttons,
// the coins of the COINS animation, the captions of the right-hand box and the payline markers.
#include "art.h"
#include "core/reels.h"
#include "painting.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace zem::assets::art {

namespace {

constexpr double kTwip = 15.0;
constexpr int kWindowWidth = 794, kWindowHeight = 588;
constexpr int kPanelWidth = 804, kPanelHeight = 139;
constexpr double kPanelTop = 6720 / kTwip;

const QColor kGoldLight(255, 236, 160);
const QColor kGold(224, 170, 50);
const QColor kGoldDark(120, 76, 10);

// A picture button on the panel: its place and size in twips, its label and its colour.
struct PanelButton {
    const char* name;
    int index;
    int left, top, width, height;
    QStringList label;
    int bigLine;  // which line of a two-line label is large: 0, 1, or -1 for both alike
    QColor face;
};

const std::vector<PanelButton>& buttons() {
    static const QColor teal(22, 150, 140), red(206, 40, 26), blue(34, 96, 196), slate(96, 104, 124),
        purple(122, 58, 160), gold(230, 168, 30), amber(226, 128, 16), green(40, 140, 56);
    static const std::vector<PanelButton> all = {
        {"payline", 1, 630, 180, 930, 630, {"1", "LINE"}, 0, teal},
        {"payline", 2, 1580, 180, 915, 615, {"5", "LINES"}, 0, teal},
        {"payline", 3, 2510, 180, 930, 630, {"10", "LINES"}, 0, teal},
        {"payline", 4, 3460, 180, 915, 645, {"15", "LINES"}, 0, teal},
        {"payline", 5, 4440, 180, 930, 645, {"25", "LINES"}, 0, teal},
        {"autoplayon", 0, 5400, 180, 900, 630, {"AUTO", "ON"}, -1, blue},
        {"autoplayoff", 0, 6360, 180, 975, 645, {"AUTO", "OFF"}, -1, slate},
        {"btnoptions", 0, 7320, 180, 1185, 615, {"OPTIONS"}, 0, purple},
        {"doublebutton", 0, 8530, 180, 1575, 1395, {"GAMBLE"}, 0, gold},
        {"pplay", 1, 440, 800, 975, 660, {"BET", "1"}, 1, red},
        {"pplay", 2, 1440, 800, 975, 675, {"BET", "2"}, 1, red},
        {"pplay", 3, 2430, 800, 960, 675, {"BET", "3"}, 1, red},
        {"pplay", 4, 3380, 800, 975, 705, {"BET", "5"}, 1, red},
        {"pplay", 5, 4400, 800, 990, 705, {"BET", "10"}, 1, red},
        {"pplay", 6, 5390, 800, 945, 705, {"BET", "20"}, 1, red},
        {"coinsin", 0, 6370, 800, 960, 660, {"COINS"}, 0, amber},
        {"notes", 0, 7350, 800, 1230, 675, {"NOTES"}, 0, green},
    };
    return all;
}

const PanelButton* findButton(const QString& name, int index) {
    for (const auto& b : buttons())
        if (name == QLatin1String(b.name) && index == b.index) return &b;
    return nullptr;
}

QRectF twips(double left, double top, double width, double height) {
    return QRectF(left / kTwip, top / kTwip, width / kTwip, height / kTwip);
}

// Where a button's picture lands on the panel: whole pixels, as the window places pictures.
QRectF placeOnPanel(const PanelButton& b) {
    return QRectF(std::round(b.left / kTwip), std::round(b.top / kTwip), b.width / kTwip, b.height / kTwip);
}

// A lit label in the machine's gold.
Lettering goldLetters() {
    Lettering l;
    l.top = kGoldLight;
    l.bottom = QColor(214, 150, 30);
    l.outline = QColor(50, 20, 0);
    l.outlineWidth = 1.3;
    return l;
}

// The GAMBLE button: gold, with the four suits under its word.
void paintGambleFace(QPainter& p, const QRectF& rect, bool pressed) {
    ButtonStyle style;
    style.face = QColor(230, 168, 30);
    style.text = QColor(255, 250, 220);
    style.textOutline = QColor(90, 20, 0);
    paintButton(p, rect, style, {}, pressed);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF shift = pressed ? QPointF(0.7, 0.9) : QPointF(0, 0);
    const QRectF words =
        QRectF(rect.left() + 8, rect.top() + 12, rect.width() - 16, rect.height() * 0.36).translated(shift);
    Lettering l;
    l.top = pressed ? QColor(220, 210, 190) : QColor(255, 255, 240);
    l.bottom = pressed ? QColor(200, 120, 40) : QColor(255, 170, 60);
    l.outline = QColor(90, 20, 0);
    l.outlineWidth = 1.6;
    l.shadow = !pressed;
    drawLettering(p, textPath(QStringLiteral("GAMBLE"), font(Face::SansBold, 26), words), l);
    const double size = rect.width() * 0.16;
    const double y = rect.top() + rect.height() * 0.58;
    for (int suit = 1; suit <= 4; ++suit) {
        const double x =
            rect.left() + rect.width() * (0.14 + 0.2 * (suit - 1)) + (rect.width() * 0.2 - size) / 2;
        QRectF box(x, y, size, size * 1.1);
        box.translate(shift);
        // A white card corner behind each suit.
        p.setPen(QPen(QColor(60, 30, 0), 1.0));
        p.setBrush(QColor(252, 248, 236));
        p.drawRoundedRect(box.adjusted(-2.5, -2.5, 2.5, 2.5), 3, 3);
        p.setPen(QPen(QColor(30, 10, 0), 0.6));
        p.setBrush(suitIsRed(suit) ? QColor(210, 20, 20) : QColor(20, 20, 24));
        p.drawPath(suitPath(suit, box));
    }
    p.restore();
}

// The slot plate of the coin chute, as it stands on the panel and under the half-inserted coin.
void paintSlot(QPainter& p, const QRectF& coinBox) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plate(coinBox.left() + 1, coinBox.top() + 21, coinBox.width() - 2, coinBox.height() - 22);
    QLinearGradient chrome(plate.topLeft(), plate.bottomLeft());
    chrome.setColorAt(0.0, QColor(250, 246, 236));
    chrome.setColorAt(0.45, QColor(160, 160, 170));
    chrome.setColorAt(0.55, QColor(110, 110, 122));
    chrome.setColorAt(1.0, QColor(210, 210, 220));
    p.setPen(QPen(QColor(20, 20, 26), 1.0));
    p.setBrush(chrome);
    p.drawRoundedRect(plate, 5, 5);
    const QRectF opening(plate.left() + 8, plate.top() + 6, plate.width() - 16, 5);
    p.setBrush(QColor(8, 6, 6));
    p.setPen(QPen(QColor(255, 255, 255, 160), 0.8));
    p.drawRoundedRect(opening, 2, 2);
    // An arrow pointing into the slot.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 20));
    QPolygonF arrow;
    const double cx = plate.center().x(), y = plate.bottom() - 7;
    arrow << QPointF(cx - 5, y - 2) << QPointF(cx + 5, y - 2) << QPointF(cx, y + 3);
    p.drawPolygon(arrow);
    p.restore();
}

QRectF halfCoinOnPanel() { return QRectF(std::round(10600 / kTwip), std::round(550 / kTwip), 57, 41); }
QRectF dollarOnPanel() { return QRectF(std::round(10680 / kTwip), 0, 41, 41); }

// A gold coin face in `box`.
void paintCoin(QPainter& p, const QRectF& box) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = box.center();
    const double r = box.width() / 2 - 0.5;
    QRadialGradient gold(c + QPointF(-r * 0.35, -r * 0.4), r * 1.5);
    gold.setColorAt(0.0, QColor(255, 248, 190));
    gold.setColorAt(0.4, QColor(240, 190, 60));
    gold.setColorAt(1.0, QColor(150, 90, 10));
    p.setPen(QPen(QColor(80, 46, 0), 1.0));
    p.setBrush(gold);
    p.drawEllipse(c, r, r);
    // Reeded rim.
    p.setPen(QPen(QColor(150, 96, 10, 200), 0.8));
    for (int i = 0; i < 48; ++i) {
        const double a = i * 2 * 3.14159265 / 48;
        p.drawLine(c + QPointF((r - 3) * std::cos(a), (r - 3) * std::sin(a)),
                   c + QPointF(r * std::cos(a), r * std::sin(a)));
    }
    QRadialGradient face(c + QPointF(r * 0.25, r * 0.3), r);
    face.setColorAt(0.0, QColor(250, 210, 90));
    face.setColorAt(1.0, QColor(200, 140, 30));
    p.setPen(QPen(QColor(110, 66, 4), 1.0));
    p.setBrush(face);
    p.drawEllipse(c, r * 0.76, r * 0.76);
    // Embossed dollar sign: a dark copy below, a light copy above.
    const QPainterPath sign = textPath(QStringLiteral("$"), font(Face::SerifBold, r * 1.3),
                                       QRectF(c.x() - r * 0.5, c.y() - r * 0.6, r, r * 1.2));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 62, 0, 200));
    p.drawPath(sign.translated(0.8, 1.0));
    p.setBrush(QColor(255, 240, 170));
    p.drawPath(sign);
    // Shine.
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(c + QPointF(-r * 0.38, -r * 0.45), r * 0.3, r * 0.16);
    p.restore();
}

// A strip of beadwork: rows of small square beads in a stepped pattern.
void paintBeadwork(QPainter& p, const QRectF& band, int seed) {
    p.save();
    const QColor colours[] = {QColor(200, 35, 28), QColor(251, 244, 226), QColor(21, 144, 140),
                              QColor(24, 40, 110), QColor(242, 194, 48)};
    const double bead = band.height() / 5.0;
    const int cols = static_cast<int>(band.width() / bead) + 1;
    p.fillRect(band, QColor(20, 12, 8));
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < cols; ++col) {
            const int phase = (col + seed) % 12;
            const int d = std::abs(phase - 6);  // stepped diamonds
            int idx;
            if (std::abs(row - 2) + d <= 2)
                idx = 0;
            else if (std::abs(row - 2) + d == 3)
                idx = 4;
            else if (row == 0 || row == 4)
                idx = 3;
            else
                idx = (d >= 5) ? 2 : 1;
            const QRectF r(band.left() + col * bead, band.top() + row * bead, bead - 0.6, bead - 0.6);
            if (r.left() > band.right()) break;
            QLinearGradient g(r.topLeft(), r.bottomLeft());
            g.setColorAt(0.0, lighter(colours[idx], 0.3));
            g.setColorAt(1.0, darker(colours[idx], 0.25));
            p.fillRect(r.intersected(band), g);
        }
    }
    p.restore();
}

// A framed box of the header: dark glass in a double gold rim.
void paintMeterBox(QPainter& p, const QRectF& box) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(10, 4, 2), 2.0));
    QLinearGradient rim(box.topLeft(), box.bottomLeft());
    rim.setColorAt(0.0, kGoldLight);
    rim.setColorAt(0.5, kGold);
    rim.setColorAt(1.0, kGoldDark);
    p.setBrush(rim);
    p.drawRoundedRect(box, 7, 7);
    const QRectF glass = box.adjusted(3.5, 3.5, -3.5, -3.5);
    QLinearGradient dark(glass.topLeft(), glass.bottomLeft());
    dark.setColorAt(0.0, QColor(40, 16, 10));
    dark.setColorAt(1.0, QColor(10, 4, 4));
    p.setPen(QPen(QColor(10, 4, 2), 1.2));
    p.setBrush(dark);
    p.drawRoundedRect(glass, 5, 5);
    QLinearGradient gloss(glass.topLeft(), QPointF(glass.left(), glass.top() + glass.height() * 0.5));
    gloss.setColorAt(0.0, QColor(255, 255, 255, 40));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(glass.adjusted(2, 1, -2, -glass.height() * 0.5), 4, 4);
    p.restore();
}

void caption(QPainter& p, const QString& text, const QRectF& box) {
    drawLettering(p, textPath(text, font(Face::SerifBold, box.height()), box), goldLetters());
}

// The prairie at dusk that the bottom of the window shows while the button panel is hidden in free spins.
void paintPrairie(QPainter& p, const QRectF& area) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(area);
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, QColor(24, 14, 46));
    sky.setColorAt(0.45, QColor(120, 40, 70));
    sky.setColorAt(0.7, QColor(236, 120, 50));
    sky.setColorAt(1.0, QColor(250, 190, 90));
    p.fillRect(area, sky);
    Scatter stars(77);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        const QPointF s(area.left() + stars.next() * area.width(),
                        area.top() + stars.next() * area.height() * 0.35);
        p.setBrush(QColor(255, 255, 255, static_cast<int>(90 + stars.next() * 120)));
        p.drawEllipse(s, 0.8, 0.8);
    }
    // Far hills, near hills, the grass.
    QPainterPath far;
    far.moveTo(area.left(), area.bottom());
    for (int x = 0; x <= area.width(); x += 8) {
        const double y =
            area.top() + area.height() * 0.62 - 10 * std::sin(x / 70.0) - 6 * std::sin(x / 23.0 + 1.0);
        far.lineTo(area.left() + x, y);
    }
    far.lineTo(area.right(), area.bottom());
    far.closeSubpath();
    p.setBrush(QColor(80, 36, 64));
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(area.left(), area.bottom());
    for (int x = 0; x <= area.width(); x += 6) {
        const double y =
            area.top() + area.height() * 0.78 - 7 * std::sin(x / 110.0 + 2.0) - 3 * std::sin(x / 17.0);
        near.lineTo(area.left() + x, y);
    }
    near.lineTo(area.right(), area.bottom());
    near.closeSubpath();
    QLinearGradient grass(0, area.top() + area.height() * 0.7, 0, area.bottom());
    grass.setColorAt(0.0, QColor(44, 30, 28));
    grass.setColorAt(1.0, QColor(14, 10, 10));
    p.setBrush(grass);
    p.drawPath(near);
    p.restore();
}

}  // namespace

QImage cabinet(int width, int height, uint32_t seed) {
    QImage image = canvas(width, height);
    QPainter p(&image);
    QLinearGradient wood(0, 0, 0, height);
    wood.setColorAt(0.0, QColor(70, 34, 18));
    wood.setColorAt(1.0, QColor(34, 14, 8));
    p.fillRect(image.rect(), wood);
    Scatter grain(seed);
    for (int i = 0; i < width / 3; ++i) {
        const double y = grain.next() * height;
        p.setPen(QPen(QColor(0, 0, 0, static_cast<int>(20 + grain.next() * 30)), 1.0));
        QPainterPath line;
        line.moveTo(0, y);
        for (int x = 0; x <= width; x += 20) line.lineTo(x, y + 2.0 * std::sin(x / 37.0 + i));
        p.drawPath(line);
    }
    p.end();
    addGrain(image, seed, 6);
    return image;
}

QImage paintBackground(Studio& s) {
    (void)s;
    QImage image = cabinet(kWindowWidth, kWindowHeight, 101);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // The header with its three meters.
    QLinearGradient header(0, 0, 0, 62);
    header.setColorAt(0.0, QColor(60, 20, 10));
    header.setColorAt(1.0, QColor(24, 8, 4));
    p.fillRect(QRectF(0, 0, kWindowWidth, 62), header);
    p.fillRect(QRectF(0, 60, kWindowWidth, 2), kGold);
    paintMeterBox(p, QRectF(92, 4, 210, 54));
    paintMeterBox(p, QRectF(376, 4, 196, 54));
    paintMeterBox(p, QRectF(584, 4, 164, 54));
    caption(p, QStringLiteral("CREDIT"), QRectF(104, 10, 88, 15));
    caption(p, QStringLiteral("WIN"), QRectF(386, 10, 36, 15));
    // The name plate between the meters and the emblem at the left.
    Lettering name = goldLetters();
    name.outlineWidth = 1.8;
    drawLettering(p, textPath(QStringLiteral("ZEM"), font(Face::SerifBold, 34), QRectF(306, 8, 66, 40)),
                  name);
    p.save();
    const QPointF sun(46, 30);
    for (int i = 0; i < 16; ++i) {
        p.save();
        p.translate(sun);
        p.rotate(i * 22.5);
        QPolygonF ray;
        ray << QPointF(-3, -13) << QPointF(0, -25) << QPointF(3, -13);
        p.setPen(QPen(QColor(50, 20, 0), 0.8));
        p.setBrush(i % 2 ? QColor(200, 35, 28) : kGold);
        p.drawPolygon(ray);
        p.restore();
    }
    QRadialGradient disc(sun + QPointF(-3, -3), 14);
    disc.setColorAt(0.0, QColor(255, 240, 170));
    disc.setColorAt(1.0, QColor(210, 130, 20));
    p.setPen(QPen(QColor(60, 24, 0), 1.2));
    p.setBrush(disc);
    p.drawEllipse(sun, 12.5, 12.5);
    p.setBrush(QColor(21, 144, 140));
    p.drawEllipse(sun, 5, 5);
    p.restore();

    // The reel area: a black well framed in gold, with the red fields the reel windows cover.
    const QRectF well(60, 63, 681, 386);
    p.setPen(Qt::NoPen);
    QLinearGradient wellShade(well.topLeft(), well.bottomLeft());
    wellShade.setColorAt(0.0, QColor(6, 4, 4));
    wellShade.setColorAt(1.0, QColor(20, 10, 8));
    p.fillRect(well, wellShade);
    for (const int left : {990, 3010, 5070, 7110, 9150}) {
        const QRectF field = twips(left, 1025, core::kCellTwips, 3 * core::kCellTwips);
        QLinearGradient red(field.topLeft(), field.bottomLeft());
        red.setColorAt(0.0, QColor(150, 14, 10));
        red.setColorAt(0.5, QColor(196, 24, 16));
        red.setColorAt(1.0, QColor(140, 12, 8));
        p.fillRect(field, red);
        p.setPen(QPen(QColor(0, 0, 0, 160), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(field.adjusted(-0.5, -0.5, 0.5, 0.5));
    }
    p.setPen(QPen(QColor(10, 4, 2), 1.0));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 2; ++i) {
        QLinearGradient rim(well.topLeft(), well.bottomRight());
        rim.setColorAt(0.0, kGoldLight);
        rim.setColorAt(0.5, kGold);
        rim.setColorAt(1.0, kGoldDark);
        p.setPen(QPen(QBrush(rim), i == 0 ? 4.0 : 1.0));
        p.drawRoundedRect(well.adjusted(-1 - 3 * i, -1 - 3 * i, 1 + 3 * i, 1 + 3 * i), 4, 4);
    }

    // The channels where the payline markers stand.
    for (const double x : {2.0, 737.0}) {
        const QRectF channel(x + 1, 62, 51, 388);
        QLinearGradient g(channel.topLeft(), channel.topRight());
        g.setColorAt(0.0, QColor(16, 6, 4));
        g.setColorAt(0.5, QColor(40, 16, 10));
        g.setColorAt(1.0, QColor(16, 6, 4));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(channel, 4, 4);
    }

    // Below the reels: a beaded band, then the prairie the free-spin show plays on.
    paintPrairie(p, QRectF(0, kPanelTop, kWindowWidth, kWindowHeight - kPanelTop));
    paintBeadwork(p, QRectF(0, kPanelTop - 1, kWindowWidth, 5), 0);
    p.fillRect(QRectF(0, kWindowHeight - 3, kWindowWidth, 3), kGoldDark);
    return image;
}

QImage paintPanel(Studio& s) {
    (void)s;
    QImage image = cabinet(kPanelWidth, kPanelHeight, 202);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Gold trim along the top, beadwork along the bottom.
    QLinearGradient trim(0, 0, 0, 4);
    trim.setColorAt(0.0, kGoldLight);
    trim.setColorAt(1.0, kGoldDark);
    p.fillRect(QRectF(0, 0, kPanelWidth, 4), trim);
    paintBeadwork(p, QRectF(0, 112, kPanelWidth, 20), 3);
    p.fillRect(QRectF(0, 132, kPanelWidth, 7), QColor(20, 8, 4));
    p.fillRect(QRectF(0, 111, kPanelWidth, 1), kGold);
    p.fillRect(QRectF(0, 132, kPanelWidth, 1), kGold);
    // The tray the buttons sit in.
    const QRectF tray(22, 7, 660, 100);
    p.setPen(QPen(QColor(255, 220, 150, 70), 1.0));
    QLinearGradient well(tray.topLeft(), tray.bottomLeft());
    well.setColorAt(0.0, QColor(8, 4, 2));
    well.setColorAt(1.0, QColor(36, 16, 10));
    p.setBrush(well);
    p.drawRoundedRect(tray, 8, 8);
    // Every button pressed in, at its place: the picture hides while pressed, and this shows through.
    for (const auto& b : buttons()) {
        const QRectF at = placeOnPanel(b);
        if (QLatin1String(b.name) == QLatin1String("doublebutton")) {
            paintGambleFace(p, at, true);
        } else {
            ButtonStyle style;
            style.face = b.face;
            style.bigLine = b.bigLine;
            paintButton(p, at, style, b.label, true);
        }
    }
    // The coin chute at the right.
    const QRectF chute(694, 4, 100, 106);
    p.setPen(QPen(QColor(255, 220, 150, 60), 1.0));
    p.setBrush(QColor(16, 8, 4));
    p.drawRoundedRect(chute, 8, 8);
    paintSlot(p, halfCoinOnPanel());
    caption(p, QStringLiteral("INSERT COIN"), QRectF(chute.left() + 8, 84, chute.width() - 16, 11));
    (void)dollarOnPanel();
    return image;
}

QImage paintPictureButton(const QString& name, int index, bool pressed) {
    const PanelButton* b = findButton(name, index);
    if (!b) return {};
    const QSize size(static_cast<int>(b->width / kTwip), static_cast<int>(b->height / kTwip));
    QImage image = canvas(size);
    QPainter p(&image);
    const QRectF rect(QPointF(0, 0), QSizeF(size));
    if (name == QLatin1String("doublebutton")) {
        paintGambleFace(p, rect, pressed);
    } else {
        ButtonStyle style;
        style.face = b->face;
        style.bigLine = b->bigLine;
        paintButton(p, rect, style, b->label, pressed);
    }
    return image;
}

QImage paintDollarCoin() {
    QImage image = canvas(41, 41);
    QPainter p(&image);
    paintCoin(p, QRectF(0, 0, 41, 41));
    return image;
}

QImage paintHalfCoin() {
    QImage image = canvas(57, 41);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintSlot(p, QRectF(0, 0, 57, 41));
    // The coin stands in the slot opening, its lower half already through.
    QImage coin = canvas(57, 41);
    {
        QPainter c(&coin);
        paintCoin(c, QRectF(8, 0, 41, 41));
        c.setCompositionMode(QPainter::CompositionMode_Clear);
        c.fillRect(QRectF(0, 29, 57, 12), Qt::transparent);
    }
    p.drawImage(0, 0, coin);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(8, 6, 6));
    p.drawRoundedRect(QRectF(9, 27, 39, 4), 2, 2);
    return image;
}

QImage paintCaption(const QString& name) {
    const bool lastBet = name == QLatin1String("LABLASTBET");
    const QSize size = lastBet ? QSize(110, 26) : QSize(117, 25);
    QImage image = canvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    caption(p, lastBet ? QStringLiteral("LAST BET") : QStringLiteral("THIS WIN"),
            QRectF(2, 5, size.width() - 4, 15));
    return image;
}

QImage paintLineMarker(int picture) {
    static const std::array<QRgb, 26> kLineColours = {
        0,        0x00FFFF, 0x00FF00, 0xFFC0C0, 0xC000C0, 0x0000FF, 0xC04000, 0xFF0000, 0xC0C0FF,
        0x0000C0, 0xFFE0C0, 0xFF00FF, 0x008080, 0xC0C000, 0xFFC0FF, 0x804040, 0x800000, 0x00C0C0,
        0xFF8000, 0xFFFF00, 0xC000C0, 0xC000C0, 0xC000C0, 0xC000C0, 0xC000C0, 0xC000C0};
    const bool played = picture <= 25;
    const int line = played ? picture : picture - 25;
    if (line < 1 || line > 25) return {};
    const QColor colour =
        played ? QColor(kLineColours[static_cast<std::size_t>(line)]) : QColor(120, 120, 124);
    QImage image = canvas(45, 25);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A jewel plate: dark rim, coloured face lit from above.
    const QRectF plate(0.5, 0.5, 44, 24);
    p.setPen(QPen(QColor(10, 6, 4), 1.0));
    p.setBrush(played ? darker(colour, 0.55) : QColor(50, 50, 54));
    p.drawRoundedRect(plate, 7, 7);
    const QRectF face = plate.adjusted(2, 2, -2, -2);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    g.setColorAt(0.0, lighter(colour, played ? 0.45 : 0.25));
    g.setColorAt(0.55, colour);
    g.setColorAt(1.0, darker(colour, 0.3));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(face, 5, 5);
    p.setBrush(QColor(255, 255, 255, played ? 90 : 40));
    p.drawRoundedRect(QRectF(face.left() + 3, face.top() + 1, face.width() - 6, face.height() * 0.42), 4, 4);
    Lettering l;
    l.top = played ? QColor(255, 255, 255) : QColor(210, 210, 214);
    l.bottom = played ? QColor(236, 236, 236) : QColor(170, 170, 176);
    l.outline = played ? QColor(10, 10, 20) : QColor(40, 40, 44);
    l.outlineWidth = 1.5;
    l.shine = false;
    l.shadow = false;
    drawLettering(
        p, textPath(QString::number(line), font(Face::SansBold, 17), face.adjusted(3, 2.5, -3, -2.5)), l);
    return image;
}

}  // namespace zem::assets::art
