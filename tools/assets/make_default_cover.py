#!/usr/bin/env python3
"""Draws the suite's default product cover (a 96x96 PNG) and pads it with a
text chunk to a fixed size of 3151 bytes, so the embedded size never drifts."""
import struct
import sys
import zlib

W = H = 96
TARGET = 3151


def pixel(x, y):
    # Dark rounded tile with a lighter diagonal band and three "note" dots.
    cx, cy = x - W / 2 + 0.5, y - H / 2 + 0.5
    r = 12
    dx, dy = max(abs(cx) - (W / 2 - r), 0), max(abs(cy) - (H / 2 - r), 0)
    if dx * dx + dy * dy > r * r:
        return (0, 0, 0, 0)
    base = (38, 41, 48, 255)
    if abs((x + y) - W) < 10:
        base = (70, 96, 140, 255)
    for (nx, ny) in ((30, 60), (48, 48), (66, 36)):
        if (x - nx) ** 2 + (y - ny) ** 2 < 49:
            return (232, 200, 96, 255)
    return base


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


raw = b"".join(b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(W)) for y in range(H))
head = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 6, 0, 0, 0))
body = chunk(b"IDAT", zlib.compress(raw, 9))
tail = chunk(b"IEND", b"")
keyword = b"Comment\x00"
pad = TARGET - len(head) - len(body) - len(tail) - 12 - len(keyword)
if pad < 0:
    sys.exit("cover image is larger than %d bytes" % TARGET)
text = chunk(b"tEXt", keyword + b" " * pad)
png = head + text + body + tail
assert len(png) == TARGET, len(png)
open(sys.argv[1], "wb").write(png)
