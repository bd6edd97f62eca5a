// SPDX-License-Identifier: GPL-3.0-or-later
// The program's pictures painted afresh at a scale, from the drawings it carries: crisp pictures for a window
// shown larger than its own size or for a screen of high pixel density.
#pragma once

#include <QImage>

#include <string>

namespace zem::assets {

// Picture `index` of `name` painted `scale` times its own size in pixels, carrying `scale` as its device
// pixel ratio; a null image for a name or index the program lacks. Runs on the thread of the windows.
QImage paintedPicture(const std::string& name, int index, double scale);

}  // namespace zem::assets
