# SPDX-License-Identifier: GPL-3.0-or-later
"""The options window played through the window system: OPTIONS opens it, a slot is picked, a name typed with
Enter, a setting changed, O.K. closes it, and the store holds both players; then "Large Size 800X600" scales the
machine window up and a bet button pressed at its scaled place plays a spin."""

import time

from zemdriver import check

WINDOW = "frmorvelleoptions"


def options_origin(g, timeout=10.0):
    """The options window's client area on the screen (it has no menu bar), once it is shown."""
    found = g.find_window("Orvelle Options", timeout)
    check(found is not None, "the options window did not appear")
    wid, (x, y) = found
    return x, y, wid


def options_shown(g):
    return bool(g.xdo("search", "--onlyvisible", "--name", "^Orvelle Options$", check_ok=False).split())


def click_option(g, origin, name, index=0):
    c = g.layout.control(name, index, WINDOW)
    # Option buttons: on their circle, at the left of the control; other controls at their middle.
    x = origin[0] + c["x"] + (8 if name in ("machine", "setspeed") else c["w"] // 2)
    g.press_at(x, origin[1] + c["y"] + c["h"] // 2)
    time.sleep(0.3)


def run(env):
    g = env.game({"player1": {"bank": "1250", "currentplayer": "Grace", "soundonoff": "0", "reelspeed": "1",
                              "games": "3", "wager": "300", "total": "287", "amountinvested": "400"}})
    g.press("btnoptions")
    x, y, _ = options_origin(g)
    time.sleep(0.5)
    g.screenshot("options_open")
    click_option(g, (x, y), "machine", 2)
    g.xdo("type", "--delay", "40", "Ann Lee")
    g.key("Return")
    # The name is stored at once, as typed, while the window stays open.
    g.wait_for(lambda: g.player(2).get("currentplayer") == "Ann Lee", 10, "slot 2 to hold the name typed")
    check(options_shown(g), "Enter in the name closed the options window")
    click_option(g, (x, y), "setspeed", 2)
    g.screenshot("options_named")
    click_option(g, (x, y), "btnokplayer")
    g.wait_for(lambda: not options_shown(g), 5, "the options window to close")
    one, two = g.player(1), g.player(2)
    check(one.get("bank") == "1250" and one.get("currentplayer") == "Grace", f"slot 1: {one}")
    check(two.get("reelspeed") == "4", f"slot 2's reel speed: {two}")
    check(two.get("bank") == "0" and two.get("currentplayer") == "Ann Lee", f"slot 2: {two}")
    title = g.xdo("getwindowname", g.window).strip()
    check(title == "Current Player       ANN LEE", f"caption: {title!r}")

    # The large size: the machine window fills the screen and the bet buttons still take their presses.
    g.press("btnoptions")
    x, y, _ = options_origin(g)
    time.sleep(0.5)
    click_option(g, (x, y), "cmdlargescreen")
    g.wait_for(lambda: not options_shown(g), 60, "the options window to close after the large size")
    client = g.layout.windows["orvelle"]
    deadline = time.time() + 30
    while time.time() < deadline and g.geometry()["WIDTH"] <= client["width"]:
        time.sleep(0.2)
    geo = g.geometry()
    check(geo["WIDTH"] > client["width"] * 1.2, f"the window was not scaled up: {geo}")
    scale = geo["WIDTH"] / client["width"]
    top = geo["Y"] + geo["HEIGHT"] - round(client["height"] * scale)
    g.screenshot("machine_large")
    # Slot 2 has no credit: NOTES first, then BET 1, both at their scaled places.
    for name in ("notes", "pplay"):
        c = g.layout.control(name, 1 if name == "pplay" else 0)
        g.press_at(geo["X"] + round((c["x"] + c["w"] / 2) * scale), top + round((c["y"] + c["h"] / 2) * scale))
        time.sleep(1.0)
    # The spin is saved when the game ends; end it with "&exit" (the menu bar keeps its own size).
    time.sleep(3)
    g.menu(0)
    g.wait_exit(timeout=30)
    two = g.player(2)
    check(two.get("amountinvested") == "5000", f"NOTES at the scaled place: {two}")
    check(two.get("games") == "1", f"BET 1 at the scaled place: {two}")
