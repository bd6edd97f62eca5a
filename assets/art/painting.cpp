// SPDX-License-Identifier: GPL-3.0-or-later
// Painting helpers: fonts, SVG, blur, shadows, lettering, suits, buttons and grain.
#include "painting.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QSvgRenderer>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace zem::assets::art {

namespace {

struct FontFile {
    Face face;
    const char* file;
};

constexpr std::array<FontFile, 4> kFontFiles = {{
    {Face::Sans, "DejaVuSans.ttf"},
    {Face::SansBold, "DejaVuSans-Bold.ttf"},
    {Face::SerifBold, "DejaVuSerif-Bold.ttf"},
    {Face::MonoBold, "DejaVuSansMono-Bold.ttf"},
}};

QString& familyOf(Face face) {
    static std::array<QString, 4> families;
    return families[static_cast<std::size_t>(face)];
}

// One pass of a box blur along rows (or columns) of a premultiplied picture.
void boxPass(const QImage& src, QImage& dst, int radius, bool horizontal) {
    const int w = src.width(), h = src.height();
    const int outer = horizontal ? h : w;
    const int inner = horizontal ? w : h;
    const int window = 2 * radius + 1;
    std::vector<std::array<int, 4>> line(static_cast<std::size_t>(inner));
    for (int o = 0; o < outer; ++o) {
        for (int i = 0; i < inner; ++i) {
            const QRgb c = horizontal ? reinterpret_cast<const QRgb*>(src.constScanLine(o))[i]
                                      : reinterpret_cast<const QRgb*>(src.constScanLine(i))[o];
            line[static_cast<std::size_t>(i)] = {qAlpha(c), qRed(c), qGreen(c), qBlue(c)};
        }
        std::array<int, 4> sum{0, 0, 0, 0};
        auto sample = [&](int i) -> const std::array<int, 4>& {
            static const std::array<int, 4> zero{0, 0, 0, 0};
            return (i < 0 || i >= inner) ? zero : line[static_cast<std::size_t>(i)];
        };
        for (int i = -radius; i <= radius; ++i)
            for (int k = 0; k < 4; ++k)
                sum[static_cast<std::size_t>(k)] += sample(i)[static_cast<std::size_t>(k)];
        for (int i = 0; i < inner; ++i) {
            const QRgb c = qRgba(sum[1] / window, sum[2] / window, sum[3] / window, sum[0] / window);
            if (horizontal)
                reinterpret_cast<QRgb*>(dst.scanLine(o))[i] = c;
            else
                reinterpret_cast<QRgb*>(dst.scanLine(i))[o] = c;
            for (int k = 0; k < 4; ++k) {
                sum[static_cast<std::size_t>(k)] += sample(i + radius + 1)[static_cast<std::size_t>(k)];
                sum[static_cast<std::size_t>(k)] -= sample(i - radius)[static_cast<std::size_t>(k)];
            }
        }
    }
}

// The smallest rectangle holding every pixel of a premultiplied picture that is not fully clear.
QRect inkBounds(const QImage& image) {
    const int width = image.width(), height = image.height();
    int top = -1, bottom = -1, left = width, right = -1;
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int first = 0;
        while (first < width && line[first] == 0) ++first;
        if (first == width) continue;
        int last = width - 1;
        while (line[last] == 0) --last;
        if (top < 0) top = y;
        bottom = y;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The shape of `art` (its alpha) in one colour.
QImage tinted(const QImage& art, const QColor& colour) {
    QImage shape = art.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&shape);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(shape.rect(), colour);
    return shape;
}

}  // namespace

namespace {
thread_local double currentScale = 1.0;
}

double paintScale() { return currentScale; }

PaintScale::PaintScale(double scale) : previous_(currentScale) { currentScale = scale > 0 ? scale : 1.0; }

PaintScale::~PaintScale() { currentScale = previous_; }

QImage canvas(int width, int height) {
    const double scale = currentScale;
    if (scale == 1.0) {
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return image;
    }
    QImage image(static_cast<int>(std::ceil(width * scale - 1e-6)),
                 static_cast<int>(std::ceil(height * scale - 1e-6)), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    return image;
}

QImage canvas(QSize size) { return canvas(size.width(), size.height()); }

namespace {
QString fontFile(const FontFile& f) {
    return QStringLiteral("/usr/share/fonts/truetype/dejavu/") + QString::fromLatin1(f.file);
}
}  // namespace

QStringList fontFiles() {
    QStringList files;
    for (const auto& f : kFontFiles) files << fontFile(f);
    return files;
}

bool loadFonts() {
    bool ok = true;
    for (const auto& f : kFontFiles) {
        if (!familyOf(f.face).isEmpty()) continue;
        const QString path = fontFile(f);
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0) {
            std::fprintf(stderr, "zem art: font file %s is missing (install fonts-dejavu-core)\n",
                         qPrintable(path));
            ok = false;
            continue;
        }
        familyOf(f.face) = QFontDatabase::applicationFontFamilies(id).value(0);
    }
    return ok;
}

QFont font(Face face, qreal pixelSize) {
    QFont f(familyOf(face).isEmpty() ? QStringLiteral("DejaVu Sans") : familyOf(face));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    f.setBold(face != Face::Sans);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

QImage renderSvg(const QString& file, QSize size) {
    QImage image = canvas(size);
    QPainter p(&image);
    paintSvg(p, file, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

void paintSvg(QPainter& p, const QString& file, const QRectF& target) {
    QSvgRenderer renderer(file);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "zem art: cannot read %s\n", qPrintable(file));
        return;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&p, target);
    p.restore();
}

QImage blurred(const QImage& image, int radius) {
    QImage a = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // The radius is in pixels of the scale 1: as wide on a picture painted larger.
    radius = static_cast<int>(std::lround(radius * a.devicePixelRatio()));
    if (radius <= 0) return a;
    // Each pass spreads the shape by the radius: beyond three radii round its ink the picture stays clear, so
    // only that part is blurred (a lettering's layer is as large as the whole picture it is drawn on).
    const QRect ink = inkBounds(a);
    if (ink.isEmpty()) return a;
    const int reach = 3 * radius;
    const QRect area = ink.adjusted(-reach, -reach, reach, reach).intersected(a.rect());
    QImage part = area == a.rect() ? a : a.copy(area);
    QImage b(part.size(), QImage::Format_ARGB32_Premultiplied);
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(part, b, radius, true);
        boxPass(b, part, radius, false);
    }
    if (area == a.rect()) return part;
    const auto rowBytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
    for (int y = 0; y < area.height(); ++y)
        std::memcpy(reinterpret_cast<QRgb*>(a.scanLine(area.top() + y)) + area.left(), part.constScanLine(y),
                    rowBytes);
    return a;
}

namespace {

// The part of `art` a blur of `radius` (pixels of the scale 1) can colour, two pixels to spare, and where it
// lies in `art`: the rest of a blurred copy stays clear, so drawing this part alone draws the same.
QImage blurrablePart(const QImage& art, int radius, QPointF& at) {
    const QImage a = art.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int reach = 3 * static_cast<int>(std::lround(std::max(0, radius) * a.devicePixelRatio())) + 2;
    const QRect ink = inkBounds(a);
    const QRect area = ink.isEmpty() ? a.rect() : ink.adjusted(-reach, -reach, reach, reach).intersected(a.rect());
    at = QPointF(area.topLeft()) / a.devicePixelRatio();
    return area == a.rect() ? a : a.copy(area);
}

}  // namespace

void drawShadow(QPainter& p, const QImage& art, QPointF offset, int radius, const QColor& colour) {
    QPointF at;
    const QImage part = blurrablePart(art, radius, at);
    p.drawImage(offset + at, blurred(tinted(part, colour), radius));
}

void drawGlow(QPainter& p, const QImage& art, int radius, const QColor& colour, int passes) {
    QPointF at;
    const QImage glow = blurred(tinted(blurrablePart(art, radius, at), colour), radius);
    for (int i = 0; i < passes; ++i) p.drawImage(at, glow);
}

QPainterPath textPath(const QString& text, const QFont& font, const QRectF& box, qreal squeeze) {
    QPainterPath raw;
    raw.addText(0, 0, font, text);
    const QRectF ink = raw.boundingRect();
    if (ink.isEmpty()) return raw;
    const qreal scale = std::min({1.0, box.width() / (ink.width() * squeeze), box.height() / ink.height()});
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(scale * squeeze, scale);
    t.translate(-ink.center().x(), -ink.center().y());
    return t.map(raw);
}

void drawLettering(QPainter& p, const QPainterPath& path, const Lettering& style) {
    const QRectF ink = path.boundingRect();
    const QPaintDevice* device = p.device();
    const qreal ratio = device->devicePixelRatioF();
    QImage layer = canvas(static_cast<int>(std::ceil(device->width() / ratio - 1e-6)),
                          static_cast<int>(std::ceil(device->height() / ratio - 1e-6)));
    {
        QPainter l(&layer);
        l.setRenderHint(QPainter::Antialiasing);
        l.setTransform(p.transform());
        l.strokePath(path,
                     QPen(style.outline, style.outlineWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QLinearGradient fill(ink.topLeft(), ink.bottomLeft());
        fill.setColorAt(0.0, style.top);
        fill.setColorAt(1.0, style.bottom);
        l.fillPath(path, fill);
        if (style.shine) {
            QPainterPath upper;
            upper.addRect(QRectF(ink.left() - 2, ink.top() - 2, ink.width() + 4, ink.height() * 0.45 + 2));
            QLinearGradient gloss(ink.topLeft(), QPointF(ink.left(), ink.top() + ink.height() * 0.45));
            gloss.setColorAt(0.0, QColor(255, 255, 255, 150));
            gloss.setColorAt(1.0, QColor(255, 255, 255, 20));
            l.fillPath(path.intersected(upper), gloss);
        }
    }
    const qreal lift = std::max<qreal>(1.0, ink.height() * p.transform().m22() / 18.0);
    p.save();
    p.resetTransform();
    const int blur = static_cast<int>(std::max<qreal>(1.0, lift * 0.8));
    // The layer is as large as the picture; only the part round the lettering is drawn.
    QPointF at;
    const QImage part = blurrablePart(layer, blur, at);
    if (style.shadow) drawShadow(p, part, at + QPointF(lift * 0.6, lift), blur, QColor(0, 0, 0, 150));
    p.drawImage(at, part);
    p.restore();
}

QPainterPath suitPath(int suit, const QRectF& box) {
    QPainterPath u;  // in a unit square
    auto heart = [](QPainterPath& path, bool flip, qreal height) {
        auto pt = [&](qreal x, qreal y) { return QPointF(x, flip ? height - y * height : y * height); };
        path.moveTo(pt(0.5, 1.0));
        path.cubicTo(pt(0.36, 0.82), pt(0.0, 0.6), pt(0.0, 0.31));
        path.cubicTo(pt(0.0, 0.1), pt(0.14, 0.0), pt(0.27, 0.0));
        path.cubicTo(pt(0.4, 0.0), pt(0.48, 0.09), pt(0.5, 0.2));
        path.cubicTo(pt(0.52, 0.09), pt(0.6, 0.0), pt(0.73, 0.0));
        path.cubicTo(pt(0.86, 0.0), pt(1.0, 0.1), pt(1.0, 0.31));
        path.cubicTo(pt(1.0, 0.6), pt(0.64, 0.82), pt(0.5, 1.0));
        path.closeSubpath();
    };
    auto stem = [](QPainterPath& path) {
        QPainterPath s;
        s.moveTo(0.5, 0.55);
        s.cubicTo(0.52, 0.8, 0.6, 0.93, 0.72, 1.0);
        s.lineTo(0.28, 1.0);
        s.cubicTo(0.4, 0.93, 0.48, 0.8, 0.5, 0.55);
        s.closeSubpath();
        path = path.united(s);
    };
    switch (suit) {
        case 1:
            heart(u, false, 1.0);
            break;
        case 3:
            u.moveTo(0.5, 0.0);
            u.quadTo(0.64, 0.28, 0.9, 0.5);
            u.quadTo(0.64, 0.72, 0.5, 1.0);
            u.quadTo(0.36, 0.72, 0.1, 0.5);
            u.quadTo(0.36, 0.28, 0.5, 0.0);
            u.closeSubpath();
            break;
        case 4: {
            QPainterPath h;
            heart(h, true, 0.8);
            u = h;
            stem(u);
            break;
        }
        case 2: {
            QPainterPath c;
            c.addEllipse(QPointF(0.5, 0.24), 0.23, 0.23);
            QPainterPath l;
            l.addEllipse(QPointF(0.25, 0.56), 0.23, 0.23);
            QPainterPath r;
            r.addEllipse(QPointF(0.75, 0.56), 0.23, 0.23);
            QPainterPath mid;
            mid.addEllipse(QPointF(0.5, 0.5), 0.14, 0.14);
            u = c.united(l).united(r).united(mid);
            stem(u);
            break;
        }
        default:
            break;
    }
    QTransform t;
    t.translate(box.left(), box.top());
    t.scale(box.width(), box.height());
    return t.map(u);
}

bool suitIsRed(int suit) { return suit == 1 || suit == 3; }

QColor mix(const QColor& a, const QColor& b, qreal t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor lighter(const QColor& c, qreal amount) {
    QColor white(255, 255, 255, c.alpha());
    return mix(c, white, amount);
}

QColor darker(const QColor& c, qreal amount) {
    QColor black(0, 0, 0, c.alpha());
    return mix(c, black, amount);
}

double Scatter::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 4294967296.0;
}

namespace {

// std::lround without the library call: to the nearest whole number, halves away from zero.
inline double roundHalfAway(double v) {
    const double whole = std::trunc(v);
    const double rest = v - whole;  // exact
    return rest >= 0.5 ? whole + 1 : (rest <= -0.5 ? whole - 1 : whole);
}

}  // namespace

void addGrain(QImage& image, uint32_t seed, int strength) {
    // A wholly opaque picture is the same premultiplied or not: it is worked on as it is, unconverted.
    bool opaque = image.format() == QImage::Format_ARGB32_Premultiplied;
    for (int y = 0; opaque && y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        opaque = std::all_of(line, line + image.width(), [](QRgb c) { return qAlpha(c) == 255; });
    }
    QImage work = opaque ? std::move(image) : image.convertToFormat(QImage::Format_ARGB32);
    // Soft grain: noise on a grid of 3 pixels, smoothed, so it reads as texture and packs small.
    const int cell = 3;
    const int gw = work.width() / cell + 2, gh = work.height() / cell + 2;
    std::vector<double> grid(static_cast<std::size_t>(gw * gh));
    Scatter noise(seed);
    for (auto& g : grid) g = noise.next() - 0.5;
    auto at = [&](int gx, int gy) { return grid[static_cast<std::size_t>(gy * gw + gx)]; };
    // Where each column falls between the grid's points, worked out once for all rows.
    const int width = work.width(), height = work.height();
    std::vector<int> columnCell(static_cast<std::size_t>(width));
    std::vector<double> columnShare(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        const double fx = static_cast<double>(x) / cell;
        columnCell[static_cast<std::size_t>(x)] = static_cast<int>(fx);
        columnShare[static_cast<std::size_t>(x)] = fx - static_cast<int>(fx);
    }
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(work.scanLine(y));
        const double fy = static_cast<double>(y) / cell;
        const int gy = static_cast<int>(fy);
        const double ty = fy - gy;
        for (int x = 0; x < width; ++x) {
            const QRgb c = line[x];
            if (qAlpha(c) == 0) continue;
            const int gx = columnCell[static_cast<std::size_t>(x)];
            const double tx = columnShare[static_cast<std::size_t>(x)];
            const double n = at(gx, gy) * (1 - tx) * (1 - ty) + at(gx + 1, gy) * tx * (1 - ty) +
                             at(gx, gy + 1) * (1 - tx) * ty + at(gx + 1, gy + 1) * tx * ty;
            const int d = static_cast<int>(roundHalfAway(n * 2.0 * strength));
            line[x] = qRgba(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255),
                            std::clamp(qBlue(c) + d, 0, 255), qAlpha(c));
        }
    }
    image = opaque ? std::move(work) : work.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage flattenOnWhite(const QImage& art) {
    QImage src = art.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    out.setDevicePixelRatio(src.devicePixelRatio());
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = in[x];
            if (qAlpha(c) >= 128) {
                QRgb opaque = qRgb(qRed(c), qGreen(c), qBlue(c));
                if ((opaque & 0xFFFFFFu) == 0xFFFFFFu) opaque = qRgb(254, 254, 254);
                line[x] = opaque;
            } else {
                line[x] = qRgb(255, 255, 255);
            }
        }
    }
    return out;
}

void paintButton(QPainter& p, const QRectF& rect, const ButtonStyle& style, const QStringList& label,
                 bool pressed) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal radius = std::min(rect.height(), rect.width()) * 0.24;
    const QRectF outer = rect.adjusted(0.5, 0.5, -0.5, -0.5);

    // Chrome bezel: a dark rim, then a metal ring lit from above.
    p.setPen(QPen(QColor(25, 15, 8), 1.0));
    QLinearGradient chrome(outer.topLeft(), outer.bottomLeft());
    chrome.setColorAt(0.0, QColor(255, 240, 200));
    chrome.setColorAt(0.45, QColor(196, 160, 90));
    chrome.setColorAt(0.55, QColor(140, 100, 40));
    chrome.setColorAt(1.0, QColor(230, 200, 130));
    p.setBrush(chrome);
    p.drawRoundedRect(outer, radius, radius);

    // The lamp face.
    const QRectF face = outer.adjusted(2.5, 2.5, -2.5, -2.5);
    const qreal fr = std::max<qreal>(1.0, radius - 2.5);
    const QColor base = pressed ? darker(style.face, 0.35) : style.face;
    QLinearGradient body(face.topLeft(), face.bottomLeft());
    body.setColorAt(0.0, lighter(base, pressed ? 0.05 : 0.35));
    body.setColorAt(0.5, base);
    body.setColorAt(1.0, darker(base, pressed ? 0.25 : 0.35));
    p.setPen(QPen(darker(style.face, 0.6), 1.0));
    p.setBrush(body);
    p.drawRoundedRect(face, fr, fr);

    QPainterPath faceShape;
    faceShape.addRoundedRect(face, fr, fr);
    p.setClipPath(faceShape);
    if (pressed) {
        // Pushed in: the bezel's shadow falls on the top of the face.
        QLinearGradient inset(face.topLeft(), QPointF(face.left(), face.top() + face.height() * 0.45));
        inset.setColorAt(0.0, QColor(0, 0, 0, 150));
        inset.setColorAt(1.0, QColor(0, 0, 0, 0));
        p.fillRect(face, inset);
    } else {
        // Gloss: a bright dome over the upper half.
        QPainterPath gloss;
        gloss.addRoundedRect(QRectF(face.left() + 2, face.top() + 1, face.width() - 4, face.height() * 0.46),
                             fr * 0.8, fr * 0.8);
        QLinearGradient shine(face.topLeft(), QPointF(face.left(), face.top() + face.height() * 0.5));
        shine.setColorAt(0.0, QColor(255, 255, 255, 170));
        shine.setColorAt(1.0, QColor(255, 255, 255, 25));
        p.fillPath(gloss, shine);
        QRadialGradient lamp(face.center().x(), face.bottom(), face.width() * 0.55);
        lamp.setColorAt(0.0, QColor(255, 255, 220, 70));
        lamp.setColorAt(1.0, QColor(255, 255, 220, 0));
        p.fillRect(face, lamp);
    }
    p.setClipping(false);

    // The label.
    const QPointF shift = pressed ? QPointF(0.7, 0.9) : QPointF(0, 0);
    const QRectF area = face.adjusted(3, 2, -3, -2).translated(shift);
    Lettering letters;
    letters.top = pressed ? darker(style.text, 0.2) : style.text;
    letters.bottom = pressed ? darker(style.text, 0.35) : mix(style.text, QColor(255, 190, 60), 0.35);
    letters.outline = style.textOutline;
    letters.outlineWidth = 1.3;
    letters.shadow = !pressed;
    letters.shine = false;
    if (label.size() == 1) {
        const qreal px = std::min(area.height() * 0.62, 22.0);
        drawLettering(p, textPath(label[0], font(Face::SansBold, px), area), letters);
    } else if (label.size() >= 2) {
        const qreal big = style.bigLine == 0 ? 0.58 : (style.bigLine == 1 ? 0.4 : 0.5);
        const QRectF top(area.left(), area.top(), area.width(), area.height() * big);
        const QRectF bottom(area.left(), area.top() + area.height() * big, area.width(),
                            area.height() * (1 - big));
        drawLettering(
            p, textPath(label[0], font(Face::SansBold, top.height() * 0.95), top.adjusted(0, 0.5, 0, -0.5)),
            letters);
        letters.outlineWidth = 1.1;
        drawLettering(p,
                      textPath(label[1], font(Face::SansBold, bottom.height() * 0.92),
                               bottom.adjusted(0, 0.5, 0, -0.5)),
                      letters);
    }
    p.restore();
}

QImage button(QSize size, const ButtonStyle& style, const QStringList& label, bool pressed) {
    QImage image = canvas(size);
    QPainter p(&image);
    paintButton(p, QRectF(QPointF(0, 0), QSizeF(size)), style, label, pressed);
    return image;
}

}  // namespace zem::assets::art
