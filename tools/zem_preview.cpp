// SPDX-License-Identifier: GPL-3.0-or-later
// Preview of the program's art and sound: every picture on one labelled contact sheet, every recording
// listed. Usage: zem-preview [sheet.png]   (default: zem-contact-sheet.png in the current folder)
#include "assets/pictures.h"
#include "assets/recordings.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

struct Item {
    QString label;
    QImage image;
};

// Lays the items out left to right in rows no wider than `width`, each with its label underneath.
QImage sheet(const std::vector<std::pair<QString, std::vector<Item>>>& groups, int width) {
    const int pad = 8, labelHeight = 14, headingHeight = 22;
    const QFont labelFont(QStringLiteral("DejaVu Sans"), 7);
    const QFont headingFont(QStringLiteral("DejaVu Sans"), 11, QFont::Bold);
    // First pass: positions.
    struct Placed {
        QPoint at;
        const Item* item;
    };
    std::vector<Placed> placed;
    std::vector<std::pair<QPoint, QString>> headings;
    int y = pad;
    for (const auto& [name, items] : groups) {
        headings.emplace_back(QPoint(pad, y), name);
        y += headingHeight;
        int x = pad, rowHeight = 0;
        for (const Item& item : items) {
            const int w = std::max(item.image.width(), 60), h = item.image.height() + labelHeight;
            if (x + w > width - pad && x > pad) {
                x = pad;
                y += rowHeight + pad;
                rowHeight = 0;
            }
            placed.push_back({QPoint(x, y), &item});
            x += w + pad;
            rowHeight = std::max(rowHeight, h);
        }
        y += rowHeight + 2 * pad;
    }
    QImage out(width, y, QImage::Format_RGB32);
    out.fill(QColor(58, 58, 64));
    QPainter p(&out);
    // A checkerboard under each picture shows its transparent parts.
    for (const auto& [at, item] : placed) {
        const QRect r(at, item->image.size());
        for (int cy = r.top(); cy < r.bottom(); cy += 8)
            for (int cx = r.left(); cx < r.right(); cx += 8)
                p.fillRect(QRect(cx, cy, 8, 8).intersected(r), ((cx - r.left()) / 8 + (cy - r.top()) / 8) % 2
                                                                   ? QColor(90, 90, 96)
                                                                   : QColor(120, 120, 128));
        p.drawImage(at, item->image);
        p.setPen(QColor(230, 230, 230));
        p.setFont(labelFont);
        p.drawText(
            QRect(at.x(), at.y() + item->image.height() + 1, std::max(item->image.width(), 60) + 40, 13),
            Qt::AlignLeft | Qt::AlignTop, item->label);
    }
    p.setFont(headingFont);
    p.setPen(QColor(255, 214, 120));
    for (const auto& [at, name] : headings)
        p.drawText(QRect(at, QSize(width, 20)), Qt::AlignLeft | Qt::AlignVCenter, name);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString target =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("zem-contact-sheet.png");

    // Pictures, grouped by name; the tall reel strips are shown at a third of their size.
    std::map<QString, std::vector<Item>> byName;
    int pictures = 0;
    for (const auto& [name, index] : zem::assets::pictureNames()) {
        QImage image = zem::assets::picture(name, index);
        const QString base = QString::fromStdString(name);
        QString label = index ? QStringLiteral("%1 %2").arg(base).arg(index) : base;
        label += QStringLiteral("  %1x%2").arg(image.width()).arg(image.height());
        if (base.startsWith(QLatin1String("reel"))) {
            image = image.scaled(image.width() / 3, image.height() / 3, Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
            label += QStringLiteral(" (1/3)");
        }
        const QString group = base.startsWith(QLatin1String("reel")) ? QStringLiteral("reels") : base;
        byName[group].push_back({label, image});
        ++pictures;
    }
    for (auto& [name, items] : byName)
        std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
            return a.label.section(QLatin1Char(' '), 1, 1).toInt() <
                   b.label.section(QLatin1Char(' '), 1, 1).toInt();
        });
    // The machine's own order: symbols and reels first, then the window, the lists, the gamble, the rest.
    const QStringList order = {QStringLiteral("symbol"), QStringLiteral("ImageList1"),
                               QStringLiteral("ImageList2"), QStringLiteral("background"),
                               QStringLiteral("panfreespin")};
    std::vector<std::pair<QString, std::vector<Item>>> groups;
    for (const QString& name : order)
        if (byName.count(name)) groups.emplace_back(name, byName[name]);
    std::vector<Item> singles;
    for (const auto& [name, items] : byName) {
        if (order.contains(name) || name == QLatin1String("reels")) continue;
        if (items.size() == 1)
            singles.push_back(items.front());
        else
            groups.emplace_back(name, items);
    }
    groups.emplace_back(QStringLiteral("single pictures"), singles);
    if (byName.count(QStringLiteral("reels")))
        groups.emplace_back(QStringLiteral("reels"), byName[QStringLiteral("reels")]);
    const QImage out = sheet(groups, 1700);
    if (!out.save(target)) {
        std::fprintf(stderr, "zem-preview: cannot write %s\n", qPrintable(target));
        return 1;
    }
    std::printf("%d pictures on %s (%dx%d)\n\n", pictures, qPrintable(target), out.width(), out.height());

    std::printf("%-17s %8s %5s %9s %9s  %s\n", "recording", "rate", "bits", "channels", "seconds", "role");
    for (const auto& r : zem::assets::kRecordings) {
        const std::vector<uint8_t> bytes = zem::assets::recordingResource(r.number);
        const zem::assets::WaveInfo info = zem::assets::readWaveInfo(bytes);
        if (!info.valid) {
            std::printf("RESOURCE_ID_%-5d  missing or unreadable\n", r.number);
            continue;
        }
        std::printf("RESOURCE_ID_%-5d %8d %5d %9d %9.3f  %.*s\n", r.number, info.rate, info.bits,
                    info.channels, info.seconds(), static_cast<int>(r.role.size()), r.role.data());
    }
    return 0;
}
