#!/usr/bin/env python3
"""Checks the calculator's recordings as the build made them.

  check_recordings.py speech WAVDIR
      Every word of words.tsv is there (and nothing else), as a 16-bit mono
      PCM RIFF/WAVE file with correct chunk sizes, no longer than its limit,
      trimmed of silence at both ends and clearly audible.
  check_recordings.py tones WAVDIR MAPFILE
      The test tones: same file names, the map lists each once with its own
      frequency, and each file holds a tone of that frequency and duration,
      told apart from its neighbours in the map.
  check_recordings.py rerun WAVDIR SCRATCH
      Generating the recordings again into SCRATCH gives byte-identical files.
"""
import math
import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
WORDS = os.path.join(HERE, "words.tsv")
GENERATOR = os.path.join(HERE, "make_recordings.sh")

MIN_SPEECH_MS = 100          # a word shorter than this was cut by the trimming
QUIET = 10 ** (-40 / 20)     # below -40 dBFS counts as silence at the ends
EDGE_MS = 20                 # silence allowed at either end after trimming
MIN_RMS = 10 ** (-30 / 20)   # a word's RMS must exceed -30 dBFS
MIN_PEAK = 10 ** (-3 / 20)   # the words are normalised to -1 dBFS
# Longest duration per kind whatever words.tsv says: a key's word or a
# syllable must end near the shortest pause that can follow it; a lone digit
# is followed by 660 ms, a lead-in by 1000 ms; a word said in place of an
# amount may last as long as a lone digit.
KIND_CAP_MS = {"key": 360, "syl": 360, "lone": 700, "lead": 1000, "word": 700}


class Failures:
    def __init__(self):
        self.messages = []

    def add(self, name, text):
        self.messages.append(f"{name}: {text}")

    def finish(self, what, count):
        for m in self.messages:
            print("FAIL", m)
        if self.messages:
            print(f"{len(self.messages)} problem(s) in {what}")
            return 1
        print(f"{what}: {count} files OK")
        return 0


def read_words():
    """The entries of words.tsv as dicts, in file order."""
    words = []
    with open(WORDS, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            name, kind, max_ms, speed, pitch, text = line.split("\t")
            words.append({"name": name, "kind": kind, "max_ms": int(max_ms),
                          "speed": int(speed), "pitch": int(pitch), "text": text})
    return words


class Wave:
    """A parsed RIFF/WAVE file; raises ValueError when the structure is wrong."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        if len(data) < 12 or data[0:4] != b"RIFF" or data[8:12] != b"WAVE":
            raise ValueError("not a RIFF/WAVE file")
        riff_size = struct.unpack_from("<I", data, 4)[0]
        if riff_size != len(data) - 8:
            raise ValueError(f"RIFF size {riff_size} but file holds {len(data) - 8}")
        pos, fmt, samples = 12, None, None
        while pos + 8 <= len(data):
            cid, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
            body = data[pos + 8:pos + 8 + size]
            if len(body) != size:
                raise ValueError(f"chunk {cid!r} claims {size} bytes, file ends first")
            if cid == b"fmt ":
                fmt = struct.unpack_from("<HHIIHH", body, 0)
            elif cid == b"data":
                samples = body
            pos += 8 + size + (size & 1)
        if fmt is None or samples is None:
            raise ValueError("fmt or data chunk missing")
        tag, channels, rate, byte_rate, align, bits = fmt
        if tag != 1:
            raise ValueError(f"format tag {tag}, not PCM")
        if channels != 1:
            raise ValueError(f"{channels} channels, not mono")
        if bits != 16 or align != 2 or byte_rate != rate * 2:
            raise ValueError(f"{bits}-bit, block align {align}, byte rate {byte_rate}")
        if len(samples) % 2:
            raise ValueError("odd data size")
        self.rate = rate
        self.samples = [s / 32768.0 for s in struct.unpack(f"<{len(samples) // 2}h", samples)]

    @property
    def ms(self):
        return 1000.0 * len(self.samples) / self.rate

    def rms(self):
        return math.sqrt(sum(s * s for s in self.samples) / max(1, len(self.samples)))

    def peak(self):
        return max((abs(s) for s in self.samples), default=0.0)

    def edge_silence_ms(self):
        """Milliseconds below QUIET before the first and after the last loud sample."""
        loud = [i for i, s in enumerate(self.samples) if abs(s) > QUIET]
        if not loud:
            return self.ms, self.ms
        return (1000.0 * loud[0] / self.rate,
                1000.0 * (len(self.samples) - 1 - loud[-1]) / self.rate)

    def power_at(self, freq):
        """Goertzel power of the samples at freq, normalised by length."""
        coeff = 2 * math.cos(2 * math.pi * freq / self.rate)
        s1 = s2 = 0.0
        for x in self.samples:
            s1, s2 = x + coeff * s1 - s2, s1
        return (s1 * s1 + s2 * s2 - coeff * s1 * s2) / max(1, len(self.samples)) ** 2


def listing(wavdir):
    try:
        return sorted(os.listdir(wavdir))
    except OSError as e:
        print("FAIL", e)
        return None


def check_names(wavdir, names, failures):
    present = listing(wavdir)
    if present is None:
        return False
    for n in sorted(set(names) - set(present)):
        failures.add(n, "missing")
    for n in sorted(set(present) - set(names)):
        failures.add(n, "not a recording the program plays")
    return True


def check_speech(wavdir):
    words = read_words()
    failures = Failures()
    if not check_names(wavdir, [w["name"] for w in words], failures):
        return 1
    for w in words:
        path = os.path.join(wavdir, w["name"])
        if not os.path.exists(path):
            continue
        try:
            wave = Wave(path)
        except ValueError as e:
            failures.add(w["name"], str(e))
            continue
        if w["kind"] not in KIND_CAP_MS:
            failures.add(w["name"], f"unknown kind {w['kind']!r} in words.tsv")
        elif w["max_ms"] > KIND_CAP_MS[w["kind"]]:
            failures.add(w["name"], f"limit {w['max_ms']} ms above the {w['kind']} cap")
        if not MIN_SPEECH_MS <= wave.ms <= w["max_ms"]:
            failures.add(w["name"], f"lasts {wave.ms:.0f} ms, allowed {MIN_SPEECH_MS}-{w['max_ms']}")
        head, tail = wave.edge_silence_ms()
        if head > EDGE_MS or tail > EDGE_MS:
            failures.add(w["name"], f"silence left at the ends: {head:.0f} ms / {tail:.0f} ms")
        if wave.rms() < MIN_RMS or wave.peak() < MIN_PEAK:
            failures.add(w["name"], f"too quiet: RMS {wave.rms():.4f}, peak {wave.peak():.4f}")
        print(f"{w['name']}\t{w['kind']}\t{wave.ms:.0f} ms\t(limit {w['max_ms']})\t{w['text']}")
    return failures.finish("speech recordings", len(words))


def read_map(mapfile):
    rows = []
    with open(mapfile, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            index, freq, ms, samples, name, gbk_hex = line.rstrip("\n").split("\t")
            rows.append({"index": int(index), "freq": int(freq), "ms": int(ms),
                         "samples": int(samples), "name": name, "gbk": gbk_hex})
    return rows


def check_tones(wavdir, mapfile):
    words = read_words()
    failures = Failures()
    rows = read_map(mapfile)
    if [r["name"] for r in rows] != [w["name"] for w in words]:
        failures.add(mapfile, "names differ from the word list or its order")
    if [r["index"] for r in rows] != list(range(len(rows))):
        failures.add(mapfile, "indices are not 0, 1, 2 ...")
    freqs = sorted(r["freq"] for r in rows)
    if any(b - a < 20 for a, b in zip(freqs, freqs[1:])):
        failures.add(mapfile, "two tones lie closer than 20 Hz")
    if not check_names(wavdir, [r["name"] for r in rows], failures):
        return 1
    by_freq = sorted(rows, key=lambda r: r["freq"])
    for pos, r in enumerate(by_freq):
        if r["gbk"] != r["name"].encode("gbk").hex():
            failures.add(r["name"], f"GBK bytes {r['gbk']} in the map are wrong")
        path = os.path.join(wavdir, r["name"])
        if not os.path.exists(path):
            continue
        try:
            wave = Wave(path)
        except ValueError as e:
            failures.add(r["name"], str(e))
            continue
        if len(wave.samples) != r["samples"] or abs(wave.ms - r["ms"]) > 1:
            failures.add(r["name"], f"{len(wave.samples)} samples, map says {r['samples']}")
        # The file's own frequency must carry far more power than the
        # frequencies next to it in the map (the nearest possible confusions).
        own = wave.power_at(r["freq"])
        for other in by_freq[max(0, pos - 2):pos + 3]:
            if other is not r and wave.power_at(other["freq"]) * 20 > own:
                failures.add(r["name"], f"not told apart from {other['name']} ({other['freq']} Hz)")
    return failures.finish("test tones", len(rows))


def check_rerun(wavdir, scratch):
    failures = Failures()
    out, work = os.path.join(scratch, "wav"), os.path.join(scratch, "work")
    done = subprocess.run(["bash", GENERATOR, "speech", out, work])
    if done.returncode != 0:
        print("FAIL generator exited with", done.returncode)
        return 1
    names = listing(wavdir)
    if names is None:
        return 1
    if names != listing(out):
        failures.add(out, "holds other file names")
    for n in names:
        other = os.path.join(out, n)
        if os.path.exists(other):
            with open(os.path.join(wavdir, n), "rb") as a, open(other, "rb") as b:
                if a.read() != b.read():
                    failures.add(n, "differs between two runs of the generator")
    return failures.finish("rerun of the generator", len(names))


def main(argv):
    if len(argv) == 3 and argv[1] == "speech":
        return check_speech(argv[2])
    if len(argv) == 4 and argv[1] == "tones":
        return check_tones(argv[2], argv[3])
    if len(argv) == 4 and argv[1] == "rerun":
        return check_rerun(argv[2], argv[3])
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
