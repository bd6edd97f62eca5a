# SPDX-License-Identifier: GPL-3.0-or-later
"""The pay-table and about windows: each opens from the menu bar with its frame at the screen's corner and the
machine window disabled, and closes by its button, by a click on its frame's close box and by Escape, with the
machine window taking input again (a press on COINS counts)."""

import time

from zemdriver import check

PAYTABLE, ABOUT = 3, 2  # places of "&Paytable" and "&about" on the menu bar (exit, PayLines, about, Paytable)


def run(env):
    g = env.game({"player1": {"bank": "0", "amountinvested": "0", "soundonoff": "0", "machinepay": "5"}})
    inserted = 0
    cases = [(PAYTABLE, "ORVELLE PAYTABLE", "orvellepays", "btnunloadpays"),
             (ABOUT, "About slots_orvelle", "aboutorvelle", "cmdOK")]
    for position, title, window, button in cases:
        for way in (button, "close box", "Escape"):
            what = f"{window} by {way}"
            g.menu(position)
            found = g.find_window(title, timeout=30)  # the first pay table computes the return first
            check(found is not None, f"{what}: the window did not open")
            wid, origin = found
            time.sleep(0.5)
            g.screenshot(f"{window}_open")
            frame = g.frame_rect(wid)
            check(frame[:2] == (0, 0), f"{what}: its frame stands at {frame[:2]}, not at the screen's corner")
            # The machine window takes no input while it is open.
            g.press("coinsin")
            time.sleep(0.6)
            check(g.number("amountinvested") == inserted, f"{what}: COINS took a press behind the window")
            if way == "close box":
                g.click_close_box(wid)
            elif way == "Escape":
                g.xdo("windowfocus", "--sync", wid, check_ok=False)  # the click on COINS took the keyboard
                g.key("Escape")
            else:
                g.press_in(origin, button, window)
            deadline = time.time() + 10
            while time.time() < deadline and g.find_window(title, timeout=0.2) is not None:
                time.sleep(0.1)
            check(g.find_window(title, timeout=0.2) is None, f"{what}: the window stayed open")
            # Enabled again: COINS puts 25 coins in.
            time.sleep(0.3)
            g.press("coinsin")
            inserted += 25
            g.wait_number("amountinvested", inserted)
            time.sleep(0.5)  # the coin animation ends before the next menu choice
    g.screenshot("info_windows_closed")
