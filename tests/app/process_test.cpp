// SPDX-License-Identifier: GPL-3.0-or-later
// The real game as a process: termination signals close it as its close box does, one game runs per account,
// and the lock of a killed game is taken over.
#include "platform/qt/instance_lock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using zem::platform::qt::InstanceLock;

// A fresh home with a prepared store, and the game started in it on the offscreen platform.
struct Home {
    QTemporaryDir dir;
    QString config() const { return dir.path() + "/.config/zem"; }
    QString store() const { return config() + "/zem.ini"; }

    void prepare(const QByteArray& ini) {
        QDir().mkpath(config());
        QFile f(store());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ini);
    }
    QByteArray storeText() const {
        QFile f(store());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // `adjust` changes the environment the game gets.
    void start(QProcess& game, const QStringList& arguments = {},
               const std::function<void(QProcessEnvironment&)>& adjust = {}) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir.path());
        env.remove("XDG_CONFIG_HOME");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        if (adjust) adjust(env);
        game.setProcessEnvironment(env);
        game.start(ZEM_GAME, arguments);
        game.waitForStarted(30000);
        game.closeWriteChannel();
    }
};

// Whether the process catches the signal (its handler is installed), from /proc.
bool catches(qint64 pid, int signal) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

// Waits until the game is up: its termination handlers are in place.
bool waitUntilUp(QProcess& game, int ms = 60000) {
    for (int waited = 0; waited < ms; waited += 50) {
        if (game.state() == QProcess::NotRunning) return false;
        if (catches(game.processId(), SIGTERM)) return true;
        QThread::msleep(50);
    }
    return false;
}

// Reads what the game says on its error output until it has said `text` or ended; what it said.
QByteArray waitToSay(QProcess& game, const char* text, int ms = 60000) {
    QByteArray said;
    for (int waited = 0; waited < ms && !said.contains(text) && game.state() != QProcess::NotRunning;
         waited += 100) {
        game.waitForReadyRead(100);
        said += game.readAllStandardError();
    }
    return said + game.readAllStandardError();
}

// Closes a running game as the system would at log-out; whether it ended well.
bool closeGame(QProcess& game) {
    ::kill(static_cast<pid_t>(game.processId()), SIGTERM);
    return game.waitForFinished(30000) && game.exitStatus() == QProcess::NormalExit && game.exitCode() == 0;
}

TEST(TerminationSignals, EachClosesTheGameThroughItsShutdownAndSavesTheRecord) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        Home home;
        home.prepare("[player1]\nbank=1234\ncurrentplayer=Ann\n");
        QProcess game;
        home.start(game);
        ASSERT_TRUE(waitUntilUp(game));
        ::kill(static_cast<pid_t>(game.processId()), signal);
        ASSERT_TRUE(game.waitForFinished(30000));
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit) << "the signal did not kill it outright";
        EXPECT_EQ(game.exitCode(), 0);
        // The shutdown wrote the whole record: keys the prepared store lacked are there now.
        const QByteArray text = home.storeText();
        for (const char* line : {"bank=1234", "currentplayer=Ann", "machinepay=5", "games=0", "wager=0"}) {
            EXPECT_TRUE(text.contains(line)) << line << " in\n" << text.toStdString();
        }
    }
}

// Whether the game's thread working out the returns is running.
bool workingOutReturns(qint64 pid) {
    const QString tasks = QString("/proc/%1/task").arg(pid);
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks + "/" + task + "/comm");
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "zem-returns") return true;
    }
    return false;
}

TEST(TerminationSignals, AQuitWhileTheReturnsAreWorkedOutEndsCleanly) {
    Home home;
    home.prepare("[player1]\nbank=1234\ncurrentplayer=Ann\nlinesplayed=10\n");
    QProcess game;
    home.start(game);
    ASSERT_TRUE(waitUntilUp(game));
    // The returns are worked out once the window is painted: quit while they are.
    bool working = false;
    for (int waited = 0; waited < 30000 && !working && game.state() != QProcess::NotRunning; waited += 5) {
        working = workingOutReturns(game.processId());
        if (!working) QThread::msleep(5);
    }
    ASSERT_TRUE(working) << "the returns were never worked out";
    EXPECT_TRUE(closeGame(game)) << game.readAllStandardError().toStdString();
    EXPECT_TRUE(home.storeText().contains("bank=1234"));
}

TEST(OneGamePerAccount, ASecondStartSaysSoAndNeverWritesTheStore) {
    Home home;
    home.prepare("[player1]\nbank=500\n");
    QProcess first;
    home.start(first);
    ASSERT_TRUE(waitUntilUp(first));
    const QByteArray before = home.storeText();

    QProcess second;
    home.start(second);
    EXPECT_TRUE(waitToSay(second, "zem is already running on this account.").contains("already running"));
    // It waits for its message to be read; it never installs the game's handlers.
    EXPECT_FALSE(catches(second.processId(), SIGTERM));
    second.kill();
    second.waitForFinished(10000);
    EXPECT_EQ(home.storeText(), before);
    EXPECT_EQ(first.state(), QProcess::Running);

    ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(30000));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_TRUE(home.storeText().contains("bank=500"));
}

TEST(OneGamePerAccount, ALockThatCannotBeHadKeepsTheGameFromStartingAndIsNeverWrittenThrough) {
    for (const char* target : {"theirs", "nothing"}) {
        Home home;
        home.prepare("[player1]\nbank=500\n");
        QFile theirs(home.dir.path() + "/theirs");
        ASSERT_TRUE(theirs.open(QIODevice::WriteOnly) && theirs.write("kept\n") == 5);
        theirs.close();
        QFile::link(home.dir.path() + '/' + target, home.config() + "/zem.lock");
        QProcess game;
        home.start(game);
        const QByteArray said = waitToSay(game, "it does not start.");
        EXPECT_TRUE(
            said.contains("zem cannot lock its file " + QFile::encodeName(home.config()) + "/zem.lock"))
            << said.toStdString();
        EXPECT_FALSE(catches(game.processId(), SIGTERM)) << "the game came up";
        game.kill();
        game.waitForFinished(10000);
        EXPECT_EQ(home.storeText(), "[player1]\nbank=500\n");
        ASSERT_TRUE(theirs.open(QIODevice::ReadOnly));
        EXPECT_EQ(theirs.readAll(), "kept\n");
        EXPECT_FALSE(QFile::exists(home.dir.path() + "/nothing"));
    }
}

TEST(OwnFiles, APipeOrADeviceAtTheStoresPlaceIsNeitherWaitedOnNorWritten) {
    // A pipe, and (made only by an administrator) a link to a device.
    for (const bool device : {true, false}) {
        if (device && ::geteuid() != 0) continue;
        Home home;
        QDir().mkpath(home.config());
        const QByteArray node = QFile::encodeName(home.dir.path() + "/zero");
        ASSERT_EQ(device ? ::mknod(node, S_IFCHR | 0666, makedev(1, 5)) : ::mkfifo(node, 0600), 0);
        ASSERT_TRUE(QFile::link(home.dir.path() + "/zero", home.store()));
        QProcess game;
        home.start(game);
        ASSERT_TRUE(waitUntilUp(game)) << "the game did not come up";
        EXPECT_TRUE(closeGame(game));
        EXPECT_TRUE(game.readAllStandardError().contains(device ? "zem.ini is a link to a device"
                                                                : "zem.ini is a link to a pipe"));
        struct stat st {};
        ASSERT_EQ(::lstat(node, &st), 0);
        EXPECT_TRUE(device ? S_ISCHR(st.st_mode) : S_ISFIFO(st.st_mode)) << "a file took its place";
        EXPECT_TRUE(QFileInfo(home.store()).isSymLink());
    }
}

TEST(TheUsersStore, ARelativeConfigFolderIsIgnoredAndNothingIsMadeBesideTheStartingFolder) {
    Home home;
    const QString work = home.dir.path() + "/work";
    QDir().mkpath(work);
    QProcess game;
    game.setWorkingDirectory(work);
    home.start(game, {}, [](QProcessEnvironment& env) { env.insert("XDG_CONFIG_HOME", "relative"); });
    ASSERT_TRUE(waitUntilUp(game));
    EXPECT_TRUE(closeGame(game));
    EXPECT_TRUE(home.storeText().contains("[player1]"));
    EXPECT_FALSE(QFile::exists(work + "/relative"));
}

TEST(NoDisplay, TheGameNamesTheDisplayItCannotOpenAndEndsWithOne) {
    struct Case {
        const char* display;  // empty: none
        QStringList arguments;
        const char* said;
    };
    const Case cases[] = {
        {":999", {}, "zem: cannot open the display :999\n"},
        {"", {}, "zem: cannot open the display (neither DISPLAY nor WAYLAND_DISPLAY is set)\n"},
        {"", {"--bogus"}, "zem: cannot open the display (neither DISPLAY nor WAYLAND_DISPLAY is set)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said);
        Home home;
        QProcess game;
        home.start(game, c.arguments, [&c](QProcessEnvironment& env) {
            for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"})
                env.remove(name);
            if (*c.display) env.insert("DISPLAY", c.display);
        });
        ASSERT_TRUE(game.waitForFinished(30000));
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(game.exitCode(), 1);
        EXPECT_EQ(game.readAllStandardError(), c.said);
        EXPECT_FALSE(QFile::exists(home.store())) << "nothing was written";
    }
}

TEST(OneGamePerAccount, TheLockOfAKilledGameIsTakenOverAndItsLeftoversRemoved) {
    Home home;
    home.prepare("[player1]\nbank=77\n");
    QProcess killed;
    home.start(killed);
    ASSERT_TRUE(waitUntilUp(killed));
    killed.kill();  // SIGKILL: no shutdown, the lock file stays behind
    killed.waitForFinished(10000);
    ASSERT_TRUE(QFile::exists(home.config() + "/zem.lock"));
    // What a writer killed in the middle of a save may leave: its lock, with its process id, gone now.
    QProcess gone;
    gone.start("true", {});
    ASSERT_TRUE(gone.waitForStarted(10000));
    const qint64 writer = gone.processId();
    ASSERT_TRUE(gone.waitForFinished(10000));
    QFile writersLock(home.config() + "/zem.ini.lock");
    ASSERT_TRUE(writersLock.open(QIODevice::WriteOnly));
    writersLock.write(QByteArray::number(writer) + "\nzem\nhost\n");
    writersLock.close();
    // The player's own files of like names.
    const QStringList players = {"zem.ini.backup", "zem.ini.save01", "zem.ini.Xy12Zw"};
    for (const QString& name : players) {
        QFile f(home.config() + '/' + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    QProcess next;
    home.start(next);
    ASSERT_TRUE(waitUntilUp(next));
    QFile lock(home.config() + "/zem.lock");
    ASSERT_TRUE(lock.open(QIODevice::ReadOnly));
    EXPECT_EQ(lock.readAll().trimmed().toLongLong(), next.processId());
    EXPECT_FALSE(QFile::exists(home.config() + "/zem.ini.lock"));
    for (const QString& name : players)
        EXPECT_TRUE(QFile::exists(home.config() + '/' + name)) << name.toStdString();
    ::kill(static_cast<pid_t>(next.processId()), SIGTERM);
    ASSERT_TRUE(next.waitForFinished(30000));
    EXPECT_TRUE(home.storeText().contains("bank=77"));
}

// The state of a lock on a file that exists but cannot be opened: by another account when the test runs as
// the administrator (who can open anything), else by this one after the file's rights were taken away.
InstanceLock::State stateOfAnUnopenableLock(const QString& folder) {
    const QString path = folder + "/zem.lock";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return InstanceLock::State::Held;
    file.close();
    QFile::setPermissions(path, {});
    if (::geteuid() != 0) return InstanceLock(path).state();
    for (const QString& on : {folder, QFileInfo(folder).absolutePath()}) {
        QFile::setPermissions(on, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                      QFileDevice::ReadOther | QFileDevice::ExeOther);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
        ::_exit(static_cast<int>(InstanceLock(path).state()));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return static_cast<InstanceLock::State>(WEXITSTATUS(status));
}

TEST(InstanceLock, HeldOnceAtATimeAndFreedWithItsHolder) {
    QTemporaryDir dir;
    const QString path = InstanceLock::besideStore(dir.path() + "/sub/zem.ini");
    EXPECT_EQ(path, dir.path() + "/sub/zem.lock");
    {
        InstanceLock a(path);
        EXPECT_EQ(a.state(), InstanceLock::State::Held);
        InstanceLock b(path);
        EXPECT_EQ(b.state(), InstanceLock::State::HeldElsewhere);
        EXPECT_FALSE(b.mayRun());
        EXPECT_EQ(b.holder(), ::getpid());
    }
    InstanceLock c(path);
    EXPECT_EQ(c.state(), InstanceLock::State::Held);

    // A folder that cannot be written: no lock can be made, and the game may still run.
    if (::geteuid() != 0) {
        QDir().mkpath(dir.path() + "/ro");
        QFile::setPermissions(dir.path() + "/ro", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        InstanceLock d(dir.path() + "/ro/zem.lock");
        EXPECT_EQ(d.state(), InstanceLock::State::Unavailable);
        EXPECT_TRUE(d.mayRun());
    }
    // A lock file that is there but cannot be opened: another game may hold it unseen.
    QDir().mkpath(dir.path() + "/other");
    EXPECT_EQ(stateOfAnUnopenableLock(dir.path() + "/other"), InstanceLock::State::Refused);
}

}  // namespace
