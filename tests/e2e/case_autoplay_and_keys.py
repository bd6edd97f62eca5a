# SPDX-License-Identifier: GPL-3.0-or-later
"""Autoplay switched on and off twice (the games count stands still after each OFF), the notice box answered
with the keyboard, and the space key spinning twice."""

import time

from zemdriver import check


def games_stand_still(g, seconds=2.5):
    before = g.number("games")
    time.sleep(seconds)
    after = g.number("games")
    check(before == after, f"autoplay still spins after OFF: games {before} -> {after}")


def run(env):
    g = env.game({"player1": {"bank": "100000", "reelspeed": "1", "winroll": "0", "soundonoff": "0"}},
                 notice_seen=False)
    games = g.number("games")

    # The space key spins at the current bet, twice.
    for _ in range(2):
        g.key("space")
        games += 1
        g.wait_spin(games)

    # The first AUTO ON shows the notice; Enter closes it and autoplay starts.
    g.press("autoplayon")
    time.sleep(1.0)
    g.key("Return")
    g.wait_for(lambda: g.number("games") >= games + 2, 30, "autoplay to spin twice")
    check(g.store().get("notice", {}).get("autoplay") == "-1", "the notice was not marked as seen")
    g.press("autoplayoff")
    time.sleep(3.0)  # a spin under way finishes
    games_stand_still(g)

    # The second time, without the notice.
    games = g.number("games")
    g.press("autoplayon")
    g.wait_for(lambda: g.number("games") >= games + 2, 30, "the second autoplay to spin twice")
    g.press("autoplayoff")
    time.sleep(3.0)
    games_stand_still(g)
    g.screenshot("autoplay_off")

    # And the space key still plays after autoplay.
    games = g.number("games")
    g.key("space")
    g.wait_number("games", games + 1, timeout=20)
