// SPDX-License-Identifier: GPL-3.0-or-later
// One game per account: an exclusive lock on a file beside the settings store, held while the game runs. The
// system lets go of it when the process ends however it ends, so the lock of a killed game is simply taken
// over by the next start.
#pragma once

#include <QString>

namespace zem::platform::qt {

class InstanceLock {
  public:
    enum class State {
        Held,           // this process holds the lock
        HeldElsewhere,  // another running game holds it
        Unavailable,    // the lock file cannot be made (a read-only folder): nothing can be written anyway
        Refused,        // no lock can be had (a file that cannot be opened, is not a regular file or a link,
                        // or a file system without locks): another game could be playing unseen
    };

    // Tries to take the lock on `lockPath`, creating the file and its folder when missing.
    explicit InstanceLock(const QString& lockPath);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State state() const { return state_; }
    // Whether the game may run: the lock is this process's, or no lock file can be made at all.
    bool mayRun() const { return state_ == State::Held || state_ == State::Unavailable; }
    // Refused: what to tell the player, in plain words.
    const QString& problem() const { return problem_; }
    // The process id the holder wrote into the file (0 when unknown).
    qint64 holder() const { return holder_; }

    // The lock file beside a settings file: the same folder, the file's base name with ".lock".
    static QString besideStore(const QString& storeFile);
    // Removes the settings writer's lock a game killed in the middle of a save left beside its settings
    // file, recognised by what it holds; nothing else. Only to be called while holding the lock.
    static void removeLeftovers(const QString& storeFile);

  private:
    void refuse(const QString& reason);

    QString path_;
    QString problem_;
    int fd_ = -1;
    State state_ = State::Unavailable;
    qint64 holder_ = 0;
};

// The text a second start shows.
inline constexpr const char* kAlreadyRunningText =
    "zem is already running on this account.\nOnly one game can run at a time; switch to the window that is "
    "open.";

}  // namespace zem::platform::qt
