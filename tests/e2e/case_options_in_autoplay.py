# SPDX-License-Identifier: GPL-3.0-or-later
"""OPTIONS pressed while autoplay runs: the window opens between two spins (a press while the reels turn is
refused), autoplay ends, no spin runs behind the window while another slot is chosen and the window stays open
for seconds, and the new player's credit is untouched after the window closes."""

import time

from case_options import click_option, options_origin, options_shown
from zemdriver import check


def run(env):
    g = env.game({"player1": {"bank": "100000", "reelspeed": "10", "winroll": "0", "soundonoff": "0"},
                  "player2": {"bank": "700", "currentplayer": "Bo", "reelspeed": "10", "soundonoff": "0"}})
    g.press("autoplayon")
    g.wait_for(lambda: g.number("games") >= 2, 30, "autoplay to spin twice")
    # The player presses OPTIONS until the window opens: in a spin the press does nothing.
    origin = None
    for _ in range(40):
        g.press("btnoptions")
        time.sleep(0.4)
        if options_shown(g):
            origin = options_origin(g)
            break
    check(origin is not None, "the options window never opened during autoplay")
    games = g.number("games")
    click_option(g, origin, "machine", 2)
    time.sleep(4.0)
    g.screenshot("options_over_autoplay")
    check(g.number("games") == games, f"spins ran behind the options window: {games} -> {g.number('games')}")
    check(g.player(2).get("games", "0") == "0", f"slot 2 played behind the window: {g.player(2)}")
    click_option(g, origin, "btnokplayer")
    g.wait_for(lambda: not options_shown(g), 5, "the options window to close")
    time.sleep(3.0)
    two = g.player(2)
    check(two.get("bank") == "700" and two.get("games", "0") == "0", f"autoplay went on for slot 2: {two}")
    check(g.number("games") == games, f"slot 1 changed after the switch: {g.player(1)}")
    g.park_pointer()
    g.screenshot("after_options_in_autoplay")
