// SPDX-License-Identifier: GPL-3.0-or-later
// Delivery of input and timer ticks.
#include "event_loop.h"

#include <algorithm>
#include <limits>

namespace zem::platform {

Timer::Timer(EventLoop& loop, std::string name, int intervalMs, std::function<void()> onTick)
    : onTick(std::move(onTick)),
      loop_(loop),
      name_(std::move(name)),
      interval_(intervalMs > 0 ? intervalMs : 1) {
    loop_.timers_.push_back(this);
}

Timer::~Timer() { loop_.removeTimer(this); }

void Timer::setEnabled(bool on) {
    if (on && !enabled_) {
        due_ = loop_.now() + interval_;
        loop_.lowerEarliest(due_);
    }
    enabled_ = on;
}

void EventLoop::processPending() {
    // Input queued so far; input queued by these handlers waits for the next round.
    size_t count = input_.size();
    while (count-- > 0 && !input_.empty()) {
        auto event = std::move(input_.front());
        input_.pop_front();
        event();
    }
    // The time is read when the pass begins and again after each handler (which may have slept); a tick
    // that falls due between two readings is delivered by the next pass. Most passes that a handler asks
    // for find no tick due; they need not look at the timers.
    int64_t time = now();
    if (time < earliest_) return;
    // Each due timer ticks once, in the order the timers were made. A handler may make timers (they wait for
    // the next pass) or destroy them (removeTimer keeps every running pass on the timers still to visit).
    Cursor cursor{0, timers_.size(), std::numeric_limits<int64_t>::max(), cursors_};
    cursors_ = &cursor;
    struct Unlink {
        Cursor*& head;
        Cursor* outer;
        ~Unlink() { head = outer; }
    } unlink{cursors_, cursor.outer};
    while (cursor.next < cursor.end) {
        Timer* timer = timers_[cursor.next++];
        if (!timer->enabled_) continue;
        if (timer->inTick_ || timer->due_ > time) {
            cursor.soonest = std::min(cursor.soonest, timer->due_);
            continue;
        }
        timer->due_ = time + timer->interval_;
        lowerEarliest(timer->due_);
        ++timer->ticks_;
        if (!timer->onTick) continue;
        timer->inTick_ = true;
        timer->onTick();
        time = now();
        // A handler that destroyed its own timer has left nothing to clear.
        if (cursor.next > 0 && timers_[cursor.next - 1] == timer) timer->inTick_ = false;
    }
    // Every timer has been looked at, and every tick set since is in `soonest`.
    earliest_ = cursor.soonest;
}

void EventLoop::lowerEarliest(int64_t due) {
    earliest_ = std::min(earliest_, due);
    for (Cursor* c = cursors_; c != nullptr; c = c->outer) c->soonest = std::min(c->soonest, due);
}

void EventLoop::removeTimer(Timer* timer) {
    const auto it = std::find(timers_.begin(), timers_.end(), timer);
    if (it == timers_.end()) return;
    const size_t index = static_cast<size_t>(it - timers_.begin());
    timers_.erase(it);
    for (Cursor* c = cursors_; c != nullptr; c = c->outer) {
        if (index < c->end) --c->end;
        if (index < c->next) --c->next;
    }
}

int64_t EventLoop::nextDue() const {
    int64_t next = std::numeric_limits<int64_t>::max();
    for (const Timer* timer : timers_) {
        if (timer->enabled_ && !timer->inTick_) next = std::min(next, timer->due_);
    }
    return next;
}

}  // namespace zem::platform
