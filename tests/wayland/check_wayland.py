# SPDX-License-Identifier: GPL-3.0-or-later
"""Starts the game under a headless weston with the Wayland platform plug-in and checks, from the protocol the
game speaks (WAYLAND_DEBUG), that its top-level window appears: an xdg_toplevel with the application id whose
surface gets a picture. Then SIGTERM must end it cleanly: exit status 0, the player's record saved.
Each wait has a limit, and a weston that does not come up fails the test with its own log.
Usage: check_wayland.py <zem> <application id>"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SOCKET = "zem-wayland-test"


def fail(message, *logs):
    print(f"FAIL: {message}")
    for name in logs:
        if os.path.exists(name):
            print(f"--- {os.path.basename(name)} (last lines) ---")
            with open(name, errors="replace") as f:
                print("".join(f.readlines()[-40:]))
    sys.exit(1)


def wait_for(condition, limit):
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.1)
    return condition()


def toplevel_shown(log_path, app_id):
    """Whether the log shows a toplevel with the id whose surface got a buffer attached and committed."""
    with open(log_path, errors="replace") as f:
        text = f.read()
    surfaces = dict(re.findall(r"get_xdg_surface\(new id xdg_surface@(\d+), wl_surface@(\d+)\)", text))
    toplevels = dict(re.findall(r"xdg_surface@(\d+)\.get_toplevel\(new id xdg_toplevel@(\d+)\)", text))
    for xdg_surface, toplevel in toplevels.items():
        if f'xdg_toplevel@{toplevel}.set_app_id("{app_id}")' not in text or xdg_surface not in surfaces:
            continue
        surface = surfaces[xdg_surface]
        attached = re.search(rf"wl_surface@{surface}\.attach\(wl_buffer@\d+", text)
        if attached and f"wl_surface@{surface}.commit()" in text[attached.end():]:
            return True
    return False


def main(zem, app_id):
    weston = shutil.which("weston")
    if weston is None:
        fail("weston is missing (scripts/setup installs it)")
    work = tempfile.mkdtemp(prefix="zem-wayland-")
    runtime = os.path.join(work, "runtime")
    home = os.path.join(work, "home")
    os.makedirs(runtime, mode=0o700)
    os.makedirs(os.path.join(home, ".config", "zem"))
    # The autoplay notice already seen, so the machine window is the only window.
    with open(os.path.join(home, ".config", "zem", "zem.ini"), "w") as f:
        f.write("[notice]\nautoplay=-1\n")
    weston_log = os.path.join(work, "weston.log")
    weston_out = os.path.join(work, "weston-output.log")
    zem_log = os.path.join(work, "zem.log")
    base = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET")}
    base.update(XDG_RUNTIME_DIR=runtime, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
    compositor = game = None
    try:
        with open(weston_out, "w") as out:
            compositor = subprocess.Popen(
                [weston, "--backend=headless-backend.so", f"--socket={SOCKET}", "--idle-time=0",
                 f"--log={weston_log}"], env=base, stdout=out, stderr=out)
        if not wait_for(lambda: os.path.exists(os.path.join(runtime, SOCKET)) or compositor.poll() is not None, 20):
            fail("weston made no socket in 20 s", weston_log, weston_out)
        if compositor.poll() is not None:
            fail(f"weston ended with status {compositor.returncode}", weston_log, weston_out)

        env = dict(base, QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY=SOCKET, WAYLAND_DEBUG="1")
        with open(zem_log, "w") as log:
            game = subprocess.Popen([zem], env=env, stdout=log, stderr=log)
        if not wait_for(lambda: toplevel_shown(zem_log, app_id) or game.poll() is not None, 40):
            fail(f"no top-level window with the application id {app_id} was shown in 40 s", zem_log)
        if game.poll() is not None:
            fail(f"zem ended with status {game.returncode} on its own", zem_log)
        time.sleep(1)  # a moment of play before it is stopped

        game.send_signal(signal.SIGTERM)
        try:
            status = game.wait(timeout=20)
        except subprocess.TimeoutExpired:
            fail("zem did not end within 20 s of SIGTERM", zem_log)
        if status != 0:
            fail(f"zem ended with status {status} on SIGTERM", zem_log)
        with open(os.path.join(home, ".config", "zem", "zem.ini")) as f:
            if "[player1]" not in f.read():
                fail("zem ended without saving the player's record", zem_log)
        if compositor.poll() is not None:
            fail(f"weston ended while the game ran (status {compositor.returncode})", weston_log, weston_out)
    finally:
        for process in (game, compositor):
            if process is not None and process.poll() is None:
                process.kill()
                process.wait()
        if os.environ.get("ZEM_KEEP_WAYLAND_LOGS") is None:
            shutil.rmtree(work, ignore_errors=True)
    print(f"zem showed its window as {app_id} under weston and ended cleanly on SIGTERM")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__)
        sys.exit(2)
    main(sys.argv[1], sys.argv[2])
