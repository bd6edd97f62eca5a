// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's palette and type as the game's forms use them (the options window, the message boxes): one
// table of colours and faces, read by the window layouts and by the back end that draws them.
#pragma once

#include "platform/controls.h"

namespace zem::platform::look {

// The cabinet's dark wood, its gold trim and the cream of its lettering.
inline constexpr Color kWood{46, 20, 10};
inline constexpr Color kGold{224, 170, 50};
inline constexpr Color kGoldLight{255, 236, 160};
inline constexpr Color kCream{255, 246, 214};
// The lamp buttons' red face and the parchment of the boxes a player types into.
inline constexpr Color kLampRed{180, 36, 26};
inline constexpr Color kParchment{252, 244, 222};
inline constexpr Color kInk{50, 22, 6};

// The faces the machine's pictures are lettered with.
inline constexpr const char* kSansFace = "DejaVu Sans";
inline constexpr const char* kSerifFace = "DejaVu Serif";

// The painted picture behind every message box, drawn to the box's size.
inline constexpr const char* kMessageBoxPicture = "messagebox";

}  // namespace zem::platform::look
