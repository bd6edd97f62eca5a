// SPDX-License-Identifier: GPL-3.0-or-later
// Files read and written with open flags that never follow a link, checked with fstat before a byte is read.
#include "picture_cache.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zem::platform::qt {

namespace {

constexpr char kMagic[8] = {'Z', 'E', 'M', 'P', 'I', 'C', '0', '1'};
constexpr int kNameRoom = 48;
constexpr int kLargestSide = 16384;
constexpr uint32_t kCompressed = 1;
constexpr time_t kUnusedFor = 30 * 24 * 3600;

// What stands at the head of every file, before the picture's pixels.
struct Header {
    char magic[8];
    uint64_t edition;
    int32_t device;  // thousandths of the device pixels a twip-pixel
    int32_t index;
    int32_t width;
    int32_t height;
    int32_t format;
    uint32_t flags;
    double ratio;  // the picture's device pixel ratio
    uint64_t payload;
    uint64_t checksum;
    char name[kNameRoom];
};
static_assert(sizeof(Header) == 112);

int thousandths(double value) { return static_cast<int>(std::lround(value * 1000.0)); }

bool keptFormat(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

bool keptName(const std::string& name) {
    if (name.empty() || name.size() >= kNameRoom) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// A quick 64-bit sum of the bytes (FNV-1a over whole words): damage shows, speed matters.
uint64_t checksum(const char* data, size_t size) {
    uint64_t sum = 0xcbf29ce484222325ull;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        std::memcpy(&word, data + i, 8);
        sum = (sum ^ word) * 0x100000001b3ull;
    }
    for (; i < size; ++i) sum = (sum ^ static_cast<unsigned char>(data[i])) * 0x100000001b3ull;
    return sum;
}

// The edition as a number for the files' names and heads: the same in every run (Qt's hash is not).
uint64_t editionNumber(const QString& edition) {
    const QByteArray text = edition.toUtf8();
    return checksum(text.constData(), static_cast<size_t>(text.size()));
}

bool readAll(int fd, char* to, size_t size) {
    while (size > 0) {
        const ssize_t n = ::read(fd, to, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        to += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool writeAll(int fd, const char* from, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, from, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        from += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// A descriptor closed when it goes.
struct Fd {
    int fd;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

// Opens a regular file of this account's for reading, never through a link, never waiting on a pipe.
int openOwn(const QString& path, struct stat& st) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The header of the file at `fd` when it is one of the cache's, whole; false otherwise.
bool readHeader(int fd, const struct stat& st, Header& h) {
    if (st.st_size < static_cast<off_t>(sizeof(Header))) return false;
    if (!readAll(fd, reinterpret_cast<char*>(&h), sizeof h)) return false;
    return std::memcmp(h.magic, kMagic, sizeof kMagic) == 0 && h.name[kNameRoom - 1] == '\0' &&
           h.payload == static_cast<uint64_t>(st.st_size) - sizeof(Header);
}

const QRegularExpression& keptFile() {
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9a-f]{16})-([0-9]+)-([A-Za-z0-9_]+)-([0-9]+)\\.pic$"));
    return pattern;
}

const QRegularExpression& halfWritten() {
    static const QRegularExpression pattern(
        QStringLiteral("^\\.[0-9a-f]{16}-[0-9]+-[A-Za-z0-9_]+-[0-9]+\\.pic\\.([0-9]+)$"));
    return pattern;
}

}  // namespace

PictureCache::PictureCache(QString folder, const QString& edition, int64_t bound)
    : folder_(std::move(folder)), edition_(editionNumber(edition)), bound_(bound) {
    if (folder_.isEmpty() || edition.isEmpty()) return;
    const QFileInfo info(folder_);
    QDir().mkpath(info.path());
    const QByteArray path = QFile::encodeName(folder_);
    ::mkdir(path.constData(), 0700);
    // The folder itself, not a link to one; this account's; writable by no other.
    struct stat st {};
    usable_ = ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
              (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

QString PictureCache::fileOf(const PictureRef& ref, double device) const {
    if (!keptName(ref.name) || ref.index < 0) return {};
    return QStringLiteral("%1/%2-%3-%4-%5.pic")
        .arg(folder_)
        .arg(edition_, 16, 16, QLatin1Char('0'))
        .arg(thousandths(device))
        .arg(QString::fromStdString(ref.name))
        .arg(ref.index);
}

QImage PictureCache::load(const PictureRef& ref, double device) const {
    const QString path = usable_ ? fileOf(ref, device) : QString();
    if (path.isEmpty()) return {};
    struct stat st {};
    const Fd file{openOwn(path, st)};
    Header h{};
    if (file.fd < 0 || !readHeader(file.fd, st, h)) return {};
    if (h.edition != edition_ || h.device != thousandths(device) || h.index != ref.index ||
        ref.name != h.name || h.width <= 0 || h.height <= 0 || h.width > kLargestSide ||
        h.height > kLargestSide || !keptFormat(static_cast<QImage::Format>(h.format)) ||
        h.flags > kCompressed || !(h.ratio > 0 && h.ratio <= 64))
        return {};
    const size_t raw = static_cast<size_t>(h.width) * static_cast<size_t>(h.height) * 4;
    if (h.flags == 0 && h.payload != raw) return {};
    if (h.flags == kCompressed && h.payload > raw) return {};
    QImage image(h.width, h.height, static_cast<QImage::Format>(h.format));
    if (image.isNull() || static_cast<size_t>(image.bytesPerLine()) * static_cast<size_t>(h.height) != raw)
        return {};
    char* bits = reinterpret_cast<char*>(image.bits());
    if (h.flags == 0) {
        if (!readAll(file.fd, bits, raw) || checksum(bits, raw) != h.checksum) return {};
    } else {
        QByteArray packed(static_cast<qsizetype>(h.payload), Qt::Uninitialized);
        if (!readAll(file.fd, packed.data(), packed.size()) ||
            checksum(packed.constData(), static_cast<size_t>(packed.size())) != h.checksum)
            return {};
        const QByteArray pixels = qUncompress(packed);
        if (static_cast<size_t>(pixels.size()) != raw) return {};
        std::memcpy(bits, pixels.constData(), raw);
    }
    image.setDevicePixelRatio(h.ratio);
    // Marks the picture as used: pictures of a scale nobody shows any more go after a while.
    ::futimens(file.fd, nullptr);
    return image;
}

void PictureCache::store(const PictureRef& ref, double device, const QImage& image) const {
    const QString path = usable_ ? fileOf(ref, device) : QString();
    if (path.isEmpty() || image.isNull() || !keptFormat(image.format()) || image.width() > kLargestSide ||
        image.height() > kLargestSide || image.bytesPerLine() != image.width() * 4)
        return;
    const size_t raw = static_cast<size_t>(image.sizeInBytes());
    const char* bits = reinterpret_cast<const char*>(image.constBits());
    Header h{};
    std::memcpy(h.magic, kMagic, sizeof kMagic);
    h.edition = edition_;
    h.device = thousandths(device);
    h.index = ref.index;
    h.width = image.width();
    h.height = image.height();
    h.format = image.format();
    h.ratio = image.devicePixelRatio();
    std::memcpy(h.name, ref.name.data(), ref.name.size());
    // Pictures with large plain areas pack well and read faster packed; the others are kept as they are. A
    // sixteenth of the picture tells which it is.
    const size_t sample = std::max<size_t>(raw / 16 / 4 * 4, std::min<size_t>(raw, 4096));
    const bool packs =
        qCompress(reinterpret_cast<const uchar*>(bits), static_cast<qsizetype>(sample), 1).size() <=
        static_cast<qsizetype>(sample / 4 + 64);
    QByteArray packed = packs
                            ? qCompress(reinterpret_cast<const uchar*>(bits), static_cast<qsizetype>(raw), 1)
                            : QByteArray();
    const bool pack = !packed.isEmpty() && static_cast<size_t>(packed.size()) <= raw / 4;
    if (pack) {
        bits = packed.constData();
        h.flags = kCompressed;
    } else {
        packed.clear();
    }
    h.payload = pack ? static_cast<uint64_t>(packed.size()) : raw;
    h.checksum = checksum(bits, h.payload);

    const QFileInfo final(path);
    const QString temporary = QStringLiteral("%1/.%2.%3").arg(folder_, final.fileName()).arg(::getpid());
    const QByteArray temp = QFile::encodeName(temporary);
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return;
    const bool written =
        writeAll(fd, reinterpret_cast<const char*>(&h), sizeof h) && writeAll(fd, bits, h.payload);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.constData(), QFile::encodeName(path).constData()) != 0)
        ::unlink(temp.constData());
}

void PictureCache::prune() const {
    if (!usable_) return;
    const QByteArray folder = QFile::encodeName(folder_);
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr) return;
    struct Kept {
        time_t used;
        off_t size;
        QByteArray path;
    };
    std::vector<Kept> kept;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        const QByteArray path = folder + '/' + entry->d_name;
        if (const auto half = halfWritten().match(name); half.hasMatch()) {
            // A write of an earlier run that never finished (this run's own are still being written).
            struct stat st {};
            if (half.captured(1).toLongLong() != ::getpid() && ::lstat(path.constData(), &st) == 0 &&
                S_ISREG(st.st_mode) && st.st_uid == ::geteuid())
                ::unlink(path.constData());
            continue;
        }
        const auto match = keptFile().match(name);
        if (!match.hasMatch()) continue;
        struct stat st {};
        const Fd file{openOwn(QFile::decodeName(path), st)};
        Header h{};
        if (file.fd < 0 || !readHeader(file.fd, st, h)) continue;
        // Only a file whose head says what its name says is the cache's.
        if (QStringLiteral("%1").arg(h.edition, 16, 16, QLatin1Char('0')) != match.captured(1) ||
            QString::number(h.device) != match.captured(2) ||
            QString::fromLatin1(h.name) != match.captured(3) || QString::number(h.index) != match.captured(4))
            continue;
        if (h.edition != edition_ || now - st.st_mtime > kUnusedFor) {
            ::unlink(path.constData());
            continue;
        }
        kept.push_back({st.st_mtime, st.st_size, path});
    }
    ::closedir(dir);
    int64_t total = 0;
    for (const Kept& k : kept) total += k.size;
    std::sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) { return a.used < b.used; });
    for (const Kept& k : kept) {
        if (total <= bound_) break;
        ::unlink(k.path.constData());
        total -= k.size;
    }
}

}  // namespace zem::platform::qt
