#!/usr/bin/env python3
"""Draws the gadget's small images (close icon, main-button plates, cursors,
spinner sprite) as PNG files into the folder given as the first argument.
Shapes are supersampled 4x4 so their edges are smooth."""
import math
import os
import struct
import sys
import zlib

SS = 4


def write_png(path, w, h, pixels):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + b"".join(bytes(pixels[y * w + x]) for x in range(w)) for y in range(h))
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def render(w, h, shade):
    """shade(x, y) -> (r, g, b, a) for a sample point; returns averaged, premultiplied-correct pixels."""
    out = []
    for py in range(h):
        for px in range(w):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SS):
                for sx in range(SS):
                    r, g, b, a = shade(px + (sx + 0.5) / SS, py + (sy + 0.5) / SS)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SS * SS
            a = acc[3] / n
            if a <= 0:
                out.append((0, 0, 0, 0))
            else:
                out.append((round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]), round(a * 255)))
    return out


def over(top, bottom):
    """Composites two (r, g, b, a) samples with a in 0..1."""
    ta, ba = top[3], bottom[3]
    a = ta + ba * (1 - ta)
    if a <= 0:
        return (0, 0, 0, 0)
    return tuple((top[i] * ta + bottom[i] * ba * (1 - ta)) / a for i in range(3)) + (a,)


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def close_icon(x, y):
    # A white cross of two 1.6 px strokes, corner to corner inside 10 x 10.
    d = min(seg_dist(x, y, 2, 2, 8, 8), seg_dist(x, y, 8, 2, 2, 8))
    return (255, 255, 255, 1.0) if d < 0.8 else (0, 0, 0, 0.0)


def back_plate(x, y):
    # A 120 x 120 bezel: dark outer ring with a vertical sheen, dark well inside.
    r = math.hypot(x - 60, y - 60)
    if r > 59.5:
        return (0, 0, 0, 0.0)
    t = y / 120
    if r > 54:
        v = int(150 - 90 * t)
        return (v, v, v + 6, 1.0)
    v = int(40 - 20 * t)
    return (v, v, v, 1.0)


def front_plate(x, y):
    # A glossy rim and a soft highlight over the upper half of the disc.
    r = math.hypot(x - 60, y - 60)
    if r > 54:
        return (0, 0, 0, 0.0)
    if r > 52:
        return (20, 20, 20, 0.9)
    s = (0, 0, 0, 0.0)
    hx, hy = (x - 60) / 44, (y - 34) / 26
    if hx * hx + hy * hy < 1:
        s = (255, 255, 255, 0.22 * (1 - (y - 8) / 52))
    if r < 12:
        s = over((235, 235, 235, 0.85), s)
    return s


def pencil(x, y):
    # 24 x 24, tip at (1, 22): a diagonal body with a dark outline.
    d = seg_dist(x, y, 4, 19, 20, 3)
    if d < 2.4:
        return (250, 210, 60, 1.0)
    if d < 3.4 or math.hypot(x - 2, y - 21) < 2:
        return (20, 20, 20, 1.0)
    return (0, 0, 0, 0.0)


def eraser(x, y):
    # 24 x 24: a tilted block, pink with a dark edge; hot spot bottom-left.
    u = (x - y + 2) / 1.4142
    v = (x + y - 26) / 1.4142
    if abs(u) < 9 and abs(v) < 5:
        inner = abs(u) < 8 and abs(v) < 4
        if not inner:
            return (20, 20, 20, 1.0)
        return (240, 140, 160, 1.0) if u < 3 else (240, 240, 240, 1.0)
    return (0, 0, 0, 0.0)


def point_in_polygon(x, y, pts):
    inside = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def pointer_tool(x, y):
    # 18 x 18 toolboard icon: an arrow pointing up-left, dark on the light plate.
    arrow = [(3, 2), (3, 15), (6.5, 11.5), (9, 17), (11, 16), (8.7, 10.7), (13.5, 10.5)]
    return (25, 25, 25, 1.0) if point_in_polygon(x, y, arrow) else (0, 0, 0, 0.0)


def phantom_tool(x, y):
    # 18 x 18 toolboard icon: a pencil over a hollow note bar (a drawn phantom note).
    if 2 <= x <= 16 and 12 <= y <= 16 and not (3.5 <= x <= 14.5 and 13.5 <= y <= 14.5):
        return (25, 25, 25, 1.0)
    d = seg_dist(x, y, 4, 9, 14, 1)
    if d < 1.8:
        return (25, 25, 25, 1.0)
    return (0, 0, 0, 0.0)


def hand(x, y):
    # 24 x 24: a round palm with four fingers; hot spot at the index tip.
    shapes = [math.hypot(x - 12, y - 16) - 6]
    for fx, top in ((7, 6), (10.5, 3), (14, 4), (17, 7)):
        shapes.append(seg_dist(x, y, fx, top, fx, 15) - 1.7)
    d = min(shapes)
    if d < 0:
        return (255, 255, 255, 1.0)
    if d < 1.1:
        return (20, 20, 20, 1.0)
    return (0, 0, 0, 0.0)


def spinner(frames, size):
    def shade(x, y):
        frame = int(x // size)
        lx, ly = x - frame * size - size / 2, y - size / 2
        r = math.hypot(lx, ly)
        if r < size * 0.22 or r > size * 0.45:
            return (0, 0, 0, 0.0)
        angle = (math.atan2(lx, -ly) / (2 * math.pi)) % 1.0
        spoke = int(angle * 8)
        if abs(angle * 8 - spoke - 0.5) > 0.3:
            return (0, 0, 0, 0.0)
        age = (frame - spoke) % frames
        return (255, 255, 255, max(0.15, 1.0 - age / frames))
    return shade


def main():
    out = sys.argv[1]
    images = [
        ("close.png", 10, 10, close_icon),
        ("gadgetBtnBack.png", 120, 120, back_plate),
        ("gadgetButtonFront.png", 120, 120, front_plate),
        ("cursorPencil.png", 24, 24, pencil),
        ("cursorEraser.png", 24, 24, eraser),
        ("cursorHand.png", 24, 24, hand),
        ("pointer.png", 18, 18, pointer_tool),
        ("tabPhantom.png", 18, 18, phantom_tool),
        ("spinnerSprite.png", 8 * 24, 24, spinner(8, 24)),
    ]
    for name, w, h, shade in images:
        write_png(os.path.join(out, name), w, h, render(w, h, shade))


main()
