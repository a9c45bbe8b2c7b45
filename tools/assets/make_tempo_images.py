#!/usr/bin/env python3
"""Writes the tempo tray's vector images as SVG files into the folder given
as the first argument: the value-step lever in its three positions
(sizerTop, sizerMid, sizerBot), the chomp button's jaw (chomp) and the two
node shapes (ramp, jump)."""
import os
import sys

W, H = 16, 40
FG = "#cccccc"
ACCENT = "#f7931e"


def svg(width, height, body):
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n'
        "{b}</svg>\n"
    ).format(w=width, h=height, b=body)


def lever(position):
    # A slot with three notches; the knob sits in the notch of the position.
    notches = (8, 20, 32)
    body = '  <rect x="6.5" y="3.5" width="3" height="33" rx="1.5" fill="#222222" stroke="#666666"/>\n'
    for y in notches:
        body += '  <line x1="2" y1="{y}" x2="4.5" y2="{y}" stroke="#666666"/>\n'.format(y=y)
    y = notches[position]
    body += '  <rect x="1.5" y="{t}" width="13" height="7" rx="2" fill="{c}" stroke="#111111"/>\n'.format(t=y - 3.5, c=ACCENT)
    return svg(W, H, body)


def chomp():
    # An open jaw biting a step out of a line.
    body = (
        '  <path d="M2 12 H7 V6 H11 V12 H16" fill="none" stroke="{fg}" stroke-width="1.5"/>\n'
        '  <path d="M4 3 L9 7 L14 3" fill="none" stroke="{a}" stroke-width="1.5" stroke-linejoin="round"/>\n'
    ).format(fg=FG, a=ACCENT)
    return svg(18, 16, body)


def ramp():
    body = '  <path d="M2 13 L14 3 V13" fill="none" stroke="{fg}" stroke-width="1.5" stroke-linejoin="round"/>\n'.format(fg=FG)
    return svg(16, 16, body)


def jump():
    body = '  <path d="M2 13 H9 V3 H14" fill="none" stroke="{fg}" stroke-width="1.5" stroke-linejoin="round"/>\n'.format(fg=FG)
    return svg(16, 16, body)


def main():
    out = sys.argv[1]
    files = {
        "sizerTop.svg": lever(0),
        "sizerMid.svg": lever(1),
        "sizerBot.svg": lever(2),
        "chomp.svg": chomp(),
        "ramp.svg": ramp(),
        "jump.svg": jump(),
    }
    for name, text in files.items():
        with open(os.path.join(out, name), "w", newline="\n") as f:
            f.write(text)


main()
