// The lock file: flock on an open descriptor, the holder's process id written inside for people to read.
#include "instance_lock.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace zem::platform::qt {

InstanceLock::InstanceLock(const QString& lockPath) {
    QDir().mkpath(QFileInfo(lockPath).absolutePath());
    const QByteArray path = QFile::encodeName(lockPath);
    fd_ = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) fd_ = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return;  // Unavailable
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            state_ = State::HeldElsewhere;
            char text[32] = {};
            if (::pread(fd_, text, sizeof text - 1, 0) > 0) holder_ = std::atoll(text);
        }
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

QString InstanceLock::besideStore(const QString& storeFile) {
    const QFileInfo info(storeFile);
    return info.absolutePath() + '/' + info.completeBaseName() + ".lock";
}

void InstanceLock::removeLeftovers(const QString& storeFile) {
    const QFileInfo info(storeFile);
    QDir folder = info.absoluteDir();
    // The settings writer's lock file, and copies named after the file with six more characters.
    const QStringList patterns = {info.fileName() + ".lock", info.fileName() + ".??????"};
    for (const QString& name : folder.entryList(patterns, QDir::Files | QDir::Hidden | QDir::System)) {
        folder.remove(name);
    }
}

}  // namespace zem::platform::qt
