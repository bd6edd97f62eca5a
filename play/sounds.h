// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's 25 recordings, named by what they play.
#pragma once

namespace zem::play {

// The recordings by what they play; each value is the recording's number in the bank.
enum class Sound : int {
    None = 0,                  // no sound: a spin that won nothing
    Welcome = 101,             // the machine is ready; also the smallest wins
    WinSmall = 102,            // a small win
    WinBlack = 103,            // a win; the gamble won on black
    WinModest = 104,           // a win
    FreeSpins = 105,           // three Scatters start a free-spin series
    WinMedium = 106,           // a win
    WinSpades = 107,           // a win; the gamble: spades guessed, or the win taken
    WinRed = 108,              // a win; the gamble won on red
    WinGood = 109,             // a win
    Spare = 110,               // loaded with the rest, never played
    WinClubsOrDiamonds = 111,  // a win; the gamble: clubs or diamonds guessed
    Collect = 112,             // a win; the series total collected; the gamble: hearts guessed
    WinLarge = 113,            // a win
    WinHuge = 114,             // a win
    WinBiggest = 115,          // the biggest wins
    ReelStop = 116,            // a turning reel comes to rest
    FreeSpinMusic = 117,       // the music of a free-spin series, played in a loop
    ScatterReel1 = 119,        // a Scatter lands on reel 1; 120 .. 123 on reels 2 .. 5
    ScatterReel2 = 120,
    ScatterReel3 = 121,
    ScatterReel4 = 122,
    ScatterReel5 = 123,
    Click = 124,               // a button pressed
    Buzz = 125,                // not enough credit for the bet; the gamble lost
    Coin = 126,                // a coin dropped into the credit
};

// The chime of a Scatter landing on reel 1..5.
constexpr Sound scatterSound(int reel) {
    return static_cast<Sound>(static_cast<int>(Sound::ScatterReel1) + reel - 1);
}

}  // namespace zem::play
