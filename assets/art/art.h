// SPDX-License-Identifier: GPL-3.0-or-later
// Every picture of the machine, painted from the SVG sources and code: one function per picture or list.
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

namespace zem::assets::art {

// The source folder of the SVG drawings, and the symbol tiles once painted (the reels and lists reuse them).
class Studio {
  public:
    explicit Studio(QString svgFolder);
    QString svg(const QString& name) const;  // path of art/svg/<name>.svg
    const QImage& symbol(int id);            // the 125 x 125 tile of symbol 1..12 (any thread)

  private:
    QString folder_;
    std::recursive_mutex symbolsLock_;  // threads painting at the same scale share the tiles
    std::map<int, QImage> symbols_;
};

// Symbols and their animations (symbols.cpp).
QImage paintSymbol(Studio& s, int id);
QImage paintReel(Studio& s, int reel);
QImage paintScatterFrame(Studio& s, int frame);  // ImageList1 1..20
QImage paintHighlight();                         // ImageList1 21
QImage paintWildFrame(Studio& s, int frame);     // ImageList2 1..8
QImage paintMultiplier(int picture);             // ImageList2 9..24
// Parts shared with other pictures.
void paintShield(QPainter& p, Studio& s, const QPointF& centre, double radius, double turn);
void paintHoop(QPainter& p, Studio& s, const QRectF& box);

// The machine window and its button panel (machine.cpp).
QImage paintBackground(Studio& s);
QImage paintPanel(Studio& s);
QImage paintPictureButton(const QString& name, int index, bool pressed);
QImage paintDollarCoin();
QImage paintHalfCoin();
QImage paintCaption(const QString& name);  // LABLASTBET, LABTHISWIN
QImage paintLineMarker(int picture);       // linepics 1..50
// The dark wooden cabinet, with grain (the machine's background, its panel, the game's forms).
QImage cabinet(int width, int height, uint32_t seed);

// The game's forms in the machine's look (forms.cpp).
QImage paintOptionsBackground();
QImage paintMessageBoxBackground();

// The free-spin announcement (announcement.cpp).
QImage paintStockade();
QImage paintFlame(int frame);  // 1..4
QImage paintFlamingArrow();
QImage paintLandedArrow();

// The gamble (gamble.cpp).
QImage paintCard(int entry);  // imagelistcards 1..24
QImage paintGamblePanel();
QImage paintGambleButton(const QString& name);  // betred, cancelbet, betblack
QImage paintBanner(bool win);

// The big moments (big_moments.cpp).
QImage paintTakeWin();                 // takewin: collects a free-spin series
QImage paintHeldMark();                // picheld: the ribbon over a reel held by its Wild
QImage paintCelebration(int picture);  // picbigwin 1 BIG WIN, 2 MEGA WIN, 3 TOTAL WIN

// Information (paytable.cpp).
// A text the pay table draws, and the box it stands in (pixels of the picture).
struct DrawnText {
    QString text;
    QRectF box;
    int symbol = 0;  // the paying symbol whose box the text stands in; 0 elsewhere
};
// The band at the foot of the pay table left for the window's own text (pixels of the picture).
inline const QRectF kPaytableReturnBand(8, 354, 484, 20);
// The pay table; `texts`, when given, receives every text it draws.
QImage paintPaytable(Studio& s, std::vector<DrawnText>* texts = nullptr);
QImage paintIcon(Studio& s, int size);
// The sizes in pixels of the icon's PNGs in the desktop's hicolor theme, and of the window's icon.
inline constexpr int kThemeIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256, 512};
// The icon drawn into `p` over a square of `size` from the origin (paintIcon and the scalable icon use it).
void drawIcon(QPainter& p, Studio& s, double size);

// The whole catalogue: every picture list by name with its count (0 for a single picture) and its painter.
struct PictureList {
    QString name;
    int count;  // 0: one picture, index 0
    std::function<QImage(int index)> paint;
};
std::vector<PictureList> catalogue(Studio& s);

}  // namespace zem::assets::art
