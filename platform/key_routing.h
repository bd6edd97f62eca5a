// SPDX-License-Identifier: GPL-3.0-or-later
// Which control a key belongs to, and the click it stands for.
#pragma once

#include "controls.h"
#include "press_routing.h"

#include <string>

namespace zem::platform {

// The control of `window` that `key` is for: of the controls that carry it, the first that could take a click
// now; when none could, the first that carries it (the key then does nothing); null when none carries it.
Control* keyTarget(const Window& window, int key);

// Both back ends hand every key pressed in a window to this rule before anything else sees it. A key that a
// control carries does what a click on that control would do at this moment (the window hears of it first,
// as of a click), and nothing when the control is hidden or disabled; a key that only the window carries runs
// its own handler. Returns whether the key was the window's (taken, even when it did nothing); a key that is
// not travels on as before. Letters match in either case; while a text box has the keyboard, typed characters
// are its own.
bool routeShortcut(Window& window, int key, PressRouting& presses);

// Whether `routeShortcut` would take the key (a key held down repeats: the repeats of such a key are dropped,
// as a held mouse button clicks once).
bool carriesKey(const Window& window, int key);

// The key as a player reads it on a hint or a menu: "C", "1", "F1", "Left", "Enter"; empty for none.
std::string keyName(int key);

}  // namespace zem::platform
