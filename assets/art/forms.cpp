// SPDX-License-Identifier: GPL-3.0-or-later
// The painted backgrounds of the game's forms: the options window and the message boxes, in the cabinet's
// wood.
#include "art.h"
#include "painting.h"

#include <QRadialGradient>

namespace zem::assets::art {

namespace {

// The options window's client area in pixels (8715 x 5055 twips).
constexpr int kOptionsWidth = 581, kOptionsHeight = 337;
// The message boxes' picture, drawn to each box's size.
constexpr int kMessageWidth = 480, kMessageHeight = 200;

const QColor kGold(224, 170, 50);
const QColor kGoldLight(255, 236, 160);

// Wood that darkens towards its edges, so that what stands in the middle reads first.
QImage shadedWood(int width, int height, uint32_t seed) {
    QImage image = cabinet(width, height, seed);
    QPainter p(&image);
    QRadialGradient shade(width / 2.0, height / 2.0, std::max(width, height) * 0.62);
    shade.setColorAt(0.0, QColor(255, 200, 120, 26));
    shade.setColorAt(0.6, QColor(0, 0, 0, 0));
    shade.setColorAt(1.0, QColor(0, 0, 0, 110));
    p.fillRect(image.rect(), shade);
    return image;
}

}  // namespace

QImage paintOptionsBackground() {
    QImage image = shadedWood(kOptionsWidth, kOptionsHeight, 303);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The gold trim of the machine's meters round the window's edge, with a rivet at each corner.
    const QRectF edge(1.5, 1.5, kOptionsWidth - 3, kOptionsHeight - 3);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGold, 2.0));
    p.drawRect(edge);
    p.setPen(QPen(QColor(20, 8, 2), 1.0));
    p.drawRect(edge.adjusted(1.5, 1.5, -1.5, -1.5));
    p.setPen(QPen(QColor(255, 236, 160, 110), 1.0));
    p.drawRect(edge.adjusted(3, 3, -3, -3));
    for (const QPointF& corner : {edge.topLeft(), edge.topRight(), edge.bottomLeft(), edge.bottomRight()}) {
        QRadialGradient rivet(corner - QPointF(1, 1), 5);
        rivet.setColorAt(0.0, kGoldLight);
        rivet.setColorAt(1.0, QColor(120, 76, 10));
        p.setPen(QPen(QColor(50, 20, 0), 0.8));
        p.setBrush(rivet);
        p.drawEllipse(corner, 4, 4);
    }
    return image;
}

QImage paintMessageBoxBackground() { return shadedWood(kMessageWidth, kMessageHeight, 404); }

}  // namespace zem::assets::art
