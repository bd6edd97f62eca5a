# SPDX-License-Identifier: GPL-3.0-or-later
"""Closing the game: "&exit" takes one click after a picture button's press, and the close box during a spin
ends the game once the spin is over, with that spin in the store."""

import time

from zemdriver import check


def run(env):
    # "&exit" after a press on a picture that hides itself.
    g = env.game({"player1": {"bank": "0", "amountinvested": "0", "soundonoff": "0"}})
    g.press("coinsin")
    g.wait_number("amountinvested", 25)
    time.sleep(0.5)
    g.menu(0)
    code = g.wait_exit(timeout=10)
    check(code == 0, f"zem ended with {code}")
    check(g.number("bank") == 25, f"bank after exit: {g.number('bank')}")

    # The close box while the reels turn: the spin finishes, is saved, and the game ends.
    g = env.game({"player1": {"bank": "1000", "reelspeed": "10", "winroll": "0", "soundonoff": "0",
                              "games": "7", "wager": "0", "total": "0"}})
    g.press("pplay", 1)
    time.sleep(0.8)  # the slowest reels take seconds to stop
    check(g.running(), "zem ended before the close")
    g.close_box()
    code = g.wait_exit(timeout=30)
    check(code == 0, f"zem ended with {code}")
    player = g.player()
    check(player.get("games") == "8", f"the spin in flight is not in the store: {player}")
    check(player.get("wager") == "25", f"wager: {player.get('wager')}")
    bank = int(player["bank"])
    total = int(player["total"])
    check(bank == 1000 - 25 + total, f"bank {bank} does not balance with total {total}")

    # "&exit" chosen while the reels turn acts as the close box does.
    g = env.game({"player1": {"bank": "1000", "reelspeed": "10", "winroll": "0", "soundonoff": "0",
                              "games": "0", "wager": "0", "total": "0"}})
    g.press("pplay", 1)
    time.sleep(0.8)
    g.menu(0)
    code = g.wait_exit(timeout=30)
    check(code == 0, f"zem ended with {code}")
    check(g.player().get("games") == "1", f"the spin in flight is not in the store: {g.player()}")
