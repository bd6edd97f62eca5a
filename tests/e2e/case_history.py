# SPDX-License-Identifier: GPL-3.0-or-later
"""The last ten games: twelve spins, then the window "Last 10 Games" opened from the menu bar and by the key H,
moved through with its buttons and the arrow keys, closed by Escape and by its button, the machine waiting
behind it; zem-math history reads ten games from the store whose wins add up to what the won statistic gained
over them. A game killed outright with kill -9 right after a spin keeps the same: that spin is in the store
among the ten, and the window shows it at the next start."""

import json
import shutil
import subprocess
import time

from zemdriver import check, settle_seconds

HISTORY = 4  # the place of "&History" on the menu bar (exit, PayLines, about, Paytable, History)
TITLE = "Last 10 Games"
STORE = {"bank": "100000", "amountinvested": "100000", "reelspeed": "10", "winroll": "0", "soundonoff": "0",
         "machinepay": "5"}


def play_one(g, games):
    """One paid spin of 25 coins to its end, a free-spin series it starts played out and collected; the won
    statistic afterwards."""
    g.press("pplay", 1)
    g.wait_spin(games)
    if g.number("freespinstotal") > 0:
        g.wait_for(lambda: g.number("freespinsplayed") >= g.number("freespinstotal"), timeout=180,
                   what="the series' last free spin")
        time.sleep(settle_seconds(10))
        g.press("takewin")
        g.wait_for(lambda: g.number("freespinstotal") == 0, timeout=20, what="the collect")
        time.sleep(0.5)
    return g.number("total")


def history(env, g):
    out = subprocess.run([env.math, "history", "--store", g.store_path, "--json"], capture_output=True,
                         text=True, timeout=30)
    check(out.returncode == 0, f"zem-math history failed: {out.stderr}")
    return json.loads(out.stdout)


def check_ten(env, g, total_before, what):
    games = history(env, g)["games"]
    check(len(games) == 10, f"{what}: {len(games)} games kept instead of ten")
    won = sum(game["win"] for game in games)
    check(won == g.number("total") - total_before,
          f"{what}: the games won {won}, the won statistic gained {g.number('total') - total_before}")
    check(games[-1]["credit_after"] == g.number("bank"), f"{what}: the newest game leaves another credit")
    for game in games:
        check(game["bet"] == game["lines"] * game["coins"] == 25, f"{what}: a game's bet {game}")
        check(len(game["stops"]) == 5 and all(1 <= s <= 22 for s in game["stops"]), f"{what}: stops {game}")
    return games


def reels(g, shot, origin):
    """The raw pixels of the history window's reel window in a screenshot."""
    first = g.layout.control("reelbox", 1, "frmhistory")
    last = g.layout.control("reelbox", 5, "frmhistory")
    geometry = f"{last['x'] + last['w'] - first['x']}x{first['h']}+{origin[0] + first['x']}+{origin[1] + first['y']}"
    return subprocess.run(["/usr/bin/convert", shot, "-crop", geometry, "+repage", "-depth", "8", "rgb:-"],
                          check=True, capture_output=True, timeout=30).stdout


def gone(g):
    deadline = time.time() + 10
    while time.time() < deadline and g.find_window(TITLE, timeout=0.2) is not None:
        time.sleep(0.1)
    return g.find_window(TITLE, timeout=0.2) is None


def run(env):
    g = env.game({"player1": STORE})
    totals = [g.number("total")]
    for n in range(1, 13):
        totals.append(play_one(g, n))
    games = check_ten(env, g, totals[2], "after twelve spins")
    check([game["stops"] for game in games][-1] != [], "no stops")

    # By the menu: the newest game; Left and the previous button go back, Right and next forward.
    g.menu(HISTORY)
    found = g.find_window(TITLE, timeout=20)
    check(found is not None, "the history did not open from the menu")
    wid, origin = found
    time.sleep(0.5)
    newest = reels(g, g.screenshot("history_newest"), origin)
    g.press("coinsin")
    time.sleep(0.6)
    check(g.number("amountinvested") == 100000, "COINS took a press behind the history window")
    g.xdo("windowfocus", "--sync", wid, check_ok=False)
    g.key("Left")
    time.sleep(0.5)
    before_last = reels(g, g.screenshot("history_left"), origin)
    check(before_last != newest or games[-1]["stops"] == games[-2]["stops"],
          "Left did not show the game before the newest")
    g.press_in(origin, "btnprevious", "frmhistory")
    time.sleep(0.5)
    g.screenshot("history_previous")
    g.press_in(origin, "btnnext", "frmhistory")
    time.sleep(0.5)
    check(reels(g, g.screenshot("history_next"), origin) == before_last, "next did not come back a game")
    g.xdo("windowfocus", "--sync", wid, check_ok=False)
    g.key("Right")
    time.sleep(0.5)
    check(reels(g, g.screenshot("history_right"), origin) == newest, "Right did not come back to the newest")
    g.key("Escape")
    check(gone(g), "Escape left the history open")

    # By the key H on the machine window; its close button closes it, and play goes on.
    g.xdo("windowfocus", "--sync", g.window, check_ok=False)
    time.sleep(0.3)
    g.key("h")
    found = g.find_window(TITLE, timeout=10)
    check(found is not None, "H did not open the history")
    wid, origin = found
    time.sleep(0.5)
    g.screenshot("history_by_key")
    g.press_in(origin, "btnclose", "frmhistory")
    check(gone(g), "the close button left the history open")
    time.sleep(0.3)
    totals.append(play_one(g, 13))
    check_ten(env, g, totals[3], "after a thirteenth spin")

    # Killed outright right after a spin was taken: the spin is among the ten at the next start.
    g.press("pplay", 1)
    g.wait_number("games", 14, timeout=20)
    g.proc.kill()
    g.proc.wait()
    kept = g.store_path
    after = check_ten(env, g, totals[4], "after kill -9")
    check(max(game["number"] for game in after) == 14, "the spin in flight at the kill was lost")

    g2 = env.game(prepare=lambda path: shutil.copyfile(kept, path))
    check(check_ten(env, g2, totals[4], "after the restart") == after, "the restart changed the games kept")
    g2.xdo("windowfocus", "--sync", g2.window, check_ok=False)
    time.sleep(0.3)
    g2.key("h")
    found = g2.find_window(TITLE, timeout=10)
    check(found is not None, "H did not open the history after the restart")
    time.sleep(0.5)
    g2.screenshot("history_after_restart")
    g2.key("Escape")
    check(gone(g2), "Escape left the history open after the restart")
    g2.stop()
    g.stop()
