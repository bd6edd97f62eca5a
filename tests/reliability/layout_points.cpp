// Prints where the player's controls of the machine window stand, for scripts that click them through the
// window system: one line per control, "name index x y width height" in pixels of the client area, taken
// from the layout's twips.
#include "ui/machine_window.h"

#include <cstdio>

int main() {
    const zem::ui::MachineWindow w;
    std::printf("client 0 0 0 %d %d\n", w.orvelle.clientWidth / 15, w.orvelle.clientHeight / 15);
    for (const zem::platform::Control* c : w.orvelle.controls()) {
        if (c->kind == zem::platform::ControlKind::MenuEntry) continue;
        std::printf("%s %d %d %d %d %d\n", c->name.c_str(), c->index, c->windowLeft() / 15,
                    c->windowTop() / 15, c->width / 15, c->height / 15);
    }
    return 0;
}
