// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math history: the games kept in a real settings file, as JSON read by a real JSON parser and as text,
// and the plain refusal of a store it cannot read.
#include "platform/qt/qt_settings_store.h"
#include "play/game_history.h"
#include "play/player_record.h"
#include "support/tool_run.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace zem::testing {
namespace {

ToolRun run(std::vector<std::string_view> args) { return runTool(std::move(args)); }

zem::play::GameRecord game(int64_t number, int32_t win) {
    zem::play::GameRecord g;
    g.number = number;
    g.time = 1765365754 + number;
    g.lines = 25;
    g.coins = 2;
    g.bet = 50;
    g.stops = {1, 2, 3, 4, static_cast<int16_t>(number % 22 + 1)};
    for (int cell = 0; cell < 15; ++cell) g.window[cell] = static_cast<int16_t>(cell % 12 + 1);
    if (win > 0) g.lineWins = {{4, 5, 3, win}};
    g.creditBefore = 1000;
    g.creditAfter = 1000 - 50 + win;
    g.win = win;
    return g;
}

struct StoreFile {
    QTemporaryDir dir;
    std::string path = (dir.path() + "/zem.ini").toStdString();

    void put(int slot, const zem::play::GameRecord& g) {
        zem::platform::qt::QtSettingsStore store(QString::fromStdString(path));
        ASSERT_TRUE(store.write(zem::play::kApplication, zem::play::playerSection(slot),
                                zem::play::kHistoryKeys[g.number % 10], zem::play::formatGame(g)));
        ASSERT_TRUE(store.flush());
    }
};

TEST(ZemMathHistory, JsonListsTheSlotsGamesNewestLastWithEveryFigure) {
    StoreFile file;
    for (int64_t n = 3; n <= 14; ++n) file.put(2, game(n, n % 3 == 0 ? 40 : 0));
    zem::play::GameRecord full = game(15, 120);
    full.lineWins = {{1, 2, 5, 100}, {9, 10, 2, 20}};
    full.scatters = 3;
    full.freeSpinsAwarded = 10;
    full.freeSpins = {{{5, 6, 7, 8, 9}, 30, 3}};
    full.cards = {{'H', 1, true, 480}, {'B', 3, false, 0}};
    full.win = 150;
    file.put(2, full);
    file.put(1, game(1, 0));

    const ToolRun r = run({"history", "--store", file.path, "--slot", "2", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out;
    EXPECT_EQ(doc.object()["slot"].toInt(), 2);
    const QJsonArray games = doc.object()["games"].toArray();
    ASSERT_EQ(games.size(), 10) << "ten kept: games 6 to 15";
    for (int i = 0; i < 9; ++i) {
        const QJsonObject g = games[i].toObject();
        const int n = 6 + i;
        EXPECT_EQ(g["win"].toInt(), n % 3 == 0 ? 40 : 0);
        EXPECT_EQ(g["stops"].toArray().last().toInt(), n % 22 + 1);
        EXPECT_EQ(g["credit_after"].toInt(), 950 + g["win"].toInt());
    }
    const QJsonObject last = games[9].toObject();
    EXPECT_EQ(last["time"].toString().toStdString(), zem::play::gameTimeText(1765365754 + 15));
    EXPECT_EQ(last["lines"].toInt(), 25);
    EXPECT_EQ(last["coins"].toInt(), 2);
    EXPECT_EQ(last["bet"].toInt(), 50);
    EXPECT_EQ(last["win"].toInt(), 150);
    EXPECT_EQ(last["credit_before"].toInt(), 1000);
    const QJsonArray lines = last["line_wins"].toArray();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1].toObject()["line"].toInt(), 9);
    EXPECT_EQ(lines[1].toObject()["pay"].toInt(), 20);
    EXPECT_EQ(lines[1].toObject()["symbol"].toString(), "Tomahawk");
    const QJsonArray free = last["free_spins"].toArray();
    ASSERT_EQ(free.size(), 1);
    EXPECT_EQ(free[0].toObject()["multiplier"].toInt(), 3);
    const QJsonArray cards = last["gamble"].toArray();
    ASSERT_EQ(cards.size(), 2);
    EXPECT_EQ(cards[0].toObject()["bet"].toString(), "hearts");
    EXPECT_EQ(cards[0].toObject()["amount"].toInt(), 480);
    EXPECT_EQ(cards[1].toObject()["card"].toString(), "diamonds");
    EXPECT_FALSE(cards[1].toObject()["right"].toBool());

    // The text names the same games; slot 1 is the default.
    const ToolRun text = run({"history", "--store", file.path});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("Player slot 1: 1 game kept"), std::string::npos) << text.out;
    const ToolRun text2 = run({"history", "--slot=2", "--store", file.path});
    EXPECT_NE(text2.out.find("line 1: 5 x Maiden pays 100"), std::string::npos) << text2.out;
    EXPECT_NE(text2.out.find("gamble: black, card diamonds, lost"), std::string::npos) << text2.out;
    EXPECT_EQ(run({"history", "--store", file.path, "--slot", "3", "--json"}).out, "{\"slot\": 3, \"games\": []}\n");
}

TEST(ZemMathHistory, AStoreItCannotReadIsAPlainMessageAndStatusTwo) {
    QTemporaryDir dir;
    const std::string missing = (dir.path() + "/none.ini").toStdString();
    const std::string folder = dir.path().toStdString();
    for (const std::vector<std::string_view>& args :
         std::vector<std::vector<std::string_view>>{{"history", "--store", missing},
                                                    {"history", "--store", folder, "--json"},
                                                    {"history", "--store", "/dev/null"},
                                                    {"history"},
                                                    {"history", "--store", missing, "--slot", "7"}}) {
        const ToolRun r = run(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(r.err.rfind("zem-math history: ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
}

TEST(ZemMathHistory, TheStoreIsOnlyReadNeverWritten) {
    // A value that QSettings would rebuild as a serialized object: the game makes such a file plain when it
    // opens it, a tool that only looks must leave it byte for byte as it is.
    StoreFile file;
    file.put(1, game(4, 40));
    QFile ini(QString::fromStdString(file.path));
    ASSERT_TRUE(ini.open(QIODevice::Append));
    ini.write("[player2]\nname=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\0)\n");
    ini.close();
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray before = ini.readAll();
    ini.close();
    const ToolRun r = run({"history", "--store", file.path, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"win\": 40"), std::string::npos) << r.out;
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll(), before);
}

}  // namespace
}  // namespace zem::testing
