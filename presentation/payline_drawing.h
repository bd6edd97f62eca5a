// SPDX-License-Identifier: GPL-3.0-or-later
// How each payline is drawn across the reel area: its colour, its segments and its markers. The line flash
// and the payline viewer both draw from this one table.
#pragma once

#include "platform/controls.h"

#include <array>

namespace zem::play {
class Machine;
}

namespace zem::presentation {

inline constexpr int kSegments = 6;  // Lineflash(1..6)
inline constexpr int kMarkers = 26;  // lin(1..26); lin(26) is line 1's second marker

struct Segment {
    int x1, y1, x2, y2;  // twips in the machine window, in the order the segment is drawn
};

struct LineDrawing {
    platform::Color colour;
    int segmentCount;                        // 1..6
    std::array<Segment, kSegments> segment;  // segments 1..segmentCount at [0..segmentCount-1]
    std::array<int, 2> marker;               // markers of the line; 0 for none
};

// Drawing of payline `line` (1..25).
const LineDrawing& lineDrawing(int line);

// Puts line `line` on the segments Lineflash(1..s), s its segment count: end points, colour, and the given
// visibility. The segments above s are left as they are.
void drawLine(play::Machine& m, int line, bool visible);

// Hides the six segments.
void hideSegments(play::Machine& m);

// Shows what line `line` paid, lettered in the line's colour over its first marker, or hides it.
void showLinePay(play::Machine& m, int line, bool visible);
// Shows what the Scatters paid beside the reels.
void showScatterPay(play::Machine& m);
// Hides both pays.
void hidePays(play::Machine& m);

}  // namespace zem::presentation
