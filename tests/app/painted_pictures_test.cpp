// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures painted at a scale in the painter thread and kept in the cache folder: the same pixels as those
// painted on the windows' thread, only the cache's own whole files read back, only its own files removed, and
// a quit that never waits for a picture.
#include "assets/painted_pictures.h"

#include "platform/qt/picture_cache.h"
#include "platform/qt/picture_supply.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utime.h>

namespace zem::platform::qt {
namespace {

bool samePicture(const QImage& a, const QImage& b) {
    return !a.isNull() && a == b && a.format() == b.format() && a.devicePixelRatio() == b.devicePixelRatio();
}

// A picture with a plain field (packs small) or with noise in every pixel (kept unpacked).
QImage testPicture(bool noisy) {
    QImage image(120, 90, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(120, 30, 20));
    uint32_t state = 7;
    for (int y = 0; noisy && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (state = state * 1664525u + 1013904223u) | 0xff000000u);
    image.setDevicePixelRatio(1.8);
    return image;
}

void waitSettled(PictureSupply& supply) {
    for (int i = 0; i < 6000 && !supply.settled(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

const PictureRef kPlain{"background", 0}, kNoisy{"reel1", 0};

TEST(PaintedPictures, ThePainterThreadAndTheCachePaintTheSamePixelsAsTheWindowsThread) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("pictures");
    const std::vector<PictureRef> refs{{"background", 0}, {"reel3", 0}, {"pplay", 2}, {"LABLASTBET", 0}};
    auto painter = [](std::atomic<int>* calls) {
        return [calls](const PictureRef& ref, double device) {
            ++*calls;
            return assets::paintedPicture(ref.name, ref.index, device);
        };
    };
    std::atomic<int> first{0}, second{0};
    {
        PictureSupply supply(painter(&first), [&folder] {
            return std::make_unique<PictureCache>(folder, assets::paintedPicturesEdition());
        });
        supply.prepare(refs, 1.8, false);
        waitSettled(supply);
        EXPECT_EQ(first, 4) << "the painter thread paints each picture once";
        for (const PictureRef& ref : refs)
            EXPECT_TRUE(samePicture(supply.take(ref, 1.8), assets::paintedPicture(ref.name, ref.index, 1.8)))
                << ref.name << " painted in the painter thread";
    }
    PictureSupply again(painter(&second), [&folder] {
        return std::make_unique<PictureCache>(folder, assets::paintedPicturesEdition());
    });
    for (const PictureRef& ref : refs)
        EXPECT_TRUE(samePicture(again.take(ref, 1.8), assets::paintedPicture(ref.name, ref.index, 1.8)))
            << ref.name << " read back from the cache";
    EXPECT_EQ(second, 0) << "a second run paints nothing the first kept";
}

TEST(PictureCache, ReadsBackOnlyItsOwnWholeRegularFilesAndNeverWritesThroughALink) {
    QTemporaryDir dir;
    PictureCache cache(dir.filePath("pictures"), "edition 1");
    ASSERT_TRUE(cache.usable());
    for (const bool noisy : {false, true}) {
        const PictureRef ref = noisy ? kNoisy : kPlain;
        cache.store(ref, 1.8, testPicture(noisy));
        EXPECT_TRUE(samePicture(cache.load(ref, 1.8), testPicture(noisy))) << "noisy " << noisy;
        EXPECT_TRUE(cache.load(ref, 2.0).isNull()) << "another scale";
        EXPECT_TRUE(PictureCache(dir.filePath("pictures"), "edition 2").load(ref, 1.8).isNull())
            << "another edition";
        const QString file = cache.fileOf(ref, 1.8);
        const QByteArray whole = bytesOf(file);
        QByteArray damaged = whole;
        damaged[damaged.size() - 5] = static_cast<char>(damaged[damaged.size() - 5] ^ 0x10);
        writeBytes(file, damaged);
        EXPECT_TRUE(cache.load(ref, 1.8).isNull()) << "a damaged byte, noisy " << noisy;
        writeBytes(file, whole.left(whole.size() - 40));
        EXPECT_TRUE(cache.load(ref, 1.8).isNull()) << "a short file, noisy " << noisy;
    }
    // A link at a picture's place is not read, and a store replaces the link, never what it leads to.
    const QString elsewhere = dir.filePath("elsewhere.pic");
    cache.store(kPlain, 2.0, testPicture(false));
    ASSERT_TRUE(QFile::rename(cache.fileOf(kPlain, 2.0), elsewhere));
    ASSERT_EQ(::symlink(QFile::encodeName(elsewhere).constData(),
                        QFile::encodeName(cache.fileOf(kPlain, 2.0)).constData()),
              0);
    EXPECT_TRUE(cache.load(kPlain, 2.0).isNull());
    const QByteArray before = bytesOf(elsewhere);
    cache.store(kPlain, 2.0, testPicture(true));
    EXPECT_EQ(bytesOf(elsewhere), before);
    EXPECT_TRUE(samePicture(cache.load(kPlain, 2.0), testPicture(true)));
    // A folder that is a link, or that others may write to, keeps nothing.
    ASSERT_EQ(::symlink(QFile::encodeName(dir.filePath("pictures")).constData(),
                        QFile::encodeName(dir.filePath("linked")).constData()),
              0);
    EXPECT_FALSE(PictureCache(dir.filePath("linked"), "edition 1").usable());
    ASSERT_TRUE(QDir(dir.path()).mkdir("shared"));
    ::chmod(QFile::encodeName(dir.filePath("shared")).constData(), 0777);
    EXPECT_FALSE(PictureCache(dir.filePath("shared"), "edition 1").usable());
}

TEST(PictureCache, PruningRemovesOnlyWhatTheCacheWroteAndNoLongerNeeds) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("pictures");
    PictureCache old(folder, "edition 1");
    old.store(kPlain, 1.8, testPicture(false));
    PictureCache cache(folder, "edition 2", 100000);
    const QString foreign = folder + "/notes.txt";
    const QString lookalike = cache.fileOf(kNoisy, 3.0);  // the cache's name, someone else's content
    const QString halfWritten =
        QStringLiteral("%1/.%2.%3").arg(folder, QFileInfo(cache.fileOf(kPlain, 1.0)).fileName()).arg(999999);
    writeBytes(foreign, "the player's own");
    writeBytes(lookalike, QByteArray(200, 'x'));
    writeBytes(halfWritten, "ZEMPIC01 half");
    // Two noisy pictures (43 kB each): the older goes when both together exceed the bound.
    cache.store(kNoisy, 1.8, testPicture(true));
    cache.store(kNoisy, 2.0, testPicture(true));
    cache.store(kNoisy, 2.5, testPicture(true));
    const QByteArray older = QFile::encodeName(cache.fileOf(kNoisy, 1.8));
    const utimbuf longAgo{::time(nullptr) - 3600, ::time(nullptr) - 3600};
    ASSERT_EQ(::utime(older.constData(), &longAgo), 0);
    cache.prune();
    EXPECT_FALSE(QFile::exists(old.fileOf(kPlain, 1.8))) << "another edition's picture";
    EXPECT_FALSE(QFile::exists(halfWritten)) << "an earlier run's unfinished write";
    EXPECT_FALSE(QFile::exists(cache.fileOf(kNoisy, 1.8))) << "the oldest, over the bound";
    EXPECT_TRUE(QFile::exists(cache.fileOf(kNoisy, 2.0)));
    EXPECT_TRUE(QFile::exists(cache.fileOf(kNoisy, 2.5)));
    EXPECT_EQ(bytesOf(foreign), QByteArray("the player's own"));
    EXPECT_EQ(bytesOf(lookalike), QByteArray(200, 'x'));
}

TEST(PictureSupply, AQuitWhileAPictureIsPaintedNeverWaitsForIt) {
    struct Gate {
        std::atomic<bool> entered{false}, open{false};
    };
    auto gate = std::make_shared<Gate>();
    auto supply = std::make_unique<PictureSupply>([gate](const PictureRef&, double) {
        gate->entered = true;
        while (!gate->open) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return testPicture(false);
    });
    supply->prepare({kPlain, kNoisy}, 2.0, true);
    while (!gate->entered) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(supply->stop()) << "the painter is inside a picture: the quit goes on without it";
    supply.reset();  // the supply goes while its thread still paints
    gate->open = true;
}

}  // namespace
}  // namespace zem::platform::qt
