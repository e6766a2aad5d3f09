"""End-to-end scenarios: the keyboard: the key sequences typed, the keys and
their sounds, the focus rules (the tape and the date picker keep their
keys), held keys, and the time from a key to the Entry box."""
import subprocess
import time

from driver import (MAIN_ROW_KEY, NUMBER_PAD_KEY, Capture, Program, captured_program, check, gbk,
                    names_after, note_pointer, scenario, wait_for)
from scenarios_keys_and_tape import run_key_sequences


@scenario
def key_sequences_by_keyboard(args):
    """The same sequences typed, the number pad taking every other one."""
    p = Program(args, "key_sequences_by_keyboard")
    p.start()
    count = [0]

    def press(keys):
        count[0] += 1
        p.type_keys(keys, NUMBER_PAD_KEY if count[0] % 2 == 0 else MAIN_ROW_KEY)
    run_key_sequences(p, press)
    p.close()


def press_and_hear(p, cap, tone_map, keys, what):
    """Presses the keys one by one, each once the sound of the one before
    has been captured whole (overlapping test tones cannot be told apart),
    and checks the sounds: (keysym, [recordings it plays]) pairs."""
    mark = cap.now()
    heard = []
    for keysym, names in keys:
        p.press(keysym)
        heard += names

        def done():
            segs = [s for s in cap.segments(tone_map) if s.onset > mark]
            if len(segs) < len(heard):
                return None
            end = segs[-1].onset + segs[-1].length / Capture.RATE
            return segs if cap.now() - end > 0.3 else None
        segs = wait_for(done, "%s: the sounds of %s" % (what, keysym), timeout=30, step=0.1)
    time.sleep(1.0)
    got = names_after(cap, tone_map, mark)
    check(got == heard, "%s: sounds %r, expected %r" % (what, got, heard))


@scenario
def keyboard_calculation(args):
    with captured_program(args, "keyboard_calculation") as (p, cap, tone_map):
        p.start(cap.env)
        press_and_hear(p, cap, tone_map, [("5", ["五"]), ("plus", ["加"]), ("3", ["三"]),
                                          ("Return", ["等于", "八"])], "5 + 3 Return")
        p.wait_entry("8")
        p.wait_tape("5+3=8\r\n")
        # The same on the number pad.
        press_and_hear(p, cap, tone_map, [("ctrl+Delete", ["清除"]), ("KP_5", ["五"]),
                                          ("KP_Add", ["加"]), ("KP_3", ["三"]),
                                          ("KP_Enter", ["等于", "八"])],
                       "ctrl+Delete KP_5 KP_Add KP_3 KP_Enter")
        p.wait_entry("8")
        p.wait_tape("5+3=8\r\n")
        # ← and +/- from Backspace and F9, both decimal keys; Delete clears
        # the Entry box only, Ctrl+Delete the tape too.
        p.press("1", "2", "period", "4", "BackSpace")
        p.wait_entry("12.")
        p.press("BackSpace", "KP_Decimal", "5")
        p.wait_entry("12.5")
        p.press("F9")
        p.wait_entry("-12.5")
        p.press("F9")
        p.wait_entry("12.5")
        p.press("Delete")
        p.wait_entry("")
        check(p.tape() == gbk("5+3=8\r\n"), "Delete changed the tape to %r" % p.tape())
        p.press("ctrl+Delete")
        p.wait_tape("")
        # Keys the keyboard table does not name do nothing, silently.
        p.press("5")
        p.wait_entry("5")
        time.sleep(1.0)
        mark = cap.now()
        p.press("a", "x", "F5", "F1", "Home", "Insert", "space", "comma", "percent")
        time.sleep(1.5)
        check(p.entry() == b"5" and p.tape() == b"", "unnamed keys changed %r / %r"
              % (p.entry(), p.tape()))
        check(not names_after(cap, tone_map, mark), "unnamed keys played %r"
              % names_after(cap, tone_map, mark))
        p.close()


@scenario
def keyboard_focus_rules(args):
    with captured_program(args, "keyboard_focus_rules") as (p, cap, tone_map):
        report = p.start(cap.env).wait_shown()
        p.press("5", "plus", "3", "Return")
        p.wait_tape("5+3=8\r\n")
        p.wait_entry("8")
        time.sleep(2.0)  # the readout ends
        # The focus in the tape (a person clicks into it, below its text):
        # the keys type there, Enter included.
        tape = report.tape
        l, t, r, b = tape.rect
        x, y = (l + r) // 2, b - 20
        subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"],
                       check=True, timeout=30)
        note_pointer(x, y)
        wait_for(lambda: p.probe().focus == tape.hwnd, "the focus in the tape")
        mark = cap.now()
        p.press("1", "2", "Return")
        p.wait_tape("5+3=8\r\n12\r\n")
        p.press("KP_Add", "BackSpace", "Delete")
        time.sleep(1.0)
        check(p.entry() == b"8", "the Entry box changed to %r" % p.entry())
        check(p.tape() == gbk("5+3=8\r\n12\r\n"), "the tape became %r" % p.tape())
        check(not names_after(cap, tone_map, mark), "keys in the tape played %r"
              % names_after(cap, tone_map, mark))
        # Tab from the tape: the first date picker; its arrows change its date.
        picker = report.control("日期框1").hwnd
        p.press("Tab")
        wait_for(lambda: p.probe().focus == picker, "the focus on 日期框1")

        def date():
            r = p.probe_raw("getdate", str(picker))
            check(r.returncode == 0, "reading the date picker failed (%d)" % r.returncode)
            return tuple(int(v) for v in r.stdout.split())
        before = date()
        # Wine's picker selects no field until an arrow moves to one.
        p.press("Right", "Up")
        wait_for(lambda: date() != before, "the date to change on Up")
        changed = date()
        p.press("Down")
        wait_for(lambda: date() == before, "the date back on Down")
        print("日期框1: %r, Up %r, Down back" % (before, changed))
        # No key reaches the calculator meanwhile.
        mark = cap.now()
        p.press("plus", "Return", "Delete", "BackSpace", "F9", "KP_Add", "KP_Enter")
        time.sleep(1.0)
        check(p.probe().focus == picker, "the focus left the date picker")
        check(p.entry() == b"8" and p.tape() == gbk("5+3=8\r\n12\r\n"),
              "keys in the date picker reached the calculator: %r / %r" % (p.entry(), p.tape()))
        check(not names_after(cap, tone_map, mark), "keys in the date picker played %r"
              % names_after(cap, tone_map, mark))
        # Esc still closes, from the picker too, and the tape is saved.
        code = p.close()
        check(code == 0, "exit code %r" % code)
        check(p.read("steps.txt") == gbk("5+3=8\r\n12\r\n"), "steps.txt: %r" % p.read("steps.txt"))


def hold_key(p, keysym, seconds):
    """Holds a key down (the X server repeats it), probing the window all
    the while; the longest time the probe took to get an answer."""
    p.focus_window()
    subprocess.run(["xdotool", "keydown", keysym], check=True, timeout=30)
    answers = []
    try:
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            start = time.monotonic()
            check(p.probe().window, "the window did not answer while %s was held" % keysym)
            answers.append(time.monotonic() - start)
    finally:
        subprocess.run(["xdotool", "keyup", keysym], check=True, timeout=30)
    return max(answers)


@scenario
def keyboard_held_keys(args):
    # A digit held for 5 s repeats; the window answers all the while, and
    # closing it then ends the program at once. (No capture here: each
    # repeat plays its recording, and a capture device that writes
    # overlapping sounds one after the other would take long to drain.)
    p = Program(args, "keyboard_held_digit")
    p.start()
    longest = hold_key(p, "5", 5.0)
    entry = wait_for(lambda: (lambda e: e if len(e) >= 3 else None)(p.entry()),
                     "the held 5 to repeat")
    check(set(entry) == {ord("5")}, "the held 5 gave %r" % entry)
    start = time.monotonic()
    p.press("plus", "7")
    p.wait_entry("7")
    print("held 5 for 5 s: %d digits in the Entry box; the probe answered in %.0f ms at most; "
          "+ 7 afterwards answered in %.0f ms" % (len(entry), longest * 1000,
                                                 (time.monotonic() - start) * 1000))
    start = time.monotonic()
    code = p.close()
    print("Esc to process end after the held digit: %.0f ms" % ((time.monotonic() - start) * 1000))
    check(code == 0, "exit code %r" % code)

    # Enter held for 5 s after 7 + 3: equals repeats, one press after the
    # other, never inside the readout of the one before, and the talking
    # ends soon after the key is released.
    with captured_program(args, "keyboard_held_enter") as (p, cap, tone_map):
        p.start(cap.env)
        p.press("7", "plus", "3")
        p.wait_entry("3")
        cap.wait_quiet(1.0, "the sounds of 7 + 3")
        mark = cap.now()
        longest = hold_key(p, "Return", 5.0)
        released = cap.now()
        last = cap.wait_quiet(2.0, "silence after the held Enter") - released
        segs = [s for s in cap.segments(tone_map) if s.onset > mark]
        equals = [s.onset for s in segs if s.name == "等于"]
        lines = p.tape().count(b"\r\n")
        print("Enter held 5 s: %d equals, %d tape lines, last sound %.1f s after release; "
              "the probe answered in %.0f ms at most" % (len(equals), lines, last, longest * 1000))
        check(len(equals) >= 2, "Enter held for 5 s pressed = %d times" % len(equals))
        check(last < 4.0, "still talking %.1f s after the held Enter was released" % last)
        # Each equals finished its readout (10: 一 十) before the next began.
        gaps = [b - a for a, b in zip(equals, equals[1:])]
        check(all(g >= 0.9 for g in gaps), "equals pressed inside a readout: %r"
              % [round(g, 2) for g in gaps])
        tape = p.tape()
        code = p.close()
        check(code == 0, "exit code %r" % code)
        check(p.read("steps.txt") == tape, "steps.txt: %r, tape %r" % (p.read("steps.txt"), tape))


@scenario
def keyboard_latency(args):
    p = Program(args, "keyboard_latency")
    report = p.start().wait_shown()
    times = []
    for digit in "12345678":
        p.focus_window()
        r = p.probe_raw("keywatch", str(report.entry.hwnd), str(ord(digit)))
        check(r.returncode == 0, "no change after the key %s" % digit)
        times.append(float(r.stdout.decode().strip()))
    p.wait_entry("12345678")
    times.sort()
    print("key press to Entry box text changed: median %.1f ms, max %.1f ms"
          % (times[len(times) // 2], times[-1]))
    p.close()
