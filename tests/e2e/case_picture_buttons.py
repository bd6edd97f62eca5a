# SPDX-License-Identifier: GPL-3.0-or-later
"""Every picture button pressed three times in a row through the window system works every time and comes back
in its normal look: COINS, NOTES, the five line buttons and the six bet buttons."""

import time

from zemdriver import check

def same_look(g, baseline, name, index=0, timeout=3.0):
    """Waits until the control's rectangle on screen is as it was in the baseline screenshot."""
    want = g.pixels(baseline, name, index)
    g.park_pointer()
    deadline = time.time() + timeout
    while True:
        now = g.pixels_now(name, index)
        if now == want:
            return
        check(time.time() < deadline, f"{name}({index}) did not come back in its normal look")
        time.sleep(0.2)


def run(env):
    g = env.game({"player1": {"bank": "0", "amountinvested": "0", "soundonoff": "0", "reelspeed": "1"}})
    baseline = g.screenshot("buttons_start")

    # COINS: 25 coins a press, three presses, 75 in all.
    for k in range(1, 4):
        g.press("coinsin")
        g.wait_number("amountinvested", 25 * k)
        time.sleep(0.4)  # the coin animation ends after three ticks
    check(g.number("bank") == 75, f"bank after three COINS: {g.number('bank')}")
    same_look(g, baseline, "coinsin")

    # NOTES: 5000 coins a press.
    for k in range(1, 4):
        g.press("notes")
        g.wait_number("amountinvested", 75 + 5000 * k)
    check(g.number("bank") == 15075, f"bank after three NOTES: {g.number('bank')}")
    same_look(g, baseline, "notes")

    # The line buttons: each press redraws the markers, every time. 25 lines are played at start; the
    # markers of the lines not played show their dim pictures.
    markers_all = g.pixels(baseline, "lin", 25)  # line 25 is played only with all lines
    for button in range(1, 5):
        for _ in range(3):
            g.press("payline", button)
            g.wait_for(lambda: g.pixels_now("lin", 25) != markers_all, 3, f"line button {button} to dim line 25")
            g.press("payline", 5)
            g.wait_for(lambda: g.pixels_now("lin", 25) == markers_all, 3, "25 LINES to light line 25 again")
        same_look(g, baseline, "payline", button)
    same_look(g, baseline, "payline", 5)

    # The bet buttons: every press spins (one game more in the store each time). The seeded reels start no
    # free-spin series here (a series would lock the bet buttons until its end).
    games = g.number("games")
    for button in range(1, 7):
        for _ in range(3):
            g.press("pplay", button)
            games += 1
            g.wait_spin(games)
            check(g.number("howmanyspins") == 0, f"seed {g.seed} starts a free-spin series: choose another")
        same_look(g, baseline, "pplay", button, timeout=5)
    g.screenshot("buttons_end")
