// SPDX-License-Identifier: GPL-3.0-or-later
// The headless back end: a virtual clock, scripted input, answers and random numbers, an in-memory store and
// a sound output that records what was asked of it. With it a whole game runs in tests in milliseconds.
#pragma once

#include "core/random.h"
#include "platform/platform.h"
#include "platform/press_routing.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace zem::platform::sim {

class VirtualClock final : public Clock {
  public:
    int64_t nowMs() const override { return now_; }
    void advanceTo(int64_t t) {
        if (t > now_) now_ = t;
    }
    void advanceBy(int64_t ms) { now_ += ms > 0 ? ms : 0; }

  private:
    int64_t now_ = 0;
};

class MemoryStore final : public SettingsStore {
  public:
    using Key = std::tuple<std::string, std::string, std::string>;
    std::optional<std::string> read(const std::string& application, const std::string& section,
                                    const std::string& key) override;
    bool write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;

    struct Write {
        std::string section, key, value;
    };
    std::map<Key, std::string, std::less<>> values;
    std::vector<Write> writes;  // every write in order, for the checks of order and text form
    bool keepWrites = true;     // false: `writes` stays empty, for runs too long to keep them all
    int64_t writeCount = 0;     // writes made, kept or not
    bool failWrites = false;    // a store that cannot be written
};

class RecordingSoundOutput final : public SoundOutput {
  public:
    struct Event {
        enum Kind { Play, Loop, Stop } kind;
        int number;
        int64_t at;
    };
    explicit RecordingSoundOutput(const Clock* clock = nullptr) : clock_(clock) {}
    void load(int number, std::vector<uint8_t> wave) override;
    void play(int number, bool looped) override;
    void stop() override;

    // Numbers of the sounds started, in order (plays and loops).
    std::vector<int> played() const;
    // The sound heard now: the last started, unless stopped since; 0 for silence.
    int current() const { return current_; }
    bool currentLooped() const { return looped_; }
    std::map<int, std::vector<uint8_t>> loaded;
    std::vector<Event> events;
    bool keepEvents = true;  // false: `events` stays empty, for runs too long to keep them all
    int64_t eventCount = 0;  // plays, loops and stops asked for, kept or not

  private:
    const Clock* clock_;
    int current_ = 0;
    bool looped_ = false;
};

class SimDisplay final : public DisplayMode {
  public:
    ScreenSize screen() override { return size; }
    bool setMode(int width, int height) override;
    ScreenSize size{1024, 768};
    ScreenSize original{1024, 768};
    bool changeable = true;
    std::vector<ScreenSize> requests;
};

class SimPlatform final : public Platform {
  public:
    SimPlatform();

    EventLoop& loop() override { return loop_; }
    void doEvents() override;
    void sleep(int ms) override;
    MessageResult messageBox(const MessageBoxRequest& request) override;
    void setPointer(Pointer pointer) override;
    void setFocus(Control& control) override {
        focused = &control;
        if (control.window != nullptr) control.window->focus = &control;
    }
    bool openLink(const std::string& address, long& error) override;
    void quit() override { quitRequested = true; }
    void paint() override {
        if (onPaint) onPaint();
    }

    core::Random& random() override { return *random_; }
    SettingsStore& store() override { return store_; }
    SoundOutput& sound() override { return sound_; }
    DisplayMode& display() override { return display_; }

    // --- the test's side ---
    int64_t now() const { return clock_.nowMs(); }
    VirtualClock& clock() { return clock_; }
    MemoryStore& memoryStore() { return store_; }
    RecordingSoundOutput& recorder() { return sound_; }
    SimDisplay& simDisplay() { return display_; }
    core::ScriptedRandom& scripted() { return scripted_; }
    // Draws from a seeded generator instead of the scripted sequence.
    void useSeededRandom(uint64_t seed);

    // Runs the idle event loop until the virtual clock reaches now + ms: every queued input, and every timer
    // tick as it falls due. Sleeps inside handlers move the clock on as they would in real time.
    void advance(int64_t ms);
    // Runs the idle loop until the predicate holds or ms have passed; returns whether it held.
    bool runUntil(const std::function<bool()>& done, int64_t ms);

    // Player input, queued like real input and handled at the next idle moment or doEvents. Each is refused,
    // as on screen, when the control cannot take input at the moment it is handled.
    void click(Control& control);
    void mouseDown(Control& control, MouseEvent event = {});
    // A release with the pointer over `over`; like the real one it goes to the control that took the press.
    void mouseUp(Control& over, MouseEvent event = {});
    // A press and a release, as a quick click of the mouse on a picture.
    void tap(Control& control);
    void mouseMove(Control& control, MouseEvent event = {});
    // A key pressed in the window: a typed character (see keys:: for those that type nothing). A key the
    // window carries for a control clicks it; any other goes to the window's preview and the focused control.
    void typeKey(Window& window, int key);
    void pressEscape(Window& window);
    void closeWindow(Window& window);

    // Queued answers for message boxes; without one a box is answered by its default button.
    std::deque<MessageResult> answers;
    std::vector<MessageBoxRequest> messages;
    std::vector<Pointer> pointers;
    Pointer pointer = Pointer::Arrow;
    Control* focused = nullptr;
    std::vector<std::string> linksOpened;
    bool linkFails = false;
    long linkError = 2;
    bool quitRequested = false;
    int64_t sleptMs = 0;                  // sum of all sleeps
    std::function<void(int ms)> onSleep;  // sees every pause, e.g. every frame of an animation
    std::function<void()> onPaint;        // sees every paint of a motion drawn without pauses
    std::function<void()> onDoEvents;     // runs as a handler lets events in, before they are handled
    int doEventsCalls = 0;

  private:
    VirtualClock clock_;
    EventLoop loop_;
    MemoryStore store_;
    RecordingSoundOutput sound_;
    SimDisplay display_;
    core::ScriptedRandom scripted_;
    std::optional<core::SystemRandom> seeded_;
    core::Random* random_;
    PressRouting presses_;
};

}  // namespace zem::platform::sim
