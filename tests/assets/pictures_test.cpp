// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the pictures and recordings the program carries: sizes, counts, reel strips, masks, pressed looks.
#include "assets/pictures.h"

#include "assets/art/art.h"
#include "assets/art/painting.h"
#include "assets/recordings.h"
#include "core/free_spins.h"
#include "core/reels.h"
#include "core/symbols.h"

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using zem::assets::compose;
using zem::assets::picture;
using zem::assets::whiteTransparent;

struct Expected {
    std::string name;
    int count;  // 0: a single picture
    int width, height;
};

// Every picture of the machine with its size in pixels (twips / 15).
const std::vector<Expected>& expectedPictures() {
    static const std::vector<Expected> all = {
        {"symbol", 12, 125, 125},      {"reel1", 0, 125, 3625},      {"reel2", 0, 125, 3625},
        {"reel3", 0, 125, 3625},       {"reel4", 0, 125, 3625},      {"reel5", 0, 125, 3625},
        {"background", 0, 794, 588},   {"panfreespin", 0, 804, 139}, {"autoplayon", 0, 60, 42},
        {"autoplayoff", 0, 65, 43},    {"btnoptions", 0, 79, 41},    {"doublebutton", 0, 105, 93},
        {"coinsin", 0, 64, 44},        {"notes", 0, 82, 45},         {"dollar1", 0, 41, 41},
        {"halfcoin1", 0, 57, 41},      {"LABLASTBET", 0, 110, 26},   {"LABTHISWIN", 0, 117, 25},
        {"stockade1", 0, 209, 161},    {"flame11", 0, 49, 97},       {"flame21", 0, 57, 97},
        {"flame31", 0, 49, 105},       {"flame41", 0, 41, 97},       {"flamingarrow1", 0, 329, 25},
        {"noflamearrow1", 0, 201, 25}, {"linepics", 50, 45, 25},     {"ImageList1", 21, 125, 125},
        {"ImageList2", 24, 125, 125},  {"pandouble", 0, 252, 372},   {"betred", 0, 68, 30},
        {"cancelbet", 0, 104, 30},     {"betblack", 0, 68, 30},      {"gamblewin", 0, 150, 30},
        {"gamblelose", 0, 150, 30},    {"paytable", 0, 500, 378},    {"icon", 0, 35, 35},
        {"takewin", 0, 121, 57},       {"picheld", 0, 125, 28},      {"picbigwin", 3, 400, 150},
        {"optionsback", 0, 581, 337},  {"messagebox", 0, 480, 200},
    };
    return all;
}

// Numbered buttons, each with its own size.
const std::map<std::pair<std::string, int>, std::pair<int, int>>& numberedButtons() {
    static const std::map<std::pair<std::string, int>, std::pair<int, int>> all = {
        {{"payline", 1}, {62, 42}}, {{"payline", 2}, {61, 41}}, {{"payline", 3}, {62, 42}},
        {{"payline", 4}, {61, 43}}, {{"payline", 5}, {62, 43}}, {{"pplay", 1}, {65, 44}},
        {{"pplay", 2}, {65, 45}},   {{"pplay", 3}, {64, 45}},   {{"pplay", 4}, {65, 47}},
        {{"pplay", 5}, {66, 47}},   {{"pplay", 6}, {63, 47}},
    };
    return all;
}

bool sameImage(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

QColor meanColour(const QImage& image, const QRect& area) {
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    double r = 0, g = 0, b = 0;
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAlpha(c) < 128) continue;
            r += qRed(c);
            g += qGreen(c);
            b += qBlue(c);
            ++n;
        }
    if (n == 0) return QColor(0, 0, 0, 0);
    return QColor(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
}

double lightness(const QColor& c) { return 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue(); }

bool isPureWhite(QRgb c) { return qAlpha(c) == 255 && (c & 0xFFFFFFu) == 0xFFFFFFu; }

TEST(Pictures, EveryPictureHasItsSizeAndEveryListItsCount) {
    for (const auto& e : expectedPictures()) {
        SCOPED_TRACE(e.name);
        if (e.count == 0) {
            const QImage img = picture(e.name);
            ASSERT_FALSE(img.isNull());
            EXPECT_EQ(img.size(), QSize(e.width, e.height));
            EXPECT_TRUE(picture(e.name, 1).isNull()) << "a single picture has no numbered entries";
        } else {
            EXPECT_TRUE(picture(e.name, 0).isNull());
            EXPECT_TRUE(picture(e.name, e.count + 1).isNull()) << "the list has more than " << e.count;
            for (int i = 1; i <= e.count; ++i) {
                const QImage img = picture(e.name, i);
                ASSERT_FALSE(img.isNull()) << i;
                EXPECT_EQ(img.size(), QSize(e.width, e.height)) << i;
            }
        }
    }
    for (const auto& [key, size] : numberedButtons()) {
        SCOPED_TRACE(key.first + " " + std::to_string(key.second));
        EXPECT_EQ(picture(key.first, key.second).size(), QSize(size.first, size.second));
    }
    EXPECT_TRUE(picture("payline", 6).isNull());
    EXPECT_TRUE(picture("pplay", 7).isNull());
    // The cards: faces and backs 103 x 156, suit icons 50 x 50.
    for (int i = 1; i <= 24; ++i) {
        const QSize want = (i >= 6 && i <= 9) ? QSize(50, 50) : QSize(103, 156);
        EXPECT_EQ(picture("imagelistcards", i).size(), want) << i;
    }
    EXPECT_TRUE(picture("imagelistcards", 25).isNull());
    EXPECT_TRUE(picture("no such picture").isNull());
    EXPECT_TRUE(picture("").isNull());
}

TEST(Pictures, TheProgramCarriesExactlyTheseAndNoStrays) {
    std::set<std::pair<std::string, int>> want;
    for (const auto& e : expectedPictures()) {
        if (e.count == 0) want.insert({e.name, 0});
        for (int i = 1; i <= e.count; ++i) want.insert({e.name, i});
    }
    for (const auto& [key, size] : numberedButtons()) want.insert(key);
    for (int i = 1; i <= 24; ++i) want.insert({"imagelistcards", i});
    const auto names = zem::assets::pictureNames();
    const std::set<std::pair<std::string, int>> have(names.begin(), names.end());
    EXPECT_EQ(have, want);
}

TEST(Pictures, ReelsShowTheStripTableCellByCell) {
    for (int reel = 1; reel <= zem::core::kReels; ++reel) {
        const QImage strip = picture("reel" + std::to_string(reel));
        ASSERT_EQ(strip.height(), 125 * zem::core::kStripCells);
        for (int cell = 0; cell < zem::core::kStripCells; ++cell) {
            const int symbol = zem::core::stripSymbol(reel, cell);
            EXPECT_TRUE(sameImage(strip.copy(0, cell * 125, 125, 125), picture("symbol", symbol)))
                << "reel " << reel << " cell " << cell << " should show symbol " << symbol;
        }
    }
}

TEST(Pictures, TheTwelveSymbolsAreAllDifferentAndOpaque) {
    for (int a = 1; a <= 12; ++a) {
        const QImage img = picture("symbol", a).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < 125; y += 31)
            for (int x = 0; x < 125; x += 31) EXPECT_EQ(qAlpha(img.pixel(x, y)), 255) << "symbol " << a;
        for (int b = a + 1; b <= 12; ++b)
            EXPECT_FALSE(sameImage(img, picture("symbol", b))) << a << " and " << b;
    }
    // The Wild animation starts from the Wild as it stands on the reel.
    EXPECT_TRUE(sameImage(picture("ImageList2", 1), picture("symbol", 11)));
}

TEST(Pictures, BackgroundHasRedFieldsWhereTheReelsStand) {
    const QImage bg = picture("background").convertToFormat(QImage::Format_ARGB32);
    for (const int left : {990, 3010, 5070, 7110, 9150}) {
        const QRect field(left / 15 + 2, 1025 / 15 + 2, 120, 370);
        const QColor mean = meanColour(bg, field);
        EXPECT_GT(mean.red(), 120) << left;
        EXPECT_LT(mean.green(), 50) << left;
        EXPECT_LT(mean.blue(), 50) << left;
        // Plain: no symbol or pattern in it.
        for (int y = field.top(); y < field.bottom(); y += 20)
            EXPECT_LT(std::abs(QColor(bg.pixel(field.center().x(), y)).green() - mean.green()), 20);
    }
    // Between the reels it is dark, so the paylines drawn there stand out.
    EXPECT_LT(lightness(meanColour(bg, QRect(192, 100, 6, 300))), 40);
}

TEST(Pictures, PanelShowsEveryButtonPressedAtItsPlace) {
    struct Place {
        std::string name;
        int index, left, top;
    };
    const std::vector<Place> places = {
        {"payline", 1, 630, 180},      {"payline", 2, 1580, 180},    {"payline", 3, 2510, 180},
        {"payline", 4, 3460, 180},     {"payline", 5, 4440, 180},    {"autoplayon", 0, 5400, 180},
        {"autoplayoff", 0, 6360, 180}, {"btnoptions", 0, 7320, 180}, {"doublebutton", 0, 8530, 180},
        {"pplay", 1, 440, 800},        {"pplay", 2, 1440, 800},      {"pplay", 3, 2430, 800},
        {"pplay", 4, 3380, 800},       {"pplay", 5, 4400, 800},      {"pplay", 6, 5390, 800},
        {"coinsin", 0, 6370, 800},     {"notes", 0, 7350, 800},
    };
    const QImage panel = picture("panfreespin");
    for (const auto& place : places) {
        SCOPED_TRACE(place.name + " " + std::to_string(place.index));
        const QImage up = picture(place.name, place.index);
        const QRect at(static_cast<int>(std::lround(place.left / 15.0)),
                       static_cast<int>(std::lround(place.top / 15.0)), up.width(), up.height());
        const QRect inner(at.adjusted(6, 6, -6, -6));
        const QColor pressed = meanColour(panel, inner);
        const QColor released = meanColour(up, QRect(6, 6, up.width() - 12, up.height() - 12));
        // Pressed in: darker than the button at rest, but the same button (its colour), not a bare hole.
        EXPECT_LT(lightness(pressed), lightness(released) - 10);
        EXPECT_GT(lightness(pressed), 25);
        if (released.saturationF() > 0.3) {
            const int hueGap = std::abs(pressed.hue() - released.hue());
            EXPECT_LT(std::min(hueGap, 360 - hueGap), 30);
        }
    }
}

TEST(Pictures, MultipliersLieOverTheWildWithWhiteSeeThrough) {
    const QImage wild = picture("ImageList2", 1);
    for (int i = 9; i <= 24; ++i) {
        SCOPED_TRACE(i);
        const QImage over = picture("ImageList2", i).convertToFormat(QImage::Format_ARGB32);
        // Pure white corners, the large figure in the middle.
        EXPECT_TRUE(isPureWhite(over.pixel(0, 0)));
        EXPECT_TRUE(isPureWhite(over.pixel(124, 124)));
        int figure = 0;
        for (int y = 0; y < 125; ++y)
            for (int x = 0; x < 125; ++x) figure += isPureWhite(over.pixel(x, y)) ? 0 : 1;
        EXPECT_GT(figure, 125 * 125 / 6) << "the figure is not large";
        const QImage both = compose(wild, over).convertToFormat(QImage::Format_ARGB32);
        const QImage base = wild.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < 125; y += 3)
            for (int x = 0; x < 125; x += 3) {
                const QRgb o = over.pixel(x, y);
                ASSERT_EQ(both.pixel(x, y), isPureWhite(o) ? base.pixel(x, y) : o) << x << "," << y;
            }
    }
    // The four pictures of a multiplier are four different frames.
    for (int group = 9; group <= 21; group += 4)
        for (int f = 1; f < 4; ++f)
            EXPECT_FALSE(sameImage(picture("ImageList2", group), picture("ImageList2", group + f)))
                << group + f;
}

TEST(Pictures, TheCardBackPeelsAwayToRevealTheFace) {
    const QImage face = picture("imagelistcards", 3);
    const QImage back = picture("imagelistcards", 10).convertToFormat(QImage::Format_ARGB32);
    // The whole back hides the face completely: nothing of it is white.
    int white = 0;
    for (int y = 0; y < back.height(); ++y)
        for (int x = 0; x < back.width(); ++x) white += isPureWhite(back.pixel(x, y)) ? 1 : 0;
    EXPECT_EQ(white, 0);
    const QImage hidden = compose(face, back).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < back.height(); ++y)
        for (int x = 0; x < back.width(); ++x)
            if (qAlpha(back.pixel(x, y)) == 255) {
                ASSERT_EQ(hidden.pixel(x, y), back.pixel(x, y)) << x << "," << y;
            }
    // Frame by frame more of the face shows, and the last frame leaves almost nothing of the back.
    int previous = 0;
    for (int f = 11; f <= 24; ++f) {
        const QImage peel = picture("imagelistcards", f).convertToFormat(QImage::Format_ARGB32);
        int shown = 0;
        for (int y = 0; y < peel.height(); ++y)
            for (int x = 0; x < peel.width(); ++x) shown += isPureWhite(peel.pixel(x, y)) ? 1 : 0;
        EXPECT_GT(shown, previous) << f;
        previous = shown;
    }
    EXPECT_GT(previous, 103 * 156 * 8 / 10);
    // Where the last frame is white, the composite is the face.
    const QImage last = picture("imagelistcards", 24).convertToFormat(QImage::Format_ARGB32);
    const QImage both = compose(face, last).convertToFormat(QImage::Format_ARGB32);
    const QImage faceArgb = face.convertToFormat(QImage::Format_ARGB32);
    for (int y = 10; y < 150; y += 7)
        for (int x = 10; x < 95; x += 7)
            if (isPureWhite(last.pixel(x, y))) {
                EXPECT_EQ(both.pixel(x, y), faceArgb.pixel(x, y));
            }
}

TEST(Pictures, CardFacesAreWhiteWithTheirSuitsColour) {
    for (int suit = 1; suit <= 4; ++suit) {
        const QImage face = picture("imagelistcards", suit).convertToFormat(QImage::Format_ARGB32);
        const QColor paper(face.pixel(51, 12));
        EXPECT_GT(lightness(paper), 230) << suit;
        const QColor middle(face.pixel(51, 85));
        const bool red = suit == 1 || suit == 3;
        if (red) {
            EXPECT_GT(middle.red(), 150) << suit;
            EXPECT_LT(middle.green(), 80) << suit;
        } else {
            EXPECT_LT(lightness(middle), 70) << suit;
        }
    }
}

TEST(Pictures, LineMarkersCarryTheLinesColoursAndGreyWhenNotPlayed) {
    const QRgb colours[26] = {0,        0x00FFFF, 0x00FF00, 0xFFC0C0, 0xC000C0, 0x0000FF, 0xC04000,
                              0xFF0000, 0xC0C0FF, 0x0000C0, 0xFFE0C0, 0xFF00FF, 0x008080, 0xC0C000,
                              0xFFC0FF, 0x804040, 0x800000, 0x00C0C0, 0xFF8000, 0xFFFF00, 0xC000C0,
                              0xC000C0, 0xC000C0, 0xC000C0, 0xC000C0, 0xC000C0};
    for (int k = 1; k <= 25; ++k) {
        const QColor want(colours[k]);
        const QColor got = picture("linepics", k).convertToFormat(QImage::Format_ARGB32).pixel(5, 14);
        EXPECT_LT(std::abs(got.red() - want.red()) + std::abs(got.green() - want.green()) +
                      std::abs(got.blue() - want.blue()),
                  90)
            << "marker " << k;
        const QColor grey = picture("linepics", k + 25).convertToFormat(QImage::Format_ARGB32).pixel(5, 14);
        EXPECT_LT(std::abs(grey.red() - grey.blue()) + std::abs(grey.green() - grey.blue()), 12)
            << "marker " << k + 25;
        // Each marker carries its own number: no two alike.
        EXPECT_FALSE(sameImage(picture("linepics", k + 25), picture("linepics", k == 25 ? 26 : k + 26)));
    }
}

TEST(Pictures, TheHighlightIsLightCyanWithFaintStripes) {
    const QImage h = picture("ImageList1", 21).convertToFormat(QImage::Format_ARGB32);
    const QColor mean = meanColour(h, h.rect());
    EXPECT_GT(mean.blue(), 220);
    EXPECT_GT(mean.green(), 220);
    EXPECT_LT(mean.red(), mean.green() - 25);
    std::set<QRgb> columns;
    for (int x = 0; x < 125; ++x) columns.insert(h.pixel(x, 60));
    EXPECT_GE(columns.size(), 2u);
    for (int y = 0; y < 125; ++y) EXPECT_EQ(h.pixel(7, y), h.pixel(7, 0)) << "stripes run top to bottom";
}

TEST(Pictures, WhiteTransparentClearsOnlyPureWhite) {
    QImage img(3, 1, QImage::Format_RGB32);
    img.setPixel(0, 0, qRgb(255, 255, 255));
    img.setPixel(1, 0, qRgb(254, 255, 255));
    img.setPixel(2, 0, qRgb(10, 20, 30));
    const QImage out = whiteTransparent(img).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(out.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(out.pixel(1, 0)), 255);
    EXPECT_EQ(out.pixel(2, 0), qRgb(10, 20, 30));
    EXPECT_TRUE(whiteTransparent(QImage()).isNull());
}

TEST(Pictures, ResourcesMatchTheirSourcesAndPaintingIsRepeatable) {
    ASSERT_TRUE(zem::assets::art::loadFonts());
    zem::assets::art::Studio studio(QStringLiteral(ZEM_SVG_FOLDER));
    for (int id : {1, 3, 7, 11, 12}) {
        const QImage painted = zem::assets::art::paintSymbol(studio, id);
        EXPECT_TRUE(sameImage(painted, picture("symbol", id))) << "symbol " << id << " is out of date";
        EXPECT_TRUE(sameImage(painted, zem::assets::art::paintSymbol(studio, id))) << "symbol " << id;
    }
    EXPECT_TRUE(sameImage(zem::assets::art::paintBackground(studio), picture("background")));
    EXPECT_TRUE(sameImage(zem::assets::art::paintCard(17), picture("imagelistcards", 17)));
}

// A blur of a small shape is worked only round the shape: it must equal three plain box blurs (rows, then
// columns, each sum cut to a whole number) over the whole picture, at the picture's edge and in its middle.
TEST(Pictures, ABlurRoundASmallShapeEqualsTheWholePictureBlurred) {
    auto plain = [](QImage image, int radius) {
        const int w = image.width(), h = image.height(), window = 2 * radius + 1;
        for (int pass = 0; pass < 6; ++pass) {
            const QImage src = image.copy();
            const bool rows = pass % 2 == 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    int sum[4] = {0, 0, 0, 0};
                    for (int d = -radius; d <= radius; ++d) {
                        const int sx = rows ? x + d : x, sy = rows ? y : y + d;
                        if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
                        const QRgb c = src.pixel(sx, sy);
                        sum[0] += qAlpha(c), sum[1] += qRed(c), sum[2] += qGreen(c), sum[3] += qBlue(c);
                    }
                    image.setPixel(x, y, qRgba(sum[1] / window, sum[2] / window, sum[3] / window, sum[0] / window));
                }
        }
        return image;
    };
    for (const QPoint at : {QPoint(2, 3), QPoint(40, 30), QPoint(75, 55)}) {
        QImage shape(80, 60, QImage::Format_ARGB32_Premultiplied);
        shape.fill(Qt::transparent);
        QPainter(&shape).fillRect(QRect(at, QSize(4, 3)), QColor(200, 40, 20, 220));
        shape.setDevicePixelRatio(2.0);  // the radius counts pixels of the scale 1: 4 here
        const QImage blurred = zem::assets::art::blurred(shape, 2);
        shape.setDevicePixelRatio(1.0);
        EXPECT_EQ(blurred.convertToFormat(QImage::Format_ARGB32_Premultiplied), plain(shape, 4))
            << "shape at " << at.x() << "," << at.y();
    }
}

// What the pay table draws is the core's pay table: every symbol's runs and pays, the Scatter pays and the
// free-spin awards; and the picture the program carries is that drawing.
TEST(Pictures, PaytableDrawsTheCoresPaysAndIsTheCarriedPicture) {
    ASSERT_TRUE(zem::assets::art::loadFonts());
    zem::assets::art::Studio studio(QStringLiteral(ZEM_SVG_FOLDER));
    std::vector<zem::assets::art::DrawnText> texts;
    const QImage painted = zem::assets::art::paintPaytable(studio, &texts);
    EXPECT_TRUE(sameImage(painted, picture("paytable"))) << "the carried pay table is out of date";

    // A run and its pay are drawn in the same box, the run first.
    std::map<int, std::set<std::pair<int, int>>> drawn;
    for (size_t i = 0; i + 1 < texts.size(); ++i) {
        if (texts[i].symbol == 0 || texts[i].box != texts[i + 1].box) continue;
        drawn[texts[i].symbol].insert({texts[i].text.toInt(), texts[i + 1].text.toInt()});
        ++i;
    }
    for (int symbol = zem::core::Chief; symbol <= zem::core::Tomahawk; ++symbol) {
        std::set<std::pair<int, int>> expected;
        for (int run = 2; run <= 5; ++run)
            if (zem::core::linePay(symbol, run) > 0) expected.insert({run, zem::core::linePay(symbol, run)});
        EXPECT_EQ(drawn[symbol], expected) << zem::core::symbolName(symbol);
    }
    EXPECT_EQ(drawn.size(), 10u);

    QString all;
    for (const auto& t : texts) all += t.text + QLatin1Char('\n');
    for (int n = 2; n <= 5; ++n)
        EXPECT_TRUE(all.contains(QStringLiteral("%1 = %2x").arg(n).arg(zem::core::scatterFactor(n)))) << n;
    EXPECT_TRUE(all.contains(QStringLiteral("start %1, %2 or %3 free spins")
                                 .arg(zem::core::freeSpinAward(3).announced)
                                 .arg(zem::core::freeSpinAward(4).announced)
                                 .arg(zem::core::freeSpinAward(5).announced)));
    // The band at the foot is left for the window's own text.
    for (const auto& t : texts)
        EXPECT_FALSE(t.box.intersects(zem::assets::art::kPaytableReturnBand)) << t.text.toStdString();
}

// The icon the desktop shows: the theme's PNGs are the icon's drawing at their sizes, the scalable SVG draws
// the same picture, and the window's icon carries the PNGs.
TEST(Pictures, ThemeIconsAreTheIconAtEverySizeAndTheSvgDrawsTheSame) {
    ASSERT_TRUE(zem::assets::art::loadFonts());
    zem::assets::art::Studio studio(QStringLiteral(ZEM_SVG_FOLDER));
    const QDir theme(QStringLiteral(ZEM_ICON_THEME_FOLDER));
    for (const int size : zem::assets::art::kThemeIconSizes) {
        SCOPED_TRACE(size);
        const QImage png(theme.filePath(QStringLiteral("%1x%1/apps/zem.png").arg(size)));
        ASSERT_EQ(png.size(), QSize(size, size));
        EXPECT_TRUE(sameImage(png, zem::assets::art::paintIcon(studio, size))) << "out of date";
        // A rounded tile: (nearly) clear corners, an opaque middle.
        EXPECT_LT(qAlpha(png.pixel(0, 0)), 128);
        EXPECT_EQ(qAlpha(png.pixel(size / 2, size / 2)), 255);
    }
    EXPECT_TRUE(sameImage(zem::assets::art::paintIcon(studio, 35), picture("icon")));

    QSvgRenderer svg(theme.filePath(QStringLiteral("scalable/apps/zem.svg")));
    ASSERT_TRUE(svg.isValid());
    QImage drawn(256, 256, QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    {
        QPainter p(&drawn);
        svg.render(&p);
    }
    const QImage png(theme.filePath(QStringLiteral("256x256/apps/zem.png")));
    ASSERT_EQ(png.size(), drawn.size());
    // Antialiasing differs between the two renderers at edges; the pictures must agree everywhere else. A
    // lost gradient, fill or clip shows as large differences over whole areas.
    int64_t differences = 0;
    int farOff = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const QRgb a = png.pixel(x, y), b = drawn.pixel(x, y);
            const int d = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
            differences += d;
            if (d > 96) ++farOff;
        }
    }
    EXPECT_LT(differences / (256 * 256), 4) << "mean difference per pixel";
    EXPECT_LT(farOff, 256 * 256 / 50) << "pixels far off";

    const QIcon icon = zem::assets::windowIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 32, 48, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        EXPECT_EQ(icon.pixmap(size).size(), QSize(size, size)) << size;
    }
}

TEST(Recordings, ResourcesAreTheSynthesizedRecordingsWithTheirFormats) {
    for (const auto& row : zem::assets::kRecordings) {
        SCOPED_TRACE(row.number);
        const std::vector<uint8_t> resource = zem::assets::recordingResource(row.number);
        const auto info = zem::assets::readWaveInfo(resource);
        ASSERT_TRUE(info.valid);
        EXPECT_EQ(info.format, 1);
        EXPECT_EQ(info.channels, 1);
        EXPECT_EQ(info.rate, row.rate);
        EXPECT_EQ(info.bits, row.bits);
        EXPECT_NEAR(info.seconds(), row.seconds, row.seconds * 0.03);
        EXPECT_EQ(resource, zem::assets::synthesizeRecording(row.number));
    }
    EXPECT_TRUE(zem::assets::recordingResource(118).empty());
    EXPECT_TRUE(zem::assets::recordingResource(0).empty());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
