// SPDX-License-Identifier: GPL-3.0-or-later
// The 25 recordings, composed note by note, and the RIFF WAVE files that carry them.
#include "recordings.h"

#include "sound/synth.h"

#include <algorithm>
#include <cmath>

namespace zem::assets {

namespace {

using namespace synth;

// Times on a beat grid.
struct Grid {
    double beat;          // seconds per beat
    double offset = 0.0;  // seconds before beat 0
    double at(double beats) const { return offset + beats * beat; }
    double len(double beats) const { return beats * beat; }
};

struct Note {
    double midi;  // 0 = rest
    double beats;
};

// Plays a melody line note after note from `startBeat`; returns the beat after its last note.
template <typename Voice>
double melody(const Grid& g, double startBeat, const std::vector<Note>& notes, Voice&& voice) {
    double b = startBeat;
    for (const Note& n : notes) {
        if (n.midi > 0) voice(g.at(b), g.len(n.beats), n.midi);
        b += n.beats;
    }
    return b;
}

// Rounds off a recording: room, level, and silence at both ends so it starts and stops without a click.
void finish(Track& t, double room, double peak, double fadeSeconds) {
    if (room > 0.0) reverb(t, room);
    normalize(t, peak);
    fadeIn(t, 0.002);
    fadeOut(t, fadeSeconds);
}

// --- Short signals -----------------------------------------------------------------------------------------

void clickSound(Track& t) {
    Noise n(124);
    woodBlock(t, 0.0, 1750.0, 0.7);
    woodBlock(t, 0.0, 3400.0, 0.25);
    shaker(t, 0.0, 0.5, n);
    finish(t, 0.0, 0.8, 0.025);
}

void coinSound(Track& t) {
    Noise n(126);
    clink(t, 0.000, 1.00, 1.00, n);
    clink(t, 0.062, 0.55, 1.03, n);
    clink(t, 0.110, 0.30, 0.99, n);
    clink(t, 0.145, 0.16, 1.02, n);
    finish(t, 0.12, 0.85, 0.04);
}

void reelStopSound(Track& t) {
    // The reel's brake: a low thump with a wooden knock on top and a short mechanical rattle.
    Noise n(116);
    kick(t, 0.0, 0.9);
    tom(t, 0.0, 82.0, 0.6, 0.05, n);
    woodBlock(t, 0.002, 330.0, 0.55);
    woodBlock(t, 0.004, 760.0, 0.18);
    shaker(t, 0.0, 0.12, n);
    lowpass(t, 4200.0);
    finish(t, 0.05, 0.9, 0.08);
}

void buzzSound(Track& t) {
    // Two falling, slightly out-of-tune buzzes: the machine says no.
    std::vector<Partial> saw;
    for (int k = 1; k <= 24; ++k) saw.push_back({double(k), 1.0 / k, 1.0});
    const Envelope env{0.01, 0.3, 0.85, 0.04};
    additive(t, 0.00, 0.20, noteHz(45.0), 0.5, saw, env);
    additive(t, 0.00, 0.20, noteHz(45.35), 0.4, saw, env);
    additive(t, 0.25, 0.22, noteHz(42.0), 0.5, saw, env);
    additive(t, 0.25, 0.22, noteHz(42.35), 0.4, saw, env);
    lowpass(t, 1400.0);
    finish(t, 0.08, 0.85, 0.03);
}

void scatterChime(Track& t, double base) {
    // A bright chime with a fifth and a sparkle above; each reel a step higher than the last.
    const double ring = t.seconds() * 0.35;
    glock(t, 0.000, base - 5.0, 0.35, ring * 0.4);
    bell(t, 0.030, base, 0.9, ring);
    glock(t, 0.030, base + 12.0, 0.35, ring * 0.8);
    bell(t, 0.085, base + 7.0, 0.5, ring * 0.8);
    glock(t, 0.130, base + 19.0, 0.22, ring * 0.6);
    finish(t, 0.22, 0.88, t.seconds() * 0.25);
}

// --- Win jingles, growing with the win -------------------------------------------------------------------

void winTwoNotes(Track& t) {  // 101, also the start-up chime
    bell(t, 0.00, 81.0, 0.8, 0.09);
    glock(t, 0.00, 93.0, 0.2, 0.05);
    bell(t, 0.06, 88.0, 0.9, 0.1);
    glock(t, 0.06, 100.0, 0.2, 0.06);
    finish(t, 0.15, 0.85, 0.06);
}

void winThreeNotes(Track& t) {  // 102
    const double notes[] = {74, 78, 81};
    for (int i = 0; i < 3; ++i) {
        marimba(t, 0.08 * i, notes[i], 0.7);
        glock(t, 0.08 * i, notes[i] + 12, 0.22, 0.12);
    }
    bell(t, 0.24, 86, 0.8, 0.16);
    finish(t, 0.18, 0.85, 0.12);
}

void winArpeggio(Track& t, double root, bool trill) {  // 103, 104
    const double steps[] = {0, 4, 7, 12};
    for (int i = 0; i < 4; ++i) bell(t, 0.07 * i, root + steps[i], 0.7, 0.16);
    organ(t, 0.21, 0.32, root - 12, 0.18);
    organ(t, 0.21, 0.32, root - 8, 0.14);
    organ(t, 0.21, 0.32, root - 5, 0.14);
    if (trill) {
        for (int i = 0; i < 5; ++i) glock(t, 0.30 + 0.045 * i, root + 24 + (i % 2 ? 2 : 0), 0.3, 0.08);
    } else {
        glock(t, 0.28, root + 24, 0.35, 0.16);
    }
    finish(t, 0.2, 0.85, 0.14);
}

// A jingle: a lead line on marimba doubled by a glockenspiel, a bass and a closing chord.
void jingle(Track& t, const Grid& g, const std::vector<Note>& lead, const std::vector<Note>& low,
            const std::vector<double>& chord, double chordBeat, bool drums, uint32_t seed) {
    Noise n(seed);
    melody(g, 0, lead, [&](double s, double d, double m) {
        marimba(t, s, m, 0.6);
        glock(t, s, m + 12, 0.18, std::min(0.3, d * 2));
        flute(t, s, d * 0.9, m, 0.2, n);
    });
    melody(g, 0, low, [&](double s, double d, double m) { bass(t, s, d * 0.9, m, 0.35); });
    const double cs = g.at(chordBeat);
    const double cd = std::max(0.2, t.seconds() - cs - 0.15);
    for (double m : chord) {
        pad(t, cs, cd, m, 0.12);
        bell(t, cs, m + 12, 0.22, cd * 0.35);
    }
    if (drums) {
        for (double b = 0; g.at(b) < cs + 0.01; b += 1.0) tom(t, g.at(b), b == 0 ? 110 : 95, 0.45, 0.09, n);
        for (double b = 0.5; g.at(b) < cs; b += 1.0) shaker(t, g.at(b), 0.18, n);
    }
}

void win106(Track& t) {
    Grid g{0.12};
    jingle(t, g, {{74, 1}, {76, 1}, {78, 1}, {81, 1}, {83, 1}, {81, 1}, {86, 4}}, {{50, 3}, {45, 3}, {50, 4}},
           {62, 66, 69, 74}, 6, true, 106);
    finish(t, 0.22, 0.85, 0.3);
}

void win107(Track& t) {
    Grid g{0.11};
    jingle(t, g, {{69, 1}, {74, 1}, {78, 1}, {81, 1.5}, {78, 0.5}, {81, 1}, {86, 1.5}, {86, 4}},
           {{50, 2}, {45, 2}, {50, 2}, {57, 1.5}, {50, 4}}, {62, 66, 69, 74}, 7.5, true, 107);
    finish(t, 0.22, 0.85, 0.35);
}

void win108(Track& t) {
    Grid g{0.11};
    jingle(t, g, {{71, 1}, {76, 1}, {80, 1}, {83, 1.5}, {80, 0.5}, {83, 1}, {88, 1.5}, {88, 4}},
           {{52, 2}, {47, 2}, {52, 2}, {59, 1.5}, {52, 4}}, {64, 68, 71, 76}, 7.5, true, 108);
    finish(t, 0.22, 0.85, 0.35);
}

void win109(Track& t) {
    Grid g{0.13};
    jingle(t, g, {{74, 1}, {78, 1}, {81, 2}, {83, 1}, {81, 1}, {78, 2}, {81, 1}, {86, 1}, {86, 4}},
           {{50, 4}, {47, 4}, {45, 2}, {50, 4}}, {62, 66, 69, 74, 78}, 10, true, 109);
    finish(t, 0.22, 0.85, 0.35);
}

void win110(Track& t) {
    Grid g{0.14};
    jingle(t, g, {{69, 1}, {72, 1}, {74, 1}, {76, 1}, {79, 1}, {76, 1}, {81, 2}, {81, 4}},
           {{45, 4}, {43, 2}, {45, 4}}, {57, 64, 69, 72}, 8, true, 110);
    finish(t, 0.22, 0.85, 0.35);
}

void win111(Track& t) {
    Grid g{0.14};
    Noise n(1111);
    jingle(t, g, {{79, 1}, {83, 1}, {86, 1}, {83, 1}, {79, 1}, {86, 1}, {91, 2}, {88, 1}, {91, 1}, {91, 4}},
           {{43, 4}, {50, 2}, {47, 2}, {43, 4}}, {67, 71, 74, 79}, 10, true, 111);
    for (int i = 0; i < 10; ++i)
        clink(t, 1.3 + 0.09 * i + 0.03 * n.uniform(), 0.3, 0.75 + 0.08 * n.uniform(), n);
    finish(t, 0.22, 0.85, 0.4);
}

void win112(Track& t) {
    // Ka-ching: a bright chord over a cascade of coins.
    Noise n(112);
    bell(t, 0.0, 84, 0.7, 0.35);
    bell(t, 0.0, 88, 0.5, 0.35);
    bell(t, 0.0, 91, 0.5, 0.35);
    glock(t, 0.12, 96, 0.3, 0.3);
    organ(t, 0.0, 1.0, 60, 0.15);
    organ(t, 0.0, 1.0, 64, 0.12);
    organ(t, 0.0, 1.0, 67, 0.12);
    for (int i = 0; i < 14; ++i) {
        const double at = 0.05 + 0.055 * i + 0.02 * n.uniform();
        clink(t, at, 0.45 * (1.0 - i / 20.0), 0.72 + 0.1 * n.uniform(), n);
    }
    finish(t, 0.2, 0.88, 0.35);
}

// A tune in four bars with drums, bass and a shimmer of coins, for the larger wins.
void win113(Track& t) {
    Grid g{0.25};
    Noise n(113);
    const double end = melody(g, 0,
                              {{74, 1},
                               {78, 1},
                               {81, 1},
                               {83, 1},
                               {81, 1},
                               {78, 1},
                               {76, 1},
                               {74, 1},
                               {76, 1},
                               {78, 1},
                               {81, 1},
                               {86, 1},
                               {83, 1},
                               {81, 1},
                               {78, 1},
                               {81, 1}},
                              [&](double s, double d, double m) {
                                  marimba(t, s, m, 0.55);
                                  flute(t, s, d * 0.95, m, 0.3, n);
                              });
    melody(g, 0, {{50, 2}, {57, 2}, {47, 2}, {54, 2}, {43, 2}, {50, 2}, {45, 2}, {52, 2}},
           [&](double s, double d, double m) { bass(t, s, d * 0.9, m, 0.4); });
    const double chords[4][3] = {{62, 66, 69}, {59, 62, 66}, {55, 59, 62}, {57, 61, 64}};
    for (int bar = 0; bar < 4; ++bar)
        for (double m : chords[bar]) pad(t, g.at(bar * 4), g.len(4) * 0.95, m, 0.07);
    for (int b = 0; b < 16; b += 2) tom(t, g.at(b), b % 8 == 0 ? 120 : 100, 0.4, 0.1, n);
    for (int b = 1; b < 16; b += 2) shaker(t, g.at(b), 0.16, n);
    const double cs = g.at(end);
    for (double m : {62.0, 66.0, 69.0, 74.0}) {
        bell(t, cs, m + 12, 0.3, 0.3);
        pad(t, cs, 0.6, m, 0.12);
    }
    bass(t, cs, 0.6, 50, 0.4);
    tom(t, cs, 120, 0.5, 0.15, n);
    for (int i = 0; i < 8; ++i)
        clink(t, cs + 0.06 * i + 0.02 * n.uniform(), 0.25, 0.8 + 0.1 * n.uniform(), n);
    finish(t, 0.22, 0.85, 0.35);
}

// The celebration theme shared by the two biggest wins: six bars in D major, then a closing chord.
const std::vector<Note> kThemeLead = {
    {74, 1},   {78, 0.5}, {81, 0.5}, {83, 1},   {81, 1},                // bar 1
    {78, 0.5}, {76, 0.5}, {74, 1},   {76, 1},   {78, 1},                // bar 2
    {81, 1},   {83, 0.5}, {86, 0.5}, {83, 1},   {81, 1},                // bar 3
    {78, 1},   {81, 1},   {76, 2},                                      // bar 4
    {74, 0.5}, {76, 0.5}, {78, 0.5}, {81, 0.5}, {83, 1},   {86, 1},     // bar 5
    {88, 1},   {86, 0.5}, {83, 0.5}, {81, 1},   {78, 0.5}, {81, 0.5}};  // bar 6
const double kThemeChords[6][3] = {{62, 66, 69}, {59, 62, 66}, {55, 59, 62},
                                   {57, 61, 64}, {62, 66, 69}, {55, 59, 64}};
const double kThemeRoots[6] = {38, 35, 43, 45, 38, 43};

void theme(Track& t, const Grid& g, bool brassLead, Noise& n) {
    melody(g, 0, kThemeLead, [&](double s, double d, double m) {
        if (brassLead) {
            brass(t, s, d * 0.92, m - 12, 0.32);
            glock(t, s, m + 12, 0.12, 0.2);
        } else {
            flute(t, s, d * 0.92, m, 0.32, n);
            marimba(t, s, m, 0.4);
        }
    });
    for (int bar = 0; bar < 6; ++bar) {
        for (double m : kThemeChords[bar]) pad(t, g.at(bar * 4), g.len(4) * 0.96, m, 0.06);
        const double r = kThemeRoots[bar];
        const double pattern[4] = {r, r + 7, r + 12, r + 7};
        for (int b = 0; b < 4; ++b) bass(t, g.at(bar * 4 + b), g.len(0.9), pattern[b], 0.32);
        for (int b = 0; b < 8; ++b)
            marimba(t, g.at(bar * 4 + b * 0.5), kThemeChords[bar][b % 3] + (b / 3 % 2) * 12, 0.14);
        for (int b = 0; b < 4; ++b)
            tom(t, g.at(bar * 4 + b), b == 0 ? 120 : (b == 2 ? 105 : 90), b == 0 ? 0.5 : 0.35, 0.1, n);
        tom(t, g.at(bar * 4 + 3.5), 140, 0.25, 0.07, n);
        for (int b = 0; b < 4; ++b) shaker(t, g.at(bar * 4 + b + 0.5), 0.14, n);
    }
}

void win114(Track& t) {
    Grid g{0.5};
    Noise n(114);
    theme(t, g, false, n);
    const double cs = g.at(24);
    for (double m : {62.0, 66.0, 69.0, 74.0, 78.0}) {
        bell(t, cs, m + 12, 0.25, 0.5);
        pad(t, cs, t.seconds() - cs - 0.3, m, 0.1);
    }
    bass(t, cs, 1.2, 38, 0.45);
    flute(t, cs, 1.3, 86, 0.32, n);
    tom(t, cs, 120, 0.6, 0.2, n);
    cymbal(t, cs, 0.12, 0.5, n);
    for (int i = 0; i < 40; ++i) clink(t, 0.3 * i + 0.2 * n.uniform(), 0.12, 0.75 + 0.1 * n.uniform(), n);
    finish(t, 0.22, 0.85, 0.6);
}

void fanfare(Track& t, double at, double scale, Noise& n) {
    // Three pick-up notes, then the tonic chord on the horns over a drum roll.
    for (int i = 0; i < 3; ++i) brass(t, at + 0.11 * i, 0.08, 67, 0.4 * scale);
    const double hit = at + 0.33;
    for (double m : {60.0, 64.0, 67.0, 72.0}) brass(t, hit, 1.05, m, 0.3 * scale);
    bass(t, hit, 1.05, 48, 0.4 * scale);
    for (int i = 0; i < 12; ++i) tom(t, at + 0.025 * i + 0.02, 70, 0.15 + 0.02 * i, 0.06, n);
    tom(t, hit, 72, 0.8 * scale, 0.25, n);
    cymbal(t, hit, 0.22 * scale, 0.45, n);
    const double sparkle[] = {84, 88, 91, 96};
    for (int i = 0; i < 4; ++i) glock(t, hit + 0.55 + 0.07 * i, sparkle[i], 0.25 * scale, 0.3);
}

void freeSpinsFanfare(Track& t) {  // 105
    Noise n(105);
    fanfare(t, 0.0, 1.0, n);
    lowpass(t, 9000.0);
    finish(t, 0.25, 0.9, 0.4);
}

void win115(Track& t) {
    Noise n(115);
    fanfare(t, 0.0, 1.0, n);
    Grid g{0.44, 2.0};
    theme(t, g, true, n);
    const double cs = g.at(24);
    for (double m : {62.0, 66.0, 69.0, 74.0}) brass(t, cs, 1.3, m, 0.25);
    for (double m : {74.0, 78.0, 81.0, 86.0}) bell(t, cs, m + 12, 0.2, 0.5);
    bass(t, cs, 1.3, 38, 0.45);
    tom(t, cs, 80, 0.8, 0.25, n);
    cymbal(t, cs, 0.25, 0.6, n);
    // A shower of coins all through the win.
    for (int i = 0; i < 150; ++i)
        clink(t, 1.2 + 0.085 * i + 0.05 * n.uniform(), 0.08 + 0.05 * n.uniform(), 0.9 + 0.3 * n.uniform(), n);
    lowpass(t, 10000.0);
    finish(t, 0.2, 0.88, 0.6);
}

// The free-spin music: 8 bars of a plains tune on the flute over drums and a drone, made to repeat
// seamlessly.
void freeSpinMusic(Track& t) {
    const std::size_t period = t.size();
    // Two cycles are played and the second one kept, so the tails of the end ring into its start as they do
    // when the loop comes round.
    Track two(t.rate, period * 2);
    const double cycle = static_cast<double>(period) / t.rate;
    const double beat = cycle / 32.0;
    Noise n(117);
    const std::vector<Note> tune = {{69, 1},   {72, 0.5}, {74, 0.5}, {74, 1}, {72, 0.5}, {69, 0.5},  // bar 1
                                    {67, 1.5}, {69, 0.5}, {62, 2},                                   // bar 2
                                    {69, 1},   {72, 0.5}, {74, 0.5}, {77, 1}, {79, 0.5}, {77, 0.5},  // bar 3
                                    {74, 3},   {0, 1},                                               // bar 4
                                    {77, 1},   {79, 0.5}, {81, 0.5}, {81, 1}, {79, 0.5}, {77, 0.5},  // bar 5
                                    {74, 1.5}, {72, 0.5}, {69, 2},                                   // bar 6
                                    {72, 1},   {74, 0.5}, {77, 0.5}, {74, 1}, {72, 0.5}, {69, 0.5},  // bar 7
                                    {74, 3},   {0, 1}};                                              // bar 8
    const double chords[8][3] = {{50, 57, 62}, {48, 55, 60}, {50, 57, 65}, {50, 57, 62},
                                 {53, 60, 65}, {50, 57, 62}, {48, 55, 64}, {50, 57, 62}};
    for (int c = 0; c < 2; ++c) {
        const Grid g{beat, c * cycle};
        melody(g, 0, tune, [&](double s, double d, double m) { flute(two, s, d * 0.93, m, 0.42, n); });
        for (int bar = 0; bar < 8; ++bar) {
            for (double m : chords[bar]) pad(two, g.at(bar * 4), g.len(4), m, 0.06);
            bass(two, g.at(bar * 4), g.len(1.8), chords[bar][0] - 12, 0.34);
            bass(two, g.at(bar * 4 + 2), g.len(1.8), chords[bar][0] - 12, 0.26);
            // The drum: a heavy first beat, three lighter, a pick-up on the last half beat.
            for (int b = 0; b < 4; ++b)
                tom(two, g.at(bar * 4 + b), b == 0 ? 78 : 92, b == 0 ? 0.62 : 0.36, 0.13, n);
            tom(two, g.at(bar * 4 + 3.5), 110, 0.22, 0.08, n);
            for (int b = 0; b < 8; ++b) shaker(two, g.at(bar * 4 + b * 0.5), b % 2 ? 0.1 : 0.06, n);
            for (int b = 0; b < 8; ++b)
                pluck(two, g.at(bar * 4 + b * 0.5), chords[bar][b % 3] + 12, 0.1, 0.5, n);
        }
    }
    reverb(two, 0.22);
    std::copy(two.samples.begin() + static_cast<long>(period), two.samples.end(), t.samples.begin());
    // Start the loop where the signal rises through zero, so the seam falls on a zero crossing.
    std::size_t best = 0;
    float bestLevel = 1e9f;
    for (std::size_t i = 1; i < period / 200; ++i) {
        const float a = t.samples[i - 1], b = t.samples[i];
        if (a < 0.0f && b >= 0.0f && std::fabs(b) + std::fabs(a) < bestLevel) {
            bestLevel = std::fabs(b) + std::fabs(a);
            best = i;
        }
    }
    std::rotate(t.samples.begin(), t.samples.begin() + static_cast<long>(best), t.samples.end());
    normalize(t, 0.85);
}

Track compose(const RecordingFormat& f) {
    Track t(f.rate, sampleCount(f));
    switch (f.number) {
        case 101:
            winTwoNotes(t);
            break;
        case 102:
            winThreeNotes(t);
            break;
        case 103:
            winArpeggio(t, 74, false);
            break;
        case 104:
            winArpeggio(t, 79, true);
            break;
        case 105:
            freeSpinsFanfare(t);
            break;
        case 106:
            win106(t);
            break;
        case 107:
            win107(t);
            break;
        case 108:
            win108(t);
            break;
        case 109:
            win109(t);
            break;
        case 110:
            win110(t);
            break;
        case 111:
            win111(t);
            break;
        case 112:
            win112(t);
            break;
        case 113:
            win113(t);
            break;
        case 114:
            win114(t);
            break;
        case 115:
            win115(t);
            break;
        case 116:
            reelStopSound(t);
            break;
        case 117:
            freeSpinMusic(t);
            break;
        case 119:
            scatterChime(t, 76);
            break;
        case 120:
            scatterChime(t, 79);
            break;
        case 121:
            scatterChime(t, 81);
            break;
        case 122:
            scatterChime(t, 83);
            break;
        case 123:
            scatterChime(t, 86);
            break;
        case 124:
            clickSound(t);
            break;
        case 125:
            buzzSound(t);
            break;
        case 126:
            coinSound(t);
            break;
        default:
            break;
    }
    return t;
}

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

uint32_t get16(const std::vector<uint8_t>& in, std::size_t at) { return in[at] | (in[at + 1] << 8); }
uint32_t get32(const std::vector<uint8_t>& in, std::size_t at) {
    return get16(in, at) | (get16(in, at + 2) << 16);
}
bool tagAt(const std::vector<uint8_t>& in, std::size_t at, const char* tag) {
    return at + 4 <= in.size() && std::equal(tag, tag + 4, in.begin() + static_cast<long>(at));
}

}  // namespace

const RecordingFormat* findRecording(int number) {
    for (const auto& r : kRecordings)
        if (r.number == number) return &r;
    return nullptr;
}

std::size_t sampleCount(const RecordingFormat& format) {
    return static_cast<std::size_t>(std::lround(format.seconds * format.rate));
}

std::vector<uint8_t> synthesizeRecording(int number) {
    const RecordingFormat* f = findRecording(number);
    if (!f) return {};
    const std::vector<uint8_t> data = quantize(compose(*f), f->bits);
    const auto dataBytes = static_cast<uint32_t>(data.size());
    const uint32_t pad = dataBytes % 2;  // chunks are word aligned
    std::vector<uint8_t> out;
    out.reserve(44 + data.size() + pad);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes + pad);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, static_cast<uint32_t>(f->rate));
    put32(out, static_cast<uint32_t>(f->rate * f->bits / 8));
    put16(out, static_cast<uint32_t>(f->bits / 8));
    put16(out, static_cast<uint32_t>(f->bits));
    putTag(out, "data");
    put32(out, dataBytes);
    out.insert(out.end(), data.begin(), data.end());
    if (pad) out.push_back(f->bits == 8 ? 128 : 0);
    return out;
}

WaveInfo readWaveInfo(const std::vector<uint8_t>& file) {
    WaveInfo info;
    if (file.size() < 12 || !tagAt(file, 0, "RIFF") || !tagAt(file, 8, "WAVE")) return info;
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= file.size()) {
        const std::size_t size = get32(file, at + 4);
        const std::size_t body = at + 8;
        if (tagAt(file, at, "fmt ") && size >= 16 && body + 16 <= file.size()) {
            info.format = static_cast<int>(get16(file, body));
            info.channels = static_cast<int>(get16(file, body + 2));
            info.rate = static_cast<int>(get32(file, body + 4));
            info.bits = static_cast<int>(get16(file, body + 14));
            haveFormat = true;
        } else if (tagAt(file, at, "data")) {
            info.dataOffset = body;
            info.dataBytes = std::min(size, file.size() - body);
            info.valid = haveFormat;
            return info;
        }
        at = body + size + (size % 2);
    }
    return info;
}

std::vector<float> waveSamples(const std::vector<uint8_t>& file) {
    const WaveInfo info = readWaveInfo(file);
    std::vector<float> out;
    if (!info.valid || info.format != 1 || info.channels != 1) return out;
    if (info.bits == 8) {
        for (std::size_t i = 0; i < info.dataBytes; ++i)
            out.push_back((file[info.dataOffset + i] - 128) / 128.0f);
    } else if (info.bits == 16) {
        for (std::size_t i = 0; i + 1 < info.dataBytes; i += 2) {
            const auto v = static_cast<int16_t>(get16(file, info.dataOffset + i));
            out.push_back(v / 32768.0f);
        }
    }
    return out;
}

}  // namespace zem::assets
