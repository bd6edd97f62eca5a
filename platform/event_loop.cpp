// Delivery of input and timer ticks.
#include "event_loop.h"

#include <algorithm>
#include <limits>

namespace zem::platform {

Timer::Timer(EventLoop& loop, std::string name, int intervalMs, std::function<void()> onTick)
    : onTick(std::move(onTick)), loop_(loop), name_(std::move(name)), interval_(intervalMs > 0 ? intervalMs : 1) {
    loop_.timers_.push_back(this);
}

Timer::~Timer() { std::erase(loop_.timers_, this); }

void Timer::setEnabled(bool on) {
    if (on && !enabled_) due_ = loop_.now() + interval_;
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
    // Each due timer ticks once. The list is copied: a handler may create or destroy timers.
    const std::vector<Timer*> snapshot = timers_;
    for (Timer* timer : snapshot) {
        if (std::find(timers_.begin(), timers_.end(), timer) == timers_.end()) continue;
        if (!timer->enabled_ || timer->inTick_ || timer->due_ > now()) continue;
        timer->due_ = now() + timer->interval_;
        ++timer->ticks_;
        if (!timer->onTick) continue;
        timer->inTick_ = true;
        timer->onTick();
        timer->inTick_ = false;
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
