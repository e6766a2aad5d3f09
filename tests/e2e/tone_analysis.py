"""Finds the test tones in a timed capture: each sound as a segment of
non-silent samples, named by its frequency (test-tones/tones.tsv), with the
time at which its first sample reached the capture device."""
import array
import bisect
import os

LOUD = 800          # sample magnitude that counts as sound
GAP = 300           # silent samples that end a segment (13.6 ms at 22,050 Hz)


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


def segments(raw, times, rate, tones):
    samples, stamps, offsets = _load(raw, times)
    found = []
    start = last_loud = None
    crossings = 0
    previous = 0
    n = len(samples)
    for i in range(n):
        s = samples[i]
        if s > LOUD or s < -LOUD:
            if start is None:
                start, crossings = i, 0
            last_loud = i
        if start is not None:
            if (s >= 0) != (previous >= 0):
                crossings += 1
            if i - last_loud > GAP:
                length = last_loud - start + 1
                if length > rate // 100:
                    frequency = crossings / 2 / (length / rate)
                    found.append(Segment(_time_of(start, stamps, offsets),
                                         _name(tones, frequency), frequency, length))
                start = None
        previous = s
    return found


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
