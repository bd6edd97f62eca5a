#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Kill campaign: the real zem on a virtual X screen, played through the window system (autoplay, spins by hand,
the card gamble with cards lost and wins taken, the options window, also opened during autoplay, where no spin
may run behind it) and killed with SIGKILL at random moments, restarted each time on the same home folder.
After every restart the store must parse, hold every key of the record, have no temporary files beside it, and
balance:

    credit + the running series' total so far = inserted - wagered + won - the wins put at risk in lost gambles

The campaign keeps its own account of the gambles it lost: a card is read as lost only when the store shows
exactly the lost state of the bet it placed (the credit down by what was at risk), and a bet whose card a kill
cut short may only leave the store balanced or short by exactly its stake.

Some rounds start the game with a seed whose first spin shows three or more Scatters, and kill it while that
spin is shown: as the reels turn, while the free spins are announced, or as the first free spin comes. The
series must then go on at the restart, or the spin must be untaken (its bet still in the credit, no series).

Short form (CI): --kills 20.  Long form (by hand): --kills 1000.
Exit status: 0 when every check held, 1 when one failed, 77 when Xvfb or xdotool is missing.
"""
import argparse
import json
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from zemdriver import Layout, die_with_parent, settle_seconds  # noqa: E402  the end-to-end suite's helpers

RECORD_KEYS = ["howmanyspins", "soundonoff", "machinepay", "winroll", "reelspeed", "amountinvested", "wager",
               "total", "bank", "games", "currentplayer"]
ALLOWED_FILES = {"zem.ini", "zem.lock"}
CAPTION = "Current Player"
SCATTER = 12
MASK = (1 << 64) - 1


class SeededDraws:
    """The game's generator under ZEM_SEED (xoshiro256** seeded through splitmix64), drawing as it does."""

    def __init__(self, seed):
        self.state = []
        x = seed & MASK
        for _ in range(4):
            x = (x + 0x9E3779B97F4A7C15) & MASK
            z = x
            z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & MASK
            z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & MASK
            self.state.append(z ^ (z >> 31))

    @staticmethod
    def rotl(x, k):
        return ((x << k) | (x >> (64 - k))) & MASK

    def one_to(self, n):
        s = self.state
        result = (self.rotl((s[1] * 5) & MASK, 7) * 9) & MASK
        t = (s[1] << 17) & MASK
        s[2] ^= s[0]
        s[3] ^= s[1]
        s[1] ^= s[2]
        s[0] ^= s[3]
        s[2] ^= t
        s[3] = self.rotl(s[3], 45)
        return min(int(n * ((result >> 11) * 2.0 ** -53)) + 1, n)


def scatter_table(math_tool):
    """Scatters in view for each reel (1..5) and stop (1..22), from zem-math's window of each stop."""
    table = {}
    for stop in range(1, 23):
        out = subprocess.check_output([math_tool, "spin", "--stops", ",".join([str(stop)] * 5)], text=True)
        window = json.loads(out)["window"]
        for reel in range(1, 6):
            table[reel, stop] = window[reel - 1].count(SCATTER)
    return table


def triggering_seed(rng, scatters, held, machinepay):
    """A seed whose first spin, with the reels `held` keeps ({reel: stop}), shows three or more Scatters and
    stands at the payout setting."""
    while True:
        seed = rng.randrange(1, 1 << 62)
        draws = SeededDraws(seed)
        shown = sum(scatters[reel, held[reel] if reel in held else draws.one_to(22)] for reel in range(1, 6))
        if shown >= 3 and (held or draws.one_to(max(machinepay, 1)) in (1, 3)):
            return seed


def parse_store(path):
    """The store's sections and keys; raises ValueError on a line that is neither a section nor a key."""
    sections, current = {}, None
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f.read().splitlines(), 1):
            if not line.strip():
                continue
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1], {})
            elif "=" in line and current is not None:
                key, value = line.split("=", 1)
                current[key] = value
            else:
                raise ValueError(f"line {number} does not parse: {line!r}")
    return sections


class Screen:
    """A private Xvfb on a display number of its own. It never resets: without -noreset Xvfb starts over
    whenever its last client goes, and a game started again right after a kill finds no display to connect to."""

    def __init__(self, log):
        read_end, write_end = os.pipe()
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-noreset", "-screen", "0",
                                      "1024x768x24", "-nolisten", "tcp"], pass_fds=[write_end],
                                     stdout=subprocess.DEVNULL, stderr=log, preexec_fn=die_with_parent)
        os.close(write_end)
        with os.fdopen(read_end) as r:
            self.display = ":" + r.readline().strip()

    def alive(self):
        return self.proc.poll() is None

    def close(self):
        if self.alive():
            self.proc.terminate()
        self.proc.wait(10)


class Campaign:
    def __init__(self, args):
        self.args = args
        self.rng = random.Random(args.seed)
        self.home = tempfile.mkdtemp(prefix="zem-kill-")
        self.config = os.path.join(self.home, ".config", "zem")
        self.store = os.path.join(self.config, "zem.ini")
        self.layout = self.read_layout(args.layout)
        self.failures = []
        self.figures = dict(kills=0, restarts=0, coins_lost=0, series_resumed=0, series_collected=0,
                            leftovers_found=0, crashes=0, checks=0, gambles=0, right_cards=0,
                            lost_cards=0, wins_taken=0, kills_in_gamble=0, options_opened=0,
                            kills_in_options=0, options_in_autoplay=0, trigger_kills=0,
                            trigger_kills_untaken=0, trigger_kills_resumed=0)
        self.scatters = None
        if args.math and os.access(args.math, os.X_OK):
            self.scatters = scatter_table(args.math)
        self.trigger_before = None  # the store before a triggering spin was pressed
        # The wins put at risk in gambles the player lost, and the stake of a bet whose card was not yet seen.
        self.lost_stakes = 0
        self.pending_stake = 0
        self.kill_at = None
        self.in_gamble = self.in_options = False
        self.failed_starts = 0
        self.logs = tempfile.mkdtemp(prefix="zem-kill-logs-")
        self.last = None
        self.game = None
        # SIGTERM or SIGINT ends a long campaign after the round under way, with its figures.
        self.stop_requested = False
        for sig in (signal.SIGTERM, signal.SIGINT):
            signal.signal(sig, lambda *_: setattr(self, "stop_requested", True))

    @staticmethod
    def read_layout(tool):
        return Layout(subprocess.check_output([tool], text=True))

    def fail(self, what):
        self.failures.append(f"kill {self.figures['kills']}: {what}")
        print("FAIL", self.failures[-1], flush=True)

    # --- the game ---

    def prepare(self):
        # A fresh home; the player's settings chosen as a player would (fast reels, the notice already read).
        os.makedirs(self.config)
        record = dict(howmanyspins=0, soundonoff=0, machinepay=5, winroll=0, reelspeed=10, amountinvested=0,
                      wager=0, total=0, bank=0, games=0, currentplayer="")
        with open(self.store, "w") as f:
            f.write("[notice]\nautoplay=-1\n\n[player1]\n")
            f.writelines(f"{k}={record[k]}\n" for k in RECORD_KEYS)

    def env(self, display):
        env = dict(os.environ, HOME=self.home, DISPLAY=display, QT_QPA_PLATFORM="xcb")
        env.pop("XDG_CONFIG_HOME", None)
        env.pop("WAYLAND_DISPLAY", None)
        return env

    def xdotool(self, *words, timeout=30):
        return subprocess.run(["xdotool", *map(str, words)], env=self.xenv, capture_output=True, text=True,
                              timeout=timeout).stdout

    def start(self, seed=None):
        env = dict(self.xenv, ZEM_SEED=str(seed)) if seed is not None else self.xenv
        with open(os.path.join(self.logs, "zem.log"), "w") as log:
            self.game = subprocess.Popen([self.args.zem], env=env, stdout=subprocess.DEVNULL, stderr=log,
                                         preexec_fn=die_with_parent)
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            if self.game.poll() is not None:
                # Its output is kept for a look.
                kept = os.path.join(self.logs, f"zem-start-{self.figures['kills']}.log")
                shutil.copy(os.path.join(self.logs, "zem.log"), kept)
                # A start the display turned away is a failure as much as any other.
                self.fail(f"zem ended by itself at startup (status {self.game.returncode}); its output: {kept}")
                return False
            ids = self.xdotool("search", "--onlyvisible", "--name", CAPTION).split()
            if ids:
                geometry = dict(line.split("=") for line in self.xdotool("getwindowgeometry", "--shell",
                                                                         ids[0]).split())
                ch = self.layout.windows["orvelle"]["height"]
                # The client area fills the window below its menu bar.
                self.origin = (int(geometry["X"]), int(geometry["Y"]) + int(geometry["HEIGHT"]) - ch)
                time.sleep(0.3)
                return True
            time.sleep(0.1)
        self.fail("the machine window did not come up")
        return False

    def click(self, name, index=0):
        c = self.layout.control(name, index)
        x, y, w, h = c["x"], c["y"], c["w"], c["h"]
        px = self.origin[0] + x + w // 2 + self.rng.randint(-w // 4, w // 4)
        py = self.origin[1] + y + h // 2 + self.rng.randint(-h // 4, h // 4)
        self.xdotool("mousemove", "--sync", px, py)
        self.xdotool("mousedown", 1)
        time.sleep(self.rng.uniform(0.03, 0.12))
        self.xdotool("mouseup", 1)
        time.sleep(0.15)

    def kill(self):
        if self.game.poll() is not None and not self.screen.alive():
            self.fail("the virtual screen ended under the game")
        elif self.game.poll() is not None:
            self.figures["crashes"] += 1
            self.fail(f"zem ended by itself while playing (status {self.game.returncode})")
        else:
            self.game.send_signal(signal.SIGKILL)
            if self.in_gamble:
                self.figures["kills_in_gamble"] += 1
            if self.in_options:
                self.figures["kills_in_options"] += 1
        self.game.wait(30)
        self.figures["kills"] += 1
        self.in_gamble = self.in_options = False

    # --- the checks ---

    def check(self, after_start=True):
        """Checks the store; files beside it count against the game only once a start has had the chance to
        clear what a kill left."""
        self.figures["checks"] += 1
        try:
            sections = parse_store(self.store)
        except (OSError, ValueError, UnicodeDecodeError) as e:
            self.fail(f"the store does not parse: {e}")
            return None
        record = sections.get("player1", {})
        missing = [k for k in RECORD_KEYS if k not in record]
        if missing:
            self.fail(f"the store lacks {missing}")
            return None
        extra = sorted(set(os.listdir(self.config)) - ALLOWED_FILES)
        if extra and after_start:
            self.fail(f"files left beside the store: {extra}")
        n = {k: int(record[k]) for k in RECORD_KEYS if k != "currentplayer"}
        total_spins = int(record.get("freespinstotal", "0") or 0)
        series_win = int(record.get("freespinwin", "0") or 0) if total_spins > 0 else 0
        lost = (n["amountinvested"] - n["wager"] + n["total"] - self.lost_stakes) - (n["bank"] + series_win)
        if lost != 0 and self.pending_stake > 0 and lost == self.pending_stake:
            # The card of the last bet was lost before the kill: the game took the stake, as it should.
            self.lost_stakes += self.pending_stake
            self.figures["lost_cards"] += 1
            lost = 0
        self.pending_stake = 0
        if lost != 0:
            self.figures["coins_lost"] += abs(lost)
            self.fail(f"the store does not balance by {lost} coins: {record}")
        if self.last is not None:
            for key in ("games", "amountinvested", "wager", "total"):
                if n[key] < self.last[key]:
                    self.fail(f"{key} went back from {self.last[key]} to {n[key]}")
        state = dict(n, series_total=total_spins, series_played=int(record.get("freespinsplayed", "0") or 0),
                     series_win=series_win)
        self.last = state
        return state

    # --- a store that cannot be written ---

    def unwritable_store(self):
        """A store whose file is a folder: the game plays on and says once that progress is not being saved."""
        saved_store, saved_config = self.store, self.config
        home = tempfile.mkdtemp(prefix="zem-unwritable-")
        self.config = os.path.join(home, ".config", "zem")
        self.store = os.path.join(self.config, "zem.ini")
        os.makedirs(self.store)
        xenv = self.xenv
        self.xenv = dict(xenv, HOME=home)
        try:
            if not self.start():
                return
            notices = 0
            for _ in range(3):
                self.click("notes")
                boxes = []
                for _ in range(30):
                    boxes = self.xdotool("search", "--onlyvisible", "--name", "Slots_orvelle").split()
                    if boxes:
                        break
                    time.sleep(0.1)
                if boxes:
                    notices += 1
                    g = dict(line.split("=") for line in self.xdotool("getwindowgeometry", "--shell",
                                                                      boxes[0]).split())
                    # Focus the box by a click on its text, then its default button takes the Enter key.
                    self.xdotool("mousemove", "--sync", int(g["X"]) + int(g["WIDTH"]) // 2, int(g["Y"]) + 20)
                    self.xdotool("click", 1)
                    self.xdotool("key", "Return")
                    time.sleep(0.5)
            if notices != 1:
                self.fail(f"an unwritable store was told {notices} times instead of once")
            if self.game.poll() is not None:
                self.fail(f"zem ended with an unwritable store (status {self.game.returncode})")
            self.game.kill()
            self.game.wait(30)
            print(f"unwritable store: told {notices} time(s), the game played on", flush=True)
        finally:
            self.xenv, self.store, self.config = xenv, saved_store, saved_config
            shutil.rmtree(home, ignore_errors=True)

    # --- one round: start, play a little, kill ---

    def leftovers_before_start(self):
        extra = set(os.listdir(self.config)) - ALLOWED_FILES
        self.figures["leftovers_found"] += len(extra)

    def ensure_screen(self):
        if self.screen is not None and self.screen.alive():
            return
        if self.screen is not None:
            self.screen.close()
        self.screen = Screen(self.xlog)
        self.xenv = self.env(self.screen.display)

    def trigger_seed(self, state):
        """A seed for a round whose first spin starts a series, when the store allows one; else None."""
        if self.scatters is None or state is None or state.get("series_total", 0) > 0:
            return None
        if self.rng.random() >= self.args.trigger_share:
            return None
        record = parse_store(self.store).get("player1", {})
        held = {reel: int(record.get(f"heldstop{reel}", "0") or 0) for reel in (2, 3, 4)}
        held = {reel: stop for reel, stop in held.items() if stop > 0}
        return triggering_seed(self.rng, self.scatters, held, state.get("machinepay", 5))

    def trigger_round(self):
        """Presses BET 1 for the spin that starts a series and kills the game while it is shown: the reels
        turn, the Scatters sound, the arrow flies, the flames burn, the first free spin follows."""
        if self.player().get("bank", 0) < 25:
            self.click("notes")
        self.trigger_before = self.player()
        self.click("pplay", 1)
        self.trigger_before["pressed"] = time.monotonic()
        speed = max(1, self.trigger_before.get("reelspeed", 1))
        # The reels take about 0.4 s at speed 1 and 3.5 s at speed 10; the announcement about 5 s after them.
        self.kill_at = time.monotonic() + self.rng.uniform(0.0, 0.4 + 0.35 * speed + 6.0)

    def check_trigger(self, state):
        """After the restart that follows a kill during a triggering spin: the series goes on, or the spin
        was never taken."""
        before, self.trigger_before = self.trigger_before, None
        if before is None or state is None:
            return
        self.figures["trigger_kills"] += 1
        late = before["killed_after"] > 1.0  # the reels were turning by then, even on a loaded machine
        if state["games"] == before.get("games", 0) and state["series_total"] == 0 and not late:
            self.figures["trigger_kills_untaken"] += 1
        elif state["games"] == before.get("games", 0) + 1 and state["series_total"] > 0:
            self.figures["trigger_kills_resumed"] += 1
        else:
            self.fail(f"a kill {before['killed_after']:.2f} s into a triggering spin left games {state['games']} "
                      f"(before {before.get('games')}) and a series of {state['series_total']} spins, "
                      f"{state['series_played']} played")

    def round(self):
        self.ensure_screen()
        before = self.check(after_start=False)
        self.check_trigger(before)
        self.leftovers_before_start()
        seed = self.trigger_seed(before)
        if not self.start(seed=seed):
            if self.game.poll() is None:
                self.game.kill()
                self.game.wait(30)
            self.failed_starts += 1
            if self.failed_starts >= 3:
                raise RuntimeError("the game failed to start three times in a row; see " + self.logs)
            return
        self.failed_starts = 0
        self.figures["restarts"] += 1
        state = self.check()
        if state is None:
            state = before or {}
        running = state.get("series_total", 0) > state.get("series_played", 0)
        waiting = state.get("series_total", 0) > 0 and not running
        if running:
            self.figures["series_resumed"] += 1
        if seed is not None:
            self.trigger_round()
        elif waiting:
            self.click("takewin")
            self.figures["series_collected"] += 1
        elif not running:
            if state.get("bank", 0) < 500 or self.rng.random() < 0.1:
                self.click("notes")
            if self.rng.random() < 0.2:
                self.click("coinsin")
            if self.rng.random() < 0.3:
                self.click("payline", self.rng.randint(1, 5))
            what = self.rng.random()
            if what < 0.45:
                self.click("autoplayon")
                if self.rng.random() < 0.4:
                    self.kill_at = time.monotonic() + self.rng.uniform(1.0, self.args.max_wait + 6)
                    self.options_in_autoplay()
            elif what < 0.65:
                for _ in range(self.rng.randint(1, 3)):
                    self.click("pplay", self.rng.randint(1, 3))
                    time.sleep(self.rng.uniform(0.1, 1.5))
            elif what < 0.9:
                self.kill_at = time.monotonic() + self.rng.uniform(0.5, self.args.max_wait + 6)
                self.gamble_round()
            else:
                self.kill_at = time.monotonic() + self.rng.uniform(0.3, self.args.max_wait)
                self.options_round()
        if self.kill_at is not None:
            while not self.due():
                time.sleep(0.05)
            self.kill_at = None
        if self.trigger_before is not None:
            self.trigger_before["killed_after"] = time.monotonic() - self.trigger_before["pressed"]
        else:
            time.sleep(self.rng.uniform(0.1, self.args.max_wait))
        self.kill()

    # --- the gamble and the options window, each cut short by the kill at any moment ---

    def due(self):
        return self.kill_at is not None and time.monotonic() >= self.kill_at

    def player(self):
        """The player's record as numbers, read while the game runs (the store is replaced whole, never torn)."""
        try:
            record = parse_store(self.store).get("player1", {})
            return {k: int(record[k]) for k in ("bank", "total", "games", "howmanyspins", "freespinstotal",
                                                "reelspeed")
                    if record.get(k, "").lstrip("-").isdigit()}
        except (OSError, ValueError):
            return {}

    def wait_store(self, condition, seconds):
        """Polls the store until the condition holds of it; None when the time or the round runs out first."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and not self.due() and self.game.poll() is None:
            now = self.player()
            if now and condition(now):
                return now
            time.sleep(0.03)
        return None

    def gamble_round(self):
        """Spins with BET 1 until one wins outside a free-spin series, opens the gamble, and bets colours and
        suits until a card is lost, the win is taken, or the kill comes."""
        won = 0
        for _ in range(15):
            before = self.player()
            if self.due() or not before or before.get("freespinstotal", 0) > 0:
                return
            self.click("pplay", 1)
            after = self.wait_store(lambda now: now.get("games", 0) > before.get("games", 0), 12)
            if after is None or after.get("freespinstotal", 0) > 0:
                return  # no credit for the bet, the round's time is up, or a series began
            # The store holds the spin as its reels start; the next press waits for them to stop.
            time.sleep(settle_seconds(after.get("reelspeed")))
            won = after.get("total", 0) - before.get("total", 0)
            if won > 0:
                break
        if won <= 0 or self.due():
            return
        time.sleep(0.2)
        self.click("doublebutton")
        self.in_gamble = True
        self.figures["gambles"] += 1
        time.sleep(0.3)
        risk = won
        while not self.due():
            if self.rng.random() < 0.2:
                self.click("cancelbet")
                self.figures["wins_taken"] += 1
                self.in_gamble = False
                return
            name, index, factor = self.rng.choice([("betred", 0, 2), ("betblack", 0, 2), ("suitbet", 1, 4),
                                                   ("suitbet", 2, 4), ("suitbet", 3, 4), ("suitbet", 4, 4)])
            before = self.player()
            if not before:
                return
            gained = (before["bank"] + risk * (factor - 1), before["total"] + risk * (factor - 1))
            lost = (before["bank"] - risk, before["total"] - (risk - won))
            self.pending_stake = won
            self.click(name, index)
            now = self.wait_store(lambda n: (n["bank"], n["total"]) in (gained, lost), 4)
            if now is None:
                return  # the kill came first, or the press was not taken: the next check settles the bet
            self.pending_stake = 0
            if (now["bank"], now["total"]) == lost:
                self.lost_stakes += won
                self.figures["lost_cards"] += 1
                time.sleep(3.2)  # the lost banner's pause, then the panel closes
                self.in_gamble = False
                return
            self.figures["right_cards"] += 1
            risk *= factor
            time.sleep(1.2)  # the card's reveal and the win banner's fall take the next press

    def options_origin(self, seconds):
        """The open options window's top left on the screen, or None when it has not shown in time."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and not self.due():
            ids = self.xdotool("search", "--onlyvisible", "--name", "^Orvelle Options$").split()
            if ids:
                g = dict(line.split("=") for line in self.xdotool("getwindowgeometry", "--shell",
                                                                  ids[0]).split())
                return int(g["X"]), int(g["Y"])
            time.sleep(0.1)
        return None

    def options_round(self):
        """Opens the options window, changes a setting or two and closes it with O.K., or is killed on the way."""
        self.click("btnoptions")
        origin = self.options_origin(5)
        if origin is None:
            return
        self.options_settings(origin)

    def options_in_autoplay(self):
        """With autoplay running, presses OPTIONS at a random moment (again while a spin refuses it) until the
        window opens: autoplay ends there and no spin may reach the store while the window is open."""
        time.sleep(self.rng.uniform(0.2, 4.0))
        origin = None
        while origin is None and not self.due():
            self.click("btnoptions")
            origin = self.options_origin(0.6)
        if origin is None:
            return
        self.figures["options_in_autoplay"] += 1
        opened = self.player()
        self.in_options = True
        time.sleep(self.rng.uniform(0.5, 2.5))
        now = self.player()
        if opened and now and now.get("games") != opened.get("games"):
            self.fail(f"spins ran behind the options window opened in autoplay: games {opened.get('games')} "
                      f"then {now.get('games')}")
        self.options_settings(origin)

    def options_settings(self, origin):
        """In the open options window: a setting or two, then O.K."""
        self.in_options = True
        self.figures["options_opened"] += 1
        choices = [("setspeed", i) for i in range(5)] + [("Amtpayout", i) for i in range(3)] + \
                  [("wincounter", i) for i in (1, 2)]
        for name, index in self.rng.sample(choices, self.rng.randint(1, 3)) + [("btnokplayer", 0)]:
            if self.due():
                return
            c = self.layout.control(name, index, "frmorvelleoptions")
            # Option buttons are pressed on their circle at the left; the O.K. button at its middle.
            x = origin[0] + c["x"] + (8 if name != "btnokplayer" else c["w"] // 2)
            self.xdotool("mousemove", "--sync", x, origin[1] + c["y"] + c["h"] // 2)
            self.xdotool("click", 1)
            time.sleep(self.rng.uniform(0.1, 0.6))
        time.sleep(0.3)
        self.in_options = False

    def run(self):
        self.prepare()
        self.xlog = open(os.path.join(self.logs, "xvfb.log"), "w")
        self.screen = None
        self.ensure_screen()
        started = time.monotonic()
        try:
            self.unwritable_store()
            while self.figures["kills"] < self.args.kills and not self.stop_requested:
                self.round()
                if self.figures["kills"] % 50 == 0:
                    self.report(started)
            # A last start after the last kill, checked, then closed as a desktop logout closes it.
            self.ensure_screen()
            if self.start():
                self.figures["restarts"] += 1
                self.check()
                self.game.send_signal(signal.SIGTERM)
                if self.game.wait(30) != 0:
                    self.fail(f"zem did not end cleanly on SIGTERM (status {self.game.returncode})")
                self.check()
        except RuntimeError as e:
            self.fail(str(e))
        finally:
            if self.game is not None and self.game.poll() is None:
                self.game.kill()
            self.screen.close()
        self.report(started)
        for failure in self.failures:
            print("FAIL", failure)
        if not self.args.keep and not self.failures:
            shutil.rmtree(self.home, ignore_errors=True)
            shutil.rmtree(self.logs, ignore_errors=True)
        else:
            print("home kept at", self.home, "logs at", self.logs)
        return 0 if not self.failures else 1

    def report(self, started):
        f = self.figures
        last = self.last or {}
        print(f"gambles {f['gambles']} (cards right {f['right_cards']}, lost {f['lost_cards']}, wins taken "
              f"{f['wins_taken']}, {self.lost_stakes} coins lost at the gamble, kills with the panel open "
              f"{f['kills_in_gamble']}); options window opened {f['options_opened']} (during autoplay "
              f"{f['options_in_autoplay']}, kills while open {f['kills_in_options']})", flush=True)
        print(f"kills while a spin that starts a series is shown {f['trigger_kills']}: the series went on "
              f"{f['trigger_kills_resumed']}, the spin untaken {f['trigger_kills_untaken']}", flush=True)
        print(f"kills {f['kills']}, restarts {f['restarts']}, store checks {f['checks']}, "
              f"coins lost {f['coins_lost']}, crashes {f['crashes']}, series resumed {f['series_resumed']}, "
              f"series collected after a restart {f['series_collected']}, leftover files found before a start "
              f"{f['leftovers_found']}; the player ended with {last.get('games', 0)} games, "
              f"{last.get('wager', 0)} coins wagered, {last.get('total', 0)} won, "
              f"{last.get('amountinvested', 0)} inserted, credit {last.get('bank', 0)}; "
              f"{time.monotonic() - started:.0f} s", flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--zem", required=True, help="the game executable")
    parser.add_argument("--layout", required=True, help="the layout points tool")
    parser.add_argument("--kills", type=int, default=20)
    parser.add_argument("--seed", type=int, default=int(time.time()))
    parser.add_argument("--max-wait", type=float, default=12.0, help="longest play before a kill, seconds")
    parser.add_argument("--math", help="zem-math, to find seeds whose first spin starts a series "
                                       "(default: beside the game's build)")
    parser.add_argument("--trigger-share", type=float, default=0.25,
                        help="share of rounds killed during a spin that starts a series")
    parser.add_argument("--keep", action="store_true", help="keep the home folder for a look")
    args = parser.parse_args()
    if not shutil.which("Xvfb") or not shutil.which("xdotool"):
        print("Xvfb or xdotool missing: skipped")
        return 77
    if args.math is None:
        args.math = os.path.join(os.path.dirname(os.path.abspath(args.zem)), "..", "tools", "zem-math")
    print(f"seed {args.seed}", flush=True)
    return Campaign(args).run()


if __name__ == "__main__":
    sys.exit(main())
