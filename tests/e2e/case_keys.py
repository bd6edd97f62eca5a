# SPDX-License-Identifier: GPL-3.0-or-later
"""The whole machine from the keyboard: C and N put money in, the digit keys choose the lines and Q W E R T Y spin
at each bet (the store's wager shows lines times coins), G does nothing before a win and opens the gamble after
one, where Left, Right, U, I, J and K bet and Enter takes the win, F1 and O open the pay table and the options and
Escape closes them, P opens the payline viewer and Escape leaves it, A switches autoplay on and off, and M switches
the sound, kept in the store as the options window keeps it."""

import time

from case_gamble import REVEAL, LOST_PAUSE, panel_shown
from case_payline_viewer import reel_area, red_share
from zemdriver import CaseFailed, check

STORE = {"player1": {"bank": "0", "reelspeed": "1", "winroll": "0", "soundonoff": "0", "machinepay": "1",
                     "games": "0", "wager": "0", "total": "0", "amountinvested": "0", "howmanyspins": "0"}}
# Lines key, bet key, lines times coins per line.
SPINS = [("2", "w", 5 * 2), ("1", "e", 1 * 3), ("3", "r", 10 * 5), ("4", "t", 15 * 10), ("5", "y", 25 * 20),
         ("5", "q", 25 * 1)]
GAMBLE_KEYS = [("Left", 2), ("Right", 2), ("u", 4), ("i", 4), ("j", 4), ("k", 4)]


def spin_by_key(g, key):
    """One paid spin by `key`; a free-spin series it starts is played out and collected with Enter. Returns what
    it won (0 for nothing)."""
    return g.paid_spin(lambda: g.key(key), lambda: g.key("Return"))


def gamble_by_key(g, key, factor):
    """Wins, opens the gamble with G, bets with `key` and checks the store took the bet; takes a right guess
    with Enter."""
    for _ in range(60):
        stake = spin_by_key(g, "q")
        if stake > 0:
            break
    else:
        raise CaseFailed("no win in 60 spins")
    bank, total = g.number("bank"), g.number("total")
    g.key("g")
    g.wait_for_screen("keys_gamble_open", lambda shot: panel_shown(g, shot), 5, "G to open the gamble")
    gained = (bank - stake + stake * factor, total - stake + stake * factor)
    lost = (bank - stake, total)
    g.key(key)
    g.wait_for(lambda: (g.number("bank"), g.number("total")) in (gained, lost), 5, f"{key} to bet")
    if (g.number("bank"), g.number("total")) == gained:
        time.sleep(REVEAL + 0.5)
        g.key("Return")
        g.wait_for_screen("keys_gamble_taken", lambda shot: not panel_shown(g, shot), 5, "Enter to take the win")
        check((g.number("bank"), g.number("total")) == gained, f"Enter after {key}: {g.player()}")
    else:
        g.wait_for_screen("keys_gamble_lost", lambda shot: not panel_shown(g, shot), LOST_PAUSE + 5,
                          "the lost gamble to close")


def open_and_escape(g, key, title, what):
    g.key(key)
    found = g.find_window(title, timeout=30)
    check(found is not None, f"{key} did not open {what}")
    time.sleep(0.5)
    g.screenshot(f"keys_{what}")
    g.xdo("windowfocus", "--sync", found[0], check_ok=False)
    g.key("Escape")
    deadline = time.time() + 10
    while g.find_window(title, timeout=0.2) is not None:
        check(time.time() < deadline, f"Escape did not close {what}")
    g.xdo("windowfocus", "--sync", g.window, check_ok=False)
    time.sleep(0.3)


def run(env):
    g = env.game(STORE)
    g.park_pointer()

    # G before any win: the gamble button is disabled, and so is its key.
    g.key("g")
    time.sleep(0.5)
    check(not panel_shown(g, g.screenshot("keys_gamble_disabled")), "G opened the gamble without a win")

    g.key("c")
    g.wait_number("amountinvested", 25)
    g.key("n")
    g.wait_number("amountinvested", 5025)
    check(g.number("bank") == 5025, f"C and N: {g.player()}")

    for lines_key, bet_key, wager in SPINS:
        before = g.number("wager")
        g.key(lines_key)
        time.sleep(0.2)
        spin_by_key(g, bet_key)
        check(g.number("wager") - before == wager, f"{lines_key} then {bet_key} bet {g.number('wager') - before}, "
                                                   f"not {wager}")

    for key, factor in GAMBLE_KEYS:
        gamble_by_key(g, key, factor)

    open_and_escape(g, "F1", "ORVELLE PAYTABLE", "paytable")
    open_and_escape(g, "o", "Orvelle Options", "options")

    # P shows the paylines in place of the reels; Escape brings the reels back.
    g.key("p")
    g.wait_for_screen("keys_viewer", lambda shot: red_share(reel_area(g, shot)) > 0.95, 10, "P to open the viewer")
    g.key("Escape")
    g.wait_for_screen("keys_viewer_left", lambda shot: red_share(reel_area(g, shot)) < 0.5, 10,
                      "Escape to leave the viewer")

    # A switches autoplay on, and again off.
    games = g.number("games")
    g.key("a")
    g.wait_for(lambda: g.number("games") >= games + 2, 30, "A to start autoplay")
    g.key("a")
    time.sleep(3.0)
    before = g.number("games")
    time.sleep(2.5)
    check(g.number("games") == before, "autoplay still spins after the second A")

    # M: the sound on, saved; again, off.
    g.key("m")
    g.wait_for(lambda: g.player().get("soundonoff") == "-1", 5, "M to switch the sound on")
    g.key("m")
    g.wait_for(lambda: g.player().get("soundonoff") == "0", 5, "M to switch the sound off")
    g.screenshot("keys_end")
