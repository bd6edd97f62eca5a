// SPDX-License-Identifier: GPL-3.0-or-later
// Scatter and line pays. Only the symbol on reel 1 can pay a line: every paying sum holds reel 1's weight 8,
// and reel 1 never shows a Wild, so the line pay reads that one symbol's sum instead of walking all ten.
// Every paying sum also holds reel 2's weight 7, the one odd weight, so a line whose sum is even pays
// nothing; the lines with an odd sum are picked out of a whole tally vector at once. The line wins of a spin
// are added up first and put on spinwin in one checked addition (at most 25 x 20 x 1500 coins).
#include "pays.h"

#include "checked.h"

#include <bit>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zem::core {

int runForSum(int symbol, int sum) {
    switch (sum) {
        case 21:
        case 41:
            return 3;
        case 31:
            return 4;
        case 51:
            return 5;
        case 15:
        case 25:
        case 35:
        case 45:
            return symbol == Tomahawk ? 2 : 0;
        default:
            return 0;
    }
}

void payScatters(MachineState& s) {
    const int16_t factor = scatterFactor(s.scattercount);
    if (factor == 0) return;
    const long long pay = static_cast<long long>(s.coinsperline) * factor * s.linesplayed;
    addChecked(s.spinwin, pay);
}

namespace {

constexpr int kSums = 64;  // tally sums run from 0 to 51; anything from 52 up reads the last, empty entry

struct LinePayTables {
    int16_t pay[kPayingSymbols + 1][kSums] = {};  // pay per coin for a symbol's sum; 0 when it pays nothing
    int8_t run[kPayingSymbols + 1][kSums] = {};   // the run that sum stands for
    // Per stop of reel 1 and row: the paying symbol in the row (1 when none) and the lines through the row
    // as bits (none when the row shows no paying symbol), the paying symbol on each line, and whether some
    // row shows neither a paying symbol nor a Scatter, so that its lines must be read for every symbol.
    int8_t rowSymbol[kStops + 1][kRows] = {};
    uint32_t rowLines[kStops + 1][kRows] = {};
    int8_t lineSymbol[kStops + 1][kLineSlots] = {};
    uint32_t otherLines[kStops + 1] = {};
};

LinePayTables makeLinePayTables() {
    LinePayTables t;
    for (int symbol = 1; symbol <= kPayingSymbols; ++symbol) {
        for (int sum = 0; sum < kSums; ++sum) {
            const int run = runForSum(symbol, sum);
            t.run[symbol][sum] = static_cast<int8_t>(run);
            t.pay[symbol][sum] = run == 0 ? int16_t{0} : linePay(symbol, run);
        }
    }
    for (int stop = 1; stop <= kStops; ++stop) {
        for (int row = 1; row <= kRows; ++row) {
            const Symbol symbol = symbolAt(1, stop, row);
            uint32_t lines = 0;
            for (int8_t line : linesThroughRow(1, row)) lines |= uint32_t{1} << line;
            if (isPaying(symbol)) {
                t.rowSymbol[stop][row - 1] = static_cast<int8_t>(symbol);
                t.rowLines[stop][row - 1] = lines;
                for (int8_t line : linesThroughRow(1, row))
                    t.lineSymbol[stop][line] = static_cast<int8_t>(symbol);
            } else {
                t.rowSymbol[stop][row - 1] = 1;
                if (symbol != Scatter) t.otherLines[stop] |= lines;
            }
        }
    }
    return t;
}

const LinePayTables kTables = makeLinePayTables();

// Pays line `line` for `symbol` when the symbol's sum there is a paying run; returns the pay per coin.
int payLine(MachineState& s, int line, int symbol) {
    const auto sum = static_cast<uint16_t>(s.tally[symbol][line]);
    const int index = sum < kSums ? sum : kSums - 1;
    const int run = kTables.run[symbol][index];
    s.linewin[line] = run != 0 ? static_cast<int16_t>(line) : s.linewin[line];
    s.linecount[line] = run != 0 ? static_cast<int16_t>(run) : s.linecount[line];
    return kTables.pay[symbol][index];
}

// Bit `lane` set for every lane of a symbol's tally that holds an odd sum.
uint32_t oddLanes(const int16_t* tally) {
    static_assert(kTallyLanes == 32, "one bit per lane");
#if defined(__SSE2__)
    // Move each lane's low bit to its sign bit, narrow to bytes (saturation keeps the sign), gather signs.
    const __m128i* v = reinterpret_cast<const __m128i*>(tally);
    const __m128i a = _mm_slli_epi16(_mm_loadu_si128(v), 15);
    const __m128i b = _mm_slli_epi16(_mm_loadu_si128(v + 1), 15);
    const __m128i c = _mm_slli_epi16(_mm_loadu_si128(v + 2), 15);
    const __m128i d = _mm_slli_epi16(_mm_loadu_si128(v + 3), 15);
    const auto low = static_cast<uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(a, b)));
    const auto high = static_cast<uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(c, d)));
    return low | (high << 16);
#else
    uint32_t bits = 0;
    for (int lane = 0; lane < kTallyLanes; ++lane) bits |= static_cast<uint32_t>(tally[lane] & 1) << lane;
    return bits;
#endif
}

}  // namespace

void payLines(MachineState& s) {
    const int played = s.linesplayed < kLines ? s.linesplayed : kLines;
    if (played < 1) return;
    const uint32_t playedLines = ((uint32_t{2} << played) - 1) & ~uint32_t{1};  // bits 1..played
    const int stop1 = s.reelstop[1];
    const bool known = stop1 >= 1 && stop1 <= kStops;
    // Lines whose reel-1 symbol is unknown or not a paying symbol or Scatter: every symbol's sum is read.
    long long won = 0;
    for (uint32_t lines = (known ? kTables.otherLines[stop1] : ~uint32_t{0}) & playedLines; lines != 0;
         lines &= lines - 1) {
        for (Symbol candidate : kLinePayOrder) won += payLine(s, std::countr_zero(lines), candidate);
    }
    if (known) {
        // The other lines can pay only for their reel-1 symbol, and only with an odd sum.
        const int8_t* symbol = kTables.rowSymbol[stop1];
        const uint32_t* rowLines = kTables.rowLines[stop1];
        uint32_t candidates = (oddLanes(s.tally[symbol[0]]) & rowLines[0]) |
                              (oddLanes(s.tally[symbol[1]]) & rowLines[1]) |
                              (oddLanes(s.tally[symbol[2]]) & rowLines[2]);
        for (candidates &= playedLines; candidates != 0; candidates &= candidates - 1) {
            const int line = std::countr_zero(candidates);
            won += payLine(s, line, kTables.lineSymbol[stop1][line]);
        }
    }
    addChecked(s.spinwin, s.coinsperline * won);
}

int64_t scatterWin(const MachineState& s) {
    return static_cast<int64_t>(s.coinsperline) * scatterFactor(s.scattercount) * s.linesplayed;
}

int64_t lineWin(const MachineState& s, int line) {
    const int played = s.linesplayed < kLines ? s.linesplayed : kLines;
    if (line < 1 || line > played) return 0;
    // Only reel 1's symbol can pay, and the sum of any other symbol there is no paying run: the pays of all
    // ten add up to the one that paid.
    int64_t perCoin = 0;
    for (int symbol = 1; symbol <= kPayingSymbols; ++symbol) {
        const auto sum = static_cast<uint16_t>(s.tally[symbol][line]);
        perCoin += kTables.pay[symbol][sum < kSums ? sum : kSums - 1];
    }
    return perCoin * s.coinsperline;
}

void payOutcome(MachineState& s) {
    s.spinwin = 0;
    for (int line = 1; line <= kLines; ++line) s.linewin[line] = 0;
    payScatters(s);
    payLines(s);
}

}  // namespace zem::core
