# SPDX-License-Identifier: GPL-3.0-or-later
"""The game's window as the desktop sees it: the program's icon at the sizes a taskbar and a switcher pick
from (not only the pictures' 35 pixels), and the window class the desktop entry names."""

from zemdriver import check


def icons_of(g):
    """The window's _NET_WM_ICON: {(width, height): [ARGB pixels]}."""
    from Xlib import Xatom, display

    d = display.Display(g.display)
    try:
        window = d.create_resource_object("window", int(g.window))
        prop = window.get_full_property(d.intern_atom("_NET_WM_ICON"), Xatom.CARDINAL)
        wm_class = window.get_wm_class()
    finally:
        d.close()
    check(prop is not None, "the window carries no icon")
    values = list(prop.value)
    icons = {}
    i = 0
    while i + 2 <= len(values):
        width, height = values[i], values[i + 1]
        icons[(width, height)] = values[i + 2:i + 2 + width * height]
        i += 2 + width * height
    return icons, wm_class


def run(env):
    g = env.game({"player1": {"bank": "0", "soundonoff": "0"}})
    icons, wm_class = icons_of(g)
    sizes = sorted(w for (w, h) in icons if w == h)
    for size in (16, 32, 48, 128):
        check(size in sizes, f"no {size}x{size} icon on the window; it has {sizes}")
    for size in sizes:
        pixels = icons[(size, size)]
        alpha = lambda x, y: (pixels[y * size + x] >> 24) & 0xFF  # noqa: E731
        # The rounded tile: an opaque middle, clearer corners, and a picture rather than a flat square.
        check(alpha(size // 2, size // 2) == 255, f"the {size}px icon's middle is not opaque")
        check(alpha(0, 0) < 128, f"the {size}px icon's corner is opaque")
        check(len(set(pixels)) > min(40, size), f"the {size}px icon has too few colours")
    check(wm_class == ("zem", "zem"), f"the window class is {wm_class}, the desktop entry names zem")
