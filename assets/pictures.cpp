// SPDX-License-Identifier: GPL-3.0-or-later
// Access to the pictures and recordings the build packed into the program's resources.
#include "pictures.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>

#include <algorithm>

// The resources live in a static library: registering them by hand keeps the linker from dropping them.
static void registerZemResources() { Q_INIT_RESOURCE(zem_assets); }

namespace zem::assets {

namespace {

void ensureResources() {
    static const bool once = [] {
        registerZemResources();
        return true;
    }();
    (void)once;
}

QString resourceKey(const std::string& name, int index) {
    QString key = QString::fromStdString(name);
    if (index != 0) key += QLatin1Char('_') + QString::number(index);
    return key;
}

}  // namespace

QImage picture(const std::string& name, int index) {
    ensureResources();
    static QMutex mutex;
    static QHash<QString, QImage> cache;
    if (name.empty() || index < 0) return {};
    const QString key = resourceKey(name, index);
    QMutexLocker lock(&mutex);
    const auto found = cache.constFind(key);
    if (found != cache.constEnd()) return *found;
    QImage image(QStringLiteral(":/pictures/") + key + QStringLiteral(".png"));
    if (!image.isNull()) image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    cache.insert(key, image);
    return image;
}

QIcon windowIcon() {
    ensureResources();
    QIcon icon;
    const QStringList sizes =
        QDir(QStringLiteral(":/icons/hicolor")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& size : sizes) {
        const QString file = QStringLiteral(":/icons/hicolor/") + size + QStringLiteral("/apps/zem.png");
        if (QFile::exists(file)) icon.addFile(file);
    }
    return icon;
}

std::vector<std::pair<std::string, int>> pictureNames() {
    ensureResources();
    std::vector<std::pair<std::string, int>> names;
    const QStringList files = QDir(QStringLiteral(":/pictures")).entryList(QDir::Files);
    for (QString file : files) {
        file.chop(4);  // ".png"
        int index = 0;
        const int underscore = file.lastIndexOf(QLatin1Char('_'));
        if (underscore > 0) {
            bool number = false;
            const int value = file.mid(underscore + 1).toInt(&number);
            if (number) {
                index = value;
                file.truncate(underscore);
            }
        }
        names.emplace_back(file.toStdString(), index);
    }
    std::sort(names.begin(), names.end());
    return names;
}

QImage whiteTransparent(const QImage& image) {
    if (image.isNull()) return {};
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == 0x00FFFFFFu) line[x] = 0;
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage compose(const QImage& base, const QImage& over) {
    if (base.isNull()) return whiteTransparent(over);
    QImage out = base.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (over.isNull()) return out;
    QPainter painter(&out);
    painter.drawImage(0, 0, whiteTransparent(over));
    return out;
}

std::vector<uint8_t> recordingResource(int number) {
    ensureResources();
    QFile file(QStringLiteral(":/sounds/RESOURCE_ID_%1.wav").arg(number));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace zem::assets
