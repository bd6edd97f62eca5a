// SPDX-License-Identifier: GPL-3.0-or-later
// The list of every picture the program carries, with the painter of each.
#include "art.h"
#include "core/reels.h"

namespace zem::assets::art {

std::vector<PictureList> catalogue(Studio& s) {
    std::vector<PictureList> all;
    auto single = [&](const QString& name, std::function<QImage()> paint) {
        all.push_back({name, 0, [paint](int) { return paint(); }});
    };
    auto list = [&](const QString& name, int count, std::function<QImage(int)> paint) {
        all.push_back({name, count, std::move(paint)});
    };

    list(QStringLiteral("symbol"), 12, [&s](int i) { return s.symbol(i); });
    for (int reel = 1; reel <= core::kReels; ++reel)
        single(QStringLiteral("reel%1").arg(reel), [&s, reel] { return paintReel(s, reel); });

    single(QStringLiteral("background"), [&s] { return paintBackground(s); });
    single(QStringLiteral("panfreespin"), [&s] { return paintPanel(s); });
    list(QStringLiteral("payline"), 5,
         [](int i) { return paintPictureButton(QStringLiteral("payline"), i, false); });
    list(QStringLiteral("pplay"), 6,
         [](int i) { return paintPictureButton(QStringLiteral("pplay"), i, false); });
    for (const char* name : {"autoplayon", "autoplayoff", "btnoptions", "doublebutton", "coinsin", "notes"}) {
        const QString n = QString::fromLatin1(name);
        single(n, [n] { return paintPictureButton(n, 0, false); });
    }
    single(QStringLiteral("dollar1"), [] { return paintDollarCoin(); });
    single(QStringLiteral("halfcoin1"), [] { return paintHalfCoin(); });
    single(QStringLiteral("LABLASTBET"), [] { return paintCaption(QStringLiteral("LABLASTBET")); });
    single(QStringLiteral("LABTHISWIN"), [] { return paintCaption(QStringLiteral("LABTHISWIN")); });
    list(QStringLiteral("linepics"), 50, [](int i) { return paintLineMarker(i); });

    single(QStringLiteral("stockade1"), [] { return paintStockade(); });
    for (int f = 1; f <= 4; ++f)
        single(QStringLiteral("flame%1").arg(f) + QLatin1Char('1'), [f] { return paintFlame(f); });
    single(QStringLiteral("flamingarrow1"), [] { return paintFlamingArrow(); });
    single(QStringLiteral("noflamearrow1"), [] { return paintLandedArrow(); });

    list(QStringLiteral("ImageList1"), 21,
         [&s](int i) { return i == 21 ? paintHighlight() : paintScatterFrame(s, i); });
    list(QStringLiteral("ImageList2"), 24,
         [&s](int i) { return i <= 8 ? paintWildFrame(s, i) : paintMultiplier(i); });

    list(QStringLiteral("imagelistcards"), 24, [](int i) { return paintCard(i); });
    single(QStringLiteral("pandouble"), [] { return paintGamblePanel(); });
    for (const char* name : {"betred", "cancelbet", "betblack"}) {
        const QString n = QString::fromLatin1(name);
        single(n, [n] { return paintGambleButton(n); });
    }
    single(QStringLiteral("gamblewin"), [] { return paintBanner(true); });
    single(QStringLiteral("gamblelose"), [] { return paintBanner(false); });

    single(QStringLiteral("takewin"), [] { return paintTakeWin(); });
    single(QStringLiteral("picheld"), [] { return paintHeldMark(); });
    list(QStringLiteral("picbigwin"), 3, [](int i) { return paintCelebration(i); });

    single(QStringLiteral("paytable"), [&s] { return paintPaytable(s); });
    single(QStringLiteral("icon"), [&s] { return paintIcon(s, 35); });

    single(QStringLiteral("optionsback"), [] { return paintOptionsBackground(); });
    single(QStringLiteral("messagebox"), [] { return paintMessageBoxBackground(); });
    return all;
}

}  // namespace zem::assets::art
