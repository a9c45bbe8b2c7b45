#!/usr/bin/env python3
"""Fails when a source file includes a header that lies above it.

The suite's code is layered; every include must point down or sideways:

  0  platform/, src/utils/
  1  src/music/
  2  src/core/, src/state/
  3  src/engine/
  4  src/products/                 the product framework
  5  src/<product>/                product logic (orv, fry, sd, ...), never its ui/ folder
  6  views: src/gfx/ < src/gui/ < src/ui/ < src/gadget/ < src/<product>/ui/
  7  src/app/                      the only place that names concrete products

A product's logic and views may include only their own product's files (a
product's views may include its logic). Headers generated at build time
(BinaryData.h, FontData.h, PlgData.h, TemplateData.h) may be included from anywhere.

Usage: tools/check-layering.py [repository root]   (exit 1 on a violation)
"""

import pathlib
import re
import sys

GENERATED = {"BinaryData.h", "FontData.h", "PlgData.h", "TemplateData.h"}
FIXED = {
    "platform": (0, 0),
    "utils": (0, 0),
    "music": (1, 0),
    "core": (2, 0),
    "state": (2, 0),
    "engine": (3, 0),
    "products": (4, 0),
    "gfx": (6, 0),
    "gui": (6, 1),
    "ui": (6, 2),
    "gadget": (6, 3),
    "app": (7, 0),
}
PRODUCT_UI = (6, 4)
PRODUCT_LOGIC = (5, 0)
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def layer_of(rel):
    """(rank, product) of a path relative to the repository root, or None."""
    parts = rel.parts
    if parts[0] == "platform":
        return FIXED["platform"], None
    if parts[0] != "src" or len(parts) < 3:
        return None
    top = parts[1]
    if top in FIXED:
        return FIXED[top], None
    if len(parts) >= 4 and parts[2] == "ui":
        return PRODUCT_UI, top
    return PRODUCT_LOGIC, top


def resolve(root, including, target):
    for base in (root / "src", root, including.parent):
        candidate = (base / target).resolve()
        if candidate.is_file():
            return candidate.relative_to(root)
    return None


def check(root):
    problems = []
    sources = sorted(p for d in ("src", "platform") for p in (root / d).rglob("*") if p.suffix in (".h", ".cpp"))

    for path in sources:
        rel = path.relative_to(root)
        own = layer_of(rel)
        if own is None:
            continue
        (own_rank, own_product) = own

        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            if pathlib.PurePosixPath(target).name in GENERATED:
                continue
            resolved = resolve(root, path, target)
            if resolved is None:
                problems.append(f"{rel}:{number}: includes \"{target}\", which is no file of the repository")
                continue
            theirs = layer_of(resolved)
            if theirs is None:
                problems.append(f"{rel}:{number}: includes \"{target}\" from outside src/ and platform/")
                continue
            (their_rank, their_product) = theirs
            if their_rank > own_rank:
                problems.append(f"{rel}:{number}: includes {resolved}, which lies above it")
            elif their_product is not None and their_product != own_product and own_rank != FIXED["app"]:
                problems.append(f"{rel}:{number}: includes {resolved}, which belongs to "
                                + ("another product" if own_product else "a product"))

    return problems


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent).resolve()
    problems = check(root)
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} include(s) point up the layers; see tools/check-layering.py for the order.")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
