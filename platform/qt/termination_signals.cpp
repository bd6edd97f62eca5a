// SPDX-License-Identifier: GPL-3.0-or-later
// The self-pipe behind the termination signals.
#include "termination_signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zem::platform::qt {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

int pipeEnds[2] = {-1, -1};  // [0] read by the event loop, [1] written by the handler
struct sigaction previous[3];

// Async-signal-safe: one write, errno kept for the code the signal interrupted.
void writeSignalByte(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    if (pipeEnds[0] >= 0) return;  // another instance holds the handlers
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pipeEnds) != 0) {
        pipeEnds[0] = pipeEnds[1] = -1;
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { drain(); });
    struct sigaction action = {};
    action.sa_handler = &writeSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &previous[i]);
}

TerminationSignals::~TerminationSignals() {
    if (!notifier_) return;
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &previous[i], nullptr);
    notifier_.reset();
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void TerminationSignals::drain() {
    char bytes[64];
    ssize_t n = 0;
    int received = 0;
    while ((n = ::read(pipeEnds[0], bytes, sizeof bytes)) > 0) received += static_cast<int>(n);
    for (int i = 0; i < received; ++i) {
        if (onSignal_) onSignal_();
    }
}

}  // namespace zem::platform::qt
