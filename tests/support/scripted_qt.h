// SPDX-License-Identifier: GPL-3.0-or-later
// The real Qt back end with a scripted random sequence in place of its generator, so that a test or benchmark
// can play chosen outcomes in the real window.
#pragma once

#include "platform/qt/qt_platform.h"
#include "support/outcomes.h"

namespace zem::testing {

class ScriptedQt final : public platform::Platform {
  public:
    explicit ScriptedQt(platform::qt::QtPlatform& qt) : qt(qt) {}

    platform::EventLoop& loop() override { return qt.loop(); }
    void doEvents() override { qt.doEvents(); }
    void sleep(int ms) override { qt.sleep(ms); }
    void paint() override { qt.paint(); }
    platform::MessageResult messageBox(const platform::MessageBoxRequest& request) override {
        return request.defaultButton;
    }
    void setPointer(platform::Pointer pointer) override { qt.setPointer(pointer); }
    void setFocus(platform::Control& control) override { qt.setFocus(control); }
    bool openLink(const std::string&, long&) override { return false; }
    void quit() override { qt.quit(); }
    core::Random& random() override { return scripted; }
    platform::SettingsStore& store() override { return qt.store(); }
    platform::SoundOutput& sound() override { return qt.sound(); }
    platform::DisplayMode& display() override { return display_; }

    // Queues the draws of one paid spin (stops of the reels not held, then a payout draw that lets it stand).
    void scriptSpin(const Stops& stops, const core::MachineState& s) {
        pushStops(scripted, stops, s);
        scripted.pushChoice(1, 5);
    }

    platform::qt::QtPlatform& qt;
    core::ScriptedRandom scripted;

  private:
    // The display mode stays as it is.
    class FixedDisplay final : public platform::DisplayMode {
      public:
        platform::ScreenSize screen() override { return {1024, 768}; }
        bool setMode(int, int) override { return true; }
    } display_;
};

}  // namespace zem::testing
