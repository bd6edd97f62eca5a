// SPDX-License-Identifier: GPL-3.0-or-later
// Which control a mouse release belongs to: the one that took the press, whatever the press did to it.
#pragma once

#include "controls.h"

namespace zem::platform {

// Both back ends route presses and releases through this one rule. A control that takes a press gets the
// release of that press even when its press handler hid it, disabled it or moved it, so a picture that hides
// itself as its pressed look always comes back. A release with no press waiting for it goes nowhere.
class PressRouting {
  public:
    // A press on the control: refused when it cannot take input now; otherwise it waits for its release.
    bool press(Control& control, const MouseEvent& event) {
        if (!control.acceptsInput()) return false;
        pressed_ = &control;
        if (control.onPress) control.onPress(event);
        return true;
    }

    // The release of the waiting press, wherever the pointer is now; false when no press waits.
    bool release(const MouseEvent& event) {
        Control* control = pressed_;
        if (control == nullptr) return false;
        pressed_ = nullptr;
        if (control->onRelease) control->onRelease(event);
        return true;
    }

    // The control whose press waits for its release; null when none.
    Control* waiting() const { return pressed_; }

    // A window going away takes its waiting press with it.
    void forget(const Window& window) {
        if (pressed_ != nullptr && pressed_->window == &window) pressed_ = nullptr;
    }

  private:
    Control* pressed_ = nullptr;
};

}  // namespace zem::platform
