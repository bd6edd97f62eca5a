// SPDX-License-Identifier: GPL-3.0-or-later
// The one event thread: queued input, window timers and the "let pending events run" step.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace zem::platform {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual int64_t nowMs() const = 0;
};

class EventLoop;

// A window timer. It ticks only while enabled; a tick that falls due while the thread is busy is delivered
// once when it is free (missed ticks are not made up), and a timer never re-enters its own handler.
class Timer {
  public:
    Timer(EventLoop& loop, std::string name, int intervalMs, std::function<void()> onTick = {});
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Enabling a stopped timer starts its period now; enabling a running one changes nothing.
    void setEnabled(bool on);
    void start() { setEnabled(true); }
    void stop() { setEnabled(false); }
    bool enabled() const { return enabled_; }
    int interval() const { return interval_; }
    const std::string& name() const { return name_; }
    bool ticking() const { return inTick_; }
    int64_t ticks() const { return ticks_; }

    std::function<void()> onTick;

  private:
    friend class EventLoop;
    EventLoop& loop_;
    std::string name_;
    int interval_;
    bool enabled_ = false;
    bool inTick_ = false;
    int64_t due_ = 0;
    int64_t ticks_ = 0;
};

class EventLoop {
  public:
    explicit EventLoop(Clock& clock) : clock_(clock) {}

    int64_t now() const { return clock_.nowMs(); }

    // Queues an input event (a click, a key, a mouse move) to be handled when the thread is free.
    void post(std::function<void()> event) { input_.push_back(std::move(event)); }
    bool hasPendingInput() const { return !input_.empty(); }

    // Handles every queued input event and every due timer tick once. Handlers may call it again.
    void processPending();

    // Time of the earliest tick due of an enabled timer that is not in its handler; INT64_MAX when none.
    int64_t nextDue() const;

    const std::vector<Timer*>& timers() const { return timers_; }

  private:
    friend class Timer;
    // Where a pass over the timers stands: the next timer to visit, the end of the timers it visits (those
    // that existed when it began) and the soonest tick it has seen or that was set while it ran. Passes nest
    // when a handler lets events run; each pass's cursor lives on its own stack frame and is kept right when
    // a handler destroys a timer.
    struct Cursor {
        size_t next = 0;
        size_t end = 0;
        int64_t soonest = 0;
        Cursor* outer = nullptr;
    };
    // A tick was set for `due`: no pass may skip the timers before then.
    void lowerEarliest(int64_t due);
    void removeTimer(Timer* timer);

    Clock& clock_;
    std::deque<std::function<void()>> input_;
    std::vector<Timer*> timers_;
    Cursor* cursors_ = nullptr;
    // No enabled timer falls due before this time: brought down whenever a tick is set, and set afresh by
    // each pass that has looked at every timer.
    int64_t earliest_ = 0;
};

}  // namespace zem::platform
