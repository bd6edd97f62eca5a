// SPDX-License-Identifier: GPL-3.0-or-later
// Following the links at a place with lstat and readlink, which never open what they look at.
#include "own_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zem::platform::qt {

namespace {

// More links than any player keeps; a loop of links ends here too.
constexpr int kMaxLinks = 16;

QString kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return QStringLiteral("a folder");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("a device");
    if (S_ISFIFO(mode)) return QStringLiteral("a pipe");
    if (S_ISSOCK(mode)) return QStringLiteral("a socket");
    return QStringLiteral("not a regular file");
}

OwnFile refused(const QString& path, const QString& what) {
    return OwnFile{OwnFile::Kind::Refused, path, what};
}

}  // namespace

OwnFile lookAtOwnFile(const QString& path) {
    QByteArray current = QFile::encodeName(path);
    std::vector<uid_t> linkOwners;
    struct stat st {};
    while (::lstat(current.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (linkOwners.size() == kMaxLinks) return refused(path, QStringLiteral("a loop of links"));
        linkOwners.push_back(st.st_uid);
        std::vector<char> text(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4095) + 1);
        const ssize_t n = ::readlink(current.constData(), text.data(), text.size());
        if (n < 0 || static_cast<size_t>(n) == text.size())
            return refused(path, QStringLiteral("an unreadable link"));
        QByteArray next(text.data(), n);
        // A relative link is read from the folder that holds it.
        if (!next.startsWith('/'))
            next = QFile::encodeName(QFileInfo(QFile::decodeName(current)).path()) + '/' + next;
        current = next;
    }
    if (::lstat(current.constData(), &st) != 0) {
        // Nothing there, or nothing that can be looked at (a folder on the way that cannot be searched): the
        // file cannot be opened either, and a save will say so.
        if (linkOwners.empty()) return OwnFile{OwnFile::Kind::Missing, path, {}};
        return refused(path, errno == ENOENT ? QStringLiteral("a link to nothing")
                                             : QStringLiteral("a link to a file that cannot be looked at"));
    }
    const QString prefix = linkOwners.empty() ? QString() : QStringLiteral("a link to ");
    if (!S_ISREG(st.st_mode)) return refused(path, prefix + kindOf(st.st_mode));
    for (uid_t owner : linkOwners) {
        if (owner != st.st_uid) return refused(path, QStringLiteral("a link to a file of another account"));
    }
    return OwnFile{OwnFile::Kind::Regular, QFile::decodeName(current), {}};
}

QString accountHome() {
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home)) return home;
    const passwd* account = ::getpwuid(::geteuid());
    if (account && account->pw_dir && account->pw_dir[0] == '/') return QFile::decodeName(account->pw_dir);
    return {};
}

void settleUserFolders() {
    for (const char* name :
         {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"}) {
        if (!QDir::isAbsolutePath(qEnvironmentVariable(name))) qunsetenv(name);
    }
    if (const QString home = accountHome(); !home.isEmpty()) qputenv("HOME", QFile::encodeName(home));
}

}  // namespace zem::platform::qt
