// SPDX-License-Identifier: GPL-3.0-or-later
// Reachability and placement of controls, and the option-button marks.
#include "controls.h"

namespace zem::platform {

void Control::mark() {
    if (window != nullptr && kind == ControlKind::OptionButton) {
        for (Control* other : window->controls()) {
            if (other != this && other->kind == ControlKind::OptionButton && other->group == group &&
                other->parent == parent) {
                other->marked = false;
            }
        }
    }
    marked = true;
    press();
}

bool Control::acceptsInput() const {
    for (const Control* c = this; c != nullptr; c = c->parent) {
        if (!c->visible || !c->enabled) return false;
    }
    if (window != nullptr && window != this && (!window->visible || !window->enabled)) return false;
    return true;
}

bool Control::shown() const {
    for (const Control* c = this; c != nullptr; c = c->parent) {
        if (!c->visible) return false;
    }
    return true;
}

int Control::windowLeft() const {
    int x = 0;
    for (const Control* c = this; c != nullptr && c->kind != ControlKind::Window; c = c->parent) x += c->left;
    return x;
}

int Control::windowTop() const {
    int y = 0;
    for (const Control* c = this; c != nullptr && c->kind != ControlKind::Window; c = c->parent) y += c->top;
    return y;
}

void Window::add(Control& control, Control* container) {
    control.window = this;
    control.parent = container != nullptr ? container : this;
    controls_.push_back(&control);
}

Control* Window::find(const std::string& name, int index) const {
    for (Control* c : controls_) {
        if (c->name == name && c->index == index) return c;
    }
    return nullptr;
}

}  // namespace zem::platform
