#!/usr/bin/env python3
"""How long a step takes for the user with a 1 MiB tape, under Wine: the
time that clicks on an operator key, each of which writes a step onto the
tape (and saves it), take until the last step shows on the tape, read from
outside by window_probe. Run it against two builds to compare them:

  scripts/with-display.sh python3 bench/tape_step_timing.py --exe OLD/Talvique.exe \\
      --probe build/win64/e2e/window_probe.exe --layout build/win64/resources/main_window.layout \\
      --work build/bench-runs [--steps 30]

It prints the start-up time with that tape and the time a step takes.
"""
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "tests", "e2e"))
import driver  # noqa: E402


def mebibyte_tape():
    lines, size, i = [], 0, 0
    while size < (1 << 20):
        line = "%d+%d=%d\r\n" % (i, i % 97, i + i % 97)
        lines.append(line)
        size += len(line)
        i += 1
    return "".join(lines).encode("ascii")


def main():
    ap = driver.argument_parser("Step time with a 1 MiB tape.")
    ap.add_argument("--steps", type=int, default=40)
    args = ap.parse_args()
    args.wine_exec = args.wine_exec or os.path.join(os.path.dirname(HERE), "scripts", "wine-exec.sh")
    driver.prepare(args)
    p = driver.Program(args, "tape_step_timing", sounds=None)
    with open(p.path("steps.txt"), "wb") as f:
        f.write(mebibyte_tape())
    try:
        report = p.start(wait=False).wait_shown(timeout=600)
        print("start-up with a 1 MiB tape: window shown after %.1f s" % p.shown_after)
        p.keys(["5", "+", "3"])
        p.wait_entry("3")
        # Every click on + is a step: x + x = 2x, each written onto the tape
        # (and, where the build saves as it goes, into steps.txt). The clicks
        # come faster than any step takes, so the time until the last step
        # shows is the sum of the steps' own times.
        x, y = report.control("sjia").centre
        subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y)], check=True, timeout=30)
        driver.note_pointer(x, y)
        last = 8 * 2 ** (args.steps - 2)
        final = driver.gbk("%d+%d=%d\r\n" % (last, last, 2 * last))
        start = time.monotonic()
        subprocess.run(["xdotool", "click", "--repeat", str(args.steps), "--delay", "5", "1"],
                       check=True, timeout=120)
        driver.wait_for(lambda: p.probe().tape.text.endswith(final), "the last step", timeout=600,
                        step=0.2)
        took = time.monotonic() - start
        print("%d steps clicked in a row: the last shown after %.2f s, %.0f ms a step"
              % (args.steps, took, took * 1000 / args.steps))
    finally:
        driver.kill_all()


if __name__ == "__main__":
    main()
