#!/usr/bin/env python3
"""Writes the writing drill's stroke table from a folder of KanjiVG drawings.

    make-stroke-table.py KANJIVG_DIR data/idioms.csv tests/writing/lookalikes.txt \
        > data/strokes/strokes.txt

KANJIVG_DIR holds kanji/XXXXX.svg (or the SVG files themselves). The table lists every kanji of
the idiom file and every kanji of the look-alike list, in code point order; kanji the drawings
lack are named on stderr and left out. Each stroke's path is flattened into a polyline of at most
MAX_POINTS points in the drawings' own 109 x 109 box (y down), rounded to whole units: a pupil's
line is drawn with a pen several units wide, so finer points carry nothing the grader could use.
"""

import math
import os
import re
import sys
import xml.etree.ElementTree as ET

MAX_POINTS = 16
TOLERANCE = 0.8  # how far (in box units) the polyline may stray from the drawn curve
SAMPLES_PER_CURVE = 16


def tokens(d):
    return re.findall(r"[MmCcSsLlHhVvZz]|-?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?", d)


def cubic(p0, p1, p2, p3):
    out = []
    for i in range(1, SAMPLES_PER_CURVE + 1):
        t = i / SAMPLES_PER_CURVE
        u = 1 - t
        out.append(tuple(u * u * u * a + 3 * u * u * t * b + 3 * u * t * t * c + t * t * t * e
                         for a, b, c, e in zip(p0, p1, p2, p3)))
    return out


def flatten(d):
    """The path's points, its curves sampled densely."""
    toks = tokens(d)
    pts = []
    cur = (0.0, 0.0)
    start = cur
    last_ctrl = None
    cmd = None
    i = 0

    def num():
        nonlocal i
        v = float(toks[i])
        i += 1
        return v

    while i < len(toks):
        if toks[i].isalpha():
            cmd = toks[i]
            i += 1
            if cmd in "Zz":
                pts.append(start)
                cur = start
                last_ctrl = None
                continue
        rel = cmd.islower()
        base = cur if rel else (0.0, 0.0)
        c = cmd.upper()
        if c == "M":
            cur = (base[0] + num(), base[1] + num())
            start = cur
            pts.append(cur)
            cmd = "l" if rel else "L"  # further pairs after a move are lines
            last_ctrl = None
        elif c == "L":
            cur = (base[0] + num(), base[1] + num())
            pts.append(cur)
            last_ctrl = None
        elif c == "H":
            cur = ((cur[0] if rel else 0.0) + num(), cur[1])
            pts.append(cur)
            last_ctrl = None
        elif c == "V":
            cur = (cur[0], (cur[1] if rel else 0.0) + num())
            pts.append(cur)
            last_ctrl = None
        elif c == "C":
            p1 = (base[0] + num(), base[1] + num())
            p2 = (base[0] + num(), base[1] + num())
            p3 = (base[0] + num(), base[1] + num())
            pts.extend(cubic(cur, p1, p2, p3))
            last_ctrl, cur = p2, p3
        elif c == "S":
            p1 = (2 * cur[0] - last_ctrl[0], 2 * cur[1] - last_ctrl[1]) if last_ctrl else cur
            p2 = (base[0] + num(), base[1] + num())
            p3 = (base[0] + num(), base[1] + num())
            pts.extend(cubic(cur, p1, p2, p3))
            last_ctrl, cur = p2, p3
        else:
            raise ValueError("unknown path command " + cmd)
    return pts


def distance_to_segment(p, a, b):
    dx, dy = b[0] - a[0], b[1] - a[1]
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / length2))
    return math.hypot(p[0] - a[0] - t * dx, p[1] - a[1] - t * dy)


def simplify(pts, tolerance):
    """Douglas-Peucker: the fewest points that keep the line within the tolerance."""
    if len(pts) < 3:
        return list(pts)
    worst, index = 0.0, 0
    for k in range(1, len(pts) - 1):
        dist = distance_to_segment(pts[k], pts[0], pts[-1])
        if dist > worst:
            worst, index = dist, k
    if worst <= tolerance:
        return [pts[0], pts[-1]]
    return simplify(pts[: index + 1], tolerance)[:-1] + simplify(pts[index:], tolerance)


def polyline(d):
    pts = flatten(d)
    tolerance = TOLERANCE
    line = simplify(pts, tolerance)
    while len(line) > MAX_POINTS:
        tolerance *= 1.5
        line = simplify(pts, tolerance)
    out = []
    for x, y in line:
        q = (min(108, max(0, round(x))), min(108, max(0, round(y))))
        if not out or out[-1] != q:
            out.append(q)
    if len(out) == 1:  # a dot shorter than a unit still needs a direction
        out.append(out[0])
    return out


def strokes_of(svg_path):
    root = ET.parse(svg_path).getroot()
    paths = [el for el in root.iter() if el.tag.endswith("path") and el.get("d")]

    def number(el):  # ids end in -s<N>: the school order
        m = re.search(r"-s(\d+)$", el.get("id", ""))
        return int(m.group(1)) if m else 0

    return [polyline(el.get("d")) for el in sorted(paths, key=number)]


def wanted_kanji(idioms_csv, lookalikes):
    chars = set()
    with open(idioms_csv, encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split(",")
            if line.startswith("#") or len(fields) < 2:
                continue
            chars.update(fields[1])
    with open(lookalikes, encoding="utf-8") as f:
        for line in f:
            if not line.startswith("#"):
                chars.update("".join(line.split()))
    return sorted(chars)


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    folder, idioms_csv, lookalikes = argv[1:]
    if os.path.isdir(os.path.join(folder, "kanji")):
        folder = os.path.join(folder, "kanji")
    out = sys.stdout
    out.write("# Stroke table of the writing drill (書き取り), made by tools/strokes/make-stroke-table.py\n"
              "# from KanjiVG (https://kanjivg.tagaini.net), copyright Ulrich Apel, licence CC BY-SA 3.0\n"
              "# (see COPYING and README.md in this folder).\n"
              "# One kanji a line: the kanji, a tab, its strokes in school order separated by ' | ';\n"
              "# a stroke is its points 'x,y' in drawing direction, in a 109 x 109 box, y down.\n")
    missing = []
    for ch in wanted_kanji(idioms_csv, lookalikes):
        svg = os.path.join(folder, "%05x.svg" % ord(ch))
        if not os.path.exists(svg):
            missing.append(ch)
            continue
        strokes = strokes_of(svg)
        out.write(ch + "\t" + " | ".join(" ".join("%d,%d" % p for p in s) for s in strokes) + "\n")
    if missing:
        sys.stderr.write("no stroke data for: %s\n" % " ".join(missing))


if __name__ == "__main__":
    main(sys.argv)
