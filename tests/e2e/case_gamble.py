"""The card gamble through the window system: after a win, GAMBLE opens the panel; RED, BLACK and the four suit
buttons each bet, TAKE WIN takes what is at risk. The cards are the game's own draws, so the case reads each
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
    """One paid spin with BET 1; returns the coins it won (0 for none)."""
    games, total = g.number("games"), g.number("total")
    g.press("pplay", 1)
    g.wait_number("games", games + 1, timeout=20)
    time.sleep(0.3)
    return g.number("total") - total


def win(g):
    """Spins until there is a win to gamble and returns it: a spin's win, or a free-spin series' total, which
    the player collects with TAKE WIN once the series is over."""
    for _ in range(60):
        series = g.number("howmanyspins")
        won = spin(g)
        if g.number("howmanyspins") != series:
            bank = g.number("bank")
            deadline = time.time() + 120
            while g.number("bank") == bank:
                check(time.time() < deadline, "the free-spin series was never collected")
                g.press("takewin")
                time.sleep(1.0)
            return g.number("bank") - bank
        if won > 0:
            return won
    raise CaseFailed("no win in 60 spins")


def panel_shown(g, shot):
    """Whether the gamble panel stands over the reels: its caption "past history" is yellow on the dark history
    tray, where the reels beneath show pale parchment."""
    raw = g.pixels(shot, "Lblpasthistory")
    pixels = [raw[i:i + 3] for i in range(0, len(raw) - 2, 3)]
    dark = sum(1 for r, gr, b in pixels if r < 60 and gr < 60 and b < 60)
    yellow = sum(1 for r, gr, b in pixels if r > 180 and gr > 180 and b < 90)
    return dark > len(pixels) // 2 and yellow > 20


def run(env):
    g = env.game(STORE)
    check(not panel_shown(g, g.screenshot("gamble_start")), "the gamble panel shows at start")

    # The gamble button does nothing before a win.
    g.press("doublebutton")
    time.sleep(0.4)
    check(not panel_shown(g, g.screenshot("gamble_disabled")), "the gamble opened without a win")

    pressed = set()
    took = False
    right_shot = False
    while len(pressed) < len(BETS) or not took:
        stake = win(g)
        bank, total = g.number("bank"), g.number("total")
        g.press("doublebutton")
        time.sleep(0.5)
        check(panel_shown(g, g.screenshot("gamble_open")), "GAMBLE did not open the panel")
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
            g.press(name, index)
            gained = (bank - stake + at_risk * factor, total - stake + at_risk * factor)
            lost = (bank - stake, total)
            g.wait_for(lambda: (g.number("bank"), g.number("total")) in (gained, lost), 3.0,
                       f"{name}({index}) to decide a card")
            if (g.number("bank"), g.number("total")) == gained:
                at_risk *= factor
                time.sleep(REVEAL + 0.3)
                if not right_shot:
                    g.screenshot("gamble_right_guess")
                    right_shot = True
            else:
                time.sleep(REVEAL + 0.5)
                check(panel_shown(g, g.screenshot("gamble_lost")), "a lost gamble closed before its pause")
                time.sleep(LOST_PAUSE)
                check(not panel_shown(g, g.screenshot("gamble_closed")), "a lost gamble stayed open")
                check(g.number("bank") == bank - stake, f"a lost gamble: {g.player()}")
                open_ = False
