#!/usr/bin/env python3
"""A capture sink paced by the clock, for sound tests that measure time.

The ALSA file device of a paced test run writes every stream into one FIFO;
this reader keeps the FIFO's buffer at its smallest (one page) and takes the
bytes out no faster than the given rate, so a writer blocks as a real sound
card would make it wait. What it reads is appended to the capture file.
Usage: paced_capture.py FIFO CAPTURE BYTES_PER_SECOND
"""
import fcntl
import os
import select
import sys
import time

F_SETPIPE_SZ = 1031


def main():
    fifo, capture, rate = sys.argv[1], sys.argv[2], int(sys.argv[3])
    if not os.path.exists(fifo):
        os.mkfifo(fifo)
    # Read and write: the reader never sees end-of-file between streams.
    fd = os.open(fifo, os.O_RDWR)
    fcntl.fcntl(fd, F_SETPIPE_SZ, 4096)
    step = max(rate // 200, 1)  # bytes per 5 ms
    due = time.monotonic()
    parent = os.getppid()
    with open(capture, "ab", buffering=0) as out:
        while True:
            # End with the run that started us, even if it was killed.
            if not select.select([fd], [], [], 1.0)[0]:
                if os.getppid() != parent:
                    return
                continue
            data = os.read(fd, step)
            if not data:
                continue
            out.write(data)
            now = time.monotonic()
            due = max(due, now) + len(data) / rate
            if due > now:
                time.sleep(due - now)


if __name__ == "__main__":
    main()
