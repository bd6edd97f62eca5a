# SPDX-License-Identifier: GPL-3.0-or-later
"""The card gamble through the window system: after a win, GAMBLE opens the panel; RED, BLACK and the four suit
buttons each bet, TAKE WIN takes what is at risk. Every button looks dimmed exactly while it is disabled: GAMBLE
before a win, the panel's buttons while a card is revealed and while a lost gamble closes. The cards are the game's own draws, so the case reads each
outcome from the store, which holds after every decided card what the player would have if the win were taken
then: a right guess raises credit and total by the gain, a wrong one takes the stake off the credit only."""

import time

from zemdriver import CaseFailed, check

STORE = {"player1": {"bank": "100000", "reelspeed": "1", "winroll": "0", "soundonoff": "0", "machinepay": "1",
                     "games": "0", "wager": "0", "total": "0", "amountinvested": "0", "howmanyspins": "0"}}
BETS = [("betred", 0, 2), ("betblack", 0, 2), ("suitbet", 1, 4), ("suitbet", 2, 4), ("suitbet", 3, 4),
        ("suitbet", 4, 4)]
REVEAL = 0.75  # fifteen frames of 50 ms
LOST_PAUSE = 3.0


def spin(g):
    """One paid spin with BET 1; returns what there is to gamble after it: the spin's win, or, when it started
    a free-spin series, the series' total, collected with TAKE WIN once the series is over (0 for nothing)."""
    return g.paid_spin(lambda: g.press("pplay", 1), lambda: g.press("takewin"))


def win(g):
    """Spins until there is a win to gamble and returns it."""
    for _ in range(60):
        won = spin(g)
        if won > 0:
            return won
    raise CaseFailed("no win in 60 spins")


def lightness(raw):
    """The mean of the channels of raw RGB bytes."""
    return sum(raw) / max(1, len(raw))


PANEL_BUTTONS = [("betred", 0), ("betblack", 0), ("cancelbet", 0), ("suitbet", 1), ("suitbet", 4)]


def check_dimmed(g, live, shot, what):
    """Checks that the panel's buttons in `shot` show their dimmed look, not the `live` one."""
    for name, index in PANEL_BUTTONS:
        now = g.pixels(shot, name, index)
        check(lightness(now) < lightness(live[(name, index)]) - 10, f"{name}({index}) looks live {what}")


def panel_shown(g, shot):
    """Whether the gamble panel stands over the reels: a good share of its rectangle is its dark brown leather,
    which the reels beneath do not show."""
    raw = g.pixels(shot, "pandouble")
    pixels = [raw[i:i + 3] for i in range(0, len(raw) - 2, 3)]
    leather = sum(1 for r, gr, b in pixels if 15 <= r <= 80 and gr <= 32 and b <= 22 and r >= 1.4 * gr)
    return leather > 0.15 * len(pixels)


def decide(g, name, index, gained, lost, live=None):
    """Presses a bet button until it bets (a press while the last card is still being revealed is ignored) and
    returns the store's (bank, total) once the card is decided; given the buttons' `live` looks, checks that they
    look dimmed while the card is revealed (the store holds the card before its reveal ends)."""
    for _ in range(4):
        g.press(name, index)
        g.park_pointer()  # no hint over the buttons
        deadline = time.time() + 2.5
        while time.time() < deadline:
            now = (g.number("bank"), g.number("total"))
            if now in (gained, lost) and live is None:
                return now
            if now in (gained, lost):
                decided = time.time()
                shot = g.screenshot("gamble_revealing")
                # The reveal lasts 750 ms from the store's write: a screenshot taken later than that on a loaded
                # machine may show a right guess's buttons live again, and proves nothing either way.
                if now == lost or time.time() - decided < 0.5:
                    check_dimmed(g, live, shot, "during the reveal")
                return now
            time.sleep(0.05)
    raise CaseFailed(f"{name}({index}) decided no card; store: {g.player()}")


def run(env):
    g = env.game(STORE)
    g.park_pointer()
    start = g.screenshot("gamble_start")
    check(not panel_shown(g, start), "the gamble panel shows at start")
    unlit = g.pixels(start, "doublebutton")

    # The gamble button does nothing before a win.
    g.press("doublebutton")
    time.sleep(0.4)
    check(not panel_shown(g, g.screenshot("gamble_disabled")), "the gamble opened without a win")

    pressed = set()
    took = False
    while len(pressed) < len(BETS) or not took:
        stake = win(g)
        bank, total = g.number("bank"), g.number("total")
        g.park_pointer()
        lit = g.pixels(g.screenshot("gamble_ready"), "doublebutton")
        check(lightness(lit) > lightness(unlit) + 10, "GAMBLE looks the same disabled and ready")
        g.press("doublebutton")
        time.sleep(0.5)
        g.park_pointer()
        opened = g.screenshot("gamble_open")
        check(panel_shown(g, opened), "GAMBLE did not open the panel")
        live = {button: g.pixels(opened, *button) for button in PANEL_BUTTONS}
        # Opening keeps the store as if the win were taken at once.
        check((g.number("bank"), g.number("total")) == (bank, total), f"opening changed the store: {g.player()}")

        at_risk = stake
        open_ = True
        while open_:
            todo = [b for b in BETS if (b[0], b[1]) not in pressed]
            if not todo:
                # TAKE WIN: the panel closes with what is at risk in the credit; the store already held it.
                g.press("cancelbet")
                time.sleep(0.4)
                check(not panel_shown(g, g.screenshot("gamble_taken")), "TAKE WIN left the panel up")
                check(g.number("bank") == bank - stake + at_risk, f"TAKE WIN: {g.player()}")
                check(g.number("total") == total - stake + at_risk, f"TAKE WIN: {g.player()}")
                spin(g)  # waits for the spin to be in the store
                took = True
                break
            name, index, factor = todo[0]
            pressed.add((name, index))
            gained = (bank - stake + at_risk * factor, total - stake + at_risk * factor)
            lost = (bank - stake, total)
            if decide(g, name, index, gained, lost, live) == gained:
                at_risk *= factor
                time.sleep(REVEAL + 0.5)
                g.park_pointer()
                shot = g.screenshot("gamble_right_guess")
                check(panel_shown(g, shot), "a right guess closed the panel")
                for button in PANEL_BUTTONS:
                    check(g.pixels(shot, *button) == live[button], f"{button} is not live again after a right guess")
            else:
                time.sleep(REVEAL + 0.5)
                shot = g.screenshot("gamble_lost")
                check(panel_shown(g, shot), "a lost gamble closed before its pause")
                check_dimmed(g, live, shot, "while the lost gamble closes")
                g.wait_for(lambda: not panel_shown(g, g.screenshot("gamble_closed")), LOST_PAUSE + 5,
                           "the lost gamble's panel to close")
                check(g.number("bank") == bank - stake, f"a lost gamble: {g.player()}")
                open_ = False

