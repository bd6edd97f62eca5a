// SPDX-License-Identifier: GPL-3.0-or-later
// What every window layout does first with a control: its kind, name, index and place in twips.
#pragma once

#include "platform/controls.h"

#include <string>

namespace zem::ui {

inline void place(platform::Control& c, platform::ControlKind kind, const std::string& name, int index, int left,
                  int top, int width, int height) {
    c.kind = kind;
    c.name = name;
    c.index = index;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
}

}  // namespace zem::ui
