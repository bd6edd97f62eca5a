// SPDX-License-Identifier: GPL-3.0-or-later
// Painting helpers shared by all pictures: fonts, SVG rendering, shadows and glows, lettering, suits,
// buttons.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace zem::assets::art {

// The scale the pictures are painted at: 1 for the pictures the program carries; more for a window shown
// larger than its own size or a screen of high pixel density. Sizes and coordinates stay those of the scale
// 1; a picture painted at a scale has that many more pixels and carries the scale as its device pixel ratio.
double paintScale();
class PaintScale {
  public:
    explicit PaintScale(double scale);
    ~PaintScale();
    PaintScale(const PaintScale&) = delete;
    PaintScale& operator=(const PaintScale&) = delete;

  private:
    double previous_;
};

// A transparent picture of the given size (at the paint scale).
QImage canvas(int width, int height);
QImage canvas(QSize size);

// The DejaVu faces the pictures are lettered with, loaded from their font files so every build letters alike.
enum class Face { Sans, SansBold, SerifBold, MonoBold };
QFont font(Face face, qreal pixelSize);
// Loads the font files; false (with the missing file named on stderr) when one is missing.
bool loadFonts();
// The paths of those font files.
QStringList fontFiles();

// An SVG file of the sources rendered into a transparent picture of `size`.
QImage renderSvg(const QString& file, QSize size);
// The same, scaled into `target` inside an existing painter.
void paintSvg(QPainter& p, const QString& file, const QRectF& target);

// A soft copy of `image` (three box blurs of `radius`, colour and alpha alike).
QImage blurred(const QImage& image, int radius);
// A shadow of `art`'s shape: its alpha, blurred, tinted and offset; drawn beneath before the art itself.
void drawShadow(QPainter& p, const QImage& art, QPointF offset, int radius, const QColor& colour);
// A glow around `art`'s shape.
void drawGlow(QPainter& p, const QImage& art, int radius, const QColor& colour, int passes = 1);

// The outline of `text` in `font`, centred in `box` and shrunk (never stretched) to fit it; `squeeze` narrows
// it.
QPainterPath textPath(const QString& text, const QFont& font, const QRectF& box, qreal squeeze = 1.0);

// Lettering as the machine uses it: a dark outline, a gradient fill from `top` to `bottom`, a soft shadow and
// a thin highlight along the upper edge.
struct Lettering {
    QColor top{255, 244, 170};
    QColor bottom{222, 150, 20};
    QColor outline{60, 25, 0};
    qreal outlineWidth = 2.0;
    bool shadow = true;
    bool shine = true;
};
void drawLettering(QPainter& p, const QPainterPath& path, const Lettering& style);

// Suit shapes (1 hearts, 2 clubs, 3 diamonds, 4 spades) filling `box`.
QPainterPath suitPath(int suit, const QRectF& box);
bool suitIsRed(int suit);

// Colour helpers.
QColor mix(const QColor& a, const QColor& b, qreal t);
QColor lighter(const QColor& c, qreal amount);  // 0..1 towards white
QColor darker(const QColor& c, qreal amount);   // 0..1 towards black

// Fine deterministic grain over the opaque pixels of `image` (leather, wood, felt).
void addGrain(QImage& image, uint32_t seed, int strength);

// For pictures laid over others with white as the transparent colour: every pixel at least half covered
// becomes the art's opaque colour (never pure white), every other pixel pure white, so no pale fringe is
// left.
QImage flattenOnWhite(const QImage& art);

// A rounded, lit push button with a label of one or two lines; `pressed` paints it pushed in.
struct ButtonStyle {
    QColor face{200, 40, 30};
    QColor text{255, 246, 200};
    QColor textOutline{70, 10, 0};
    int bigLine = 0;  // two-line labels: the line drawn large (0 or 1), or -1 for both alike
};
QImage button(QSize size, const ButtonStyle& style, const QStringList& label, bool pressed);
// Paints that button into an existing picture at `rect` (for the panel beneath the buttons).
void paintButton(QPainter& p, const QRectF& rect, const ButtonStyle& style, const QStringList& label,
                 bool pressed);

// A deterministic random sequence for scattering stars, grain and beads.
class Scatter {
  public:
    explicit Scatter(uint32_t seed) : state_(seed ? seed : 1u) {}
    double next();  // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * next(); }

  private:
    uint32_t state_;
};

}  // namespace zem::assets::art
