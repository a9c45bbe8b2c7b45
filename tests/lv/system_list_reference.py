#!/usr/bin/python3
"""An independent reference for Layvo's system split.

Usage: system_list_reference.py SEED COUNT

Prints COUNT lines "firstBar lastBar systemCount systems hash" for random
pages: the systems a page from firstBar to lastBar split into systemCount
systems gives when every step is rounded to single precision and bars are
rounded half away from zero; at most max(systemCount, 1) systems, the last
ending at lastBar. hash folds the systems' first and last bars in order.
"""
import math
import random
import struct
import sys


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def round_half_away(x):
    return int(math.copysign(math.floor(abs(x) + 0.5), x))


def systems(first, last, count):
    end = f32(last + 1)
    start = f32(first)
    if not start < end:
        return []
    count = max(count, 1)
    step = f32(f32(last + 1 - first) / f32(count))
    out = []
    made = 1
    while True:
        nxt = end if made == count else f32(start + step)
        out.append((round_half_away(start), min(round_half_away(nxt) - 1, last)))
        if not nxt < end:
            return out
        start = nxt
        made += 1


def fold(found):
    h = 0
    for first, last in found:
        h = (h * 1000003 + (first + 7) * 100019 + (last + 7)) % 2147483647
    return h


def random_page(rng):
    kind = rng.random()
    if kind < 0.1:
        # High bar numbers, where a small step barely moves a float.
        first = rng.randint(90000, 100000)
        last = min(100000, first + rng.randint(-1, 5))
        return first, last, rng.randint(1, 1000)
    first = rng.randint(1, 100000) if kind < 0.5 else rng.randint(1, 200)
    last = min(100000, first + rng.randint(-3, 80))
    count = rng.randint(13, 1000) if rng.random() < 0.02 else rng.randint(-2, 12)
    return first, last, count


def main():
    rng = random.Random(int(sys.argv[1]))
    lines = []
    for _ in range(int(sys.argv[2])):
        first, last, count = random_page(rng)
        found = systems(first, last, count)
        lines.append("%d %d %d %d %d" % (first, last, count, len(found), fold(found)))
    sys.stdout.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
