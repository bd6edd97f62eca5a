// SPDX-License-Identifier: GPL-3.0-or-later
// Exact figures of the machine. The state that carries from one spin to the next is which reels a Wild holds
// and at which stop (reel 2 at stop 1 or 2, reels 3 and 4 at stop 9, 10 or 11: 48 states). One pass over all
// outcomes counts, for every held state an outcome can occur in, the outcome's win, its Scatter award, the
// multiplier's Wild test and the held state it leads to. From those counts:
// - a spin's moves between held states, with the first and second moment of its win, form a matrix "step";
// - a free-spin series is a walk on the count of spins still to play that goes down by one per spin and up by
//   an award on a retrigger, so the passage from one count to the one below is the same matrix at every count
//   and solves P = S0 + sum over awards of S(award) * P^award by iteration;
// - a paid spin is its step followed, after a trigger, by award-many passages; its matrix over the held
// states
//   is a Markov chain whose stationary distribution gives the long-run figures.
// Moments are carried through products in the ring of (probability, win, win squared, free spins).
#include "machine_math.h"

#include "free_spins.h"
#include "line_evaluation.h"
#include "reels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>

#ifdef __linux__
#include <pthread.h>
#endif

// On x86-64 the heavy loops get a second build for processors with wider vectors and a bit-count
// instruction, picked when the program runs. Neither adds a fused multiply-add, so every figure is the same.
// The enumeration picks its build itself: a stop is thrown through it (at once, from the outcome at hand),
// and calls through the loader's choice of clone are taken as never throwing.
#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define ZEM_WIDE_CLONES __attribute__((target_clones("avx", "default")))
#define ZEM_BIT_COUNT_BUILD 1
#endif
#endif
#ifndef ZEM_WIDE_CLONES
#define ZEM_WIDE_CLONES
#endif

namespace zem::core {

namespace {

constexpr int kHeldReels[] = {2, 3, 4};

// Thrown out of a computation whose stop flag was raised; caught where the computation was asked for.
struct Stopped {};

void stopIfAsked(const std::atomic<bool>* stop) {
    if (stop != nullptr && stop->load(std::memory_order_relaxed)) throw Stopped{};
}

// The held-reel states: one digit per reel 2..4, 0 for a free reel, k for a hold at its k-th Wild stop.
struct HeldStates {
    int radix[kReels + 1] = {};
    int weight[kReels + 1] = {};
    int8_t digit[kReels + 1][kStops + 1] = {};  // which Wild stop a stop is (0: no Wild in view)
    int count = 1;

    HeldStates() {
        for (int reel : kHeldReels) {
            int wilds = 0;
            for (int stop = 1; stop <= kStops; ++stop) {
                bool wild = false;
                for (int row = 1; row <= kRows; ++row) wild = wild || symbolAt(reel, stop, row) == Wild;
                if (wild) digit[reel][stop] = static_cast<int8_t>(++wilds);
            }
            radix[reel] = wilds + 1;
            weight[reel] = count;
            count *= radix[reel];
        }
    }
    int heldReels(int state) const {
        int held = 0;
        for (int reel : kHeldReels) held += (state / weight[reel]) % radix[reel] != 0 ? 1 : 0;
        return held;
    }
};

const HeldStates& heldStates() {
    static const HeldStates states;
    return states;
}

// The awards a Scatter count can give (10, 15, 20), class 0 for none.
struct Awards {
    int16_t spins[4] = {0, 0, 0, 0};
    int8_t classOf[kReels + 1] = {};
    int count = 1;
    Awards() {
        for (int scatters = 0; scatters <= kReels; ++scatters) {
            const int16_t announced = freeSpinAward(scatters).announced;
            if (announced == 0) continue;
            int k = 1;
            while (k < count && spins[k] != announced) ++k;
            if (k == count) spins[count++] = announced;
            classOf[scatters] = static_cast<int8_t>(k);
        }
    }
};

// Counts of the outcomes that can occur in one held state and lead to another, by award and Wild test.
struct Cell {
    int64_t losing = 0;   // outcomes that win nothing
    int64_t winning = 0;  // outcomes that win
    int64_t sum = 0;      // their wins, coins at 1 coin per line
    double squares = 0;   // their wins squared
};

struct Tally {
    int states = 0, awards = 0;
    std::vector<Cell> cells;  // [from][to][award][wild test]
    BaseFigures base;
    Cell& at(int from, int to, int award, bool wild) {
        return cells[((static_cast<size_t>(from) * states + to) * awards + award) * 2 + (wild ? 1 : 0)];
    }
    const Cell& at(int from, int to, int award, bool wild) const {
        return cells[((static_cast<size_t>(from) * states + to) * awards + award) * 2 + (wild ? 1 : 0)];
    }
};

Tally tallyOutcomes(int16_t lines, const std::atomic<bool>* stop) {
    const HeldStates& held = heldStates();
    const Awards awards;
    Tally t;
    t.states = held.count;
    t.awards = awards.count;
    t.cells.resize(static_cast<size_t>(t.states) * t.states * t.awards * 2);
    const LineEvaluator evaluator(lines, 1);
    std::vector<int64_t> wins;
    double baseSum = 0, baseSquares = 0;
    int64_t hits = 0;
    evaluator.forEachOutcome([&](const LineEvaluator::Stops& stops, const OutcomeFigures& f) {
        stopIfAsked(stop);
        // The digits of the reels that show a Wild: this outcome occurs in every state that holds a subset of
        // them at these stops, and leads to the state that holds the rest.
        int full = 0;
        int shown[3], shownCount = 0;
        for (int reel : kHeldReels) {
            const int d = held.digit[reel][stops[reel - 1]];
            if (d != 0) {
                full += d * held.weight[reel];
                shown[shownCount++] = d * held.weight[reel];
            }
        }
        const int award = awards.classOf[f.scatters];
        const auto win = static_cast<int64_t>(f.win);
        for (int subset = 0; subset < (1 << shownCount); ++subset) {
            int from = 0;
            for (int k = 0; k < shownCount; ++k)
                if (subset & (1 << k)) from += shown[k];
            Cell& c = t.at(from, full - from, award, f.wildInRun);
            if (win == 0) {
                ++c.losing;
            } else {
                ++c.winning;
                c.sum += win;
                c.squares += static_cast<double>(win) * static_cast<double>(win);
            }
        }
        if (static_cast<size_t>(win) >= wins.size()) wins.resize(static_cast<size_t>(win) + 1);
        ++wins[static_cast<size_t>(win)];
        baseSum += static_cast<double>(win);
        baseSquares += static_cast<double>(win) * static_cast<double>(win);
        hits += win > 0 ? 1 : 0;
        ++t.base.scatterCounts[f.scatters];
    });
    BaseFigures& b = t.base;
    for (int64_t n : b.scatterCounts) b.outcomes += n;
    const double n = static_cast<double>(b.outcomes);
    const double bet = static_cast<double>(lines);
    b.rtp = baseSum / n / bet;
    b.hitFrequency = static_cast<double>(hits) / n;
    const double mean = baseSum / n;
    b.sd = std::sqrt(std::max(0.0, baseSquares / n - mean * mean)) / bet;
    for (size_t win = 0; win < wins.size(); ++win)
        if (wins[win] != 0) b.wins.emplace_back(static_cast<int32_t>(win), wins[win]);
    return t;
}

// The enumeration in one piece (the evaluator's loops and the tally inlined), built for the processor.
#ifdef ZEM_BIT_COUNT_BUILD
__attribute__((flatten, target("popcnt"))) Tally tallyWithBitCount(int16_t lines,
                                                                   const std::atomic<bool>* stop) {
    return tallyOutcomes(lines, stop);
}
#endif

__attribute__((flatten)) Tally enumerate(int16_t lines, const std::atomic<bool>* stop) {
#ifdef ZEM_BIT_COUNT_BUILD
    if (__builtin_cpu_supports("popcnt")) return tallyWithBitCount(lines, stop);
#endif
    return tallyOutcomes(lines, stop);
}

// --- matrices over the held states, and the ring of moments ---

struct Matrix {
    int n = 0;
    std::vector<double> v;
    explicit Matrix(int size = 0) : n(size), v(static_cast<size_t>(size) * size, 0.0) {}
    double& operator()(int i, int j) { return v[static_cast<size_t>(i) * n + j]; }
    double operator()(int i, int j) const { return v[static_cast<size_t>(i) * n + j]; }
};

// out += a * b * factor. The rows are added four elements at a time so that the compiler can use the
// processor's vector instructions; every element still gets the same additions in the same order.
ZEM_WIDE_CLONES void multiplyAdd(const Matrix& a, const Matrix& b, double factor, Matrix& out) {
    const int n = a.n;
    const int whole = n - n % 4;
    for (int i = 0; i < n; ++i) {
        double* __restrict row = &out.v[static_cast<size_t>(i) * n];
        for (int k = 0; k < n; ++k) {
            const double x = a(i, k) * factor;
            if (x == 0.0) continue;
            const double* __restrict brow = &b.v[static_cast<size_t>(k) * n];
            int j = 0;
            for (; j < whole; j += 4) {
                const double r0 = row[j] + x * brow[j], r1 = row[j + 1] + x * brow[j + 1];
                const double r2 = row[j + 2] + x * brow[j + 2], r3 = row[j + 3] + x * brow[j + 3];
                row[j] = r0;
                row[j + 1] = r1;
                row[j + 2] = r2;
                row[j + 3] = r3;
            }
            for (; j < n; ++j) row[j] += x * brow[j];
        }
    }
}

void addTo(Matrix& out, const Matrix& a) {
    for (size_t i = 0; i < out.v.size(); ++i) out.v[i] += a.v[i];
}

// Moves between held states with what they win: probability, win, win squared (expected values restricted
// to each move) and free spins played.
struct Moments {
    Matrix p, win, square, spins;
    explicit Moments(int n = 0) : p(n), win(n), square(n), spins(n) {}
};

Moments identity(int n) {
    Moments m(n);
    for (int i = 0; i < n; ++i) m.p(i, i) = 1.0;
    return m;
}

// One walk after the other: wins add up, so (x + y)^2 = x^2 + 2xy + y^2.
Moments then(const Moments& a, const Moments& b) {
    const int n = a.p.n;
    Moments c(n);
    multiplyAdd(a.p, b.p, 1.0, c.p);
    multiplyAdd(a.win, b.p, 1.0, c.win);
    multiplyAdd(a.p, b.win, 1.0, c.win);
    multiplyAdd(a.square, b.p, 1.0, c.square);
    multiplyAdd(a.win, b.win, 2.0, c.square);
    multiplyAdd(a.p, b.square, 1.0, c.square);
    multiplyAdd(a.spins, b.p, 1.0, c.spins);
    multiplyAdd(a.p, b.spins, 1.0, c.spins);
    return c;
}

void add(Moments& out, const Moments& a) {
    addTo(out.p, a.p);
    addTo(out.win, a.win);
    addTo(out.square, a.square);
    addTo(out.spins, a.spins);
}

double maxDifference(const Matrix& a, const Matrix& b) {
    double d = 0;
    for (size_t i = 0; i < a.v.size(); ++i) d = std::max(d, std::abs(a.v[i] - b.v[i]));
    return d;
}

// The mean and mean square of the free-spin multiplier when a Wild takes part.
std::pair<double, double> multiplierMoments() {
    double mean = 0, square = 0;
    for (int r = 1; r <= 25; ++r) {
        const double m = multiplierForDraw(r).value;
        mean += m / 25.0;
        square += m * m / 25.0;
    }
    return {mean, square};
}

// One spin, paid or free, at standing chance `stands`, split by award class.
std::vector<Moments> steps(const Tally& t, double stands, bool free) {
    const int n = t.states;
    const auto [mMean, mSquare] = multiplierMoments();
    const HeldStates& held = heldStates();
    std::vector<Moments> byAward(static_cast<size_t>(t.awards), Moments(n));
    for (int from = 0; from < n; ++from) {
        int64_t losing = 0, winning = 0;
        for (int to = 0; to < n; ++to)
            for (int a = 0; a < t.awards; ++a)
                for (bool wild : {false, true}) {
                    losing += t.at(from, to, a, wild).losing;
                    winning += t.at(from, to, a, wild).winning;
                }
        if (losing + winning == 0) continue;
        // With a reel held every outcome stands; otherwise a win stands with chance `stands` and is re-spun
        // from nothing held until one stands, so losing outcomes weigh 1 and winning ones `stands`.
        const double winStands = held.heldReels(from) > 0 ? 1.0 : stands;
        const double total = static_cast<double>(losing) + winStands * static_cast<double>(winning);
        const double wLose = 1.0 / total, wWin = winStands / total;
        for (int to = 0; to < n; ++to)
            for (int a = 0; a < t.awards; ++a)
                for (bool wild : {false, true}) {
                    const Cell& c = t.at(from, to, a, wild);
                    if (c.losing == 0 && c.winning == 0) continue;
                    Moments& m = byAward[static_cast<size_t>(a)];
                    const double p =
                        static_cast<double>(c.losing) * wLose + static_cast<double>(c.winning) * wWin;
                    const double k1 = free && wild ? mMean : 1.0, k2 = free && wild ? mSquare : 1.0;
                    m.p(from, to) += p;
                    m.win(from, to) += static_cast<double>(c.sum) * wWin * k1;
                    m.square(from, to) += c.squares * wWin * k2;
                    if (free) m.spins(from, to) += p;
                }
    }
    return byAward;
}

// P^k by squaring, from the powers 1, 2, 4, 8, ... kept in `squares`.
Moments power(const std::vector<Moments>& squares, int k) {
    Moments result = identity(squares.front().p.n);
    bool first = true;
    for (size_t bit = 0; bit < squares.size() && (k >> bit) != 0; ++bit) {
        if (((k >> bit) & 1) == 0) continue;
        result = first ? squares[bit] : then(result, squares[bit]);
        first = false;
    }
    return result;
}

std::vector<Moments> squaresOf(const Moments& p, int largest) {
    std::vector<Moments> squares{p};
    while ((1 << squares.size()) <= largest) squares.push_back(then(squares.back(), squares.back()));
    return squares;
}

// Solves a * x = b by Gaussian elimination with partial pivoting.
std::vector<double> solve(Matrix a, std::vector<double> b) {
    const int n = a.n;
    for (int col = 0; col < n; ++col) {
        int pivot = col;
        for (int r = col + 1; r < n; ++r)
            if (std::abs(a(r, col)) > std::abs(a(pivot, col))) pivot = r;
        if (pivot != col) {
            for (int j = 0; j < n; ++j) std::swap(a(col, j), a(pivot, j));
            std::swap(b[static_cast<size_t>(col)], b[static_cast<size_t>(pivot)]);
        }
        const double d = a(col, col);
        if (d == 0.0) continue;
        for (int r = col + 1; r < n; ++r) {
            const double f = a(r, col) / d;
            if (f == 0.0) continue;
            for (int j = col; j < n; ++j) a(r, j) -= f * a(col, j);
            b[static_cast<size_t>(r)] -= f * b[static_cast<size_t>(col)];
        }
    }
    std::vector<double> x(static_cast<size_t>(n), 0.0);
    for (int r = n - 1; r >= 0; --r) {
        double s = b[static_cast<size_t>(r)];
        for (int j = r + 1; j < n; ++j) s -= a(r, j) * x[static_cast<size_t>(j)];
        x[static_cast<size_t>(r)] = a(r, r) != 0.0 ? s / a(r, r) : 0.0;
    }
    return x;
}

std::vector<double> rowSums(const Matrix& m) {
    std::vector<double> s(static_cast<size_t>(m.n), 0.0);
    for (int i = 0; i < m.n; ++i)
        for (int j = 0; j < m.n; ++j) s[static_cast<size_t>(i)] += m(i, j);
    return s;
}

SettingFigures longRun(const Tally& t, int16_t lines, int16_t payout, const std::atomic<bool>* stop) {
    const int n = t.states;
    const Awards awards;
    const double stands = standingChance(payout);
    const std::vector<Moments> paid = steps(t, stands, false);
    const std::vector<Moments> free = steps(t, stands, true);
    int largest = 0;
    for (int a = 1; a < t.awards; ++a) largest = std::max<int>(largest, awards.spins[a]);

    // The passage from one count of spins to play down to the next, by iteration from "no retrigger".
    Moments passage = free[0];
    std::vector<Moments> series(static_cast<size_t>(t.awards), Moments(n));
    for (int round = 0; round < 500; ++round) {
        stopIfAsked(stop);
        const std::vector<Moments> squares = squaresOf(passage, largest);
        Moments next = free[0];
        for (int a = 1; a < t.awards; ++a) {
            series[static_cast<size_t>(a)] = power(squares, awards.spins[a]);
            add(next, then(free[static_cast<size_t>(a)], series[static_cast<size_t>(a)]));
        }
        const double change =
            std::max(maxDifference(next.p, passage.p), maxDifference(next.win, passage.win));
        passage = std::move(next);
        if (change < 1e-15) break;
    }
    {
        const std::vector<Moments> squares = squaresOf(passage, largest);
        for (int a = 1; a < t.awards; ++a) series[static_cast<size_t>(a)] = power(squares, awards.spins[a]);
    }

    // A paid spin and the series it may start.
    Moments spin = paid[0];
    for (int a = 1; a < t.awards; ++a)
        add(spin, then(paid[static_cast<size_t>(a)], series[static_cast<size_t>(a)]));

    // Stationary distribution: pi (I - P) = 0, sum pi = 1 (the last equation replaced by the sum).
    Matrix a(n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) a(i, j) = (i == j ? 1.0 : 0.0) - spin.p(j, i);
    std::vector<double> b(static_cast<size_t>(n), 0.0);
    for (int j = 0; j < n; ++j) a(n - 1, j) = 1.0;
    b[static_cast<size_t>(n - 1)] = 1.0;
    const std::vector<double> pi = solve(a, b);

    const std::vector<double> mean = rowSums(spin.win), square = rowSums(spin.square),
                              spins = rowSums(spin.spins);
    double mu = 0, second = 0, freeSpins = 0;
    for (int i = 0; i < n; ++i) {
        mu += pi[static_cast<size_t>(i)] * mean[static_cast<size_t>(i)];
        second += pi[static_cast<size_t>(i)] * square[static_cast<size_t>(i)];
        freeSpins += pi[static_cast<size_t>(i)] * spins[static_cast<size_t>(i)];
    }
    // Neighbouring spins share a held state: the long-run variance adds 2 * pi J z, where J holds the mean
    // win of each move and z solves (I - P + 1 pi) z = r - mu.
    Matrix fundamental(n);
    std::vector<double> centred(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            fundamental(i, j) = (i == j ? 1.0 : 0.0) - spin.p(i, j) + pi[static_cast<size_t>(j)];
        centred[static_cast<size_t>(i)] = mean[static_cast<size_t>(i)] - mu;
    }
    const std::vector<double> z = solve(fundamental, centred);
    double cross = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            cross += pi[static_cast<size_t>(i)] * spin.win(i, j) * z[static_cast<size_t>(j)];

    // What the standing paid outcome is, from each state.
    double hit = 0, trigger = 0, seriesWin = 0;
    for (int from = 0; from < n; ++from) {
        int64_t losing = 0, winning = 0;
        for (int to = 0; to < n; ++to)
            for (int k = 0; k < t.awards; ++k)
                for (bool wild : {false, true}) {
                    losing += t.at(from, to, k, wild).losing;
                    winning += t.at(from, to, k, wild).winning;
                }
        const double winStands = heldStates().heldReels(from) > 0 ? 1.0 : stands;
        const double total = static_cast<double>(losing) + winStands * static_cast<double>(winning);
        hit += pi[static_cast<size_t>(from)] * winStands * static_cast<double>(winning) / total;
        for (int k = 1; k < t.awards; ++k) {
            const std::vector<double> seriesMean = rowSums(series[static_cast<size_t>(k)].win);
            for (int to = 0; to < n; ++to) {
                const double p = paid[static_cast<size_t>(k)].p(from, to);
                trigger += pi[static_cast<size_t>(from)] * p;
                seriesWin += pi[static_cast<size_t>(from)] * p * seriesMean[static_cast<size_t>(to)];
            }
        }
    }

    int64_t losing0 = 0, winning0 = 0;
    for (int to = 0; to < n; ++to)
        for (int k = 0; k < t.awards; ++k)
            for (bool wild : {false, true}) {
                losing0 += t.at(0, to, k, wild).losing;
                winning0 += t.at(0, to, k, wild).winning;
            }
    const double voided =
        (1.0 - stands) * static_cast<double>(winning0) / static_cast<double>(losing0 + winning0);

    const double bet = static_cast<double>(lines);
    SettingFigures f;
    f.payout = payout;
    f.rtp = mu / bet;
    f.hitFrequency = hit;
    f.freeSeriesPerSpin = trigger;
    f.freeSpinsPerSpin = freeSpins;
    f.meanSeriesWin = trigger > 0 ? seriesWin / trigger / bet : 0.0;
    const double variance = second - mu * mu;
    f.sd = std::sqrt(std::max(0.0, variance)) / bet;
    f.sdLongRun = std::sqrt(std::max(0.0, variance + 2.0 * cross)) / bet;
    f.heldShare = 1.0 - pi[0];
    f.voidsPerSpin = pi[0] * voided / (1.0 - voided);
    return f;
}

MachineFigures figures(int16_t lines, int16_t coins, const std::vector<int16_t>& payouts,
                       const std::atomic<bool>* stop) {
    MachineFigures figures;
    figures.lines = lines;
    figures.coins = coins;
    const Tally tally = enumerate(lines, stop);
    figures.base = tally.base;
    // Every win scales with the coins per line; the returns do not depend on them.
    for (auto& [win, outcomes] : figures.base.wins) win *= coins;
    for (int16_t payout : payouts) figures.settings.push_back(longRun(tally, lines, payout, stop));
    return figures;
}

// The returns known so far, by number of lines and payout setting, and which numbers of lines a thread is
// computing now.
struct KnownReturns {
    struct Lines {
        bool computing = false;
        std::map<int16_t, double> rtp;
    };
    std::mutex mutex;
    std::condition_variable settled;
    std::map<int16_t, Lines> byLines;
};

// Never destroyed, so that no thread still at work can outlive it.
KnownReturns& knownReturns() {
    static KnownReturns* known = new KnownReturns;
    return *known;
}

// The return at `payout` and `lines`: known already, or computed here with the other settings of those lines.
// One computing elsewhere is waited for when `wait`, and passed over (no figure) otherwise. No figure either
// when `stop` is raised before the computation ends.
std::optional<double> settleReturn(int16_t payout, int16_t lines, bool wait, const std::atomic<bool>* stop) {
    KnownReturns& known = knownReturns();
    std::unique_lock<std::mutex> lock(known.mutex);
    for (;;) {
        const KnownReturns::Lines& entry = known.byLines[lines];
        if (const auto it = entry.rtp.find(payout); it != entry.rtp.end()) return it->second;
        if (!entry.computing) break;
        if (!wait) return std::nullopt;
        known.settled.wait(lock);
    }
    known.byLines[lines].computing = true;
    lock.unlock();

    std::vector<int16_t> payouts(std::begin(kPayoutSettings), std::end(kPayoutSettings));
    if (std::find(payouts.begin(), payouts.end(), payout) == payouts.end()) payouts.push_back(payout);
    std::vector<SettingFigures> settings;
    // Whatever ends the computation, the lines are free again for the next caller, and waiters hear of it.
    const auto release = [&] {
        lock.lock();
        KnownReturns::Lines& entry = known.byLines[lines];
        entry.computing = false;
        for (const SettingFigures& s : settings) entry.rtp[s.payout] = s.rtp;
        known.settled.notify_all();
    };
    try {
        settings = figures(lines, 1, payouts, stop).settings;
    } catch (const Stopped&) {
        release();
        return std::nullopt;
    } catch (...) {
        release();
        throw;
    }
    release();
    return known.byLines[lines].rtp[payout];
}

}  // namespace

double standingChance(int16_t payout) {
    if (payout < 1) return 1.0;
    int standing = 0;
    for (int draw : {1, 3})
        if (draw <= payout) ++standing;
    return static_cast<double>(standing) / payout;
}

MachineFigures machineFigures(int16_t lines, int16_t coins, const std::vector<int16_t>& payouts) {
    return figures(lines, coins, payouts, nullptr);
}

double returnToPlayer(int16_t payout, int16_t lines) { return *settleReturn(payout, lines, true, nullptr); }

ReturnsWarmUp::ReturnsWarmUp(std::vector<int16_t> lines)
    : thread_([this, lines = std::move(lines)] {
#ifdef __linux__
          // Named, so that it can be told from the game's other threads.
          pthread_setname_np(pthread_self(), "zem-returns");
#endif
          for (int16_t n : lines) {
              if (stop_.load()) return;
              settleReturn(kPayoutSettings[0], n, false, &stop_);
          }
      }) {
}

ReturnsWarmUp::~ReturnsWarmUp() {
    stop_.store(true);
    finish();
}

void ReturnsWarmUp::finish() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace zem::core
