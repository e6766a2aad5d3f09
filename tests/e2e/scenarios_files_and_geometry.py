"""End-to-end scenarios: the window's geometry and the files beside the
program (steps.txt, peizi.ini, the help page's folder, the skin library):
layouts at the design and default sizes, every control within reach,
read-only folders, two instances, odd tapes, restored and minimized
geometry, a foreign skin library, missing recordings."""
import os
import shutil
import signal
import subprocess
import time

from driver import (PROGRAMS, TITLE, Program, allow_writes, check, gbk, refuse_writes, scenario,
                    temp_folder, user_data_folder, wait_for)

# The geometry of a first start (kDefaultGeometry in app/geometry.h).
DEFAULT_GEOMETRY = (100, 100, 650, 500)


def expected_child_rects(layout, report, main_size):
    """Where each control must be: the recorded layout (the description's
    place plus the frame offsets that the recording subtracts, those of the
    design size's frame) scaled from the design size to the window's size,
    in screen coordinates."""
    fx, fy = main_size[0] / layout.design_size[0], main_size[1] / layout.design_size[1]
    frame_x, frame_y = layout.client[:2]
    bx = report.client[0] - report.rect[0]
    by = report.client[1] - report.rect[1]
    rects = {}
    for name, unit in layout.controls.items():
        l, t, w, h = unit.rect
        rl, rt = l + bx - frame_x, t + by - frame_y
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
    expected = expected_child_rects(args.layout, report, (650, 500))
    for name, rect in expected.items():
        got = report.control(name).rect
        check(got == rect, "%s at %r, expected %r" % (name, got, rect))
    # Back to the recorded size: every control at its recorded place.
    w, h = args.layout.design_size
    p.probe_raw("move", str(report.hwnd), "120", "90", str(w), str(h))
    back = wait_for(lambda: (lambda r: r if r.geometry == (120, 90, w, h) else None)(p.probe()),
                    "the window at its design size")
    expected = expected_child_rects(args.layout, back, (w, h))
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
    rects = {name: report.control(name).rect for name in p.args.layout.controls}
    handles = {name: report.control(name).hwnd for name in p.args.layout.controls}
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
    p.write_settings(100, 100, *args.layout.design_size)
    report = p.start().wait_shown()
    checked += check_reach(p, report, args.layout.design_size)
    p.close()
    print("points found at their controls: %d" % checked)


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
    kept = user_data_folder(args)
    p = Program(args, "failed_save_keeps_tape")
    with open(p.path("steps.txt"), "wb") as f:
        f.write(gbk("1+1=2\r\n"))
    try:
        # steps.txt refuses every write (its folder does not): the tape goes
        # to the application-data folder, and steps.txt keeps its bytes.
        check(subprocess.run(["chattr", "+i", p.path("steps.txt")]).returncode == 0,
              "chattr +i steps.txt")
        p.start()
        p.wait_tape("1+1=2\r\n")
        p.keys(["5", "+", "3", "="])
        p.wait_tape("1+1=2\r\n5+3=8\r\n")
        wait_for(lambda: os.path.isfile(os.path.join(kept, "steps.txt")) and
                 read_file(os.path.join(kept, "steps.txt")) == gbk("1+1=2\r\n5+3=8\r\n"),
                 "the tape in the application-data folder")
        check(p.read("steps.txt") == gbk("1+1=2\r\n"), "steps.txt: %r" % p.read("steps.txt"))
        # Killed while running: nothing saved is lost, and once steps.txt
        # can be written the next start puts the one tape back beside it.
        p.kill()
        subprocess.run(["chattr", "-i", p.path("steps.txt")])
        report = p.start().wait_shown()
        check(report.tape.text == gbk("1+1=2\r\n5+3=8\r\n"), "the tape: %r" % report.tape.text)
        p.keys(["6", "+", "1", "="])
        p.wait_tape("1+1=2\r\n5+3=8\r\n6+1=7\r\n")
        p.kill()
        check(p.read("steps.txt") == gbk("1+1=2\r\n5+3=8\r\n6+1=7\r\n"),
              "a killed run leaves every step: %r" % p.read("steps.txt"))
        check(not os.path.exists(os.path.join(kept, "steps.txt")), "a second copy is left")
    finally:
        p.kill()
        subprocess.run(["chattr", "-i", p.path("steps.txt")], capture_output=True)


def read_file(path):
    with open(path, "rb") as f:
        return f.read()


def error_box_shown():
    r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "错误"],
                       capture_output=True, text=True)
    return bool(r.stdout.strip())


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
        # The copy in the application data went once the tape was back
        # beside the program, and none came back.
        check(not os.path.exists(os.path.join(kept, "steps.txt")), "a second copy of the tape")
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
    # B starts while A runs, from the same folder.
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
    # A's line was saved with its step, before B started.
    check(report.tape.text == gbk("1+1=2\r\n2+2=4\r\n"), "B's tape at start: %r" % report.tape.text)
    b.keys(["3", "+", "3", "="])
    b.wait_tape("1+1=2\r\n2+2=4\r\n3+3=6\r\n")
    check(a.read("steps.txt") == gbk("1+1=2\r\n2+2=4\r\n3+3=6\r\n"),
          "after B's step: %r" % a.read("steps.txt"))
    # A adds a line while B runs: each step shows the one tape, the other's
    # lines included.
    a.keys(["4", "+", "4", "="])
    a.wait_tape("1+1=2\r\n2+2=4\r\n3+3=6\r\n4+4=8\r\n")
    b.keys(["5", "+", "5", "="])
    b.wait_tape("1+1=2\r\n2+2=4\r\n3+3=6\r\n4+4=8\r\n5+5=10\r\n")
    # Each window in front by a click on its tape before its Esc, as a
    # person brings one of two windows forward.
    a.click("步骤")
    check(a.close() == 0, "A's exit code")
    b.click("步骤")
    check(b.close() == 0, "B's exit code")
    check(a.read("steps.txt") == gbk("1+1=2\r\n2+2=4\r\n3+3=6\r\n4+4=8\r\n5+5=10\r\n"),
          "after both: %r" % a.read("steps.txt"))


@scenario
def odd_tape_contents(args):
    contents = [b"5+3=8\r\n\x00binary\x01\xff", gbk("1+1=2\r\n") + b"\xb5",
                b"z" * (1 << 16) + b"\n\r\n", b"\x00" + gbk("1+1=2\r\n")]
    p = Program(args, "odd_tape_contents")
    for content in contents:
        with open(p.path("steps.txt"), "wb") as f:
            f.write(content)
        p.start(wait=False).wait_shown()
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
