// SPDX-License-Identifier: GPL-3.0-or-later
// The program's pictures and recordings as it carries them: looked up by name and number, loaded once.
#pragma once

#include <QIcon>
#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

namespace zem::assets {

// Picture `index` of the picture or picture list `name`: index 0 for a single picture ("background"), 1-based
// for lists and numbered buttons ("symbol" 3, "pplay" 6). A null image for a name or index the program lacks.
QImage picture(const std::string& name, int index = 0);

// Every picture the program carries, as (name, index) pairs in name order.
std::vector<std::pair<std::string, int>> pictureNames();

// A copy of `image` with its pure white pixels transparent (the mask colour of the picture lists).
QImage whiteTransparent(const QImage& image);

// `base` with `over` drawn on top of it, the white pixels of `over` left out: a multiplier over a Wild frame,
// a peel frame over a card face.
QImage compose(const QImage& base, const QImage& over);

// The program's icon for its windows, at every size the program carries (the desktop theme's PNGs up to 256
// pixels). A null icon only if the resources lack them.
QIcon windowIcon();

// The RIFF WAVE bytes of recording `number` ("RESOURCE_ID_<number>"); empty when the program has none.
std::vector<uint8_t> recordingResource(int number);

}  // namespace zem::assets
