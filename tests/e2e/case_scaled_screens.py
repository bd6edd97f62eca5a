# SPDX-License-Identifier: GPL-3.0-or-later
"""The game on screens that Qt scales by 2 (QT_SCALE_FACTOR=2) at 1920x1080 and 1280x720: the machine window, the
pay table and the options window each fit the screen, frame included, the options window stands on its painted
wood, and COINS, pressed where it is drawn, still adds 25 coins. A second start reads the pictures the first
painted at the scale from the cache folder instead of painting them again."""

import os
import shutil
import time

from case_options import check_painted
from zemdriver import check


def run(env):
    for screen in ("1920x1080", "1280x720"):
        g = env.game({"player1": {"bank": "0", "amountinvested": "0", "soundonoff": "0"}}, screen=screen,
                     game_env={"QT_SCALE_FACTOR": "2"})
        g.frame_on_screen(g.window, f"the machine window on {screen}")
        g.screenshot(f"scaled_machine_{screen}")
        g.press("coinsin")
        g.wait_number("amountinvested", 25)
        check(g.number("bank") == 25, f"COINS on {screen}: bank {g.number('bank')}")
        time.sleep(0.5)
        for opener, title, shot in ((lambda: g.menu(3), "ORVELLE PAYTABLE", "paytable"),
                                    (lambda: g.press("btnoptions"), "Orvelle Options", "options")):
            opener()
            found = g.find_window(title, timeout=30)
            check(found is not None, f"{title} did not open on {screen}")
            time.sleep(0.8)
            picture = g.screenshot(f"scaled_{shot}_{screen}")
            g.frame_on_screen(found[0], f"{title} on {screen}")
            if shot == "options":
                check_painted(g, picture, found[0], f"{title} on {screen}")
            g.xdo("windowfocus", "--sync", found[0], check_ok=False)
            g.key("Escape")
            g.wait_for(lambda: g.find_window(title, timeout=0.2) is None, 10, f"{title} to close")
        g.stop()

    # The pictures painted at the scale (and at the large size, ahead) were kept in the cache folder. A start
    # with that folder in place reads them: not one of them is painted and written again, nor removed.
    pictures = os.path.join(".cache", "zem", "zem", "pictures")
    kept = os.path.join(g.home, pictures)
    names = sorted(n for n in os.listdir(kept) if n.endswith(".pic")) if os.path.isdir(kept) else []
    check(len(names) > 20, f"the first start kept {len(names)} pictures")
    files = {}

    def with_cache(store_path):
        home = os.path.dirname(os.path.dirname(os.path.dirname(store_path)))
        shutil.copytree(kept, os.path.join(home, pictures))
        files.update({n: os.stat(os.path.join(home, pictures, n)).st_ino for n in names})

    again = env.game({"player1": {"bank": "0", "amountinvested": "0", "soundonoff": "0"}}, screen=screen,
                     game_env={"QT_SCALE_FACTOR": "2"}, prepare=with_cache)
    again.screenshot("scaled_machine_from_cache")
    now = {n: os.stat(os.path.join(again.home, pictures, n)).st_ino
           for n in os.listdir(os.path.join(again.home, pictures)) if n.endswith(".pic")}
    rewritten = sorted(n for n, inode in files.items() if now.get(n) != inode)
    check(not rewritten, f"the second start painted again or removed {rewritten[:5]}")
    again.stop()
