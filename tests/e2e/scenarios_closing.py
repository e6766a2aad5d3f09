"""End-to-end scenarios: closing while the program talks: Esc during a
readout and after thirty nested presses of =, with the window gone, the
process ended and no sound started after Esc."""
import subprocess
import time

import tone_analysis
from driver import (TITLE_PATTERN, Failure, captured_program, check, gbk, note_pointer, scenario,
                    wait_for)


def esc_and_watch(p, report, at=None):
    """Esc to the window (the pointer resting on its tape, as close() does;
    `report` tells where that is), at the monotonic moment `at` if given,
    then watches until the window is gone and the process has ended.
    Returns (Esc sent, window gone, process ended) as monotonic times."""
    x, y = report.tape.centre
    subprocess.run(["xdotool", "mousemove", str(x), str(y)], timeout=30)
    note_pointer(x, y)
    for xid in p.xids[:1]:
        subprocess.run(["xdotool", "windowfocus", xid], capture_output=True, timeout=30)
    if at is not None and at > time.monotonic():
        time.sleep(at - time.monotonic())
    sent = time.monotonic()
    subprocess.run(["xdotool", "key", "Escape"], timeout=30)
    gone = ended = None
    while gone is None or ended is None:
        now = time.monotonic()
        if now - sent > 120:
            raise Failure("after Esc: window gone %s, process ended %s"
                          % (gone is not None, ended is not None))
        if gone is None:
            r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", TITLE_PATTERN],
                               capture_output=True, text=True)
            if not r.stdout.strip():
                gone = now
        if ended is None and p.process.poll() is not None:
            ended = now
        time.sleep(0.005)
    return sent, gone, ended


def check_stopped(p, cap, tone_map, label, sent, gone, ended):
    """The acceptance bounds of a close during readouts: the window gone
    within 0.5 s of Esc, the process ended within 1.5 s, and no sound that
    starts later than 100 ms after Esc. They are generous for what the
    program does (it stops at the next look of its pause, within 10 ms),
    and tight enough to catch readouts that go on talking: the next
    syllable was due within half a second."""
    check(p.process.returncode == 0, "exit code %r" % p.process.returncode)
    # The capture drains at the pace of a sound card: what was on its way
    # has arrived once nothing has come for a while.
    wait_for(lambda: time.monotonic() - tone_analysis.last_arrival(cap.times) > 0.5,
             "the capture to go quiet", timeout=60, step=0.1)
    segs = cap.segments(tone_map)
    late = [s for s in segs if s.onset > sent + 0.1]
    last = max((s.onset for s in segs), default=sent) - sent
    print("%s: Esc to window gone %.0f ms, Esc to process end %.0f ms, last sound onset "
          "%+.0f ms from Esc" % (label, (gone - sent) * 1000, (ended - sent) * 1000, last * 1000))
    check(not late, "%s: sounds started after Esc: %r" % (label, [(s.name, round((s.onset - sent) * 1000))
                                                            for s in late]))
    check(gone - sent <= 0.5, "%s: the window went %.0f ms after Esc" % (label, (gone - sent) * 1000))
    check(ended - sent <= 1.5, "%s: the process ended %.0f ms after Esc" % (label, (ended - sent) * 1000))


@scenario
def close_stops_readout(args):
    with captured_program(args, "close_stops_readout") as (p, cap, tone_map):
        p.start(cap.env)
        report = p.probe()
        p.keys(["9", "8", "7", "6", "5", "4", "3", ".", "2", "1", "*", "3"])
        p.wait_entry("3")
        # The key sounds end before the equals key: overlapping sounds share
        # the one paced capture and would arrive late.
        cap.wait_quiet(0.3, "the key sounds to end")
        p.click("=", report)
        # The equals key writes the result before it plays 等于; timing from
        # when the result shows keeps a click that the program takes up late
        # from counting its own 等于 as a sound after Esc.
        p.wait_entry("29629629.63")
        pressed = time.monotonic()
        # 1 s into the readout, which begins kReadoutDelayMs (500 ms) after
        # the equals key.
        delay = args.pauses.readout_delay
        sent, gone, ended = esc_and_watch(p, report, pressed + delay / 1000 + 1.0)
        print("Esc sent %.0f ms after the result showed (the readout begins at %d ms)"
              % ((sent - pressed) * 1000, delay))
        check_stopped(p, cap, tone_map, "Esc 1 s into a readout", sent, gone, ended)
        check(p.read("steps.txt") == gbk("9876543.21×3=29629629.63\r\n"),
              "steps.txt: %r" % p.read("steps.txt"))


@scenario
def close_stops_nested_readouts(args):
    # Dozens of overlapping sounds: a paced capture would fall seconds
    # behind them (see Capture).
    with captured_program(args, "close_stops_nested_readouts", paced=False) as (p, cap, tone_map):
        p.start(cap.env)
        report = p.probe()
        p.keys(["1", "2", "3", "4", ".", "5"])
        # 30 presses of = at 10 a second, each nested in the readouts of
        # the ones before. No operator is pending, so every second press
        # writes a line: the 15th line means all 30 were handled.
        x, y = report.control("sdeng").centre
        subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y)], check=True, timeout=30)
        note_pointer(x, y)
        subprocess.run(["xdotool", "click", "--repeat", "30", "--delay", "100", "1"], check=True,
                       timeout=60)
        burst = time.monotonic()
        p.wait_tape("1234.5\r\n" * 15)
        print("all 30 presses handled %.0f ms after the clicks ended" % ((time.monotonic() - burst) * 1000))
        check_stopped(p, cap, tone_map, "Esc after 30 presses of =", *esc_and_watch(p, report))
        check(p.read("steps.txt") == gbk("1234.5\r\n" * 15), "steps.txt: %r" % p.read("steps.txt"))
