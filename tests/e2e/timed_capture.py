#!/usr/bin/env python3
"""A capture sink paced like a sound card that notes when bytes arrived.

The ALSA file device of a test run writes every stream into FIFO; this
reader keeps the FIFO's buffer small and takes the bytes out no faster than
BYTES_PER_SECOND, so writers wait as a real device makes them wait. The
bytes are appended to CAPTURE; for every read, TIMES gets a line
"MONOTONIC_SECONDS BYTE_OFFSET" (the offset of the read's first byte).
Usage: timed_capture.py FIFO CAPTURE TIMES BYTES_PER_SECOND
"""
import fcntl
import os
import sys
import time

F_SETPIPE_SZ = 1031


def main():
    fifo, capture, times, rate = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    fd = os.open(fifo, os.O_RDWR)  # never sees end-of-file between streams
    fcntl.fcntl(fd, F_SETPIPE_SZ, 4096)
    step = max(rate // 200, 2)  # 5 ms of sound
    due = time.monotonic()
    offset = 0
    with open(capture, "ab", buffering=0) as out, open(times, "a", buffering=1) as log:
        while True:
            data = os.read(fd, step)
            if not data:
                continue
            now = time.monotonic()
            out.write(data)
            log.write("%.6f %d\n" % (now, offset))
            offset += len(data)
            due = max(due, now) + len(data) / rate
            if due > now:
                time.sleep(due - now)


if __name__ == "__main__":
    main()
