#!/usr/bin/env python3
"""End-to-end tests of Talvique.exe under Wine and a virtual display.

Every scenario copies the program into a fresh folder (with the recordings,
the test tones or no wav folder at all), starts it under the build tree's
own Wine prefix, clicks the keys at their screen positions with xdotool,
reads what the window shows through window_probe (the window's own
messages, from outside), closes it with Esc and inspects steps.txt and
peizi.ini. Waits are for conditions, with generous time-outs.

The driver (program, probe, clicks and keys, capture) is driver.py; the
scenarios are grouped by area in scenarios_*.py; the demo is demo.py.

  talvique_e2e.py --list
  talvique_e2e.py [paths…] --scenario NAME
"""
import sys

import driver
import scenarios_closing  # noqa: F401 (each module registers its scenarios)
import scenarios_files_and_geometry  # noqa: F401
import scenarios_keyboard  # noqa: F401
import scenarios_keys_and_tape  # noqa: F401
import scenarios_readout  # noqa: F401
import scenarios_tape_kept  # noqa: F401
from driver import SCENARIOS, Failure


def main():
    ap = driver.argument_parser("End-to-end scenarios of Talvique.exe.")
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--scenario", choices=sorted(SCENARIOS))
    args = ap.parse_args()
    if args.list:
        print("\n".join(SCENARIOS))
        return 0
    driver.prepare(args)
    try:
        SCENARIOS[args.scenario](args)
    except Failure as e:
        print("FAILED: %s" % e)
        return 1
    finally:
        driver.kill_all()
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
