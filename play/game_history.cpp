// SPDX-License-Identifier: GPL-3.0-or-later
// The recorded games: building them from play, their text form in the store, reading them back.
//
// A stored game is one line of blank-separated fields "tag:value", lists within a field joined by '/' and
// the numbers of one item by '.':
//   n:12 t:1765365754 l:25 c:1 s:5.12.3.7.19 w:<15 symbols> p:3.5.3.40/7.2.4.100 x:2.25 a:10
//   f:<5 stops>.<win>.<multiplier>/... g:R1.1.80/... b:1000 e:1040 v:40
// Nothing in it needs escaping in the store's file.
#include "game_history.h"

#include "core/checked.h"
#include "core/free_spins.h"
#include "core/paylines.h"
#include "core/symbols.h"
#include "player_record.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <limits>
#include <map>
#include <string_view>

namespace zem::play {

namespace {

constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int64_t kMaxTime = int64_t{253402300799};  // 9999-12-31T23:59:59Z

bool oneOf(int64_t value, std::initializer_list<int64_t> allowed) {
    for (int64_t a : allowed) {
        if (a == value) return true;
    }
    return false;
}

bool validLines(int64_t v) { return oneOf(v, {1, 5, 10, 15, 25}); }
bool validCoins(int64_t v) { return oneOf(v, {1, 2, 3, 5, 10, 20}); }
bool validMultiplier(int64_t v) { return oneOf(v, {1, 2, 3, 5, 10}); }
bool validBet(char c) { return c == 'R' || c == 'B' || c == 'H' || c == 'C' || c == 'D' || c == 'S'; }

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// Digits only, within [min, max].
std::optional<int64_t> number(std::string_view text, int64_t min, int64_t max) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < min || value > max) return std::nullopt;
    return value;
}

// `count` numbers joined by '.', each within [min, max].
template <size_t N>
bool numbers(std::string_view text, std::array<int64_t, N>& out, int64_t min, int64_t max) {
    const auto parts = split(text, '.');
    if (parts.size() != N) return false;
    for (size_t i = 0; i < N; ++i) {
        const auto v = number(parts[i], min, max);
        if (!v) return false;
        out[i] = *v;
    }
    return true;
}

template <class T>
std::string joined(const T& values, char separator) {
    std::string text;
    for (const auto& v : values) {
        if (!text.empty()) text += separator;
        text += std::to_string(v);
    }
    return text;
}

// The items of a list field: empty when the field is.
std::vector<std::string_view> items(std::string_view text) {
    if (text.empty()) return {};
    return split(text, '/');
}

bool parseLineWins(std::string_view text, GameRecord& g) {
    for (std::string_view item : items(text)) {
        std::array<int64_t, 4> v{};
        if (!numbers(item, v, 0, kMax32)) return false;
        if (v[0] < 1 || v[0] > g.lines || !core::isPaying(static_cast<int>(v[1])) || v[2] < 2 || v[2] > 5)
            return false;
        if (!g.lineWins.empty() && g.lineWins.back().line >= v[0]) return false;  // ascending, once each
        g.lineWins.push_back({static_cast<int16_t>(v[0]), static_cast<int16_t>(v[1]), static_cast<int16_t>(v[2]),
                              static_cast<int32_t>(v[3])});
    }
    return true;
}

bool parseFreeSpins(std::string_view text, GameRecord& g) {
    const auto list = items(text);
    if (list.size() > kHistoryFreeSpins) return false;
    for (std::string_view item : list) {
        std::array<int64_t, 7> v{};
        if (!numbers(item, v, 0, kMax32)) return false;
        FreeSpinRecord spin;
        for (int reel = 0; reel < core::kReels; ++reel) {
            if (v[reel] < 1 || v[reel] > core::kStops) return false;
            spin.stops[reel] = static_cast<int16_t>(v[reel]);
        }
        if (!validMultiplier(v[6])) return false;
        spin.win = static_cast<int32_t>(v[5]);
        spin.multiplier = static_cast<int16_t>(v[6]);
        g.freeSpins.push_back(spin);
    }
    return true;
}

bool parseCards(std::string_view text, GameRecord& g) {
    const auto list = items(text);
    if (list.size() > kHistoryCards) return false;
    for (size_t i = 0; i < list.size(); ++i) {
        std::string_view item = list[i];
        if (item.empty() || !validBet(item[0])) return false;
        std::array<int64_t, 3> v{};
        if (!numbers(item.substr(1), v, 0, kMax32)) return false;
        if (v[0] < 1 || v[0] > 4 || v[1] > 1) return false;
        // Only the last card can be a lost one, and a lost card leaves nothing held.
        if ((v[1] == 0 && (i + 1 != list.size() || v[2] != 0))) return false;
        g.cards.push_back({item[0], static_cast<int16_t>(v[0]), v[1] == 1, static_cast<int32_t>(v[2])});
    }
    return true;
}

}  // namespace

const char* betName(char bet) {
    switch (bet) {
        case 'R':
            return "red";
        case 'B':
            return "black";
        case 'H':
            return "hearts";
        case 'C':
            return "clubs";
        case 'D':
            return "diamonds";
        case 'S':
            return "spades";
        default:
            return "?";
    }
}

const char* suitName(int card) {
    static constexpr const char* kSuits[5] = {"?", "hearts", "clubs", "diamonds", "spades"};
    return card >= 1 && card <= 4 ? kSuits[card] : kSuits[0];
}

std::string formatGame(const GameRecord& g) {
    std::string t;
    t += "n:" + std::to_string(g.number);
    t += " t:" + std::to_string(g.time);
    t += " l:" + std::to_string(g.lines);
    t += " c:" + std::to_string(g.coins);
    t += " s:" + joined(g.stops, '.');
    t += " w:" + joined(g.window, '.');
    t += " p:";
    for (size_t i = 0; i < g.lineWins.size(); ++i) {
        const LineWinRecord& w = g.lineWins[i];
        if (i > 0) t += '/';
        t += std::to_string(w.line) + '.' + std::to_string(w.symbol) + '.' + std::to_string(w.run) + '.' +
             std::to_string(w.pay);
    }
    t += " x:" + std::to_string(g.scatters) + '.' + std::to_string(g.scatterPay);
    t += " a:" + std::to_string(g.freeSpinsAwarded);
    t += " f:";
    for (size_t i = 0; i < g.freeSpins.size(); ++i) {
        const FreeSpinRecord& f = g.freeSpins[i];
        if (i > 0) t += '/';
        t += joined(f.stops, '.') + '.' + std::to_string(f.win) + '.' + std::to_string(f.multiplier);
    }
    t += " g:";
    for (size_t i = 0; i < g.cards.size(); ++i) {
        const CardRecord& c = g.cards[i];
        if (i > 0) t += '/';
        t += c.bet + std::to_string(c.card) + '.' + (c.right ? '1' : '0') + '.' + std::to_string(c.amount);
    }
    t += " b:" + std::to_string(g.creditBefore);
    t += " e:" + std::to_string(g.creditAfter);
    t += " v:" + std::to_string(g.win);
    return t;
}

std::optional<GameRecord> parseGame(const std::string& text) {
    if (text.size() > 64 * 1024) return std::nullopt;
    std::map<char, std::string_view> fields;
    for (std::string_view field : split(text, ' ')) {
        if (field.size() < 2 || field[1] != ':') return std::nullopt;
        if (!fields.emplace(field[0], field.substr(2)).second) return std::nullopt;
    }
    for (const auto& [tag, value] : fields) {
        if (std::string_view("ntlcswpxafgbev").find(tag) == std::string_view::npos) return std::nullopt;
    }
    auto field = [&](char tag) -> std::optional<std::string_view> {
        const auto it = fields.find(tag);
        if (it == fields.end()) return std::nullopt;
        return it->second;
    };
    for (char tag : std::string_view("ntlcswbev")) {
        if (!field(tag)) return std::nullopt;
    }

    GameRecord g;
    const auto n = number(*field('n'), 1, std::numeric_limits<int64_t>::max() / 2);
    const auto t = number(*field('t'), 0, kMaxTime);
    const auto l = number(*field('l'), 1, 25);
    const auto c = number(*field('c'), 1, 20);
    const auto b = number(*field('b'), 0, kMax32);
    const auto e = number(*field('e'), 0, kMax32);
    const auto v = number(*field('v'), 0, kMax32);
    if (!n || !t || !l || !c || !b || !e || !v || !validLines(*l) || !validCoins(*c)) return std::nullopt;
    g.number = *n;
    g.time = *t;
    g.lines = static_cast<int16_t>(*l);
    g.coins = static_cast<int16_t>(*c);
    g.bet = g.lines * g.coins;
    g.creditBefore = static_cast<int32_t>(*b);
    g.creditAfter = static_cast<int32_t>(*e);
    g.win = static_cast<int32_t>(*v);

    std::array<int64_t, core::kReels> stops{};
    if (!numbers(*field('s'), stops, 1, core::kStops)) return std::nullopt;
    for (int reel = 0; reel < core::kReels; ++reel) g.stops[reel] = static_cast<int16_t>(stops[reel]);
    std::array<int64_t, core::kVisibleCells> window{};
    if (!numbers(*field('w'), window, 1, core::kSymbolCount)) return std::nullopt;
    for (int cell = 0; cell < core::kVisibleCells; ++cell) g.window[cell] = static_cast<int16_t>(window[cell]);

    if (!parseLineWins(field('p').value_or(""), g)) return std::nullopt;
    if (const auto x = field('x')) {
        std::array<int64_t, 2> scatter{};
        if (!numbers(*x, scatter, 0, kMax32) || scatter[0] > core::kVisibleCells) return std::nullopt;
        g.scatters = static_cast<int16_t>(scatter[0]);
        g.scatterPay = static_cast<int32_t>(scatter[1]);
    }
    if (const auto a = field('a')) {
        const auto awarded = number(*a, 0, std::numeric_limits<int16_t>::max());
        if (!awarded) return std::nullopt;
        g.freeSpinsAwarded = static_cast<int16_t>(*awarded);
    }
    if (!parseFreeSpins(field('f').value_or(""), g)) return std::nullopt;
    if (!parseCards(field('g').value_or(""), g)) return std::nullopt;
    return g;
}

std::vector<GameRecord> readHistory(platform::SettingsStore& store, int slot) {
    const std::string section = playerSection(slot);
    std::vector<GameRecord> games;
    for (int i = 0; i < kHistoryGames; ++i) {
        const auto text = store.read(kApplication, section, kHistoryKeys[i]);
        if (!text) continue;
        auto game = parseGame(*text);
        // An entry under another key than its number's is not one this game wrote there.
        if (!game || game->number % kHistoryGames != i) continue;
        games.push_back(std::move(*game));
    }
    std::sort(games.begin(), games.end(),
              [](const GameRecord& a, const GameRecord& b) { return a.number < b.number; });
    return games;
}

std::string gameTimeText(int64_t seconds) {
    const auto t = static_cast<std::time_t>(seconds);
    std::tm utc{};
    if (gmtime_r(&t, &utc) == nullptr) return "?";
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

GameHistory::GameHistory()
    : clock([] {
          return static_cast<int64_t>(std::chrono::duration_cast<std::chrono::seconds>(
                                          std::chrono::system_clock::now().time_since_epoch())
                                          .count());
      }) {}

void GameHistory::load(platform::SettingsStore& store, int slot) {
    games_ = readHistory(store, slot);
    dirty_ = false;
    stake_ = 0;
}

namespace {

// The paying symbol of a winning line: the one on reel 1 (which never shows a Wild), else the first whose pay
// table pays the run.
int16_t lineSymbol(const core::MachineState& s, int line) {
    const core::Symbol first = core::symbolAt(1, s.reelstop[1], core::lineRow(line, 1));
    if (core::isPaying(first)) return first;
    for (core::Symbol symbol : core::kLinePayOrder) {
        if (core::linePay(symbol, s.linecount[line]) > 0) return symbol;
    }
    return core::Chief;
}

}  // namespace

void GameHistory::paidSpin(const core::MachineState& s) {
    GameRecord g;
    g.number = games_.empty() ? 1 : games_.back().number + 1;
    g.time = clock ? clock() : 0;
    g.lines = s.linesplayed;
    g.coins = s.coinsperline;
    g.bet = s.totalBet();
    for (int reel = 1; reel <= core::kReels; ++reel) {
        g.stops[reel - 1] = s.reelstop[reel];
        for (int row = 1; row <= core::kRows; ++row)
            g.window[(reel - 1) * 3 + row - 1] = core::symbolAt(reel, s.reelstop[reel], row);
    }
    for (int line = 1; line <= s.linesplayed && line <= core::kLines; ++line) {
        if (s.linecount[line] < 2) continue;
        const int16_t symbol = lineSymbol(s, line);
        g.lineWins.push_back({static_cast<int16_t>(line), symbol, s.linecount[line],
                              static_cast<int32_t>(s.coinsperline) * core::linePay(symbol, s.linecount[line])});
    }
    g.scatters = s.scattercount;
    g.scatterPay = core::scatterFactor(s.scattercount) * g.bet;
    g.freeSpinsAwarded = core::freeSpinAward(s.scattercount).announced;
    // The bet is already off the credit; a trigger's win waits in the series total, any other is credited.
    g.creditBefore = s.bank + g.bet;
    g.win = s.spinwin;
    g.creditAfter = s.bank + (s.scattercount >= 3 ? 0 : s.spinwin);
    games_.push_back(std::move(g));
    if (games_.size() > static_cast<size_t>(kHistoryGames)) games_.erase(games_.begin());
    stake_ = 0;
    dirty_ = true;
}

void GameHistory::freeSpin(const core::MachineState& s) {
    GameRecord* g = current();
    if (g == nullptr) return;
    if (g->freeSpins.size() < static_cast<size_t>(kHistoryFreeSpins)) {
        FreeSpinRecord spin;
        for (int reel = 1; reel <= core::kReels; ++reel) spin.stops[reel - 1] = s.reelstop[reel];
        spin.win = s.spinwin;
        spin.multiplier = s.winmultiplier;
        g->freeSpins.push_back(spin);
    }
    core::addChecked(g->win, s.spinwin);
    if (s.scattercount >= 3) core::addChecked(g->freeSpinsAwarded, core::freeSpinAward(s.scattercount).announced);
    dirty_ = true;
}

void GameHistory::collected(int32_t amount) {
    GameRecord* g = current();
    if (g == nullptr) return;
    core::addChecked(g->creditAfter, amount);
    dirty_ = true;
}

void GameHistory::gambleOpened(int32_t stake) {
    GameRecord* g = current();
    if (g == nullptr) return;
    stake_ = stake;
    creditBeforeGamble_ = g->creditAfter;
    winBeforeGamble_ = g->win;
}

void GameHistory::gambleCard(char bet, int card, bool right, int32_t held) {
    GameRecord* g = current();
    if (g == nullptr) return;
    if (g->cards.size() < static_cast<size_t>(kHistoryCards))
        g->cards.push_back({bet, static_cast<int16_t>(card), right, right ? held : 0});
    // Until the player takes it, the amount held counts as taken: the record is saved the same way.
    gambleTaken(right ? held : 0);
    if (!right) g->win = winBeforeGamble_;  // the won statistic keeps the gambled win
}

void GameHistory::gambleTaken(int32_t amount) {
    GameRecord* g = current();
    if (g == nullptr) return;
    g->creditAfter = static_cast<int32_t>(int64_t{creditBeforeGamble_} - stake_ + amount);
    g->win = static_cast<int32_t>(int64_t{winBeforeGamble_} - stake_ + amount);
    dirty_ = true;
}

bool GameHistory::write(platform::SettingsStore& store, int slot) {
    const GameRecord* g = games_.empty() ? nullptr : &games_.back();
    if (!dirty_ || g == nullptr) return true;
    dirty_ = !store.write(kApplication, playerSection(slot), kHistoryKeys[g->number % kHistoryGames],
                          formatGame(*g));
    return !dirty_;
}

bool GameHistory::clear(platform::SettingsStore& store, int slot) {
    games_.clear();
    dirty_ = false;
    stake_ = 0;
    bool written = true;
    // An empty entry reads as no game.
    for (const char* key : kHistoryKeys) written &= store.write(kApplication, playerSection(slot), key, "");
    return written;
}

}  // namespace zem::play
