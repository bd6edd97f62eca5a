// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: paints every picture as PNG and synthesizes every recording as WAV, and lists them for the
// resource compiler. Usage: zem_bake <svg folder> <output folder> [name...] (names: only those pictures).
#include "assets/art/art.h"
#include "assets/art/painting.h"
#include "assets/recordings.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cstdio>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(bytes);
    return file.commit();
}

bool savePng(const QImage& image, const QString& path) {
    if (image.isNull()) {
        std::fprintf(stderr, "zem_bake: %s painted nothing\n", qPrintable(path));
        return false;
    }
    // Straight alpha keeps the files identical from build to build.
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32)
        .save(path, "PNG");
}

// The program's icon for the desktop's hicolor theme: a PNG at each size the theme knows from 16 to 512
// pixels, and the same drawing as a scalable SVG, under <out>/icons/hicolor/<size>/apps/zem.{png,svg}.
bool writeThemeIcons(zem::assets::art::Studio& studio, const QDir& out) {
    bool ok = true;
    for (const int size : zem::assets::art::kThemeIconSizes) {
        const QString folder = QStringLiteral("icons/hicolor/%1x%1/apps").arg(size);
        out.mkpath(folder);
        ok = savePng(zem::assets::art::paintIcon(studio, size),
                     out.filePath(folder + QStringLiteral("/zem.png"))) &&
             ok;
    }
    out.mkpath(QStringLiteral("icons/hicolor/scalable/apps"));
    const QString svgPath = out.filePath(QStringLiteral("icons/hicolor/scalable/apps/zem.svg"));
    QBuffer svg;
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(QSize(256, 256));
    generator.setViewBox(QRectF(0, 0, 256, 256));
    generator.setTitle(QStringLiteral("zem"));
    generator.setDescription(QStringLiteral("The icon of the zem slot machine"));
    {
        QPainter p(&generator);
        zem::assets::art::drawIcon(p, studio, 256);
    }
    return writeFile(svgPath, svg.data()) && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: zem_bake <svg folder> <output folder> [picture name...]\n");
        return 2;
    }
    if (!zem::assets::art::loadFonts()) return 1;
    const QString svgFolder = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QStringList only;
    for (int i = 3; i < argc; ++i) only << QString::fromLocal8Bit(argv[i]);
    // A full bake starts from an empty folder, so no picture of an earlier build lingers.
    if (only.isEmpty()) QDir(out.filePath(QStringLiteral("pictures"))).removeRecursively();
    out.mkpath(QStringLiteral("pictures"));
    out.mkpath(QStringLiteral("sounds"));

    zem::assets::art::Studio studio(svgFolder);
    QByteArray qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    bool ok = true;
    for (const auto& list : zem::assets::art::catalogue(studio)) {
        if (!only.isEmpty() && !only.contains(list.name)) continue;
        const int first = list.count == 0 ? 0 : 1;
        const int last = list.count == 0 ? 0 : list.count;
        for (int index = first; index <= last; ++index) {
            const QString file = index == 0 ? list.name + QStringLiteral(".png")
                                            : QStringLiteral("%1_%2.png").arg(list.name).arg(index);
            ok = savePng(list.paint(index), out.filePath(QStringLiteral("pictures/") + file)) && ok;
            qrc += "  <file>pictures/" + file.toUtf8() + "</file>\n";
        }
    }
    if (!only.isEmpty()) return ok ? 0 : 1;

    for (const auto& recording : zem::assets::kRecordings) {
        const std::vector<uint8_t> wave = zem::assets::synthesizeRecording(recording.number);
        const QString file = QStringLiteral("RESOURCE_ID_%1.wav").arg(recording.number);
        ok = writeFile(out.filePath(QStringLiteral("sounds/") + file),
                       QByteArray(reinterpret_cast<const char*>(wave.data()),
                                  static_cast<qsizetype>(wave.size()))) &&
             ok;
        qrc += "  <file>sounds/" + file.toUtf8() + "</file>\n";
    }
    // The drawings themselves, for painting the pictures afresh at a larger scale while the game runs.
    out.mkpath(QStringLiteral("svg"));
    for (const QString& file :
         QDir(svgFolder).entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name)) {
        QFile::remove(out.filePath(QStringLiteral("svg/") + file));
        ok = QFile::copy(QDir(svgFolder).filePath(file), out.filePath(QStringLiteral("svg/") + file)) && ok;
        qrc += "  <file>svg/" + file.toUtf8() + "</file>\n";
    }
    // The window's icon: the theme's PNGs up to 256 pixels (larger ones a window manager never shows).
    ok = writeThemeIcons(studio, out) && ok;
    for (const int size : zem::assets::art::kThemeIconSizes) {
        if (size <= 256)
            qrc += QStringLiteral("  <file>icons/hicolor/%1x%1/apps/zem.png</file>\n").arg(size).toUtf8();
    }
    qrc += "</qresource>\n</RCC>\n";
    ok = writeFile(out.filePath(QStringLiteral("zem_assets.qrc")), qrc) && ok;
    if (!ok) std::fprintf(stderr, "zem_bake: some pictures or recordings could not be written\n");
    return ok ? 0 : 1;
}
