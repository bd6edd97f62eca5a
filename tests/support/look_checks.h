// SPDX-License-Identifier: GPL-3.0-or-later
// Checks of how a window looks in the machine's palette: the colour behind a control as a grab shows it, and
// whether text on it can be read.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zem::testing {

// Relative luminance of a colour, 0 (black) to 1 (white).
inline double luminance(const QColor& c) {
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// How far apart two colours are for reading, 1 (the same) to 21 (black on white); 4.5 reads as small print.
inline double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The median colour of an area of a picture, channel by channel: what lies behind the few pixels of text on
// it.
inline QColor medianColour(const QImage& image, const QRect& area) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::vector<int> r, g, b;
    const QRect inside = area.intersected(rgb.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb p = rgb.pixel(x, y);
            r.push_back(qRed(p));
            g.push_back(qGreen(p));
            b.push_back(qBlue(p));
        }
    }
    if (r.empty()) return {};
    auto median = [](std::vector<int>& v) {
        std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    return QColor(median(r), median(g), median(b));
}

// The cabinet's wood: dark and warm (red above green above blue), never the desktop's grey.
inline bool isWood(const QColor& c) {
    return c.red() < 110 && c.red() > c.green() && c.green() >= c.blue() && c.red() >= c.blue() + 6;
}

}  // namespace zem::testing
