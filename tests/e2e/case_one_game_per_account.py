# SPDX-License-Identifier: GPL-3.0-or-later
"""One game per account: a second start beside a running game says so and brings no machine window up, and
never writes the store; SIGTERM closes the running game through its shutdown; a game killed outright leaves a
lock that the next start takes over."""

import os
import signal
import subprocess
import time

from zemdriver import check, die_with_parent


def run(env):
    g = env.game({"player1": {"bank": "700", "amountinvested": "700", "soundonoff": "0"}})
    g.press("coinsin")
    g.wait_number("bank", 725)
    before = open(g.store_path, "rb").read()

    out = g.refused_start(g.xenv, "the second start", "second_start")
    check("already running" in out, f"the second start did not say why: {out!r}")
    check(open(g.store_path, "rb").read() == before, "the second start wrote the store")
    check(g.running(), "the first game ended")

    # SIGTERM: the shutdown of the close box, the record saved.
    g.proc.send_signal(signal.SIGTERM)
    code = g.wait_exit(timeout=30)
    check(code == 0, f"zem ended with {code} on SIGTERM")
    check(g.number("bank") == 725, f"bank after SIGTERM: {g.number('bank')}")

    # A game killed outright: its lock stays behind and the next start takes it over.
    k = env.game({"player1": {"bank": "50", "soundonoff": "0"}})
    lock = os.path.join(os.path.dirname(k.store_path), "zem.lock")
    k.proc.kill()
    k.proc.wait()
    check(os.path.exists(lock), "no lock file beside the store")
    again = subprocess.Popen([env.zem], env=k.xenv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                             preexec_fn=die_with_parent)
    try:
        deadline = time.time() + 30
        window = []
        while time.time() < deadline and not window:
            window = k.xdo("search", "--onlyvisible", "--pid", str(again.pid), check_ok=False).split()
            time.sleep(0.2)
        check(window, "the start after a kill brought no window up")
        check(k.xdo("getwindowname", window[0]).startswith("Current Player"), "not the machine window")
        check(open(lock).read().strip() == str(again.pid), "the lock is not the new game's")
    finally:
        again.send_signal(signal.SIGTERM)
        again.wait(timeout=30)
