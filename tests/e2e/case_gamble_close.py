# SPDX-License-Identifier: GPL-3.0-or-later
"""Closing the game while the gamble's card is being revealed: the close box waits for the card, the game ends,
and the store keeps what the decided card left the player (a right guess's gain, or the stake lost)."""

from case_gamble import STORE, decide, panel_shown, win
from zemdriver import check


def run(env):
    g = env.game(STORE)
    stake = win(g)
    bank, total = g.number("bank"), g.number("total")
    g.press("doublebutton")
    g.wait_for_screen("gamble_close_open", lambda shot: panel_shown(g, shot), 10, "GAMBLE to open the panel")

    gained = (bank - stake + stake * 2, total - stake + stake * 2)
    lost = (bank - stake, total)
    decided = decide(g, "betred", 0, gained, lost)
    # The card is decided and saved; its reveal takes 0.75 s, and the close box comes while it runs.
    g.close_box()
    code = g.wait_exit(timeout=20)
    check(code == 0, f"zem ended with {code}")
    now = (g.number("bank"), g.number("total"))
    check(now == decided, f"after the close the store holds {now}, the decided card left {decided}")
