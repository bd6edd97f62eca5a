# SPDX-License-Identifier: GPL-3.0-or-later
"""The payline viewer: "PayLines" from the menu bar hides the reels, a pointer moved over a line marker draws that
line across the empty reel area (lin(26) draws line 1), COINS and the space key in the viewer spin nothing, and the
return button brings the reels and keyboard play back."""

import time

from zemdriver import check

PINK = (255, 192, 255)  # line 14
CYAN = (0, 255, 255)  # line 1


def colours(data):
    """The pixels of a crop as a count per RGB colour."""
    counts = {}
    for i in range(0, len(data) - 2, 3):
        rgb = (data[i], data[i + 1], data[i + 2])
        counts[rgb] = counts.get(rgb, 0) + 1
    return counts


def reel_area(g, shot):
    """Colour counts over the middle three reel windows."""
    counts = {}
    for reel in (2, 3, 4):
        for rgb, n in colours(g.pixels(shot, "Picture", reel)).items():
            counts[rgb] = counts.get(rgb, 0) + n
    return counts


def red_share(counts):
    """The share of pixels that are the deep red of the empty reel panels."""
    red = sum(n for (r, gr, b), n in counts.items() if r > 100 and gr < 60 and b < 60)
    return red / max(1, sum(counts.values()))


def hover(g, name, index):
    """Moves the pointer onto a control and a little within it, as a hand does."""
    x, y = g.center(name, index)
    g.xdo("mousemove", str(x - 3), str(y))
    time.sleep(0.1)
    g.xdo("mousemove", str(x), str(y))
    time.sleep(0.6)


def run(env):
    g = env.game({"player1": {"bank": "100000", "reelspeed": "10", "winroll": "0", "soundonoff": "0",
                              "games": "0"}})
    # Markers take no mouse moves in the game.
    hover(g, "lin", 14)
    shot = g.screenshot("viewer_before")
    check(reel_area(g, shot).get(PINK, 0) == 0, "a marker drew its line outside the viewer")
    check(red_share(reel_area(g, shot)) < 0.5, "the reels are not on show")

    g.menu(1)  # "PayLines"
    time.sleep(1.0)
    shot = g.screenshot("viewer_entered")
    check(red_share(reel_area(g, shot)) > 0.95, "the reels are still on show in the viewer")

    hover(g, "lin", 14)
    shot = g.screenshot("viewer_line14")
    pink = reel_area(g, shot).get(PINK, 0)
    check(pink > 300, f"line 14 is not drawn across the reel area ({pink} pixels of its colour)")

    hover(g, "lin", 26)
    shot = g.screenshot("viewer_line1")
    area = reel_area(g, shot)
    check(area.get(CYAN, 0) > 300, f"lin(26) did not draw line 1 ({area.get(CYAN, 0)} cyan pixels)")
    check(area.get(PINK, 0) == 0, "line 14 is still drawn after moving to line 1")

    # COINS pressed as the viewer opens turns keyboard play on at its tick; in the viewer the space key
    # still spins nothing.
    g.press("Btnreturn2game")
    time.sleep(1.0)
    # COINS, then "PayLines" before the coin lands (its tick comes 200 ms after the press): one xdotool run.
    cx, cy = g.center("coinsin")
    g.xdo("mousemove", str(cx), str(cy), "click", "1", "mousemove", str(g.origin[0] + 72),
          str(g.origin[1] - g.menu_height // 2), "click", "1")
    g.wait_number("amountinvested", 25, timeout=10)
    time.sleep(0.5)
    g.key("space")
    time.sleep(3.0)
    check(g.number("games") == 0, f"the space key spun inside the viewer: {g.player()}")
    shot = g.screenshot("viewer_after_coins_and_space")
    check(red_share(reel_area(g, shot)) > 0.95, "the reels came back inside the viewer")

    g.press("Btnreturn2game")
    g.wait_for_screen("viewer_returned", lambda shot: red_share(reel_area(g, shot)) < 0.5, 10,
                      "the reels to come back")

    # Escape leaves the viewer as the return button does.
    g.menu(1)
    g.wait_for_screen("viewer_again", lambda shot: red_share(reel_area(g, shot)) > 0.95, 10,
                      "the viewer to open again")
    g.key("Escape")
    g.wait_for_screen("viewer_escaped", lambda shot: red_share(reel_area(g, shot)) < 0.5, 10,
                      "Escape to leave the viewer")

    # Keyboard play is back.
    g.key("space")
    g.wait_number("games", 1, timeout=20)
