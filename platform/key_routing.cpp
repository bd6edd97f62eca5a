// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of the windows: each stands for a click on its control, refused as the click would be.
#include "key_routing.h"

namespace zem::platform {

namespace {

int folded(int key) { return key >= 'A' && key <= 'Z' ? key - 'A' + 'a' : key; }

// A click on the control, through the path a click of the mouse takes: a picture is pressed and released, an
// option button is marked, anything else is pressed.
void clickByKey(Control& control, PressRouting& presses) {
    if (control.window != nullptr && control.window->onPlayerPress) control.window->onPlayerPress();
    if (!control.acceptsInput()) return;
    switch (control.kind) {
        case ControlKind::Image:
        case ControlKind::PictureBox:
        case ControlKind::Label: {
            const MouseEvent event;
            presses.release(event);  // a press of the mouse still waiting ends first
            if (presses.press(control, event)) presses.release(event);
            break;
        }
        case ControlKind::OptionButton:
            control.mark();
            break;
        default:
            control.press();
            break;
    }
}

}  // namespace

Control* keyTarget(const Window& window, int key) {
    key = folded(key);
    if (key == 0) return nullptr;
    Control* first = nullptr;
    for (Control* c : window.controls()) {
        if (c->shortcut != key || (c->shortcutActive && !c->shortcutActive())) continue;
        if (c->acceptsInput()) return c;
        if (first == nullptr) first = c;
    }
    return first;
}

bool carriesKey(const Window& window, int key) {
    key = folded(key);
    if (key == 0) return false;
    if (key < keys::kF1 && window.focus != nullptr && window.focus->kind == ControlKind::TextBox)
        return false;
    if (keyTarget(window, key) != nullptr) return true;
    for (int own : window.ownKeys) {
        if (own == key) return true;
    }
    return false;
}

bool routeShortcut(Window& window, int key, PressRouting& presses) {
    if (!carriesKey(window, key)) return false;
    key = folded(key);
    if (Control* target = keyTarget(window, key)) {
        if (target->acceptsInput()) clickByKey(*target, presses);
    } else if (window.visible && window.enabled && window.onShortcut) {
        window.onShortcut(key);
    }
    return true;
}

std::string keyName(int key) {
    switch (key) {
        case 0:
            return {};
        case keys::kReturn:
            return "Enter";
        case ' ':
            return "Space";
        case keys::kF1:
            return "F1";
        case keys::kLeft:
            return "Left";
        case keys::kRight:
            return "Right";
        case keys::kUp:
            return "Up";
        case keys::kDown:
            return "Down";
        default:
            break;
    }
    if (key >= 'a' && key <= 'z') return std::string(1, static_cast<char>(key - 'a' + 'A'));
    if (key > ' ' && key < 127) return std::string(1, static_cast<char>(key));
    return {};
}

}  // namespace zem::platform
