# SPDX-License-Identifier: GPL-3.0-or-later
"""The about window's web button hands the player's manual, written by the build at its place beside the game, to
the desktop's opener; a copy of the game with no manual beside it shows the "ExecuteLink" message instead and
starts no opener."""

import os
import shutil
import tempfile
import time
import urllib.parse

from zemdriver import check

ABOUT = 2  # place of "&about" on the menu bar
TITLE = "About slots_orvelle"


def open_about(g):
    g.menu(ABOUT)
    found = g.find_window(TITLE, timeout=30)
    check(found is not None, "the about window did not open")
    return found[1]


def run(env):
    # The desktop's opener, standing first on the PATH: it notes the address it was given.
    tools = tempfile.mkdtemp(prefix="zem-opener-")
    note = os.path.join(tools, "opened")
    with open(os.path.join(tools, "xdg-open"), "w") as f:
        f.write(f'#!/bin/sh\necho "$1" > "{note}.part" && mv "{note}.part" "{note}"\n')
    os.chmod(os.path.join(tools, "xdg-open"), 0o755)
    path = {"PATH": tools + os.pathsep + os.environ.get("PATH", "")}
    store = {"player1": {"bank": "0", "soundonoff": "0"}}
    try:
        g = env.game(store, game_env=path)
        origin = open_about(g)
        g.press_in(origin, "cmdkestrow", "aboutorvelle")
        g.wait_for(lambda: os.path.exists(note), timeout=15, what="the opener to be started")
        with open(note) as f:
            address = urllib.parse.urlparse(f.read().strip())
        manual = os.path.normpath(os.path.join(os.path.dirname(env.zem), "..", "share", "doc", "zem",
                                               "manual.html"))
        check(address.scheme == "file" and urllib.parse.unquote(address.path) == manual,
              f"the web button opened {address.geturl()}, not {manual}")
        with open(manual, encoding="utf-8") as f:
            check('id="paytable"' in f.read(), f"{manual} is not the player's manual")
        check(g.find_window("ExecuteLink", timeout=1) is None, "an opened manual was reported as a failure")
        g.screenshot("manual_opened")
        g.press_in(origin, "cmdOK", "aboutorvelle")
        g.wait_for(lambda: g.find_window(TITLE, timeout=0.2) is None, timeout=10, what="the about window to close")
        g.stop()

        # The same game from a folder with no manual beside it.
        os.remove(note)
        lone = os.path.join(tempfile.mkdtemp(prefix="zem-lone-"), "app")
        os.makedirs(lone)
        program = shutil.copy(env.zem, lone)
        h = env.game(store, game_env=path, program=program)
        origin = open_about(h)
        h.press_in(origin, "cmdkestrow", "aboutorvelle")
        message = h.find_window("ExecuteLink", timeout=15)
        check(message is not None, "a missing manual gave no ExecuteLink message")
        h.screenshot("manual_missing")
        check(not os.path.exists(note), "an opener was started for a manual that is not there")
        h.close_box(message[0])
        h.wait_for(lambda: h.find_window("ExecuteLink", timeout=0.2) is None, timeout=10,
                   what="the message to close")
        check(h.find_window(TITLE, timeout=2) is not None, "the about window went with the message")
        shutil.rmtree(os.path.dirname(lone), ignore_errors=True)
    finally:
        shutil.rmtree(tools, ignore_errors=True)
