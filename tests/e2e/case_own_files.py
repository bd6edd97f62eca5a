"""The game's own files: a pipe at the store's place neither holds the start up nor is written; the game
plays on and says at the first save that progress is not being saved, and why. A lock that cannot be had
keeps a start from bringing the machine up, and says so."""

import os
import shutil
import signal
import stat
import subprocess
import tempfile
import time

from zemdriver import check, die_with_parent


def dismiss(g, box):
    g.xdo("windowfocus", "--sync", box, check_ok=False)
    g.key("Return")


def run(env):
    g = env.game(notice_seen=False, prepare=os.mkfifo)
    g.press("coinsin")  # the coins are taken, and their save is refused
    found = g.find_window("Slots_orvelle", timeout=15)
    check(found is not None, "no notice that progress is not being saved")
    g.screenshot("store_is_a_pipe")
    dismiss(g, found[0])
    g.proc.send_signal(signal.SIGTERM)
    check(g.wait_exit(timeout=30) == 0, "zem did not close well on SIGTERM")
    check(stat.S_ISFIFO(os.lstat(g.store_path).st_mode), "the pipe at the store's place was replaced")
    with open(os.path.join(g.home, "zem.log"), errors="replace") as f:
        check("zem.ini is a pipe" in f.read(), "the terminal was not told why nothing is saved")

    # A folder where the lock should be: no lock can be had, and the game does not start.
    home = tempfile.mkdtemp(prefix="zem-e2e-lock-")
    try:
        os.makedirs(os.path.join(home, ".config", "zem", "zem.lock"))
        second = subprocess.Popen([env.zem], env=dict(g.xenv, HOME=home), stdout=subprocess.PIPE,
                                  stderr=subprocess.STDOUT, preexec_fn=die_with_parent)
        box = None
        deadline = time.time() + 30
        while time.time() < deadline and box is None:
            ids = g.xdo("search", "--onlyvisible", "--pid", str(second.pid), check_ok=False).split()
            box = ids[0] if ids else None
            time.sleep(0.2)
        check(box is not None, "a start without its lock showed nothing")
        check("Current Player" not in g.xdo("getwindowname", box), "the machine came up without its lock")
        g.screenshot("no_lock")
        dismiss(g, box)
        try:
            code = second.wait(timeout=20)
        except subprocess.TimeoutExpired:
            second.kill()
            raise
        out = second.stdout.read().decode(errors="replace")
        check(code == 1, f"a start without its lock ended with {code}")
        check("cannot lock its file" in out, f"a start without its lock did not say why: {out!r}")
        check(not os.path.exists(os.path.join(home, ".config", "zem", "zem.ini")), "the store was written")
    finally:
        shutil.rmtree(home, ignore_errors=True)
