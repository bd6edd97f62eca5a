# SPDX-License-Identifier: GPL-3.0-or-later
"""The game's windows on a desktop with a window manager, on a small and a large screen: every window's frame,
title bar included, wholly on screen; a click on the disabled machine window (its reels, its title bar, its menu
bar) while another window of the game's is open leaves that window on top and gives it the keys; Escape closes
the options window with its closing steps; a message box wears the machine's look and frames itself with a title
strip and a close box, and no maximise box: it is dragged by its strip and closed by its close box."""

import time

from case_options import click_option
from zemdriver import check

# How each window opens, its title, and how the player leaves it.
CHILDREN = [("the pay table", lambda g: g.menu(3), "ORVELLE PAYTABLE"),
            ("the about window", lambda g: g.menu(2), "About slots_orvelle"),
            ("the options window", lambda g: g.press("btnoptions"), "Orvelle Options")]


def clicks_on_machine(g):
    """Where a player clicks on the machine window: its reels, its title bar, its menu bar."""
    x, y, width, _ = g.frame_rect(g.window)
    return [("the reels", g.origin[0] + round(400 * g.scale), g.origin[1] + round(200 * g.scale)),
            ("the title bar", x + width // 3, y + g.frame_extents(g.window)[2] // 2),
            ("the menu bar", g.origin[0] + round(100 * g.scale), g.origin[1] - g.menu_height // 2)]


def stays_on_top(g, wid, what):
    for where, x, y in clicks_on_machine(g):
        g.press_at(x, y)
        time.sleep(0.6)  # apart, so that two clicks on the title bar are no double click
        stack = g.stacking()
        check(stack and stack[-1] == int(wid),
              f"{what}: a click on the machine window's {where} put it above: stack {stack}, window {int(wid)}")
        # The keys typed next are for the window on top: it has the desktop's focus again.
        g.wait_for(lambda: g.window_property("_NET_ACTIVE_WINDOW") == [int(wid)], 5,
                   f"{what} to have the focus back after a click on the machine window's {where}")


def message_box(g, timeout=10.0):
    """The X id of the game's window that is neither the machine window nor one found by its title."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        ids = [w for w in g.xdo("search", "--onlyvisible", "--pid", str(g.proc.pid), check_ok=False).split()
               if w != g.window]
        if ids:
            return ids[0]
        time.sleep(0.2)
    check(False, "no message box came up")


def run(env):
    for screen in ("1024x768", "1920x1080"):
        g = env.game({"player1": {"bank": "0", "amountinvested": "0", "reelspeed": "1", "soundonoff": "0"}},
                     notice_seen=False, screen=screen)
        g.frame_on_screen(g.window, f"the machine window on {screen}")
        for name, opener, title in CHILDREN:
            what = f"{name} on {screen}"
            opener(g)
            found = g.find_window(title, timeout=30)
            check(found is not None, f"{what} did not open")
            wid, origin = found
            time.sleep(0.5)
            g.frame_on_screen(wid, what)
            stays_on_top(g, wid, what)
            if title == "Orvelle Options":
                # Escape closes it as its close box does: the setting changed is stored.
                click_option(g, origin, "setspeed", 2)
            g.key("Escape")
            g.wait_for(lambda: g.find_window(title, timeout=0.2) is None, 10, f"Escape to close {what}")
        g.wait_for(lambda: g.player().get("reelspeed") == "4", 10, "the speed chosen to be stored")
        # The machine window takes input again.
        g.press("coinsin")
        g.wait_number("amountinvested", 25)
        time.sleep(0.5)

        # The autoplay notice: a message box with a close box and nothing to maximise.
        g.press("autoplayon")
        box = message_box(g)
        time.sleep(0.5)
        shot = g.screenshot(f"autoplay_notice_{screen}")
        g.check_message_box(box, f"the autoplay notice on {screen}")
        g.check_message_box_look(box, shot, f"the autoplay notice on {screen}")
        stays_on_top(g, box, f"the autoplay notice on {screen}")
        # Dragged by its title strip it follows the pointer; its own close box closes it as OK does.
        x, y, _, _ = g.client_rect(box)
        g.drag((x + 60, y + 10), (x + 20, y + 50))
        time.sleep(0.3)
        moved = g.client_rect(box)[:2]
        check(moved == (x - 40, y + 40), f"the autoplay notice dragged from {(x, y)} by (-40, 40) went to {moved}")
        g.press_at(*g.message_box_close_box(box))
        g.wait_for(lambda: g.store().get("notice", {}).get("autoplay") == "-1", 10, "the notice to be read")
        g.stop()
