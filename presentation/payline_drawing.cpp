// SPDX-License-Identifier: GPL-3.0-or-later
// The payline drawing table and the step that puts a line on the six segments.
#include "payline_drawing.h"

#include "core/pays.h"
#include "play/machine.h"

#include <algorithm>
#include <string>

namespace zem::presentation {

namespace {

constexpr platform::Color rgb(unsigned hex) {
    return {static_cast<uint8_t>(hex >> 16), static_cast<uint8_t>((hex >> 8) & 0xFF),
            static_cast<uint8_t>(hex & 0xFF)};
}

// The end points stand as the lines were laid out: a few differ by some twips from the neighbouring
// segment's (lines 23 and 24), and some segments run right to left (lines 4, 5, 14 and 16). They are drawn
// as they stand.
constexpr LineDrawing kLines[26] = {
    {},
    {rgb(0x00FFFF), 1, {{{870, 3825, 11160, 3825}}}, {1, 26}},
    {rgb(0x00FF00), 1, {{{870, 1920, 11160, 1920}}}, {2, 0}},
    {rgb(0xFFC0C0), 1, {{{870, 5750, 11160, 5750}}}, {3, 0}},
    {rgb(0xC000C0), 2, {{{6000, 5750, 870, 870}, {6000, 5750, 11160, 870}}}, {4, 0}},
    {rgb(0x0000FF), 2, {{{6000, 1920, 870, 6690}, {6000, 1920, 11160, 6690}}}, {5, 0}},
    {rgb(0xC04000),
     4,
     {{{720, 1450, 4000, 1450},
       {4000, 1450, 6000, 3850},
       {6000, 3850, 8000, 1450},
       {8000, 1450, 11160, 1450}}},
     {6, 0}},
    {rgb(0xFF0000),
     4,
     {{{870, 6200, 4000, 6200},
       {4000, 6200, 6000, 3850},
       {6000, 3850, 8000, 6200},
       {8000, 6200, 11160, 6200}}},
     {7, 0}},
    {rgb(0xC0C0FF),
     5,
     {{{870, 3000, 2000, 3000},
       {2000, 3000, 4000, 1920},
       {4000, 1920, 8000, 1920},
       {8000, 1920, 9600, 3000},
       {9600, 3000, 11160, 3000}}},
     {8, 0}},
    {rgb(0x0000C0),
     5,
     {{{870, 4600, 2000, 4600},
       {2000, 4600, 4000, 5750},
       {4000, 5750, 8000, 5750},
       {8000, 5750, 9600, 4600},
       {9600, 4600, 11160, 4600}}},
     {9, 0}},
    {rgb(0xFFE0C0),
     4,
     {{{870, 3350, 4000, 3350},
       {4000, 3350, 6000, 1920},
       {6000, 1920, 8000, 3350},
       {8000, 3350, 11160, 3350}}},
     {10, 0}},
    {rgb(0xFF00FF),
     4,
     {{{870, 4300, 4000, 4300},
       {4000, 4300, 6000, 5750},
       {6000, 5750, 8000, 4300},
       {8000, 4300, 11160, 4300}}},
     {11, 0}},
    {rgb(0x008080),
     5,
     {{{870, 2200, 2000, 2200},
       {2000, 2200, 4000, 3350},
       {4000, 3350, 8000, 3350},
       {8000, 3350, 9600, 2200},
       {9600, 2200, 11160, 2200}}},
     {12, 0}},
    {rgb(0xC0C000),
     5,
     {{{870, 5450, 2000, 5450},
       {2000, 5450, 4000, 4300},
       {4000, 4300, 8000, 4300},
       {8000, 4300, 9600, 5450},
       {9600, 5450, 11160, 5450}}},
     {13, 0}},
    {rgb(0xFFC0FF),
     6,
     {{{870, 1420, 2000, 1420},
       {2000, 1420, 4000, 3825},
       {4000, 3825, 6000, 1860},
       {6000, 1860, 8000, 3825},
       {8000, 3825, 10100, 1420},
       {11160, 1420, 10100, 1420}}},
     {14, 0}},
    {rgb(0x804040),
     6,
     {{{870, 3825, 2000, 3825},
       {2000, 3825, 4000, 1860},
       {4000, 1860, 6000, 3825},
       {6000, 3825, 8000, 1860},
       {8000, 1860, 10100, 3825},
       {10100, 3825, 11160, 2520}}},
     {15, 0}},
    {rgb(0x800000),
     6,
     {{{870, 5750, 2000, 5750},
       {4000, 3825, 2000, 5750},
       {4000, 3825, 6000, 5750},
       {6000, 5750, 8000, 3825},
       {8000, 3825, 10100, 5750},
       {10100, 5750, 11160, 5750}}},
     {16, 0}},
    {rgb(0x00C0C0),
     6,
     {{{870, 3825, 2000, 3825},
       {2000, 3825, 4000, 5750},
       {4000, 5750, 6000, 3825},
       {6000, 3825, 8000, 5750},
       {8000, 5750, 10100, 3825},
       {10100, 3825, 11160, 5070}}},
     {17, 0}},
    {rgb(0xFF8000),
     6,
     {{{870, 1920, 2000, 1920},
       {2000, 1920, 4000, 5750},
       {4000, 5750, 6000, 1860},
       {6000, 1860, 8000, 5750},
       {8000, 5750, 10100, 1920},
       {10100, 1920, 11160, 1920}}},
     {18, 0}},
    {rgb(0xFFFF00),
     6,
     {{{870, 6200, 2000, 6200},
       {2000, 6200, 4000, 1860},
       {4000, 1860, 6000, 5750},
       {6000, 5750, 8000, 1860},
       {8000, 1860, 10100, 6200},
       {10100, 6200, 11160, 6200}}},
     {19, 0}},
    {rgb(0xC000C0),
     6,
     {{{870, 4300, 2000, 4300},
       {2000, 4300, 4000, 1860},
       {4000, 1860, 6000, 5750},
       {6000, 5750, 8000, 1860},
       {8000, 1860, 10100, 4300},
       {10100, 4300, 11160, 4300}}},
     {20, 0}},
    {rgb(0xC000C0),
     6,
     {{{870, 3350, 2000, 3350},
       {2000, 3350, 4000, 5750},
       {4000, 5750, 6000, 1890},
       {6000, 1890, 8000, 5750},
       {8000, 5750, 10100, 3350},
       {10100, 3350, 11160, 3350}}},
     {21, 0}},
    {rgb(0xC000C0),
     5,
     {{{870, 3000, 2000, 3000},
       {2000, 3000, 4000, 1890},
       {4000, 1890, 8000, 5750},
       {8000, 5750, 10100, 3000},
       {10100, 3000, 11160, 3000}}},
     {22, 0}},
    {rgb(0xC000C0),
     5,
     {{{870, 4600, 2000, 4600},
       {2000, 4600, 4000, 5755},
       {4000, 5750, 8000, 1890},
       {8000, 1890, 10100, 4600},
       {10100, 4600, 11160, 4600}}},
     {23, 0}},
    {rgb(0xC000C0), 2, {{{870, 1920, 6000, 1920}, {6000, 1890, 11160, 6500}}}, {24, 0}},
    {rgb(0xC000C0), 2, {{{870, 5750, 6000, 5750}, {6000, 5750, 11160, 1100}}}, {25, 0}},
};

}  // namespace

const LineDrawing& lineDrawing(int line) { return kLines[line >= 1 && line <= 25 ? line : 0]; }

void drawLine(play::Machine& m, int line, bool visible) {
    const LineDrawing& d = lineDrawing(line);
    for (int k = 1; k <= d.segmentCount; ++k) {
        platform::Control& seg = m.w.Lineflash[k];
        const Segment& s = d.segment[static_cast<size_t>(k - 1)];
        seg.x1 = s.x1;
        seg.y1 = s.y1;
        seg.x2 = s.x2;
        seg.y2 = s.y2;
        seg.foreground = d.colour;
        seg.visible = visible;
    }
}

void hideSegments(play::Machine& m) {
    for (int k = 1; k <= kSegments; ++k) m.w.Lineflash[k].visible = false;
}

namespace {

// A pay as it goes into the credit: a free spin's multiplier counts in it.
std::string payText(const play::Machine& m, int64_t pay) {
    return std::to_string(pay * std::max<int64_t>(1, m.s.winmultiplier));
}

}  // namespace

void showLinePay(play::Machine& m, int line, bool visible) {
    platform::Control& label = m.w.lbllinepay;
    const LineDrawing& d = lineDrawing(line);
    const int64_t pay = core::lineWin(m.s, line);
    if (!visible || pay <= 0 || d.marker[0] == 0) {
        label.visible = false;
        return;
    }
    const platform::Control& marker = m.w.lin[d.marker[0]];
    label.left = marker.left;
    label.top = marker.top;
    label.width = marker.width;
    label.height = marker.height;
    label.caption = payText(m, pay);
    // The line's own colour, edged dark for a light colour and light for a dark one so that it reads on the
    // wood either way.
    label.foreground = label.shade = d.colour;
    const int light = 299 * d.colour.r + 587 * d.colour.g + 114 * d.colour.b;
    label.outline = light >= 128000 ? platform::Color{40, 16, 0} : platform::Color{255, 246, 220};
    label.visible = true;
}

void showScatterPay(play::Machine& m) {
    // Beside the reels, and only while they are on show (the payline viewer hides them, their Scatters
    // animating on unseen).
    const int64_t pay = core::scatterWin(m.s);
    m.w.lblscatterpay.visible = pay > 0 && m.w.Picture[1].visible;
    if (pay > 0) m.w.lblscatterpay.caption = payText(m, pay);
}

void hidePays(play::Machine& m) {
    m.w.lbllinepay.visible = false;
    m.w.lblscatterpay.visible = false;
}

}  // namespace zem::presentation
