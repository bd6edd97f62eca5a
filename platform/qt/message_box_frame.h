// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;

namespace zem::platform::qt {

// Frames a message box as the game's own: no title bar of the window manager's, but a strip of the box's own
// across its top with the box's title and a close box, by which the box is dragged as by a title bar. A
// window manager may draw its maximise and minimise boxes on any window it frames, even one that can be
// neither; a box that draws its own frame shows only what a message box has: its buttons and a close box.
void frameAsMessageBox(QDialog& box);

// The height of the strip, and the close box's side, in the box's own pixels.
inline constexpr int kMessageBoxStripHeight = 24;
inline constexpr int kMessageBoxCloseSide = 16;

}  // namespace zem::platform::qt
