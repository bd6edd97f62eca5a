# SPDX-License-Identifier: GPL-3.0-or-later
"""A private PulseAudio server with one null sink, for the cases that listen to the game: the game plays into
the sink, parec records the sink's monitor, and the recording is read back as 16-bit mono samples.

The server runs in a runtime folder of its own, so it never meets the user's sound server; it ends with the
case (and with the suite, if the suite is killed)."""

import os
import shutil
import signal
import subprocess
import tempfile
import time

from zemdriver import CaseFailed, die_with_parent

SINK = "zem_e2e"
RATE = 44100  # the rate parec records at, in samples a second


def end(proc, sig):
    """Asks a child to end with `sig`, and kills it if it has not ended within 10 s."""
    if proc.poll() is None:
        proc.send_signal(sig)
        try:
            proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


class SoundServer:
    def __init__(self, timeout=15.0):
        program = shutil.which("pulseaudio")
        if program is None or shutil.which("parec") is None:
            raise CaseFailed("pulseaudio and parec are not installed (scripts/setup installs them)")
        self.dir = tempfile.mkdtemp(prefix="zem-pulse-")
        self.socket = os.path.join(self.dir, "pulse", "native")
        # Clients never start a server of their own when this one is gone.
        self.client_config = os.path.join(self.dir, "client.conf")
        with open(self.client_config, "w") as f:
            f.write("autospawn = no\n")
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "PULSE_SERVER", "DBUS_SESSION_BUS_ADDRESS")}
        env.update(HOME=self.dir, XDG_RUNTIME_DIR=self.dir, XDG_CONFIG_HOME=os.path.join(self.dir, "config"))
        self.log = open(os.path.join(self.dir, "pulseaudio.log"), "w")
        self.proc = subprocess.Popen(
            [program, "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
             "-L", f"module-null-sink sink_name={SINK}",
             "-L", "module-native-protocol-unix auth-anonymous=1"],
            env=env, stdout=self.log, stderr=self.log, preexec_fn=die_with_parent)
        deadline = time.time() + timeout
        while not self._answers():
            if self.proc.poll() is not None or time.time() > deadline:
                self.stop()
                raise CaseFailed(f"the private sound server did not start: {self._log_tail()}")
            time.sleep(0.1)

    def client_env(self):
        """What a client (the game, parec) needs to play into this server only."""
        return {"PULSE_SERVER": "unix:" + self.socket, "PULSE_CLIENTCONFIG": self.client_config}

    def _answers(self):
        if not os.path.exists(self.socket):
            return False
        probe = subprocess.run(["pactl", "info"], env=dict(os.environ, **self.client_env()),
                               capture_output=True, timeout=10)
        return probe.returncode == 0

    def _log_tail(self):
        self.log.flush()
        with open(os.path.join(self.dir, "pulseaudio.log"), errors="replace") as f:
            return f.read()[-1000:]

    def record(self):
        """Starts recording the sink's monitor; stop it with Recording.stop()."""
        return Recording(self)

    def stop(self):
        end(self.proc, signal.SIGTERM)
        self.log.close()
        shutil.rmtree(self.dir, ignore_errors=True)


class Recording:
    """The sink's monitor as 16-bit signed mono samples at RATE, from start to stop."""

    def __init__(self, server):
        self.path = os.path.join(server.dir, f"record-{time.monotonic_ns()}.raw")
        self.file = open(self.path, "wb")
        self.proc = subprocess.Popen(
            ["parec", f"--device={SINK}.monitor", "--format=s16le", "--channels=1", f"--rate={RATE}",
             "--raw", "--latency-msec=20"],
            env=dict(os.environ, **server.client_env()), stdout=self.file, stderr=subprocess.DEVNULL,
            preexec_fn=die_with_parent)
        time.sleep(0.3)  # the stream is connected before the game is played

    def stop(self):
        """Ends the recording and returns its samples."""
        end(self.proc, signal.SIGINT)
        self.file.close()
        with open(self.path, "rb") as f:
            data = f.read()
        data = data[:len(data) // 2 * 2]
        return memoryview(data).cast("h").tolist()


def sounding_spans(samples, threshold=200, gap=0.05):
    """The stretches of sound in a recording as (start, end) in seconds: samples louder than `threshold`,
    with quiet gaps shorter than `gap` seconds counted as part of the sound around them."""
    spans = []
    longest_quiet = int(gap * RATE)
    start = last = None
    for i, s in enumerate(samples):
        if abs(s) < threshold:
            continue
        if start is None:
            start = i
        elif i - last > longest_quiet:
            spans.append((start / RATE, (last + 1) / RATE))
            start = i
        last = i
    if start is not None:
        spans.append((start / RATE, (last + 1) / RATE))
    return spans
