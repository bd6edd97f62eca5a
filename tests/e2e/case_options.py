# SPDX-License-Identifier: GPL-3.0-or-later
"""The options window played through the window system: OPTIONS opens it, a slot is picked, a name typed with
Enter, a setting changed, O.K. closes it, and the store holds both players; then "Large Size 800X600" scales the
machine window up and a bet button pressed at its scaled place plays a spin. The window and its message boxes
stand on the machine's painted wood, over the large machine as well."""

import time

from zemdriver import check, is_wood

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


# Places where only the main frame stands over the painted wood, in twips of the window: between the slots and
# the statistics, between the statistics and the setting groups, under the payout group.
GAPS = [(1650, 1400, 300, 1900), (4530, 1400, 150, 2200), (4800, 4620, 3400, 250)]


def check_painted(g, shot, wid, what):
    """The options window in a screenshot stands on the wood, wherever it is and whatever its scale."""
    x, y, width, _ = g.client_rect(wid)
    k = width / g.layout.windows[WINDOW]["width"] / 15
    for left, top, w, h in GAPS:
        colour = g.area_colour(shot, x + round(left * k), y + round(top * k), max(1, round(w * k)),
                               max(1, round(h * k)))
        check(is_wood(colour), f"{what}: not the painted wood at {left},{top} twips: {colour}")


def message_box_shown(g, what):
    """The message box of the options window: checked in the machine's look, then answered with Return."""
    found = g.find_window("Slots_orvelle", timeout=10)
    check(found is not None, f"{what} did not come up")
    time.sleep(0.5)
    g.check_message_box(found[0], what)
    g.check_message_box_look(found[0], g.screenshot(what.replace(" ", "_")), what)
    g.xdo("windowfocus", "--sync", found[0], check_ok=False)
    g.key("Return")
    g.wait_for(lambda: g.find_window("Slots_orvelle", timeout=0.2) is None, 10, f"{what} to close")


def run(env):
    g = env.game({"player1": {"bank": "1250", "currentplayer": "Grace", "soundonoff": "0", "reelspeed": "1",
                              "games": "3", "wager": "300", "total": "287", "amountinvested": "400"}},
                 screen="1920x1080")
    g.press("btnoptions")
    x, y, wid = options_origin(g)
    time.sleep(0.5)
    check_painted(g, g.screenshot("options_open"), wid, "the options window")
    # Enter on the empty name box: the notice in the machine's look.
    click_option(g, (x, y), "player1")
    g.key("Return")
    message_box_shown(g, "nothing entered")
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
    # The options window over the large machine, at its own size on the wood; the delete question answered
    # with its default, No, closes it and deletes nothing.
    time.sleep(3)
    c = g.layout.control("btnoptions")
    g.press_at(geo["X"] + round((c["x"] + c["w"] / 2) * scale), top + round((c["y"] + c["h"] / 2) * scale))
    x, y, wid = options_origin(g)
    time.sleep(0.5)
    check_painted(g, g.screenshot("options_over_large"), wid, "the options window over the large machine")
    click_option(g, (x, y), "Btndeletedetails")
    message_box_shown(g, "the delete question")
    g.wait_for(lambda: not options_shown(g), 10, "the options window to close after the delete question")
    check(g.player(2).get("currentplayer") == "Ann Lee" and g.player(2).get("games") == "1",
          f"No deleted slot 2: {g.player(2)}")
    # The spin is saved when the game ends; end it with "&exit" (the menu bar keeps its own size).
    g.menu(0)
    g.wait_exit(timeout=30)
    two = g.player(2)
    check(two.get("amountinvested") == "5000", f"NOTES at the scaled place: {two}")
    check(two.get("games") == "1", f"BET 1 at the scaled place: {two}")
