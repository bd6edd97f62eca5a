// Build tool: paints every picture as PNG and synthesizes every recording as WAV, and lists them for the
// resource compiler. Usage: zem_bake <svg folder> <output folder> [name...] (names: only those pictures).
#include "assets/art/art.h"
#include "assets/art/painting.h"
#include "assets/recordings.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>

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
    qrc += "</qresource>\n</RCC>\n";
    ok = savePng(zem::assets::art::paintIcon(studio, 256), out.filePath(QStringLiteral("zem-256.png"))) && ok;
    ok = writeFile(out.filePath(QStringLiteral("zem_assets.qrc")), qrc) && ok;
    if (!ok) std::fprintf(stderr, "zem_bake: some pictures or recordings could not be written\n");
    return ok ? 0 : 1;
}
