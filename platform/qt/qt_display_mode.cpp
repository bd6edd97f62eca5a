// SPDX-License-Identifier: GPL-3.0-or-later
// The screen's size, and mode requests that leave the display unchanged.
#include "qt_display_mode.h"

#include <QGuiApplication>
#include <QScreen>

namespace zem::platform::qt {

ScreenSize QtDisplayMode::screen() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr) return {};
    const QSize size = primary->size();
    return {size.width(), size.height()};
}

bool QtDisplayMode::setMode(int width, int height) {
    if (width == 0 && height == 0) return true;
    const ScreenSize now = screen();
    return now.width == width && now.height == height;
}

}  // namespace zem::platform::qt
