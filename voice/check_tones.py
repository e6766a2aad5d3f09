#!/usr/bin/python3
"""Checks that every syllable of the recordings carries the pitch of its tone.

  check_tones.py WAVDIR
      Tracks the pitch of each recording of words.tsv, cuts two-syllable words
      at their voicing gap and measures each syllable against the shape of its
      tone: 1 high and level, 2 rising, 3 low and dipping (falling and rising
      again where it ends its word), 4 falling from high. Prints a table and a
      summary per tone; exits 1 when a syllable is out of shape or tone 1 lies
      less than MIN_T1_T3_ST semitones above tone 3.
  check_tones.py --contour WAVDIR NAME
      The pitch track of one recording, frame by frame.

The tone of each syllable comes from the pinyin in words.tsv (the text's
first part, before any phonemes or SSML). Needs numpy: Debian's
python3-numpy, through /usr/bin/python3.
"""
import math
import os
import re
import sys
import wave

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_recordings import read_words  # noqa: E402

# Pitch tracking: normalised autocorrelation of the band-passed sound over a
# 20 ms window (a falling tone changes its period too fast for a longer one),
# every 5 ms. The voice speaks between about 65 and 200 Hz; a ceiling close
# above keeps the tracker off the second harmonic.
FMIN_HZ, FMAX_HZ = 55.0, 250.0
WINDOW_S, HOP_S = 0.020, 0.005
PITCH_BAND_HZ = (50.0, 800.0)
VOICE_BAND_HZ = (50.0, 1500.0)
VOICED_NCCF = 0.4            # correlation at the period above which a frame is voiced,
VOICED_DB = -30.0            # its level in the pitch band against the loudest frame,
VOICED_LOW_SHARE = 0.5       # and the share of its energy below 1.5 kHz (fricatives have little)
MAX_STEP_ST = 2.0            # a voiced run breaks where the pitch jumps this far in one frame
MIN_RUN_S = 0.025            # and pieces shorter than this are noise, not voice
OCTAVE_SLIP_ST = 8.0         # a stretch this far off its neighbour may be an octave off
SYLLABLE_DB = -25.0          # frames quieter than this (against the syllable) are its fading edges
MIN_GAP_S = 0.015            # an unvoiced stretch this long separates two syllables
MIN_SYLLABLE_S = 0.040       # a syllable's voiced part lasts at least this long
EDGE_PART = 0.2              # start and end pitch: the mean of the first and last fifth

# The shapes, in semitones and semitones per second.
LEVEL_MAX_RANGE = 2.0        # tone 1: the whole contour within this
LEVEL_MAX_SLOPE = 12.0
RISE_MIN = 2.0               # tone 2: the end this far above the start
RISE_MIN_SLOPE = 8.0
DIP_MIN_FALL = 1.0           # tone 3: the start this far above the lowest point
DIP_MIN_RISE = 1.0           # a word-final tone 3 rises again this far
DIP_MAX_RISE = 1.5           # a non-final one ends no higher than this above its low point
FALL_MIN = 3.0               # tone 4: the start this far above the end
FALL_MIN_SLOPE = 15.0
FALL_MAX_LEAD = 1.0          # it rises at most this far before it falls
HIGH_BELOW_T1 = 2.0          # and peaks no lower than this under the tone-1 level
MIN_T1_T3_ST = 6.0           # tone 1 at least this far above tone 3 on average

SYLLABLE = re.compile(r"^([a-zü]+)([1-5])$")


def syllables_of(text):
    """[(pinyin, tone, word_final)] of a words.tsv text: pinyin with tone
    digits, optionally followed by the phonemes ([[...]]) or SSML
    (<speak>...</speak>) that are spoken instead. A hyphen after the last syllable marks a recording that is always
    followed by another syllable where it is played, so no syllable of it ends
    a word. Raises ValueError on anything else."""
    pinyin = re.split(r"\[\[|<speak>", text, maxsplit=1)[0].strip()
    bound = pinyin.endswith("-")
    tokens = pinyin.rstrip("-").split()
    if not tokens:
        raise ValueError(f"no pinyin in {text!r}")
    out = []
    for i, token in enumerate(tokens):
        m = SYLLABLE.match(token)
        if not m:
            raise ValueError(f"{token!r} is not pinyin with a tone digit")
        out.append((token, int(m.group(2)), i == len(tokens) - 1 and not bound))
    return out


def read_wave(path):
    with wave.open(path, "rb") as w:
        if w.getsampwidth() != 2 or w.getnchannels() != 1:
            raise ValueError("not 16-bit mono")
        rate = w.getframerate()
        data = w.readframes(w.getnframes())
    return np.frombuffer(data, dtype="<i2").astype(np.float64) / 32768.0, rate


def pieces(st, a, b):
    """The stretches of frames a..b-1 between pitch jumps."""
    out, start = [], a
    for i in range(a + 1, b + 1):
        if i == b or abs(st[i] - st[i - 1]) > MAX_STEP_ST:
            out.append((start, i))
            start = i
    return out


def unslip(st):
    """A voiced run's contour with octave slips undone. Walking out from its
    longest smooth stretch, a stretch that lies far off the last trusted one
    (one long enough to be voice) but joins it when shifted by an octave is
    shifted."""
    st = np.array(st, dtype=float)
    parts = pieces(st, 0, len(st))
    if len(parts) < 2:
        return st
    ref = max(range(len(parts)), key=lambda i: parts[i][1] - parts[i][0])
    long_enough = int(round(MIN_RUN_S / HOP_S))
    for order, right in ((range(ref + 1, len(parts)), True), (range(ref - 1, -1, -1), False)):
        trusted = st[parts[ref][1] - 1] if right else st[parts[ref][0]]
        for i in order:
            p, q = parts[i]
            edge = st[p] if right else st[q - 1]
            if abs(edge - trusted) >= OCTAVE_SLIP_ST:
                for shift in (-12.0, 12.0):
                    if abs(edge + shift - trusted) < MAX_STEP_ST + 1.0:
                        st[p:q] += shift
                        break
            if q - p >= long_enough:
                trusted = st[q - 1] if right else st[p]
    return st


def band_pass(samples, rate, low_hz, high_hz):
    """Zero-phase band-pass through the FFT, with a soft upper edge."""
    spectrum = np.fft.rfft(samples)
    freq = np.fft.rfftfreq(len(samples), 1.0 / rate)
    above = freq > high_hz
    spectrum[above] *= np.exp(-((freq[above] - high_hz) / 300.0) ** 2)
    spectrum[freq < low_hz] = 0
    return np.fft.irfft(spectrum, len(samples))


class Track:
    """Per-frame time (s), pitch (Hz), periodicity, level (dB against the
    loudest frame) and voicing of a recording."""

    def __init__(self, samples, rate):
        win, hop = int(WINDOW_S * rate), int(HOP_S * rate)
        lo, hi = int(rate / FMAX_HZ), int(math.ceil(rate / FMIN_HZ))
        pad = np.zeros(win + hi + 1)
        # The pitch comes from the voice's lowest harmonics (any rumble below
        # the voice and the hiss of fricatives and bursts filtered out); the
        # voicing also asks how much of the energy lies where voiced sounds
        # have theirs.
        x = np.concatenate([band_pass(samples, rate, *PITCH_BAND_HZ), pad])
        voice = np.concatenate([band_pass(samples, rate, *VOICE_BAND_HZ), pad])
        raw = np.concatenate([samples, pad])
        count = max(1, (len(samples) - win // 2) // hop)
        t, f0, nccf, band, share, inside = [], [], [], [], [], []
        for k in range(count):
            seg = x[k * hop:k * hop + win + hi + 1]
            ref = seg[:win]
            lagged = np.lib.stride_tricks.sliding_window_view(seg, win)[:hi + 1]
            corr = lagged @ ref
            energy = np.einsum("ij,ij->i", lagged, lagged)
            r = corr / np.sqrt(energy * energy[0] + 1e-30)
            part = r[lo:hi + 1]
            # The first peak near the best one: the period, not a multiple of it.
            peaks = [j for j in range(1, len(part) - 1)
                     if part[j] >= part[j - 1] and part[j] >= part[j + 1]]
            best = max((part[j] for j in peaks), default=0.0)
            j = next((j for j in peaks if part[j] >= 0.9 * best), None)
            inside.append(j is not None)
            lag = float(lo + (j if j is not None else int(part.argmax())))
            if j is not None:
                a, b, c = part[j - 1], part[j], part[j + 1]
                den = a - 2 * b + c
                if den < 0:
                    lag += 0.5 * (a - c) / den
            t.append((k * hop + win / 2) / rate)
            f0.append(rate / lag)
            nccf.append(part[int(round(lag)) - lo] if j is None else part[j])
            band.append(energy[0])
            v = voice[k * hop:k * hop + win]
            w = raw[k * hop:k * hop + win]
            share.append(float(np.dot(v, v)) / max(float(np.dot(w, w)), 1e-20))
        self.t = np.array(t)
        self.f0 = np.array(f0)
        self.nccf = np.array(nccf)
        band = np.maximum(np.array(band), 1e-20)
        self.db = 10 * np.log10(band / band.max())
        self.low_share = np.array(share)
        voiced = ((self.nccf >= VOICED_NCCF) & (self.db >= VOICED_DB)
                  & (self.low_share >= VOICED_LOW_SHARE) & np.array(inside))
        # Noise can correlate at some lag too, but its "pitch" jumps from
        # frame to frame, where the voice's moves smoothly; and the tracker
        # can slip by an octave for a few frames where the voice changes.
        st = semitones(self.f0)
        for a, b in runs(voiced):
            st[a:b] = unslip(st[a:b])
        self.f0 = 100.0 * 2 ** (st / 12)
        for a, b in runs(voiced):
            for p, q in pieces(st, a, b):
                if (q - p) * HOP_S < MIN_RUN_S:
                    voiced[p:q] = False
        self.voiced = voiced


def runs(mask):
    """(start, end) index pairs of the True runs of a boolean array."""
    out, start = [], None
    for i, v in enumerate(mask):
        if v and start is None:
            start = i
        elif not v and start is not None:
            out.append((start, i))
            start = None
    if start is not None:
        out.append((start, len(mask)))
    return out


def cut(track, count):
    """The frame ranges of `count` syllables: the voiced span, cut at its
    longest unvoiced gaps (or, where the voicing runs through, at the
    quietest frames between the syllables). Returns (ranges, how)."""
    hop = HOP_S
    spans = [r for r in runs(track.voiced) if (r[1] - r[0]) * hop >= MIN_SYLLABLE_S / 2]
    if not spans:
        return None, "no voiced sound"
    first, last = spans[0][0], spans[-1][1]
    if count == 1:
        return [(first, last)], "whole"
    gaps = [(spans[i + 1][0] - spans[i][1], spans[i][1], spans[i + 1][0])
            for i in range(len(spans) - 1)]
    gaps = sorted((g for g in gaps if g[0] * hop >= MIN_GAP_S), reverse=True)[:count - 1]
    if len(gaps) == count - 1:
        bounds = sorted((a, b) for _, a, b in gaps)
        ranges, start = [], first
        for a, b in bounds:
            ranges.append((start, a))
            start = b
        ranges.append((start, last))
        return ranges, "gap"
    if count != 2:
        return None, "no voicing gaps"
    inner = range(first + (last - first) // 4, last - (last - first) // 4)
    if len(inner) == 0:
        return None, "too short to cut into syllables"
    quiet = min(inner, key=lambda i: track.db[i])
    return [(first, quiet), (quiet + 1, last)], "dip"


def semitones(hz):
    return 12 * np.log2(np.asarray(hz) / 100.0)


class Syllable:
    """The pitch contour of one syllable and its measures (semitones against
    100 Hz)."""

    def __init__(self, name, pinyin, tone, final, track, frames, how):
        self.name, self.pinyin = name, pinyin
        self.tone, self.final, self.how = tone, final, how
        a, b = frames
        sel = np.arange(a, b)
        sel = sel[track.voiced[sel]]
        loud = track.db[sel].max() if len(sel) else 0
        sel = sel[track.db[sel] >= loud + SYLLABLE_DB]
        self.frames = sel
        st = semitones(track.f0[sel])
        if len(st) >= 5:
            st = np.array([np.median(st[max(0, i - 2):i + 3]) for i in range(len(st))])
        self.st = st
        self.t = track.t[sel]
        self.reasons = []
        if len(st) * HOP_S < MIN_SYLLABLE_S:
            self.reasons.append("too little voiced sound to measure")
            self.mean = self.start = self.end = self.low = self.high = float("nan")
            self.range = self.slope = float("nan")
            self.ms = len(st) * HOP_S * 1000
            return
        n = max(2, int(round(len(st) * EDGE_PART)))
        self.ms = (self.t[-1] - self.t[0]) * 1000 + HOP_S * 1000
        self.mean = float(st.mean())
        self.start, self.end = float(st[:n].mean()), float(st[-n:].mean())
        self.low, self.high = float(st.min()), float(st.max())
        self.range = self.high - self.low
        self.slope = float(np.polyfit(self.t - self.t[0], st, 1)[0])

    @property
    def shape(self):
        if self.tone == 3:
            return "fall-rise" if self.final else "dip"
        return {1: "level", 2: "rise", 4: "fall", 5: "neutral"}[self.tone]

    def judge(self, level_t1):
        """Adds the reasons why the contour is not the tone's shape; level_t1
        is the mean tone-1 pitch of recordings spoken at the same pitch."""
        r = self.reasons
        if r:
            return
        if self.tone == 1:
            if self.range > LEVEL_MAX_RANGE:
                r.append(f"range {self.range:.1f} st > {LEVEL_MAX_RANGE} for a level tone")
            if abs(self.slope) > LEVEL_MAX_SLOPE:
                r.append(f"slope {self.slope:+.0f} st/s, level allows ±{LEVEL_MAX_SLOPE:.0f}")
        elif self.tone == 2:
            if self.end - self.start < RISE_MIN:
                r.append(f"rises {self.end - self.start:+.1f} st < {RISE_MIN}")
            if self.slope < RISE_MIN_SLOPE:
                r.append(f"slope {self.slope:+.0f} st/s < +{RISE_MIN_SLOPE:.0f}")
        elif self.tone == 3:
            if self.start - self.low < DIP_MIN_FALL:
                r.append(f"starts {self.start - self.low:.1f} st above its low point, "
                         f"a dip needs {DIP_MIN_FALL}")
            if self.final and self.end - self.low < DIP_MIN_RISE:
                r.append(f"rises {self.end - self.low:.1f} st after its low point < {DIP_MIN_RISE}")
            if not self.final and self.end - self.low > DIP_MAX_RISE:
                r.append(f"rises {self.end - self.low:.1f} st after its low point "
                         f"> {DIP_MAX_RISE} inside a word")
        elif self.tone == 4:
            if self.start - self.end < FALL_MIN:
                r.append(f"falls {self.start - self.end:.1f} st < {FALL_MIN}")
            if self.slope > -FALL_MIN_SLOPE:
                r.append(f"slope {self.slope:+.0f} st/s > -{FALL_MIN_SLOPE:.0f}")
            if self.high - self.start > FALL_MAX_LEAD:
                r.append(f"rises {self.high - self.start:.1f} st before it falls")
            if level_t1 is not None and self.high < level_t1 - HIGH_BELOW_T1:
                r.append(f"peaks {level_t1 - self.high:.1f} st below tone 1 ({level_t1:.1f})")


def measure(wavdir):
    """Every syllable of every recording, and a list of problems that stop
    the measuring of a recording."""
    problems, sylls = [], []
    for w in read_words():
        try:
            parts = syllables_of(w["text"])
        except ValueError as e:
            problems.append(f"{w['name']}: {e}")
            continue
        path = os.path.join(wavdir, w["name"])
        try:
            samples, rate = read_wave(path)
        except (OSError, ValueError, EOFError, wave.Error) as e:
            problems.append(f"{w['name']}: cannot read {path}: {e}")
            continue
        track = Track(samples, rate)
        ranges, how = cut(track, len(parts))
        if ranges is None:
            problems.append(f"{w['name']}: {how}")
            continue
        for (pinyin, tone, final), frames in zip(parts, ranges):
            s = Syllable(w["name"], pinyin, tone, final, track, frames, how)
            s.pitch = w["pitch"]
            sylls.append(s)
    return sylls, problems


def mean_of(values):
    values = [v for v in values if not math.isnan(v)]
    return sum(values) / len(values) if values else float("nan")


def report(sylls, problems):
    levels = {}
    for p in sorted({s.pitch for s in sylls}):
        t1 = [s.mean for s in sylls if s.tone == 1 and s.pitch == p and not s.reasons]
        levels[p] = mean_of(t1) if t1 else None
    for s in sylls:
        s.judge(levels.get(s.pitch))

    head = ("name", "syl", "tone", "shape", "cut", "ms", "mean", "Hz", "start", "end",
            "low", "high", "range", "slope", "ok")
    print("%-6s %-10s %4s %-9s %-5s %4s %6s %5s %6s %6s %6s %6s %5s %6s  %s" % head)
    for s in sylls:
        hz = 100 * 2 ** (s.mean / 12) if not math.isnan(s.mean) else float("nan")
        print("%-6s %-10s %4d %-9s %-5s %4.0f %6.1f %5.0f %6.1f %6.1f %6.1f %6.1f %5.1f %6.0f  %s"
              % (s.name, s.pinyin, s.tone, s.shape, s.how, s.ms, s.mean, hz, s.start, s.end,
                 s.low, s.high, s.range, s.slope,
                 "yes" if not s.reasons else "NO: " + "; ".join(s.reasons)))
    print()
    print("tone  syllables  in shape  mean st (Hz)  slope st/s: mean (min..max)"
          "  range st: mean (min..max)")
    for tone in (1, 2, 3, 4, 5):
        group = [s for s in sylls if s.tone == tone]
        if not group:
            continue
        m = mean_of([s.mean for s in group])
        slopes = [s.slope for s in group if not math.isnan(s.slope)] or [float("nan")]
        ranges = [s.range for s in group if not math.isnan(s.range)] or [float("nan")]
        print("%4d  %9d  %8d  %6.1f (%3.0f)  %+5.0f (%+4.0f..%+4.0f)"
              "               %4.1f (%3.1f..%4.1f)" % (
                  tone, len(group), sum(1 for s in group if not s.reasons), m,
                  100 * 2 ** (m / 12), mean_of(slopes), min(slopes), max(slopes),
                  mean_of(ranges), min(ranges), max(ranges)))
    failures = list(problems)
    t1 = mean_of([s.mean for s in sylls if s.tone == 1])
    t3 = mean_of([s.mean for s in sylls if s.tone == 3])
    distance = t1 - t3
    print(f"tone 1 lies {distance:.1f} st above tone 3 (at least {MIN_T1_T3_ST} needed); "
          f"tone-1 level by pitch setting: "
          + ", ".join(f"{p}: {v:.1f} st" for p, v in levels.items() if v is not None))
    if not distance >= MIN_T1_T3_ST:
        failures.append(f"tone 1 only {distance:.1f} st above tone 3")
    bad = [s for s in sylls if s.reasons]
    for s in bad:
        failures.append(f"{s.name} ({s.pinyin}, tone {s.tone}): " + "; ".join(s.reasons))
    for f in failures:
        print("FAIL", f)
    print(f"{len(sylls) - len(bad)} of {len(sylls)} syllables in shape")
    return 1 if failures else 0


def contour(wavdir, name):
    samples, rate = read_wave(os.path.join(wavdir, name))
    track = Track(samples, rate)
    print("   ms      Hz     st  nccf     dB   low  voiced")
    for i in range(len(track.t)):
        print("%5.0f  %6.1f  %5.1f  %4.2f  %5.1f  %4.2f  %s" % (
            track.t[i] * 1000, track.f0[i], semitones(track.f0[i]), track.nccf[i],
            track.db[i], track.low_share[i], "*" if track.voiced[i] else ""))
    return 0


def main(argv):
    if len(argv) == 2:
        sylls, problems = measure(argv[1])
        return report(sylls, problems)
    if len(argv) == 4 and argv[1] == "--contour":
        return contour(argv[2], argv[3])
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
