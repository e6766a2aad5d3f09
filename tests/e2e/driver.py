"""The end-to-end driver: Talvique.exe in a fresh folder under the build
tree's own Wine prefix, used as a person would (clicks at the controls'
screen positions and keys with xdotool), read from outside through
window_probe, and heard through a captured sound device.

What it knows of the program comes from the files that define it: the Main
window's layout from the layout file that talvdef writes from
resources/main_window.txt (--layout), and the readout's pauses from
app/readout_pauses.inc. The scenarios are in the scenarios_*.py modules;
talvique_e2e.py runs them and demo.py makes the demo.
"""
import argparse
import contextlib
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
import tone_analysis  # noqa: E402

TITLE = "Talvique "
TITLE_PATTERN = "^Talvique $"

# The controls that the scenarios' key names click, by description name.
KEY_CONTROL = {str(d): "s%d" % d for d in range(10)}
KEY_CONTROL.update({"+": "sjia", "-": "sjian", "*": "scheng", "/": "schu", "=": "sdeng",
                    ".": "sdian", "+/-": "szf", "<-": "sqc1", "C": "sqc", "days": "按钮1",
                    "sound": "gfd"})
# The keys of the keyboard that press the same buttons (X keysyms), on the
# main row and on the number pad.
MAIN_ROW_KEY = {str(d): str(d) for d in range(10)}
MAIN_ROW_KEY.update({"+": "plus", "-": "minus", "*": "asterisk", "/": "slash", "=": "equal",
                     ".": "period", "+/-": "F9", "<-": "BackSpace", "C": "ctrl+Delete"})
NUMBER_PAD_KEY = {str(d): "KP_%d" % d for d in range(10)}
NUMBER_PAD_KEY.update({"+": "KP_Add", "-": "KP_Subtract", "*": "KP_Multiply", "/": "KP_Divide",
                       "=": "KP_Enter", ".": "KP_Decimal", "+/-": "F9", "<-": "BackSpace",
                       "C": "ctrl+Delete"})

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


# ---------------------------------------------------------------------------
# What the program is made of: the layout file and the readout's pauses

class LayoutUnit:
    def __init__(self, name, symbol, unit_id, kind, rect, tag, caption):
        self.name = name        # str
        self.symbol = symbol    # the C++ name of its id, or None
        self.id = unit_id
        self.kind = kind        # the description's kind word: Button, EditBox, …
        self.rect = rect        # (left, top, width, height) at the design size
        self.tag = tag          # GBK bytes
        self.caption = caption  # GBK bytes


def split_layout_line(line):
    """A line of the layout file as words (str) and texts (GBK bytes)."""
    fields, i = [], 0
    escapes = {b'"': b'"', b"\\": b"\\", b"r": b"\r", b"n": b"\n", b"t": b"\t"}
    while i < len(line):
        c = line[i:i + 1]
        if c in (b" ", b"\t", b"\r"):
            i += 1
        elif c == b'"':
            text, i = b"", i + 1
            while True:
                if i >= len(line):
                    raise ValueError("a text without its closing quote")
                d = line[i:i + 1]
                i += 1
                if d == b'"':
                    break
                if d == b"\\":
                    e = escapes.get(line[i:i + 1])
                    if e is None:
                        raise ValueError("unknown escape in a text")
                    text, i = text + e, i + 1
                else:
                    text += d
            fields.append(text)
        else:
            start = i
            while i < len(line) and line[i:i + 1] not in (b" ", b"\t", b"\r", b'"'):
                i += 1
            fields.append(line[start:i].decode("ascii", "replace"))
    return fields


class Layout:
    """The Main window as talvdef lays it out (the format is described in
    tools/window_layout.h): its design size, its client area there, and its
    controls by description name, in definition order."""

    def __init__(self, path):
        with open(path, "rb") as f:
            lines = f.read().split(b"\n")
        self.window_id, self.client, units = None, None, []
        for number, line in enumerate(lines, 1):
            if not line.strip() or line.strip().startswith(b"#"):
                continue
            try:
                fields = split_layout_line(line)
                kinds = [type(f) for f in fields]
                if fields[0] == "window" and kinds == [str, str, str] and self.window_id is None:
                    self.window_id = int(fields[1], 16)
                elif fields[0] == "client" and kinds == [str] * 5 and self.client is None:
                    self.client = tuple(int(v) for v in fields[1:])
                elif fields[0] == "unit" and kinds == [str, bytes] + [str] * 7 + [bytes, bytes]:
                    (_, name, symbol, unit_id, kind, l, t, w, h, tag, caption) = fields
                    units.append(LayoutUnit(name.decode("gbk"), None if symbol == "-" else symbol,
                                            int(unit_id, 16), kind,
                                            tuple(int(v) for v in (l, t, w, h)), tag, caption))
                else:
                    raise ValueError("not a line of the Main window's layout")
            except ValueError as e:
                raise Failure("%s, line %d: %s" % (path, number, e))
        check(self.client is not None and units and units[0].kind == "window",
              "%s holds no window" % path)
        self.design_size = units[0].rect[2:]
        self.controls = {u.name: u for u in units[1:]}


class ReadoutPauses:
    """The readout's rhythm as app/readout_pauses.inc sets it: `after` maps a
    recording to the pause that follows it; the named pauses are
    attributes (long_ten, closing, readout_delay, …)."""
    SYLLABLE = re.compile(r'TALV_SYLLABLE\("([^"]+)", "([^"]+)", (\d+), (?:"[^"]*"|nullptr)\)')
    PAUSE = re.compile(r"TALV_PAUSE\(k(\w+?)(?:Pause)?Ms, (\d+)\)")

    def __init__(self, path):
        self.after = {}
        named = {}
        with open(path, encoding="utf-8") as f:
            for number, line in enumerate(f, 1):
                line = line.strip()
                if not line.startswith("TALV_"):
                    continue
                syllable, pause = self.SYLLABLE.match(line), self.PAUSE.match(line)
                if syllable:
                    self.after[syllable.group(2)] = int(syllable.group(3))
                elif pause:
                    # kLongTenPauseMs → long_ten, kReadoutDelayMs → readout_delay
                    name = re.sub(r"(?<!^)([A-Z])", r"_\1", pause.group(1)).lower()
                    named[name] = int(pause.group(2))
                else:
                    raise Failure("%s, line %d: not a pause the driver can read" % (path, number))
        for name in ("long_ten", "closing", "readout_delay"):
            check(name in named, "%s names no %s pause" % (path, name))
        self.__dict__.update(named)


# ---------------------------------------------------------------------------
# The window as window_probe reports it

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


# The window class of each kind of control, as the probe reports it.
PROBE_CLASS = {"Button": "button", "GroupBox": "button", "EditBox": "edit",
               "DatePicker": "SysDateTimePick32", "Label": "TalviqueLabel",
               "HyperLinker": "TalviqueHyperLinker", "PicBtn": "TalviquePicBtn"}


class Report:
    def __init__(self, lines, layout=None):
        self.layout = layout
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
        """A control by its description name: among the windows of its
        kind's class, a button by its caption, a group box by its style, and
        controls that nothing else tells apart (date pickers, edit boxes) in
        the order of their left edges, as the layout places them."""
        unit = self.layout.controls.get(name)
        if unit is None:
            raise Failure("control %s not found" % name)

        def of_kind(c):
            if c.cls.lower() != PROBE_CLASS[unit.kind].lower():
                return False
            return c.cls.lower() != "button" or ((c.style & 0xF) == 7) == (unit.kind == "GroupBox")
        found = [c for c in self.direct() if of_kind(c)]
        if unit.kind == "Button":
            found = [c for c in found if c.text == unit.caption]
            if found:
                return found[0]
        else:
            alike = sorted((u for u in self.layout.controls.values() if u.kind == unit.kind),
                           key=lambda u: u.rect[0])
            if len(found) == len(alike):
                return sorted(found, key=lambda c: c.rect[0])[alike.index(unit)]
        raise Failure("control %s not found" % name)


# ---------------------------------------------------------------------------
# The program, its folder, and the clicks and keys

PROGRAMS = []
POINTER = None  # where the last click left the mouse pointer


def note_pointer(x, y):
    """Where the pointer rests after an xdotool command of a scenario's own."""
    global POINTER
    POINTER = (x, y)


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

    def wait_shown(self, count=1, timeout=60):
        def shown():
            r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", TITLE_PATTERN],
                               capture_output=True, text=True)
            ids = r.stdout.split()
            return ids if len(ids) >= count else None
        self.xids = wait_for(shown, "the window to be shown", timeout=timeout)
        self.shown_after = time.monotonic() - self.started_at
        # The window is shown at the end of loading: wait until the probe
        # sees the scaled layout settled (two equal reports).
        last = [None]

        def settled():
            r = self.probe()
            key = (r.rect, tuple(c.rect for c in r.children)) if r.window else None
            same = key is not None and key == last[0] and len(r.direct()) >= len(self.args.layout.controls)
            last[0] = key
            return r if same else None
        return wait_for(settled, "the layout to settle", timeout=30, step=0.1)

    def probe_raw(self, *arguments, timeout=30):
        return subprocess.run([self.args.wine, self.args.probe] + list(arguments), env=self.env,
                              capture_output=True, timeout=timeout, stdin=subprocess.DEVNULL)

    def probe(self):
        r = self.probe_raw("#%d" % self.hwnd if self.hwnd else TITLE)
        lines = r.stdout.decode("latin-1").splitlines() if r.returncode == 0 else []
        return Report(lines, self.args.layout)

    def click(self, key, report=None):
        """A click at the centre of the key's control."""
        report = report or self.probe()
        self.click_at(*report.control(KEY_CONTROL.get(key, key)).centre)

    def click_at(self, x, y):
        # mousemove --sync waits for a motion, which never comes when the
        # pointer is already there: click again in place then.
        if POINTER == (x, y):
            subprocess.run(["xdotool", "click", "1"], check=True, timeout=30)
        else:
            subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"],
                           check=True, timeout=30)
        note_pointer(x, y)

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
            subprocess.run(["xdotool", "mousemove", str(x), str(y)], timeout=30)
            note_pointer(x, y)
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

    def post(self, *messages):
        """Posts (HWND, MESSAGE, WPARAM, LPARAM) messages back to back, from
        outside (window_probe post)."""
        words = [str(v) for m in messages for v in m]
        r = self.probe_raw("post", *words)
        check(r.returncode == 0, "posting %r failed" % (messages,))

    def send(self, hwnd, message, wparam=0, lparam=0):
        """Sends one message from outside and returns its result."""
        r = self.probe_raw("send", str(hwnd), str(message), str(wparam), str(lparam), timeout=60)
        check(r.returncode == 0, "sending message %#x failed" % message)
        return int(r.stdout.split()[0])

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


# ---------------------------------------------------------------------------
# Folders of the prefix, and folders that refuse writes

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


def user_data_folder(args):
    """%APPDATA%\\Talvique inside the prefix."""
    users = os.path.join(args.prefix, "drive_c", "users")
    for user in sorted(os.listdir(users)):
        roaming = os.path.join(users, user, "AppData", "Roaming")
        if user != "Public" and os.path.isdir(roaming):
            return os.path.join(roaming, "Talvique")
    raise Failure("no application-data folder in the prefix")


# Tests run as root, for whom permissions do not count; the immutable
# attribute does. Where the file system has none, peizi.ini is blocked by a
# folder of that name instead (a peizi.ini that is there waits aside
# meanwhile); the tape cannot be refused so, as its temporary file takes a
# name of the process's own.
BLOCKERS = ("peizi.ini",)


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


@contextlib.contextmanager
def captured_program(args, name, paced=True):
    """A program in its folder with a capture of its sounds (paced unless
    told otherwise, see Capture) and the tone map to name them; both end
    when the block does."""
    p = Program(args, name)
    cap = Capture(p.folder, paced)
    try:
        yield p, cap, tone_analysis.load_map(args.tone_map)
    finally:
        p.kill()
        cap.stop()


def names_after(cap, tone_map, mark):
    return [s.name for s in cap.segments(tone_map) if s.onset > mark]


# ---------------------------------------------------------------------------
# Scenarios, and the set-up that every run shares

SCENARIOS = {}


def scenario(f):
    SCENARIOS[f.__name__] = f
    return f


def pe_arch(exe):
    """win64 for an x86_64 Windows program, win32 otherwise."""
    with open(exe, "rb") as f:
        head = f.read(4096)
    offset = struct.unpack_from("<I", head, 60)[0]
    return "win64" if struct.unpack_from("<H", head, offset + 4)[0] == 0x8664 else "win32"


def argument_parser(description):
    """The options that say where the program and its helpers are."""
    ap = argparse.ArgumentParser(description=description)
    ap.add_argument("--exe")
    ap.add_argument("--probe")
    ap.add_argument("--foreign-skin")
    ap.add_argument("--wav")
    ap.add_argument("--tones")
    ap.add_argument("--tone-map")
    ap.add_argument("--layout", help="the Main window's layout file (build tree: "
                    "resources/main_window.layout)")
    ap.add_argument("--pauses", default=os.path.join(ROOT, "app", "readout_pauses.inc"))
    ap.add_argument("--work")
    ap.add_argument("--wine-exec")
    ap.add_argument("--prefix")
    return ap


def prepare(args):
    """Reads the layout and the pauses, and picks the Wine loader and the
    prefix by the program's architecture (each architecture has a prefix of
    its own, as scripts/wine-env.sh lays out), which exists and is set up
    (window frames, fonts) before the first start."""
    args.layout = Layout(args.layout)
    args.pauses = ReadoutPauses(args.pauses)
    args.arch = pe_arch(args.exe)
    args.wine = "/usr/lib/wine/wine64" if args.arch == "win64" else "/usr/lib/wine/wine"
    prefix_variable = "TALV_WINEPREFIX64" if args.arch == "win64" else "TALV_WINEPREFIX"
    args.prefix = args.prefix or os.environ.get(prefix_variable) or os.path.join(
        ROOT, "build", "wineprefix64" if args.arch == "win64" else "wineprefix")
    print("Windows target: %s (%s)" % ("x86_64" if args.arch == "win64" else "i686", args.wine))
    subprocess.run([os.path.join(os.path.dirname(args.wine_exec), "wine-prefix.sh"), args.arch],
                   env=dict(os.environ, **{prefix_variable: args.prefix}), check=True)
    forget_user_data(args)


def kill_all():
    for p in PROGRAMS:
        p.kill()
