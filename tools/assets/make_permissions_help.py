#!/usr/bin/env python3
"""Writes the picture of the plug-in key wizard's permissions help as an SVG
file into the folder given as the first argument: a sketch of a system
settings window with its privacy list, the suite's row ticked and the lock
in the bottom-left corner, as the help text describes them."""
import os
import sys

WIDTH, HEIGHT = 200, 150


def row(y, label, ticked):
    box = '<rect x="62" y="{y}" width="9" height="9" rx="2" fill="{fill}" stroke="#8a8a8a"/>'.format(
        y=y, fill="#3fa9f5" if ticked else "#ffffff")
    tick = ('<path d="M64 {a} L66.5 {b} L70 {c}" fill="none" stroke="#ffffff" stroke-width="1.6"/>'.format(
        a=y + 4.5, b=y + 7, c=y + 2) if ticked else "")
    text = '<text x="76" y="{y}" font-family="sans-serif" font-size="8" fill="#333333">{t}</text>'.format(
        y=y + 8, t=label)
    return box + tick + text


def picture():
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">'.format(w=WIDTH, h=HEIGHT),
        # Window with its title bar and three traffic-light dots.
        '<rect x="1" y="1" width="198" height="148" rx="6" fill="#ececec" stroke="#9a9a9a"/>',
        '<rect x="1" y="1" width="198" height="18" rx="6" fill="#d6d6d6"/>',
        '<circle cx="10" cy="10" r="3" fill="#ff5f57"/><circle cx="20" cy="10" r="3" fill="#febc2e"/>'
        '<circle cx="30" cy="10" r="3" fill="#28c840"/>',
        '<text x="100" y="13" text-anchor="middle" font-family="sans-serif" font-size="8" fill="#333333">Security &amp; Privacy</text>',
        # Tabs, the last one ("Privacy") chosen.
        '<rect x="40" y="24" width="120" height="12" rx="3" fill="#ffffff" stroke="#b0b0b0"/>',
        '<rect x="120" y="24" width="40" height="12" rx="3" fill="#3fa9f5"/>',
        '<text x="137" y="33" text-anchor="middle" font-family="sans-serif" font-size="7" fill="#ffffff">Privacy</text>',
        # The category list with "Accessibility" chosen, and the application list.
        '<rect x="8" y="42" width="48" height="84" fill="#ffffff" stroke="#b0b0b0"/>',
        '<rect x="9" y="56" width="46" height="11" fill="#3fa9f5"/>',
        '<text x="12" y="64" font-family="sans-serif" font-size="6.5" fill="#ffffff">Accessibility</text>',
        '<rect x="58" y="42" width="134" height="84" fill="#ffffff" stroke="#b0b0b0"/>',
        row(48, "Sibelius", True),
        row(62, "Orvana Suite", True),
        row(76, "Terminal", False),
        # The lock that allows changes.
        '<rect x="10" y="134" width="9" height="8" rx="1.5" fill="#8a8a8a"/>',
        '<path d="M11.5 134 V131 A3 3 0 0 1 17.5 131 V134" fill="none" stroke="#8a8a8a" stroke-width="1.4"/>',
        '<text x="24" y="141" font-family="sans-serif" font-size="7" fill="#333333">Click the lock to make changes.</text>',
        # A pointer on the suite's box.
        '<path d="M70 73 L70 87 L74 83 L77 90 L79 89 L76 82 L81 82 Z" fill="#222222" stroke="#ffffff" stroke-width="0.8"/>',
        "</svg>\n",
    ]
    return "\n".join(parts)


def main():
    with open(os.path.join(sys.argv[1], "macPermissions.svg"), "w", newline="\n") as f:
        f.write(picture())


main()
