# SPDX-License-Identifier: GPL-3.0-or-later
"""A free-spin series left in the store by a run that was killed goes on by itself at the next start, without
its announcement, and TAKE WIN collects the whole series total into the credit. A series left on another slot
goes on once that player is chosen in the options window and the window closes. A completed series comes back
waiting for TAKE WIN, drawn as a picture button, with its celebration over the reels and a HELD ribbon over the
reel its Wild holds; the celebration stays through the collect and goes at the player's next press."""

import subprocess
import time

from case_options import click_option, options_origin, options_shown
from zemdriver import CONVERT, check, settle_seconds

# Two free spins of eleven left; 300 coins won so far. The store balances:
# credit + series total = inserted - wagered + won.
SERIES = {"bank": "1000", "amountinvested": "1000", "wager": "25", "total": "325", "games": "1",
          "reelspeed": "10", "winroll": "0", "soundonoff": "0", "machinepay": "5",
          "freespinstotal": "11", "freespinsplayed": "9", "freespinwin": "300", "winmultiplier": "1",
          "linesplayed": "25", "coinsperline": "1", "reelstop1": "3", "reelstop2": "7", "reelstop3": "11",
          "reelstop4": "2", "reelstop5": "20", "wildhold2": "0", "wildhold3": "0", "wildhold4": "0"}


def red_share(raw):
    """The share of pixels of raw RGB bytes that are strongly red (the HELD ribbon's cloth)."""
    pixels = [raw[i:i + 3] for i in range(0, len(raw) - 2, 3)]
    return sum(1 for r, gr, b in pixels if r > 90 and r > 2 * gr and r > 2 * b) / max(1, len(pixels))


def held_ribbon(g, shot, reel, row):
    """The raw pixels where the HELD ribbon lies on `reel`: across the foot of the cell in `row`."""
    window = g.layout.control("Picture", reel)
    top = g.origin[1] + window["y"] + 125 * row - 28
    geometry = f"{window['w']}x28+{g.origin[0] + window['x']}+{top}"
    return subprocess.run([CONVERT, shot, "-crop", geometry, "+repage", "-depth", "8", "rgb:-"], check=True,
                          capture_output=True, timeout=30).stdout


def completed_series(env):
    # Reel 3 rests with its Wild in the top row, holding the reel for the next spin.
    store = dict(SERIES, freespinsplayed="11", freespinwin="3500", total="3525", heldstop3="11")
    g = env.game({"player1": store})
    g.park_pointer()
    waiting = g.screenshot("completed_series_waiting")
    check(red_share(held_ribbon(g, waiting, 3, 1)) > 0.3, "no HELD ribbon over reel 3's held Wild")
    check(red_share(held_ribbon(g, waiting, 2, 1)) < 0.15, "a HELD ribbon over reel 2, which holds nothing")
    button = g.pixels(waiting, "takewin")
    white = sum(1 for i in range(0, len(button) - 2, 3) if min(button[i:i + 3]) > 230)
    check(white < len(button) // 30, "TAKE WIN is a plain white button")
    plaque = g.pixels(waiting, "picbigwin")

    g.press("takewin")
    g.wait_number("bank", 1000 + 3500)
    g.park_pointer()
    collected = g.screenshot("completed_series_collected")
    check(g.pixels(collected, "picbigwin") == plaque, "the celebration did not stay over the collected total")
    g.press("payline", 5)
    time.sleep(0.5)
    g.park_pointer()
    pressed = g.screenshot("completed_series_pressed_on")
    check(g.pixels(pressed, "picbigwin") != plaque, "the celebration stayed after the player's next press")
    # The spin the Wild held reel 3 for: the ribbon goes with it, and the press is not swallowed by anything.
    g.press("pplay", 1)
    g.wait_spin(2)
    check(red_share(held_ribbon(g, g.screenshot("completed_series_spun"), 3, 1)) < 0.15,
          "the HELD ribbon stayed after the spin it held for")
    g.stop()


def run(env):
    completed_series(env)

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
