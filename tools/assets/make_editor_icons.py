#!/usr/bin/env python3
"""Writes the editor's vector icons (undo and redo arrows) as SVG files into
the folder given as the first argument. The redo arrow is the undo arrow
mirrored, so the pair always matches."""
import os
import sys

SIZE = 16


def arrow_svg(mirrored):
    # A hooked arrow: a half-circle shaft ending in a filled head on the left.
    transform = ' transform="translate(%d 0) scale(-1 1)"' % SIZE if mirrored else ""
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" width="{s}" height="{s}" viewBox="0 0 {s} {s}">\n'
        '  <g{t}>\n'
        '    <path d="M4.5 6.5 H10 A3.5 3.5 0 0 1 10 13.5 H6" fill="none" stroke="#cccccc" '
        'stroke-width="1.8" stroke-linecap="round" stroke-linejoin="round"/>\n'
        '    <path d="M1.5 6.5 L6 2.5 L6 10.5 Z" fill="#cccccc"/>\n'
        "  </g>\n"
        "</svg>\n"
    ).format(s=SIZE, t=transform)


def main():
    out = sys.argv[1]
    for name, mirrored in (("undo.svg", False), ("redo.svg", True)):
        with open(os.path.join(out, name), "w", newline="\n") as f:
            f.write(arrow_svg(mirrored))


main()
