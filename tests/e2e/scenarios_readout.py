"""End-to-end scenarios: what the program says, captured at the pace of a
sound card and named by tone: the readout's rhythm (its pauses read from
app/readout_pauses.inc), the sign and the words for results that are not
amounts, keys during a readout, forty digits, the Sound toggle."""
import subprocess
import time

import tone_analysis
from driver import Failure, captured_program, check, gbk, scenario, wait_for


def readout_expectations(pauses):
    """(keys, the readout's recordings with the pause after each), the
    pauses as app/readout_pauses.inc sets them: each recording's own, 伍
    that of 五, and the long one of 十 next to 五."""
    def said(*names):
        return [(n, pauses.after[n]) for n in names]
    wu = [("伍", pauses.after["五"])]
    return [
        (["1", "2", "3", "4", ".", "5"],
         said("一", "千", "二", "百", "三", "十", "四", "元") + wu + said("角")),
        (["1", "5"], said("一") + [("十", pauses.long_ten)] + said("五")),
        (["1", "0"], said("一", "十")),
        (["3"], said("三")),
        (["0"], said("零")),
        (["0", ".", "0", "5"], wu + said("分")),
        (["2", "0", ".", "0", "5"], said("二", "十", "元", "零") + wu + said("分")),
        (["3", "+/-"], said("负", "三")),
        (["9"] * 14, said("溢出")),
    ]


def shown_result_expectations(pauses):
    """(keys, what the Entry box shows after =, the readout's recordings with
    the pause after each) for results that are negative or not amounts."""
    def said(*names):
        return [(n, pauses.after[n]) for n in names]
    wu = [("伍", pauses.after["五"])]
    return [
        (["5", "-", "8"], "-3", said("负", "三")),
        (["1", "2", "3", "4", ".", "5", "+/-"], "-1234.5",
         said("负", "一", "千", "二", "百", "三", "十", "四", "元") + wu + said("角")),
        (["5", "/", "0"], "1.#INF", said("溢出")),
        # 5 ÷ -0: the negative infinity.
        (["5", "/", "0", "+/-"], "-1.#INF", said("负", "溢出")),
        # The second - makes the running result 5 - 5 = 0 and ÷ divides it
        # by the 0 shown: the indefinite NaN, which = divides by 0 again.
        (["5", "-", "5", "-", "/", "0"], "-1.#IND", said("错误")),
        # A first operand of 0 counts as none: = computes nothing and reads
        # the 0 shown.
        (["0", "/", "0"], "0", said("零")),
    ]


def readout_onsets(segments, start_index):
    """Onsets (ms) after the 等于 at start_index, with their names."""
    t0 = segments[start_index].onset
    return [(s.name, (s.onset - t0) * 1000) for s in segments[start_index + 1:]]


def find_equals(segments, after=0.0):
    for i, s in enumerate(segments):
        if s.name == "等于" and s.onset > after:
            return i
    return None


def wait_readout(cap, tone_map, mark, seconds, what):
    """The captured sounds and the index of the first 等于 after `mark`,
    once `seconds` have passed since it began."""
    def done():
        segs = cap.segments(tone_map)
        i = find_equals(segs, mark - 0.2)
        return (segs, i) if i is not None and cap.now() - segs[i].onset > seconds else None
    return wait_for(done, what, timeout=30, step=0.2)


def measure_readout(p, cap, tone_map, report, keys, steps, gaps, errors):
    p.keys(["C"] + keys)
    # The key sounds end before the equals key: overlapping sounds share the
    # one paced capture and drain late (fourteen 9s take seconds).
    time.sleep(0.3)
    cap.wait_quiet(0.3, "the key sounds of %s to end" % "".join(keys))
    mark = cap.now()
    p.click("=", report)
    delay = p.args.pauses.readout_delay
    total = delay + sum(pause for _, pause in steps) + p.args.pauses.closing
    # Wait for the readout to have been captured in full.
    segs, i = wait_readout(cap, tone_map, mark, total / 1000 + 0.6,
                           "the readout of %s" % "".join(keys))
    got = readout_onsets(segs, i)
    want, at = [], delay
    for name, pause in steps:
        want.append((name, at))
        at += pause
    names = [n for n, _ in got]
    check(names == [n for n, _ in want],
          "readout of %s plays %r, expected %r" % ("".join(keys), names,
                                                   [n for n, _ in want]))
    if got:
        # The syllables keep the rhythm among themselves within 30 ms.
        # The equals sound is a stream of its own whose start the
        # device may delay; its gap to the first syllable is checked
        # more loosely and reported.
        lead = got[0][1]
        check(delay - 150 <= lead <= delay + 150,
              "%s: first syllable %.0f ms after 等于" % ("".join(keys), lead))
        found = []
        for (name, g), (_, w) in zip(got, want):
            error = (g - lead) - (w - delay)
            found.append(abs(error))
            check(abs(error) <= 30, "%s of %s at %.0f ms after the first syllable, "
                  "expected %d" % (name, "".join(keys), g - lead, w - delay))
        gaps.append(lead)
        errors.extend(found)
    return got


def measure_readout_retried(p, cap, tone_map, report, keys, steps, gaps, errors, attempts):
    """measure_readout, up to three times: a timing measurement can be
    spoiled by the machine's load (a stream start held up long enough to
    overlap the next sound). The failures of the last attempt are reported."""
    for attempt in range(3):
        try:
            return measure_readout(p, cap, tone_map, report, keys, steps, gaps, errors)
        except Failure:
            if attempt == 2:
                raise
            attempts.append("".join(keys))


def report_timing(gaps, errors, attempts, delay):
    print("largest syllable onset error: %.1f ms" % max(errors))
    if attempts:
        print("measured again after a spoiled attempt: %s" % ", ".join(attempts))
    print("等于 to first syllable: %s ms (schedule %d)"
          % (", ".join("%.0f" % g for g in gaps), delay))


@scenario
def spoken_readout(args):
    gaps, errors, attempts = [], [], []
    with captured_program(args, "spoken_readout") as (p, cap, tone_map):
        p.start(cap.env)
        report = p.probe()
        measured = []
        for keys, steps in readout_expectations(args.pauses):
            got = measure_readout_retried(p, cap, tone_map, report, keys, steps, gaps, errors,
                                          attempts)
            if keys[:1] == ["1"] and len(keys) == 6:
                measured.append((got[-1][1] - got[0][1], sum(pause for _, pause in steps[:-1])))
        report_timing(gaps, errors, attempts, args.pauses.readout_delay)
        for span, schedule in measured:
            print("readout of 1234.5, first to last onset: %.0f ms (schedule %d ms)" % (span, schedule))
        # Sound off: nothing is captured.
        p.click("sound", report)
        time.sleep(0.5)
        mark = cap.now()
        p.keys(["C", "1", "2", "3", "4", ".", "5", "="])
        time.sleep(6)
        late = [s for s in cap.segments(tone_map) if s.onset > mark]
        check(not late, "sound off still plays %r" % [s.name for s in late])
        p.close()


@scenario
def readout_says_what_the_box_shows(args):
    """A negative result is read with 负 first; an infinity as 溢出 (负 溢出),
    a NaN as 错误, never as the 1 that ToNumber reads in their marks; each
    on the readout's rhythm."""
    gaps, errors, attempts = [], [], []
    with captured_program(args, "readout_says_what_the_box_shows") as (p, cap, tone_map):
        p.start(cap.env)
        report = p.probe()
        for keys, shown, steps in shown_result_expectations(args.pauses):
            measure_readout_retried(p, cap, tone_map, report, keys, steps, gaps, errors, attempts)
            check(p.entry() == gbk(shown), "after %s=, the Entry box shows %r, expected %r"
                  % ("".join(keys), p.entry(), shown))
        report_timing(gaps, errors, attempts, args.pauses.readout_delay)
        p.close()


@scenario
def digit_during_wait(args):
    with captured_program(args, "digit_during_wait") as (p, cap, tone_map):
        p.start(cap.env)
        report = p.probe()
        p.keys(["2", "+", "3"])
        time.sleep(0.6)
        mark = cap.now()
        p.click("=", report)
        p.click("7", report)
        p.wait_entry("7")
        p.wait_tape("2+3=5\r\n")
        segs, i = wait_readout(cap, tone_map, mark, 2.5, "the readout")
        got = readout_onsets(segs, i)
        check([n for n, _ in got] == ["七", "七"], "after 等于: %r" % got)
        check(abs(got[1][1] - args.pauses.readout_delay) <= 30,
              "the readout of 7 at %.0f ms" % got[1][1])
        # Responsive during a readout: a long one, and keys that answer at once.
        p.keys(["C", "1", "2", "3", "4", ".", "5", "="])
        time.sleep(1.5)
        start = time.monotonic()
        p.keys(["C", "9"])
        p.wait_entry("9")
        print("Entry box answered during a readout after %.0f ms" % ((time.monotonic() - start) * 1000))
        p.close()


@scenario
def entry_takes_forty_digits(args):
    with captured_program(args, "entry_takes_forty_digits") as (p, cap, tone_map):
        p.start(cap.env)
        report = p.probe()
        # 41 bytes, past the Entry box's 30-byte typing limit: 0.05 and then
        # 37 more digits, each clicked.
        digits = "0.05" + ("1234567890" * 4)[:37]
        p.keys(list(digits))
        p.wait_entry(digits)
        # The 41 key sounds overlapped: the paced capture drains them first.
        wait_for(lambda: cap.now() - tone_analysis.last_arrival(cap.times) > 0.5,
                 "the key sounds to be drained", timeout=60, step=0.1)
        mark = cap.now()
        p.click("=", report)
        # What ToNumber makes of the 40 digits, read out to the fen: 五分.
        segs, i = wait_readout(cap, tone_map, mark, 1.8, "the readout")
        got = [n for n, _ in readout_onsets(segs, i)]
        check(got == ["伍", "分"], "the readout after the 40 digits: %r" % got)
        check(p.entry() == gbk(digits), "the Entry box after =: %r" % p.entry())
        p.close()


@scenario
def sound_toggle_by_click(args):
    """Two clicks at the Sound toggle's centre: the sound goes off, then on."""
    with captured_program(args, "sound_toggle_by_click") as (p, cap, tone_map):
        p.start(cap.env)
        report = p.probe()

        def heard_after(mark, name):
            return [s.name for s in cap.segments(tone_map) if s.onset > mark and s.name == name]
        mark = cap.now()
        p.click("5", report)
        p.wait_entry("5")
        wait_for(lambda: heard_after(mark, "五"), "the sound of 5", step=0.2)
        mark = cap.now()
        p.click("sound", report)
        p.click("6", report)
        p.wait_entry("56")
        p.click("sound", report)
        p.click("7", report)
        p.wait_entry("567")
        # The sounds arrive in the order they were played: once 七 is heard,
        # a 六 would have been heard before it.
        wait_for(lambda: heard_after(mark, "七"), "the sound of 7 after switching back on", step=0.2)
        heard = [s.name for s in cap.segments(tone_map) if s.onset > mark]
        check(heard == ["七"], "with the sound off and on again: %r" % heard)
        p.close()


@scenario
def read_again_key(args):
    """F2 reads the Entry box again as it shows now, by the equals key's
    rules and without 等于; a second F2 during that readout is dropped; with
    the sound off F2 plays nothing."""
    with captured_program(args, "read_again_key") as (p, cap, tone_map):
        p.start(cap.env)
        report = p.probe()
        p.keys(["5", "-", "8", "="])
        p.wait_entry("-3")
        cap.wait_quiet(1.0, "the readout after =")

        def heard_after(mark, seconds):
            wait_for(lambda: cap.now() - mark > seconds, "%.1f s" % seconds, step=0.1)
            cap.wait_quiet(0.8, "the sounds to end")
            return [s.name for s in cap.segments(tone_map) if s.onset > mark]
        mark = cap.now()
        p.press("F2")
        got = heard_after(mark, 1.5)
        check(got == ["负", "三"], "F2 after -3 played %r" % got)
        # F2 twice, the second inside the first one's readout.
        mark = cap.now()
        p.focus_window()
        subprocess.run(["xdotool", "key", "--delay", "300", "F2", "F2"], check=True, timeout=30)
        got = heard_after(mark, 2.0)
        check(got == ["负", "三"], "F2 pressed during its own readout played %r" % got)
        # What the box shows now is read, not the last result.
        p.keys(["1", "2"])
        p.wait_entry("12")
        cap.wait_quiet(0.8, "the key sounds")
        mark = cap.now()
        p.press("F2")
        got = heard_after(mark, 1.5)
        check(got == ["一", "十", "二"], "F2 after typing 12 played %r" % got)
        # Sound off: nothing.
        p.click("sound", report)
        time.sleep(0.5)
        mark = cap.now()
        p.press("F2")
        time.sleep(2.0)
        late = [s.name for s in cap.segments(tone_map) if s.onset > mark]
        check(not late, "F2 with the sound off played %r" % late)
        p.close()
