# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs one end-to-end case: run_case.py NAME --zem PATH --layout PATH --out DIR. Prints the case's closing line
and exits non-zero when it failed."""

import argparse
import faulthandler
import importlib
import os
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import zemdriver  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("case")
    parser.add_argument("--zem", required=True)
    parser.add_argument("--layout", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--math")
    args = parser.parse_args()

    # A case that hangs shows where, and ends before the test runner's own limit kills it.
    faulthandler.dump_traceback_later(float(os.environ.get("ZEM_E2E_LIMIT", "200")), exit=True)
    module = importlib.import_module("case_" + args.case)
    env = zemdriver.Env(args.zem, args.layout, args.out, args.math)
    started = time.time()
    failed = False
    try:
        module.run(env)
    except Exception:  # a failed check or a broken driver both fail the case
        traceback.print_exc()
        for g in env.games:
            log = os.path.join(g.home, "zem.log")
            if os.path.exists(log):
                print("--- zem's output ---")
                print(open(log, errors="replace").read()[-4000:])
        failed = True
    finally:
        env.close()
        if not failed:
            for g in env.games:
                g.cleanup()
    print(f"e2e {args.case}: {time.time() - started:.1f} s")
    print(f"{0 if failed else 1} passed, {1 if failed else 0} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
