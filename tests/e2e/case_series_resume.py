# SPDX-License-Identifier: GPL-3.0-or-later
"""A free-spin series left in the store by a run that was killed goes on by itself at the next start, without
its announcement, and TAKE WIN collects the whole series total into the credit. A series left on another slot
goes on once that player is chosen in the options window and the window closes."""

import time

from case_options import click_option, options_origin, options_shown
from zemdriver import check, settle_seconds

# Two free spins of eleven left; 300 coins won so far. The store balances:
# credit + series total = inserted - wagered + won.
SERIES = {"bank": "1000", "amountinvested": "1000", "wager": "25", "total": "325", "games": "1",
          "reelspeed": "10", "winroll": "0", "soundonoff": "0", "machinepay": "5",
          "freespinstotal": "11", "freespinsplayed": "9", "freespinwin": "300", "winmultiplier": "1",
          "linesplayed": "25", "coinsperline": "1", "reelstop1": "3", "reelstop2": "7", "reelstop3": "11",
          "reelstop4": "2", "reelstop5": "20", "wildhold2": "0", "wildhold3": "0", "wildhold4": "0"}


def run(env):
    g = env.game({"player1": SERIES})
    time.sleep(0.5)
    shot = g.screenshot("series_resumed")
    # The bet buttons' panel is hidden through a series: its pixels are not the panel's any more.
    check(g.running(), "zem ended at the start of a resumed series")

    # Both free spins play by themselves, each saved; then the total waits for TAKE WIN.
    g.wait_for(lambda: g.number("freespinsplayed") == 11, timeout=90, what="the last free spin")
    player = g.player()
    won = int(player["freespinwin"])
    check(won >= 300, f"the series total fell: {won}")
    check(int(player["total"]) - 325 == won - 300, f"the free spins' wins are not in the total: {player}")
    check(player["games"] == "1" and player["wager"] == "25", f"free spins counted as games: {player}")
    check(player["bank"] == "1000", f"the series total went into the credit before TAKE WIN: {player}")
    time.sleep(settle_seconds(10))  # the last free spin is saved as its reels start
    g.screenshot("series_waiting")

    g.press("takewin")
    g.wait_for(lambda: g.player().get("freespinstotal") == "0", timeout=20, what="the collect")
    player = g.player()
    check(int(player["bank"]) == 1000 + won, f"the collect paid {player['bank']} instead of {1000 + won}")
    check(player.get("freespinwin") == "0", f"the series total stays in the store: {player}")
    shot = g.screenshot("series_collected")
    check(shot, "no screenshot")

    g.stop()

    # Slot 3's player was in the same series when a run ended; slot 1 plays nothing of it.
    g = env.game({"player1": {"bank": "500", "reelspeed": "10", "soundonoff": "0"},
                  "player3": dict(SERIES, currentplayer="Cy")})
    time.sleep(0.5)
    check(g.number("freespinwin", 3) == 300 and g.number("bank", 3) == 1000,
          f"the start touched slot 3's series: {g.player(3)}")
    g.press("btnoptions")
    x, y, _ = options_origin(g)
    click_option(g, (x, y), "machine", 3)
    time.sleep(2.5)
    check(g.number("freespinsplayed", 3) == 9, "a free spin ran while the options window was open")
    click_option(g, (x, y), "btnokplayer")
    g.wait_for(lambda: not options_shown(g), 5, "the options window to close")
    g.wait_for(lambda: g.number("freespinsplayed", 3) == 11, timeout=90, what="slot 3's last free spin")
    won = g.number("freespinwin", 3)
    check(won >= 300, f"slot 3's series total fell: {won}")
    time.sleep(settle_seconds(10))
    g.screenshot("other_slot_series_waiting")
    g.press("takewin")
    g.wait_for(lambda: g.player(3).get("freespinstotal") == "0", timeout=20, what="slot 3's collect")
    check(g.number("bank", 3) == 1000 + won, f"slot 3's collect: {g.player(3)}")
    check(g.number("bank", 1) == 500, f"slot 1 took some of slot 3's series: {g.player(1)}")
