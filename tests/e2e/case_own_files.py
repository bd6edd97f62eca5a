# SPDX-License-Identifier: GPL-3.0-or-later
"""The game's own files: a pipe at the store's place neither holds the start up nor is written; the game
plays on and says at the first save that progress is not being saved, and why. A lock that cannot be had
keeps a start from bringing the machine up, and says so."""

import os
import shutil
import signal
import stat
import tempfile

from zemdriver import check


def run(env):
    g = env.game(notice_seen=False, prepare=os.mkfifo)
    g.press("coinsin")  # the coins are taken, and their save is refused
    found = g.find_window("Slots_orvelle", timeout=15)
    check(found is not None, "no notice that progress is not being saved")
    g.screenshot("store_is_a_pipe")
    g.xdo("windowfocus", "--sync", found[0], check_ok=False)
    g.key("Return")
    g.proc.send_signal(signal.SIGTERM)
    check(g.wait_exit(timeout=30) == 0, "zem did not close well on SIGTERM")
    check(stat.S_ISFIFO(os.lstat(g.store_path).st_mode), "the pipe at the store's place was replaced")
    with open(os.path.join(g.home, "zem.log"), errors="replace") as f:
        check("zem.ini is a pipe" in f.read(), "the terminal was not told why nothing is saved")

    # A folder where the lock should be: no lock can be had, and the game does not start.
    home = tempfile.mkdtemp(prefix="zem-e2e-lock-")
    try:
        os.makedirs(os.path.join(home, ".config", "zem", "zem.lock"))
        out = g.refused_start(dict(g.xenv, HOME=home), "a start without its lock", "no_lock")
        check("cannot lock its file" in out, f"a start without its lock did not say why: {out!r}")
        check(not os.path.exists(os.path.join(home, ".config", "zem", "zem.ini")), "the store was written")
    finally:
        shutil.rmtree(home, ignore_errors=True)
