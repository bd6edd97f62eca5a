// SPDX-License-Identifier: GPL-3.0-or-later
// The game's own files (the settings store, the lock): what stands at their place, looked at without opening
// anything, so that a device, a pipe or a link into another account's files is never read, written or waited
// on.
#pragma once

#include <QString>

namespace zem::platform::qt {

struct OwnFile {
    enum class Kind {
        Missing,  // nothing there: the game may make the file
        Regular,  // a regular file, or a link the player keeps to one
        Refused,  // anything else
    };
    Kind kind = Kind::Missing;
    // The file to read and write: the path itself, or the regular file its links lead to.
    QString target;
    // Refused: what stands there, in words for the player ("a link to a device").
    QString what;
};

// What stands at `path`. A regular file is the game's; so is a link, or a chain of links, to a regular file
// when every link has that file's owner (a player keeping the file elsewhere). Anything else is refused: a
// device, a pipe, a socket, a folder, a link to nothing, or a link whose owner is not its file's (planted to
// make a game that runs with this folder, as another account, write over that account's file).
OwnFile lookAtOwnFile(const QString& path);

// The account's home: $HOME when it is an absolute path, else the one the system knows for the account;
// empty when there is none.
QString accountHome();

// Puts the environment in line with the base directory rules before anything reads it, so that neither the
// game nor the libraries it uses (the sound server's client keeps its files under the configuration folder)
// make files in odd places: a relative XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME, XDG_STATE_HOME or
// XDG_RUNTIME_DIR is dropped, and a HOME that is unset, empty or relative becomes the account's home.
void settleUserFolders();

}  // namespace zem::platform::qt
