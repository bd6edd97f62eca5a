# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays the real zem through the window system: a private Xvfb managed by openbox, a fresh HOME with a prepared
store, real pointer motion, presses, releases and keys made with xdotool, and the store file and screenshots read
back.

A case is a file case_<name>.py beside this one with a function run(env); env.game(store) starts a game. Click
positions come from zem-e2e-layout, which prints where the layout puts every control.
"""

import configparser
import ctypes
import json
import os
import random
import shutil
import signal
import subprocess
import tempfile
import time

# The game draws its outcomes from this seed (ZEM_SEED), so a case plays the same reels every run; None
# leaves them to chance.
DEFAULT_SEED = 1

# The screen a game gets unless a case asks for another (width x height).
DEFAULT_SCREEN = "1024x768"

# ImageMagick's own programs, by their full names: another "convert" may stand earlier on the PATH.
IMPORT = "/usr/bin/import"
CONVERT = "/usr/bin/convert"


def settle_seconds(reelspeed):
    """How long a spin goes on being shown after the store holds it: the store takes a spin as its reels start,
    and the reels' run (its pauses grow with the reel speed, and every frame is drawn) comes after, with room
    for a loaded machine."""
    return 1.0 + 0.5 * max(1, reelspeed or 1)


def die_with_parent():
    """Ends a child (the X server, the game) with the suite, even when the suite is killed."""
    ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


class CaseFailed(AssertionError):
    pass


def is_wood(rgb):
    """The machine's dark wood (dark, red above green above blue), never a desktop form's grey."""
    r, g, b = rgb
    return r < 110 and r > g >= b and r >= b + 6


def is_gold(rgb):
    r, g, b = rgb
    return r > 180 and r > b + 100


def check(condition, message):
    if not condition:
        raise CaseFailed(message)


class Env:
    """What a case gets: the programs under test, an output folder and a way to start games."""

    def __init__(self, zem, layout_tool, out_dir, math=None):
        self.zem = zem
        self.math = math  # zem-math, for the cases that read the store with it
        self.out_dir = out_dir
        os.makedirs(out_dir, exist_ok=True)
        self.layout = Layout(subprocess.check_output([layout_tool], text=True))
        self.games = []

    def game(self, store=None, notice_seen=True, seed=DEFAULT_SEED, screen=DEFAULT_SCREEN, game_env=None,
             prepare=None, program=None, sound=None):
        """A game on a screen of its own; `game_env` adds variables to the game's environment only, `prepare`
        readies its HOME before the start, `program` runs another copy of the game than the one under test, and
        with `sound` (a soundserver.SoundServer) it plays into that server."""
        g = Game(self, store or {}, notice_seen, seed, screen, game_env or {}, prepare, program or self.zem,
                 sound)
        self.games.append(g)
        return g

    def close(self):
        for g in self.games:
            g.stop()


class Layout:
    def __init__(self, text):
        self.controls = {}
        self.windows = {}
        for line in text.splitlines():
            item = json.loads(line)
            if "name" in item:
                self.controls[(item["window"], item["name"], item["index"])] = item
            else:
                self.windows[item["window"]] = item

    def control(self, name, index=0, window="orvelle"):
        key = (window, name, index)
        if key not in self.controls:
            raise CaseFailed(f"the layout has no control {name}({index}) in {window}")
        return self.controls[key]


def read_store(path):
    """The store as {section: {key: text}}; QSettings writes plain INI."""
    parser = configparser.RawConfigParser(strict=False, interpolation=None)
    parser.optionxform = str
    if os.path.exists(path):
        with open(path, encoding="utf-8", errors="replace") as f:
            parser.read_file(f)
    return {s: dict(parser.items(s)) for s in parser.sections()}


def write_store(path, sections):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        for section, values in sections.items():
            f.write(f"[{section}]\n")
            for key, value in values.items():
                f.write(f"{key}={value}\n")
            f.write("\n")


class Game:
    """One run of zem on its own X server and HOME."""

    def __init__(self, env, store, notice_seen, seed, screen, game_env, prepare, program, sound=None):
        self.env = env
        self.screen_size = tuple(int(n) for n in screen.split("x"))
        self.game_env = game_env
        self.seed = seed
        self.program = program
        self.sound = sound
        self.layout = env.layout
        self.home = tempfile.mkdtemp(prefix="zem-e2e-")
        self.store_path = os.path.join(self.home, ".config", "zem", "zem.ini")
        sections = {k: dict(v) for k, v in store.items()}
        if notice_seen:
            sections.setdefault("notice", {})["autoplay"] = "-1"
        if sections:
            write_store(self.store_path, sections)
        if prepare is not None:
            os.makedirs(os.path.dirname(self.store_path), exist_ok=True)
            prepare(self.store_path)  # whatever else the case wants in place before the start
        self.xvfb = None
        self.wm = None
        self.proc = None
        self._start_x()
        self._start_wm()
        self._start_zem()

    # --- the X server and the game ---

    def _start_x(self):
        # A display number of its own: several suites and developers may run X servers on this machine.
        for attempt in range(20):
            number = random.randrange(100, 900)
            if os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
                continue
            self.display = f":{number}"
            # -noreset: otherwise the server starts over whenever its last client goes, and a game started
            # right after one was killed finds no display to connect to.
            self.xvfb = subprocess.Popen(
                ["Xvfb", self.display, "-noreset", "-screen", "0", "%dx%dx24" % self.screen_size, "-nolisten",
                 "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, preexec_fn=die_with_parent)
            self.xenv = dict(os.environ, DISPLAY=self.display, HOME=self.home, XDG_RUNTIME_DIR=self.home)
            for name in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XAUTHORITY", "ZEM_SEED", "XDG_CACHE_HOME"):
                self.xenv.pop(name, None)
            if self.seed is not None:
                self.xenv["ZEM_SEED"] = str(self.seed)
            deadline = time.time() + 15
            while time.time() < deadline and self.xvfb.poll() is None:
                probe = subprocess.run(["xdotool", "getdisplaygeometry"], env=self.xenv, capture_output=True)
                if probe.returncode == 0:
                    time.sleep(0.2)
                    if self.xvfb.poll() is None:
                        return  # our own server answers, not one that held the number before
                    break
                time.sleep(0.1)
            self.xvfb.kill()
            self.xvfb.wait()
        raise CaseFailed("no X server could be started")

    def _start_zem(self):
        self.log = open(os.path.join(self.home, "zem.log"), "w")
        game_env = dict(self.xenv, **self.game_env)
        if self.sound:
            game_env.update(self.sound.client_env())
        self.proc = subprocess.Popen([self.program], env=game_env, stdout=self.log, stderr=self.log,
                                     preexec_fn=die_with_parent)
        self.window = None
        deadline = time.time() + 30
        while time.time() < deadline and self.window is None:
            check(self.proc.poll() is None, f"zem ended at startup with {self.proc.returncode}")
            out = self.xdo("search", "--onlyvisible", "--pid", str(self.proc.pid), check_ok=False)
            ids = out.split()
            if ids:
                self.window = ids[0]
            else:
                time.sleep(0.2)
        check(self.window is not None, "zem's window did not appear")
        # The window is sized again once the window manager has framed it, and that waits for the start-up
        # work (pictures painted at the window's scale): only a game gone quiet has its window as it stays.
        self.wait_quiet()
        self._find_client_area()
        self.xdo("windowfocus", "--sync", self.window, check_ok=False)
        time.sleep(0.5)  # the first paint and the start-up handlers

    def cpu_seconds(self):
        """The processor time the game has used so far."""
        with open(f"/proc/{self.proc.pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def wait_quiet(self, timeout=60.0):
        """Waits until the game has used less than a tenth of a processor over half a second: it has done
        what it had to do and waits for the player."""
        deadline = time.time() + timeout
        before = self.cpu_seconds()
        while time.time() < deadline:
            time.sleep(0.5)
            now = self.cpu_seconds()
            if now - before < 0.05:
                return
            before = now
        raise CaseFailed("the game stayed busy after its start")

    def _find_client_area(self):
        """Where the machine window's client area is and how many times its own size it is drawn, from the
        window as the window manager placed and the game sized it: the client area is the bottom of the
        top-level window, the menu bar stands above it."""
        client = self.layout.windows["orvelle"]
        x, y, width, height = self.settled(self.window)
        self.scale = width / client["width"]
        client_height = round(client["height"] * self.scale)
        self.origin = (x, y + height - client_height)
        self.menu_height = height - client_height

    def settled(self, window_id, timeout=10.0):
        """The window's client area once the window manager has framed it (a message box draws its own frame,
        and the window manager states a frame of nothing round it) and it has kept its place and size for a
        moment."""
        deadline = time.time() + timeout
        last, same = None, 0
        while time.time() < deadline:
            rect = self.client_rect(window_id)
            framed = bool(self.window_property("_NET_FRAME_EXTENTS", window_id))
            same = same + 1 if rect == last and framed else 0
            if same >= 5:
                break
            last = rect
            time.sleep(0.2)
        return last

    # --- the window manager and what it keeps of the windows ---

    def _start_wm(self):
        """openbox on the game's screen, as a player's desktop has one; returns once it manages windows (it has
        announced itself on the root window)."""
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.xenv, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, preexec_fn=die_with_parent)
        deadline = time.time() + 15
        while time.time() < deadline:
            check(self.wm.poll() is None, f"openbox ended at startup with {self.wm.returncode}")
            if self.window_property("_NET_SUPPORTING_WM_CHECK"):
                return
            time.sleep(0.1)
        raise CaseFailed("openbox did not take the screen over")

    def _x(self):
        from Xlib import display

        return display.Display(self.display)

    def window_property(self, name, window_id=None, atom_names=False):
        """A property of a window (of the root window when none is given) as a list of numbers, or of the names
        of the atoms it holds; empty when it is not set."""
        from Xlib import X

        d = self._x()
        try:
            window = d.screen().root if window_id is None else d.create_resource_object("window", int(window_id))
            prop = window.get_full_property(d.intern_atom(name), X.AnyPropertyType)
            values = list(prop.value) if prop is not None else []
            return [d.get_atom_name(v) for v in values] if atom_names else values
        finally:
            d.close()

    def client_rect(self, window_id):
        """A window's client area on the screen as (x, y, width, height), wherever the window manager put it."""
        d = self._x()
        try:
            window = d.create_resource_object("window", int(window_id))
            geo = window.get_geometry()
            at = d.screen().root.translate_coords(window, 0, 0)
            return at.x, at.y, geo.width, geo.height
        finally:
            d.close()

    def frame_extents(self, window_id):
        """The frame's left, right, top and bottom widths round a window, as the window manager states them."""
        return tuple(self.window_property("_NET_FRAME_EXTENTS", window_id) or (0, 0, 0, 0))

    def frame_rect(self, window_id):
        """The window with its frame (title bar and borders) as (x, y, width, height)."""
        x, y, width, height = self.client_rect(window_id)
        left, right, top, bottom = self.frame_extents(window_id)
        return x - left, y - top, width + left + right, height + top + bottom

    def stacking(self):
        """The managed windows' X ids from the bottom of the stack to its top."""
        return self.window_property("_NET_CLIENT_LIST_STACKING")

    def click_close_box(self, window_id=None):
        """A real click on the close box at the right end of the frame's title bar (openbox's own layout)."""
        wid = window_id or self.window
        x, y, width, _ = self.frame_rect(wid)
        _, right, top, _ = self.frame_extents(wid)
        self.press_at(x + width - right - top // 2, y + top // 2)

    def message_box_close_box(self, window_id):
        """Where a message box's own close box is: at the right end of the strip across its top (24 by 24
        pixels at the game's scale of one)."""
        x, y, width, _ = self.client_rect(window_id)
        return x + width - 12, y + 12

    def drag(self, start, end):
        """Real pointer motion with the button held from `start` to `end`, in a few steps."""
        self.xdo("mousemove", str(start[0]), str(start[1]))
        time.sleep(0.05)
        self.xdo("mousedown", "1")
        for step in (1, 2, 3):
            time.sleep(0.1)
            self.xdo("mousemove", str(start[0] + (end[0] - start[0]) * step // 3),
                     str(start[1] + (end[1] - start[1]) * step // 3))
        time.sleep(0.1)
        self.xdo("mouseup", "1")

    def frame_on_screen(self, window_id, what):
        """Checks that the window's frame, title bar included, lies wholly on the screen."""
        x, y, width, height = self.frame_rect(window_id)
        sw, sh = self.screen_size
        check(x >= 0 and y >= 0 and x + width <= sw and y + height <= sh,
              f"{what}: its frame {width}x{height}+{x}+{y} is not wholly on the {sw}x{sh} screen")

    def check_message_box(self, window_id, what):
        """A message box as the desktop shows it: wholly on screen, framed by the game (the window manager draws
        no title bar, so no maximise box) and closable, with nothing that maximises it."""
        self.settled(window_id)
        self.frame_on_screen(window_id, what)
        check(self.frame_extents(window_id) == (0, 0, 0, 0),
              f"{what} has a frame of the window manager's: {self.frame_extents(window_id)}")
        actions = self.window_property("_NET_WM_ALLOWED_ACTIONS", window_id, atom_names=True)
        check("_NET_WM_ACTION_CLOSE" in actions, f"{what} has no close box: {actions}")
        check(not any("MAXIMIZE" in a for a in actions), f"{what} can be maximised: {actions}")

    def geometry(self, window_id=None):
        """The machine window's (or the given window's) client area on the screen, menu bar included:
        X, Y, WIDTH, HEIGHT."""
        x, y, width, height = self.client_rect(window_id or self.window)
        return {"X": x, "Y": y, "WIDTH": width, "HEIGHT": height}

    def xdo(self, *args, check_ok=True):
        result = subprocess.run(["xdotool", *args], env=self.xenv, capture_output=True, text=True, timeout=30)
        if check_ok and result.returncode != 0:
            raise CaseFailed(f"xdotool {' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def stop(self):
        if self.proc is not None and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        if self.wm is not None and self.wm.poll() is None:
            self.wm.kill()
            self.wm.wait()
        if self.xvfb is not None and self.xvfb.poll() is None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
        if getattr(self, "log", None):
            self.log.close()
            self.log = None

    def cleanup(self):
        self.stop()
        shutil.rmtree(self.home, ignore_errors=True)

    # --- input ---

    def center(self, name, index=0):
        c = self.layout.control(name, index)
        return (self.origin[0] + round((c["x"] + c["w"] / 2) * self.scale),
                self.origin[1] + round((c["y"] + c["h"] / 2) * self.scale))

    def find_window(self, title, timeout=10.0):
        """The X id and client origin of the game's visible window with this title (windows without a menu
        bar), waiting for it to appear; None when it does not."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            out = self.xdo("search", "--onlyvisible", "--name", "^" + title + "$", check_ok=False)
            if out.split():
                wid = out.split()[0]
                try:
                    x, y, _, _ = self.settled(wid)
                except Exception:  # it went again between the search and the look
                    time.sleep(0.1)
                    continue
                return wid, (x, y)
            time.sleep(0.1)
        return None

    def press_in(self, origin, name, window, index=0):
        """Presses a control of another window whose client area starts at `origin`."""
        c = self.layout.control(name, index, window)
        self.press_at(origin[0] + c["x"] + c["w"] // 2, origin[1] + c["y"] + c["h"] // 2)

    def press(self, name, index=0, hold=0.08):
        """Moves the pointer onto the control, presses and releases the left button."""
        x, y = self.center(name, index)
        self.press_at(x, y, hold)

    def press_at(self, x, y, hold=0.08):
        self.xdo("mousemove", str(x), str(y))
        time.sleep(0.05)
        self.xdo("mousedown", "1")
        time.sleep(hold)
        self.xdo("mouseup", "1")

    def park_pointer(self):
        """Moves the pointer off every control (to the reels' top edge), so that no hint covers a picture."""
        self.xdo("mousemove", str(self.origin[0] + round(400 * self.scale)),
                 str(self.origin[1] + round(62 * self.scale)))
        time.sleep(0.1)

    def move_to(self, name, index=0):
        x, y = self.center(name, index)
        self.xdo("mousemove", str(x), str(y))

    def key(self, key):
        self.xdo("key", key)

    def menu(self, position=0):
        """Clicks an entry of the menu bar: position 0 is the first (the menu bar's entries stand in the
        order the window lists them, each a few characters wide)."""
        # The menu bar's text is drawn at the desktop's own scale (QT_SCALE_FACTOR), not the window's.
        factor = float(self.game_env.get("QT_SCALE_FACTOR", 1))
        x = self.origin[0] + round((12 + 60 * position) * factor)
        y = self.origin[1] - self.menu_height // 2
        self.press_at(x, y)

    def close_box(self, window_id=None):
        """What the window manager sends when the player clicks the close box: WM_DELETE_WINDOW. To the
        machine window, or to the window given by its X id."""
        from Xlib import X, display, protocol

        d = display.Display(self.display)
        window = d.create_resource_object("window", int(window_id or self.window))
        protocols = d.intern_atom("WM_PROTOCOLS")
        delete = d.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        # A round trip, not just a flush: closing the connection right after a flush now and then lost the
        # message on its way, and the game never saw the close.
        d.sync()
        d.close()

    # --- what the game shows and keeps ---

    def store(self):
        return read_store(self.store_path)

    def player(self, slot=1):
        return self.store().get(f"player{slot}", {})

    def number(self, key, slot=1):
        text = self.player(slot).get(key, "0")
        try:
            return int(text)
        except ValueError:
            return None

    def wait_for(self, condition, timeout=10.0, what="a condition"):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if condition():
                return
            check(self.running() or what.startswith("exit"), f"zem ended while waiting for {what}")
            time.sleep(0.05)
        raise CaseFailed(f"timed out waiting for {what}; store: {self.player()}")

    def wait_for_screen(self, name, condition, timeout=10.0, what="the screen"):
        """Photographs the screen as `name` until `condition(shot)` holds for the photograph; its path."""
        deadline = time.time() + timeout
        while True:
            shot = self.screenshot(name)
            if condition(shot):
                return shot
            if time.time() >= deadline:
                raise CaseFailed(f"timed out waiting for {what}")
            time.sleep(0.3)

    def wait_number(self, key, value, timeout=10.0):
        self.wait_for(lambda: self.number(key) == value, timeout, f"{key}={value}")

    def wait_spin(self, games, timeout=20.0):
        """Waits until the spin that makes `games` games has been shown to its end."""
        self.wait_number("games", games, timeout)
        time.sleep(settle_seconds(self.number("reelspeed")))

    def paid_spin(self, start, collect):
        """One paid spin started by `start()`; a free-spin series it starts is played out and collected by
        `collect()`. Returns what it won (0 for nothing)."""
        games, total, series = self.number("games"), self.number("total"), self.number("howmanyspins")
        start()
        self.wait_spin(games + 1)
        if self.number("howmanyspins") == series:
            return self.number("total") - total
        bank = self.number("bank")
        deadline = time.time() + 120
        while self.number("bank") == bank:
            check(time.time() < deadline, "the free-spin series was never collected")
            collect()
            time.sleep(1.0)
        return self.number("bank") - bank

    def wait_exit(self, timeout=20.0):
        try:
            self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise CaseFailed("zem did not end")
        return self.proc.returncode

    def refused_start(self, env, what, shot):
        """Starts a game that is to refuse to play (on this display, in the environment `env`), finds the message
        box it shows instead of the machine, photographs the screen as `shot`, answers the box with Enter, and
        returns what the game said on its output; checks that it ended with 1."""
        proc = subprocess.Popen([self.env.zem], env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                preexec_fn=die_with_parent)
        box = None
        deadline = time.time() + 30
        while time.time() < deadline and box is None:
            ids = self.xdo("search", "--onlyvisible", "--pid", str(proc.pid), check_ok=False).split()
            box = ids[0] if ids else None
            time.sleep(0.2)
        check(box is not None, f"{what} showed nothing")
        names = self.xdo("getwindowname", box).strip()
        check("Current Player" not in names, f"{what} brought a machine window up: {names!r}")
        self.screenshot(shot)
        self.check_message_box(box, what)
        self.xdo("windowfocus", "--sync", box, check_ok=False)
        self.key("Return")
        try:
            code = proc.wait(timeout=20)
        except subprocess.TimeoutExpired:
            proc.kill()
            raise
        check(code == 1, f"{what} ended with {code}")
        return proc.stdout.read().decode(errors="replace")

    def screenshot(self, name):
        """Writes the screen to the output folder and returns its path."""
        path = os.path.join(self.env.out_dir, name + ".png")
        subprocess.run([IMPORT, "-display", self.display, "-window", "root", path], env=self.xenv,
                       check=True, capture_output=True, timeout=30)
        return path

    def _geometry(self, name, index, window):
        c = self.layout.control(name, index, window)
        return f"{c['w']}x{c['h']}+{self.origin[0] + c['x']}+{self.origin[1] + c['y']}"

    def pixels(self, shot, name, index=0, window="orvelle"):
        """The raw RGB bytes of a control's rectangle in a screenshot."""
        return subprocess.run([CONVERT, shot, "-crop", self._geometry(name, index, window), "+repage",
                               "-depth", "8", "rgb:-"], check=True, capture_output=True, timeout=30).stdout

    def area_colour(self, shot, x, y, width, height):
        """The median colour, channel by channel, of a rectangle of the screen in a screenshot: what lies behind
        the few pixels of text on it."""
        data = subprocess.run([CONVERT, shot, "-crop", f"{width}x{height}+{x}+{y}", "+repage", "-depth", "8",
                               "rgb:-"], check=True, capture_output=True, timeout=30).stdout
        check(len(data) >= 3, f"nothing at {width}x{height}+{x}+{y} in {shot}")
        return tuple(sorted(data[c::3])[len(data) // 6] for c in range(3))

    def check_message_box_look(self, window_id, shot, what):
        """A message box in the machine's look, in a screenshot: the wood within a gold rim, and red lamps along
        its foot."""
        x, y, width, height = self.client_rect(window_id)
        wood = self.area_colour(shot, x + 6, y + height - 14, 20, 8)
        check(is_wood(wood), f"{what}: not on the wood: {wood}")
        rim = self.area_colour(shot, x, y + height // 4, 1, height // 2)
        check(is_gold(rim), f"{what}: no gold rim: {rim}")
        foot = subprocess.run([CONVERT, shot, "-crop", f"{width}x48+{x}+{y + height - 48}", "+repage", "-depth",
                               "8", "rgb:-"], check=True, capture_output=True, timeout=30).stdout
        red = sum(1 for i in range(0, len(foot) - 2, 3) if foot[i] > 150 and foot[i + 1] < 90)
        check(red > 300, f"{what}: no lamp buttons at its foot ({red} red pixels)")

    def pixels_now(self, name, index=0, window="orvelle"):
        """The raw RGB bytes of a control's rectangle as the screen shows it now."""
        return subprocess.run([IMPORT, "-display", self.display, "-window", "root", "-crop",
                               self._geometry(name, index, window), "+repage", "-depth", "8", "rgb:-"],
                              env=self.xenv, check=True, capture_output=True, timeout=30).stdout

