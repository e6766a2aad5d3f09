"""Finds the test tones in a timed capture: each sound as a segment of
non-silent samples, named by its frequency (test-tones/tones.tsv), with the
time at which its first sample reached the capture device."""
import array
import bisect
import os



class Segment:
    def __init__(self, onset, name, frequency, length):
        self.onset, self.name, self.frequency, self.length = onset, name, frequency, length

    def __repr__(self):
        return "%s@%.3f(%.0fHz)" % (self.name, self.onset, self.frequency)


def load_map(path):
    tones = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            parts = line.rstrip("\n").split("\t")
            tones.append((float(parts[1]), parts[4]))
    return tones


def _name(tones, frequency):
    best = min(tones, key=lambda t: abs(t[0] - frequency)) if tones else (0, "?")
    return best[1] if abs(best[0] - frequency) <= 15 else "?%.0f" % frequency


def _load(raw, times):
    samples = array.array("h")
    with open(raw, "rb") as f:
        data = f.read()
    samples.frombytes(data[: len(data) // 2 * 2])
    stamps, offsets = [], []
    if os.path.exists(times):
        with open(times) as f:
            for line in f:
                parts = line.split()
                if len(parts) == 2:
                    stamps.append(float(parts[0]))
                    offsets.append(int(parts[1]) // 2)
    return samples, stamps, offsets


def _time_of(sample, stamps, offsets):
    i = bisect.bisect_right(offsets, sample) - 1
    return stamps[max(i, 0)] if stamps else 0.0


GROUP_GAP = 0.015   # seconds without arriving bytes that separate sounds
WINDOW = 512        # samples per frequency estimate


def _frequency(samples, start, end, rate):
    """The frequency of a pure tone from its rising zero crossings, with
    linear interpolation between samples; None when there are too few."""
    crossings = []
    for i in range(start + 1, end):
        a, b = samples[i - 1], samples[i]
        if a < 0 <= b:
            crossings.append(i - 1 + (-a) / (b - a))
    if len(crossings) < 3:
        return None
    return (len(crossings) - 1) * rate / (crossings[-1] - crossings[0])


def segments(raw, times, rate, tones):
    """The sounds in the capture, by first arrival. The capture device
    writes streams back to back, so sounds are told apart by gaps in the
    arrival times; sounds that overlapped (their streams' writes interleave)
    are told apart by frequency, window by window."""
    samples, stamps, offsets = _load(raw, times)
    found = []
    n = len(samples)
    k = 0
    while k < len(stamps):
        j = k
        while j + 1 < len(stamps) and stamps[j + 1] - stamps[j] < GROUP_GAP:
            j += 1
        first, last = offsets[k], (offsets[j + 1] if j + 1 < len(offsets) else n)
        names = {}
        for w in range(first, last, WINDOW):
            f = _frequency(samples, w, min(w + WINDOW, last), rate)
            if f is None:
                continue
            name = _name(tones, f)
            if name.startswith("?"):
                continue
            if name not in names:
                names[name] = Segment(_time_of(w, stamps, offsets), name, f, 0)
            names[name].length += min(w + WINDOW, last) - w
        # Windows across an interleave of two streams read as some third
        # frequency; a real sound (150 ms) fills at least three windows.
        found.extend(s for s in names.values() if s.length >= 3 * WINDOW)
        k = j + 1
    found.sort(key=lambda s: s.onset)
    return found


def last_arrival(times):
    """The arrival time of the newest bytes (0 when none arrived)."""
    try:
        with open(times, "rb") as f:
            f.seek(0, 2)
            size = f.tell()
            f.seek(max(0, size - 200))
            lines = f.read().decode().split("\n")
        for line in reversed(lines):
            parts = line.split()
            if len(parts) == 2:
                return float(parts[0])
    except OSError:
        pass
    return 0.0


def timeline(raw, times, rate, since):
    """The capture laid out on the clock from `since`: each read placed at
    its arrival time, silence between (for listening to a demo)."""
    samples, stamps, offsets = _load(raw, times)
    out = array.array("h")
    for k, (stamp, offset) in enumerate(zip(stamps, offsets)):
        end = offsets[k + 1] if k + 1 < len(offsets) else len(samples)
        at = int((stamp - since) * rate)
        if at > len(out):
            out.extend([0] * (at - len(out)))
        out.extend(samples[offset:end])
    return out
