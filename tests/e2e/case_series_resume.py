"""A free-spin series left in the store by a run that was killed goes on by itself at the next start, without
its announcement, and TAKE WIN collects the whole series total into the credit."""

import time

from zemdriver import check

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
    time.sleep(1.0)
    g.screenshot("series_waiting")

    g.press("takewin")
    g.wait_for(lambda: g.player().get("freespinstotal") == "0", timeout=20, what="the collect")
    player = g.player()
    check(int(player["bank"]) == 1000 + won, f"the collect paid {player['bank']} instead of {1000 + won}")
    check(player.get("freespinwin") == "0", f"the series total stays in the store: {player}")
    shot = g.screenshot("series_collected")
    check(shot, "no screenshot")
