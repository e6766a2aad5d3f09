#!/usr/bin/env python3
"""End-to-end tests of Talvique.exe under Wine and a virtual display.

Every scenario copies the program into a fresh folder (with the recordings,
the test tones or no wav folder at all), starts it under the build tree's
own Wine prefix, clicks the keys at their screen positions with xdotool,
reads what the window shows through window_probe (the window's own
messages, from outside), closes it with Esc and inspects steps.txt and
peizi.ini. Waits are for conditions, with generous time-outs.

  talvique_e2e.py --list
  talvique_e2e.py [paths…] --scenario NAME
  talvique_e2e.py [paths…] --demo OUTDIR      the demo: screenshot and WAVE file
"""
import argparse
import contextlib
import os
import shutil
import signal
import struct
import subprocess
import sys
import time
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
import tone_analysis  # noqa: E402

TITLE = "Talvique "
TITLE_PATTERN = "^Talvique $"

# The Main window's controls as its description places them, at its design
# size (outer size 434 × 432).
DESIGN_SIZE = (434, 432)
DEFINITION = {
    "gfd": (399, 381, 20, 20), "sqc1": (66, 284, 60, 60), "标签1": (344, 357, 72, 16),
    "按钮1": (254, 353, 80, 24), "日期框2": (127, 353, 120, 24), "日期框1": (5, 353, 120, 24),
    "步骤": (251, 5, 173, 340), "szf": (66, 224, 60, 60), "sdeng": (125, 284, 120, 60),
    "schu": (186, 224, 60, 60), "scheng": (186, 164, 60, 60), "sjian": (186, 104, 60, 60),
    "sjia": (186, 44, 60, 60), "sqc": (6, 284, 60, 60), "s3": (126, 164, 60, 60),
    "s6": (126, 104, 60, 60), "s9": (126, 44, 60, 60), "s8": (66, 44, 60, 60),
    "sdian": (126, 224, 60, 60), "s2": (66, 164, 60, 60), "s5": (66, 104, 60, 60),
    "s1": (6, 164, 60, 60), "s4": (6, 104, 60, 60), "s0": (6, 224, 60, 60),
    "s7": (6, 44, 60, 60), "计算": (4, 3, 246, 35), "分组框1": (3, 35, 246, 312),
    "超级链接框1": (0, 381, 394, 20),
}
KEY_CONTROL = {str(d): "s%d" % d for d in range(10)}
KEY_CONTROL.update({"+": "sjia", "-": "sjian", "*": "scheng", "/": "schu", "=": "sdeng",
                    ".": "sdian", "+/-": "szf", "<-": "sqc1", "C": "sqc", "days": "按钮1",
                    "sound": "gfd"})
# The keys of the keyboard that press the same buttons (X keysyms), on the
# main row and on the number pad.
MAIN_ROW_KEY = {str(d): str(d) for d in range(10)}
MAIN_ROW_KEY.update({"+": "plus", "-": "minus", "*": "asterisk", "/": "slash", "=": "equal",
                     ".": "period", "+/-": "F9", "<-": "BackSpace", "C": "Delete"})
NUMBER_PAD_KEY = {str(d): "KP_%d" % d for d in range(10)}
NUMBER_PAD_KEY.update({"+": "KP_Add", "-": "KP_Subtract", "*": "KP_Multiply", "/": "KP_Divide",
                       "=": "KP_Enter", ".": "KP_Decimal", "+/-": "F9", "<-": "BackSpace",
                       "C": "Delete"})
DEFAULT_GEOMETRY = (100, 100, 650, 500)

SECTIONS = [("_启动窗口z", "_启动窗口.z"), ("_启动窗口d", "_启动窗口.d"),
            ("_启动窗口k", "_启动窗口.k"), ("_启动窗口g", "_启动窗口.g")]


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(condition, what, timeout=30.0, step=0.05):
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what)
        time.sleep(step)


def gbk(text):
    return text.encode("gbk")


class Child:
    def __init__(self, fields):
        (self.hwnd, self.parent, self.cls, style, l, t, r, b, visible, texthex) = fields
        self.hwnd, self.parent = int(self.hwnd), int(self.parent)
        self.style = int(style)
        self.rect = (int(l), int(t), int(r), int(b))
        self.visible = visible == "1"
        self.text = b"" if texthex == "-" else bytes.fromhex(texthex)

    @property
    def centre(self):
        l, t, r, b = self.rect
        return ((l + r) // 2, (t + b) // 2)


class Report:
    def __init__(self, lines):
        self.children = []
        self.window = None
        self.focus = None
        self.minimized = None
        for line in lines:
            parts = line.split()
            if parts and parts[0] == "window":
                v = [int(x) for x in parts[1:]]
                self.hwnd, self.rect, self.minimized, self.client = v[0], tuple(v[1:5]), v[5], (v[6], v[7])
                self.client_size = (v[8], v[9])
                self.window = True
            elif parts and parts[0] == "focus":
                self.focus = int(parts[1])
            elif parts and parts[0] == "child":
                self.children.append(Child(parts[1:]))

    @property
    def geometry(self):
        l, t, r, b = self.rect
        return (l, t, r - l, b - t)

    def direct(self):
        return [c for c in self.children if c.parent == self.hwnd]

    def edit(self, multiline):
        for c in self.direct():
            if c.cls.lower() == "edit" and bool(c.style & 0x4) == multiline:
                return c
        raise Failure("no %s edit box" % ("multi-line" if multiline else "single-line"))

    @property
    def entry(self):
        return self.edit(False)

    @property
    def tape(self):
        return self.edit(True)

    def control(self, name):
        """A control by its description name, found by kind and caption."""
        d = self.direct()
        if name == "gfd":
            return next(c for c in d if c.cls == "TalviquePicBtn")
        if name == "标签1":
            return next(c for c in d if c.cls == "TalviqueLabel")
        if name in ("日期框1", "日期框2"):
            pickers = sorted((c for c in d if c.cls == "SysDateTimePick32"), key=lambda c: c.rect[0])
            return pickers[0 if name == "日期框1" else 1]
        if name == "计算":
            return self.entry
        if name == "步骤":
            return self.tape
        captions = {"sjia": "+", "sjian": "-", "scheng": "×", "schu": "÷", "sdeng": "=",
                    "sdian": ".", "szf": "+/-", "sqc1": "←", "sqc": "清除", "按钮1": "计算天数"}
        for digit in range(10):
            captions["s%d" % digit] = str(digit)
        if name in captions:
            want = gbk(captions[name])
            for c in d:
                if c.cls.lower() == "button" and c.text == want:
                    return c
        if name == "分组框1":
            return next(c for c in d if c.cls.lower() == "button" and (c.style & 0xF) == 7)
        if name == "超级链接框1":
            return next(c for c in d if c.cls == "TalviqueHyperLinker")
        raise Failure("control %s not found" % name)


PROGRAMS = []
POINTER = None  # where the last click left the mouse pointer


class Program:
    """One Talvique.exe in its own folder."""

    def __init__(self, args, name, sounds="tones", keep=False):
        PROGRAMS.append(self)
        self.args = args
        self.folder = os.path.join(args.work, name)
        if not keep:
            allow_writes(self.folder)
            shutil.rmtree(self.folder, ignore_errors=True)
            os.makedirs(self.folder)
            shutil.copy(args.exe, os.path.join(self.folder, "Talvique.exe"))
            source = {"tones": args.tones, "speech": args.wav}.get(sounds)
            if source:
                shutil.copytree(source, os.path.join(self.folder, "wav"))
        self.exe = os.path.join(self.folder, "Talvique.exe")
        self.process = None
        self.env = dict(os.environ)
        self.env.update(WINEPREFIX=args.prefix, WINEARCH=args.arch, WINELOADER=args.wine,
                        LC_ALL="zh_CN.UTF-8", LANG="zh_CN.UTF-8", WINEDEBUG="-all")
        self.env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=;winepulse.drv=d")
        self.started_at = None
        self.shown_after = None
        self.hwnd = None  # set to tell this instance's window from another's

    def path(self, name):
        return os.path.join(self.folder, name)

    def start(self, extra_env=None, wait=True):
        env = dict(self.env)
        env.update(extra_env or {})
        self.started_at = time.monotonic()
        self.process = subprocess.Popen([self.args.wine, self.exe], cwd=self.folder, env=env,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, start_new_session=True)
        if wait:
            self.wait_shown()
        return self

    def wait_shown(self, count=1):
        def shown():
            r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", TITLE_PATTERN],
                               capture_output=True, text=True)
            ids = r.stdout.split()
            return ids if len(ids) >= count else None
        self.xids = wait_for(shown, "the window to be shown", timeout=60)
        self.shown_after = time.monotonic() - self.started_at
        # The window is shown at the end of loading: wait until the probe
        # sees the scaled layout settled (two equal reports).
        last = [None]

        def settled():
            r = self.probe()
            key = (r.rect, tuple(c.rect for c in r.children)) if r.window else None
            same = key is not None and key == last[0] and len(r.direct()) >= 28
            last[0] = key
            return r if same else None
        return wait_for(settled, "the layout to settle", timeout=30, step=0.1)

    def probe_raw(self, *arguments, timeout=30):
        return subprocess.run([self.args.wine, self.args.probe] + list(arguments), env=self.env,
                              capture_output=True, timeout=timeout, stdin=subprocess.DEVNULL)

    def probe(self):
        r = self.probe_raw("#%d" % self.hwnd if self.hwnd else TITLE)
        return Report(r.stdout.decode("latin-1").splitlines()) if r.returncode == 0 else Report([])

    def click(self, key, report=None):
        """A click at the centre of the key's control."""
        report = report or self.probe()
        self.click_at(*report.control(KEY_CONTROL.get(key, key)).centre)

    def click_at(self, x, y):
        # mousemove --sync waits for a motion, which never comes when the
        # pointer is already there: click again in place then.
        global POINTER
        if POINTER == (x, y):
            subprocess.run(["xdotool", "click", "1"], check=True, timeout=30)
        else:
            subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"],
                           check=True, timeout=30)
        POINTER = (x, y)

    def keys(self, sequence):
        report = self.probe()
        for key in sequence:
            self.click(key, report)

    def entry(self):
        return self.probe().entry.text

    def tape(self):
        return self.probe().tape.text

    def wait_entry(self, text, timeout=30):
        want = gbk(text)
        return wait_for(lambda: self.entry() == want, "the Entry box to show %r" % text, timeout)

    def wait_tape(self, text, timeout=30):
        want = gbk(text)
        return wait_for(lambda: self.tape() == want, "the tape to show %r" % text, timeout)

    def focus_window(self):
        """The keyboard to the window, as a person brings it to the front."""
        for xid in getattr(self, "xids", [])[:1]:
            subprocess.run(["xdotool", "windowfocus", xid], capture_output=True, timeout=30)

    def press(self, *keysyms):
        """Real key presses (X keysyms), in order, with the window in front."""
        self.focus_window()
        subprocess.run(["xdotool", "key", "--delay", "80"] + list(keysyms), check=True, timeout=60)

    def type_keys(self, sequence, keyboard=None):
        """The keys of a click sequence (see KEY_CONTROL), typed instead."""
        keyboard = keyboard or MAIN_ROW_KEY
        self.press(*[keyboard[k] for k in sequence])

    def close(self, timeout=60):
        """Esc, as a user presses it with the window in front: the keyboard
        goes to the window under the pointer, so the pointer rests on the
        tape (no click) first."""
        report = self.probe()
        if report.window:
            x, y = report.tape.centre
            global POINTER
            subprocess.run(["xdotool", "mousemove", str(x), str(y)], timeout=30)
            POINTER = (x, y)
        end = time.monotonic() + timeout
        while True:
            for xid in getattr(self, "xids", [])[:1]:
                subprocess.run(["xdotool", "windowfocus", xid], capture_output=True, timeout=30)
            subprocess.run(["xdotool", "key", "Escape"], timeout=30)
            try:
                return self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                if time.monotonic() > end:
                    self.kill()
                    raise Failure("the program did not end on Esc")

    def wait_exit(self, timeout=60):
        try:
            code = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            raise Failure("the program did not end")
        return code

    def kill(self):
        if self.process and self.process.poll() is None:
            try:
                os.killpg(self.process.pid, signal.SIGKILL)
            except OSError:
                pass
            self.process.wait()

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()

    def settings(self):
        """The four geometry values of peizi.ini as texts (GBK sections)."""
        text = self.read("peizi.ini").decode("gbk")
        values, section = {}, None
        for line in text.splitlines():
            line = line.strip()
            if line.startswith("["):
                section = line[1:-1]
            elif "=" in line and section:
                k, v = line.split("=", 1)
                values[(section, k)] = v
        return [values.get(key) for key in SECTIONS]

    def write_settings(self, left, top, width, height):
        lines = []
        for (section, item), value in zip(SECTIONS, (left, top, width, height)):
            lines.append("[%s]\r\n%s=%s\r\n" % (section, item, value))
        with open(self.path("peizi.ini"), "wb") as f:
            f.write("".join(lines).encode("gbk"))


def temp_folder(args):
    users = os.path.join(args.prefix, "drive_c", "users")
    for user in sorted(os.listdir(users)):
        t = os.path.join(users, user, "AppData", "Local", "Temp")
        if os.path.isdir(t) and user != "Public":
            return t
    for user in sorted(os.listdir(users)):
        t = os.path.join(users, user, "Temp")
        if os.path.isdir(t):
            return t
    raise Failure("no temporary folder in the prefix")


# ---------------------------------------------------------------------------
# Sound capture: an ALSA file device writing into a FIFO that a reader
# drains at the pace of a sound card, noting when each byte arrived.

class Capture:
    RATE = 22050

    def __init__(self, folder, paced=True):
        """paced: drained at the pace of one sound card, as timing needs.
        That pace holds for sounds one after another; sounds that overlap
        are all written into the one FIFO and so drained at a fraction of
        their speed each, later and later. Unpaced, every sound arrives as
        fast as it is played, at about the moment it was started."""
        self.dir = os.path.join(folder, "capture")
        os.makedirs(self.dir, exist_ok=True)
        self.fifo = os.path.join(self.dir, "paced.fifo")
        self.raw = os.path.join(self.dir, "paced.raw")
        self.times = os.path.join(self.dir, "paced.times")
        for p in (self.fifo, self.raw, self.times):
            if os.path.exists(p):
                os.unlink(p)
        os.mkfifo(self.fifo)
        conf = os.path.join(self.dir, "paced.conf")
        with open(conf, "w") as f:
            f.write('pcm.!default { type file slave { pcm { type null } } file "%s" format "raw" }\n'
                    % self.fifo)
        self.env = {"ALSA_CONFIG_PATH": conf, "WINEDLLOVERRIDES": "mscoree,mshtml=;winepulse.drv=d"}
        self.reader = subprocess.Popen(
            [sys.executable, os.path.join(HERE, "timed_capture.py"), self.fifo, self.raw,
             self.times, str(self.RATE * 2 if paced else self.RATE * 2 * 1000)],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: os.path.exists(self.times), "the capture reader")

    def stop(self):
        self.reader.terminate()
        self.reader.wait()

    def segments(self, tone_map):
        return tone_analysis.segments(self.raw, self.times, self.RATE, tone_map)

    def now(self):
        return time.monotonic()

    def wait_quiet(self, seconds, what, timeout=120):
        """Until nothing has arrived for `seconds`; returns when the last
        bytes came."""
        def quiet():
            last = tone_analysis.last_arrival(self.times)
            return last if self.now() - last > seconds else None
        return wait_for(quiet, what, timeout=timeout, step=0.2)


# ---------------------------------------------------------------------------
# Scenarios

SCENARIOS = {}


def scenario(f):
    SCENARIOS[f.__name__] = f
    return f


def expected_child_rects(report, main_size):
    """Where each control must be: the recorded layout (the description's
    place plus the frame offsets that the recording subtracts) scaled from
    the design size to the window's size, in screen coordinates."""
    fx, fy = main_size[0] / DESIGN_SIZE[0], main_size[1] / DESIGN_SIZE[1]
    bx = report.client[0] - report.rect[0]
    by = report.client[1] - report.rect[1]
    rects = {}
    for name, (l, t, w, h) in DEFINITION.items():
        rl, rt = l + bx - 4, t + by - 23
        x, y = int(rl * fx), int(rt * fy)
        rects[name] = (report.client[0] + x, report.client[1] + y,
                       report.client[0] + x + int(w * fx), report.client[1] + y + int(h * fy))
    return rects


@scenario
def first_start_layout(args):
    p = Program(args, "first_start_layout")
    report = p.start().wait_shown()
    print("start-up to window shown: %.0f ms" % (p.shown_after * 1000))
    check(report.geometry == DEFAULT_GEOMETRY, "opens at %r" % (report.geometry,))
    # Written at once, before anything is closed.
    wait_for(lambda: os.path.exists(p.path("peizi.ini")), "peizi.ini")
    check(p.settings() == ["100", "100", "650", "500"], "peizi.ini holds %r" % p.settings())
    expected = expected_child_rects(report, (650, 500))
    for name, rect in expected.items():
        got = report.control(name).rect
        check(got == rect, "%s at %r, expected %r" % (name, got, rect))
    # Back to the recorded size: every control at its recorded place.
    w, h = DESIGN_SIZE
    p.probe_raw("move", str(report.hwnd), "120", "90", str(w), str(h))
    back = wait_for(lambda: (lambda r: r if r.geometry == (120, 90, w, h) else None)(p.probe()),
                    "the window at its design size")
    expected = expected_child_rects(back, DESIGN_SIZE)
    for name, rect in expected.items():
        check(back.control(name).rect == rect,
              "%s at %r after resizing back, expected %r" % (name, back.control(name).rect, rect))
    wait_for(lambda: p.settings() == ["120", "90", str(w), str(h)], "the new size in peizi.ini")
    p.close()


# The overlaps that the keypad has by design: every key inside the group
# box's frame, the Entry box 3 pixels over the frame's top, and ← and = in
# one shared column. No other two controls may overlap.
KEYPAD_KEYS = ["sqc1", "szf", "sdeng", "schu", "scheng", "sjian", "sjia", "sqc", "sdian"] + \
    ["s%d" % d for d in range(10)]
KEYPAD_OVERLAPS = {frozenset((k, "分组框1")) for k in KEYPAD_KEYS + ["计算"]} | \
    {frozenset(("sqc1", "sdeng"))}


def inside(point, rect):
    return rect[0] <= point[0] < rect[2] and rect[1] <= point[1] < rect[3]


def check_reach(p, report, size):
    """Every control inside the client area, uncovered by any other apart
    from the keypad's overlaps, and found by WindowFromPoint at its centre
    and near each corner (the control or a window of its own)."""
    check(report.geometry[2:] == size, "the window is %r, expected %r" % (report.geometry, size))
    cx, cy = report.client
    client = (cx, cy, cx + report.client_size[0], cy + report.client_size[1])
    rects = {name: report.control(name).rect for name in DEFINITION}
    handles = {name: report.control(name).hwnd for name in DEFINITION}
    parents = {c.hwnd: c.parent for c in report.children}

    def owner(hwnd):
        """The control that a window is or belongs to."""
        while hwnd and hwnd != report.hwnd:
            for name, h in handles.items():
                if h == hwnd:
                    return name
            hwnd = parents.get(hwnd)
        return None

    for name, (l, t, r, b) in rects.items():
        check(r > l and b > t, "%s is empty at %r" % (name, size))
        check(client[0] <= l and client[1] <= t and r <= client[2] and b <= client[3],
              "%s at %r reaches past the client area %r at %r" % (name, rects[name], client, size))
    names = list(rects)
    for i, a in enumerate(names):
        for b in names[i + 1:]:
            ra, rb = rects[a], rects[b]
            if ra[0] < rb[2] and rb[0] < ra[2] and ra[1] < rb[3] and rb[1] < ra[3]:
                check(frozenset((a, b)) in KEYPAD_OVERLAPS,
                      "%s %r and %s %r overlap at %r" % (a, ra, b, rb, size))
    points = []
    for name, (l, t, r, b) in rects.items():
        for point in [((l + r) // 2, (t + b) // 2), (l + 2, t + 2), (r - 3, t + 2),
                      (l + 2, b - 3), (r - 3, b - 3)]:
            points.append((name, point))
    answer = p.probe_raw("hit", *[str(v) for _, pt in points for v in pt])
    hits = [int(line.split()[3]) for line in answer.stdout.decode().split("\n")
            if line.startswith("hit ")]
    check(len(hits) == len(points), "the probe answered %d of %d points" % (len(hits), len(points)))
    for (name, point), hwnd in zip(points, hits):
        found = owner(hwnd)
        # Where a keypad overlap covers the point, the control on top answers.
        allowed = {name} | {other for other in names if frozenset((name, other)) in KEYPAD_OVERLAPS
                            and inside(point, rects[other])}
        check(found in allowed, "at %r (%s) WindowFromPoint finds %s at %r"
              % (point, name, found or hwnd, size))
    return len(points)


@scenario
def every_control_within_reach(args):
    p = Program(args, "every_control_within_reach")
    # First start: the default size.
    report = p.start().wait_shown()
    checked = check_reach(p, report, DEFAULT_GEOMETRY[2:])
    p.close()
    # A start at the design size.
    p.write_settings(100, 100, *DESIGN_SIZE)
    report = p.start().wait_shown()
    checked += check_reach(p, report, DESIGN_SIZE)
    p.close()
    print("points found at their controls: %d" % checked)


@scenario
def sound_toggle_by_click(args):
    """Two clicks at the Sound toggle's centre: the sound goes off, then on."""
    tone_map = tone_analysis.load_map(args.tone_map)
    p = Program(args, "sound_toggle_by_click")
    cap = Capture(p.folder)
    try:
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
    finally:
        p.kill()
        cap.stop()


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


@contextlib.contextmanager
def captured_program(args, name):
    """A program in its folder with a paced capture of its sounds (and the
    tone map to name them); both end when the block does."""
    p = Program(args, name)
    cap = Capture(p.folder)
    try:
        yield p, cap, tone_analysis.load_map(args.tone_map)
    finally:
        p.kill()
        cap.stop()


def names_after(cap, tone_map, mark):
    return [s.name for s in cap.segments(tone_map) if s.onset > mark]


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
        press_and_hear(p, cap, tone_map, [("Delete", ["清除"]), ("KP_5", ["五"]), ("KP_Add", ["加"]),
                                          ("KP_3", ["三"]), ("KP_Enter", ["等于", "八"])],
                       "Delete KP_5 KP_Add KP_3 KP_Enter")
        p.wait_entry("8")
        p.wait_tape("5+3=8\r\n")
        # ←, 清除 and +/- from Backspace, Delete and F9; both decimal keys.
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
        global POINTER
        x, y = (l + r) // 2, b - 20
        subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"],
                       check=True, timeout=30)
        POINTER = (x, y)
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


def readout_expectations():
    # (keys, the readout's recordings with the pause after each)
    return [
        (["1", "2", "3", "4", ".", "5"],
         [("一", 400), ("千", 350), ("二", 400), ("百", 350), ("三", 400), ("十", 350),
          ("四", 400), ("元", 300), ("伍", 300), ("角", 550)]),
        (["1", "5"], [("一", 400), ("十", 550), ("五", 300)]),
        (["1", "0"], [("一", 400), ("十", 350)]),
        (["3"], [("三", 400)]),
        (["0"], [("零", 400)]),
        (["0", ".", "0", "5"], [("伍", 300), ("分", 0)]),
        (["2", "0", ".", "0", "5"], [("二", 400), ("十", 350), ("元", 300), ("零", 400),
                                     ("伍", 300), ("分", 0)]),
        (["3", "+/-"], [("三", 400)]),
        (["9"] * 14, []),
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


def measure_readout(p, cap, tone_map, report, keys, steps, gaps, errors):
    p.keys(["C"] + keys)
    time.sleep(0.6)  # let the key sounds end before the equals key
    mark = cap.now()
    p.click("=", report)
    total = 500 + sum(pause for _, pause in steps) + 450
    # Wait for the readout to have been captured in full.
    def done():
        segs = cap.segments(tone_map)
        i = find_equals(segs, mark - 0.2)
        if i is None:
            return None
        if cap.now() - segs[i].onset < total / 1000 + 0.6:
            return None
        return segs, i
    segs, i = wait_for(done, "the readout of %s" % "".join(keys), timeout=30, step=0.2)
    got = readout_onsets(segs, i)
    want, at = [], 500
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
        check(350 <= lead <= 650, "first syllable %.0f ms after 等于" % lead)
        found = []
        for (name, g), (_, w) in zip(got, want):
            error = (g - lead) - (w - 500)
            found.append(abs(error))
            check(abs(error) <= 30, "%s of %s at %.0f ms after the first syllable, "
                  "expected %d" % (name, "".join(keys), g - lead, w - 500))
        gaps.append(lead)
        errors.extend(found)
    return got


@scenario
def spoken_readout(args):
    tone_map = tone_analysis.load_map(args.tone_map)
    p = Program(args, "spoken_readout")
    cap = Capture(p.folder)
    gaps, errors, attempts = [], [], []
    try:
        p.start(cap.env)
        report = p.probe()
        measured = []
        for keys, steps in readout_expectations():
            # A timing measurement can be spoiled by the machine's load (a
            # stream start held up long enough to overlap the next sound):
            # each readout gets up to three attempts, and the failures of
            # the last one are reported.
            for attempt in range(3):
                try:
                    got = measure_readout(p, cap, tone_map, report, keys, steps, gaps, errors)
                    break
                except Failure:
                    if attempt == 2:
                        raise
                    attempts.append("".join(keys))
            if keys[:1] == ["1"] and len(keys) == 6:
                measured.append((got[-1][1] - got[0][1], sum(pause for _, pause in steps[:-1])))
        print("largest syllable onset error: %.1f ms" % max(errors))
        if attempts:
            print("measured again after a spoiled attempt: %s" % ", ".join(attempts))
        print("等于 to first syllable: %s ms (schedule 500)" % ", ".join("%.0f" % g for g in gaps))
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
    finally:
        p.kill()
        cap.stop()


@scenario
def digit_during_wait(args):
    tone_map = tone_analysis.load_map(args.tone_map)
    p = Program(args, "digit_during_wait")
    cap = Capture(p.folder)
    try:
        p.start(cap.env)
        report = p.probe()
        p.keys(["2", "+", "3"])
        time.sleep(0.6)
        mark = cap.now()
        p.click("=", report)
        p.click("7", report)
        p.wait_entry("7")
        p.wait_tape("2+3=5\r\n")

        def done():
            segs = cap.segments(tone_map)
            i = find_equals(segs, mark - 0.2)
            return (segs, i) if i is not None and cap.now() - segs[i].onset > 2.5 else None
        segs, i = wait_for(done, "the readout", timeout=30, step=0.2)
        got = readout_onsets(segs, i)
        check([n for n, _ in got] == ["七", "七"], "after 等于: %r" % got)
        check(abs(got[1][1] - 500) <= 30, "the readout of 7 at %.0f ms" % got[1][1])
        # Responsive during a readout: a long one, and keys that answer at once.
        p.keys(["C", "1", "2", "3", "4", ".", "5", "="])
        time.sleep(1.5)
        start = time.monotonic()
        p.keys(["C", "9"])
        p.wait_entry("9")
        print("Entry box answered during a readout after %.0f ms" % ((time.monotonic() - start) * 1000))
        p.close()
    finally:
        p.kill()
        cap.stop()


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
def sound_off_keeps_tape(args):
    p = Program(args, "sound_off_keeps_tape")
    p.start()
    p.keys(["sound", "5", "+", "3", "="])
    p.wait_tape("5+3=8\r\n")
    p.close()
    check(p.read("steps.txt") == gbk("5+3=8\r\n"), "steps.txt: %r" % p.read("steps.txt"))
    check(all(v is not None for v in p.settings()), "peizi.ini beside the program")
    check(not os.path.exists(p.path("12345")), "nothing under 12345")


@scenario
def failed_save_keeps_tape(args):
    p = Program(args, "failed_save_keeps_tape")
    with open(p.path("steps.txt"), "wb") as f:
        f.write(gbk("1+1=2\r\n"))
    # The new file cannot be created: a folder has its name.
    os.makedirs(p.path("steps.txt.new"))
    p.start()
    p.wait_tape("1+1=2\r\n")
    p.keys(["C", "5", "+", "3", "="])
    p.wait_tape("5+3=8\r\n")
    p.close()
    check(p.read("steps.txt") == gbk("1+1=2\r\n"), "the old tape survives: %r" % p.read("steps.txt"))
    # Killed while running: the tape on disk is the last one saved.
    os.rmdir(p.path("steps.txt.new"))
    p.start()
    p.keys(["C", "6", "+", "1", "="])
    p.wait_tape("6+1=7\r\n")
    p.kill()
    check(p.read("steps.txt") == gbk("1+1=2\r\n"), "a killed run leaves the saved tape")


# ---------------------------------------------------------------------------
# Closing, read-only folders, two instances, a full Entry box

def user_data_folder(args):
    """%APPDATA%\\Talvique inside the prefix."""
    users = os.path.join(args.prefix, "drive_c", "users")
    for user in sorted(os.listdir(users)):
        roaming = os.path.join(users, user, "AppData", "Roaming")
        if user != "Public" and os.path.isdir(roaming):
            return os.path.join(roaming, "Talvique")
    raise Failure("no application-data folder in the prefix")


# Tests run as root, for whom permissions do not count; the immutable
# attribute does. Where the file system has none, the two names the program
# writes in a folder are blocked by folders of those names instead (a
# peizi.ini that is there waits aside meanwhile).
BLOCKERS = ("steps.txt.new", "peizi.ini")


def refuse_writes(folder):
    """Makes `folder` and everything in it refuse writes, as a read-only
    share or a locked stick does."""
    if subprocess.run(["chattr", "-R", "+i", folder], capture_output=True).returncode == 0:
        return
    allow_writes(folder)
    for name in BLOCKERS:
        path = os.path.join(folder, name)
        if os.path.isfile(path):
            os.rename(path, path + ".aside")
        os.makedirs(path, exist_ok=True)


def allow_writes(folder):
    if not os.path.exists(folder):
        return
    subprocess.run(["chattr", "-R", "-i", folder], capture_output=True)
    for name in BLOCKERS:
        path = os.path.join(folder, name)
        if os.path.isdir(path):
            os.rmdir(path)
            if os.path.isfile(path + ".aside"):
                os.rename(path + ".aside", path)


def forget_user_data(args):
    """Every scenario starts without a tape in the application-data folder."""
    folder = user_data_folder(args)
    allow_writes(folder)
    shutil.rmtree(folder, ignore_errors=True)


def read_file(path):
    with open(path, "rb") as f:
        return f.read()


def error_box_shown():
    r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "错误"],
                       capture_output=True, text=True)
    return bool(r.stdout.strip())


def esc_and_watch(p, report, at=None):
    """Esc to the window (the pointer resting on its tape, as close() does;
    `report` tells where that is), at the monotonic moment `at` if given,
    then watches until the window is gone and the process has ended.
    Returns (Esc sent, window gone, process ended) as monotonic times."""
    x, y = report.tape.centre
    global POINTER
    subprocess.run(["xdotool", "mousemove", str(x), str(y)], timeout=30)
    POINTER = (x, y)
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
    tone_map = tone_analysis.load_map(args.tone_map)
    p = Program(args, "close_stops_readout")
    cap = Capture(p.folder)
    try:
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
        # 1 s into the readout, which begins 500 ms after the equals key.
        sent, gone, ended = esc_and_watch(p, report, pressed + 1.5)
        print("Esc sent %.0f ms after the result showed (the readout begins at 500 ms)"
              % ((sent - pressed) * 1000))
        check_stopped(p, cap, tone_map, "Esc 1 s into a readout", sent, gone, ended)
        check(p.read("steps.txt") == gbk("9876543.21×3=29629629.63\r\n"),
              "steps.txt: %r" % p.read("steps.txt"))
    finally:
        p.kill()
        cap.stop()


@scenario
def close_stops_nested_readouts(args):
    tone_map = tone_analysis.load_map(args.tone_map)
    p = Program(args, "close_stops_nested_readouts")
    # Dozens of overlapping sounds: a paced capture would fall seconds
    # behind them (see Capture).
    cap = Capture(p.folder, paced=False)
    try:
        p.start(cap.env)
        report = p.probe()
        p.keys(["1", "2", "3", "4", ".", "5"])
        # 30 presses of = at 10 a second, each nested in the readouts of
        # the ones before. No operator is pending, so every second press
        # writes a line: the 15th line means all 30 were handled.
        x, y = report.control("sdeng").centre
        global POINTER
        subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y)], check=True, timeout=30)
        POINTER = (x, y)
        subprocess.run(["xdotool", "click", "--repeat", "30", "--delay", "100", "1"], check=True,
                       timeout=60)
        burst = time.monotonic()
        p.wait_tape("1234.5\r\n" * 15)
        print("all 30 presses handled %.0f ms after the clicks ended" % ((time.monotonic() - burst) * 1000))
        check_stopped(p, cap, tone_map, "Esc after 30 presses of =", *esc_and_watch(p, report))
        check(p.read("steps.txt") == gbk("1234.5\r\n" * 15), "steps.txt: %r" % p.read("steps.txt"))
    finally:
        p.kill()
        cap.stop()


@scenario
def read_only_folder_keeps_tape(args):
    kept = user_data_folder(args)
    p = Program(args, "read_only_folder_keeps_tape")
    try:
        refuse_writes(p.folder)
        # Beside the program nothing can be written: the tape and the
        # geometry go to the application-data folder, silently.
        p.start()
        p.keys(["5", "+", "3", "="])
        p.wait_tape("5+3=8\r\n")
        check(p.close() == 0, "exit code")
        check(not os.path.exists(p.path("steps.txt")), "a tape beside the program")
        check(read_file(os.path.join(kept, "steps.txt")) == gbk("5+3=8\r\n"),
              "the kept tape: %r" % read_file(os.path.join(kept, "steps.txt")))
        check(os.path.isfile(os.path.join(kept, "peizi.ini")), "no kept geometry")
        # The next start shows it, and adds to it.
        again = Program(args, "read_only_folder_keeps_tape", keep=True)
        report = again.start().wait_shown()
        check(report.tape.text == gbk("5+3=8\r\n"), "the tape after restart: %r" % report.tape.text)
        again.keys(["2", "*", "4", "="])
        again.wait_tape("5+3=8\r\n2×4=8\r\n")
        again.close()
        check(read_file(os.path.join(kept, "steps.txt")) == gbk("5+3=8\r\n2×4=8\r\n"),
              "the kept tape after the second run")
        # Writable again: the next save goes beside the program, with every
        # line kept in between.
        allow_writes(p.folder)
        third = Program(args, "read_only_folder_keeps_tape", keep=True)
        report = third.start().wait_shown()
        check(report.tape.text == gbk("5+3=8\r\n2×4=8\r\n"), "the tape: %r" % report.tape.text)
        wait_for(lambda: os.path.isfile(p.path("peizi.ini")), "peizi.ini beside the program")
        third.keys(["9", "-", "1", "="])
        third.wait_tape("5+3=8\r\n2×4=8\r\n9-1=8\r\n")
        third.close()
        check(p.read("steps.txt") == gbk("5+3=8\r\n2×4=8\r\n9-1=8\r\n"),
              "steps.txt beside the program: %r" % p.read("steps.txt"))
        fourth = Program(args, "read_only_folder_keeps_tape", keep=True)
        report = fourth.start().wait_shown()
        check(report.tape.text == gbk("5+3=8\r\n2×4=8\r\n9-1=8\r\n"), "the tape on the next start")
        fourth.close()
        # Neither place can be written: the tape of this run is lost, with
        # no message and no crash; what was saved stays as it was.
        refuse_writes(p.folder)
        refuse_writes(kept)
        fifth = Program(args, "read_only_folder_keeps_tape", keep=True)
        fifth.start()
        fifth.keys(["C", "7", "+", "7", "="])
        fifth.wait_tape("7+7=14\r\n")
        time.sleep(0.5)
        check(not error_box_shown(), "a message box appeared")
        check(fifth.close() == 0, "exit code when nothing can be saved")
        check(not error_box_shown(), "a message box appeared at close")
        check(p.read("steps.txt") == gbk("5+3=8\r\n2×4=8\r\n9-1=8\r\n"), "steps.txt changed")
        check(read_file(os.path.join(kept, "steps.txt")) == gbk("5+3=8\r\n2×4=8\r\n"),
              "the kept tape changed")
    finally:
        for q in PROGRAMS:
            q.kill()
        allow_writes(p.folder)
        allow_writes(kept)


def place(p, left, top, width, height):
    report = p.probe()
    p.probe_raw("move", str(report.hwnd), str(left), str(top), str(width), str(height))
    return wait_for(lambda: (lambda r: r if r.window and r.geometry == (left, top, width, height)
                             else None)(p.probe()), "the window at %d, %d" % (left, top))


@scenario
def two_instances_keep_both_tapes(args):
    a = Program(args, "two_instances")
    with open(a.path("steps.txt"), "wb") as f:
        f.write(gbk("1+1=2\r\n"))
    a.start()
    a.hwnd = a.probe().hwnd
    # Side by side, overlapping only where neither's keypad or tape is.
    place(a, 0, 0, 600, 460)
    a.keys(["2", "+", "2", "="])
    a.wait_tape("1+1=2\r\n2+2=4\r\n")
    # B starts while A runs, from the same folder: it loads the old tape.
    b = Program(args, "two_instances", keep=True)
    b.start(wait=False)

    def second():
        r = a.probe_raw("list", TITLE)
        others = [int(h) for h in r.stdout.split() if int(h) != a.hwnd]
        return others[0] if others else None
    b.hwnd = wait_for(second, "the second window", timeout=60)
    b.wait_shown(count=2)
    b.xids = [x for x in b.xids if x not in a.xids]
    report = place(b, 424, 308, 600, 460)
    check(report.tape.text == gbk("1+1=2\r\n"), "B's tape at start: %r" % report.tape.text)
    b.keys(["3", "+", "3", "="])
    b.wait_tape("1+1=2\r\n3+3=6\r\n")
    # Each window in front by a click on its tape before its Esc, as a
    # person brings one of two windows forward.
    a.click("步骤")
    check(a.close() == 0, "A's exit code")
    check(a.read("steps.txt") == gbk("1+1=2\r\n2+2=4\r\n"), "after A: %r" % a.read("steps.txt"))
    b.click("步骤")
    check(b.close() == 0, "B's exit code")
    check(a.read("steps.txt") == gbk("1+1=2\r\n2+2=4\r\n3+3=6\r\n"),
          "after B: %r" % a.read("steps.txt"))


@scenario
def entry_takes_forty_digits(args):
    tone_map = tone_analysis.load_map(args.tone_map)
    p = Program(args, "entry_takes_forty_digits")
    cap = Capture(p.folder)
    try:
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
        def done():
            segs = cap.segments(tone_map)
            i = find_equals(segs, mark - 0.2)
            return (segs, i) if i is not None and cap.now() - segs[i].onset > 1.8 else None
        segs, i = wait_for(done, "the readout", timeout=30, step=0.2)
        got = [n for n, _ in readout_onsets(segs, i)]
        check(got == ["伍", "分"], "the readout after the 40 digits: %r" % got)
        check(p.entry() == gbk(digits), "the Entry box after =: %r" % p.entry())
        p.close()
    finally:
        p.kill()
        cap.stop()


@scenario
def odd_tape_contents(args):
    contents = [b"5+3=8\r\n\x00binary\x01\xff", gbk("1+1=2\r\n") + b"\xb5",
                b"z" * (1 << 16) + b"\n\r\n"]
    p = Program(args, "odd_tape_contents")
    for content in contents:
        with open(p.path("steps.txt"), "wb") as f:
            f.write(content)
        p.start()
        p.close()
        check(p.read("steps.txt") == content, "steps.txt of %d bytes changed" % len(content))


@scenario
def restored_geometry_checked(args):
    p = Program(args, "restored_geometry_checked")
    cases = [(("-100000", "100", "650", "500"), DEFAULT_GEOMETRY),
             (("100", "100", "0", "500"), DEFAULT_GEOMETRY),
             (("100", "100", "abc", "500"), DEFAULT_GEOMETRY),
             (("-50", "-10", "700", "520"), (-50, -10, 700, 520)),
             (("200.9", "150", "600", "480"), (200, 150, 600, 480))]
    for values, want in cases:
        p.write_settings(*values)
        report = p.start().wait_shown()
        check(report.geometry == want, "peizi.ini %r opens at %r, expected %r"
              % (values, report.geometry, want))
        p.close()


@scenario
def minimized_keeps_geometry(args):
    p = Program(args, "minimized_keeps_geometry")
    report = p.start().wait_shown()
    wait_for(lambda: os.path.exists(p.path("peizi.ini")) and p.settings() == ["100", "100", "650", "500"],
             "the first geometry in peizi.ini")
    p.probe_raw("show", str(report.hwnd), "6")
    wait_for(lambda: p.probe().minimized == 1, "the window minimized")
    time.sleep(0.5)
    check(p.settings() == ["100", "100", "650", "500"], "minimizing saved %r" % p.settings())
    p.probe_raw("show", str(report.hwnd), "9")
    wait_for(lambda: (lambda r: r.window and r.minimized == 0 and r.geometry == DEFAULT_GEOMETRY)(p.probe()),
             "the window restored")
    p.close()
    check(p.settings() == ["100", "100", "650", "500"], "peizi.ini after closing: %r" % p.settings())


@scenario
def foreign_skin_library(args):
    temp = temp_folder(args)
    dll = os.path.join(temp, "SkinH_EL.dll")
    marker = os.path.join(temp, "foreign_skin_loaded.txt")
    for f in (dll, marker):
        if os.path.exists(f):
            os.unlink(f)
    shutil.copy(args.foreign_skin, dll)
    p = Program(args, "foreign_skin_library")
    holder = subprocess.Popen([args.wine, args.probe, "hold", "Z:" + dll.replace("/", "\\"), "60"],
                              env=p.env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        check(holder.stdout.readline().strip() == b"held", "the holder could not open the file")
        p.start()
        p.keys(["4", "+", "4", "="])
        p.wait_entry("8")
        check(not os.path.exists(marker), "the foreign SkinH_EL.dll was loaded")
        with open(args.foreign_skin, "rb") as a, open(dll, "rb") as b:
            check(a.read() == b.read(), "the foreign file was overwritten")
        p.close()
    finally:
        os.killpg(holder.pid, signal.SIGKILL)
        holder.wait()
        p.kill()
    time.sleep(0.5)
    wait_for(lambda: not os.path.exists(dll) or _try_unlink(dll), "removing the foreign file")
    # Two instances: the second cannot replace the first one's loaded copy
    # and uses it.
    a = Program(args, "skin_first")
    b = Program(args, "skin_second")
    a.start()
    b.start(wait=False)
    b.wait_shown(count=2)
    check(b.process.poll() is None and a.process.poll() is None, "both instances run")
    b.kill()
    a.kill()


def _try_unlink(path):
    try:
        os.unlink(path)
        return True
    except OSError:
        return False


@scenario
def missing_recordings(args):
    p = Program(args, "missing_recordings", sounds=None)
    p.start()
    p.keys(["5", "+", "3", "="])
    p.wait_tape("5+3=8\r\n")
    time.sleep(1.0)
    r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "错误"],
                       capture_output=True, text=True)
    check(not r.stdout.strip(), "a message box appeared")
    p.close()
    check(p.read("steps.txt") == gbk("5+3=8\r\n"), "steps.txt")


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


# ---------------------------------------------------------------------------

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


def pe_arch(exe):
    """win64 for an x86_64 Windows program, win32 otherwise."""
    with open(exe, "rb") as f:
        head = f.read(4096)
    offset = struct.unpack_from("<I", head, 60)[0]
    return "win64" if struct.unpack_from("<H", head, offset + 4)[0] == 0x8664 else "win32"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--scenario")
    ap.add_argument("--demo")
    ap.add_argument("--exe")
    ap.add_argument("--probe")
    ap.add_argument("--foreign-skin")
    ap.add_argument("--wav")
    ap.add_argument("--tones")
    ap.add_argument("--tone-map")
    ap.add_argument("--work")
    ap.add_argument("--wine-exec")
    ap.add_argument("--prefix")
    args = ap.parse_args()
    if args.list:
        print("\n".join(SCENARIOS))
        return 0
    # The program's architecture picks the Wine loader and the prefix; each
    # architecture has a prefix of its own, as scripts/wine-env.sh lays out.
    args.arch = pe_arch(args.exe)
    args.wine = "/usr/lib/wine/wine64" if args.arch == "win64" else "/usr/lib/wine/wine"
    prefix_variable = "TALV_WINEPREFIX64" if args.arch == "win64" else "TALV_WINEPREFIX"
    args.prefix = args.prefix or os.environ.get(prefix_variable) or os.path.join(
        ROOT, "build", "wineprefix64" if args.arch == "win64" else "wineprefix")
    print("Windows target: %s (%s)" % ("x86_64" if args.arch == "win64" else "i686", args.wine))
    # The prefix exists and is set up (window frames, fonts) before the first start.
    subprocess.run([os.path.join(os.path.dirname(args.wine_exec), "wine-prefix.sh"), args.arch],
                   env=dict(os.environ, **{prefix_variable: args.prefix}), check=True)
    forget_user_data(args)
    if args.demo:
        demo(args, args.demo)
        return 0
    try:
        SCENARIOS[args.scenario](args)
    except Failure as e:
        print("FAILED: %s" % e)
        return 1
    finally:
        for p in PROGRAMS:
            p.kill()
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
