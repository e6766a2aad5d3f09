"""End-to-end scenarios: no tape line is lost. A kill right after a step,
log-off and shutdown, the Delete keys, a stale copy in the application
data, a file the tape box cannot show, two instances whose steps and
closes come at the same moment, and a 64 KiB line that the window must
show within a generous wait."""
import os
import time

from driver import (TITLE, Failure, Program, check, gbk, scenario, user_data_folder, wait_for)

WM_CLOSE, WM_QUERYENDSESSION, WM_ENDSESSION, BM_CLICK = 0x10, 0x11, 0x16, 0xF5


def read_file(path):
    with open(path, "rb") as f:
        return f.read()


def file_holds(path, content):
    return lambda: os.path.isfile(path) and read_file(path) == content


@scenario
def kill_after_step_keeps_line(args):
    p = Program(args, "kill_after_step_keeps_line")
    p.start()
    p.keys(["5", "+", "3", "="])
    p.wait_tape("5+3=8\r\n")
    # Two seconds later the process is gone, as in a crash, a power cut or
    # the task manager: no close, no message of any kind.
    time.sleep(2.0)
    p.kill()
    check(os.path.isfile(p.path("steps.txt")), "no steps.txt after the kill")
    check(p.read("steps.txt") == gbk("5+3=8\r\n"), "steps.txt: %r" % p.read("steps.txt"))


@scenario
def session_end_keeps_tape(args):
    p = Program(args, "session_end_keeps_tape")
    report = p.start().wait_shown()
    p.keys(["6", "+", "1", "="])
    p.wait_tape("6+1=7\r\n")
    # A note typed into the tape: a click below its text puts the caret at
    # its end.
    l, t, r, b = report.tape.rect
    p.click_at((l + r) // 2, b - 20)
    wait_for(lambda: p.probe().focus == report.tape.hwnd, "the focus in the tape")
    p.press("n", "o", "t", "e")
    p.wait_tape("6+1=7\r\nnote")
    # Log-off as the system does it: the query, then the end, then the
    # process is ended without closing its window.
    answer = p.send(report.hwnd, WM_QUERYENDSESSION, 0, 0)
    check(answer == 1, "WM_QUERYENDSESSION answered %r" % answer)
    p.send(report.hwnd, WM_ENDSESSION, 1, 0)
    p.kill()
    check(os.path.isfile(p.path("steps.txt")), "no steps.txt after the session ended")
    check(p.read("steps.txt") == gbk("6+1=7\r\nnote"), "steps.txt: %r" % p.read("steps.txt"))
    # The geometry was saved too.
    check(all(v is not None for v in p.settings()), "peizi.ini: %r" % p.settings())


def press_until_entry(p, keysym, want, what):
    """A key pressed as a person would, and once more if the window had not
    taken it within a while (the keyboard goes to the window in front, which
    a loaded display may not have settled yet)."""
    for attempt in range(2):
        p.press(keysym)
        try:
            return wait_for(lambda: p.entry() == want, what, timeout=15)
        except Failure:
            if attempt == 1:
                raise Failure("%s: the Entry box shows %r" % (what, p.entry()))


@scenario
def delete_keys_keep_tape(args):
    p = Program(args, "delete_keys_keep_tape")
    p.start()
    p.keys(["6", "+", "1", "="])
    p.wait_tape("6+1=7\r\n")
    p.wait_entry("7")
    # Delete, then the number pad's Del (its "." with Num Lock off): the
    # Entry box is cleared, the tape stays.
    press_until_entry(p, "Delete", b"", "Delete to clear the Entry box")
    p.keys(["4"])
    p.wait_entry("4")
    # The number pad's "." is Del only with Num Lock off; an earlier
    # scenario on this display may have left it on, and then the key types
    # the point: Num Lock off, and the same key again.
    p.press("KP_Delete")
    seen = []

    def answered():
        seen[:] = [p.entry()]
        return seen[0] in (b"", b"4.")
    wait_for(answered, "the number pad's key to answer")
    if seen[0] == b"4.":
        p.press("BackSpace", "Num_Lock")
        p.wait_entry("4")
        press_until_entry(p, "KP_Delete", b"", "the number pad's Del to clear the Entry box")
    time.sleep(0.5)
    check(p.tape() == gbk("6+1=7\r\n"), "the tape became %r" % p.tape())
    check(p.read("steps.txt") == gbk("6+1=7\r\n"), "steps.txt: %r" % p.read("steps.txt"))
    # Ctrl+Delete presses 清除: the tape empties, and the one it replaced is
    # kept as steps.bak.
    p.press("ctrl+Delete")
    p.wait_tape("")
    wait_for(file_holds(p.path("steps.bak"), gbk("6+1=7\r\n")), "steps.bak")
    check(p.close() == 0, "exit code")
    check(p.read("steps.txt") == b"", "steps.txt after the clear: %r" % p.read("steps.txt"))
    check(p.read("steps.bak") == gbk("6+1=7\r\n"), "steps.bak: %r" % p.read("steps.bak"))


@scenario
def stale_copy_joins_tape(args):
    kept = user_data_folder(args)
    p = Program(args, "stale_copy_joins_tape")
    with open(p.path("steps.txt"), "wb") as f:
        f.write(gbk("2+2=4\r\n"))
    # A copy left in the application data by one save while the folder was
    # read-only, older in content but newer by its file time.
    os.makedirs(kept, exist_ok=True)
    with open(os.path.join(kept, "steps.txt"), "wb") as f:
        f.write(gbk("1+1=2\r\n"))
    later = time.time() + 60
    os.utime(os.path.join(kept, "steps.txt"), (later, later))
    try:
        report = p.start().wait_shown()
        shown = report.tape.text
        check(gbk("1+1=2\r\n") in shown and gbk("2+2=4\r\n") in shown,
              "the tape at start: %r" % shown)
        p.keys(["3", "+", "3", "="])
        p.wait_tape((shown + gbk("3+3=6\r\n")).decode("gbk"))
        check(p.close() == 0, "exit code")
        saved = p.read("steps.txt")
        check(saved == shown + gbk("3+3=6\r\n"), "steps.txt: %r" % saved)
        check(not os.path.exists(os.path.join(kept, "steps.txt")), "the stale copy is still there")
        # And it stays one tape at the next start.
        again = Program(args, "stale_copy_joins_tape", keep=True)
        check(again.start().wait_shown().tape.text == saved, "the tape at the next start")
        again.close()
    finally:
        p.kill()


@scenario
def leading_zero_byte_tape_unchanged(args):
    content = b"\x00" + gbk("1+1=2\r\n") + b"\xff\xfe"
    p = Program(args, "leading_zero_byte_tape_unchanged")
    with open(p.path("steps.txt"), "wb") as f:
        f.write(content)
    p.start()
    check(p.close() == 0, "exit code")
    check(p.read("steps.txt") == content, "steps.txt changed to %r" % p.read("steps.txt"))
    # The first change of the tape replaces it, and the old file is kept.
    p.start()
    p.keys(["2", "+", "2", "="])
    p.wait_tape("2+2=4\r\n")
    check(p.close() == 0, "exit code")
    check(p.read("steps.txt") == gbk("2+2=4\r\n"), "steps.txt: %r" % p.read("steps.txt"))
    check(p.read("steps.bak") == content, "steps.bak: %r" % p.read("steps.bak"))


def second_window(a):
    def other():
        r = a.probe_raw("list", TITLE)
        handles = [int(h) for h in r.stdout.split() if int(h) != a.hwnd]
        return handles[0] if handles else None
    return other


@scenario
def two_instances_at_the_same_moment(args):
    # Each round: two instances side by side in one folder; each types a
    # calculation, both equals keys are clicked at the same moment, then
    # both windows are closed at the same moment. Every line of every round
    # must be in steps.txt.
    a = Program(args, "two_instances_at_once")
    with open(a.path("steps.txt"), "wb") as f:
        f.write(gbk("1+1=2\r\n"))
    expected = [gbk("1+1=2\r\n")]
    for round_ in range(3):
        a.hwnd = None
        a.start()
        a.hwnd = a.probe().hwnd
        b = Program(args, "two_instances_at_once", keep=True)
        b.start(wait=False)
        b.hwnd = wait_for(second_window(a), "the second window", timeout=60)
        b.wait_shown(count=2)
        a_report = a.probe()
        b_report = b.probe()
        # Each types into its own Entry box through its own buttons.
        digit_a, digit_b = str(2 + round_), str(5 + round_)
        for p, report, digit in ((a, a_report, digit_a), (b, b_report, digit_b)):
            for key in (digit, "+", "1"):
                p.post((report.control({"+": "sjia"}.get(key, "s" + key)).hwnd, BM_CLICK, 0, 0))
                time.sleep(0.2)
        a.wait_entry("1")
        b.wait_entry("1")
        a.post((a_report.control("sdeng").hwnd, BM_CLICK, 0, 0),
               (b_report.control("sdeng").hwnd, BM_CLICK, 0, 0))
        line_a = gbk("%s+1=%d\r\n" % (digit_a, int(digit_a) + 1))
        line_b = gbk("%s+1=%d\r\n" % (digit_b, int(digit_b) + 1))
        wait_for(lambda: line_a in a.tape() and line_b in b.tape(), "both results")
        a.post((a.hwnd, WM_CLOSE, 0, 0), (b.hwnd, WM_CLOSE, 0, 0))
        check(a.wait_exit() == 0 and b.wait_exit() == 0, "exit codes")
        saved = a.read("steps.txt")
        expected += [line_a, line_b]
        for line in expected:
            check(line in saved, "round %d: %r missing from steps.txt %r" % (round_ + 1, line, saved))
        check(saved.count(b"\r\n") == len(expected),
              "round %d: steps.txt has lines twice: %r" % (round_ + 1, saved))
        leftovers = [n for n in os.listdir(a.folder) if n.startswith("steps.txt.")]
        check(not leftovers, "temporary files left: %r" % leftovers)
    print("three rounds of two instances: %d lines kept" % len(expected))


@scenario
def long_line_tape_shows(args):
    content = b"z" * (1 << 16) + b"\n\r\n"
    p = Program(args, "long_line_tape_shows")
    with open(p.path("steps.txt"), "wb") as f:
        f.write(content)
    p.start(wait=False).wait_shown()
    print("a 64 KiB one-line tape: window shown after %.1f s" % p.shown_after)
    check(p.close() == 0, "exit code")
    check(p.read("steps.txt") == content, "steps.txt changed")
