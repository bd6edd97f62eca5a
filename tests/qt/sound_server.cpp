// SPDX-License-Identifier: GPL-3.0-or-later
// Starting and stopping the private sound server.
#include "sound_server.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zem::testing {

namespace {

using namespace std::chrono_literals;

// Waits up to `limit` for the child to end; whether it did.
bool reaped(pid_t pid, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    do {
        if (::waitpid(pid, nullptr, WNOHANG) == pid) return true;
        std::this_thread::sleep_for(20ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

}  // namespace

PrivateSoundServer::PrivateSoundServer() {
    const QString program = QStandardPaths::findExecutable("pulseaudio");
    if (program.isEmpty()) {
        error_ = "pulseaudio is not installed (scripts/setup installs it)";
        return;
    }
    if (!dir_.isValid()) {
        error_ = "no folder for the sound server";
        return;
    }
    const QDir dir(dir_.path());
    socket_ = QFile::encodeName(dir.filePath("pulse/native")).toStdString();
    QFile config(dir.filePath("client.conf"));
    if (config.open(QIODevice::WriteOnly)) config.write("autospawn = no\n");
    config.close();

    // Everything the child needs is made before the fork: after it, only system calls run.
    const std::string path = QFile::encodeName(program).toStdString();
    const std::string sink = std::string("module-null-sink sink_name=") + kSink;
    std::vector<std::string> args = {path,
                                     "-n",
                                     "--daemonize=no",
                                     "--exit-idle-time=-1",
                                     "--use-pid-file=no",
                                     "-L",
                                     sink,
                                     "-L",
                                     "module-native-protocol-unix auth-anonymous=1"};
    const std::string home = QFile::encodeName(dir_.path()).toStdString();
    std::vector<std::string> env = {"HOME=" + home, "XDG_RUNTIME_DIR=" + home,
                                    "XDG_CONFIG_HOME=" + home + "/config", "PATH=/usr/bin:/bin"};
    std::vector<char*> argv, envp;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    const std::string logPath = home + "/pulseaudio.log";

    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        error_ = std::string("fork: ") + std::strerror(errno);
        return;
    }
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // ends with the test, however the test ends
        if (::getppid() != parent) ::_exit(127);
        const int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (log >= 0) {
            ::dup2(log, 1);
            ::dup2(log, 2);
        }
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    pid_ = pid;
    const auto deadline = std::chrono::steady_clock::now() + 15s;
    while (!answers()) {
        if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            QFile log(QString::fromStdString(logPath));
            log.open(QIODevice::ReadOnly);
            error_ = "the sound server ended at its start: " + log.readAll().right(600).toStdString();
            return;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            stop();
            error_ = "the sound server took no connection within 15 s";
            return;
        }
        std::this_thread::sleep_for(50ms);
    }
}

PrivateSoundServer::~PrivateSoundServer() { stop(); }

bool PrivateSoundServer::answers() const {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socket_.size() >= sizeof(address.sun_path)) return false;
    std::memcpy(address.sun_path, socket_.c_str(), socket_.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return connected;
}

void PrivateSoundServer::useFromThisProcess() const {
    ::setenv("PULSE_SERVER", ("unix:" + socket_).c_str(), 1);
    ::setenv("PULSE_CLIENTCONFIG", QFile::encodeName(QDir(dir_.path()).filePath("client.conf")).constData(),
             1);
    ::setenv("PULSE_SINK", kSink, 1);
}

void PrivateSoundServer::stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    if (!reaped(pid_, 5s)) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
}

}  // namespace zem::testing
