# SPDX-License-Identifier: GPL-3.0-or-later
"""The game heard through a real sound server: with the sound on, COINS rings the coin (its recording, about
0.23 s long, and nothing else) and a spin sounds its click and its reels; with the sound off both are silent."""

import time

from soundserver import SoundServer, sounding_spans
from zemdriver import check

COIN_SECONDS = 0.23  # the coin's recording


def listen(env, server, soundonoff):
    """What the sink carries while COINS is pressed, then while BET 1 spins: two lists of samples."""
    g = env.game({"player1": {"bank": "1000", "soundonoff": soundonoff, "reelspeed": "1"}}, sound=server)
    time.sleep(1.0)  # the start-up sound is over
    recording = server.record()
    g.press("coinsin")
    g.wait_number("amountinvested", 25)
    time.sleep(1.0)
    coin = recording.stop()
    recording = server.record()
    g.press("pplay", 1)
    g.wait_number("games", 1, timeout=20)
    time.sleep(3.0)  # the reels come to rest, one sound each
    spin = recording.stop()
    g.stop()
    return coin, spin


def run(env):
    server = SoundServer()
    try:
        coin, spin = listen(env, server, "-1")
        spans = sounding_spans(coin)
        check(len(spans) == 1, f"COINS should sound once, heard {spans}")
        length = spans[0][1] - spans[0][0]
        check(abs(length - COIN_SECONDS) < 0.06, f"the coin sounded {length:.3f} s, not {COIN_SECONDS} s")
        heard = sum(end - start for start, end in sounding_spans(spin))
        check(heard > 0.3, f"the spin sounded only {heard:.3f} s: {sounding_spans(spin)}")
        print(f"sound on: coin {length:.3f} s, spin {heard:.3f} s in {len(sounding_spans(spin))} stretches")

        coin, spin = listen(env, server, "0")
        loudest = max(abs(s) for s in coin + spin)
        check(loudest == 0, f"with the sound off the sink carried samples up to {loudest}")
        check(len(coin) > 0.5 * 44100 and len(spin) > 2 * 44100,
              f"the recordings are too short to tell silence: {len(coin)} and {len(spin)} samples")
    finally:
        server.stop()
