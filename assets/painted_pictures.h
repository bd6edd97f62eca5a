// SPDX-License-Identifier: GPL-3.0-or-later
// The program's pictures painted afresh at a scale, from the drawings it carries: crisp pictures for a window
// shown larger than its own size or for a screen of high pixel density.
#pragma once

#include <QImage>
#include <QString>

#include <string>

namespace zem::assets {

// Picture `index` of `name` painted `scale` times its own size in pixels, carrying `scale` as its device
// pixel ratio; a null image for a name or index the program lacks. Any thread may paint (the font files are
// loaded by the first, and Qt's font database is safe in every thread).
QImage paintedPicture(const std::string& name, int index, double scale);

// What the painted pictures depend on, in a word for a cache's name: the program's version, Qt's, the
// drawings and pictures it carries and the font files. Pictures kept under another edition are not these.
QString paintedPicturesEdition();

}  // namespace zem::assets
