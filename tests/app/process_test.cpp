// The real game as a process: termination signals close it as its close box does, one game runs per account,
// and the lock of a killed game is taken over.
#include "platform/qt/instance_lock.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <gtest/gtest.h>
#include <string>
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
    void start(QProcess& game) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir.path());
        env.remove("XDG_CONFIG_HOME");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        game.setProcessEnvironment(env);
        game.start(ZEM_GAME, {});
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

TEST(OneGamePerAccount, ASecondStartSaysSoAndNeverWritesTheStore) {
    Home home;
    home.prepare("[player1]\nbank=500\n");
    QProcess first;
    home.start(first);
    ASSERT_TRUE(waitUntilUp(first));
    const QByteArray before = home.storeText();

    QProcess second;
    home.start(second);
    bool told = false;
    QByteArray said;
    for (int waited = 0; waited < 60000 && !told && second.state() != QProcess::NotRunning; waited += 100) {
        second.waitForReadyRead(100);
        said += second.readAllStandardError();
        told = said.contains("zem is already running on this account.");
    }
    EXPECT_TRUE(told);
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

TEST(OneGamePerAccount, TheLockOfAKilledGameIsTakenOverAndItsLeftoversRemoved) {
    Home home;
    home.prepare("[player1]\nbank=77\n");
    QProcess killed;
    home.start(killed);
    ASSERT_TRUE(waitUntilUp(killed));
    killed.kill();  // SIGKILL: no shutdown, the lock file stays behind
    killed.waitForFinished(10000);
    ASSERT_TRUE(QFile::exists(home.config() + "/zem.lock"));
    // What a writer killed in the middle of a save may leave.
    for (const char* name : {"zem.ini.lock", "zem.ini.Xy12Zw"}) {
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
    EXPECT_FALSE(QFile::exists(home.config() + "/zem.ini.Xy12Zw"));
    ::kill(static_cast<pid_t>(next.processId()), SIGTERM);
    ASSERT_TRUE(next.waitForFinished(30000));
    EXPECT_TRUE(home.storeText().contains("bank=77"));
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
}

}  // namespace
