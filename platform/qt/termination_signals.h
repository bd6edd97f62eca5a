// SPDX-License-Identifier: GPL-3.0-or-later
// SIGTERM, SIGINT and SIGHUP turned into a call on the event loop: the signal handler only writes a byte to a
// pipe, and the loop, when it reads it, runs the game's own shutdown.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace zem::platform::qt {

class TerminationSignals final : public QObject {
  public:
    // Installs the handlers for the life of the object (one at a time in the process). `onSignal` runs on the
    // event loop's thread, once per signal received.
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // Whether the handlers are in place (the pipe could be made).
    bool installed() const { return notifier_ != nullptr; }

  private:
    void drain();

    std::function<void()> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace zem::platform::qt
