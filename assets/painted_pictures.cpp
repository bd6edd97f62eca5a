// SPDX-License-Identifier: GPL-3.0-or-later
// Painting pictures at a scale: one studio per scale, the same painters as the build's.
#include "painted_pictures.h"

#include "art/art.h"
#include "art/painting.h"
#include "pictures.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QResource>

#include <cmath>
#include <map>
#include <memory>
#include <mutex>

namespace zem::assets {

namespace {

struct ScaledStudio {
    explicit ScaledStudio(double scale) : scale(scale), studio(QStringLiteral(":/svg")) {
        art::PaintScale at(scale);
        for (art::PictureList& list : art::catalogue(studio)) lists.emplace(list.name.toStdString(), list);
    }
    double scale;
    art::Studio studio;
    std::map<std::string, art::PictureList> lists;
};

}  // namespace

QString paintedPicturesEdition() {
    static const QString edition = [] {
        // The drawings and the pictures the build painted: any change to the painters shows in them. A
        // digest, not Qt's hash, which differs from run to run.
        (void)picture("icon");
        QCryptographicHash digest(QCryptographicHash::Sha1);
        digest.addData(QByteArrayLiteral(ZEM_PAINTED_VERSION));
        digest.addData(QByteArray(qVersion()));
        for (const QString& folder : {QStringLiteral(":/pictures"), QStringLiteral(":/svg")}) {
            QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
            QStringList names;
            while (files.hasNext()) names << files.next();
            names.sort();
            for (const QString& file : names) {
                const QResource resource(file);
                digest.addData(file.toUtf8());
                digest.addData(
                    QByteArrayView(reinterpret_cast<const char*>(resource.data()), resource.size()));
            }
        }
        // The font files the lettering is drawn with, as the system has them now.
        for (const QString& font : art::fontFiles()) {
            const QFileInfo info(font);
            digest.addData(QStringLiteral("%1 %2 %3")
                               .arg(font)
                               .arg(info.size())
                               .arg(info.lastModified().toMSecsSinceEpoch())
                               .toUtf8());
        }
        return QStringLiteral(ZEM_PAINTED_VERSION "-") +
               QString::fromLatin1(digest.result().toHex().left(16));
    }();
    return edition;
}

QImage paintedPicture(const std::string& name, int index, double scale) {
    if (!(scale > 0) || scale > 16) return {};
    // The drawings and the pictures live in the same resources.
    if (picture(name, index).isNull()) return {};
    static const bool fonts = art::loadFonts();
    (void)fonts;
    // Studios keep the symbol tiles they painted: a few scales at most are ever used (the window's own on a
    // screen of high density, and the screen-filling one). Threads painting at one scale share its studio.
    static std::mutex lock;
    static std::map<long, std::shared_ptr<ScaledStudio>> studios;
    const long key = std::lround(scale * 1000.0);
    std::shared_ptr<ScaledStudio> studio;
    {
        std::lock_guard hold(lock);
        auto it = studios.find(key);
        if (it == studios.end()) {
            if (studios.size() >= 4) studios.erase(studios.begin());
            it = studios.emplace(key, std::make_shared<ScaledStudio>(scale)).first;
        }
        studio = it->second;
    }
    ScaledStudio& s = *studio;
    auto list = s.lists.find(name);
    if (list == s.lists.end()) return {};
    if (list->second.count == 0 ? index != 0 : (index < 1 || index > list->second.count)) return {};
    art::PaintScale at(scale);
    QImage image = list->second.paint(index);
    if (!image.isNull() && image.devicePixelRatio() != scale) {
        // A painter that drew at its own size: brought to the scale smoothly.
        const QSize size(
            static_cast<int>(std::ceil(image.width() / image.devicePixelRatio() * scale - 1e-6)),
            static_cast<int>(std::ceil(image.height() / image.devicePixelRatio() * scale - 1e-6)));
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        image.setDevicePixelRatio(scale);
    }
    return image;
}

}  // namespace zem::assets
