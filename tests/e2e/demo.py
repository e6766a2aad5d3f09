#!/usr/bin/env python3
"""The demo: Talvique.exe driven through 1234.5 × 2 = by real clicks on the
virtual display, a screenshot and the spoken readout as a WAVE file.

  demo.py [paths…] --out OUTDIR
"""
import os
import struct
import subprocess
import sys
import time
import wave

import driver
import tone_analysis
from driver import Capture, Program


def demo(args, out):
    """1234.5 × 2 = by real clicks; a screenshot and the spoken readout."""
    os.makedirs(out, exist_ok=True)
    p = Program(args, "demo", sounds="speech")
    cap = Capture(p.folder)
    try:
        p.start(cap.env)
        start = time.monotonic()
        p.keys(["1", "2", "3", "4", ".", "5", "*", "2", "="])
        p.wait_entry("2469")
        time.sleep(5)
        shot = os.path.join(out, "talvique_demo.png")
        subprocess.run(["import", "-window", "root", shot], check=True, timeout=60)
        p.close()
    finally:
        p.kill()
        cap.stop()
    samples = tone_analysis.timeline(cap.raw, cap.times, Capture.RATE, start)
    wav = os.path.join(out, "talvique_demo.wav")
    with wave.open(wav, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(Capture.RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))
    print("screenshot: " + shot)
    print("spoken readout: " + wav)


def main():
    ap = driver.argument_parser("The demo: 1234.5 × 2 = with a screenshot and the readout.")
    ap.add_argument("--out", required=True)
    args = ap.parse_args()
    driver.prepare(args)
    try:
        demo(args, args.out)
    finally:
        driver.kill_all()
    return 0


if __name__ == "__main__":
    sys.exit(main())
