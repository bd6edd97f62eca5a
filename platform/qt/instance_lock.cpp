// SPDX-License-Identifier: GPL-3.0-or-later
// The lock file: flock on an open descriptor, the holder's process id written inside for people to read.
#include "instance_lock.h"

#include "own_files.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zem::platform::qt {

namespace {

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

}  // namespace

InstanceLock::InstanceLock(const QString& lockPath) : path_(lockPath) {
    const QString folder = QFileInfo(lockPath).absolutePath();
    QDir().mkpath(folder);
    const QByteArray path = QFile::encodeName(lockPath);
    // Never through a link, and never waiting on a pipe: only a regular file of its own is the game's lock.
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    fd_ = ::open(path.constData(), O_RDWR | O_CREAT | kFlags, 0600);
    if (fd_ < 0) fd_ = ::open(path.constData(), O_RDONLY | kFlags);
    if (fd_ < 0) {
        const int error = errno;
        struct stat st {};
        const bool absent = ::lstat(path.constData(), &st) != 0 && errno == ENOENT;
        // No lock file, and none can be made in a folder that cannot be written: the store beside it cannot
        // be saved either (its saves make a new file there), so two games can lose nothing.
        if (absent && ::access(QFile::encodeName(folder).constData(), W_OK) != 0) return;  // Unavailable
        refuse(error == ELOOP ? QStringLiteral("it is a link") : systemError(error));
        return;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        refuse(QStringLiteral("it is not a regular file"));
        return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK) {
            refuse(systemError(errno));  // a file system without locks
            return;
        }
        state_ = State::HeldElsewhere;
        char text[32] = {};
        if (::pread(fd_, text, sizeof text - 1, 0) > 0) holder_ = std::atoll(text);
        ::close(fd_);
        fd_ = -1;
        return;
    }
    state_ = State::Held;
    holder_ = ::getpid();
    const std::string pid = std::to_string(holder_) + "\n";
    if (::ftruncate(fd_, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(fd_, pid.data(), pid.size(), 0);
    }
}

InstanceLock::~InstanceLock() {
    // The file stays (removing it could race with a start that has just opened it); the lock goes with the
    // descriptor.
    if (fd_ >= 0) ::close(fd_);
}

void InstanceLock::refuse(const QString& reason) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    state_ = State::Refused;
    problem_ =
        QStringLiteral(
            "zem cannot lock its file %1 (%2), so it cannot make sure that no other game is playing on "
            "this account.\nTo keep the players' credits safe it does not start.")
            .arg(path_, reason);
}

QString InstanceLock::besideStore(const QString& storeFile) {
    const QFileInfo info(storeFile);
    return info.absolutePath() + '/' + info.completeBaseName() + ".lock";
}

void InstanceLock::removeLeftovers(const QString& storeFile) {
    // The settings writer's lock, beside the file it writes: a regular file of this account that begins with
    // the process id of its writer, on a line of its own (or is still empty: the writer was cut short before
    // it wrote a byte, and nothing is lost with it). While the game holds its own lock, no writer of
    // the store runs but this process's, so a writer's lock of another process was left by a game that
    // ended in the middle of a save. Anything else of that name is not the game's and stays; so do the
    // unfinished copies a save cut short may leave (harmless, and not told apart from the player's own
    // files by their names).
    const OwnFile store = lookAtOwnFile(storeFile);
    if (store.kind != OwnFile::Kind::Regular) return;
    const QByteArray writersLock = QFile::encodeName(store.target + QStringLiteral(".lock"));
    const int fd = ::open(writersLock.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st {};
    char text[64] = {};
    const bool ours = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
                      st.st_size < 4096 && ::pread(fd, text, sizeof text - 1, 0) >= 0;
    ::close(fd);
    if (!ours) return;
    bool gone = st.st_size == 0;
    if (const qsizetype end = QByteArray(text).indexOf('\n'); end > 0) {
        bool isNumber = false;
        const qint64 writer = QByteArray(text, end).toLongLong(&isNumber);
        gone = isNumber && writer > 0 &&
               (writer == ::getpid() || (::kill(static_cast<pid_t>(writer), 0) != 0 && errno == ESRCH));
    }
    if (gone) ::unlink(writersLock.constData());
}

}  // namespace zem::platform::qt
