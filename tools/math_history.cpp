// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math history: reads the games kept in a settings file and prints them, newest last.
#include "math_history.h"

#include "core/symbols.h"
#include "math_args.h"
#include "platform/qt/qt_settings_store.h"

#include <QFile>
#include <QFileInfo>

#include <sstream>

namespace zem::tools {

namespace {

template <class T>
void list(std::ostream& out, const T& values) {
    out << '[';
    bool first = true;
    for (const auto& v : values) {
        out << (first ? "" : ", ") << v;
        first = false;
    }
    out << ']';
}

}  // namespace

std::string historyJson(int slot, const std::vector<play::GameRecord>& games) {
    std::ostringstream out;
    out << "{\"slot\": " << slot << ", \"games\": [";
    for (size_t i = 0; i < games.size(); ++i) {
        const play::GameRecord& g = games[i];
        out << (i ? ", " : "") << "{\"time\": \"" << play::gameTimeText(g.time) << "\", \"lines\": " << g.lines
            << ", \"coins\": " << g.coins << ", \"bet\": " << g.bet << ", \"stops\": ";
        list(out, g.stops);
        out << ", \"win\": " << g.win << ", \"credit_before\": " << g.creditBefore
            << ", \"credit_after\": " << g.creditAfter << ", \"line_wins\": [";
        for (size_t k = 0; k < g.lineWins.size(); ++k) {
            const play::LineWinRecord& w = g.lineWins[k];
            out << (k ? ", " : "") << "{\"line\": " << w.line << ", \"pay\": " << w.pay << ", \"symbol\": \""
                << core::symbolName(w.symbol) << "\", \"run\": " << w.run << '}';
        }
        out << "], \"free_spins\": [";
        for (size_t k = 0; k < g.freeSpins.size(); ++k) {
            const play::FreeSpinRecord& f = g.freeSpins[k];
            out << (k ? ", " : "") << "{\"stops\": ";
            list(out, f.stops);
            out << ", \"win\": " << f.win << ", \"multiplier\": " << f.multiplier << '}';
        }
        out << "], \"gamble\": [";
        for (size_t k = 0; k < g.cards.size(); ++k) {
            const play::CardRecord& c = g.cards[k];
            out << (k ? ", " : "") << "{\"bet\": \"" << play::betName(c.bet) << "\", \"card\": \""
                << play::suitName(c.card) << "\", \"right\": " << (c.right ? "true" : "false")
                << ", \"amount\": " << c.amount << '}';
        }
        out << "], \"window\": ";
        list(out, g.window);
        out << ", \"scatters\": " << g.scatters << ", \"scatter_pay\": " << g.scatterPay
            << ", \"free_spins_awarded\": " << g.freeSpinsAwarded << ", \"number\": " << g.number << '}';
    }
    out << "]}\n";
    return out.str();
}

std::string historyText(int slot, const std::vector<play::GameRecord>& games) {
    std::ostringstream out;
    out << "Player slot " << slot << ": " << games.size() << (games.size() == 1 ? " game" : " games")
        << " kept, newest last\n";
    for (const play::GameRecord& g : games) {
        out << "\nGame " << g.number << "  " << play::gameTimeText(g.time) << "\n  " << g.lines
            << (g.lines == 1 ? " line" : " lines") << " x " << g.coins << (g.coins == 1 ? " coin" : " coins")
            << ", bet " << g.bet << "; stops";
        for (int16_t stop : g.stops) out << ' ' << stop;
        out << "\n  credit " << g.creditBefore << " -> " << g.creditAfter << ", won " << g.win << '\n';
        for (const play::LineWinRecord& w : g.lineWins) {
            out << "  line " << w.line << ": " << w.run << " x " << core::symbolName(w.symbol) << " pays " << w.pay
                << '\n';
        }
        if (g.scatterPay > 0) out << "  " << g.scatters << " Scatters pay " << g.scatterPay << '\n';
        if (g.freeSpinsAwarded > 0) {
            out << "  " << g.freeSpinsAwarded << " free spins awarded, " << g.freeSpins.size() << " kept:\n";
            for (size_t k = 0; k < g.freeSpins.size(); ++k) {
                const play::FreeSpinRecord& f = g.freeSpins[k];
                out << "    " << k + 1 << ": stops";
                for (int16_t stop : f.stops) out << ' ' << stop;
                out << ", win " << f.win;
                if (f.multiplier > 1) out << " (x" << f.multiplier << ')';
                out << '\n';
            }
        }
        for (const play::CardRecord& c : g.cards) {
            out << "  gamble: " << play::betName(c.bet) << ", card " << play::suitName(c.card) << ", "
                << (c.right ? "right, holds " + std::to_string(c.amount) : std::string("lost")) << '\n';
        }
    }
    return out.str();
}

int runHistory(std::span<const std::string_view> args, std::ostream& out) {
    std::vector<std::string_view> rest;
    bool json = false;
    for (std::string_view arg : args) {
        if (arg == "--json") {
            if (json) throw ArgError("--json is given twice");
            json = true;
        } else {
            rest.push_back(arg);
        }
    }
    static constexpr std::string_view kKnown[] = {"store", "slot"};
    const auto options = parseOptions(rest, kKnown);
    const auto storeIt = options.find("store");
    if (storeIt == options.end() || storeIt->second.empty()) throw ArgError("--store FILE is required");
    int slot = 1;
    if (const auto it = options.find("slot"); it != options.end()) {
        slot = parseInteger(it->second, "--slot");
        if (slot < 1 || slot > 6) throw ArgError("--slot must be 1 to 6");
    }

    // Only a regular file that can be read is a store: anything else (a missing file, a folder, a device,
    // a pipe) is told as such rather than read as an empty store.
    const QString path = QString::fromStdString(storeIt->second);
    const QFileInfo info(path);
    if (!info.exists()) throw ArgError("cannot read the store " + storeIt->second + ": no such file");
    const QString refusal = platform::qt::QtSettingsStore::refusal(path);
    if (!refusal.isEmpty()) throw ArgError("cannot read the store: " + refusal.toStdString());
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        throw ArgError("cannot read the store " + storeIt->second + ": not a readable file");
    file.close();

    // The game's file is only looked at: never written, not even to make a stored object plain.
    platform::qt::QtSettingsStore store(path, platform::qt::QtSettingsStore::Access::ReadOnly);
    const std::vector<play::GameRecord> games = play::readHistory(store, slot);
    out << (json ? historyJson(slot, games) : historyText(slot, games));
    return 0;
}

}  // namespace zem::tools
