// SPDX-License-Identifier: GPL-3.0-or-later
// A private PulseAudio server with one null sink, so that the sound output can be tested on a machine with
// no sound card: it runs in a folder of its own, never meets the user's server and ends with its owner.
#pragma once

#include <QTemporaryDir>

#include <string>
#include <sys/types.h>

namespace zem::testing {

class PrivateSoundServer {
  public:
    // Starts the server and waits until it takes connections; error() says why when it does not.
    PrivateSoundServer();
    ~PrivateSoundServer();
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    bool running() const { return pid_ > 0; }
    const std::string& error() const { return error_; }
    // Points this process's sound clients at the server (and only at it); call before any sound is opened.
    void useFromThisProcess() const;

    static constexpr const char* kSink = "zem_test_sink";

  private:
    bool answers() const;
    void stop();

    QTemporaryDir dir_;
    std::string socket_;
    pid_t pid_ = -1;
    std::string error_;
};

}  // namespace zem::testing
