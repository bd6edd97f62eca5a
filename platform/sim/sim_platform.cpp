// SPDX-License-Identifier: GPL-3.0-or-later
// The headless back end's behaviour.
#include "sim_platform.h"

#include "platform/key_routing.h"

#include <limits>

namespace zem::platform::sim {

std::optional<std::string> MemoryStore::read(const std::string& application, const std::string& section,
                                             const std::string& key) {
    auto it = values.find(std::tie(application, section, key));
    if (it == values.end()) return std::nullopt;
    return it->second;
}

bool MemoryStore::write(const std::string& application, const std::string& section, const std::string& key,
                        const std::string& value) {
    if (failWrites) return false;
    // A key written before keeps its place and its text's buffer.
    if (auto it = values.find(std::tie(application, section, key)); it != values.end()) {
        it->second = value;
    } else {
        values.emplace(Key{application, section, key}, value);
    }
    ++writeCount;
    if (keepWrites) writes.push_back({section, key, value});
    return true;
}

void RecordingSoundOutput::load(int number, std::vector<uint8_t> wave) { loaded[number] = std::move(wave); }

void RecordingSoundOutput::play(int number, bool looped) {
    ++eventCount;
    if (keepEvents)
        events.push_back({looped ? Event::Loop : Event::Play, number, clock_ ? clock_->nowMs() : 0});
    auto it = loaded.find(number);
    const bool audible = it != loaded.end() && !it->second.empty();
    current_ = audible ? number : 0;
    looped_ = audible && looped;
}

void RecordingSoundOutput::stop() {
    ++eventCount;
    if (keepEvents) events.push_back({Event::Stop, 0, clock_ ? clock_->nowMs() : 0});
    current_ = 0;
    looped_ = false;
}

std::vector<int> RecordingSoundOutput::played() const {
    std::vector<int> numbers;
    for (const Event& e : events) {
        if (e.kind != Event::Stop) numbers.push_back(e.number);
    }
    return numbers;
}

bool SimDisplay::setMode(int width, int height) {
    requests.push_back({width, height});
    if (!changeable) return false;
    size = (width == 0 && height == 0) ? original : ScreenSize{width, height};
    return true;
}

SimPlatform::SimPlatform() : loop_(clock_), sound_(&clock_), random_(&scripted_) {}

void SimPlatform::useSeededRandom(uint64_t seed) {
    seeded_.emplace(seed);
    random_ = &*seeded_;
}

void SimPlatform::doEvents() {
    ++doEventsCalls;
    if (onDoEvents) onDoEvents();
    loop_.processPending();
}

void SimPlatform::sleep(int ms) {
    if (ms <= 0) return;
    sleptMs += ms;
    if (onSleep) onSleep(ms);
    clock_.advanceBy(ms);
}

MessageResult SimPlatform::messageBox(const MessageBoxRequest& request) {
    messages.push_back(request);
    if (!answers.empty()) {
        MessageResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return request.defaultButton;
}

void SimPlatform::setPointer(Pointer p) {
    pointer = p;
    pointers.push_back(p);
}

bool SimPlatform::openLink(const std::string& address, long& error) {
    linksOpened.push_back(address);
    if (linkFails) {
        error = linkError;
        return false;
    }
    return true;
}

void SimPlatform::advance(int64_t ms) {
    runUntil([] { return false; }, ms);
}

bool SimPlatform::runUntil(const std::function<bool()>& done, int64_t ms) {
    const int64_t end = clock_.nowMs() + ms;
    while (true) {
        loop_.processPending();
        if (quitRequested || done()) return done();
        if (loop_.hasPendingInput()) continue;
        const int64_t next = loop_.nextDue();
        if (next > end) break;
        clock_.advanceTo(next);
    }
    clock_.advanceTo(end);
    loop_.processPending();
    return done();
}

namespace {
// A press of the player's on a control: its window hears of it first, whatever the control makes of it.
void tellWindow(const Control& control) {
    if (control.window != nullptr && control.window->onPlayerPress) control.window->onPlayerPress();
}
}  // namespace

void SimPlatform::click(Control& control) {
    // A click on an option button marks it, as on screen.
    loop_.post([&control] {
        tellWindow(control);
        if (!control.acceptsInput()) return;
        if (control.kind == ControlKind::OptionButton) {
            control.mark();
        } else {
            control.press();
        }
    });
}

void SimPlatform::mouseDown(Control& control, MouseEvent event) {
    loop_.post([this, &control, event] {
        tellWindow(control);
        // A press while an old one still waits for its release ends the old one first, as on screen.
        presses_.release(event);
        presses_.press(control, event);
    });
}

void SimPlatform::mouseUp(Control&, MouseEvent event) {
    // Routed as on screen: the release reaches the control that took the press, whatever lies under the
    // pointer now; with no press waiting it goes nowhere.
    loop_.post([this, event] { presses_.release(event); });
}

void SimPlatform::tap(Control& control) {
    mouseDown(control);
    mouseUp(control);
}

void SimPlatform::mouseMove(Control& control, MouseEvent event) {
    loop_.post([&control, event] {
        if (control.acceptsInput() && control.onMove) control.onMove(event);
    });
}

void SimPlatform::typeKey(Window& window, int key) {
    loop_.post([this, &window, key] {
        if (routeShortcut(window, key, presses_)) return;
        if (!window.visible || !window.enabled) return;
        if (key >= keys::kF1) return;  // a key that types nothing and is not the window's
        int k = key;
        if (window.keyPreview && window.onKeyPreview) window.onKeyPreview(k);
        if (k == 0) return;
        Control* target = window.focus;
        if (target != nullptr && target != &window && target->acceptsInput() && target->onKey)
            target->onKey(k);
    });
}

void SimPlatform::pressEscape(Window& window) {
    loop_.post([&window] {
        if (window.visible && window.enabled && window.onEscape) window.onEscape();
    });
}

void SimPlatform::closeWindow(Window& window) {
    loop_.post([&window] {
        if (window.visible && window.onCloseRequest) window.onCloseRequest();
    });
}

}  // namespace zem::platform::sim
