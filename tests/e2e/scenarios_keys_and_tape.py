"""End-to-end scenarios: the keypad clicked and what the Entry box and the
tape show, the day count, the date picker, and the Sound toggle's name."""
from driver import KEY_CONTROL, Program, check, gbk, scenario, wait_for


@scenario
def calculation_and_restart(args):
    p = Program(args, "calculation_and_restart")
    p.start()
    p.keys(["5", "+", "3", "="])
    p.wait_entry("8")
    p.wait_tape("5+3=8\r\n")
    # Moved only (no resize): the close saves where it was left.
    report = p.probe()
    p.probe_raw("move", str(report.hwnd), "150", "120", "650", "500")
    wait_for(lambda: p.probe().geometry == (150, 120, 650, 500), "the moved window")
    p.close()
    check(p.read("steps.txt") == gbk("5+3=8\r\n"), "steps.txt holds %r" % p.read("steps.txt"))
    check(p.settings() == ["150", "120", "650", "500"], "peizi.ini holds %r" % p.settings())
    again = Program(args, "calculation_and_restart", keep=True)
    report = again.start().wait_shown()
    check(report.tape.text == gbk("5+3=8\r\n"), "the tape after restart: %r" % report.tape.text)
    check(report.geometry == (150, 120, 650, 500), "reopens at %r" % (report.geometry,))
    again.keys(["2", "*", "4", "="])
    again.wait_tape("5+3=8\r\n2×4=8\r\n")
    again.close()
    check(again.read("steps.txt") == gbk("5+3=8\r\n2×4=8\r\n"), "steps.txt after the second run")


def run_key_sequences(p, press):
    """The key-sequence checks, each sequence entered with press(keys)."""
    # Right after start no operator is pending.
    press(["7", "=", "2", "="])
    p.wait_tape("7\r\n")
    p.wait_entry("7")
    press(["C", "5", "+", "3", "-"])
    p.wait_tape("5-3=2\r\n")
    p.wait_entry("2")
    press(["C", "5", "+", "*"])
    p.wait_tape("5×5=25\r\n")
    p.wait_entry("25")
    press(["C", "0", "-", "5", "="])
    p.wait_entry("5")
    check(p.tape() == b"", "0 - 5 = writes no tape line")
    press(["C", "8", "/", "0", "="])
    shown = wait_for(lambda: (lambda e: e if e and e != b"0" else None)(p.entry()), "8 ÷ 0")
    p.wait_tape("8÷0=" + shown.decode("gbk") + "\r\n")
    press(["C", "9", "+", "C", "4", "="])
    p.wait_entry("4")
    check(p.tape() == b"", "4 = after clear writes no line")
    press(["2", "="])
    p.wait_tape("4+2=6\r\n")
    press(["C", "1", "2", "+/-"])
    p.wait_entry("-12")
    press(["+/-"])
    p.wait_entry("12")
    press(["<-"])
    p.wait_entry("1")
    press(["<-", "<-", "."])
    p.wait_entry("")
    press(["3", ".", "5", ".", "+/-"])
    p.wait_entry("-3.5")
    return shown


@scenario
def key_sequences(args):
    p = Program(args, "key_sequences")
    p.start()
    run_key_sequences(p, p.keys)
    p.close()


@scenario
def key_press_latency(args):
    p = Program(args, "key_press_latency")
    report = p.start().wait_shown()
    times = []
    for key in ["1", "2", "3", "4", "5", "6", "7", "8"]:
        x, y = report.control(KEY_CONTROL[key]).centre
        r = p.probe_raw("clickwatch", str(report.entry.hwnd), str(x), str(y))
        check(r.returncode == 0, "no change after a click")
        times.append(float(r.stdout.decode().strip()))
    times.sort()
    print("key press to Entry box text changed: median %.1f ms, max %.1f ms"
          % (times[len(times) // 2], times[-1]))
    p.close()


@scenario
def date_picker_opens_calendar(args):
    """A click on the left picker's drop-down arrow shows its calendar."""
    p = Program(args, "date_picker_opens_calendar")
    report = p.start().wait_shown()
    picker = report.control("日期框1")

    def dropped():
        r = p.probe_raw("dropped", str(picker.hwnd))
        check(r.returncode == 0, "the picker did not answer (%d)" % r.returncode)
        return r.stdout.decode().strip() == "1"
    check(not dropped(), "the calendar shows before any click")
    l, t, r, b = picker.rect
    # The arrow is at the picker's right end, inside its sunken border.
    p.click_at(r - 10, (t + b) // 2)
    wait_for(dropped, "the calendar of 日期框1")
    p.click_at(r - 10, (t + b) // 2)
    wait_for(lambda: not dropped(), "the calendar closed by a second click")
    p.close()


@scenario
def day_count(args):
    p = Program(args, "day_count")
    report = p.start().wait_shown()
    first, second = report.control("日期框1"), report.control("日期框2")
    label = report.control("标签1")

    def count(d1, d2):
        for picker, d in ((first, d1), (second, d2)):
            r = p.probe_raw("setdate", str(picker.hwnd), *[str(x) for x in d])
            check(r.returncode == 0, "setting a date picker failed (%d)" % r.returncode)
        p.click("days", report)
        return wait_for(lambda: (lambda t: t.decode("gbk") if t else None)(
            next(c for c in p.probe().children if c.hwnd == label.hwnd).text), "the day count")

    check(count((2024, 3, 1, 10, 0, 0), (2024, 4, 1, 10, 0, 0)) == "31天", "1 March to 1 April")
    wait_for(lambda: count((2024, 3, 11, 10, 0, 0), (2024, 3, 1, 10, 0, 0)) == "-10天", "-10天")
    wait_for(lambda: count((2024, 3, 1, 0, 0, 0), (2024, 3, 1, 12, 0, 0)) == "0.5天", "0.5天")
    p.close()


@scenario
def sound_toggle_name(args):
    p = Program(args, "sound_toggle_name")
    report = p.start().wait_shown()
    toggle = report.control("gfd").hwnd

    def name():
        return next(c for c in p.probe().children if c.hwnd == toggle).text
    check(name() == gbk("声音开"), "the Sound toggle is named %r at start" % name())
    p.click("sound")
    wait_for(lambda: name() == gbk("声音关"), "the name 声音关")
    p.press("5", "Return")
    p.wait_entry("5")
    check(name() == gbk("声音关"), "the name changed to %r without a toggle" % name())
    p.click("sound")
    wait_for(lambda: name() == gbk("声音开"), "the name 声音开 again")
    p.close()
