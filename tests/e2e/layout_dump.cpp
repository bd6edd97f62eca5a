// SPDX-License-Identifier: GPL-3.0-or-later
// zem-e2e-layout: prints where every control of the game's windows stands, in pixels of its window's client
// area, so that the end-to-end tests click where the layout puts a control instead of at typed positions.
#include "presentation/history_window.h"
#include "ui/info_windows.h"
#include "ui/machine_window.h"
#include "ui/options_window.h"

#include <cstdio>
#include <string>

namespace {

using zem::platform::Control;
using zem::platform::ControlKind;
using zem::platform::Window;

constexpr int kTwipsPerPixel = 15;

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
    return out + "\"";
}

// One JSON object a line: the window with its client size, then each control with its place in the client
// area (its containers' offsets added) and its size.
void dump(const Window& window) {
    std::printf("{\"window\":%s,\"width\":%d,\"height\":%d}\n", quoted(window.name).c_str(),
                window.clientWidth / kTwipsPerPixel, window.clientHeight / kTwipsPerPixel);
    for (const Control* c : window.controls()) {
        if (c->kind == ControlKind::MenuEntry || c->kind == ControlKind::LineSegment) continue;
        std::printf("{\"window\":%s,\"name\":%s,\"index\":%d,\"x\":%d,\"y\":%d,\"w\":%d,\"h\":%d}\n",
                    quoted(window.name).c_str(), quoted(c->name).c_str(), c->index,
                    c->windowLeft() / kTwipsPerPixel, c->windowTop() / kTwipsPerPixel,
                    c->width / kTwipsPerPixel, c->height / kTwipsPerPixel);
    }
}

}  // namespace

int main() {
    zem::ui::MachineWindow machine;
    dump(machine.orvelle);
    zem::ui::OptionsWindowLayout options;
    dump(options.frmorvelleoptions);
    zem::ui::PaytableWindow paytable;
    dump(paytable.orvellepays);
    zem::ui::AboutWindow about;
    dump(about.aboutorvelle);
    zem::presentation::HistoryWindowLayout history;
    dump(history.frmhistory);
    return 0;
}
